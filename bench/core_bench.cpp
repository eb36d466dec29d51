// Speed of the exchange model.
//
// PointsInitVsCopy reads a 10^6-point AXPoints into a TDesPoints and, in
// the same run, makes a plain copy of the array's element vector; the
// counter "ratio" is Init time / copy time. The groups benchmarks add and
// name groups in sets of 10^5.
#include <benchmark/benchmark.h>

#include <chrono>

#include "server/core/exchange_model.h"

namespace topaline {
namespace {

Variant MakePoints(int count) {
  std::vector<Variant> e;
  e.reserve(std::size_t(count) * 6);
  for (int i = 0; i < count; ++i) {
    e.push_back(Variant::string(L"2F" + std::to_wstring(i % 100000)));      // handle, short
    e.push_back(Variant::i4(i + 1));
    e.push_back(Variant::r8(512000.125 + i));
    e.push_back(Variant::r8(6310000.5 - i));
    e.push_back(Variant::r8(312.25));
    e.push_back(Variant::string(i % 2 ? L"borne" : L"Borne de limite parcellaire"));  // short and long
  }
  return Variant::array(std::move(e));
}

const Variant& Points() {
  static const Variant v = MakePoints(1000000);
  return v;
}

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

void PointsInitVsCopy(benchmark::State& state) {
  const Variant& v = Points();
  VariantExchangeArray a(v, L"AXPoints");
  double init = 0, copy = 0;
  for (auto _ : state) {
    auto t0 = std::chrono::steady_clock::now();
    {
      TDesPoints p;
      p.Init(a);
      benchmark::DoNotOptimize(p.Items.data());
      init += Seconds(std::chrono::steady_clock::now() - t0);
    }  // freeing is timed for neither
    auto t2 = std::chrono::steady_clock::now();
    {
      std::vector<Variant> c = v.arrayValue().elements;
      benchmark::DoNotOptimize(c.data());
      copy += Seconds(std::chrono::steady_clock::now() - t2);
    }
  }
  state.counters["init_ms"] = init / double(state.iterations()) * 1e3;
  state.counters["copy_ms"] = copy / double(state.iterations()) * 1e3;
  state.counters["ratio"] = init / copy;
}
BENCHMARK(PointsInitVsCopy)->Unit(benchmark::kMillisecond)->Iterations(10);

void PointsInit(benchmark::State& state) {
  const Variant& v = Points();
  VariantExchangeArray a(v, L"AXPoints");
  for (auto _ : state) {
    TDesPoints p;
    p.Init(a);
    benchmark::DoNotOptimize(p.Items.data());
  }
}
BENCHMARK(PointsInit)->Unit(benchmark::kMillisecond);

void PlainCopy(benchmark::State& state) {
  const Variant& v = Points();
  for (auto _ : state) {
    std::vector<Variant> c = v.arrayValue().elements;
    benchmark::DoNotOptimize(c.data());
  }
}
BENCHMARK(PlainCopy)->Unit(benchmark::kMillisecond);

// n Add on an empty set, each naming its group with NewName: the time
// per group stays flat from 10^4 to 10^5.
void GroupsAdd(benchmark::State& state) {
  const int n = int(state.range(0));
  for (auto _ : state) {
    TDesGroupes g;
    for (int i = 0; i < n; ++i) g.Add();
    benchmark::DoNotOptimize(g.Count());
  }
}
BENCHMARK(GroupsAdd)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// NewName and Exist on a set of 10^5 generated names.
void GroupsNewNameExist100k(benchmark::State& state) {
  TDesGroupes g;
  for (int i = 0; i < 100000; ++i) g.Add();
  for (auto _ : state) {
    benchmark::DoNotOptimize(g.NewName());
    benchmark::DoNotOptimize(g.Exist(L"NOUVEAU GROUPE (50000)"));
  }
}
BENCHMARK(GroupsNewNameExist100k)->Unit(benchmark::kNanosecond);

// Delete a group near the front, then Add (which reuses the freed name),
// on a set of 10^5: the cost is the vector's shift, linear, not the naming.
void GroupsDeleteAdd100k(benchmark::State& state) {
  TDesGroupes g;
  for (int i = 0; i < 100000; ++i) g.Add();
  std::int32_t next = 0;
  for (auto _ : state) {
    g.Delete(next++);
    benchmark::DoNotOptimize(g.Add().Nom.size());
  }
}
BENCHMARK(GroupsDeleteAdd100k)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace topaline

BENCHMARK_MAIN();
