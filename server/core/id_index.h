// Group Id -> index of the first group with that Id. Ids are usually
// small and close together (0..n, as the host numbers them): those go in
// a table by Id, grown as they come; any other Id (negative, or far beyond
// the number of groups) in a hash. Opening 10^5 groups then allocates one
// table, not one hash node per group.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

namespace topaline {

class IdIndex {
public:
  void clear() {
    std::vector<std::uint32_t>().swap(table_);
    sparse_.clear();
    limit_ = kMinLimit;
  }
  // About n groups to come: Ids below 4n + 1024 go in the table.
  void reserve(std::size_t n) {
    if (n < (kMaxLimit - kMinLimit) / 4) limit_ = std::max(limit_, 4 * n + kMinLimit);
  }
  std::optional<std::size_t> find(std::int32_t id) const {
    if (inTable(id)) {
      const auto at = static_cast<std::size_t>(id);
      if (at < table_.size() && table_[at] != 0) return table_[at] - 1;
    }
    if (sparse_.empty()) return std::nullopt;
    auto it = sparse_.find(id);
    if (it == sparse_.end()) return std::nullopt;
    return it->second;
  }
  // Records index for id unless id has one already (the first stays).
  void emplace(std::int32_t id, std::size_t index) {
    if (!find(id)) assign(id, index);
  }
  // Records index for id, replacing any.
  void assign(std::int32_t id, std::size_t index) {
    if (inTable(id) && index < kMaxLimit) {
      const auto at = static_cast<std::size_t>(id);
      if (at >= table_.size()) table_.resize(std::max(at + 1, std::min<std::size_t>(limit_, 2 * table_.size() + 16)));
      table_[at] = static_cast<std::uint32_t>(index + 1);
    } else {
      sparse_[id] = index;
    }
  }
  void erase(std::int32_t id) {
    if (inTable(id)) {
      const auto at = static_cast<std::size_t>(id);
      if (at < table_.size()) table_[at] = 0;
    }
    sparse_.erase(id);
  }

private:
  static constexpr std::size_t kMinLimit = 1024;
  static constexpr std::size_t kMaxLimit = 0xFFFFFFF0u;  // an index + 1 fits 32 bits
  bool inTable(std::int32_t id) const { return id >= 0 && static_cast<std::size_t>(id) < limit_; }

  std::vector<std::uint32_t> table_;  // index + 1; 0: none
  std::unordered_map<std::int32_t, std::size_t> sparse_;
  std::size_t limit_ = kMinLimit;
};

}  // namespace topaline
