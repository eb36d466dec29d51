// Speed of the group manager (command 0) with 10^5 groups, run headless.
//
// Open/100000: the entry routine up to and including the showing (model
// from AXGroupes, one row per group, sort by the header's column, focus of
// the group named in alldata) and the close. SortColumn/c: one header click
// on column c (each click reverses the direction, so every iteration is a
// full sort). NewGroup: the "Nouveau groupe" button on a dialog already
// holding 10^5 groups, most of them with generated names (NewName, the row
// and the start of the name edit). The goal: all of them together well
// under a second.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/headless/headless_platform.h"
#include "server/core/exchange.h"
#include "server/core/session.h"
#include "server/dialogs/points/gerer.h"
#include "ui/headless/scripted_user.h"

namespace topaline {
namespace {

constexpr int kGroups = 100000;

Variant MakeGroups(int count) {
  std::vector<Variant> e;
  e.reserve(std::size_t(count) * 6 + 1);
  e.push_back(Variant::string(L"17"));
  for (int i = 0; i < count; ++i) {
    const int id = (i * 7919) % count;  // Ids out of order
    e.push_back(Variant::string(std::to_wstring(id)));
    // Mostly generated names, some free numbers left among them.
    e.push_back(Variant::string(i % 10 == 3 ? L"Talus " + std::to_wstring(i)
                                            : L"Nouveau groupe (" + std::to_wstring(i + 1) + L")"));
    e.push_back(Variant::string(i % 2 ? L"Description" : L"Bornes de limite " + std::to_wstring(i % 97)));
    e.push_back(Variant::i4(i % 500));
    e.push_back(Variant::i4(i * 3));
    e.push_back(Variant::i4(i * 3 + i % 500));
  }
  return Variant::array(std::move(e));
}

struct Env {
  Env() : session(host.platform, exchange) {
    UseFormRunner(host.platform, &user);
    session.config = TProgConfig{L"C:\\Prog\\topaline3", L"topaline3", L"fr"};
    session.HelpFile = L"C:\\Prog\\topaline3\\topaline3.chm";
    session.Labels.InitFromText(L"611,\"Nom\"\n612,\"Description\"\n613,\"Nb points\"\n614,\"Premier\"\n"
                                L"615,\"Dernier\"\n617,\" 1 groupe : \"\n618,\" groupes : \"\n",
                                L"bench labels");
    exchange.value(Slot::AXGroupes) = MakeGroups(kGroups);
    exchange.value(Slot::alldata) = Variant::array({Variant::string(L"4242")});
  }
  void Run(std::function<void(TfrmGerer&)> script) {
    user.On(L"frmGerer", [script](ui::Form& f) { script(static_cast<TfrmGerer&>(f)); });
    ManageGroups(session);
  }
  HeadlessPlatform host;
  VariantExchange exchange;
  ui::ScriptedUser user;
  Session session;
};

void BM_Open(benchmark::State& state) {
  Env env;
  for (auto _ : state) {
    env.Run([](TfrmGerer& f) {
      benchmark::DoNotOptimize(f.TVGroupes->FocusedRow());
      f.ToolButton3->UserClick();
    });
  }
  state.SetLabel("groups=" + std::to_string(kGroups));
}
BENCHMARK(BM_Open)->Unit(benchmark::kMillisecond);

// Each iteration is one header click; the dialog stays open across them.
void BM_SortColumn(benchmark::State& state) {
  Env env;
  const int column = static_cast<int>(state.range(0));
  env.Run([&](TfrmGerer& f) {
    for (auto _ : state) f.TVGroupes->UserClickHeader(column);
    f.ToolButton3->UserClick();
  });
}
BENCHMARK(BM_SortColumn)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

void BM_NewGroup(benchmark::State& state) {
  Env env;
  env.Run([&](TfrmGerer& f) {
    for (auto _ : state) {
      f.btNew->UserClick();
      f.TVGroupes->UserCommitEdit();
    }
    f.ToolButton3->UserClick();
  });
}
BENCHMARK(BM_NewGroup)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace topaline

BENCHMARK_MAIN();
