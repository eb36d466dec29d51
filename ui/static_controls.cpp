#include "ui/static_controls.h"

namespace topaline::ui {

// ---------------------------------------------------------------- Label

Label::Label(Form& owner, Component* parent, std::wstring name)
    : Component(Kind::Label, owner, parent, std::move(name)) {
  SetTabStop(false);
}

void Label::SetWordWrap(bool v) {
  if (v == wordWrap_) return;
  wordWrap_ = v;
  Notify(Property::Style);
}

void Label::SetTransparent(bool v) {
  if (v == transparent_) return;
  transparent_ = v;
  Notify(Property::Style);
}

void Label::SetAlignment(Alignment a) {
  if (a == alignment_) return;
  alignment_ = a;
  Notify(Property::Style);
}

// ---------------------------------------------------------------- Image

Image::Image(Form& owner, Component* parent, std::wstring name)
    : Component(Kind::Image, owner, parent, std::move(name)) {}

void Image::SetStockIcon(int id) {
  if (id == stockIcon_) return;
  stockIcon_ = id;
  if (id != 0) resource_.clear();
  Notify(Property::Image);
}

void Image::SetResource(const std::wstring& name) {
  if (name == resource_) return;
  resource_ = name;
  if (!name.empty()) stockIcon_ = 0;
  Notify(Property::Image);
}

}  // namespace topaline::ui
