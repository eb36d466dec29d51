#include "ui/tool_button.h"

namespace topaline::ui {

// ---------------------------------------------------------------- ToolButton

ToolButton::ToolButton(Form& owner, Component* parent, std::wstring name)
    : Component(Kind::ToolButton, owner, parent, std::move(name)) {
  SetTabStop(false);
}

void ToolButton::SetStyle(Style s) {
  if (s == style_) return;
  style_ = s;
  Notify(Property::Style);
}

void ToolButton::SetImageIndex(int i) {
  if (i == imageIndex_) return;
  imageIndex_ = i;
  Notify(Property::Image);
}

void ToolButton::SetDown(bool v) {
  if (v == down_) return;
  down_ = v;
  Notify(Property::Checked);
}

void ToolButton::UserClick() {
  if (ShouldIgnoreUser() || style_ == Style::Separator) return;
  Dispatch([this] {
    if (style_ == Style::Check) SetDown(!down_);
    Click();
  });
}

void ToolButton::Click() {
  if (modalResult_ != mrNone) Owner().SetModalResult(modalResult_);
  Component::Click();
}

}  // namespace topaline::ui
