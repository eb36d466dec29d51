// Single-line text fields and combo boxes.
// Every control is created by Form::Add<T>(parent, name, bounds) and
// owned by its form; ui/controls.h includes every family.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/component.h"
#include "ui/form.h"

namespace topaline::ui {

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

  // A section keeps the text as it is (a numeric field's too: loading
  // sets the text through SetText, without normalising it).
  StoredValue::Type StoredValueType() const override { return StoredValue::Type::Text; }
  StoredValue GetStoredValue() const override { return StoredValue::OfText(Text()); }
  void LoadStoredValue(const StoredValue& value) override { SetText(value.text); }

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

  // Loading: the text as SetText takes it, then the item spelled like it
  // without regard to case, or else the first item (whose text replaces
  // the loaded one).
  void LoadStoredValue(const StoredValue& value) override;

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

}  // namespace topaline::ui
