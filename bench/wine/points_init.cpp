// TDesPoints.Init over a real 10^6-point SAFEARRAY of VARIANT (what the
// host assigns to AXPoints) against one VariantCopy of the same array, the
// least the server does with it anyway; then the points list's Apply with
// every point changed (the changed points written back into AXPoints as
// the server keeps it) against the same VariantCopy. Prints the times and
// the ratios.
//   wine bench_wine_points.exe [points] [rounds]
#include <windows.h>
#include <oleauto.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "server/core/exchange_model.h"
#include "server/com/variant_bridge.h"

using namespace topaline;
using SteadyClock = std::chrono::steady_clock;

namespace {

VARIANT MakePoints(long points) {
  SAFEARRAYBOUND bound{static_cast<ULONG>(points * 6), 0};
  SAFEARRAY* psa = SafeArrayCreate(VT_VARIANT, 1, &bound);
  VARIANT* e = nullptr;
  SafeArrayAccessData(psa, reinterpret_cast<void**>(&e));
  for (long i = 0; i < points; ++i) {
    VARIANT* p = e + i * 6;
    std::wstring hd = L"2A" + std::to_wstring(1000 + i);
    std::wstring desc = L"borne " + std::to_wstring(i % 97);
    V_VT(&p[0]) = VT_BSTR; V_BSTR(&p[0]) = SysAllocString(hd.c_str());
    V_VT(&p[1]) = VT_I4;   V_I4(&p[1]) = i + 1;
    V_VT(&p[2]) = VT_R8;   V_R8(&p[2]) = 1000.0 + i * 0.125;
    V_VT(&p[3]) = VT_R8;   V_R8(&p[3]) = 2000.0 - i * 0.25;
    V_VT(&p[4]) = VT_R8;   V_R8(&p[4]) = 100.0 + (i % 50) * 0.01;
    V_VT(&p[5]) = VT_BSTR; V_BSTR(&p[5]) = SysAllocString(desc.c_str());
  }
  SafeArrayUnaccessData(psa);
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_ARRAY | VT_VARIANT;
  V_ARRAY(&v) = psa;
  return v;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

double Ms(SteadyClock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

}  // namespace

int main(int argc, char** argv) {
  long points = argc > 1 ? std::atol(argv[1]) : 1000000;
  int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
  VARIANT source = MakePoints(points);

  std::vector<double> init, copy, apply, clear;
  ComExchange exchange;
  exchange.assign(Slot::AXPoints, source);
  for (int r = 0; r < rounds; ++r) {
    VARIANT dup;
    VariantInit(&dup);
    auto t0 = SteadyClock::now();
    VariantCopy(&dup, &source);
    auto t1 = SteadyClock::now();
    VariantClear(&dup);
    copy.push_back(Ms(t1 - t0));
    clear.push_back(Ms(SteadyClock::now() - t1));

    SafeArrayExchangeArray view(L"AXPoints");
    view.bind(&source);
    TDesPoints set;
    auto t2 = SteadyClock::now();
    set.Init(view);
    auto t3 = SteadyClock::now();
    init.push_back(Ms(t3 - t2));
    if (set.Count() != static_cast<std::size_t>(points)) {
      std::fprintf(stderr, "wrong count %zu\n", set.Count());
      return 1;
    }

    // Apply with every point changed, as the points list does it.
    for (auto& p : set.Items) {
      p.x += 0.5;
      p.Modifie = true;
    }
    auto t4 = SteadyClock::now();
    exchange.putElements(Slot::AXPoints, 6 * set.ModifiedCount(), [&](ElementSink& out) { set.WriteModified(out); });
    auto t5 = SteadyClock::now();
    apply.push_back(Ms(t5 - t4));
    if (exchange.get(Slot::AXPoints).upperBound() != static_cast<std::int32_t>(points * 6 - 1)) {
      std::fprintf(stderr, "Apply wrote %d elements\n", exchange.get(Slot::AXPoints).upperBound() + 1);
      return 1;
    }
  }
  double i = Median(init), c = Median(copy), a = Median(apply), f = Median(clear);
  std::printf("points %ld, median of %d rounds\n", points, rounds);
  std::printf("TDesPoints.Init over the SAFEARRAY: %8.1f ms\n", i);
  std::printf("VariantCopy of the SAFEARRAY:       %8.1f ms\n", c);
  std::printf("ratio Init / VariantCopy:           %8.2f\n", i / c);
  std::printf("Apply, every point changed:         %8.1f ms (of which freeing the AXPoints it replaces,\n"
              "                                               as long as one VariantClear: %.1f ms)\n", a, f);
  std::printf("ratio Apply / VariantCopy:          %8.2f   GOAL <= 1  %s\n", a / c, a <= c ? "met" : "MISSED");
  VariantClear(&source);
  return 0;
}
