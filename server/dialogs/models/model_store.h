// The point models of the current user: one string value per model under
// the store key, the value's name the model's name and its data the model
// text (model_text.h). Names are compared as the registry compares value
// names (platform/name_fold.h): two names the registry holds as one value
// are one model.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace topaline {

// The store key under HKEY_CURRENT_USER (subkey "modeles" of the import
// dialog's section).
std::wstring ModelStorePath();

// The store in memory: Names and Texts in the same order.
class TDesModeles {
public:
  // Replaces both lists with the store's string values, sorted by name
  // without regard to case (creating the key when missing). A value of
  // another type is no model: it is skipped and left alone.
  void Load(Registry& registry);
  // Writes every model, then deletes the values that were models at the
  // last Load or Save and are no longer in the lists. A store that fails
  // half way keeps every model it had: nothing is deleted before all are
  // written.
  void Save(Registry& registry);

  // At the end (the lists are not re-sorted).
  void Add(const std::wstring& name, const std::wstring& text);
  void Delete(int index);
  void Rename(int index, const std::wstring& name);
  void Put(int index, const std::wstring& text);
  // The index of the model of that name (any case, as the registry folds
  // it), -1 when none. The name prompts and the chooser find models by it.
  int IndexOf(const std::wstring& name) const;
  int Count() const { return static_cast<int>(Names.size()); }

  std::vector<std::wstring> Names;
  std::vector<std::wstring> Texts;

private:
  std::vector<std::wstring> stored_;  // the names the store held as models
};

}  // namespace topaline

namespace topaline {

// The models of one point-creating command: the store the chooser and the
// editor share, and the name of the model the user chose. The model goes
// from the chooser to the editor and back by name, never by a list index,
// since the editor appends and renames without re-sorting.
struct PointModels {
  TDesModeles store;
  std::wstring current;
};

}  // namespace topaline
