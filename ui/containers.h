// Controls that hold others: group box, panel, tool bar, page control
// and its tab sheets.
// Every control is created by Form::Add<T>(parent, name, bounds) and
// owned by its form; ui/controls.h includes every family.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/component.h"
#include "ui/form.h"

namespace topaline::ui {

class ImageList;

// ---------------------------------------------------------------- GroupBox, Panel
class GroupBox : public Component {
public:
  GroupBox(Form& owner, Component* parent, std::wstring name);
  bool HasCaption() const override { return true; }
  // Inside the frame, below the caption.
  Rect ClientRect() const override;
};

class Panel : public Component {
public:
  enum class Bevel { None, Lowered, Raised };
  Panel(Form& owner, Component* parent, std::wstring name);
  bool HasCaption() const override { return true; }
  Bevel BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(Bevel b);
  Rect ClientRect() const override;
  // A section keeps the panel's tag.
  StoredValue::Type StoredValueType() const override { return StoredValue::Type::Integer; }
  StoredValue GetStoredValue() const override { return StoredValue::OfInteger(Tag()); }
  void LoadStoredValue(const StoredValue& value) override { SetTag(value.integer); }

private:
  Bevel bevelOuter_ = Bevel::Raised;
};

// ---------------------------------------------------------------- ToolBar
class ToolBar : public Component {
public:
  ToolBar(Form& owner, Component* parent, std::wstring name);
  bool HasCaption() const override { return true; }
  void SetImages(ImageList* images) { images_ = images; Notify(Property::Image); }
  ImageList* Images() const { return images_; }
  bool ShowCaptions() const { return showCaptions_; }
  void SetShowCaptions(bool v);
  bool Vertical() const { return vertical_; }
  void SetVertical(bool v);
  bool Flat() const { return flat_; }
  void SetFlat(bool v) { flat_ = v; Notify(Property::Style); }

private:
  ImageList* images_ = nullptr;
  bool showCaptions_ = true, vertical_ = false, flat_ = true;
};

// ---------------------------------------------------------------- PageControl, TabSheet
class TabSheet;

class PageControl : public Component {
public:
  PageControl(Form& owner, Component* parent, std::wstring name);
  bool IsFocusable() const override { return true; }
  void SetImages(ImageList* images) { images_ = images; Notify(Property::Image); }
  ImageList* Images() const { return images_; }
  // The tab sheets (children of kind TabSheet) in creation order.
  std::vector<TabSheet*> Pages() const;
  int PageCount() const { return static_cast<int>(Pages().size()); }
  int ActivePageIndex() const { return activePage_; }
  TabSheet* ActivePage() const;
  // Shows a page (no OnChange: that is for the user's choices).
  void SetActivePageIndex(int i);
  void SetActivePage(TabSheet* page);
  // The user clicks a tab: OnChanging (may refuse), page, OnChange.
  void UserSelectTab(int index);
  Rect ClientRect() const override;

  std::function<void(bool& allow)> OnChanging;
  std::function<void()> OnChange;

private:
  ImageList* images_ = nullptr;
  int activePage_ = -1;
};

class TabSheet : public Component {
public:
  TabSheet(Form& owner, Component* parent, std::wstring name);
  bool HasCaption() const override { return true; }
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int i);
  bool TabVisible() const { return tabVisible_; }
  void SetTabVisible(bool v);
  PageControl* Pages() const;
  int PageIndex() const;

private:
  int imageIndex_ = -1;
  bool tabVisible_ = true;
};

}  // namespace topaline::ui
