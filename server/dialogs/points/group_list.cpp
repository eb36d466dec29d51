#include "server/dialogs/points/group_list.h"

#include <algorithm>
#include <string_view>

#include "server/core/code_sort.h"
#include "server/core/labels.h"
#include "server/core/number_format.h"
#include "server/core/session.h"
#include "server/core/text_compare.h"

namespace topaline {

std::wstring GroupCellText(const TUnGroupe& g, int column) {
  switch (column) {
    case 0: return g.Nom;
    case 1: return g.Desc;
    case 2: return IntToText(g.Nbpoints);
    case 3: return IntToText(g.firstpoint);
    case 4: return IntToText(g.lastpoint);
    default: return {};
  }
}

void AddGroupColumns(ui::TreeGrid& grid) {
  // Together they fit the designed tree of either dialog.
  grid.AddColumn(L"Nom", 120);
  grid.AddColumn(L"Description", 140);
  grid.AddColumn(L"Nb points", 62, ui::Alignment::Right);
  grid.AddColumn(L"Premier", 62, ui::Alignment::Right);
  grid.AddColumn(L"Dernier", 62, ui::Alignment::Right);
}

void TGroupRanks::Build(const TDesGroupes& groupes, int column) {
  Clear();
  const auto& items = groupes.Items();
  const std::size_t n = items.size();
  std::vector<std::uint32_t> order(n);
  for (std::size_t i = 0; i < n; ++i) order[i] = static_cast<std::uint32_t>(i);
  std::vector<std::uint32_t> rank(n);
  auto assignRanks = [&](auto equal) {
    std::uint32_t r = 0;
    for (std::size_t k = 0; k < n; ++k) {
      if (k > 0 && !equal(order[k - 1], order[k])) r = static_cast<std::uint32_t>(k);
      rank[order[k]] = r;
    }
  };
  if (column == 0 || column == 1) {
    // The folded texts side by side in one buffer: one allocation rather
    // than one per group.
    auto text = [&](std::size_t i) -> const std::wstring& { return column == 0 ? items[i].Nom : items[i].Desc; };
    std::size_t total = 0;
    for (std::size_t i = 0; i < n; ++i) total += text(i).size();
    std::wstring folded;
    folded.reserve(total);
    std::vector<std::size_t> start(n + 1);
    for (std::size_t i = 0; i < n; ++i) {
      start[i] = folded.size();
      for (wchar_t c : text(i)) folded.push_back(FoldAscii(c));
    }
    start[n] = folded.size();
    auto key = [&](std::uint32_t i) { return std::wstring_view(folded.data() + start[i], start[i + 1] - start[i]); };
    SortByCodes(order, key);
    assignRanks([&](std::uint32_t a, std::uint32_t b) { return CompareCodes(key(a), key(b)) == 0; });
  } else {
    auto value = [&](std::uint32_t i) {
      const TUnGroupe& g = items[i];
      return column == 2 ? g.Nbpoints : (column == 3 ? g.firstpoint : g.lastpoint);
    };
    std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) { return value(a) < value(b); });
    assignRanks([&](std::uint32_t a, std::uint32_t b) { return value(a) == value(b); });
  }
  // Ids are usually close to 0..n: a plain table then, a hash otherwise.
  std::int64_t lo = 0, hi = -1;
  for (std::size_t i = 0; i < n; ++i) {
    const std::int64_t id = items[i].Id;
    if (i == 0 || id < lo) lo = id;
    if (i == 0 || id > hi) hi = id;
  }
  dense_ = n > 0 && hi - lo < static_cast<std::int64_t>(4 * n + 1024);
  minId_ = lo;
  if (dense_) {
    byId_.assign(static_cast<std::size_t>(hi - lo + 1), 0);
    // The first group of an Id is the one the dialog shows.
    for (std::size_t i = n; i-- > 0;) byId_[static_cast<std::size_t>(items[i].Id - lo)] = rank[i] + 1;
  } else {
    sparse_.reserve(n);
    for (std::size_t i = 0; i < n; ++i) sparse_.emplace(items[i].Id, rank[i] + 1);
  }
}

void TGroupRanks::Clear() {
  byId_.clear();
  byId_.shrink_to_fit();
  sparse_ = {};
}

std::uint32_t TGroupRanks::RankOf(std::int32_t id) const {
  constexpr std::uint32_t kLast = 0xFFFFFFFFu;
  if (dense_) {
    const std::int64_t at = static_cast<std::int64_t>(id) - minId_;
    if (at < 0 || at >= static_cast<std::int64_t>(byId_.size())) return kLast;
    const std::uint32_t r = byId_[static_cast<std::size_t>(at)];
    return r == 0 ? kLast : r;
  }
  auto it = sparse_.find(id);
  return it == sparse_.end() ? kLast : it->second;
}

void SortGroupsBy(ui::TreeGrid& grid, const TDesGroupes& groupes, TGroupRanks& ranks) {
  grid.OnBeforeSort = [&groupes, &ranks](int column) { ranks.Build(groupes, column); };
  grid.OnAfterSort = [&ranks](int) { ranks.Clear(); };
  // Built before every sort: each row ranked once, not at each comparison.
  grid.OnSortKeys = [&ranks](int, const std::vector<std::int32_t>& ids, std::vector<std::uint64_t>& keys) {
    keys.resize(ids.size());
    for (std::size_t i = 0; i < ids.size(); ++i) keys[i] = ranks.RankOf(ids[i]);
    return true;
  };
}

void LoadGroupRows(Session& session, TDesGroupes& groupes, ui::TreeGrid& grid) {
  groupes = TDesGroupes();
  groupes.Init(session.exchange.get(Slot::AXGroupes));
  std::vector<std::int32_t> ids;
  ids.reserve(groupes.Count());
  for (const TUnGroupe& g : groupes.Items()) ids.push_back(g.Id);
  grid.SetRows(std::move(ids));
}

}  // namespace topaline
