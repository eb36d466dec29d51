// Stored settings as a user's registry may hold them: a dialog section
// with values of any type and text, loaded into a form with one control of
// each persisted kind; and a grid's stored header state. What loads,
// saves and loads again the same; a header that restores saves a blob
// that restores the same.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  HeadlessPlatform host;
  VariantExchange exchange;
  ui::ScriptedUser user;
  host.platform.forms = &user;
  Session session(host.platform, exchange);
  if (in.ConsumeBool()) Section(in, host, session);
  else Header(in, host, session);
  return 0;
}
