// Tree-grid sorting at the sizes the points list must handle.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
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

}  // namespace
