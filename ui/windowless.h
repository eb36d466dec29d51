// Components without a window of their own: image lists, popup menus
// and their items, timers.
// Every control is created by Form::Add<T>(parent, name, bounds) and
// owned by its form; ui/controls.h includes every family.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/component.h"
#include "ui/form.h"

namespace topaline::ui {

// ---------------------------------------------------------------- ImageList
// A list of images the binding loads from the module's resources, in
// order (e.g. "TOOLIMAGES" with 8 images of 16 × 16 in one strip).
class ImageList : public Component {
public:
  ImageList(Form& owner, Component* parent, std::wstring name);
  bool HasHint() const override { return false; }
  const std::wstring& Resource() const { return resource_; }
  int ImageWidth() const { return width_; }
  int ImageHeight() const { return height_; }
  int Count() const { return count_; }
  void SetStrip(const std::wstring& resource, int imageWidth, int imageHeight, int count);

private:
  std::wstring resource_;
  int width_ = 16, height_ = 16, count_ = 0;
};

// ---------------------------------------------------------------- PopupMenu, MenuItem
class PopupMenu : public Component {
public:
  PopupMenu(Form& owner, Component* parent, std::wstring name);
  bool HasHint() const override { return false; }
  std::vector<class MenuItem*> Items() const;
  // The user opens the menu (right click on its control): OnPopup.
  void UserPopup();
  std::function<void()> OnPopup;
};

class MenuItem : public Component {
public:
  MenuItem(Form& owner, Component* parent, std::wstring name);
  bool HasCaption() const override { return true; }
  bool Checked() const { return checked_; }
  void SetChecked(bool v);
  void UserClick() override;

private:
  bool checked_ = false;
};

// ---------------------------------------------------------------- Timer
// Ticks every Interval milliseconds while enabled (the binding or a
// test calls UserTick).
class Timer : public Component {
public:
  Timer(Form& owner, Component* parent, std::wstring name);
  bool HasHint() const override { return false; }
  int Interval() const { return interval_; }
  void SetInterval(int ms);
  void SetEnabled(bool v) override;
  void UserTick();
  std::function<void()> OnTimer;

private:
  int interval_ = 1000;
};

}  // namespace topaline::ui
