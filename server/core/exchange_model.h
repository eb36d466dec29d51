// The points, groups and layers model built from the exchange arrays.
//
// A dialog builds a set from an array when it opens (Init), works on the
// set, and where it hands something back writes a new array from it.
// Items are held by value in order; dialogs refer to them by index (points)
// or by identifier (groups) and keep no pointers across changes of a set.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "server/core/exchange.h"
#include "server/core/id_index.h"
#include "server/core/variant.h"

namespace topaline {

// The data a tree-grid row carries: the index of a point in its TDesPoints,
// or a group's Id.
struct TDataNoeud {
  std::int32_t IdElement = 0;
};
using PDataNoeud = TDataNoeud*;

struct TUnPoint {
  std::int32_t Numero = 0;
  std::wstring HD;
  std::wstring Desc;
  std::wstring DescOrg;
  double x = 0, y = 0, z = 0;
  double xOrg = 0, yOrg = 0, zOrg = 0;
  bool Modifie = false;
};

// AXPoints: six elements per point (HD text, Numero integer, x, y, z reals,
// Desc text); elements after the last whole record are ignored.
class TDesPoints {
public:
  std::vector<TUnPoint> Items;

  // Replaces the contents with the points of a. Not an array: Error
  // (invalid argument). A missing index or an element that does not
  // convert raises Error; the points read completely before it stay.
  void Init(const ExchangeArray& a);

  std::size_t Count() const { return Items.size(); }

  // The "as written" layout: the points whose Modifie is true, in set
  // order, six elements each (HD as text, Numero as I4, x y z as R8, Desc
  // as text). No modified point: no element.
  std::vector<Variant> WriteModified() const;
  // The same handed to a sink, and the number of points it writes.
  void WriteModified(ElementSink& out) const;
  std::size_t ModifiedCount() const;
};

struct TUnGroupe {
  std::int32_t Id = 0;
  std::wstring Nom;
  std::wstring Desc;
  std::int32_t Nbpoints = 0;
  std::int32_t firstpoint = 0;
  std::int32_t lastpoint = 0;
};

// AXGroupes: element 0 the current group's Id, then six elements per group.
//
// The set keeps an index of the names folded as Exist compares them, so
// Exist and NewName cost no more than a hash lookup even with 10^5 groups;
// it is made on the first look-up, so opening a list pays nothing for it.
// Names are therefore changed only through Rename; Items() is read-only.
class TDesGroupes {
public:
  std::int32_t LastId = 0;     // the Id the next added group takes
  std::int32_t IdCourant = 0;  // the current group's Id

  // Replaces the contents with the groups of a (see the layout above).
  // Failures as for TDesPoints::Init; IdCourant, LastId and the groups
  // read before a failing element are kept.
  void Init(const ExchangeArray& a);

  const std::vector<TUnGroupe>& Items() const { return items_; }
  std::size_t Count() const { return items_.size(); }
  const TUnGroupe& At(std::size_t index) const { return items_.at(index); }

  // Appends a group: Id := LastId, Nom := NewName(), Desc "Description",
  // counts 0. On an empty set it becomes current. LastId goes up by one.
  // Raises Error when LastId is already a group's Id (the identifiers
  // are exhausted at the top of the int32 range).
  const TUnGroupe& Add();
  // Removes the first group with that Id, keeping the order of the others;
  // LastId and IdCourant are unchanged. No such group: nothing happens.
  void Delete(std::int32_t IdGrp);
  // The first group with that Id, or nullptr. Valid until the set changes.
  const TUnGroupe* Get(std::int32_t IdGrp) const;
  std::optional<std::size_t> IndexOf(std::int32_t IdGrp) const;
  // Some group's Nom equals UnNom, ASCII letters folded.
  bool Exist(const std::wstring& UnNom) const;
  // "Nouveau groupe (k)" for the smallest k >= 1 that Exist rejects.
  std::wstring NewName() const;

  // Changes of a group found by Id; false when no group has it.
  bool Rename(std::int32_t IdGrp, const std::wstring& nom);
  bool SetDesc(std::int32_t IdGrp, const std::wstring& desc);
  bool SetCounts(std::int32_t IdGrp, std::int32_t nbpoints, std::int32_t first, std::int32_t last);

  // The layout written by the group manager: element 0 IdCourant as
  // decimal text, then per group Id as decimal text, Nom, Desc as text,
  // Nbpoints, firstpoint, lastpoint as I4.
  std::vector<Variant> WriteGroups() const;
  // The layout written by the group selection: the given Ids as I4, in
  // the given order.
  static std::vector<Variant> WriteSelection(const std::vector<std::int32_t>& ids);

private:
  void clear();
  void append(TUnGroupe g);
  void indexNames() const;
  void nameAdded(const std::wstring& nom) const;
  void nameRemoved(const std::wstring& nom);
  void ensureFreeNumbers() const;
  TUnGroupe* find(std::int32_t IdGrp);

  std::vector<TUnGroupe> items_;
  // folded Nom -> groups, made on the first look-up of a name
  mutable std::unordered_map<std::wstring, std::uint32_t> nameCount_;
  mutable bool namesIndexed_ = false;
  // Free k of the generated names "Nouveau groupe (k)" for k in [1, kLimit_];
  // kLimit_ stays above the number of groups, so the set is never empty.
  mutable std::set<std::uint32_t> freeK_;
  mutable std::uint32_t kLimit_ = 0;
  IdIndex idIndex_;  // Id -> index of the first group with it
};

struct TUnCalque {
  std::wstring Nom;
  std::int32_t Etat = 0;  // >= 0 on, < 0 off
  std::int32_t Gele = 0;  // 1 frozen
};

// AXCalques: three elements per layer (Nom text, Etat and Gele integers).
class TDesCalques {
public:
  std::vector<TUnCalque> Items;
  // Failures as for TDesPoints::Init.
  void Init(const ExchangeArray& a);
  // The first layer whose Nom equals nom exactly (case significant).
  const TUnCalque* GetByName(const std::wstring& nom) const;
};

// The three attribute names: French for "fr", English otherwise.
std::vector<std::wstring> AttributeNames(const std::wstring& langue);
// The three ways to handle an existing point number: French for "fr",
// English otherwise (a list that is never empty, so a choice is saved).
std::vector<std::wstring> DuplicateChoices(const std::wstring& langue);

}  // namespace topaline
