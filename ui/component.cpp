#include "ui/component.h"

#include <algorithm>
#include <exception>

#include "platform/error.h"
#include "ui/form.h"

namespace topaline::ui {

Component::Component(Kind kind, Form& owner, Component* parent, std::wstring name)
    : kind_(kind), owner_(&owner), parent_(parent), name_(std::move(name)) {
  if (parent_) {
    if (&parent_->Owner() != &owner) throw Error(L"Parent of \"" + name_ + L"\" belongs to another form");
    parent_->children_.push_back(this);
    font_ = parent_->font_;
  }
}

Component::Component(Kind kind, std::wstring name) : kind_(kind), name_(std::move(name)) {}

Component::~Component() {
  if (peer_) peer_->Destroying(*this);
}

void Component::Notify(Property p) {
  if (!peer_) return;
  owner_->NotifyPeer(*this, p);
}

void Component::SetBounds(const Rect& r) {
  if (r == bounds_) return;
  Rect oldClient = ClientRect();
  bounds_ = r;
  Notify(Property::Bounds);
  Rect newClient = ClientRect();
  if (newClient.width != oldClient.width || newClient.height != oldClient.height)
    RealignChildren(oldClient);
  if (parent_ && align_ != Align::None && !parent_->realigning_) parent_->RealignChildren(parent_->ClientRect());
}

void Component::SetAlign(Align a) {
  if (a == align_) return;
  align_ = a;
  if (parent_) parent_->RealignChildren(parent_->ClientRect());
}

void Component::SetAnchors(const Anchors& a) { anchors_ = a; }

void Component::RealignChildren(const Rect& oldClient) {
  if (realigning_) return;
  realigning_ = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{realigning_};
  Rect area = ClientRect();
  int dw = area.width - oldClient.width;
  int dh = area.height - oldClient.height;
  for (Component* c : children_) {
    Rect b = c->bounds_;
    switch (c->align_) {
      case Align::None: {
        if (dw != 0) {
          if (c->anchors_.right && c->anchors_.left) b.width = std::max(0, b.width + dw);
          else if (c->anchors_.right) b.left += dw;
        }
        if (dh != 0) {
          if (c->anchors_.bottom && c->anchors_.top) b.height = std::max(0, b.height + dh);
          else if (c->anchors_.bottom) b.top += dh;
        }
        break;
      }
      case Align::Top:
        if (!c->visible_) continue;
        b = Rect{area.left, area.top, area.width, b.height};
        area.top += b.height;
        area.height = std::max(0, area.height - b.height);
        break;
      case Align::Bottom:
        if (!c->visible_) continue;
        b = Rect{area.left, area.bottom() - b.height, area.width, b.height};
        area.height = std::max(0, area.height - b.height);
        break;
      case Align::Left:
        if (!c->visible_) continue;
        b = Rect{area.left, area.top, b.width, area.height};
        area.left += b.width;
        area.width = std::max(0, area.width - b.width);
        break;
      case Align::Right:
        if (!c->visible_) continue;
        b = Rect{area.right() - b.width, area.top, b.width, area.height};
        area.width = std::max(0, area.width - b.width);
        break;
      case Align::Client:
        break;  // after the others
    }
    if (c->align_ != Align::Client) c->SetBounds(b);
  }
  for (Component* c : children_)
    if (c->align_ == Align::Client) c->SetBounds(area);
}

void Component::SetCaption(const std::wstring& v) {
  if (v == caption_) return;
  caption_ = v;
  Notify(Property::Caption);
}

void Component::SetHint(const std::wstring& v) {
  if (v == hint_) return;
  hint_ = v;
  Notify(Property::Hint);
}

void Component::SetSpokenName(const std::wstring& v) {
  if (v == spokenName_) return;
  spokenName_ = v;
  Notify(Property::Caption);
}

void Component::SetTag(std::int32_t v) {
  if (v == tag_) return;
  tag_ = v;
  Notify(Property::Tag);
}

void Component::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  Notify(Property::Enabled);
  if (!v) owner_->LoseFocusInside(this);
}

void Component::SetVisible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  Notify(Property::Visible);
  if (parent_ && align_ != Align::None) parent_->RealignChildren(parent_->ClientRect());
  if (!v) owner_->LoseFocusInside(this);
}

bool Component::EffectivelyEnabled() const {
  for (const Component* c = this; c; c = c->parent_)
    if (!c->enabled_) return false;
  return true;
}

bool Component::EffectivelyVisible() const {
  // Up to the form, not including it: a form's controls can be set up
  // (and focused) before the form is shown.
  for (const Component* c = this; c && c != owner_; c = c->parent_)
    if (!c->visible_) return false;
  return true;
}

bool Component::CanFocus() const {
  return IsFocusable() && EffectivelyEnabled() && EffectivelyVisible();
}

bool Component::Focused() const { return owner_ != this && owner_->ActiveControl() == this; }

void Component::SetFocus() {
  if (owner_ == this) return;
  owner_->SetActiveControl(this);
}

void Component::SetFont(const Font& f) {
  if (f == font_) return;
  font_ = f;
  Notify(Property::Font);
}

void Component::SetColor(Color c) {
  if (c == color_) return;
  color_ = c;
  Notify(Property::Color);
}

void Component::SetCursor(Cursor c) {
  if (c == cursor_) return;
  cursor_ = c;
  Notify(Property::Cursor);
}

// ------------------------------------------------------------ dispatch

void Component::Dispatch(const std::function<void()>& fn) {
  try {
    fn();
  } catch (...) {
    owner_->ReportError(CurrentExceptionMessage());
  }
}

bool Component::ShouldIgnoreUser() const { return !EffectivelyEnabled() || !EffectivelyVisible(); }

void Component::Click() {
  if (OnClick) OnClick();
}

void Component::DoEnter() {
  if (OnEnter) OnEnter();
}

void Component::DoExit() {
  if (OnExit) OnExit();
}

void Component::KeyDown(int& key, ShiftState shift) {
  if (OnKeyDown) OnKeyDown(key, shift);
}

void Component::KeyPress(wchar_t& ch) {
  if (OnKeyPress) OnKeyPress(ch);
}

void Component::KeyUp(int& key, ShiftState shift) {
  if (OnKeyUp) OnKeyUp(key, shift);
}

void Component::DefaultChar(wchar_t) {}

bool Component::DefaultKeyDown(int, ShiftState) { return false; }

void Component::UserClick() {
  if (ShouldIgnoreUser()) return;
  Dispatch([this] { Click(); });
}

void Component::UserDoubleClick() {
  if (ShouldIgnoreUser()) return;
  Dispatch([this] {
    if (OnDblClick) OnDblClick();
  });
}

void Component::UserFocus() {
  if (ShouldIgnoreUser()) return;
  Dispatch([this] {
    if (CanFocus()) SetFocus();
  });
}

// The control that receives keys typed "into" this one: a form routes
// them to its active control.
static Component* KeyTarget(Component* c) {
  Form& f = c->Owner();
  if (c == &f) return f.ActiveControl() ? f.ActiveControl() : c;
  return c;
}

bool Component::UserKeyDown(int key, ShiftState shift) {
  Component* target = KeyTarget(this);
  if (target != this) return target->UserKeyDown(key, shift);
  if (owner_ != this && ShouldIgnoreUser()) return true;
  bool consumed = false;
  Dispatch([&] {
    int k = key;
    if (KeyClosesPopup(k)) { consumed = true; return; }
    if (owner_ != this && owner_->KeyPreview()) {
      owner_->KeyDown(k, shift);
      if (k == 0) { consumed = true; return; }
    }
    KeyDown(k, shift);
    if (k == 0) { consumed = true; return; }
    if (editHost_ && (k == Key::Enter || k == Key::Escape) && editHost_->EditorKeyDown(*this, k)) {
      consumed = true;
      return;
    }
    if (DefaultKeyDown(k, shift)) { consumed = true; return; }
    if (owner_->DialogKey(*this, k, shift)) consumed = true;
  });
  return consumed;
}

void Component::UserChar(wchar_t ch) {
  Component* target = KeyTarget(this);
  if (target != this) return target->UserChar(ch);
  if (owner_ != this && ShouldIgnoreUser()) return;
  Dispatch([&] {
    wchar_t c = ch;
    if (owner_ != this && owner_->KeyPreview()) {
      owner_->KeyPress(c);
      if (c == 0) return;
    }
    KeyPress(c);
    if (c == 0) return;
    DefaultChar(c);
  });
}

void Component::UserKeyUp(int key, ShiftState shift) {
  Component* target = KeyTarget(this);
  if (target != this) return target->UserKeyUp(key, shift);
  if (owner_ != this && ShouldIgnoreUser()) return;
  Dispatch([&] {
    int k = key;
    if (owner_ != this && owner_->KeyPreview()) {
      owner_->KeyUp(k, shift);
      if (k == 0) return;
    }
    KeyUp(k, shift);
  });
}

// One keystroke typed by the user into this control (focusing it first,
// as a click into it would). The character and the key release go to
// whichever control has the focus after the key went down, and nowhere
// when the key closed the form.
static void Keystroke(Component* self, int key, wchar_t ch, ShiftState shift) {
  Form& form = self->Owner();
  Component* target = self;
  if (self != &form) {
    if (!self->Focused()) {
      self->UserFocus();
      if (!self->Focused()) return;  // could not take the focus
    }
  } else {
    target = KeyTarget(self);
  }
  bool wasClosing = form.GetModalResult() != mrNone;
  bool consumed = key != 0 ? target->UserKeyDown(key, shift) : false;
  if (!wasClosing && form.GetModalResult() != mrNone) return;
  Component* now = KeyTarget(&form);
  if (!consumed && ch != 0) now->UserChar(ch);
  if (!wasClosing && form.GetModalResult() != mrNone) return;
  if (key != 0) KeyTarget(&form)->UserKeyUp(key, shift);
}

void Component::UserKey(int key, ShiftState shift) {
  if (owner_ != this && ShouldIgnoreUser()) return;
  Keystroke(this, key, KeyChar(key, shift), shift);
}

void Component::UserType(const std::wstring& text) {
  for (wchar_t ch : text) {
    if (owner_ != this && ShouldIgnoreUser()) return;
    ShiftState shift;
    shift.shift = (ch >= L'A' && ch <= L'Z') || ch == L'+';
    Keystroke(this, CharKey(ch), ch, shift);
  }
}

void Component::UserMouseDown(MouseButton b, int x, int y) {
  if (ShouldIgnoreUser()) return;
  Dispatch([&] {
    if (OnMouseDown) OnMouseDown(b, x, y);
  });
}

void Component::UserMouseUp(MouseButton b, int x, int y) {
  if (ShouldIgnoreUser()) return;
  Dispatch([&] {
    if (OnMouseUp) OnMouseUp(b, x, y);
  });
}

void Component::UserMouseMove(int x, int y) {
  if (ShouldIgnoreUser()) return;
  Dispatch([&] { MouseMove(x, y); });
}

void Component::UserMouseLeave() {
  if (ShouldIgnoreUser()) return;
  Dispatch([&] { MouseLeave(); });
}

void Component::MouseMove(int x, int y) {
  if (OnMouseMove) OnMouseMove(x, y);
}

void Component::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave();
}

Cursor Component::CursorAt(int, int) const { return cursor_; }

// ------------------------------------------------------------ keys

wchar_t KeyChar(int key, ShiftState shift) {
  if (shift.ctrl || shift.alt) return 0;
  switch (key) {
    case Key::Enter: return L'\r';
    case Key::Escape: return 0x1B;
    case Key::Back: return L'\b';
    case Key::Tab: return L'\t';
    case Key::Space: return L' ';
    default: break;
  }
  if (key >= '0' && key <= '9') return static_cast<wchar_t>(key);
  if (key >= 'A' && key <= 'Z') return static_cast<wchar_t>(shift.shift ? key : key + ('a' - 'A'));
  return 0;
}

int CharKey(wchar_t ch) {
  switch (ch) {
    case L'\r': return Key::Enter;
    case L'\n': return Key::Enter;
    case 0x1B: return Key::Escape;
    case L'\b': return Key::Back;
    case L'\t': return Key::Tab;
    case L' ': return Key::Space;
    case L'.': return 0xBE;  // VK_OEM_PERIOD
    case L',': return 0xBC;  // VK_OEM_COMMA
    case L'-': return 0xBD;  // VK_OEM_MINUS
    case L'+': return 0xBB;  // VK_OEM_PLUS
    default: break;
  }
  if (ch >= L'0' && ch <= L'9') return ch;
  if (ch >= L'A' && ch <= L'Z') return ch;
  if (ch >= L'a' && ch <= L'z') return ch - (L'a' - L'A');
  return 0;
}

}  // namespace topaline::ui
