// The tool-bar button (its tool bar is a container: ui/containers.h).
// Every control is created by Form::Add<T>(parent, name, bounds) and
// owned by its form; ui/controls.h includes every family.
#pragma once

#include <string>

#include "ui/component.h"
#include "ui/form.h"

namespace topaline::ui {

// ---------------------------------------------------------------- ToolButton
// A tool-bar button: never takes the focus (a field being edited keeps
// it when a tool button is clicked).
class ToolButton : public Component {
public:
  enum class Style { Button, Separator, Check };
  ToolButton(Form& owner, Component* parent, std::wstring name);
  bool HasCaption() const override { return true; }
  Style GetStyle() const { return style_; }
  void SetStyle(Style s);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int i);
  // Check style: pressed state.
  bool Down() const { return down_; }
  void SetDown(bool v);
  ModalResult GetModalResult() const { return modalResult_; }
  void SetModalResult(ModalResult r) { modalResult_ = r; }
  void UserClick() override;
  void Click() override;

private:
  Style style_ = Style::Button;
  int imageIndex_ = -1;
  bool down_ = false;
  ModalResult modalResult_ = mrNone;
};

}  // namespace topaline::ui
