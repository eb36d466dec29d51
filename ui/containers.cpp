#include "ui/containers.h"

#include <algorithm>

#include "platform/error.h"

namespace topaline::ui {

// ---------------------------------------------------------------- GroupBox, Panel

GroupBox::GroupBox(Form& owner, Component* parent, std::wstring name)
    : Component(Kind::GroupBox, owner, parent, std::move(name)) {}

Rect GroupBox::ClientRect() const {
  return Rect{2, 15, std::max(0, Width() - 4), std::max(0, Height() - 17)};
}

Panel::Panel(Form& owner, Component* parent, std::wstring name)
    : Component(Kind::Panel, owner, parent, std::move(name)) {}

void Panel::SetBevelOuter(Bevel b) {
  if (b == bevelOuter_) return;
  Rect old = ClientRect();
  bevelOuter_ = b;
  Notify(Property::Style);
  RealignChildren(old);
}

Rect Panel::ClientRect() const {
  int inset = bevelOuter_ == Bevel::None ? 0 : 1;
  return Rect{inset, inset, std::max(0, Width() - 2 * inset), std::max(0, Height() - 2 * inset)};
}

// ---------------------------------------------------------------- ToolBar

ToolBar::ToolBar(Form& owner, Component* parent, std::wstring name)
    : Component(Kind::ToolBar, owner, parent, std::move(name)) {}

void ToolBar::SetShowCaptions(bool v) {
  if (v == showCaptions_) return;
  showCaptions_ = v;
  Notify(Property::Style);
}

void ToolBar::SetVertical(bool v) {
  if (v == vertical_) return;
  vertical_ = v;
  Notify(Property::Style);
}

// ---------------------------------------------------------------- PageControl, TabSheet

PageControl::PageControl(Form& owner, Component* parent, std::wstring name)
    : Component(Kind::PageControl, owner, parent, std::move(name)) {}

std::vector<TabSheet*> PageControl::Pages() const {
  std::vector<TabSheet*> pages;
  for (Component* c : Children())
    if (c->GetKind() == Kind::TabSheet) pages.push_back(static_cast<TabSheet*>(c));
  return pages;
}

TabSheet* PageControl::ActivePage() const {
  auto pages = Pages();
  if (activePage_ < 0 || activePage_ >= static_cast<int>(pages.size())) return nullptr;
  return pages[static_cast<std::size_t>(activePage_)];
}

void PageControl::SetActivePageIndex(int i) {
  auto pages = Pages();
  if (i < -1 || i >= static_cast<int>(pages.size()))
    throw Error(L"Page index " + std::to_wstring(i) + L" out of range in \"" + Name() + L"\"");
  activePage_ = i;
  // Show the new page before hiding the old one, so a focused control on
  // the old page loses the focus to nothing rather than to a hidden page.
  if (i >= 0) pages[static_cast<std::size_t>(i)]->SetVisible(true);
  for (std::size_t k = 0; k < pages.size(); ++k)
    if (static_cast<int>(k) != i) pages[k]->SetVisible(false);
  Notify(Property::ActivePage);
}

void PageControl::SetActivePage(TabSheet* page) {
  auto pages = Pages();
  auto it = std::find(pages.begin(), pages.end(), page);
  SetActivePageIndex(it == pages.end() ? -1 : static_cast<int>(it - pages.begin()));
}

void PageControl::UserSelectTab(int index) {
  if (ShouldIgnoreUser()) return;
  Dispatch([&] {
    auto pages = Pages();
    if (index < 0 || index >= static_cast<int>(pages.size()) || index == activePage_) return;
    if (!pages[static_cast<std::size_t>(index)]->TabVisible()) return;
    bool allow = true;
    if (OnChanging) OnChanging(allow);
    if (!allow) return;
    if (CanFocus()) SetFocus();
    SetActivePageIndex(index);
    if (OnChange) OnChange();
  });
}

Rect PageControl::ClientRect() const {
  return Rect{4, 24, std::max(0, Width() - 8), std::max(0, Height() - 28)};
}

TabSheet::TabSheet(Form& owner, Component* parent, std::wstring name)
    : Component(Kind::TabSheet, owner, parent, std::move(name)) {
  PageControl* pc = Pages();
  if (!pc) return;
  Rect area = pc->ClientRect();
  SetBounds(area);
  SetAlign(Align::Client);
  if (pc->ActivePageIndex() < 0) pc->SetActivePageIndex(0);
  else SetVisible(false);
}

void TabSheet::SetImageIndex(int i) {
  if (i == imageIndex_) return;
  imageIndex_ = i;
  Notify(Property::Image);
}

void TabSheet::SetTabVisible(bool v) {
  if (v == tabVisible_) return;
  tabVisible_ = v;
  Notify(Property::Style);
}

PageControl* TabSheet::Pages() const {
  Component* p = Parent();
  return p && p->GetKind() == Kind::PageControl ? static_cast<PageControl*>(p) : nullptr;
}

int TabSheet::PageIndex() const {
  PageControl* pc = Pages();
  if (!pc) return -1;
  auto pages = pc->Pages();
  auto it = std::find(pages.begin(), pages.end(), this);
  return it == pages.end() ? -1 : static_cast<int>(it - pages.begin());
}

}  // namespace topaline::ui
