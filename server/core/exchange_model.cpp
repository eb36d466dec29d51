#include "server/core/exchange_model.h"

#include <limits>

#include "server/core/element_reader.h"
#include "server/core/number_format.h"
#include "server/core/text_compare.h"

namespace topaline {


// ------------------------------------------------------------------- points

void TDesPoints::Init(const ExchangeArray& a) {
  Items.clear();
  ElementReader r(a, L"AXPoints");
  const std::int64_t m = (std::int64_t(r.upper()) + 1) / 6;
  if (m <= 0) return;
  r.checkFrom0(0);
  Items.reserve(std::size_t(m));
  for (std::int32_t i = 0; i < m; ++i) {
    const std::int32_t k = 6 * i;
    TUnPoint p;
    p.HD = r.text(k);
    p.Numero = r.integer(k + 1);
    p.x = p.xOrg = r.real(k + 2);
    p.y = p.yOrg = r.real(k + 3);
    p.z = p.zOrg = r.real(k + 4);
    p.Desc = r.text(k + 5);
    p.DescOrg = p.Desc;
    Items.push_back(std::move(p));
  }
}

std::size_t TDesPoints::ModifiedCount() const {
  std::size_t n = 0;
  for (const auto& p : Items) n += p.Modifie ? 1 : 0;
  return n;
}

void TDesPoints::WriteModified(ElementSink& out) const {
  for (const auto& p : Items) {
    if (!p.Modifie) continue;
    out.string(p.HD);
    out.i4(p.Numero);
    out.r8(p.x);
    out.r8(p.y);
    out.r8(p.z);
    out.string(p.Desc);
  }
}

std::vector<Variant> TDesPoints::WriteModified() const {
  VariantListSink sink;
  sink.elements.reserve(6 * ModifiedCount());
  WriteModified(sink);
  return std::move(sink.elements);
}

// ------------------------------------------------------------------- groups

namespace {

const wchar_t kNewGroupPrefix[] = L"Nouveau groupe (";
const wchar_t kNewGroupPrefixFolded[] = L"nouveau groupe (";

std::wstring GeneratedName(std::uint32_t k) { return kNewGroupPrefix + std::to_wstring(k) + L")"; }

// k when the folded name is a generated name "nouveau groupe (k)", else 0.
std::uint32_t GeneratedNumber(const std::wstring& folded) {
  const std::size_t prefix = sizeof kNewGroupPrefixFolded / sizeof(wchar_t) - 1;
  if (folded.size() < prefix + 2 || folded.compare(0, prefix, kNewGroupPrefixFolded) != 0 ||
      folded.back() != L')')
    return 0;
  const std::size_t digits = folded.size() - prefix - 1;
  if (digits > 9 || folded[prefix] == L'0') return 0;
  std::uint32_t k = 0;
  for (std::size_t i = prefix; i < prefix + digits; ++i) {
    if (folded[i] < L'0' || folded[i] > L'9') return 0;
    k = k * 10 + std::uint32_t(folded[i] - L'0');
  }
  return k;
}

}  // namespace

void TDesGroupes::clear() {
  items_.clear();
  nameCount_.clear();
  freeK_.clear();
  kLimit_ = 0;
  idIndex_.clear();
  namesIndexed_ = false;
  LastId = 0;
  IdCourant = 0;
}

// The name index is made the first time a name is looked up: opening a
// list of many groups does not pay for it. Until then changes of names need
// no bookkeeping (the index is made from the names as they then are).
void TDesGroupes::indexNames() const {
  if (namesIndexed_) return;
  namesIndexed_ = true;
  nameCount_.reserve(items_.size());
  for (const TUnGroupe& g : items_) nameAdded(g.Nom);
}

void TDesGroupes::nameAdded(const std::wstring& nom) const {
  if (!namesIndexed_) return;
  std::wstring folded = FoldAscii(nom);
  const std::uint32_t k = GeneratedNumber(folded);
  if (++nameCount_[std::move(folded)] == 1 && k != 0 && k <= kLimit_) freeK_.erase(k);
}

void TDesGroupes::nameRemoved(const std::wstring& nom) {
  if (!namesIndexed_) return;
  const std::wstring folded = FoldAscii(nom);
  auto it = nameCount_.find(folded);
  if (it == nameCount_.end()) return;
  if (--it->second == 0) {
    nameCount_.erase(it);
    const std::uint32_t k = GeneratedNumber(folded);
    if (k != 0 && k <= kLimit_) freeK_.insert(k);
  }
}

// Keeps kLimit_ above the number of groups: then at least one k in
// [1, kLimit_] is free and the smallest free k is the first of freeK_.
void TDesGroupes::ensureFreeNumbers() const {
  indexNames();
  if (kLimit_ > items_.size()) return;
  const std::uint32_t limit = std::max<std::uint32_t>(16, std::uint32_t(items_.size()) * 2 + 1);
  for (std::uint32_t k = kLimit_ + 1; k <= limit; ++k)
    if (nameCount_.find(FoldAscii(GeneratedName(k))) == nameCount_.end()) freeK_.insert(k);
  kLimit_ = limit;
}

void TDesGroupes::append(TUnGroupe g) {
  nameAdded(g.Nom);
  idIndex_.emplace(g.Id, items_.size());  // keeps the first with that Id
  items_.push_back(std::move(g));
}

void TDesGroupes::Init(const ExchangeArray& a) {
  clear();
  ElementReader r(a, L"AXGroupes");
  const std::int32_t n = r.upper() / 6;
  if (n <= 0) return;
  r.checkFrom0(0);
  IdCourant = r.integer(0);
  items_.reserve(std::size_t(n));
  idIndex_.reserve(std::size_t(n));
  std::int64_t maxId = -1;
  for (std::int32_t i = 0; i < n; ++i) {
    const std::int32_t k = 6 * i;
    TUnGroupe g;
    g.Id = r.integer(k + 1);
    g.Nom = r.text(k + 2);
    g.Desc = r.text(k + 3);
    g.Nbpoints = r.integer(k + 4);
    g.firstpoint = r.integer(k + 5);
    g.lastpoint = r.integer(k + 6);
    if (g.Id > maxId) maxId = g.Id;
    // An Id at the top of the range leaves LastId there; Add then refuses
    // rather than wrapping round to a negative identifier.
    LastId = static_cast<std::int32_t>(std::min<std::int64_t>(maxId + 1, std::numeric_limits<std::int32_t>::max()));
    append(std::move(g));
  }
}

const TUnGroupe& TDesGroupes::Add() {
  if (Get(LastId))
    throw Error(L"Cannot add a group: every group identifier is in use.");
  TUnGroupe g;
  g.Id = LastId;
  g.Nom = NewName();
  g.Desc = L"Description";
  if (items_.empty()) IdCourant = g.Id;
  append(std::move(g));
  if (LastId < std::numeric_limits<std::int32_t>::max()) ++LastId;
  return items_.back();
}

void TDesGroupes::Delete(std::int32_t IdGrp) {
  auto found = IndexOf(IdGrp);
  if (!found) return;
  const std::size_t i = *found;
  nameRemoved(items_[i].Nom);
  items_.erase(items_.begin() + std::ptrdiff_t(i));
  // The items after i moved down by one: so do the first indices that
  // pointed at them. Ids first seen before i keep theirs; a later group
  // with the deleted Id becomes the first with it.
  idIndex_.erase(IdGrp);
  for (std::size_t j = i; j < items_.size(); ++j) {
    const auto first = idIndex_.find(items_[j].Id);
    if (!first) {
      if (items_[j].Id == IdGrp) idIndex_.emplace(IdGrp, j);
    } else if (*first == j + 1) {
      idIndex_.assign(items_[j].Id, j);
    }
  }
}

std::optional<std::size_t> TDesGroupes::IndexOf(std::int32_t IdGrp) const {
  return idIndex_.find(IdGrp);
}

const TUnGroupe* TDesGroupes::Get(std::int32_t IdGrp) const {
  auto index = IndexOf(IdGrp);
  return index ? &items_[*index] : nullptr;
}

TUnGroupe* TDesGroupes::find(std::int32_t IdGrp) {
  auto index = IndexOf(IdGrp);
  return index ? &items_[*index] : nullptr;
}

bool TDesGroupes::Exist(const std::wstring& UnNom) const {
  indexNames();
  return nameCount_.find(FoldAscii(UnNom)) != nameCount_.end();
}

std::wstring TDesGroupes::NewName() const {
  ensureFreeNumbers();
  return GeneratedName(*freeK_.begin());
}

bool TDesGroupes::Rename(std::int32_t IdGrp, const std::wstring& nom) {
  TUnGroupe* g = find(IdGrp);
  if (!g) return false;
  nameRemoved(g->Nom);
  nameAdded(nom);
  g->Nom = nom;
  return true;
}

bool TDesGroupes::SetDesc(std::int32_t IdGrp, const std::wstring& desc) {
  TUnGroupe* g = find(IdGrp);
  if (!g) return false;
  g->Desc = desc;
  return true;
}

bool TDesGroupes::SetCounts(std::int32_t IdGrp, std::int32_t nbpoints, std::int32_t first, std::int32_t last) {
  TUnGroupe* g = find(IdGrp);
  if (!g) return false;
  g->Nbpoints = nbpoints;
  g->firstpoint = first;
  g->lastpoint = last;
  return true;
}

std::vector<Variant> TDesGroupes::WriteGroups() const {
  std::vector<Variant> out;
  out.reserve(1 + 6 * items_.size());
  out.push_back(Variant::string(IntToText(IdCourant)));
  for (const auto& g : items_) {
    out.push_back(Variant::string(IntToText(g.Id)));
    out.push_back(Variant::string(g.Nom));
    out.push_back(Variant::string(g.Desc));
    out.push_back(Variant::i4(g.Nbpoints));
    out.push_back(Variant::i4(g.firstpoint));
    out.push_back(Variant::i4(g.lastpoint));
  }
  return out;
}

std::vector<Variant> TDesGroupes::WriteSelection(const std::vector<std::int32_t>& ids) {
  std::vector<Variant> out;
  out.reserve(ids.size());
  for (auto id : ids) out.push_back(Variant::i4(id));
  return out;
}

// ------------------------------------------------------------------- layers

void TDesCalques::Init(const ExchangeArray& a) {
  Items.clear();
  ElementReader r(a, L"AXCalques");
  const std::int64_t c = (std::int64_t(r.upper()) + 1) / 3;
  if (c <= 0) return;
  r.checkFrom0(0);
  Items.reserve(std::size_t(c));
  for (std::int32_t i = 0; i < c; ++i) {
    TUnCalque l;
    l.Nom = r.text(3 * i);
    l.Etat = r.integer(3 * i + 1);
    l.Gele = r.integer(3 * i + 2);
    Items.push_back(std::move(l));
  }
}

const TUnCalque* TDesCalques::GetByName(const std::wstring& nom) const {
  for (const auto& l : Items)
    if (l.Nom == nom) return &l;
  return nullptr;
}

// ------------------------------------------------------------- shared lists

std::vector<std::wstring> AttributeNames(const std::wstring& langue) {
  if (langue == L"fr") return {L"Numéro", L"Altitude", L"Description"};
  return {L"Number", L"Elevation", L"Description"};
}

std::vector<std::wstring> DuplicateChoices(const std::wstring& langue) {
  if (langue == L"fr")
    return {L"Ne pas créer le point", L"Créer le point en gardant son numéro", L"Renuméroter le nouveau point"};
  return {L"Do not create the point", L"Create the point keeping its number", L"Renumber the new point"};
}

}  // namespace topaline
