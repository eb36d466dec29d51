#include "ui/windowless.h"

namespace topaline::ui {

// ---------------------------------------------------------------- ImageList

ImageList::ImageList(Form& owner, Component* parent, std::wstring name)
    : Component(Kind::ImageList, owner, parent, std::move(name)) {
  SetVisible(false);
}

void ImageList::SetStrip(const std::wstring& resource, int imageWidth, int imageHeight, int count) {
  resource_ = resource;
  width_ = imageWidth;
  height_ = imageHeight;
  count_ = count;
  Notify(Property::Image);
}

// ---------------------------------------------------------------- PopupMenu, MenuItem

PopupMenu::PopupMenu(Form& owner, Component* parent, std::wstring name)
    : Component(Kind::PopupMenu, owner, parent, std::move(name)) {
  SetVisible(false);
}

std::vector<MenuItem*> PopupMenu::Items() const {
  std::vector<MenuItem*> items;
  for (Component* c : Children())
    if (c->GetKind() == Kind::MenuItem) items.push_back(static_cast<MenuItem*>(c));
  return items;
}

void PopupMenu::UserPopup() {
  Dispatch([this] {
    if (OnPopup) OnPopup();
  });
}

MenuItem::MenuItem(Form& owner, Component* parent, std::wstring name)
    : Component(Kind::MenuItem, owner, parent, std::move(name)) {}

void MenuItem::SetChecked(bool v) {
  if (v == checked_) return;
  checked_ = v;
  Notify(Property::Checked);
}

void MenuItem::UserClick() {
  // Menu items live in a hidden popup: only their own enabled state counts.
  if (!Enabled()) return;
  Dispatch([this] { Click(); });
}

// ---------------------------------------------------------------- Timer

Timer::Timer(Form& owner, Component* parent, std::wstring name)
    : Component(Kind::Timer, owner, parent, std::move(name)) {
  SetTabStop(false);
}

void Timer::SetInterval(int ms) {
  if (ms == interval_) return;
  interval_ = ms;
  Notify(Property::Timer);
}

void Timer::SetEnabled(bool v) {
  if (v == Enabled()) return;
  Component::SetEnabled(v);
  Notify(Property::Timer);
}

void Timer::UserTick() {
  if (!Enabled() || interval_ <= 0) return;
  Dispatch([this] {
    if (OnTimer) OnTimer();
  });
}

}  // namespace topaline::ui
