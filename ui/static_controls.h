// Controls that only show something: label and image.
// Every control is created by Form::Add<T>(parent, name, bounds) and
// owned by its form; ui/controls.h includes every family.
#pragma once

#include <string>

#include "ui/component.h"
#include "ui/form.h"

namespace topaline::ui {

// ---------------------------------------------------------------- Label
class Label : public Component {
public:
  Label(Form& owner, Component* parent, std::wstring name);
  bool HasCaption() const override { return true; }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool v) { autoSize_ = v; }
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v);
  Alignment GetAlignment() const { return alignment_; }
  void SetAlignment(Alignment a);
  // The control this label names (for screen readers, which name a field
  // after the label just before it in the window order). Unset, a label
  // names the field created right after it under the same parent
  // (ui/screen_reader.h); set, it names that control wherever it was
  // created. Kept by the form: both live as long as it.
  Component* FocusControl() const { return focusControl_; }
  void SetFocusControl(Component* c) { focusControl_ = c; }

private:
  Component* focusControl_ = nullptr;
  bool wordWrap_ = false, autoSize_ = true, transparent_ = true;
  Alignment alignment_ = Alignment::Left;
};

// ---------------------------------------------------------------- Image
class Image : public Component {
public:
  Image(Form& owner, Component* parent, std::wstring name);
  // A standard icon (IconError, IconQuestion, IconWarning...): 0 for none.
  int StockIcon() const { return stockIcon_; }
  void SetStockIcon(int id);
  // A picture among the module's resources (empty: none).
  const std::wstring& Resource() const { return resource_; }
  void SetResource(const std::wstring& name);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v) { transparent_ = v; Notify(Property::Image); }
  bool Stretch() const { return stretch_; }
  void SetStretch(bool v) { stretch_ = v; Notify(Property::Image); }

private:
  int stockIcon_ = 0;
  std::wstring resource_;
  bool transparent_ = false, stretch_ = false;
};

}  // namespace topaline::ui
