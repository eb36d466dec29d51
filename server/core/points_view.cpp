#include "server/core/points_view.h"

#include <algorithm>

#include "server/core/element_reader.h"

namespace topaline {

namespace {

// The element of each field within a point's six.
enum Field { fHD = 0, fNumero = 1, fX = 2, fY = 3, fZ = 4, fDesc = 5 };

}  // namespace

void TPointsView::Open(const ExchangeArray& a) {
  Close();
  ElementReader r(a, L"AXPoints");
  const std::int64_t m = (std::int64_t(r.upper()) + 1) / 6;
  if (m <= 0) return;
  r.checkFrom0(0);
  // Every element in the order TDesPoints::Init reads them, so the first
  // failure is the one it would report.
  for (std::int32_t k = 0; k < 6 * m; k += 6) {
    r.checkText(k + fHD);
    r.checkInteger(k + fNumero);
    r.checkReal(k + fX);
    r.checkReal(k + fY);
    r.checkReal(k + fZ);
    r.checkText(k + fDesc);
  }
  array_ = &a;
  count_ = static_cast<std::size_t>(m);
}

void TPointsView::Close() {
  array_ = nullptr;
  count_ = 0;
  overlay_.clear();
  modified_ = 0;
}

std::int32_t TPointsView::element(std::size_t i, int field) const {
  if (i >= count_) throw Error(L"No point " + IntToText(static_cast<std::int64_t>(i)) + L" in the list.");
  return static_cast<std::int32_t>(6 * i) + field;
}

// Reads of an element that Open checked cannot fail; they throw like the
// array does should it have changed behind the view.
std::int32_t TPointsView::Numero(std::size_t i) const { return array_->intAt(element(i, fNumero)); }
std::wstring TPointsView::HD(std::size_t i) const { return array_->textAt(element(i, fHD)); }
std::wstring TPointsView::Desc(std::size_t i) const { return array_->textAt(element(i, fDesc)); }

const TPointsView::Edited* TPointsView::edited(std::size_t i) const {
  if (overlay_.empty()) return nullptr;
  auto it = overlay_.find(i);
  return it == overlay_.end() ? nullptr : &it->second;
}

double TPointsView::Original(std::size_t i, Axis axis) const {
  if (const Edited* e = edited(i)) return e->org[axis];
  return array_->realAt(element(i, fX + axis));
}

double TPointsView::Coordinate(std::size_t i, Axis axis) const {
  if (const Edited* e = edited(i)) return e->now[axis];
  return array_->realAt(element(i, fX + axis));
}

bool TPointsView::Modifie(std::size_t i) const {
  const Edited* e = edited(i);
  return e && e->Modifie;
}

TPointsView::PointState TPointsView::State(std::size_t i) const {
  return {Coordinate(i, X), Coordinate(i, Y), Coordinate(i, Z), Modifie(i)};
}

TUnPoint TPointsView::Point(std::size_t i) const {
  TUnPoint p;
  p.Numero = Numero(i);
  p.HD = HD(i);
  p.Desc = p.DescOrg = Desc(i);
  p.x = Coordinate(i, X);
  p.y = Coordinate(i, Y);
  p.z = Coordinate(i, Z);
  p.xOrg = Original(i, X);
  p.yOrg = Original(i, Y);
  p.zOrg = Original(i, Z);
  p.Modifie = Modifie(i);
  return p;
}

TPointsView::Edited& TPointsView::edit(std::size_t i) {
  auto it = overlay_.find(i);
  if (it != overlay_.end()) return it->second;
  Edited e;
  for (int a = 0; a < 3; ++a) e.org[a] = e.now[a] = array_->realAt(element(i, fX + a));
  return overlay_.emplace(i, e).first->second;
}

void TPointsView::setModifie(Edited& e, bool v) {
  if (e.Modifie == v) return;
  e.Modifie = v;
  if (v) ++modified_;
  else --modified_;
}

void TPointsView::SetCoordinate(std::size_t i, Axis axis, double v, bool recompute) {
  Edited& e = edit(i);
  e.now[axis] = v;
  if (recompute) setModifie(e, e.now[X] != e.org[X] || e.now[Y] != e.org[Y] || e.now[Z] != e.org[Z]);
}

void TPointsView::Restore(std::size_t i, const PointState& s) {
  Edited& e = edit(i);
  e.now[X] = s.x;
  e.now[Y] = s.y;
  e.now[Z] = s.z;
  setModifie(e, s.Modifie);
  // Back at load and unmarked: nothing left to keep.
  if (!s.Modifie && s.x == e.org[X] && s.y == e.org[Y] && s.z == e.org[Z]) overlay_.erase(i);
}

void TPointsView::Reset(std::size_t i) {
  element(i, 0);
  auto it = overlay_.find(i);
  if (it == overlay_.end()) return;
  setModifie(it->second, false);
  overlay_.erase(it);
}

void TPointsView::ResetAll() {
  overlay_.clear();
  modified_ = 0;
}

std::vector<std::size_t> TPointsView::EditedPoints() const {
  std::vector<std::size_t> out;
  out.reserve(overlay_.size());
  for (const auto& [i, e] : overlay_) out.push_back(i);
  std::sort(out.begin(), out.end());
  return out;
}

void TPointsView::WriteModified(ElementSink& out) const {
  std::vector<std::pair<std::size_t, const Edited*>> modified;
  modified.reserve(modified_);
  for (const auto& [i, e] : overlay_)
    if (e.Modifie) modified.emplace_back(i, &e);
  std::sort(modified.begin(), modified.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  // Texts go from the array to the sink without a copy in between.
  auto text = [&](std::int32_t k) {
    std::wstring_view t;
    if (array_->textView(k, t)) out.string(t);
    else out.string(array_->textAt(k));
  };
  for (const auto& [i, e] : modified) {
    text(element(i, fHD));
    out.i4(Numero(i));
    out.r8(e->now[X]);
    out.r8(e->now[Y]);
    out.r8(e->now[Z]);
    text(element(i, fDesc));
  }
}

void TPointsView::WriteBack(ExchangeValues& exchange, Slot slot) {
  exchange.putElements(slot, 6 * modified_, [this](ElementSink& out) { WriteModified(out); });
  Close();
}

}  // namespace topaline
