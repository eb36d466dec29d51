#include "ui/screen_reader.h"

#include "ui/tool_button.h"

namespace topaline::ui {

namespace {

bool LinkedByAnotherLabel(const Component& c, const Label& except) {
  for (const auto& other : c.Owner().Components())
    if (other.get() != &except && other->GetKind() == Kind::Label &&
        static_cast<const Label&>(*other).FocusControl() == &c)
      return true;
  return false;
}

std::wstring Where(const Component& c) { return c.Owner().Name() + L"." + c.Name() + L": "; }

}  // namespace

bool TakesNameFromLabel(const Component& c) {
  switch (c.GetKind()) {
    case Kind::Edit:
    case Kind::ComboBox:
    case Kind::TrackBar:
    case Kind::TreeGrid:
      return true;
    default:
      return false;
  }
}

Component* NamedControl(const Label& label) {
  if (label.Caption().empty()) return nullptr;
  if (label.FocusControl()) return label.FocusControl();
  const Form& form = label.Owner();
  const int next = label.CreationIndex() + 1;
  if (next >= form.ComponentCount()) return nullptr;
  Component& c = form.ComponentAt(next);
  if (c.Parent() != label.Parent() || !TakesNameFromLabel(c) || LinkedByAnotherLabel(c, label)) return nullptr;
  return &c;
}

Label* NamingLabel(const Component& c) {
  for (const auto& other : c.Owner().Components())
    if (other->GetKind() == Kind::Label) {
      auto& label = static_cast<Label&>(*other);
      if (NamedControl(label) == &c) return &label;
    }
  return nullptr;
}

bool ShowsNoCaption(const Component& c) {
  switch (c.GetKind()) {
    case Kind::Button:
      return c.Caption().empty();
    case Kind::ToolButton:
      return c.Caption().empty() && static_cast<const ToolButton&>(c).GetStyle() != ToolButton::Style::Separator;
    case Kind::ColorSwatch:
    case Kind::PaletteGrid:
    case Kind::TreeGrid:
      return true;
    default:
      return false;
  }
}

std::wstring WindowName(const Component& c) {
  if (c.HasCaption() && !c.Caption().empty()) return c.Caption();
  if (!c.SpokenName().empty()) return c.SpokenName();
  return c.Hint();
}

std::vector<std::wstring> ScreenReaderFaults(const Form& form) {
  std::vector<std::wstring> faults;
  for (const auto& owned : form.Components()) {
    const Component& c = *owned;
    if (c.GetKind() == Kind::Label) {
      const Component* named = NamedControl(static_cast<const Label&>(c));
      if (named && named->Parent() != c.Parent())
        faults.push_back(Where(c) + L"names " + named->Name() + L", which lies under another parent");
      continue;
    }
    const Label* label = TakesNameFromLabel(c) || ShowsNoCaption(c) ? NamingLabel(c) : nullptr;
    // An in-place editor (no tab stop) is named by the cell it edits.
    if (TakesNameFromLabel(c) && c.IsFocusable() && c.TabStop() && !label &&
        (c.GetKind() == Kind::Edit || c.GetKind() == Kind::ComboBox || WindowName(c).empty()))
      faults.push_back(Where(c) + L"no label names it");
    else if (ShowsNoCaption(c) && !label && WindowName(c).empty())
      faults.push_back(Where(c) + L"shows no caption and has no window name");
  }
  return faults;
}

}  // namespace topaline::ui
