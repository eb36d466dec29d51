#include "ui/form.h"

#include <algorithm>

#include "platform/name_fold.h"
#include "ui/controls.h"

namespace topaline::ui {

namespace {

// Outer size minus client size of a frame, before the binding reports
// the real one.
Size DefaultFrame(BorderStyle b) {
  switch (b) {
    case BorderStyle::Sizeable: return {16, 39};
    case BorderStyle::Dialog: return {6, 29};
    case BorderStyle::Single: return {6, 29};
    case BorderStyle::ToolWindow: return {6, 23};
    case BorderStyle::SizeToolWindow: return {16, 33};
    case BorderStyle::None: return {0, 0};
  }
  return {0, 0};
}

}  // namespace

bool SameNameNoCase(const std::wstring& a, const std::wstring& b) { return SameName(a, b); }

Form::Form(std::wstring name) : Component(Kind::Form, std::move(name)) {
  owner_ = this;
  SetVisible(false);
  frameExtra_ = DefaultFrame(borderStyle_);
}

Form::~Form() {
  destroying_ = true;
  activeControl_ = nullptr;
  defaultButton_ = nullptr;
  cancelButton_ = nullptr;
  while (!components_.empty()) components_.pop_back();
}

void Form::Adopt(std::unique_ptr<Component> c) {
  c->creationIndex_ = static_cast<int>(components_.size());
  components_.push_back(std::move(c));
}

Component* Form::FindComponent(const std::wstring& name) const {
  for (const auto& c : components_)
    if (c->Name() == name) return c.get();
  return nullptr;
}

Component* Form::FindComponentNoCase(const std::wstring& name) const {
  for (const auto& c : components_)
    if (SameNameNoCase(c->Name(), name)) return c.get();
  return nullptr;
}

void Form::ThrowMissing(const std::wstring& name, bool wrongType) const {
  if (wrongType)
    throw Error(L"Component \"" + name + L"\" of form \"" + Name() + L"\" is not of the expected kind");
  throw Error(L"Form \"" + Name() + L"\" has no component \"" + name + L"\"");
}

// ------------------------------------------------------------ frame

void Form::SetBorderStyle(BorderStyle b) {
  if (b == borderStyle_) return;
  borderStyle_ = b;
  SetFrameExtra(DefaultFrame(b));
  Notify(Property::Style);
}

void Form::SetStayOnTop(bool v) {
  if (v == stayOnTop_) return;
  stayOnTop_ = v;
  Notify(Property::Style);
}

void Form::SetClientSize(int width, int height) {
  Rect b = Bounds();
  b.width = width + frameExtra_.width;
  b.height = height + frameExtra_.height;
  outerSizeGiven_ = false;
  ApplyBounds(b);
}

void Form::SetFrameExtra(Size s) {
  int cw = clientWidth_, ch = clientHeight_;
  frameExtra_ = s;
  Rect b = Bounds();
  if (!outerSizeGiven_) {
    b.width = cw + s.width;
    b.height = ch + s.height;
  }
  ApplyBounds(b);
}

void Form::SetBounds(const Rect& r) {
  // A move alone leaves the given size as it was.
  if (r.width != Bounds().width || r.height != Bounds().height) outerSizeGiven_ = true;
  ApplyBounds(r);
}

void Form::ApplyBounds(const Rect& r) {
  Rect b = r;
  if (minSize_.width > 0) b.width = std::max(b.width, minSize_.width);
  if (minSize_.height > 0) b.height = std::max(b.height, minSize_.height);
  Rect oldClient = ClientRect();
  clientWidth_ = std::max(0, b.width - frameExtra_.width);
  clientHeight_ = std::max(0, b.height - frameExtra_.height);
  bool resized = oldClient.width != clientWidth_ || oldClient.height != clientHeight_;
  if (b != Bounds()) {
    // Component::SetBounds would compare client sizes that are already
    // updated: realign here.
    Rect saved = oldClient;
    Component::SetBounds(b);
    if (resized) RealignChildren(saved);
  } else if (resized) {
    RealignChildren(oldClient);
  }
}

void Form::SetMinSize(Size s) {
  minSize_ = s;
  ApplyBounds(Bounds());
}

void Form::CenterOn(const Rect& area) {
  Rect b = Bounds();
  b.left = area.left + (area.width - b.width) / 2;
  b.top = area.top + (area.height - b.height) / 2;
  ApplyBounds(b);
}

void Form::KeepInside(const Rect& area) { ApplyBounds(KeptInside(Bounds(), area)); }

void Form::UserMoved(const Rect& outer) {
  Dispatch([&] {
    Rect oldClient = ClientRect();
    SetBounds(outer);
    Rect c = ClientRect();
    if ((c.width != oldClient.width || c.height != oldClient.height) && OnResize) OnResize();
  });
}

// ------------------------------------------------------------ focus

void Form::SetActiveControl(Component* c) {
  if (c == this) c = nullptr;
  if (c && &c->Owner() != this) throw Error(L"Control \"" + c->Name() + L"\" belongs to another form");
  if (c && !c->CanFocus()) return;  // a hidden or disabled control cannot take the focus
  if (inExit_) {
    // A reaction to leaving a control chose where the focus goes.
    focusRequested_ = true;
    requestedDuringExit_ = c;
    return;
  }
  if (c == activeControl_) return;
  Component* old = activeControl_;
  Component* target = c;
  if (old) {
    inExit_ = true;
    focusRequested_ = false;
    requestedDuringExit_ = nullptr;
    try {
      old->DoExit();
    } catch (...) {
      inExit_ = false;
      throw;
    }
    inExit_ = false;
    if (focusRequested_) {
      target = requestedDuringExit_;
      if (target && !target->CanFocus()) target = nullptr;
      if (target == old) return;  // the control kept the focus
    }
  }
  activeControl_ = target;
  Notify(Property::Focus);
  if (old && old->GetEditHost() && old != target) {
    try {
      old->GetEditHost()->EditorExited(*old);
    } catch (...) {
      ReportError(CurrentExceptionMessage());
    }
  }
  if (target && activeControl_ == target) target->DoEnter();
}

void Form::LoseFocusInside(Component* c) {
  if (destroying_ || !activeControl_) return;
  Component* a = activeControl_;
  bool inside = a == c;
  for (Component* p = a->Parent(); p && !inside; p = p->Parent()) inside = p == c;
  if (c == this) inside = true;
  if (!inside) return;
  if (inExit_) {
    focusRequested_ = true;
    requestedDuringExit_ = nullptr;
    return;
  }
  SetActiveControl(nullptr);
}

Component* Form::NextFocusable(Component* from, bool forward) const {
  const int n = static_cast<int>(components_.size());
  if (n == 0) return nullptr;
  int start = from ? from->CreationIndex() : (forward ? -1 : n);
  for (int step = 1; step <= n; ++step) {
    int i = forward ? start + step : start - step;
    i = ((i % n) + n) % n;
    Component* c = components_[static_cast<std::size_t>(i)].get();
    if (c == from) break;
    if (c->CanFocus() && c->TabStop()) return c;
  }
  return nullptr;
}

// ------------------------------------------------------------ keys

bool Form::DialogKey(Component& from, int key, ShiftState shift) {
  switch (key) {
    case Key::Tab: {
      if (shift.ctrl || shift.alt) return false;
      Component* next = NextFocusable(&from == this ? nullptr : &from, !shift.shift);
      if (next) SetActiveControl(next);
      return true;
    }
    case Key::Enter:
      if (defaultButton_ && defaultButton_->EffectivelyEnabled() && defaultButton_->EffectivelyVisible()) {
        defaultButton_->Click();
        return true;
      }
      return false;
    case Key::Escape:
      if (cancelButton_ && cancelButton_->EffectivelyEnabled() && cancelButton_->EffectivelyVisible()) {
        cancelButton_->Click();
        return true;
      }
      return false;
    default:
      return false;
  }
}

// ------------------------------------------------------------ showing

void Form::SetModalResult(ModalResult r) {
  if (r == modalResult_) return;
  modalResult_ = r;
  Notify(Property::ModalResult);
}

void Form::Close() {
  if (modalResult_ == mrNone) SetModalResult(mrCancel);
}

void Form::UserClose() {
  Dispatch([this] { Close(); });
}

void Form::BeginModal() {
  modalResult_ = mrNone;
  showing_ = true;
  SetVisible(true);
  Dispatch([this] {
    if (OnShow) OnShow();
  });
  if (modalResult_ != mrNone) return;  // closed from OnShow
  if (!activeControl_ || !activeControl_->CanFocus()) {
    Component* first = NextFocusable(nullptr, true);
    Dispatch([&] {
      if (first) SetActiveControl(first);
    });
  }
}

bool Form::EndModal() {
  if (modalResult_ == mrNone) return false;
  bool canClose = true;
  Dispatch([&] {
    if (OnCloseQuery) OnCloseQuery(canClose);
  });
  if (!canClose) {
    SetModalResult(mrNone);
    return false;
  }
  Dispatch([&] {
    if (OnClose) OnClose();
  });
  showing_ = false;
  SetVisible(false);
  return true;
}

// ------------------------------------------------------------ errors and updates

void Form::ReportError(const std::wstring& message) {
  if (OnError) {
    try {
      OnError(message);
      return;
    } catch (...) {
      unreportedErrors_.push_back(L"Error while reporting an error");
    }
  }
  unreportedErrors_.push_back(message);
}

void Form::NotifyPeer(Component& c, Property p) {
  if (!c.Peer()) return;
  if (updateCount_ > 0) {
    std::pair<Component*, Property> entry{&c, p};
    if (std::find(heldNotifications_.begin(), heldNotifications_.end(), entry) == heldNotifications_.end())
      heldNotifications_.push_back(entry);
    return;
  }
  c.Peer()->Changed(c, p);
}

void Form::EndUpdate() {
  if (updateCount_ == 0) return;
  if (--updateCount_ > 0) return;
  auto held = std::move(heldNotifications_);
  heldNotifications_.clear();
  for (auto& [c, p] : held)
    if (c->Peer()) c->Peer()->Changed(*c, p);
}

}  // namespace topaline::ui
