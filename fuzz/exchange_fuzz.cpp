// The exchange arrays as a host script may assign them: any shape, any
// element kinds, nested arrays. The models read them (points, groups,
// layers) and what they write back reads back the same; alldata goes
// through the commands that read it.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/fuzz_host.h"
#include "fuzz/fuzz_input.h"
#include "platform/error.h"
#include "server/commands.h"
#include "server/core/exchange.h"
#include "server/core/exchange_model.h"
#include "server/core/lance.h"
#include "server/core/points_view.h"
#include "server/core/session.h"

using namespace topaline;
using topaline::fuzz::TakeExchangeValue;
using topaline::fuzz::TakeText;

namespace {

bool Same(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b)); }

void Points(FuzzedDataProvider& in) {
  const Variant v = TakeExchangeValue(in);
  TDesPoints points;
  std::wstring failure;
  try {
    points.Init(VariantExchangeArray(v, L"AXPoints"));
  } catch (const Error& e) {
    failure = e.message();
  }
  // The list's view checks what the set reads: it fails alike, or reads
  // the same points.
  {
    VariantExchangeArray a(v, L"AXPoints");
    TPointsView view;
    std::wstring viewFailure;
    try {
      view.Open(a);
    } catch (const Error& e) {
      viewFailure = e.message();
    }
    if (viewFailure != failure) std::abort();
    for (std::size_t i = 0; failure.empty() && i < view.Count(); ++i) {
      const TUnPoint p = view.Point(i);
      const TUnPoint& q = points.Items[i];
      if (p.Numero != q.Numero || p.HD != q.HD || p.Desc != q.Desc || !Same(p.x, q.x) || !Same(p.y, q.y) ||
          !Same(p.z, q.z))
        std::abort();
    }
  }
  for (auto& p : points.Items) p.Modifie = true;
  const std::vector<Variant> written = points.WriteModified();
  if (written.size() != 6 * points.Count()) std::abort();
  TDesPoints back;
  back.Init(VariantExchangeArray(Variant::array(written), L"AXPoints"));  // never fails
  if (back.Count() != points.Count()) std::abort();
  for (std::size_t i = 0; i < back.Count(); ++i) {
    const TUnPoint &a = points.Items[i], &b = back.Items[i];
    if (a.Numero != b.Numero || a.HD != b.HD || a.Desc != b.Desc || !Same(a.x, b.x) || !Same(a.y, b.y) ||
        !Same(a.z, b.z))
      std::abort();
  }
}

void Groups(FuzzedDataProvider& in) {
  const Variant v = TakeExchangeValue(in);
  TDesGroupes groups;
  try {
    groups.Init(VariantExchangeArray(v, L"AXGroupes"));
  } catch (const Error&) {
  }
  TDesGroupes back;
  back.Init(VariantExchangeArray(Variant::array(groups.WriteGroups()), L"AXGroupes"));
  // Without a whole group the current Id is not read (it names no group).
  if (back.Count() != groups.Count() || (back.Count() > 0 && back.IdCourant != groups.IdCourant)) std::abort();
  for (std::size_t i = 0; i < back.Count(); ++i) {
    const TUnGroupe &a = groups.At(i), &b = back.At(i);
    if (a.Id != b.Id || a.Nom != b.Nom || a.Desc != b.Desc || a.Nbpoints != b.Nbpoints ||
        a.firstpoint != b.firstpoint || a.lastpoint != b.lastpoint)
      std::abort();
  }
  // What the manager does with them: new groups get unused names, a
  // rename is seen by Exist.
  for (int k = in.ConsumeIntegralInRange<int>(0, 3); k > 0; --k) {
    const std::wstring name = groups.NewName();
    if (groups.Exist(name)) std::abort();
    try {
      const TUnGroupe& g = groups.Add();
      if (g.Nom != name || !groups.Exist(name)) std::abort();
    } catch (const Error&) {
    }
  }
  if (groups.Count() > 0) {
    const std::int32_t id = groups.At(in.ConsumeIntegralInRange<std::size_t>(0, groups.Count() - 1)).Id;
    const std::wstring nom = TakeText(in);
    if (!groups.Rename(id, nom) || !groups.Exist(nom)) std::abort();
  }
}

void Layers(FuzzedDataProvider& in) {
  const Variant v = TakeExchangeValue(in);
  TDesCalques layers;
  try {
    layers.Init(VariantExchangeArray(v, L"AXCalques"));
  } catch (const Error&) {
  }
  for (const auto& l : layers.Items) {
    const TUnCalque* found = layers.GetByName(l.Nom);
    if (found == nullptr || found->Nom != l.Nom || found > &l) std::abort();
  }
}

std::vector<std::uint8_t> g_labels;

// alldata (and the other values) through the commands that read alldata:
// the group manager and the entry assistant's start.
void Commands(FuzzedDataProvider& in) {
  fuzz::FormsHost env;
  auto& [host, exchange, user] = env;
  host.registry.setString(kProductKey, L"installpath", L"C:\\Prog");
  host.registry.setString(kProductKey, L"appname", L"topaline3");
  host.registry.setString(kProductKey, L"langue", L"en");
  host.files.addFile(L"C:\\Prog\\language.lng", g_labels);
  for (Slot s : {Slot::AXPoints, Slot::AXGroupes, Slot::AXCalques, Slot::alldata})
    exchange.value(s) = TakeExchangeValue(in);
  // The user closes the manager one way or another; message boxes get
  // their first button.
  user.Always(L"frmGerer", [&in](ui::Form& f) {
    switch (in.ConsumeIntegralInRange<int>(0, 2)) {
      case 0: f.UserClose(); break;
      case 1: f.UserKey(27); break;
      default: f.UserKey(13); break;
    }
  });
  Session session(host.platform, exchange);
  try {
    Lance(session, in.ConsumeBool() ? L"0" : L"18", StandardCommands());
  } catch (const Error&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  g_labels = fuzz::SourceFileBytes(TOPALINE_SOURCE_DIR "/lang/en/language.lng");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  switch (in.ConsumeIntegralInRange<int>(0, 3)) {
    case 0: Points(in); break;
    case 1: Groups(in); break;
    case 2: Layers(in); break;
    default: Commands(in); break;
  }
  return 0;
}
