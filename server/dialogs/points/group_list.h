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
// column, computed once per sort directly on the model. Names and
// descriptions rank without regard to case (ASCII letters folded, other
// characters by code), the three counts numerically.
class TGroupRanks {
public:
  void Build(const TDesGroupes& groupes, int column);
  void Clear();
  // The rank of a group's Id (groups of equal value share one); an Id
  // that names no group ranks last.
  std::uint32_t RankOf(std::int32_t id) const;

private:
  bool dense_ = false;
  std::int64_t minId_ = 0;
  std::vector<std::uint32_t> byId_;  // dense: rank + 1 at Id - minId_ (0: no group)
  std::unordered_map<std::int32_t, std::uint32_t> sparse_;
};

// Wires a group list's sorting (OnBeforeSort, OnSortKeys, OnAfterSort) to
// the groups through the ranks.
void SortGroupsBy(ui::TreeGrid& grid, const TDesGroupes& groupes, TGroupRanks& ranks);

}  // namespace topaline
