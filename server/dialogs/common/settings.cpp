#include "server/dialogs/common/settings.h"

#include <algorithm>
#include <limits>

#include "server/dialogs/common/message_labels.h"
#include "platform/error.h"
#include "server/core/labels.h"
#include "server/dialogs/common/message_box.h"
#include "server/core/number_format.h"
#include "server/core/session.h"
#include "server/core/text_compare.h"
#include "ui/controls.h"
#include "ui/form_runner.h"
#include "ui/tree_grid.h"

namespace topaline {

namespace {

std::unique_ptr<RegistryKey> OpenSection(Session& session, const std::wstring& name, bool create) {
  std::unique_ptr<RegistryKey> key = session.platform.registry.open(SectionPath(name), create);
  if (!key && create) throw Error(L"Cannot open the registry key HKEY_CURRENT_USER\\" + SectionPath(name) + L".");
  return key;
}

// The text a section holds for a stored value.
std::wstring StoredText(const ui::StoredValue& value) {
  switch (value.type) {
    case ui::StoredValue::Type::Truth:
      return value.truth ? L"1" : L"0";
    case ui::StoredValue::Type::Integer:
      return IntToText(value.integer);
    case ui::StoredValue::Type::Text:
      return value.text;
    case ui::StoredValue::Type::None:
      break;
  }
  return {};
}

[[noreturn]] void ThrowBadValue(const std::wstring& section, const std::wstring& name, const std::wstring& text,
                                const wchar_t* expected) {
  throw Error(L"The setting \"" + name + L"\" of section \"" + section + L"\" holds \"" + text +
              L"\", which is not " + expected + L".");
}

// The stored value of the given type that a section's text spells.
ui::StoredValue ParseStored(ui::StoredValue::Type type, const std::wstring& section, const std::wstring& name,
                            const std::wstring& text) {
  switch (type) {
    case ui::StoredValue::Type::Truth: {
      bool checked = false;
      if (!ParseCheckState(text, checked)) ThrowBadValue(section, name, text, L"a number nor True or False");
      return ui::StoredValue::OfTruth(checked);
    }
    case ui::StoredValue::Type::Integer: {
      std::int32_t v = 0;
      if (ParseInt32(text, v) != ParseResult::Ok) ThrowBadValue(section, name, text, L"an integer");
      return ui::StoredValue::OfInteger(v);
    }
    case ui::StoredValue::Type::Text:
    case ui::StoredValue::Type::None:
      break;
  }
  return ui::StoredValue::OfText(text);
}

bool ReadDword(RegistryKey& key, const wchar_t* name, std::int32_t& out) {
  if (key.valueType(name) != RegType::Dword) return false;
  out = static_cast<std::int32_t>(key.readDword(name));
  return true;
}

}  // namespace

std::wstring SectionPath(const std::wstring& section) { return std::wstring(kProductKey) + L"\\" + section; }

bool ParseCheckState(const std::wstring& text, bool& checked) {
  double v = 0;
  if (ParseNumber(text, v)) {
    checked = v != 0;
    return true;
  }
  if (EqualsIgnoreCaseAscii(text, L"true")) {
    checked = true;
    return true;
  }
  if (EqualsIgnoreCaseAscii(text, L"false")) {
    checked = false;
    return true;
  }
  return false;
}

void SaveSettings(Session& session, ui::Form& form, const std::wstring& section) {
  std::unique_ptr<RegistryKey> key = OpenSection(session, section, true);
  for (const auto& owned : form.Components()) {
    const ui::Component& c = *owned;
    if (!c.HasStoredValue() || c.Name().empty()) continue;
    if (!key->hasValue(c.Name())) continue;
    key->writeString(c.Name(), StoredText(c.GetStoredValue()));
  }
}

void LoadSettings(Session& session, const std::wstring& section, ui::Form& form) {
  std::unique_ptr<RegistryKey> key = OpenSection(session, section, true);
  for (const std::wstring& name : key->valueNames()) {
    if (key->valueType(name) != RegType::String)
      throw Error(L"The setting \"" + name + L"\" of section \"" + section + L"\" is not a text value.");
    std::wstring text = key->readString(name);
    ui::Component* c = form.FindComponentNoCase(name);
    if (c && c->HasStoredValue()) c->LoadStoredValue(ParseStored(c->StoredValueType(), section, name, text));
  }
}

bool HasSetting(Session& session, const std::wstring& section, const std::wstring& name) {
  std::unique_ptr<RegistryKey> key = OpenSection(session, section, false);
  return key && key->hasValue(name);
}

std::wstring ReadSetting(Session& session, const std::wstring& section, const std::wstring& name) {
  std::unique_ptr<RegistryKey> key = OpenSection(session, section, true);
  switch (key->valueType(name)) {
    case RegType::String:
      return key->readString(name);
    case RegType::Dword:
      return IntToText(key->readDword(name));
    default:
      return {};
  }
}

void SaveFormPos(Session& session, ui::Form& form) {
  std::unique_ptr<RegistryKey> key = OpenSection(session, form.Name(), true);
  key->writeDword(L"x", static_cast<std::uint32_t>(form.Left()));
  key->writeDword(L"y", static_cast<std::uint32_t>(form.Top()));
  key->writeDword(L"w", static_cast<std::uint32_t>(form.Width()));
  key->writeDword(L"h", static_cast<std::uint32_t>(form.Height()));
}

void RestoreFormPos(Session& session, ui::Form& form) {
  std::unique_ptr<RegistryKey> key = OpenSection(session, form.Name(), false);
  if (!key) return;
  std::int32_t x = 0, y = 0, w = 0, h = 0;
  if (!ReadDword(*key, L"x", x) || !ReadDword(*key, L"y", y) || !ReadDword(*key, L"w", w) ||
      !ReadDword(*key, L"h", h))
    return;
  if (w <= 0 || h <= 0) return;  // never a usable window: keep the design
  // No window is larger than the coordinates of a screen go.
  constexpr std::int32_t kLargest = 32767;
  w = std::min(w, kLargest);
  h = std::min(h, kLargest);
  ui::Rect r{x, y, w, h};
  // The stored place wins over a centred design.
  form.SetPosition(ui::FormPosition::Designed);
  if (FormRunner* runner = session.platform.forms) {
    // A window is reachable when a good part of it, its caption bar
    // included, lies on a monitor. Otherwise bring it back onto the work
    // area nearest to where it was.
    // Stored values may be anything: the edges are worked out in 64 bits,
    // and the monitor is asked about the part of the place that fits an int.
    const std::int64_t right = std::int64_t{x} + w, bottom = std::int64_t{y} + h;
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    ui::Rect probe{x, y, static_cast<int>(std::min(right, kMax) - x), static_cast<int>(std::min(bottom, kMax) - y)};
    ui::Rect area = runner->WorkAreaFor(probe);
    std::int64_t visibleW = std::min<std::int64_t>(right, area.right()) - std::max(x, area.left);
    std::int64_t visibleH = std::min<std::int64_t>(bottom, area.bottom()) - std::max(y, area.top);
    bool captionReachable = y >= area.top && y <= area.bottom() - 20;
    if (visibleW < 40 || visibleH < 20 || !captionReachable) {
      r.width = std::min(r.width, area.width);
      r.height = std::min(r.height, area.height);
      form.SetBounds(r);
      form.KeepInside(area);
    } else {
      form.SetBounds(r);
    }
  } else {
    form.SetBounds(r);
  }
}

void SaveHeaderState(Session& session, ui::Form& form, ui::TreeGrid& grid) {
  std::unique_ptr<RegistryKey> key = OpenSection(session, form.Name(), true);
  key->writeBinary(grid.Name(), grid.SaveHeaderState());
}

void SaveWindowState(Session& session, ui::Form& form, bool place, const std::vector<ui::TreeGrid*>& grids) noexcept {
  try {
    if (place) SaveFormPos(session, form);
    for (ui::TreeGrid* grid : grids) SaveHeaderState(session, form, *grid);
  } catch (...) {
    ShowErrorBox(session, CurrentExceptionMessage());
  }
}

void RestoreHeaderState(Session& session, ui::Form& form, ui::TreeGrid& grid) {
  std::unique_ptr<RegistryKey> key = OpenSection(session, form.Name(), false);
  if (!key || key->valueType(grid.Name()) != RegType::Binary) return;
  grid.RestoreHeaderState(key->readBinary(grid.Name()));
}

bool CheckEmptyField(Session& session, ui::Edit& field) {
  if (!TrimBlanks(field.Text()).empty()) return false;
  ShowLabelMsg(session, labels::kEmptyField);
  field.SelectAll();
  if (field.CanFocus()) field.SetFocus();
  return true;
}

bool CheckLayerWarning(Session& session, ui::Edit& field) {
  if (ReadSetting(session, L"options", L"avertcalq") == L"0") return true;
  std::wstring name(TrimBlanks(field.Text()));
  const TUnCalque* layer = session.Layers.GetByName(name);
  if (!layer) return true;
  if (layer->Gele != 1 && layer->Etat >= 0) return true;
  std::wstring text = LabelText(session, labels::kLayerBefore) + name + LabelText(session, labels::kLayerAfter);
  return ShowErrMsg(session, text, {L"Ok", LabelText(session, labels::kLayerCancel)}, ui::IconWarning) == 1;
}

bool CheckNumber(Session& session, ui::Edit& field, bool showMessage) {
  std::wstring text = field.Text();
  std::replace(text.begin(), text.end(), L',', L'.');
  text = std::wstring(TrimBlanks(text));
  field.SetText(text);

  std::size_t percent = text.find(L'%');
  std::wstring number = percent == std::wstring::npos ? text : text.substr(0, percent);
  double v = 0;
  if (ParseNumber(number, v)) {
    field.SetText(FormatFixed(v, 3) + (percent == std::wstring::npos ? L"" : L"%"));
    return true;
  }
  session.platform.system.beep(440, 100);
  if (showMessage) ShowLabelMsg(session, labels::kBadNumber);
  field.SelectAll();
  if (field.CanFocus()) field.SetFocus();
  return false;
}

void CheckNumberOnExitAndEnter(Session& session, ui::Edit& field) {
  // The dialog closing takes the focus away too: that is no leaving to
  // check (the message would come after the dialog is gone).
  field.OnExit = [&session, &field] {
    if (field.Owner().GetModalResult() == ui::mrNone) CheckNumber(session, field, true);
  };
  field.OnKeyUp = [&session, &field](int& key, ui::ShiftState) {
    if (key == ui::Key::Enter) CheckNumber(session, field, false);
  };
}

bool CheckNumberToSave(Session& session, const std::wstring& section, ui::Edit& field) {
  return !HasSetting(session, section, field.Name()) || CheckNumber(session, field, true);
}

void EnableChildren(ui::Component& container, ui::CheckableControl& box) {
  const bool on = box.Checked();

  auto isContainer = [](const ui::Component& c) {
    return c.GetKind() == ui::Kind::GroupBox || c.GetKind() == ui::Kind::Panel;
  };
  if (isContainer(container) || container.GetKind() == ui::Kind::TabSheet) {
    for (ui::Component* child : container.Children()) {
      if (isContainer(*child)) {
        for (ui::Component* grandChild : child->Children()) grandChild->SetEnabled(on);
      } else {
        child->SetEnabled(on);
      }
    }
  }
  box.SetEnabled(true);
}

}  // namespace topaline
