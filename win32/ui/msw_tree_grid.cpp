// The tree-grid's window: a virtual (owner-data) list view. The model
// holds the rows; the list view asks for the cell texts it shows
// (LVN_GETDISPINFO), so a million rows cost nothing on this side.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "win32/ui/msw_binding.h"
#include "win32/ui/msw_guard.h"
#include "win32/ui/msw_names.h"

namespace topaline::msw {

using ui::Property;

namespace {

// A header click as the model handles it; a sort of many rows takes a
// moment, so the wait cursor shows until the click has been handled (the
// thread dispatches nothing meanwhile, so nothing sets the cursor back).
void MSWClickHeader(ui::TreeGrid& grid, int column, ui::MouseButton button) {
  struct WaitCursor {
    HCURSOR previous = SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT)));
    ~WaitCursor() { SetCursor(previous); }
  } wait;
  grid.UserClickHeader(column, button);
}

class MSWTreeGrid final : public MSWControl {
public:
  MSWTreeGrid(MSWFormBinding& b, ui::Component& c) : MSWControl(b, c), grid_(static_cast<ui::TreeGrid&>(c)) {}
  ~MSWTreeGrid() override { MSWReleaseHeader(); }

  void MSWCreateWindow(HWND parent) override {
    RECT r = MSWDeviceRect();
    // The image lists belong to the form's cache, not to the list view.
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS |
                  LVS_SINGLESEL | LVS_SHAREIMAGELISTS;
    if (!grid_.HeaderVisible()) style |= LVS_NOCOLUMNHEADER;
    // Made hidden and filled with its drawing held: a list view shown
    // while its columns and rows are set lays itself out and scrolls
    // again at each of them, several times what the window costs.
    MSWCreateNative(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", style, r.left, r.top, r.right - r.left, r.bottom - r.top,
                    parent, static_cast<UINT>(grid_.CreationIndex() + 100));
    HWND h = MSWHandle();
    MSWSetComponentName(h, grid_.Name());
    MSWReleaseHeader();
    SendMessageW(h, WM_SETREDRAW, FALSE, 0);
    MSWSyncAll();
    // The font once the columns exist: the header measures its items
    // again at each font change, not at each column.
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(binding_.Font()), FALSE);
    SendMessageW(h, WM_SETREDRAW, TRUE, 0);
    // WM_SETREDRAW may have shown it: the model decides.
    ShowWindow(h, grid_.Visible() ? SW_SHOWNA : SW_HIDE);
    MSWHookHeader();
  }

  void MSWSyncAll() override {
    MSWSync(Property::Style);
    MSWSync(Property::Image);
    MSWSync(Property::Columns);
    MSWSync(Property::Rows);
    MSWSync(Property::FocusedRow);
    MSWSync(Property::Enabled);
    MSWSync(Property::Hint);
    MSWSync(Property::Caption);
  }

protected:
  void MSWSync(Property p) override {
    HWND h = MSWHandle();
    switch (p) {
      case Property::Style: {
        DWORD ex = LVS_EX_DOUBLEBUFFER | LVS_EX_HEADERDRAGDROP;
        if (grid_.FullRowSelect()) ex |= LVS_EX_FULLROWSELECT;
        if (grid_.GridLines()) ex |= LVS_EX_GRIDLINES;
        if (grid_.CheckBoxes()) ex |= LVS_EX_CHECKBOXES;
        // Pictures beyond the first column only once a cell asks for one:
        // the style reserves picture room in every cell of those columns.
        if (grid_.Images() && subItemImages_) ex |= LVS_EX_SUBITEMIMAGES;
        SendMessageW(h, LVM_SETEXTENDEDLISTVIEWSTYLE, ~0u, ex);
        break;
      }
      case Property::Image:
        // Cell pictures (CellStyle::imageIndex) come from the grid's list.
        SendMessageW(h, LVM_SETIMAGELIST, LVSIL_SMALL,
                     reinterpret_cast<LPARAM>(binding_.Images().List(grid_.Images())));
        MSWSync(Property::Style);
        InvalidateRect(h, nullptr, TRUE);
        break;
      case Property::Columns:
      case Property::Header: {
        syncing_ = true;
        HWND header = reinterpret_cast<HWND>(SendMessageW(h, LVM_GETHEADER, 0, 0));
        if (header) MSWHookHeader();
        // Same column set: updated in place (this may run inside one of
        // the header's own notifications, whose item must stay); else
        // rebuilt.
        const bool inPlace = header && Header_GetItemCount(header) == grid_.ColumnCount();
        if (!inPlace) {
          while (SendMessageW(h, LVM_DELETECOLUMN, 0, 0)) {
          }
        }
        for (int i = 0; i < grid_.ColumnCount(); ++i) {
          const ui::TreeColumn& col = grid_.Column(i);
          LVCOLUMNW lc{};
          lc.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
          lc.pszText = const_cast<wchar_t*>(col.caption.c_str());
          lc.cx = col.visible ? Scale(col.width) : 0;
          lc.fmt = col.alignment == ui::Alignment::Right ? LVCFMT_RIGHT
                   : col.alignment == ui::Alignment::Center ? LVCFMT_CENTER : LVCFMT_LEFT;
          if (i == 0) lc.fmt = LVCFMT_LEFT;  // the first column of a list view is always left-aligned
          lc.iSubItem = i;
          SendMessageW(h, inPlace ? LVM_SETCOLUMNW : LVM_INSERTCOLUMNW, static_cast<WPARAM>(i),
                       reinterpret_cast<LPARAM>(&lc));
        }
        std::vector<int> order = grid_.ColumnOrder();
        if (!order.empty())
          SendMessageW(h, LVM_SETCOLUMNORDERARRAY, order.size(), reinterpret_cast<LPARAM>(order.data()));
        // The sort arrow on the sorted column's header.
        for (int i = 0; header && i < grid_.ColumnCount(); ++i) {
          HDITEMW hd{};
          hd.mask = HDI_FORMAT;
          SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&hd));
          const int before = hd.fmt;
          hd.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
          if (i == grid_.SortColumn())
            hd.fmt |= grid_.GetSortDirection() == ui::SortDirection::Ascending ? HDF_SORTUP : HDF_SORTDOWN;
          // Each change lays the header out again: only the changed ones.
          if (hd.fmt != before)
            SendMessageW(header, HDM_SETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&hd));
        }
        syncing_ = false;
        InvalidateRect(h, nullptr, TRUE);
        break;
      }
      case Property::Rows:
        SendMessageW(h, LVM_SETITEMCOUNT, static_cast<WPARAM>(grid_.RowCount()), LVSICF_NOSCROLL);
        InvalidateRect(h, nullptr, TRUE);
        MSWSync(Property::FocusedRow);
        break;
      case Property::RowsRepaint:
        InvalidateRect(h, nullptr, TRUE);
        break;
      case Property::FocusedRow: {
        // Only the items whose state changes are touched: clearing "every
        // item" (item -1) walks all the rows of an owner-data list view,
        // seconds for a million rows on every focus move.
        syncing_ = true;
        const int n = grid_.RowCount();
        const int row = grid_.FocusedRow();
        // With several selected rows the list view holds the focused row's
        // state alone (selected when the model says so); the other selected
        // rows are painted from the model (NM_CUSTOMDRAW). The list view's
        // own multiple selection applies a change of every row item by
        // item: seconds for Ctrl+A over a million rows.
        const int sel = grid_.MultiSelect() ? (row >= 0 && row < n && grid_.RowSelected(row) ? row : -1)
                                            : grid_.SelectedRow();
        if (grid_.MultiSelect()) {
          const ui::TreeGrid::RowSpan changed = grid_.TakeSelectionChanges();
          if (!changed.Empty()) InvalidateRows(changed.first, changed.last);
        }
        auto setState = [&](int item, UINT state) {
          LVITEMW it{};
          it.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
          it.state = state;
          SendMessageW(h, LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&it));
        };
        for (int old : {nativeFocus_, nativeSelected_})
          if (old >= 0 && old < n && old != row && old != sel) setState(old, 0);
        if (sel >= 0 && sel < n && sel != row) setState(sel, LVIS_SELECTED);
        if (row >= 0 && row < n) {
          setState(row, LVIS_FOCUSED | (sel == row ? LVIS_SELECTED : 0));
          SendMessageW(h, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
        }
        nativeFocus_ = row < n ? row : -1;
        nativeSelected_ = sel < n ? sel : -1;
        syncing_ = false;
        break;
      }
      case Property::Editing: {
        KillTimer(h, kEditTimer);
        if (grid_.EditPending()) SetTimer(h, kEditTimer, static_cast<UINT>(grid_.EditDelay()), nullptr);
        if (grid_.IsEditing() && grid_.Editor()) {
          // The editor (a control of the form) is laid over the cell.
          MSWControl* ed = binding_.Ensure(*grid_.Editor());
          if (ed && ed->MSWHandle()) {
            RECT cell{};
            cell.top = grid_.EditColumn();
            cell.left = LVIR_LABEL;
            SendMessageW(h, LVM_GETSUBITEMRECT, static_cast<WPARAM>(grid_.EditRow()), reinterpret_cast<LPARAM>(&cell));
            SetParent(ed->MSWHandle(), h);
            // The text stays where the cell showed it.
            SendMessageW(ed->MSWHandle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(Scale(4), Scale(4)));
            SetWindowPos(ed->MSWHandle(), HWND_TOP, cell.left, cell.top, cell.right - cell.left,
                         cell.bottom - cell.top, SWP_SHOWWINDOW);
            binding_.MSWSyncFocus();
          }
        }
        break;
      }
      case Property::Checked:
        InvalidateRect(h, nullptr, FALSE);
        break;
      default:
        MSWControl::MSWSync(p);
        break;
    }
  }

  bool MSWOnNotify(NMHDR* hdr, LRESULT* result) override {
    *result = 0;
    switch (hdr->code) {
      case LVN_GETDISPINFOW: {
        auto* di = reinterpret_cast<NMLVDISPINFOW*>(hdr);
        LVITEMW& item = di->item;
        if (item.iItem < 0 || item.iItem >= grid_.RowCount()) return true;
        if (item.mask & LVIF_TEXT) {
          text_ = grid_.CellText(item.iItem, item.iSubItem);
          lstrcpynW(item.pszText, text_.c_str(), item.cchTextMax);
        }
        if (item.mask & LVIF_IMAGE) {
          int image = grid_.Images() && item.iSubItem < grid_.ColumnCount()
                          ? grid_.CellPaint(item.iItem, item.iSubItem).imageIndex
                          : -1;
          item.iImage = image >= 0 ? image : I_IMAGENONE;
        }
        if ((item.mask & LVIF_STATE) && grid_.CheckBoxes()) {
          item.state = INDEXTOSTATEIMAGEMASK(grid_.Checked(item.iItem) ? 2 : 1);
          item.stateMask = LVIS_STATEIMAGEMASK;
        }
        return true;
      }
      case NM_CUSTOMDRAW: {
        auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(hdr);
        if (cd->nmcd.dwDrawStage == CDDS_PREPAINT) {
          *result = CDRF_NOTIFYITEMDRAW;
        } else if (cd->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
          *result = CDRF_NOTIFYSUBITEMDRAW;
        } else if (cd->nmcd.dwDrawStage == (CDDS_ITEMPREPAINT | CDDS_SUBITEM)) {
          int row = static_cast<int>(cd->nmcd.dwItemSpec), col = cd->iSubItem;
          if (row < grid_.RowCount() && col < grid_.ColumnCount()) {
            ui::CellStyle s = grid_.CellPaint(row, col);
            if (col > 0 && s.imageIndex >= 0 && grid_.Images() && !subItemImages_) {
              subItemImages_ = true;
              PostMessageW(MSWHandle(), kMsgRestyle, 0, 0);
            }
            cd->clrText = MSWColor(s.textColor, GetSysColor(COLOR_WINDOWTEXT));
            ui::Color bk = s.background != ui::clDefault ? s.background : grid_.Column(col).color;
            cd->clrTextBk = MSWColor(bk, GetSysColor(COLOR_WINDOW));
            if (grid_.MultiSelect() && row != nativeSelected_ && grid_.RowSelected(row)) {
              // A selected row the list view does not hold as selected.
              const bool focused = GetFocus() == MSWHandle();
              cd->clrTextBk = GetSysColor(focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
              cd->clrText = GetSysColor(focused ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT);
            }
            SelectObject(cd->nmcd.hdc, s.bold ? binding_.BoldFont() : binding_.Font());
            *result = CDRF_NEWFONT;
          }
        }
        return true;
      }
      case LVN_COLUMNCLICK: {
        auto* lv = reinterpret_cast<NMLISTVIEW*>(hdr);
        MSWClickHeader(grid_, lv->iSubItem, ui::MouseButton::Left);
        return true;
      }
      case NM_CLICK:
      case NM_DBLCLK:
      case NM_RCLICK: {
        auto* ia = reinterpret_cast<NMITEMACTIVATE*>(hdr);
        LVHITTESTINFO hit{};
        hit.pt = ia->ptAction;
        SendMessageW(MSWHandle(), LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        if (hdr->code == NM_DBLCLK) {
          // Anywhere in the list: beside the rows too (row -1).
          grid_.UserDoubleClickRow(hit.iItem);
          return true;
        }
        if (hit.iItem < 0) return true;
        if (hdr->code == NM_CLICK && grid_.CheckBoxes() && (hit.flags & LVHT_ONITEMSTATEICON)) {
          grid_.UserToggleCheck(hit.iItem);
        } else {
          // Only the left button starts an edit; the right one focuses the row.
          grid_.UserClickRow(hit.iItem, hit.iSubItem,
                             hdr->code == NM_RCLICK ? ui::MouseButton::Right : ui::MouseButton::Left);
        }
        return true;
      }
      case LVN_ITEMCHANGED: {
        // Keyboard moves of the native focus: the model follows (it may
        // already have moved through its own key handling).
        auto* lv = reinterpret_cast<NMLISTVIEW*>(hdr);
        if (!syncing_ && lv->iItem >= 0 && (lv->uNewState & LVIS_FOCUSED) && lv->iItem != grid_.FocusedRow())
          grid_.UserClickRow(lv->iItem, 0);
        return true;
      }
      case HDN_ENDTRACKW:
      case HDN_ENDTRACKA: {
        auto* nh = reinterpret_cast<NMHEADERW*>(hdr);
        if (nh->pitem && (nh->pitem->mask & HDI_WIDTH)) grid_.UserResizeColumn(nh->iItem, Unscale(nh->pitem->cxy));
        return false;
      }
      default:
        return false;
    }
  }

  LRESULT MSWHandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == kMsgRestyle) {
      MSWSync(Property::Style);
      InvalidateRect(MSWHandle(), nullptr, TRUE);
      return 0;
    }
    if ((msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) && grid_.MultiSelect() && (wp & (MK_SHIFT | MK_CONTROL))) {
      // Shift and Ctrl clicks select in the model; the list view keeps
      // the focused row only (see Property::FocusedRow).
      LVHITTESTINFO hit{};
      hit.pt = POINT{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
      SendMessageW(MSWHandle(), LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
      if (hit.iItem >= 0) {
        ui::ShiftState shift;
        shift.shift = (wp & MK_SHIFT) != 0;
        shift.ctrl = (wp & MK_CONTROL) != 0;
        grid_.UserClickRow(hit.iItem, hit.iSubItem, ui::MouseButton::Left, shift);
        return 0;
      }
    }
    if ((msg == WM_SETFOCUS || msg == WM_KILLFOCUS) && grid_.MultiSelect() && grid_.SelectedCount() > 1) {
      // The painted selection takes the colours of a list with or
      // without the focus, as the list view's own does.
      InvalidateRect(MSWHandle(), nullptr, FALSE);
    }
    if (msg == WM_TIMER && wp == kEditTimer) {
      KillTimer(MSWHandle(), kEditTimer);
      grid_.UserEditDelayElapsed();
      return 0;
    }
    if (msg == WM_VSCROLL || msg == WM_HSCROLL || msg == WM_MOUSEWHEEL || msg == WM_MOUSEHWHEEL) {
      // Scrolling moves the cells from under an open editor: the edit
      // ends (committed) first, then the model learns the top row.
      EndEditByUser();
      LRESULT r = MSWControl::MSWHandleMessage(msg, wp, lp);
      if (MSWHandle()) {
        syncing_ = true;
        grid_.SetTopRow(static_cast<int>(SendMessageW(MSWHandle(), LVM_GETTOPINDEX, 0, 0)));
        syncing_ = false;
        // An editor kept open (its exit reaction kept the focus) follows
        // its cell.
        if (grid_.IsEditing()) MSWSync(Property::Editing);
      }
      return r;
    }
    if (msg == WM_NOTIFY && lp) {
      // The header's own notifications reach the list view first.
      auto* hdr = reinterpret_cast<NMHDR*>(lp);
      LRESULT r = 0;
      switch (hdr->code) {
        case HDN_ENDTRACKW:
        case HDN_ENDTRACKA:
          MSWOnNotify(hdr, &r);
          break;

        case HDN_BEGINTRACKW:
        case HDN_BEGINTRACKA:
        case HDN_BEGINDRAG:
          EndEditByUser();
          break;
        case HDN_DIVIDERDBLCLICKW:
        case HDN_DIVIDERDBLCLICKA: {
          // The list view fits the column to its texts: the model follows.
          auto* nh = reinterpret_cast<NMHEADERW*>(hdr);
          EndEditByUser();
          r = MSWControl::MSWHandleMessage(msg, wp, lp);
          if (MSWHandle() && nh->iItem >= 0)
            grid_.UserResizeColumn(nh->iItem, Unscale(static_cast<int>(
                                                  SendMessageW(MSWHandle(), LVM_GETCOLUMNWIDTH, nh->iItem, 0))));
          return r;
        }
        case HDN_ENDDRAG: {
          // A column dropped at another place: the model moves it and the
          // header shows the model's order (the header itself must not
          // reorder on top of that, hence TRUE).
          auto* nh = reinterpret_cast<NMHEADERW*>(hdr);
          MSWControl::MSWHandleMessage(msg, wp, lp);
          if (nh->pitem && (nh->pitem->mask & HDI_ORDER) && nh->pitem->iOrder >= 0 && nh->iItem >= 0)
            grid_.UserMoveColumn(nh->iItem, nh->pitem->iOrder);
          if (MSWHandle()) MSWSync(Property::Columns);
          return TRUE;
        }
        default:
          break;
      }
    }
    if (msg == WM_COMMAND && lp) {
      // The in-place editor is the list view's child now: forward.
      return MSWControl::MSWHandleMessage(msg, wp, lp);
    }
    return MSWControl::MSWHandleMessage(msg, wp, lp);
  }

private:
  // The header item at a point of the header's client area (-1: beside
  // the columns).
  int HeaderItemAt(LPARAM lp) const {
    HDHITTESTINFO hit{};
    hit.pt = POINT{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    HWND header = header_.MSWHandle();
    int item = static_cast<int>(SendMessageW(header, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return (hit.flags & HHT_ONHEADER) ? item : -1;
  }

  // The header reports left clicks (LVN_COLUMNCLICK) by itself; the
  // middle and right buttons only reach its own window, taken over like
  // the binding's other windows. The list view makes its header with the
  // first column.
  class MSWHeader final : public MSWWindow {
  public:
    explicit MSWHeader(MSWTreeGrid& owner) : owner_(owner) {}
    ~MSWHeader() override { MSWDestroy(); }

  protected:
    LRESULT MSWHandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
      if (msg == WM_MBUTTONUP || msg == WM_RBUTTONUP) {
        // The model decides what each button does (the right one never sorts).
        const auto button = msg == WM_MBUTTONUP ? ui::MouseButton::Middle : ui::MouseButton::Right;
        MSWGuard([&] {
          int item = owner_.HeaderItemAt(lp);
          if (item >= 0) MSWClickHeader(owner_.grid_, item, button);
        });
        if (msg == WM_MBUTTONUP) return 0;
      }
      return MSWWindow::MSWHandleMessage(msg, wp, lp);
    }

  private:
    MSWTreeGrid& owner_;
  };

  void MSWHookHeader() {
    HWND header = reinterpret_cast<HWND>(SendMessageW(MSWHandle(), LVM_GETHEADER, 0, 0));
    if (header && header != header_.MSWHandle()) header_.MSWAdopt(header);
  }
  void MSWReleaseHeader() { header_.MSWDestroy(); }

  // Repaints the rows first..last that are on screen.
  void InvalidateRows(int first, int last) {
    HWND h = MSWHandle();
    const int top = static_cast<int>(SendMessageW(h, LVM_GETTOPINDEX, 0, 0));
    const int shown = static_cast<int>(SendMessageW(h, LVM_GETCOUNTPERPAGE, 0, 0)) + 1;
    first = std::max(first, top);
    last = std::min(last, top + shown);
    if (first > last) return;
    RECT a{}, b{};
    a.left = b.left = LVIR_BOUNDS;
    if (!SendMessageW(h, LVM_GETITEMRECT, static_cast<WPARAM>(first), reinterpret_cast<LPARAM>(&a)) ||
        !SendMessageW(h, LVM_GETITEMRECT, static_cast<WPARAM>(last), reinterpret_cast<LPARAM>(&b))) {
      InvalidateRect(h, nullptr, FALSE);
      return;
    }
    RECT client{};
    GetClientRect(h, &client);
    RECT r{client.left, a.top, client.right, b.bottom};
    InvalidateRect(h, &r, FALSE);
  }

  // Ends an open edit as the user's leaving it would (the grid takes the
  // focus; the edit is committed, errors reported by the form).
  void EndEditByUser() {
    if (!grid_.IsEditing()) return;
    grid_.UserFocus();
  }

  static constexpr UINT_PTR kEditTimer = 0x7E01;
  MSWHeader header_{*this};
  static constexpr UINT kMsgRestyle = WM_APP + 0x32;
  bool subItemImages_ = false;
  ui::TreeGrid& grid_;
  std::wstring text_;
  // The rows last given the native focus and selection.
  int nativeFocus_ = -1, nativeSelected_ = -1;
};

}  // namespace

std::unique_ptr<MSWControl> MSWMakeTreeGrid(MSWFormBinding& binding, ui::Component& c) {
  return std::make_unique<MSWTreeGrid>(binding, c);
}

}  // namespace topaline::msw
