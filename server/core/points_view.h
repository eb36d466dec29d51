// The points of AXPoints as the points list works on them: a view over the
// exchange array the server holds, plus a small overlay of the points the
// user changed.
//
// Open checks every element once (each one must convert to the kind of its
// slot, exactly as TDesPoints::Init would read it) but converts and keeps
// nothing: a point is read from the array when it is asked for. A point
// enters the overlay when its coordinates are first set; the overlay keeps
// its coordinates at load (xOrg, yOrg, zOrg), its current ones and Modifie.
// Points are addressed by their index in the array (0-based), the
// IdElement of their row.
//
// The array must stay as it was at Open while the view reads it: writing
// AXPoints back replaces it, so WriteBack detaches the view (Count() 0).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "server/core/exchange.h"
#include "server/core/exchange_model.h"
#include "server/core/variant.h"

namespace topaline {

class TPointsView {
public:
  enum Axis { X = 0, Y = 1, Z = 2 };

  // What an edit or a reset changes of a point: enough to put it back
  // exactly (an undo step).
  struct PointState {
    double x = 0, y = 0, z = 0;
    bool Modifie = false;
  };

  // Views a (AXPoints as the server holds it) and drops any overlay. a not
  // an array: Error (invalid argument); a missing index or an element that
  // does not convert: the Error TDesPoints::Init raises for it, and the
  // view stays empty. a must outlive the view's use of it.
  void Open(const ExchangeArray& a);
  // Forgets the array and the overlay: Count() becomes 0.
  void Close();

  std::size_t Count() const { return count_; }

  // ---- one point, by index (< Count()) ----
  // The whole point as it is now (DescOrg equals Desc: descriptions are
  // never changed here).
  TUnPoint Point(std::size_t i) const;
  std::int32_t Numero(std::size_t i) const;
  std::wstring HD(std::size_t i) const;
  std::wstring Desc(std::size_t i) const;
  double Coordinate(std::size_t i, Axis axis) const;  // current value
  double Original(std::size_t i, Axis axis) const;    // value at load
  bool Modifie(std::size_t i) const;
  PointState State(std::size_t i) const;

  // ---- changes ----
  // Stores v as the point's coordinate on axis. With recompute, Modifie
  // becomes whether any of x, y, z differs from its value at load; without
  // it Modifie stays as it was (a committed edit whose text was not
  // changed).
  void SetCoordinate(std::size_t i, Axis axis, double v, bool recompute);
  // Puts a point back into a state State() returned (undo / redo).
  void Restore(std::size_t i, const PointState& s);
  // x, y, z back to their values at load, Modifie false.
  void Reset(std::size_t i);
  void ResetAll();

  // The points in the overlay (changed at some time, reset since or not
  // necessarily), in model order: what ResetAll may change.
  std::vector<std::size_t> EditedPoints() const;
  std::size_t ModifiedCount() const { return modified_; }

  // ---- writing back ----
  // The "as written" AXPoints layout: the points whose Modifie is true, in
  // model order, six elements each (HD text, Numero I4, x y z R8, Desc
  // text). Reads HD, Numero and Desc from the array, the rest from the
  // overlay.
  void WriteModified(ElementSink& out) const;
  // Replaces slot (the array the view reads) with WriteModified's
  // elements, then detaches the view. On failure the slot and the view
  // are as they were.
  void WriteBack(ExchangeValues& exchange, Slot slot);

private:
  struct Edited {
    double org[3];
    double now[3];
    bool Modifie = false;
  };
  const Edited* edited(std::size_t i) const;
  Edited& edit(std::size_t i);
  void setModifie(Edited& e, bool v);
  std::int32_t element(std::size_t i, int field) const;

  const ExchangeArray* array_ = nullptr;
  std::size_t count_ = 0;
  std::unordered_map<std::size_t, Edited> overlay_;
  std::size_t modified_ = 0;
};

}  // namespace topaline
