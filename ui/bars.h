// Status bar and track bar.
// Every control is created by Form::Add<T>(parent, name, bounds) and
// owned by its form; ui/controls.h includes every family.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/component.h"
#include "ui/form.h"

namespace topaline::ui {

// ---------------------------------------------------------------- StatusBar
class StatusBar : public Component {
public:
  struct PanelInfo {
    std::wstring text;
    int width = 50;
  };
  StatusBar(Form& owner, Component* parent, std::wstring name);
  bool SimplePanel() const { return simplePanel_; }
  void SetSimplePanel(bool v);
  const std::wstring& SimpleText() const { return simpleText_; }
  void SetSimpleText(const std::wstring& v);
  const std::vector<PanelInfo>& Panels() const { return panels_; }
  void AddPanel(int width, const std::wstring& text = {});
  void SetPanelText(int index, const std::wstring& text);
  const std::wstring& PanelText(int index) const;
  // The status line: panel 0 when there are panels, else the simple text.
  const std::wstring& StatusText() const;

private:
  bool simplePanel_ = false;
  std::wstring simpleText_;
  std::vector<PanelInfo> panels_;
};

// ---------------------------------------------------------------- TrackBar
class TrackBar : public Component {
public:
  TrackBar(Form& owner, Component* parent, std::wstring name);
  bool IsFocusable() const override { return true; }
  int Min() const { return min_; }
  int Max() const { return max_; }
  void SetRange(int min, int max);  // the position is brought into range
  int Position() const { return position_; }
  // Clamped to the range; OnChange when it changes.
  void SetPosition(int v);
  int Frequency() const { return frequency_; }
  void SetFrequency(int f);
  // Tooltip showing the position while dragging.
  bool PositionToolTip() const { return positionToolTip_; }
  void SetPositionToolTip(bool v);
  // The user drags the thumb or uses the arrow keys.
  void UserSetPosition(int v);

  std::function<void()> OnChange;

protected:
  bool DefaultKeyDown(int key, ShiftState shift) override;

private:
  int min_ = 0, max_ = 10, position_ = 0, frequency_ = 1;
  bool positionToolTip_ = false;
};

}  // namespace topaline::ui
