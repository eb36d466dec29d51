#include "ui/controls.h"

#include <algorithm>

#include "platform/error.h"

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

// ---------------------------------------------------------------- ToolBar, ToolButton

ToolBar::ToolBar(Form& owner, Component* parent, std::wstring name)
    : Component(Kind::ToolBar, owner, parent, std::move(name)) {}

void ToolBar::SetShowCaptions(bool v) {
  if (v == showCaptions_) return;
  showCaptions_ = v;
  Notify(Property::Style);
}

void ToolBar::SetVertical(bool v) {
  if (v == vertical_) return;
  vertical_ = v;
  Notify(Property::Style);
}

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

// ---------------------------------------------------------------- CheckBox, RadioButton

CheckBox::CheckBox(Form& owner, Component* parent, std::wstring name)
    : Component(Kind::CheckBox, owner, parent, std::move(name)) {}

void CheckBox::SetChecked(bool v) {
  if (v == checked_) return;
  checked_ = v;
  Notify(Property::Checked);
  Click();
}

void CheckBox::UserClick() {
  if (ShouldIgnoreUser()) return;
  Dispatch([this] {
    if (CanFocus()) {
      SetFocus();
      if (!Focused()) return;
    }
    SetChecked(!checked_);
  });
}

void CheckBox::SetAlignment(Alignment a) {
  if (a == alignment_) return;
  alignment_ = a;
  Notify(Property::Style);
}

bool CheckBox::DefaultKeyDown(int key, ShiftState) {
  if (key == Key::Space) {
    SetChecked(!checked_);
    return true;
  }
  return false;
}

RadioButton::RadioButton(Form& owner, Component* parent, std::wstring name)
    : Component(Kind::RadioButton, owner, parent, std::move(name)) {}

void RadioButton::SetChecked(bool v) {
  if (v == checked_) return;
  checked_ = v;
  Notify(Property::Checked);
  if (!v) return;
  if (Parent()) {
    for (Component* c : Parent()->Children()) {
      if (c == this || c->GetKind() != Kind::RadioButton) continue;
      auto* r = static_cast<RadioButton*>(c);
      if (r->checked_) {
        r->checked_ = false;
        r->Notify(Property::Checked);
      }
    }
  }
  Click();
}

void RadioButton::UserClick() {
  if (ShouldIgnoreUser()) return;
  Dispatch([this] {
    if (CanFocus()) {
      SetFocus();
      if (!Focused()) return;
    }
    SetChecked(true);
  });
}

bool RadioButton::DefaultKeyDown(int key, ShiftState) {
  if (key == Key::Space) {
    SetChecked(true);
    return true;
  }
  return false;
}

// ---------------------------------------------------------------- Edit

Edit::Edit(Form& owner, Component* parent, std::wstring name)
    : Component(Kind::Edit, owner, parent, std::move(name)) {}

Edit::Edit(Kind kind, Form& owner, Component* parent, std::wstring name)
    : Component(kind, owner, parent, std::move(name)) {}

void Edit::SetText(const std::wstring& v) { StoreText(v); }

void Edit::SetTextSilently(const std::wstring& v) {
  bool changed = v != text_;
  text_ = v;
  selStart_ = static_cast<int>(text_.size());
  selLength_ = 0;
  if (changed) Notify(Property::Text);
  Notify(Property::Selection);
  TextStored();
}

void Edit::StoreText(const std::wstring& v) {
  bool changed = v != text_;
  SetTextSilently(v);
  if (changed && OnChange) OnChange();
}

void Edit::Replace(const std::wstring& text, int caret) {
  bool changed = text != text_;
  text_ = text;
  selStart_ = std::clamp(caret, 0, static_cast<int>(text_.size()));
  selLength_ = 0;
  if (changed) Notify(Property::Text);
  Notify(Property::Selection);
  TextStored();
  if (changed && OnChange) OnChange();
}

void Edit::SetReadOnly(bool v) {
  if (v == readOnly_) return;
  readOnly_ = v;
  Notify(Property::Style);
}

void Edit::SetAlignment(Alignment a) {
  if (a == alignment_) return;
  alignment_ = a;
  Notify(Property::Style);
}

void Edit::SetBorder(bool v) {
  if (v == border_) return;
  border_ = v;
  Notify(Property::Style);
}

void Edit::SetSelection(int start, int length) {
  const int n = static_cast<int>(text_.size());
  start = std::clamp(start, 0, n);
  length = std::clamp(length, 0, n - start);
  if (start == selStart_ && length == selLength_) return;
  selStart_ = start;
  selLength_ = length;
  Notify(Property::Selection);
}

void Edit::SelectAll() { SetSelection(0, static_cast<int>(text_.size())); }

std::wstring Edit::SelText() const {
  return text_.substr(static_cast<std::size_t>(selStart_), static_cast<std::size_t>(selLength_));
}

void Edit::UserSetText(const std::wstring& v) {
  if (ShouldIgnoreUser() || readOnly_) return;
  Dispatch([&] { StoreText(v); });
}

void Edit::DefaultChar(wchar_t ch) {
  if (readOnly_) return;
  std::wstring t = text_;
  int start = selStart_, len = selLength_;
  if (ch == L'\b') {
    if (len > 0) {
      t.erase(static_cast<std::size_t>(start), static_cast<std::size_t>(len));
    } else if (start > 0) {
      t.erase(static_cast<std::size_t>(start - 1), 1);
      --start;
    } else {
      return;
    }
    Replace(t, start);
    return;
  }
  if (ch < 32) return;  // Enter, Escape, Tab and control characters insert nothing
  if (maxLength_ > 0 && static_cast<int>(t.size()) - len >= maxLength_) return;
  t.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(len), 1, ch);
  Replace(t, start + 1);
}

bool Edit::DefaultKeyDown(int key, ShiftState shift) {
  const int n = static_cast<int>(text_.size());
  int caret = selStart_ + selLength_;
  switch (key) {
    case Key::Left:
      SetSelection(selLength_ > 0 && !shift.shift ? selStart_ : std::max(0, selStart_ - 1), 0);
      return true;
    case Key::Right:
      SetSelection(selLength_ > 0 && !shift.shift ? caret : std::min(n, caret + 1), 0);
      return true;
    case Key::Home:
      SetSelection(0, shift.shift ? caret : 0);
      return true;
    case Key::End:
      SetSelection(shift.shift ? selStart_ : n, shift.shift ? n - selStart_ : 0);
      return true;
    case Key::Delete: {
      if (readOnly_) return true;
      std::wstring t = text_;
      if (selLength_ > 0) t.erase(static_cast<std::size_t>(selStart_), static_cast<std::size_t>(selLength_));
      else if (selStart_ < n) t.erase(static_cast<std::size_t>(selStart_), 1);
      else return true;
      Replace(t, selStart_);
      return true;
    }
    default:
      return false;
  }
}

// ---------------------------------------------------------------- ComboBox

ComboBox::ComboBox(Form& owner, Component* parent, std::wstring name)
    : Edit(Kind::ComboBox, owner, parent, std::move(name)) {}

void ComboBox::SetStyle(Style s) {
  if (s == style_) return;
  style_ = s;
  if (style_ == Style::DropDownList && itemIndex_ < 0 && !Text().empty()) SetTextSilently(L"");
  Notify(Property::Style);
}

void ComboBox::SetItems(std::vector<std::wstring> items) {
  items_ = std::move(items);
  Notify(Property::Items);
  if (style_ == Style::DropDownList) {
    int i = IndexOf(Text());
    itemIndex_ = i;
    if (i < 0 && !Text().empty()) SetTextSilently(L"");
  } else {
    itemIndex_ = IndexOf(Text());
  }
  Notify(Property::ItemIndex);
}

void ComboBox::AddItem(const std::wstring& item) {
  items_.push_back(item);
  Notify(Property::Items);
}

void ComboBox::ClearItems() {
  items_.clear();
  itemIndex_ = -1;
  if (style_ == Style::DropDownList) SetTextSilently(L"");
  Notify(Property::Items);
  Notify(Property::ItemIndex);
}

int ComboBox::IndexOf(const std::wstring& text) const {
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (items_[i] == text) return static_cast<int>(i);
  return -1;
}

int ComboBox::IndexOfNoCase(const std::wstring& text) const {
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (SameNameNoCase(items_[i], text)) return static_cast<int>(i);
  return -1;
}

void ComboBox::SetItemIndex(int i) {
  if (i < -1 || i >= static_cast<int>(items_.size()))
    throw Error(L"Item index " + std::to_wstring(i) + L" out of range in \"" + Name() + L"\"");
  itemIndex_ = i;
  SetTextSilently(i >= 0 ? items_[static_cast<std::size_t>(i)] : std::wstring());
  itemIndex_ = i;  // an editable box whose items repeat a text keeps the chosen one
  Notify(Property::ItemIndex);
}

void ComboBox::SetText(const std::wstring& v) {
  if (style_ == Style::DropDownList) {
    SetItemIndex(IndexOfNoCase(v));
    return;
  }
  SetTextSilently(v);
  Notify(Property::ItemIndex);
}

void ComboBox::TextStored() { itemIndex_ = IndexOf(Text()); }

void ComboBox::PickByUser(int index) {
  if (index < 0 || index >= static_cast<int>(items_.size())) return;
  bool changed = index != itemIndex_ || Text() != items_[static_cast<std::size_t>(index)];
  SetItemIndex(index);
  if (changed && OnChange) OnChange();
  if (OnSelect) OnSelect();
}

void ComboBox::UserPick(int index) {
  if (ShouldIgnoreUser()) return;
  Dispatch([&] {
    if (CanFocus() && !Focused()) {
      SetFocus();
      if (!Focused()) return;
    }
    if (droppedDown_) {
      droppedDown_ = false;
      Notify(Property::DropDown);
      if (OnCloseUp) OnCloseUp();
    }
    PickByUser(index);
  });
}

void ComboBox::UserDropDown(bool open) {
  if (ShouldIgnoreUser() || open == droppedDown_) return;
  Dispatch([&] {
    droppedDown_ = open;
    Notify(Property::DropDown);
    if (open) {
      if (OnDropDown) OnDropDown();
    } else if (OnCloseUp) {
      OnCloseUp();
    }
  });
}

// Escape or Enter while the list is open closes the list (keeping the
// item picked so far) and not the dialog.
bool ComboBox::KeyClosesPopup(int key) {
  if (!droppedDown_ || (key != Key::Escape && key != Key::Enter)) return false;
  droppedDown_ = false;
  Notify(Property::DropDown);
  if (OnCloseUp) OnCloseUp();
  return true;
}

void ComboBox::DefaultChar(wchar_t ch) {
  if (style_ == Style::DropDown) {
    Edit::DefaultChar(ch);
    return;
  }
  // A list-only box selects the next item that begins with the letter.
  if (ch < 32 || items_.empty()) return;
  const int n = static_cast<int>(items_.size());
  std::wstring key(1, ch);
  for (int step = 1; step <= n; ++step) {
    int i = (itemIndex_ + step + n) % n;
    const std::wstring& item = items_[static_cast<std::size_t>(i)];
    if (!item.empty() && SameNameNoCase(item.substr(0, 1), key)) {
      PickByUser(i);
      return;
    }
  }
}

bool ComboBox::DefaultKeyDown(int key, ShiftState shift) {
  const int n = static_cast<int>(items_.size());
  switch (key) {
    case Key::Up:
      if (n > 0) PickByUser(std::max(0, itemIndex_ - 1));
      return true;
    case Key::Down:
      if (n > 0) PickByUser(std::min(n - 1, itemIndex_ + 1));
      return true;
    case Key::Home:
    case Key::End:
      if (style_ == Style::DropDown) return Edit::DefaultKeyDown(key, shift);
      if (n > 0) PickByUser(key == Key::Home ? 0 : n - 1);
      return true;
    default:
      if (style_ == Style::DropDown) return Edit::DefaultKeyDown(key, shift);
      return false;
  }
}

// ---------------------------------------------------------------- GroupBox, Panel

GroupBox::GroupBox(Form& owner, Component* parent, std::wstring name)
    : Component(Kind::GroupBox, owner, parent, std::move(name)) {}

Rect GroupBox::ClientRect() const {
  return Rect{2, 15, std::max(0, Width() - 4), std::max(0, Height() - 17)};
}

Panel::Panel(Form& owner, Component* parent, std::wstring name)
    : Component(Kind::Panel, owner, parent, std::move(name)) {}

void Panel::SetBevelOuter(Bevel b) {
  if (b == bevelOuter_) return;
  Rect old = ClientRect();
  bevelOuter_ = b;
  Notify(Property::Style);
  RealignChildren(old);
}

Rect Panel::ClientRect() const {
  int inset = bevelOuter_ == Bevel::None ? 0 : 1;
  return Rect{inset, inset, std::max(0, Width() - 2 * inset), std::max(0, Height() - 2 * inset)};
}

// ---------------------------------------------------------------- StatusBar

StatusBar::StatusBar(Form& owner, Component* parent, std::wstring name)
    : Component(Kind::StatusBar, owner, parent, std::move(name)) {}

void StatusBar::SetSimplePanel(bool v) {
  if (v == simplePanel_) return;
  simplePanel_ = v;
  Notify(Property::Items);
}

void StatusBar::SetSimpleText(const std::wstring& v) {
  if (v == simpleText_) return;
  simpleText_ = v;
  Notify(Property::Items);
}

void StatusBar::AddPanel(int width, const std::wstring& text) {
  panels_.push_back(PanelInfo{text, width});
  Notify(Property::Items);
}

void StatusBar::SetPanelText(int index, const std::wstring& text) {
  if (index < 0 || index >= static_cast<int>(panels_.size()))
    throw Error(L"Status bar \"" + Name() + L"\" has no panel " + std::to_wstring(index));
  auto& p = panels_[static_cast<std::size_t>(index)];
  if (p.text == text) return;
  p.text = text;
  Notify(Property::Items);
}

const std::wstring& StatusBar::PanelText(int index) const {
  if (index < 0 || index >= static_cast<int>(panels_.size()))
    throw Error(L"Status bar \"" + Name() + L"\" has no panel " + std::to_wstring(index));
  return panels_[static_cast<std::size_t>(index)].text;
}

const std::wstring& StatusBar::StatusText() const {
  if (!simplePanel_ && !panels_.empty()) return panels_.front().text;
  return simpleText_;
}

// ---------------------------------------------------------------- PageControl, TabSheet

PageControl::PageControl(Form& owner, Component* parent, std::wstring name)
    : Component(Kind::PageControl, owner, parent, std::move(name)) {}

std::vector<TabSheet*> PageControl::Pages() const {
  std::vector<TabSheet*> pages;
  for (Component* c : Children())
    if (c->GetKind() == Kind::TabSheet) pages.push_back(static_cast<TabSheet*>(c));
  return pages;
}

TabSheet* PageControl::ActivePage() const {
  auto pages = Pages();
  if (activePage_ < 0 || activePage_ >= static_cast<int>(pages.size())) return nullptr;
  return pages[static_cast<std::size_t>(activePage_)];
}

void PageControl::SetActivePageIndex(int i) {
  auto pages = Pages();
  if (i < -1 || i >= static_cast<int>(pages.size()))
    throw Error(L"Page index " + std::to_wstring(i) + L" out of range in \"" + Name() + L"\"");
  activePage_ = i;
  // Show the new page before hiding the old one, so a focused control on
  // the old page loses the focus to nothing rather than to a hidden page.
  if (i >= 0) pages[static_cast<std::size_t>(i)]->SetVisible(true);
  for (std::size_t k = 0; k < pages.size(); ++k)
    if (static_cast<int>(k) != i) pages[k]->SetVisible(false);
  Notify(Property::ActivePage);
}

void PageControl::SetActivePage(TabSheet* page) {
  auto pages = Pages();
  auto it = std::find(pages.begin(), pages.end(), page);
  SetActivePageIndex(it == pages.end() ? -1 : static_cast<int>(it - pages.begin()));
}

void PageControl::UserSelectTab(int index) {
  if (ShouldIgnoreUser()) return;
  Dispatch([&] {
    auto pages = Pages();
    if (index < 0 || index >= static_cast<int>(pages.size()) || index == activePage_) return;
    if (!pages[static_cast<std::size_t>(index)]->TabVisible()) return;
    bool allow = true;
    if (OnChanging) OnChanging(allow);
    if (!allow) return;
    if (CanFocus()) SetFocus();
    SetActivePageIndex(index);
    if (OnChange) OnChange();
  });
}

Rect PageControl::ClientRect() const {
  return Rect{4, 24, std::max(0, Width() - 8), std::max(0, Height() - 28)};
}

TabSheet::TabSheet(Form& owner, Component* parent, std::wstring name)
    : Component(Kind::TabSheet, owner, parent, std::move(name)) {
  PageControl* pc = Pages();
  if (!pc) return;
  Rect area = pc->ClientRect();
  SetBounds(area);
  SetAlign(Align::Client);
  if (pc->ActivePageIndex() < 0) pc->SetActivePageIndex(0);
  else SetVisible(false);
}

void TabSheet::SetImageIndex(int i) {
  if (i == imageIndex_) return;
  imageIndex_ = i;
  Notify(Property::Image);
}

void TabSheet::SetTabVisible(bool v) {
  if (v == tabVisible_) return;
  tabVisible_ = v;
  Notify(Property::Style);
}

PageControl* TabSheet::Pages() const {
  Component* p = Parent();
  return p && p->GetKind() == Kind::PageControl ? static_cast<PageControl*>(p) : nullptr;
}

int TabSheet::PageIndex() const {
  PageControl* pc = Pages();
  if (!pc) return -1;
  auto pages = pc->Pages();
  auto it = std::find(pages.begin(), pages.end(), this);
  return it == pages.end() ? -1 : static_cast<int>(it - pages.begin());
}

// ---------------------------------------------------------------- TrackBar

TrackBar::TrackBar(Form& owner, Component* parent, std::wstring name)
    : Component(Kind::TrackBar, owner, parent, std::move(name)) {}

void TrackBar::SetRange(int min, int max) {
  if (max < min) std::swap(min, max);
  min_ = min;
  max_ = max;
  Notify(Property::Range);
  SetPosition(position_);
}

void TrackBar::SetPosition(int v) {
  v = std::clamp(v, min_, max_);
  if (v == position_) return;
  position_ = v;
  Notify(Property::Position);
  if (OnChange) OnChange();
}

void TrackBar::SetFrequency(int f) {
  if (f == frequency_) return;
  frequency_ = f;
  Notify(Property::Range);
}

void TrackBar::SetPositionToolTip(bool v) {
  if (v == positionToolTip_) return;
  positionToolTip_ = v;
  Notify(Property::Style);
}

void TrackBar::UserSetPosition(int v) {
  if (ShouldIgnoreUser()) return;
  Dispatch([&] {
    if (CanFocus() && !Focused()) SetFocus();
    SetPosition(v);
  });
}

bool TrackBar::DefaultKeyDown(int key, ShiftState) {
  int page = std::max(1, (max_ - min_) / 5);
  switch (key) {
    case Key::Left: case Key::Up: SetPosition(position_ - 1); return true;
    case Key::Right: case Key::Down: SetPosition(position_ + 1); return true;
    case Key::PageUp: SetPosition(position_ - page); return true;
    case Key::PageDown: SetPosition(position_ + page); return true;
    case Key::Home: SetPosition(min_); return true;
    case Key::End: SetPosition(max_); return true;
    default: return false;
  }
}

// ---------------------------------------------------------------- ImageList, Image

ImageList::ImageList(Form& owner, Component* parent, std::wstring name)
    : Component(Kind::ImageList, owner, parent, std::move(name)) {
  SetVisible(false);
}

void ImageList::SetStrip(const std::wstring& resource, int imageWidth, int imageHeight, int count) {
  resource_ = resource;
  width_ = imageWidth;
  height_ = imageHeight;
  count_ = count;
  Notify(Property::Image);
}

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

// ---------------------------------------------------------------- PopupMenu, MenuItem

PopupMenu::PopupMenu(Form& owner, Component* parent, std::wstring name)
    : Component(Kind::PopupMenu, owner, parent, std::move(name)) {
  SetVisible(false);
}

std::vector<MenuItem*> PopupMenu::Items() const {
  std::vector<MenuItem*> items;
  for (Component* c : Children())
    if (c->GetKind() == Kind::MenuItem) items.push_back(static_cast<MenuItem*>(c));
  return items;
}

void PopupMenu::UserPopup() {
  Dispatch([this] {
    if (OnPopup) OnPopup();
  });
}

MenuItem::MenuItem(Form& owner, Component* parent, std::wstring name)
    : Component(Kind::MenuItem, owner, parent, std::move(name)) {}

void MenuItem::SetChecked(bool v) {
  if (v == checked_) return;
  checked_ = v;
  Notify(Property::Checked);
}

void MenuItem::UserClick() {
  // Menu items live in a hidden popup: only their own enabled state counts.
  if (!Enabled()) return;
  Dispatch([this] { Click(); });
}

// ---------------------------------------------------------------- Timer

Timer::Timer(Form& owner, Component* parent, std::wstring name)
    : Component(Kind::Timer, owner, parent, std::move(name)) {
  SetTabStop(false);
}

void Timer::SetInterval(int ms) {
  if (ms == interval_) return;
  interval_ = ms;
  Notify(Property::Timer);
}

void Timer::SetEnabled(bool v) {
  if (v == Enabled()) return;
  Component::SetEnabled(v);
  Notify(Property::Timer);
}

void Timer::UserTick() {
  if (!Enabled() || interval_ <= 0) return;
  Dispatch([this] {
    if (OnTimer) OnTimer();
  });
}

}  // namespace topaline::ui
