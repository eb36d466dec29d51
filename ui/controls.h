// The control kinds of the component model (the tree-grid is in
// tree_grid.h). Every control is created by Form::Add<T>(parent, name,
// bounds) and owned by its form.
#pragma once

#include <string>
#include <vector>

#include "ui/component.h"
#include "ui/form.h"

namespace topaline::ui {

class ImageList;

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

private:
  bool wordWrap_ = false, autoSize_ = true, transparent_ = true;
  Alignment alignment_ = Alignment::Left;
};

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

// ---------------------------------------------------------------- ToolBar, ToolButton
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

// ---------------------------------------------------------------- CheckBox, RadioButton
class CheckBox : public Component {
public:
  CheckBox(Form& owner, Component* parent, std::wstring name);
  bool HasCaption() const override { return true; }
  bool IsFocusable() const override { return true; }
  bool Checked() const { return checked_; }
  // Runs the click reaction when the state changes, as a user's click.
  void SetChecked(bool v);
  // Focus, toggle (which runs the click reaction).
  void UserClick() override;
  Alignment GetAlignment() const { return alignment_; }  // side of the text
  void SetAlignment(Alignment a);

protected:
  bool DefaultKeyDown(int key, ShiftState shift) override;

private:
  bool checked_ = false;
  Alignment alignment_ = Alignment::Right;
};

class RadioButton : public Component {
public:
  RadioButton(Form& owner, Component* parent, std::wstring name);
  bool HasCaption() const override { return true; }
  bool IsFocusable() const override { return true; }
  bool Checked() const { return checked_; }
  // Checking unchecks the other radio buttons of the same parent and runs
  // the click reaction; unchecking runs nothing.
  void SetChecked(bool v);
  // Focus, check.
  void UserClick() override;

protected:
  bool DefaultKeyDown(int key, ShiftState shift) override;

private:
  bool checked_ = false;
};

// ---------------------------------------------------------------- Edit
// A single-line text field. Subclasses filter keys through KeyPress and
// react to focus through DoEnter/DoExit (the numeric field).
class Edit : public Component {
public:
  Edit(Form& owner, Component* parent, std::wstring name);
  bool IsFocusable() const override { return true; }
  bool HasHint() const override { return true; }

  const std::wstring& Text() const { return text_; }
  // Sets the text (caret to the end, nothing selected); OnChange when the
  // text differs.
  virtual void SetText(const std::wstring& v);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool v);
  int MaxLength() const { return maxLength_; }  // 0: no limit
  void SetMaxLength(int v) { maxLength_ = v; }
  Alignment GetAlignment() const { return alignment_; }
  void SetAlignment(Alignment a);
  bool Border() const { return border_; }
  void SetBorder(bool v);

  // Selection (caret at SelStart + SelLength).
  int SelStart() const { return selStart_; }
  int SelLength() const { return selLength_; }
  void SetSelection(int start, int length);
  void SelectAll();
  std::wstring SelText() const;

  // The user replaces the whole text (a paste, or the binding's edit
  // window changed): OnChange when different.
  void UserSetText(const std::wstring& v);

  std::function<void()> OnChange;

protected:
  Edit(Kind kind, Form& owner, Component* parent, std::wstring name);
  // Inserts a printable character over the selection; Backspace deletes.
  void DefaultChar(wchar_t ch) override;
  bool DefaultKeyDown(int key, ShiftState shift) override;
  // Stores the text (caret to the end) and raises OnChange when it
  // differs.
  void StoreText(const std::wstring& v);
  // Stores the text without OnChange.
  void SetTextSilently(const std::wstring& v);
  // Called after every change of the text (a combo box re-matches its
  // items).
  virtual void TextStored() {}
  // Replaces text and selection at once (typing), OnChange when the text
  // differs.
  void Replace(const std::wstring& text, int caret);

private:
  std::wstring text_;
  bool readOnly_ = false, border_ = true;
  int maxLength_ = 0;
  Alignment alignment_ = Alignment::Left;
  int selStart_ = 0, selLength_ = 0;
};

// ---------------------------------------------------------------- ComboBox
// A drop-down list (list-only) or an editable drop-down box. The editable
// kind types through the same filters as an Edit.
class ComboBox : public Edit {
public:
  enum class Style { DropDownList, DropDown };
  ComboBox(Form& owner, Component* parent, std::wstring name);
  Style GetStyle() const { return style_; }
  void SetStyle(Style s);

  const std::vector<std::wstring>& Items() const { return items_; }
  void SetItems(std::vector<std::wstring> items);  // keeps the text when still an item
  void AddItem(const std::wstring& item);
  void ClearItems();
  int IndexOf(const std::wstring& text) const;        // exact, -1 when none
  int IndexOfNoCase(const std::wstring& text) const;  // Latin-1 folded, -1 when none

  int ItemIndex() const { return itemIndex_; }
  // Selects an item (-1: none); the text becomes the item's text (empty
  // for none). No OnChange: that is for the user's choices.
  void SetItemIndex(int i);
  // List-only: selects the item equal to v without regard to case (the
  // text takes the item's spelling), none and an empty text when no item
  // matches. Editable: the text is v, and the item spelled exactly v (if
  // any) is selected.
  void SetText(const std::wstring& v) override;

  int DropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int n) { dropDownCount_ = n; }
  bool DroppedDown() const { return droppedDown_; }

  // The user picks an item in the list: OnChange, then OnSelect.
  void UserPick(int index);
  // The user opens / closes the list: OnDropDown / OnCloseUp.
  void UserDropDown(bool open);

  std::function<void()> OnSelect;
  std::function<void()> OnDropDown;
  std::function<void()> OnCloseUp;

protected:
  void DefaultChar(wchar_t ch) override;
  bool DefaultKeyDown(int key, ShiftState shift) override;
  bool KeyClosesPopup(int key) override;
  void TextStored() override;

private:
  void PickByUser(int index);
  Style style_ = Style::DropDown;
  std::vector<std::wstring> items_;
  int itemIndex_ = -1;
  int dropDownCount_ = 8;
  bool droppedDown_ = false;
};

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

private:
  Bevel bevelOuter_ = Bevel::Raised;
};

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

// ---------------------------------------------------------------- ImageList, Image
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

private:
  int number_ = 0;
  Color paint_ = clBlack;
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
