// The two prompts of the model editor that ask for a model name: TForm13
// for a new model, TForm14 for another name of the selected model. A name
// is refused when it is empty or already a model's (in any letter case).
#pragma once

#include <string>

#include "server/dialogs/common/dialog.h"
#include "server/dialogs/models/model_store.h"

namespace topaline {

class TNamePrompt : public TDialog {
public:
  // Shows the prompt with the field preset to name; true with the trimmed
  // name when confirmed.
  bool Ask(std::wstring& name);

  ui::GroupBox* GroupBox1;
  ui::Label* Label1;
  ui::Edit* Edit1;

protected:
  struct Texts {
    const wchar_t* formName;
    const wchar_t* caption;
    int captionLabel;
    const wchar_t* group;
    int groupLabel;
    const wchar_t* field;
    int fieldLabel;
  };
  TNamePrompt(Session& session, const TDesModeles& store, const Texts& texts);
  void Apply() override;
  void Showing() override;

private:
  const TDesModeles& store_;
};

class TForm13 : public TNamePrompt {
public:
  TForm13(Session& session, const TDesModeles& store);
};

class TForm14 : public TNamePrompt {
public:
  TForm14(Session& session, const TDesModeles& store);
};

}  // namespace topaline
