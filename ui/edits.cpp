#include "ui/edits.h"

#include <algorithm>

#include "platform/error.h"

namespace topaline::ui {

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

void ComboBox::LoadStoredValue(const StoredValue& value) {
  SetText(value.text);
  int i = IndexOfNoCase(value.text);
  if (i < 0 && !items_.empty()) i = 0;
  if (i >= 0) SetItemIndex(i);
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

}  // namespace topaline::ui
