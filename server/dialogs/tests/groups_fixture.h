// A session for the group dialogs' tests: the labels they use, and
// helpers to put AXGroupes / alldata as a host does and read them back.
#pragma once

#include <string>
#include <vector>

#include "server/dialogs/common/tests/forms_fixture.h"
#include "server/core/variant.h"

namespace topaline::testing {

inline const wchar_t kGroupLabels[] =
    L"611,\"L-Name\"\n"
    L"612,\"L-Desc\"\n"
    L"613,\"L-Count\"\n"
    L"614,\"L-First\"\n"
    L"615,\"L-Last\"\n"
    L"617,\" 1 group: \"\n"
    L"618,\" groups: \"\n"
    L"622,\"L-Check all\"\n"
    L"623,\"L-Uncheck all\"\n"
    L"706,\"Min above max\"\n"
    L"707,\"No criterion\"\n"
    L"708,\"Nothing chosen\"\n"
    L"710,\"Empty field\"\n"
    L"713,\"Duplicate name\"\n"
    L"736,\"Erase the objects?\"\n"
    L"738,\"Current cannot go\"\n"
    L"994,\"Yes\"\n"
    L"995,\"No\"\n";

struct G {
  std::int32_t id;
  std::wstring nom;
  std::wstring desc = L"d";
  std::int32_t nb = 0, first = 0, last = 0;
};

class GroupsTest : public FormsTest {
protected:
  GroupsTest() {
    session.Labels.InitFromText(kGroupLabels, L"test labels");
    PutAlldata({});
  }

  // AXGroupes as the host builds it: the current Id, then six elements
  // per group (Id as a number, as a host often sends it).
  void PutGroups(std::int32_t current, const std::vector<G>& groups) {
    std::vector<Variant> v{Variant::i4(current)};
    for (const G& g : groups) {
      v.push_back(Variant::i4(g.id));
      v.push_back(Variant::string(g.nom));
      v.push_back(Variant::string(g.desc));
      v.push_back(Variant::i4(g.nb));
      v.push_back(Variant::i4(g.first));
      v.push_back(Variant::i4(g.last));
    }
    exchange.value(Slot::AXGroupes) = Variant::array(std::move(v));
  }
  void PutAlldata(std::vector<Variant> v) { exchange.value(Slot::alldata) = Variant::array(std::move(v)); }

  // The elements of a slot as texts ("I4:7", "S:abc"), to check kinds too.
  std::vector<std::wstring> Elements(Slot slot) {
    std::vector<std::wstring> out;
    const Variant& v = exchange.value(slot);
    if (!v.isArray()) return {L"<not an array>"};
    for (const Variant& e : v.arrayValue().elements) {
      if (e.kind() == VarKind::I4) out.push_back(L"I4:" + std::to_wstring(e.intValue()));
      else if (e.kind() == VarKind::String) out.push_back(L"S:" + e.stringValue());
      else out.push_back(L"?");
    }
    return out;
  }
};

}  // namespace topaline::testing
