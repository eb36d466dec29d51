#include "ui/headless/scripted_user.h"

#include <exception>

#include "platform/error.h"
#include "ui/controls.h"

namespace topaline::ui {

ScriptedUser::ScriptedUser() = default;

void ScriptedUser::On(const std::wstring& name, Script script) {
  queued_[name].push_back(std::move(script));
}

void ScriptedUser::Always(const std::wstring& name, Script script) {
  always_[name] = std::move(script);
}

std::vector<std::wstring> ScriptedUser::Unconsumed() const {
  std::vector<std::wstring> names;
  for (const auto& [name, scripts] : queued_)
    for (std::size_t i = 0; i < scripts.size(); ++i) names.push_back(name);
  return names;
}

std::vector<std::wstring> ScriptedUser::ShownNames() const {
  std::vector<std::wstring> names;
  for (const Shown& s : history_) names.push_back(s.name);
  return names;
}

int ScriptedUser::ShownCount(const std::wstring& name) const {
  int n = 0;
  for (const Shown& s : history_) n += s.name == name ? 1 : 0;
  return n;
}

void ScriptedUser::Fail(const std::wstring& message) {
  failures_.push_back(message);
  if (OnFailure) OnFailure(message);
}

int ScriptedUser::TextWidth(const std::wstring& text, const Font& font) {
  int perChar = 6 * font.sizePt / 8 + (font.bold ? 1 : 0);
  return static_cast<int>(text.size()) * perChar;
}

int ScriptedUser::TextHeight(const Font& font) { return 13 * font.sizePt / 8; }

Rect ScriptedUser::WorkAreaFor(const Rect&) { return workArea_; }

Rect ScriptedUser::WorkArea() { return workArea_; }

Size ScriptedUser::ScreenSize() { return screen_; }

void ScriptedUser::SetScreen(Size screen, Rect workArea) {
  screen_ = screen;
  workArea_ = workArea;
}

int ScriptedUser::ShowModal(Form& form) {
  const std::wstring name = form.Name();
  Script script;
  auto q = queued_.find(name);
  if (q != queued_.end() && !q->second.empty()) {
    script = std::move(q->second.front());
    q->second.pop_front();
    if (q->second.empty()) queued_.erase(q);
  } else if (auto a = always_.find(name); a != always_.end()) {
    script = a->second;
  }

  if (form.GetPosition() == FormPosition::ScreenCenter) form.CenterOn(WorkArea());
  const WindowHandle window = lastWindow_ += 0x10;
  open_.push_back(window);
  struct Popped {
    std::vector<WindowHandle>& open;
    ~Popped() { open.pop_back(); }
  } popped{open_};
  form.BeginModal();

  std::size_t index = history_.size();
  Shown shown;
  shown.name = name;
  shown.caption = form.Caption();
  shown.depth = depth_;
  shown.window = window;
  for (const auto& c : form.Components())
    if (c->GetKind() == Kind::Label && c->EffectivelyVisible()) shown.labels.push_back(c->Caption());
  history_.push_back(shown);

  if (!script) {
    Fail(L"Unexpected form \"" + name + L"\" (caption \"" + form.Caption() + L"\"): no script for it");
    form.SetModalResult(mrCancel);
  } else if (form.GetModalResult() == mrNone) {
    ++depth_;
    try {
      script(form);
    } catch (...) {
      Fail(L"Script of form \"" + name + L"\" raised: " + CurrentExceptionMessage());
    }
    --depth_;
    if (form.GetModalResult() == mrNone) {
      Fail(L"Form \"" + name + L"\" is still open after its script: closed with mrCancel");
      form.SetModalResult(mrCancel);
    }
  }

  int result = form.GetModalResult();
  if (!form.EndModal()) {
    Fail(L"Form \"" + name + L"\" refused to close after its script");
    result = mrCancel;
  }
  history_[index].result = result;
  return result;
}

}  // namespace topaline::ui
