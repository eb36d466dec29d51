// The base of every form and control of the component model.
//
// The model owns every value (caption, check state, text, items...). A
// binding (the Win32 windows, or nothing when headless) attaches a
// ControlPeer to each component and is told through it what changed, so
// it can re-sync its window from the model. Input reaches the model
// through the User* operations, which the binding calls from window
// messages and tests call directly: both exercise the same code.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/stored_value.h"
#include "ui/types.h"

namespace topaline::ui {

class Form;
class Component;
class PopupMenu;

enum class Kind {
  Form,
  Label,
  Button,
  ToolButton,
  CheckBox,
  RadioButton,
  Edit,
  ComboBox,
  GroupBox,
  Panel,
  ToolBar,
  StatusBar,
  PageControl,
  TabSheet,
  TrackBar,
  Image,
  ColorSwatch,
  TreeGrid,
  PopupMenu,
  MenuItem,
  ImageList,
  Timer,
  PaletteGrid,
};

// What changed, as reported to a binding.
enum class Property {
  Caption,
  Hint,
  Bounds,      // Left/Top/Width/Height (for a form also the client size)
  Enabled,
  Visible,
  Tag,
  Font,
  Color,
  Cursor,
  Checked,     // check box, radio button
  Text,        // edit, combo box text
  Selection,   // edit caret and selected range
  Items,       // combo box item list, status bar panels, menu items
  ItemIndex,   // combo box selection
  Style,       // anything that needs the window rebuilt (alignment, combo style, border...)
  Position,    // track bar position
  Range,       // track bar min/max/frequency
  ActivePage,  // page control
  Image,       // image, tool button or tab image index, colour swatch colour
  Focus,       // reported on the form: ActiveControl changed
  ModalResult, // reported on the form
  DropDown,    // combo box list opened or closed
  // Tree-grid
  Columns,     // column set, captions, widths, alignment, order, visibility, colours
  Header,      // sort column / direction
  Rows,        // row count or order changed (reload the virtual list)
  RowsRepaint, // row contents or paint hints changed (repaint)
  FocusedRow,  // focused or selected row
  Editing,     // in-place editor shown or hidden
  Timer,       // timer interval or enabled state
};

class ControlPeer {
public:
  virtual ~ControlPeer() = default;
  virtual void Changed(Component& component, Property property) = 0;
  // Called from the component's destructor; the peer must forget it.
  virtual void Destroying(Component& /*component*/) {}
};

// Receives the in-place editor's Enter, Escape and exit (the tree-grid).
class EditHost {
public:
  virtual ~EditHost() = default;
  // Return true when the key was handled (and must go no further).
  virtual bool EditorKeyDown(Component& editor, int key) = 0;
  virtual void EditorExited(Component& editor) = 0;
};

class Component {
public:
  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;
  virtual ~Component();

  Kind GetKind() const { return kind_; }
  const std::wstring& Name() const { return name_; }
  Form& Owner() const { return *owner_; }
  Component* Parent() const { return parent_; }
  // Direct children in creation order.
  const std::vector<Component*>& Children() const { return children_; }
  // Position in the owner's creation order (the form itself: -1).
  int CreationIndex() const { return creationIndex_; }

  // Design geometry, relative to the parent (for a form: the screen).
  int Left() const { return bounds_.left; }
  int Top() const { return bounds_.top; }
  int Width() const { return bounds_.width; }
  int Height() const { return bounds_.height; }
  const Rect& Bounds() const { return bounds_; }
  virtual void SetBounds(const Rect& r);
  void SetBounds(int left, int top, int width, int height) { SetBounds(Rect{left, top, width, height}); }
  void SetLeft(int v) { SetBounds(Rect{v, bounds_.top, bounds_.width, bounds_.height}); }
  void SetTop(int v) { SetBounds(Rect{bounds_.left, v, bounds_.width, bounds_.height}); }
  void SetWidth(int v) { SetBounds(Rect{bounds_.left, bounds_.top, v, bounds_.height}); }
  void SetHeight(int v) { SetBounds(Rect{bounds_.left, bounds_.top, bounds_.width, v}); }
  // The area children are laid out in, relative to this component.
  virtual Rect ClientRect() const { return Rect{0, 0, bounds_.width, bounds_.height}; }

  Align GetAlign() const { return align_; }
  void SetAlign(Align a);
  const Anchors& GetAnchors() const { return anchors_; }
  void SetAnchors(const Anchors& a);

  // Whether this kind shows a caption / hint. ApplyLabels uses these to
  // decide which components carry label texts.
  virtual bool HasCaption() const { return false; }
  virtual bool HasHint() const { return true; }
  const std::wstring& Caption() const { return caption_; }
  virtual void SetCaption(const std::wstring& v);
  const std::wstring& Hint() const { return hint_; }
  void SetHint(const std::wstring& v);
  // What a screen reader calls a control that shows no caption of its
  // own (a picture button, a tool button without text, a colour swatch,
  // a palette grid, a grid without a label): the binding gives it to the
  // window as its text. Nothing the user sees depends on it.
  const std::wstring& SpokenName() const { return spokenName_; }
  void SetSpokenName(const std::wstring& v);
  int HelpContext() const { return helpContext_; }
  void SetHelpContext(int v) { helpContext_ = v; }
  std::int32_t Tag() const { return tag_; }
  void SetTag(std::int32_t v);

  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool v);
  bool Visible() const { return visible_; }
  virtual void SetVisible(bool v);
  // Enabled / visible, and so are all parents (for visibility: up to
  // the form, whose own Visible only says whether it is shown).
  bool EffectivelyEnabled() const;
  bool EffectivelyVisible() const;

  // What a settings section keeps for this component (nothing unless the
  // kind says otherwise), and taking a stored value back: the kind does
  // what a user's choice of that value does (a check box runs its click
  // reaction, a radio button unchecks its siblings...). LoadStoredValue
  // is only given values of the kind's own StoredValueType.
  virtual StoredValue::Type StoredValueType() const { return StoredValue::Type::None; }
  bool HasStoredValue() const { return StoredValueType() != StoredValue::Type::None; }
  virtual StoredValue GetStoredValue() const { return {}; }
  virtual void LoadStoredValue(const StoredValue& /*value*/) {}

  // Keyboard focus.
  virtual bool IsFocusable() const { return false; }
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool v) { tabStop_ = v; }
  bool CanFocus() const;
  bool Focused() const;
  // Moves the focus here (exit of the old control, then enter of this).
  void SetFocus();

  const Font& GetFont() const { return font_; }
  void SetFont(const Font& f);
  Color GetColor() const { return color_; }
  void SetColor(Color c);
  Cursor GetCursor() const { return cursor_; }
  void SetCursor(Cursor c);
  PopupMenu* GetPopupMenu() const { return popupMenu_; }
  void SetPopupMenu(PopupMenu* m) { popupMenu_ = m; }

  // Binding.
  ControlPeer* Peer() const { return peer_; }
  void SetPeer(ControlPeer* p) { peer_ = p; }
  // Tells the peer (if any) that a property changed.
  void Notify(Property p);

  // Events set by the dialogs.
  std::function<void()> OnClick;
  std::function<void()> OnDblClick;
  std::function<void()> OnEnter;
  std::function<void()> OnExit;
  std::function<void(int& key, ShiftState shift)> OnKeyDown;
  std::function<void(wchar_t& ch)> OnKeyPress;
  std::function<void(int& key, ShiftState shift)> OnKeyUp;
  std::function<void(MouseButton, int x, int y)> OnMouseDown;
  std::function<void(MouseButton, int x, int y)> OnMouseUp;
  std::function<void(int x, int y)> OnMouseMove;
  // The pointer left the component (after moves over it).
  std::function<void()> OnMouseLeave;

  // ---- User operations (the binding's and the scripted user's entry
  // points). Each is an event dispatch boundary: an exception raised by
  // a reaction is caught and reported through the form (Form::OnError),
  // and the form goes on. Disabled or hidden components ignore them. ----

  // A click with the main mouse button (or the space bar on a button).
  virtual void UserClick();
  virtual void UserDoubleClick();
  // Focus by the user (a mouse click into a field, the Tab key).
  void UserFocus();
  // A key pressed and released while this control has the focus: key
  // down (form first when KeyPreview), the character it makes (Enter,
  // Escape, Backspace, Tab, Space, letters and digits), key up.
  void UserKey(int key, ShiftState shift = {});
  // The three halves of a keystroke, as the binding receives them.
  // UserKeyDown returns true when the key was consumed (no character
  // must follow).
  bool UserKeyDown(int key, ShiftState shift = {});
  void UserChar(wchar_t ch);
  void UserKeyUp(int key, ShiftState shift = {});
  // Types each character as a keystroke (key down, character, key up).
  void UserType(const std::wstring& text);
  void UserMouseDown(MouseButton b, int x, int y);
  void UserMouseUp(MouseButton b, int x, int y);
  // The pointer moves over the component (x, y in its design pixels),
  // or leaves it.
  void UserMouseMove(int x, int y);
  void UserMouseLeave();
  // The pointer shown over a point of the component: its Cursor by
  // default (kinds with parts, such as the palette grid, choose per part).
  virtual Cursor CursorAt(int x, int y) const;

  // ---- Overridable behaviour (subclasses such as the numeric field). ----
  // Focus arrives / leaves: run the OnEnter / OnExit events.
  virtual void DoEnter();
  virtual void DoExit();
  // The key filters. Setting key to 0 / ch to 0 discards it.
  virtual void KeyDown(int& key, ShiftState shift);
  virtual void KeyPress(wchar_t& ch);
  virtual void KeyUp(int& key, ShiftState shift);
  // Runs OnClick.
  virtual void Click();
  // Pointer moves and leaving: run OnMouseMove / OnMouseLeave.
  virtual void MouseMove(int x, int y);
  virtual void MouseLeave();

  // The tree-grid's in-place editor link (set while this is its editor).
  EditHost* GetEditHost() const { return editHost_; }
  void SetEditHost(EditHost* h) { editHost_ = h; }

protected:
  Component(Kind kind, Form& owner, Component* parent, std::wstring name);
  // The form's own constructor (the form then makes itself its owner).
  Component(Kind kind, std::wstring name);

  // What a character does once it passed the filters (text input).
  virtual void DefaultChar(wchar_t ch);
  // What a key does once it passed the filters (navigation).
  virtual bool DefaultKeyDown(int key, ShiftState shift);
  // A key that closes a list this control has open (Escape or Enter in a
  // dropped-down combo box) closes it and goes no further: not even a form
  // that sees keys first takes it. True when the key was used so.
  virtual bool KeyClosesPopup(int /*key*/) { return false; }
  // Runs fn as an event dispatch: exceptions are reported to the form.
  void Dispatch(const std::function<void()>& fn);

  bool ShouldIgnoreUser() const;
  // Lays the children out again after the client area changed from
  // oldClient (docking, anchors).
  void RealignChildren(const Rect& oldClient);

private:
  friend class Form;

  Kind kind_;
  Form* owner_ = nullptr;
  Component* parent_ = nullptr;
  std::wstring name_;
  int creationIndex_ = -1;
  std::vector<Component*> children_;
  Rect bounds_;
  Align align_ = Align::None;
  Anchors anchors_;
  std::wstring caption_;
  std::wstring hint_;
  std::wstring spokenName_;
  int helpContext_ = 0;
  std::int32_t tag_ = 0;
  bool enabled_ = true;
  bool visible_ = true;
  bool tabStop_ = true;
  Font font_;
  Color color_ = clDefault;
  Cursor cursor_ = Cursor::Default;
  PopupMenu* popupMenu_ = nullptr;
  ControlPeer* peer_ = nullptr;
  EditHost* editHost_ = nullptr;
  bool realigning_ = false;
};

// The character a virtual key makes (0 for none): Enter, Escape,
// Backspace, Tab, Space, digits and letters (lower case unless shift).
wchar_t KeyChar(int key, ShiftState shift);
// The virtual key that types a character (0 when none fits).
int CharKey(wchar_t ch);

}  // namespace topaline::ui
