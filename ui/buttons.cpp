#include "ui/buttons.h"

#include "platform/error.h"

namespace topaline::ui {

// ---------------------------------------------------------------- Button

Button::Button(Form& owner, Component* parent, std::wstring name)
    : Component(Kind::Button, owner, parent, std::move(name)) {}

Button::Button(Kind kind, Form& owner, Component* parent, std::wstring name)
    : Component(kind, owner, parent, std::move(name)) {}

Button::~Button() {
  Form& f = Owner();
  if (f.defaultButton_ == this) f.defaultButton_ = nullptr;
  if (f.cancelButton_ == this) f.cancelButton_ = nullptr;
}

void Button::SetDefault(bool v) {
  Form& f = Owner();
  if (v) {
    if (f.defaultButton_ && f.defaultButton_ != this) {
      f.defaultButton_->default_ = false;
      f.defaultButton_->Notify(Property::Style);
    }
    f.defaultButton_ = this;
  } else if (f.defaultButton_ == this) {
    f.defaultButton_ = nullptr;
  }
  if (v == default_) return;
  default_ = v;
  Notify(Property::Style);
}

void Button::SetCancel(bool v) {
  Form& f = Owner();
  if (v) {
    if (f.cancelButton_ && f.cancelButton_ != this) f.cancelButton_->cancel_ = false;
    f.cancelButton_ = this;
  } else if (f.cancelButton_ == this) {
    f.cancelButton_ = nullptr;
  }
  cancel_ = v;
}

void Button::SetImageIndex(int i) {
  if (i == imageIndex_) return;
  imageIndex_ = i;
  Notify(Property::Image);
}

void Button::UserClick() {
  if (ShouldIgnoreUser()) return;
  Dispatch([this] {
    // A push button takes the focus when pressed; when the control being
    // left keeps the focus (its exit reaction refused), the press is lost.
    if (CanFocus()) {
      SetFocus();
      if (!Focused()) return;
    }
    Click();
  });
}

void Button::Click() {
  if (modalResult_ != mrNone) Owner().SetModalResult(modalResult_);
  Component::Click();
}

bool Button::DefaultKeyDown(int key, ShiftState) {
  if (key == Key::Enter || key == Key::Space) {
    Click();
    return true;
  }
  return false;
}

// ---------------------------------------------------------------- CheckableControl, CheckBox, RadioButton

CheckableControl::CheckableControl(Kind kind, Form& owner, Component* parent, std::wstring name)
    : Component(kind, owner, parent, std::move(name)) {}

bool CheckableControl::StoreChecked(bool v) {
  if (v == checked_) return false;
  checked_ = v;
  Notify(Property::Checked);
  return true;
}

void CheckableControl::UserClick() {
  if (ShouldIgnoreUser()) return;
  Dispatch([this] {
    if (CanFocus()) {
      SetFocus();
      if (!Focused()) return;
    }
    SetChecked(ClickedState());
  });
}

bool CheckableControl::DefaultKeyDown(int key, ShiftState) {
  if (key == Key::Space) {
    SetChecked(ClickedState());
    return true;
  }
  return false;
}

CheckBox::CheckBox(Form& owner, Component* parent, std::wstring name)
    : CheckableControl(Kind::CheckBox, owner, parent, std::move(name)) {}

void CheckBox::SetChecked(bool v) {
  if (StoreChecked(v)) Click();
}

void CheckBox::SetAlignment(Alignment a) {
  if (a == alignment_) return;
  alignment_ = a;
  Notify(Property::Style);
}

RadioButton::RadioButton(Form& owner, Component* parent, std::wstring name)
    : CheckableControl(Kind::RadioButton, owner, parent, std::move(name)) {}

void RadioButton::SetChecked(bool v) {
  if (!StoreChecked(v) || !v) return;
  if (Parent()) {
    for (Component* c : Parent()->Children())
      if (c != this && c->GetKind() == Kind::RadioButton) static_cast<RadioButton*>(c)->StoreChecked(false);
  }
  Click();
}

// ---------------------------------------------------------------- ColorSwatch

ColorSwatch::ColorSwatch(Form& owner, Component* parent, std::wstring name)
    : Component(Kind::ColorSwatch, owner, parent, std::move(name)) {}

void ColorSwatch::SetColorNumber(int n) {
  if (n == number_) return;
  number_ = n;
  Notify(Property::Image);
}

void ColorSwatch::SetPaintColor(Color c) {
  if (c == paint_) return;
  paint_ = c;
  Notify(Property::Image);
}

void ColorSwatch::SetSwatch(int number, Color paint) {
  if (number == number_ && paint == paint_) return;
  number_ = number;
  paint_ = paint;
  Notify(Property::Image);
}

void ColorSwatch::UserClick() {
  if (ShouldIgnoreUser()) return;
  Dispatch([this] { Click(); });
}

}  // namespace topaline::ui
