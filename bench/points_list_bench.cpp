// Speed of the points list (commands 1 and 2), run headless.
//
// SortByX/1000000: one header click on X over a million points (each click
// reverses the direction, so every iteration is a full sort); the goal is
// under 1 s. The */100000 benchmarks time each interaction with 10^5
// points (goal: under 100 ms each): scrolling a page, sorting, opening a
// cell editor, committing it, reset all, and Apply with every point
// modified. Open/1000000 times the entry routine up to the showing (model
// from the array, one row per point) and reports the heap the open dialog
// holds ("dialog_MB") next to the heap of the input array ("input_MB").
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <string>

#include "platform/headless/headless_platform.h"
#include "server/core/exchange.h"
#include "server/core/session.h"
#include "server/dialogs/points/liste_points.h"
#include "ui/headless/scripted_user.h"

namespace topaline {
namespace {

using Form = TfrmListePoints;

// Heap in use, small blocks and mapped large ones.
std::size_t HeapInUse() {
  const auto m = mallinfo2();
  return m.uordblks + m.hblkhd;
}

Variant MakePoints(int count) {
  std::vector<Variant> e;
  e.reserve(std::size_t(count) * 6);
  for (int i = 0; i < count; ++i) {
    e.push_back(Variant::string(L"2F" + std::to_wstring(i)));
    e.push_back(Variant::i4((i * 7919) % count + 1));
    e.push_back(Variant::r8(512000.125 + (i * 37 % 1000) * 0.3333));
    e.push_back(Variant::r8(6310000.5 - i * 0.01));
    e.push_back(Variant::r8(312.25 + (i % 100) * 0.001));
    e.push_back(Variant::string(i % 2 ? L"borne" : L"Borne de limite parcellaire"));
  }
  return Variant::array(std::move(e));
}

struct Env {
  explicit Env(int points) : session(host.platform, exchange) {
    UseFormRunner(host.platform, &user);
    session.config = TProgConfig{L"C:\\Prog\\topaline3", L"topaline3", L"fr"};
    session.HelpFile = L"C:\\Prog\\topaline3\\topaline3.chm";
    session.Labels.InitFromText(L"554,\"Numéro\"\n555,\"Description\"\n", L"bench labels");
    exchange.value(Slot::AXPoints) = MakePoints(points);
  }
  // Runs command 2 with the script (which must close the dialog).
  void Run(std::function<void(Form&)> script) {
    user.On(L"frmListePoints", [script](ui::Form& f) { script(static_cast<Form&>(f)); });
    EditPoints(session);
  }
  HeadlessPlatform host;
  VariantExchange exchange;
  ui::ScriptedUser user;
  Session session;
};

void SortByX(benchmark::State& state) {
  Env env(static_cast<int>(state.range(0)));
  env.Run([&](Form& f) {
    for (auto _ : state) f.TVPoints->UserClickHeader(Form::colX);
    f.UserClose();
  });
}
BENCHMARK(SortByX)->Arg(1000000)->Arg(100000)->Unit(benchmark::kMillisecond);

void SortByDescription(benchmark::State& state) {
  Env env(static_cast<int>(state.range(0)));
  env.Run([&](Form& f) {
    for (auto _ : state) f.TVPoints->UserClickHeader(Form::colDesc);
    f.UserClose();
  });
}
BENCHMARK(SortByDescription)->Arg(1000000)->Arg(100000)->Unit(benchmark::kMillisecond);

void Open(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const std::size_t before = HeapInUse();
  Env env(n);
  const std::size_t input = HeapInUse() - before;
  std::size_t dialog = 0;
  for (auto _ : state) {
    const std::size_t start = HeapInUse();
    env.Run([&](Form& f) {
      state.PauseTiming();
      dialog = HeapInUse() - start;
      f.UserClose();
      state.ResumeTiming();
    });
  }
  state.counters["input_MB"] = double(input) / 1e6;
  state.counters["dialog_MB"] = double(dialog) / 1e6;
}
BENCHMARK(Open)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);

void ScrollPage(benchmark::State& state) {
  Env env(static_cast<int>(state.range(0)));
  env.Run([&](Form& f) {
    auto& g = *f.TVPoints;
    for (auto _ : state) {
      g.UserKey(g.FocusedRow() + 40 >= g.RowCount() ? ui::Key::Home : ui::Key::PageDown);
      for (int r = g.TopRow(); r < std::min(g.RowCount(), g.TopRow() + 40); ++r)
        for (int c = 0; c < g.ColumnCount(); ++c) {
          benchmark::DoNotOptimize(g.CellText(r, c));
          benchmark::DoNotOptimize(g.CellPaint(r, c));
        }
    }
    f.UserClose();
  });
}
BENCHMARK(ScrollPage)->Arg(100000)->Unit(benchmark::kMillisecond);

void OpenEditor(benchmark::State& state) {
  Env env(static_cast<int>(state.range(0)));
  env.Run([&](Form& f) {
    auto& g = *f.TVPoints;
    int row = 0;
    for (auto _ : state) {
      g.UserClickRow(row, Form::colY);
      g.UserEditDelayElapsed();
      state.PauseTiming();
      g.UserCancelEdit();
      row = (row + 997) % g.RowCount();
      state.ResumeTiming();
    }
    f.UserClose();
  });
}
BENCHMARK(OpenEditor)->Arg(100000)->Unit(benchmark::kMillisecond);

void CommitEditor(benchmark::State& state) {
  Env env(static_cast<int>(state.range(0)));
  env.Run([&](Form& f) {
    auto& g = *f.TVPoints;
    int row = 0;
    for (auto _ : state) {
      state.PauseTiming();
      g.UserEditCell(row, Form::colZ, L"101.5");
      row = (row + 997) % g.RowCount();
      state.ResumeTiming();
      g.UserCommitEdit();
    }
    f.UserClose();
  });
}
BENCHMARK(CommitEditor)->Arg(100000)->Unit(benchmark::kMillisecond);

void ResetAll(benchmark::State& state) {
  Env env(static_cast<int>(state.range(0)));
  env.Run([&](Form& f) {
    for (auto _ : state) {
      state.PauseTiming();
      for (std::size_t i = 0; i < f.Points.Count(); ++i)
        f.Points.SetCoordinate(i, TPointsView::Z, f.Points.Coordinate(i, TPointsView::Z) + 1, true);
      state.ResumeTiming();
      f.btReinitAll->UserClick();
    }
    f.UserClose();
  });
}
BENCHMARK(ResetAll)->Arg(100000)->Unit(benchmark::kMillisecond);

void ApplyAllModified(benchmark::State& state) {
  Env env(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    env.exchange.value(Slot::AXPoints) = MakePoints(static_cast<int>(state.range(0)));
    env.Run([&](Form& f) {
      for (std::size_t i = 0; i < f.Points.Count(); ++i)
        f.Points.SetCoordinate(i, TPointsView::Z, f.Points.Coordinate(i, TPointsView::Z) + 1, true);
      state.ResumeTiming();
      f.btAppliquer->UserClick();
      state.PauseTiming();
    });
    state.ResumeTiming();
  }
}
BENCHMARK(ApplyAllModified)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace topaline

BENCHMARK_MAIN();
