// The points list's model over a real 10^6-point SAFEARRAY of VARIANT
// (what the host assigns to AXPoints) against one VariantCopy of the same
// array, the least the server does with it anyway: opening the view (every
// element checked), and, for comparison, building the former model
// (TDesPoints.Init, a converted copy of every point); then the list's Apply
// with every point changed and with ten changed (the changed points
// written back into AXPoints as the server keeps it, the array they
// replace freed), beside what freeing a block the size of the array's
// elements costs alone. Prints the times and the ratios.
//   wine bench_wine_points.exe [points] [rounds]
#include <windows.h>
#include <oleauto.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "server/core/exchange_model.h"
#include "server/core/points_view.h"
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

  std::vector<double> init, open, copy, applyAll, applyTen, clear, release;
  ComExchange exchange;
  for (int r = 0; r < rounds; ++r) {
    VARIANT dup;
    VariantInit(&dup);
    auto t0 = SteadyClock::now();
    VariantCopy(&dup, &source);
    auto t1 = SteadyClock::now();
    VariantClear(&dup);
    copy.push_back(Ms(t1 - t0));
    clear.push_back(Ms(SteadyClock::now() - t1));

    {
      // What giving back the memory of the array's elements alone costs
      // (one block of that size, written once): the least any Apply that
      // replaces the array pays.
      const std::size_t bytes = std::size_t(points) * 6 * sizeof(VARIANT);
      auto* block = static_cast<unsigned char*>(::operator new(bytes));
      std::memset(block, 1, bytes);
      auto t2 = SteadyClock::now();
      ::operator delete(block);
      release.push_back(Ms(SteadyClock::now() - t2));
    }
    {
      SafeArrayExchangeArray view(L"AXPoints");
      view.bind(&source);
      TDesPoints set;
      auto t2 = SteadyClock::now();
      set.Init(view);
      init.push_back(Ms(SteadyClock::now() - t2));
    }

    // Apply as the points list does it, with every point changed, then
    // with ten changed: AXPoints holds its own copy of the host's array
    // each time (a put), which the write-back replaces.
    for (std::size_t changed : {std::size_t(points), std::size_t(10)}) {
      exchange.assign(Slot::AXPoints, source);
      TPointsView pts;
      auto t2 = SteadyClock::now();
      pts.Open(exchange.get(Slot::AXPoints));
      const double opened = Ms(SteadyClock::now() - t2);
      if (pts.Count() != static_cast<std::size_t>(points)) {
        std::fprintf(stderr, "wrong count %zu\n", pts.Count());
        return 1;
      }
      if (changed == std::size_t(points)) open.push_back(opened);
      const std::size_t step = pts.Count() / changed;
      for (std::size_t i = 0; i < pts.Count(); i += step)
        pts.SetCoordinate(i, TPointsView::X, pts.Coordinate(i, TPointsView::X) + 0.5, true);
      auto t4 = SteadyClock::now();
      pts.WriteBack(exchange, Slot::AXPoints);
      const double applied = Ms(SteadyClock::now() - t4);
      (changed == std::size_t(points) ? applyAll : applyTen).push_back(applied);
      if (exchange.get(Slot::AXPoints).upperBound() != static_cast<std::int32_t>(changed * 6 - 1)) {
        std::fprintf(stderr, "Apply wrote %d elements\n", exchange.get(Slot::AXPoints).upperBound() + 1);
        return 1;
      }
      // Once more over what was written (its texts taken over from the
      // array before it, when most points changed): the texts stay whole.
      pts.Open(exchange.get(Slot::AXPoints));
      for (std::size_t i = 0; i < pts.Count(); ++i)
        pts.SetCoordinate(i, TPointsView::Y, pts.Coordinate(i, TPointsView::Y) + 1, true);
      pts.WriteBack(exchange, Slot::AXPoints);
      const ExchangeArray& w = exchange.get(Slot::AXPoints);
      const std::size_t last = changed - 1;
      if (w.textAt(0) != L"2A1000" || w.textAt(static_cast<std::int32_t>(6 * last + 5)) !=
                                           L"borne " + std::to_wstring((last * step) % 97)) {
        std::fprintf(stderr, "Apply wrote other texts\n");
        return 1;
      }
    }
  }
  const double i = Median(init), o = Median(open), c = Median(copy), a = Median(applyAll), t = Median(applyTen),
               f = Median(clear), g = Median(release);
  std::printf("points %ld, median of %d rounds\n", points, rounds);
  std::printf("VariantCopy of the SAFEARRAY:       %8.1f ms (one VariantClear of it: %.1f ms)\n", c, f);
  std::printf("the view opened (every element checked): %8.1f ms, ratio to VariantCopy %.3f\n", o, o / c);
  std::printf("former model, TDesPoints.Init:      %8.1f ms, ratio to VariantCopy %.2f\n", i, i / c);
  std::printf("Apply, every point changed:         %8.1f ms, ratio to VariantCopy %.3f   GOAL <= 1  %s\n", a, a / c,
              a <= c ? "met" : "MISSED");
  std::printf("Apply, ten points changed:          %8.1f ms, ratio to VariantCopy %.4f  GOAL <= 0.01  %s\n", t,
              t / c, t <= 0.01 * c ? "met" : "MISSED");
  std::printf("  freeing one block the size of the array's elements: %.1f ms, ratio to VariantCopy %.4f\n", g,
              g / c);
  VariantClear(&source);
  return 0;
}
