// The group list shared by the group manager and the group selection: the
// five columns, the cells' texts, loading the rows from AXGroupes, and
// sorting by a column through ranks computed once per sort.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "server/core/exchange_model.h"
#include "ui/tree_grid.h"

namespace topaline {

struct Session;

// Sort comparison of two groups on a column of the group lists: names and
// descriptions without regard to case (ASCII letters folded, other
// characters by code), the three counts numerically. <0, 0, >0.
int CompareGroups(const TUnGroupe& a, const TUnGroupe& b, int column);
// The text of a group's cell in the group lists.
std::wstring GroupCellText(const TUnGroupe& g, int column);
// The five columns shared by the group lists, counts right-aligned. In
// every language their captions are the texts of labels 611 to 615.
constexpr int kGroupColumnCount = 5;
constexpr int kFirstGroupColumnLabel = 611;
void AddGroupColumns(ui::TreeGrid& grid);
// Reads the groups from AXGroupes into `groupes` (a fresh set) and gives
// the grid one row per group, in the set's order.
void LoadGroupRows(Session& session, TDesGroupes& groupes, ui::TreeGrid& grid);

// Sort keys of one sort of a group list: every group's rank on the sorted
// column, computed once per sort directly on the model, so that the tree's
// comparisons are two lookups instead of two searches and a text compare.
class TGroupRanks {
public:
  void Build(const TDesGroupes& groupes, int column);
  void Clear();
  bool Built() const { return built_; }
  // Ranks of two groups' Ids; an Id that names no group ranks last.
  int Compare(std::int32_t a, std::int32_t b) const;
  // The rank of a group's Id (groups of equal value share one); an Id
  // that names no group ranks last.
  std::uint32_t RankOf(std::int32_t id) const;

private:
  bool built_ = false;
  bool dense_ = false;
  std::int64_t minId_ = 0;
  std::vector<std::uint32_t> byId_;  // dense: rank + 1 at Id - minId_ (0: no group)
  std::unordered_map<std::int32_t, std::uint32_t> sparse_;
};

// Wires a group list's sorting (OnBeforeSort, OnSortKeys, OnCompare,
// OnAfterSort) to the groups through the ranks.
void SortGroupsBy(ui::TreeGrid& grid, const TDesGroupes& groupes, TGroupRanks& ranks);

}  // namespace topaline
