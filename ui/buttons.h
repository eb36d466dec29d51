// Push buttons, check boxes and radio buttons (sharing their check state)
// and colour swatches: the controls of win32/ui/msw_buttons.cpp.
// Every control is created by Form::Add<T>(parent, name, bounds) and
// owned by its form; ui/controls.h includes every family.
#pragma once

#include <string>

#include "ui/component.h"
#include "ui/form.h"

namespace topaline::ui {

class ImageList;

// ---------------------------------------------------------------- Button
// A push button (also the bitmap buttons of the dialogs: ImageIndex).
class Button : public Component {
public:
  Button(Form& owner, Component* parent, std::wstring name);
  ~Button() override;
  bool HasCaption() const override { return true; }
  bool IsFocusable() const override { return true; }
  // Enter clicks the default button, Escape the cancel button.
  bool Default() const { return default_; }
  void SetDefault(bool v);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool v);
  // Set on the form when the button is clicked (before OnClick).
  ModalResult GetModalResult() const { return modalResult_; }
  void SetModalResult(ModalResult r) { modalResult_ = r; }
  void SetImages(ImageList* images) { images_ = images; Notify(Property::Image); }
  ImageList* Images() const { return images_; }
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int i);
  // Focus moves to the button (exit of the field being left), then Click.
  void UserClick() override;
  void Click() override;

protected:
  Button(Kind kind, Form& owner, Component* parent, std::wstring name);
  bool DefaultKeyDown(int key, ShiftState shift) override;

private:
  bool default_ = false, cancel_ = false;
  ModalResult modalResult_ = mrNone;
  ImageList* images_ = nullptr;
  int imageIndex_ = -1;
};

// ---------------------------------------------------------------- CheckableControl, CheckBox, RadioButton
// What check boxes and radio buttons share: a check state the model owns,
// changed by a click or the space bar and kept in a settings section as
// a truth value. The kinds differ in what setting the state does.
class CheckableControl : public Component {
public:
  bool HasCaption() const override { return true; }
  bool IsFocusable() const override { return true; }
  bool Checked() const { return checked_; }
  virtual void SetChecked(bool v) = 0;
  // Focus, then the state a click gives (which runs the click reaction).
  void UserClick() override;

  StoredValue::Type StoredValueType() const override { return StoredValue::Type::Truth; }
  StoredValue GetStoredValue() const override { return StoredValue::OfTruth(checked_); }
  // Sets the state as SetChecked does, reactions included.
  void LoadStoredValue(const StoredValue& value) override { SetChecked(value.truth); }

protected:
  CheckableControl(Kind kind, Form& owner, Component* parent, std::wstring name);
  // The state a click or the space bar asks for.
  virtual bool ClickedState() const = 0;
  bool DefaultKeyDown(int key, ShiftState shift) override;
  // Stores the state and tells the binding; false when it was already so.
  bool StoreChecked(bool v);

private:
  bool checked_ = false;
};

class CheckBox : public CheckableControl {
public:
  CheckBox(Form& owner, Component* parent, std::wstring name);
  // Runs the click reaction when the state changes, as a user's click.
  void SetChecked(bool v) override;
  Alignment GetAlignment() const { return alignment_; }  // side of the text
  void SetAlignment(Alignment a);

protected:
  // A click toggles.
  bool ClickedState() const override { return !Checked(); }

private:
  Alignment alignment_ = Alignment::Right;
};

class RadioButton : public CheckableControl {
public:
  RadioButton(Form& owner, Component* parent, std::wstring name);
  // Checking unchecks the other radio buttons of the same parent and runs
  // the click reaction; unchecking runs nothing.
  void SetChecked(bool v) override;

protected:
  // A click checks.
  bool ClickedState() const override { return true; }
};

// ---------------------------------------------------------------- ColorSwatch
// A small area painted in one colour, holding a colour number (whose
// meaning belongs to the dialogs) and the colour painted.
class ColorSwatch : public Component {
public:
  ColorSwatch(Form& owner, Component* parent, std::wstring name);
  int ColorNumber() const { return number_; }
  void SetColorNumber(int n);
  Color PaintColor() const { return paint_; }
  void SetPaintColor(Color c);
  // Both at once (one repaint).
  void SetSwatch(int number, Color paint);
  // A click runs OnClick (swatches never take the focus).
  void UserClick() override;
  // A section keeps the colour number; loading sets only the number (the
  // dialog paints the colour that its numbers mean).
  StoredValue::Type StoredValueType() const override { return StoredValue::Type::Integer; }
  StoredValue GetStoredValue() const override { return StoredValue::OfInteger(number_); }
  void LoadStoredValue(const StoredValue& value) override { SetColorNumber(value.integer); }

private:
  int number_ = 0;
  Color paint_ = clBlack;
};

}  // namespace topaline::ui
