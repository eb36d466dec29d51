// Stored settings as a user's registry may hold them: a dialog section
// with values of any type and text, loaded into a form with one control of
// each persisted kind; a grid's stored header state; and a form's stored
// geometry, of any size, on a work area of any place and size. What loads,
// saves and loads again the same; a header that restores saves a blob
// that restores the same; a restored form is always reachable on the work
// area, and opens there again once it has been saved.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "fuzz/fuzz_host.h"
#include "fuzz/fuzz_input.h"
#include "platform/error.h"
#include "server/core/exchange.h"
#include "server/core/session.h"
#include "server/dialogs/common/settings.h"
#include "server/dialogs/common/vexa_edit.h"
#include "ui/controls.h"
#include "ui/headless/scripted_user.h"
#include "ui/tree_grid.h"

using namespace topaline;
using topaline::fuzz::TakeRegistryValue;
using topaline::fuzz::TakeText;

namespace {

const wchar_t kSection[] = L"fuzzed";

struct SampleForm : ui::Form {
  SampleForm() : ui::Form(L"frmSample") {
    SetClientSize(400, 300);
    auto& check = Add<ui::CheckBox>(this, L"check", {8, 8, 100, 17});
    Add<ui::Edit>(this, L"edit", {8, 30, 100, 21});
    auto& number = Add<TVexaEdit>(this, L"number", {8, 52, 100, 21});
    auto& box = Add<ui::GroupBox>(this, L"box", {8, 80, 300, 100});
    auto& r1 = Add<ui::RadioButton>(&box, L"r1", {8, 20, 80, 17});
    Add<ui::RadioButton>(&box, L"r2", {8, 40, 80, 17});
    Add<ui::Edit>(&box, L"inside", {8, 60, 80, 21});
    auto& list = Add<ui::ComboBox>(this, L"list", {8, 190, 100, 21});
    list.SetStyle(ui::ComboBox::Style::DropDownList);
    list.SetItems({L"0", L"1", L"2", L"3"});
    auto& combo = Add<ui::ComboBox>(this, L"combo", {120, 190, 100, 21});
    combo.SetItems({L"a", L"b"});
    Add<ui::Panel>(this, L"panel", {8, 220, 100, 30});
    Add<ui::ColorSwatch>(this, L"c15", {120, 220, 20, 20});
    Add<ui::Label>(this, L"caption", {8, 260, 100, 13});
    // Reactions as the dialogs have them: a check enables a group.
    check.OnClick = [&] { EnableChildren(box, check); };
    r1.OnClick = [&] { number.SetEnabled(r1.Checked()); };
    number.SetTypeValeur(TTypeValeur::tvFloat);
  }
};

const wchar_t* const kNames[] = {L"check", L"EDIT", L"number", L"r1", L"r2", L"inside", L"list",
                                 L"combo", L"panel", L"c15", L"caption", L"box", L"other"};

std::vector<ui::StoredValue> Snapshot(ui::Form& form) {
  std::vector<ui::StoredValue> out;
  for (const auto& c : form.Components()) out.push_back(c->GetStoredValue());
  return out;
}

bool Equal(const std::vector<ui::StoredValue>& a, const std::vector<ui::StoredValue>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i].type != b[i].type || a[i].truth != b[i].truth || a[i].integer != b[i].integer || a[i].text != b[i].text)
      return false;
  return true;
}

void Section(FuzzedDataProvider& in, HeadlessPlatform& host, Session& session) {
  for (int n = in.ConsumeIntegralInRange<int>(0, 12); n > 0; --n) {
    const std::wstring name = in.ConsumeBool() ? std::wstring(in.PickValueInArray(kNames)) : TakeText(in, 8);
    TakeRegistryValue(in, host.registry, SectionPath(kSection), name);
  }
  SampleForm form;
  try {
    LoadSettings(session, kSection, form);
  } catch (const Error&) {
    return;
  }
  const auto loaded = Snapshot(form);
  SaveSettings(session, form, kSection);
  SampleForm again;
  LoadSettings(session, kSection, again);  // what was saved always loads
  if (!Equal(Snapshot(again), loaded)) std::abort();
}

void Header(FuzzedDataProvider& in, HeadlessPlatform& host, Session& session) {
  const int columns = in.ConsumeIntegralInRange<int>(0, 9);
  auto makeGrid = [columns](ui::Form& f) -> ui::TreeGrid& {
    auto& grid = f.Add<ui::TreeGrid>(&f, L"TVGrid", ui::Rect{0, 0, 300, 200});
    for (int i = 0; i < columns; ++i) grid.AddColumn(L"c" + std::to_wstring(i), 60);
    return grid;
  };
  ui::Form form(L"frmSample");
  ui::TreeGrid& grid = makeGrid(form);
  const std::vector<std::uint8_t> designed = grid.SaveHeaderState();
  if (in.ConsumeBool()) {
    // A blob of the right size and version, so the fields themselves get
    // fuzzed.
    std::vector<std::uint8_t> blob = in.ConsumeBytes<std::uint8_t>(designed.size());
    blob.resize(designed.size());
    if (!blob.empty()) blob[0] = designed[0];
    host.registry.setBinary(SectionPath(L"frmSample"), L"TVGrid", blob);
  } else {
    TakeRegistryValue(in, host.registry, SectionPath(L"frmSample"), in.ConsumeBool() ? L"TVGrid" : L"tvgrid");
  }
  RestoreHeaderState(session, form, grid);
  const std::vector<std::uint8_t> state = grid.SaveHeaderState();
  ui::Form other(L"frmOther");
  ui::TreeGrid& fresh = makeGrid(other);
  if (!fresh.RestoreHeaderState(state) || fresh.SaveHeaderState() != state) std::abort();
  const auto order = grid.ColumnOrder();
  std::vector<bool> seen(static_cast<std::size_t>(columns), false);
  if (order.size() != seen.size()) std::abort();
  for (int c : order) {
    if (c < 0 || c >= columns || seen[static_cast<std::size_t>(c)]) std::abort();
    seen[static_cast<std::size_t>(c)] = true;
  }
}

// A stored coordinate or size: mostly a DWORD, often one near the limits
// of an int, sometimes a value of another type or none at all.
void TakeGeometryValue(FuzzedDataProvider& in, HeadlessRegistry& registry, const std::wstring& path,
                       const wchar_t* name) {
  constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  const std::int32_t edges[] = {kMin, kMin + 1, kMin + 48, -32768, -1, 0, 1, 19, 39, 32767, 32768, kMax - 48, kMax - 1, kMax};
  switch (in.ConsumeIntegralInRange<int>(0, 5)) {
    case 0: break;  // missing
    case 1: TakeRegistryValue(in, registry, path, name); break;
    case 2:
      // Near an edge, wrapping round past it as a DWORD does.
      registry.setDword(path, name, static_cast<std::uint32_t>(in.PickValueInArray(edges)) +
                                        static_cast<std::uint32_t>(in.ConsumeIntegralInRange<std::int32_t>(-50, 50)));
      break;
    case 3: registry.setDword(path, name, static_cast<std::uint32_t>(in.PickValueInArray(edges))); break;
    case 4: registry.setDword(path, name, in.ConsumeIntegral<std::uint32_t>()); break;
    default: registry.setDword(path, name, static_cast<std::uint32_t>(in.ConsumeIntegralInRange<std::int32_t>(-3000, 3000))); break;
  }
}

void Geometry(FuzzedDataProvider& in, HeadlessPlatform& host, Session& session, ui::ScriptedUser& user) {
  if (in.ConsumeBool()) {
    // A work area anywhere a monitor can be (a second screen to the left
    // or above has negative coordinates), of any size.
    const ui::Rect area{in.ConsumeIntegralInRange<int>(-8000, 8000), in.ConsumeIntegralInRange<int>(-8000, 8000),
                        in.ConsumeIntegralInRange<int>(1, 16000), in.ConsumeIntegralInRange<int>(1, 16000)};
    user.SetScreen(ui::Size{area.width, area.height}, area);
  }
  const std::wstring path = SectionPath(L"frmSample");
  for (const wchar_t* name : {L"x", L"y", L"w", L"h"}) TakeGeometryValue(in, host.registry, path, name);
  const auto* x = host.registry.value(path, L"x");
  const auto* y = host.registry.value(path, L"y");
  const auto* w = host.registry.value(path, L"w");
  const auto* h = host.registry.value(path, L"h");
  const bool stored = x && y && w && h && x->type == RegType::Dword && y->type == RegType::Dword &&
                      w->type == RegType::Dword && h->type == RegType::Dword &&
                      static_cast<std::int32_t>(w->dword) > 0 && static_cast<std::int32_t>(h->dword) > 0;

  const ui::Rect designed{10, 20, 300, 200};
  SampleForm form;
  form.SetBounds(designed);
  RestoreFormPos(session, form);
  const ui::Rect r = form.Bounds();
  if (!stored) {
    if (r != designed) std::abort();  // nothing usable stored: the design stays
    return;
  }
  // Reachable: the caption bar on the work area, and a good part of the
  // window (all of it when it is small).
  const ui::Rect area = user.WorkAreaFor(r);
  const std::int64_t right = std::int64_t{r.left} + r.width, bottom = std::int64_t{r.top} + r.height;
  const std::int64_t areaRight = std::int64_t{area.left} + area.width, areaBottom = std::int64_t{area.top} + area.height;
  const std::int64_t visibleW = std::min(right, areaRight) - std::max<std::int64_t>(r.left, area.left);
  const std::int64_t visibleH = std::min(bottom, areaBottom) - std::max<std::int64_t>(r.top, area.top);
  if (r.width <= 0 || r.height <= 0) std::abort();
  if (visibleW < std::min(40, r.width) || visibleH < std::min(20, r.height)) std::abort();
  if (r.top < area.top || r.top > areaBottom - std::min(20, r.height)) std::abort();
  // Closed there, it opens there again.
  SaveFormPos(session, form);
  SampleForm again;
  RestoreFormPos(session, again);
  if (again.Bounds() != r) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  fuzz::FormsHost env;
  auto& [host, exchange, user] = env;
  Session session(host.platform, exchange);
  if (in.ConsumeBool()) Section(in, host, session);
  else if (in.ConsumeBool()) Geometry(in, host, session, user);
  else Header(in, host, session);
  return 0;
}
