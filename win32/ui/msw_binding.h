// Internal: the peer objects that give every component of a shown form a
// real window and keep it in sync with the model.
#pragma once

#include <windows.h>

#include <memory>
#include <unordered_map>
#include <vector>

#include "ui/ui.h"
#include "win32/ui/msw_images.h"
#include "win32/ui/msw_window.h"

namespace topaline::msw {

class MSWFormBinding;

// One component's window. The component model owns every value: the
// window is (re)synchronised from it after each change and each user
// action, and user input reaches the model through its User* operations.
class MSWControl : public MSWWindow, public ui::ControlPeer {
public:
  MSWControl(MSWFormBinding& binding, ui::Component& component);
  ~MSWControl() override;

  ui::Component& Component() const { return component_; }
  MSWFormBinding& Binding() const { return binding_; }

  // Creates the window under parent (the parent component's window).
  virtual void MSWCreateWindow(HWND parent);
  // Pushes every property to the window.
  virtual void MSWSyncAll();

  // ControlPeer
  void Changed(ui::Component& component, ui::Property property) override;
  void Destroying(ui::Component& component) override;

  // Keyboard input routed by the modal loop. Returns true when the
  // message was handled (and must not be dispatched).
  virtual bool MSWRouteKey(MSG& msg);

  // Keeps a container's own inner window (a page control's tabs) beneath
  // its children; called after a child window was created.
  virtual void MSWLowerInnerWindows() {}

  // Scaled geometry of the component within its parent window.
  RECT MSWDeviceRect() const;

protected:
  LRESULT MSWHandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  bool MSWOnCommand(WORD code, LRESULT* result) override;
  HBRUSH MSWOnCtlColor(HDC dc) override;
  bool MSWOnDrawItem(DRAWITEMSTRUCT* dis) override;
  virtual void MSWSync(ui::Property property);
  // After a family created its window: font, component name, every
  // property.
  void MSWFinishWindow();
  // The window's control id (from the creation order).
  UINT MSWControlId() const;
  // Creates a family's native window at the component's scaled design
  // place, as a clipped child of parent carrying the control id.
  HWND MSWCreateAtDesign(DWORD exStyle, const wchar_t* cls, const wchar_t* text, DWORD style, HWND parent);
  // Height beyond the design height (a combo box's drop-down list).
  virtual int MSWExtraHeight() const { return 0; }
  // Key routing hooks (MSWRouteKey): before the model sees a key down;
  // whether the window's own handling of a key the model left alone must
  // not notify the model (it catches up in MSWAfterNativeKey); whether
  // every character is text for the control.
  virtual void MSWBeforeKeyDown() {}
  virtual bool MSWQuietNativeKeys() const { return false; }
  virtual void MSWAfterNativeKey() {}
  virtual bool MSWTakesEveryChar() const { return false; }
  void MSWSetWindowText(const std::wstring& text);
  int Scale(int v) const;
  int Unscale(int v) const;

  friend class MSWFormBinding;
  MSWFormBinding& binding_;
  ui::Component& component_;
  bool syncing_ = false;
  bool finishing_ = false;  // in MSWFinishWindow: the window was just made with its text
  bool lastKeyConsumed_ = false;
  bool mouseTracked_ = false;  // a WM_MOUSELEAVE is asked for
  HBRUSH brush_ = nullptr;
  COLORREF brushColor_ = CLR_INVALID;
  bool component_gone_ = false;
};

// The form's own window and the bindings of all its components.
class MSWFormBinding final : public MSWControl {
public:
  MSWFormBinding(ui::Form& form, HWND owner, UINT dpi);
  ~MSWFormBinding() override;

  ui::Form& Form() const { return form_; }
  UINT Dpi() const { return dpi_; }
  HFONT Font() const;
  HFONT BoldFont() const;
  HWND Tooltip() const { return tooltip_; }
  // The image lists and pictures of this form's windows.
  MSWImageCache& Images() { return images_; }

  // Creates the windows of the form and every component.
  void MSWCreateAll();
  // Puts each label's window just before the window of the control it
  // names (ui/screen_reader.h).
  void MSWPlaceLabels();
  // The binding of a component, creating its window when it has none yet
  // (components the model adds while the form is shown, such as the
  // tree-grid's editor).
  MSWControl* Ensure(ui::Component& c);
  MSWControl* Find(ui::Component* c) const;
  void Forget(ui::Component& c);

  void MSWCreateWindow(HWND parent) override;
  void MSWSyncAll() override;
  void MSWAddTool(HWND hwnd, const std::wstring& text);
  // Moves the real focus to the model's active control (not while the
  // focus is elsewhere and must stay there: see MSWQuietFocus).
  void MSWSyncFocus();
  // While set, model focus moves are not pushed to the windows (an edit
  // ended because the focus went to another program).
  void MSWQuietFocus(bool quiet) { quietFocus_ = quiet; }
  // The tree-grid whose in-place editor c is, if any.
  ui::TreeGrid* MSWGridEditedBy(ui::Component& c) const;

protected:
  LRESULT MSWHandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void MSWSync(ui::Property property) override;

private:
  ui::Form& form_;
  HWND owner_;
  UINT dpi_;
  HWND tooltip_ = nullptr;
  bool quietFocus_ = false;
  MSWImageCache images_;  // outlives the controls that show its lists
  std::vector<std::unique_ptr<MSWControl>> controls_;
  std::unordered_map<ui::Component*, MSWControl*> byComponent_;
  std::unordered_map<UINT_PTR, ui::Timer*> timers_;
};

// The window of a component, by kind (windowless kinds get the base).
std::unique_ptr<MSWControl> MSWMakeControl(MSWFormBinding& binding, ui::Component& c);
// The control families, one file each.
std::unique_ptr<MSWControl> MSWMakeButton(MSWFormBinding& binding, ui::Component& c);         // msw_buttons.cpp
std::unique_ptr<MSWControl> MSWMakeEdit(MSWFormBinding& binding, ui::Component& c);           // msw_edits.cpp
std::unique_ptr<MSWControl> MSWMakeContainer(MSWFormBinding& binding, ui::Component& c);      // msw_containers.cpp
std::unique_ptr<MSWControl> MSWMakeStaticControl(MSWFormBinding& binding, ui::Component& c);  // msw_static_controls.cpp
std::unique_ptr<MSWControl> MSWMakeBar(MSWFormBinding& binding, ui::Component& c);            // msw_bars.cpp
std::unique_ptr<MSWControl> MSWMakeToolButton(MSWFormBinding& binding, ui::Component& c);     // msw_tool_button.cpp
std::unique_ptr<MSWControl> MSWMakeTreeGrid(MSWFormBinding& binding, ui::Component& c);       // msw_tree_grid.cpp
std::unique_ptr<MSWControl> MSWMakePaletteGrid(MSWFormBinding& binding, ui::Component& c);    // msw_palette_grid.cpp
DWORD MSWAlignStyle(ui::Alignment a, DWORD left, DWORD right, DWORD center);
COLORREF MSWColor(ui::Color c, COLORREF fallback);
ui::ShiftState MSWShiftState();

}  // namespace topaline::msw
