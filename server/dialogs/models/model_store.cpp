#include "server/dialogs/models/model_store.h"

#include <algorithm>
#include <memory>
#include <numeric>

#include "platform/error.h"
#include "server/core/session.h"
#include "platform/name_fold.h"

namespace topaline {
namespace {

std::unique_ptr<RegistryKey> OpenStore(Registry& registry) {
  auto key = registry.open(ModelStorePath(), true);
  if (!key) throw Error(L"Cannot open the registry key HKEY_CURRENT_USER\\" + ModelStorePath() + L".");
  return key;
}

void CheckIndex(int index, std::size_t count) {
  if (index < 0 || static_cast<std::size_t>(index) >= count)
    throw Error(L"There is no point model number " + std::to_wstring(index) + L".");
}

}  // namespace

std::wstring ModelStorePath() { return std::wstring(kProductKey) + L"\\importe\\modeles"; }

void TDesModeles::Load(Registry& registry) {
  auto key = OpenStore(registry);
  std::vector<std::wstring> names;
  for (const std::wstring& name : key->valueNames())
    if (key->valueType(name) == RegType::String) names.push_back(name);
  std::vector<std::size_t> order(names.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return NameLess(names[a], names[b]); });
  std::vector<std::wstring> sortedNames, texts;
  for (std::size_t i : order) {
    sortedNames.push_back(names[i]);
    texts.push_back(key->readString(names[i]));
  }
  Names = std::move(sortedNames);
  Texts = std::move(texts);
  stored_ = Names;
}

void TDesModeles::Save(Registry& registry) {
  auto key = OpenStore(registry);
  for (std::size_t i = 0; i < Names.size(); ++i) key->writeString(Names[i], Texts[i]);
  for (const std::wstring& name : stored_)
    if (IndexOf(name) < 0 && key->valueType(name) == RegType::String) key->deleteValue(name);
  stored_ = Names;
}

void TDesModeles::Add(const std::wstring& name, const std::wstring& text) {
  Names.push_back(name);
  Texts.push_back(text);
}

void TDesModeles::Delete(int index) {
  CheckIndex(index, Names.size());
  Names.erase(Names.begin() + index);
  Texts.erase(Texts.begin() + index);
}

void TDesModeles::Rename(int index, const std::wstring& name) {
  CheckIndex(index, Names.size());
  Names[static_cast<std::size_t>(index)] = name;
}

void TDesModeles::Put(int index, const std::wstring& text) {
  CheckIndex(index, Texts.size());
  Texts[static_cast<std::size_t>(index)] = text;
}

int TDesModeles::IndexOf(const std::wstring& name) const {
  for (std::size_t i = 0; i < Names.size(); ++i)
    if (SameName(Names[i], name)) return static_cast<int>(i);
  return -1;
}

}  // namespace topaline
