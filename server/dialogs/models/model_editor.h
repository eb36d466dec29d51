// The model editor TfrmEditModel: the only place where point models are
// created, changed, given another name or deleted. Its changes reach the
// registry only through its Apply; Cancel forgets them.
#pragma once

#include <array>
#include <string>

#include "server/dialogs/common/dialog.h"
#include "server/dialogs/common/vexa_edit.h"
#include "server/dialogs/models/model_pickers.h"
#include "server/dialogs/models/model_store.h"
#include "server/dialogs/models/model_text.h"
#include "server/dialogs/models/name_prompt.h"

namespace topaline {

class TfrmEditModel : public TDialog {
public:
  TfrmEditModel(Session& session, PointModels& models, TForm13& newName, TForm14& rename, ModelPickers pickers);

  // Loads the store, shows models.current (the first model when the store
  // has no such name, the default model when it has none) and runs the
  // editor. On OK the store is saved and models.current names the model
  // selected at Apply.
  int Open();

  // The model text the controls give now.
  std::wstring ModelText() const;
  void ApplyModelText(const std::wstring& text);

  ui::GroupBox* GroupBox1;
  ui::Label* Label2;
  ui::ComboBox* c1;
  ui::Button* SpeedButton1;
  ui::Button* SpeedButton3;
  ui::Button* SpeedButton2;
  ui::Button* SpeedButton4;
  ui::GroupBox* GroupBox3;
  ui::RadioButton* c2;
  ui::RadioButton* RadioButton2;
  ui::Label* Label3;
  ui::Edit* c3;
  ui::Button* BitBtn4;
  ui::ColorSwatch* c15;
  ui::GroupBox* GroupBox2;
  ui::ImageList* ImageList1;
  ui::PageControl* PageControl1;
  ui::TabSheet* TabSheet1;
  ui::CheckBox* c4;
  ui::Edit* c5;
  ui::Button* BitBtn1;
  TVexaEdit* c6;
  ui::ColorSwatch* c16;
  ui::TabSheet* TabSheet2;
  ui::CheckBox* c7;
  ui::Edit* c8;
  ui::Button* BitBtn3;
  TVexaEdit* c9;
  ui::ComboBox* c10;
  ui::ColorSwatch* c17;
  ui::TabSheet* TabSheet3;
  ui::CheckBox* c11;
  ui::Edit* c12;
  ui::Button* BitBtn6;
  TVexaEdit* c13;
  ui::ColorSwatch* c18;
  ui::Label* Label14;
  TVexaEdit* c14;

protected:
  void Apply() override;

private:
  void SelectModel(int index);
  void OfferToSave();
  // The layer fields of the attributes the model creates are not blank;
  // at the first blank one, label 710 with its tab shown.
  bool LayersGiven();
  void RefreshTabs();
  void ListModels(int select);
  int Selected() const { return c1->ItemIndex(); }

  void NewModel();
  void StoreModel();
  void DeleteModel();
  void RenameModel();
  void ChooseLayer(ui::Edit& field);
  void ChooseColour(ui::ColorSwatch& swatch);

  PointModels& models_;
  TForm13& newName_;
  TForm14& rename_;
  ModelPickers pickers_;
  std::array<ui::Component*, kModelFields> fields_{};  // c2 to c18
  int current_ = -1;                                   // the model the controls show
  std::wstring loadedText_;
};

}  // namespace topaline
