// Tree-grid sorting at the sizes the points list must handle.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "ui/ui.h"

using namespace topaline::ui;

namespace {

struct Fixture {
  Form form{L"frmBench"};
  TreeGrid& tree;
  std::vector<std::int32_t> keys;
  explicit Fixture(int rows) : tree(form.Add<TreeGrid>(nullptr, L"TVPoints", {0, 0, 600, 400})) {
    tree.AddColumn(L"Numéro", 80, Alignment::Right);
    std::mt19937 rng(42);
    keys.resize(static_cast<std::size_t>(rows));
    for (auto& k : keys) k = static_cast<std::int32_t>(rng() % 1000000);
    std::vector<std::int32_t> ids(static_cast<std::size_t>(rows));
    for (int i = 0; i < rows; ++i) ids[static_cast<std::size_t>(i)] = i;
    tree.SetRows(std::move(ids));
    tree.OnCompare = [this](std::int32_t a, std::int32_t b, int) {
      std::int32_t x = keys[static_cast<std::size_t>(a)], y = keys[static_cast<std::size_t>(b)];
      return x < y ? -1 : (x > y ? 1 : 0);
    };
    tree.SetSortColumn(0);
  }
};

// One header click: reverse and sort all rows on their indices.
void BM_HeaderClickSort(benchmark::State& state) {
  Fixture f(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    f.tree.UserClickHeader(0);
    benchmark::DoNotOptimize(f.tree.RowId(0));
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_HeaderClickSort)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Filling the grid with one row per point inside an update bracket.
void BM_AddRows(benchmark::State& state) {
  for (auto _ : state) {
    Form form(L"frm");
    auto& tree = form.Add<TreeGrid>(nullptr, L"TVPoints");
    tree.AddColumn(L"Numéro", 80);
    tree.BeginUpdate();
    for (std::int32_t i = 0; i < state.range(0); ++i) tree.AddRow(i);
    tree.EndUpdate();
    benchmark::DoNotOptimize(tree.RowCount());
  }
}
BENCHMARK(BM_AddRows)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Ctrl+A, then a plain move that selects one row again, over every row.
void BM_SelectAllThenOne(benchmark::State& state) {
  Fixture f(static_cast<int>(state.range(0)));
  f.tree.SetMultiSelect(true);
  f.tree.SetFocusedRow(0);
  for (auto _ : state) {
    f.tree.UserKey('A', ShiftState{false, true, false});
    f.tree.UserKey(Key::Home);
    benchmark::DoNotOptimize(f.tree.SelectedCount());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SelectAllThenOne)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Shift+Down at the end of a long selection: one row more each time.
void BM_ShiftDownInALongSpan(benchmark::State& state) {
  Fixture f(static_cast<int>(state.range(0)));
  f.tree.SetMultiSelect(true);
  f.tree.SetFocusedRow(0);
  f.tree.UserKey(Key::End, ShiftState{true, false, false});
  for (auto _ : state) {
    f.tree.UserKey(Key::Up, ShiftState{true, false, false});
    f.tree.UserKey(Key::Down, ShiftState{true, false, false});
    benchmark::DoNotOptimize(f.tree.TakeSelectionChanges());
  }
}
BENCHMARK(BM_ShiftDownInALongSpan)->Arg(1000000)->Unit(benchmark::kMicrosecond);

// A type-ahead search that matches only the last row: every row tested.
void BM_TypeAheadThroughEveryRow(benchmark::State& state) {
  Fixture f(static_cast<int>(state.range(0)));
  f.keys.back() = 9999999;
  f.tree.SetTypeAheadColumn(0);
  f.tree.OnTypeAheadMatch = [&f](std::int32_t id, int, const std::wstring& prefix) {
    return prefix == L"9" && f.keys[static_cast<std::size_t>(id)] == 9999999;
  };
  for (auto _ : state) {
    f.tree.UserKey(Key::Home);
    f.tree.UserType(L"9");
    benchmark::DoNotOptimize(f.tree.FocusedRow());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_TypeAheadThroughEveryRow)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Ctrl+C of every row: the tab-separated text of a million rows.
void BM_RowsTextOfEveryRow(benchmark::State& state) {
  Fixture f(static_cast<int>(state.range(0)));
  f.tree.OnGetText = [&f](int, std::int32_t id, int) { return std::to_wstring(f.keys[static_cast<std::size_t>(id)]); };
  f.tree.SetMultiSelect(true);
  f.tree.SelectAll();
  for (auto _ : state) benchmark::DoNotOptimize(f.tree.RowsText(f.tree.SelectedRows()).size());
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RowsTextOfEveryRow)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace
