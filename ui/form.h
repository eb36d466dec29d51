// A form: the top-level window of a dialog. It owns its components in
// creation order, keeps the focus (ActiveControl), the default and cancel
// buttons, and the modal result.
#pragma once

#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/error.h"
#include "platform/platform.h"
#include "ui/component.h"

namespace topaline::ui {

class Button;

enum class BorderStyle {
  Sizeable,        // resizable frame, caption with minimise / maximise / close
  Dialog,          // fixed dialog frame, caption with close box
  Single,          // fixed frame, caption with minimise / close
  ToolWindow,      // fixed small-caption frame, close box only
  SizeToolWindow,  // resizable small-caption frame
  None,
};

enum class FormPosition {
  Designed,      // Left/Top as set
  ScreenCenter,  // centred on the work area when shown
};

class Form : public Component {
public:
  explicit Form(std::wstring name);
  ~Form() override;

  // ---- Components ----
  // Creates a component owned by this form, after all the others in
  // creation order. parent: nullptr for the form itself.
  //   auto& bt = Add<Button>(panel, L"btAppliquer", {8, 4, 75, 25});
  template <class T, class... Args>
  T& Add(Component* parent, std::wstring name, const Rect& bounds = {}, Args&&... args) {
    static_assert(std::is_base_of_v<Component, T>, "forms own components");
    auto owned = std::make_unique<T>(*this, parent ? parent : static_cast<Component*>(this),
                                     std::move(name), std::forward<Args>(args)...);
    T& ref = *owned;
    Adopt(std::move(owned));
    if (bounds != Rect{}) ref.SetBounds(bounds);
    return ref;
  }
  // Every owned component, in creation order (the form excluded).
  const std::vector<std::unique_ptr<Component>>& Components() const { return components_; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  Component& ComponentAt(int i) const { return *components_.at(static_cast<std::size_t>(i)); }
  // By name: exact, or without regard to case (Latin-1 letters folded).
  // nullptr when none.
  Component* FindComponent(const std::wstring& name) const;
  Component* FindComponentNoCase(const std::wstring& name) const;
  // By exact name and type; throws Error when missing or of another type.
  template <class T>
  T& Get(const std::wstring& name) const {
    Component* c = FindComponent(name);
    T* t = dynamic_cast<T*>(c);
    if (!t) ThrowMissing(name, c != nullptr);
    return *t;
  }

  bool HasCaption() const override { return true; }

  // ---- Frame and placement ----
  BorderStyle GetBorderStyle() const { return borderStyle_; }
  void SetBorderStyle(BorderStyle b);
  FormPosition GetPosition() const { return position_; }
  void SetPosition(FormPosition p) { position_ = p; }
  // The window that owns the form when shown (0: none).
  WindowHandle OwnerWindow() const { return ownerWindow_; }
  void SetOwnerWindow(WindowHandle w) { ownerWindow_ = w; }
  bool StayOnTop() const { return stayOnTop_; }
  void SetStayOnTop(bool v);
  // Client size; the outer size (Width/Height) is the client size plus
  // the frame (FrameExtra), which the binding corrects to the real one.
  // Whichever size was given last stays when the frame is corrected: the
  // client size of a design (SetClientSize), or the outer size of a place
  // stored when the form closed (SetBounds).
  int ClientWidth() const { return clientWidth_; }
  int ClientHeight() const { return clientHeight_; }
  void SetClientSize(int width, int height);
  Size FrameExtra() const { return frameExtra_; }
  void SetFrameExtra(Size s);
  using Component::SetBounds;
  void SetBounds(const Rect& r) override;  // outer geometry
  bool OuterSizeGiven() const { return outerSizeGiven_; }
  Rect ClientRect() const override { return Rect{0, 0, clientWidth_, clientHeight_}; }
  // Minimum outer size (0: none), kept by SetBounds.
  Size MinSize() const { return minSize_; }
  void SetMinSize(Size s);
  // Centres the form on the given area (its outer size).
  void CenterOn(const Rect& area);
  // Brings the form back onto the area when it lies (partly) outside.
  void KeepInside(const Rect& area);

  // ---- Keys ----
  // The form sees keys before its controls.
  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool v) { keyPreview_ = v; }
  // Enter clicks the default button, Escape the cancel button (when no
  // control consumed the key). Set through Button::SetDefault/SetCancel.
  Button* DefaultButton() const { return defaultButton_; }
  Button* CancelButton() const { return cancelButton_; }

  // ---- Focus ----
  Component* ActiveControl() const { return activeControl_; }
  // Moves the focus: the old control's exit, then the new one's enter.
  // A focus request made during the exit reaction wins (so an exit
  // reaction can keep the focus on its own field).
  void SetActiveControl(Component* c);
  // The next / previous focusable control in creation order (wrapping).
  Component* NextFocusable(Component* from, bool forward) const;

  // ---- Showing and closing ----
  ModalResult GetModalResult() const { return modalResult_; }
  void SetModalResult(ModalResult r);
  bool Showing() const { return showing_; }
  // Closes the form: a modal form gets mrCancel unless a result is set.
  void Close();
  // The close box (or Alt+F4).
  void UserClose();
  // Called by form runners around a modal showing:
  // BeginModal clears the result, shows the form, runs OnShow and gives
  // the focus to ActiveControl or the first focusable control;
  // EndModal runs OnCloseQuery / OnClose once a result is set; it returns
  // false (and clears the result) when OnCloseQuery refused.
  void BeginModal();
  bool EndModal();

  // The form's user moved / resized it (binding).
  void UserMoved(const Rect& outer);

  // ---- Events ----
  std::function<void()> OnShow;
  std::function<void(bool& canClose)> OnCloseQuery;
  std::function<void()> OnClose;
  std::function<void()> OnResize;
  // Reports an exception raised by a reaction (see Component::Dispatch).
  // Dialogs show it in the error message box. When unset, the message is
  // kept in UnreportedErrors().
  std::function<void(const std::wstring& message)> OnError;
  const std::vector<std::wstring>& UnreportedErrors() const { return unreportedErrors_; }
  void ReportError(const std::wstring& message);

  // Suppresses peer notifications of every component while positive.
  void BeginUpdate() { ++updateCount_; }
  void EndUpdate();
  bool Updating() const { return updateCount_ > 0; }

private:
  // Sets the outer geometry without saying which size is the given one.
  void ApplyBounds(const Rect& r);
  friend class Component;
  friend class Button;
  void Adopt(std::unique_ptr<Component> c);
  void Forget(Component* c);
  [[noreturn]] void ThrowMissing(const std::wstring& name, bool wrongType) const;
  bool PreviewKeyDown(int& key, ShiftState shift);
  void PreviewKeyPress(wchar_t& ch);
  void PreviewKeyUp(int& key, ShiftState shift);
  bool DialogKey(Component& from, int key, ShiftState shift);
  void NotifyPeer(Component& c, Property p);
  // The focus leaves a control that is being hidden or disabled.
  void LoseFocusInside(Component* c);

  std::vector<std::unique_ptr<Component>> components_;
  BorderStyle borderStyle_ = BorderStyle::Dialog;
  FormPosition position_ = FormPosition::Designed;
  bool stayOnTop_ = false;
  WindowHandle ownerWindow_ = 0;
  int clientWidth_ = 0, clientHeight_ = 0;
  Size frameExtra_{6, 29};
  bool outerSizeGiven_ = false;
  Size minSize_{};
  bool keyPreview_ = false;
  Button* defaultButton_ = nullptr;
  Button* cancelButton_ = nullptr;
  Component* activeControl_ = nullptr;
  ModalResult modalResult_ = mrNone;
  bool showing_ = false;
  int updateCount_ = 0;
  bool destroying_ = false;
  // focus move bookkeeping
  bool inExit_ = false;
  unsigned focusSerial_ = 0;
  Component* requestedDuringExit_ = nullptr;
  bool focusRequested_ = false;
  std::vector<std::wstring> unreportedErrors_;
  std::vector<std::pair<Component*, Property>> heldNotifications_;
};

// Case-insensitive equality of component names and of the texts a list
// matches to a stored value, which come from registry value names and
// data: folded as the registry folds names (platform/name_fold.h).
bool SameNameNoCase(const std::wstring& a, const std::wstring& b);

}  // namespace topaline::ui
