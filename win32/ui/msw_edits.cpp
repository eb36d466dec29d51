// Text fields and combo boxes. The model owns the text and the selection:
// typed keys go to it first, text the window changes by itself (a paste,
// WM_SETTEXT or WM_CHAR from a tool) is handed to it as the user's, and
// the window then shows what the model holds.
#include <windows.h>
#include <commctrl.h>

#include "win32/ui/msw_binding.h"

namespace topaline::msw {

using ui::Kind;
using ui::Property;

namespace {

std::wstring windowText(HWND h) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(h)), L'\0');
  if (!text.empty()) GetWindowTextW(h, text.data(), static_cast<int>(text.size()) + 1);
  return text;
}

class MSWEditControl final : public MSWControl {
public:
  using MSWControl::MSWControl;

  void MSWCreateWindow(HWND parent) override {
    RECT r = MSWDeviceRect();
    int x = r.left, y = r.top, w = r.right - r.left, h = r.bottom - r.top;
    DWORD base = WS_CHILD | WS_CLIPSIBLINGS;
    UINT id = MSWControlId();
    if (component_.GetKind() == Kind::Edit) {
      auto& e = static_cast<ui::Edit&>(component_);
      DWORD s = ES_AUTOHSCROLL | MSWAlignStyle(e.GetAlignment(), ES_LEFT, ES_RIGHT, ES_CENTER);
      if (e.ReadOnly()) s |= ES_READONLY;
      MSWCreateAtDesign(e.Border() ? WS_EX_CLIENTEDGE : 0, L"EDIT", e.Text().c_str(), base | WS_TABSTOP | s, parent);
    } else {
      auto& c = static_cast<ui::ComboBox&>(component_);
      DWORD s = c.GetStyle() == ui::ComboBox::Style::DropDownList ? CBS_DROPDOWNLIST : CBS_DROPDOWN;
      MSWCreateNative(0, L"COMBOBOX", L"", base | WS_TABSTOP | WS_VSCROLL | s | CBS_AUTOHSCROLL, x, y, w,
                      h + MSWExtraHeight(), parent, id);
    }
    MSWFinishWindow();
  }

protected:
  // The height of a combo box window includes its drop-down list.
  int MSWExtraHeight() const override {
    if (component_.GetKind() != Kind::ComboBox) return 0;
    return Scale(18) * (static_cast<ui::ComboBox&>(component_).DropDownCount() + 1);
  }

  void MSWSync(Property property) override {
    HWND h = MSWHandle();
    if (!h) return;
    const bool isEdit = component_.GetKind() == Kind::Edit;
    switch (property) {
      case Property::Text:
      case Property::Selection:
        if (isEdit) {
          auto& e = static_cast<ui::Edit&>(component_);
          if (property == Property::Text && windowText(h) != e.Text()) MSWSetWindowText(e.Text());
          SendMessageW(h, EM_SETSEL, static_cast<WPARAM>(e.SelStart()), e.SelStart() + e.SelLength());
        } else {
          auto& c = static_cast<ui::ComboBox&>(component_);
          if (c.GetStyle() == ui::ComboBox::Style::DropDownList) {
            SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(c.ItemIndex()), 0);
          } else {
            MSWSetWindowText(c.Text());
          }
        }
        break;
      case Property::Items:
        if (!isEdit) {
          auto& c = static_cast<ui::ComboBox&>(component_);
          syncing_ = true;
          // The drop-down list repaints once, not once per item added.
          COMBOBOXINFO info{};
          info.cbSize = sizeof info;
          HWND list = GetComboBoxInfo(h, &info) ? info.hwndList : nullptr;
          if (list) SendMessageW(list, WM_SETREDRAW, FALSE, 0);
          SendMessageW(h, CB_RESETCONTENT, 0, 0);
          for (const auto& item : c.Items()) SendMessageW(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
          if (list) SendMessageW(list, WM_SETREDRAW, TRUE, 0);
          syncing_ = false;
          MSWSync(Property::ItemIndex);
        }
        break;
      case Property::ItemIndex:
        if (!isEdit) {
          auto& c = static_cast<ui::ComboBox&>(component_);
          SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(c.ItemIndex()), 0);
          if (c.GetStyle() == ui::ComboBox::Style::DropDown) MSWSetWindowText(c.Text());
        }
        break;
      case Property::DropDown:
        if (!isEdit) {
          bool open = static_cast<ui::ComboBox&>(component_).DroppedDown();
          if ((SendMessageW(h, CB_GETDROPPEDSTATE, 0, 0) != 0) != open) {
            syncing_ = true;
            SendMessageW(h, CB_SHOWDROPDOWN, open, 0);
            syncing_ = false;
          }
        }
        break;
      default:
        MSWControl::MSWSync(property);
        break;
    }
  }

  bool MSWOnCommand(WORD code, LRESULT* result) override {
    *result = 0;
    HWND h = MSWHandle();
    if (component_.GetKind() == Kind::Edit) {
      if (code == EN_CHANGE && !syncing_) {
        // Text changed by the window itself (a paste, WM_SETTEXT from a
        // tool): the model takes it as the user's.
        static_cast<ui::Edit&>(component_).UserSetText(windowText(h));
        return true;
      }
      return false;
    }
    auto& c = static_cast<ui::ComboBox&>(component_);
    if (syncing_) return false;
    if (code == CBN_SELCHANGE) {
      int i = static_cast<int>(SendMessageW(h, CB_GETCURSEL, 0, 0));
      if (i >= 0) c.UserPick(i);
      if (MSWHandle()) MSWSync(Property::ItemIndex);
      return true;
    }
    if (code == CBN_EDITCHANGE) {
      c.UserSetText(windowText(h));
      return true;
    }
    if (code == CBN_DROPDOWN || code == CBN_CLOSEUP) {
      c.UserDropDown(code == CBN_DROPDOWN);
      return true;
    }
    return false;
  }

  // Key routing: the caret may have moved natively (mouse), the model
  // learns it first; after the window's own navigation, the model follows.
  void MSWBeforeKeyDown() override {
    if (component_.GetKind() != Kind::Edit) return;
    DWORD start = 0, end = 0;
    SendMessageW(MSWHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    auto& e = static_cast<ui::Edit&>(component_);
    if (static_cast<int>(start) != e.SelStart() || static_cast<int>(end - start) != e.SelLength())
      e.SetSelection(static_cast<int>(start), static_cast<int>(end - start));
  }

  // CBN_SELCHANGE from arrows goes through UserPick below.
  bool MSWQuietNativeKeys() const override { return component_.GetKind() == Kind::ComboBox; }

  void MSWAfterNativeKey() override {
    if (component_.GetKind() == Kind::ComboBox) {
      auto& c = static_cast<ui::ComboBox&>(component_);
      int i = static_cast<int>(SendMessageW(MSWHandle(), CB_GETCURSEL, 0, 0));
      if (i >= 0 && i != c.ItemIndex()) c.UserPick(i);
    } else {
      DWORD start = 0, end = 0;
      SendMessageW(MSWHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
      static_cast<ui::Edit&>(component_).SetSelection(static_cast<int>(start), static_cast<int>(end - start));
    }
  }

  bool MSWTakesEveryChar() const override { return true; }

  LRESULT MSWHandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    const Kind kind = component_.GetKind();
    switch (msg) {
      case WM_SETTEXT:
        // A tool setting an edit's text: the model takes it, then the window
        // shows the model's text (a filter may have changed it).
        if (!syncing_ && kind == Kind::Edit && lp) {
          static_cast<ui::Edit&>(component_).UserSetText(reinterpret_cast<const wchar_t*>(lp));
          if (MSWHandle()) MSWSync(Property::Text);
          return TRUE;
        }
        break;
      case WM_CHAR:
        // Characters sent straight to the window (not through the modal
        // loop, e.g. by a tool) take the same road as typed ones.
        component_.UserChar(static_cast<wchar_t>(wp));
        return 0;
      default:
        break;
    }
    return MSWControl::MSWHandleMessage(msg, wp, lp);
  }
};

}  // namespace

std::unique_ptr<MSWControl> MSWMakeEdit(MSWFormBinding& binding, ui::Component& c) {
  return std::make_unique<MSWEditControl>(binding, c);
}

}  // namespace topaline::msw
