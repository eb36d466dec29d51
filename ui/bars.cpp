#include "ui/bars.h"

#include <algorithm>

#include "platform/error.h"

namespace topaline::ui {

// ---------------------------------------------------------------- StatusBar

StatusBar::StatusBar(Form& owner, Component* parent, std::wstring name)
    : Component(Kind::StatusBar, owner, parent, std::move(name)) {}

void StatusBar::SetSimplePanel(bool v) {
  if (v == simplePanel_) return;
  simplePanel_ = v;
  Notify(Property::Items);
}

void StatusBar::SetSimpleText(const std::wstring& v) {
  if (v == simpleText_) return;
  simpleText_ = v;
  Notify(Property::Items);
}

void StatusBar::AddPanel(int width, const std::wstring& text) {
  panels_.push_back(PanelInfo{text, width});
  Notify(Property::Items);
}

void StatusBar::SetPanelText(int index, const std::wstring& text) {
  if (index < 0 || index >= static_cast<int>(panels_.size()))
    throw Error(L"Status bar \"" + Name() + L"\" has no panel " + std::to_wstring(index));
  auto& p = panels_[static_cast<std::size_t>(index)];
  if (p.text == text) return;
  p.text = text;
  Notify(Property::Items);
}

const std::wstring& StatusBar::PanelText(int index) const {
  if (index < 0 || index >= static_cast<int>(panels_.size()))
    throw Error(L"Status bar \"" + Name() + L"\" has no panel " + std::to_wstring(index));
  return panels_[static_cast<std::size_t>(index)].text;
}

const std::wstring& StatusBar::StatusText() const {
  if (!simplePanel_ && !panels_.empty()) return panels_.front().text;
  return simpleText_;
}

// ---------------------------------------------------------------- TrackBar

TrackBar::TrackBar(Form& owner, Component* parent, std::wstring name)
    : Component(Kind::TrackBar, owner, parent, std::move(name)) {}

void TrackBar::SetRange(int min, int max) {
  if (max < min) std::swap(min, max);
  min_ = min;
  max_ = max;
  Notify(Property::Range);
  SetPosition(position_);
}

void TrackBar::SetPosition(int v) {
  v = std::clamp(v, min_, max_);
  if (v == position_) return;
  position_ = v;
  Notify(Property::Position);
  if (OnChange) OnChange();
}

void TrackBar::SetFrequency(int f) {
  if (f == frequency_) return;
  frequency_ = f;
  Notify(Property::Range);
}

void TrackBar::SetPositionToolTip(bool v) {
  if (v == positionToolTip_) return;
  positionToolTip_ = v;
  Notify(Property::Style);
}

void TrackBar::UserSetPosition(int v) {
  if (ShouldIgnoreUser()) return;
  Dispatch([&] {
    if (CanFocus() && !Focused()) SetFocus();
    SetPosition(v);
  });
}

bool TrackBar::DefaultKeyDown(int key, ShiftState) {
  int page = std::max(1, (max_ - min_) / 5);
  switch (key) {
    case Key::Left: case Key::Up: SetPosition(position_ - 1); return true;
    case Key::Right: case Key::Down: SetPosition(position_ + 1); return true;
    case Key::PageUp: SetPosition(position_ - page); return true;
    case Key::PageDown: SetPosition(position_ + page); return true;
    case Key::Home: SetPosition(min_); return true;
    case Key::End: SetPosition(max_); return true;
    default: return false;
  }
}

}  // namespace topaline::ui
