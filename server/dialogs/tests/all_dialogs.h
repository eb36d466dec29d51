// Every dialog of the server, as its command creates it (the sub-dialogs
// too: the layer list, the colour picker, the model editor and its name
// prompts, the existing-file question, the message box), for the tests
// that check all forms at once.
#pragma once

#include <memory>
#include <vector>

#include "server/core/session.h"
#include "server/dialogs/common/calques.h"
#include "server/dialogs/common/colour_picker.h"
#include "server/dialogs/common/message_box.h"
#include "server/dialogs/layout/chevauche.h"
#include "server/dialogs/layout/encadre.h"
#include "server/dialogs/layout/options.h"
#include "server/dialogs/layout/repos.h"
#include "server/dialogs/layout/rotation.h"
#include "server/dialogs/layout/taille_att.h"
#include "server/dialogs/models/cree_points.h"
#include "server/dialogs/models/dess_point.h"
#include "server/dialogs/models/import_fic.h"
#include "server/dialogs/models/model_editor.h"
#include "server/dialogs/models/name_prompt.h"
#include "server/dialogs/points/change_alt.h"
#include "server/dialogs/points/filtre_ent.h"
#include "server/dialogs/points/filtre_points.h"
#include "server/dialogs/points/gerer.h"
#include "server/dialogs/points/grp_select.h"
#include "server/dialogs/points/liste_points.h"
#include "server/dialogs/points/sauve_pt.h"
#include "server/dialogs/points/tableau.h"

namespace topaline::testing {

// The forms hold on to models and pointForms; the session must carry an
// AXCalques array (the layer list reads it).
inline std::vector<std::unique_ptr<ui::Form>> AllDialogs(Session& session, PointModels& models,
                                                         PointModelForms& pointForms) {
  std::vector<std::unique_ptr<ui::Form>> forms;
  forms.push_back(std::make_unique<TfrmChangeAlt>(session));
  forms.push_back(std::make_unique<TfrmFiltreEnt>(session));
  forms.push_back(std::make_unique<TfrmOptions>(session));
  forms.push_back(std::make_unique<TfrmTailleAtt>(session));
  forms.push_back(std::make_unique<TfrmRotation>(session));
  forms.push_back(std::make_unique<TfrmRepos>(session));
  forms.push_back(std::make_unique<TfrmChevauche>(session, nullptr));
  auto existing = std::make_unique<TForm23>(session);
  forms.push_back(std::make_unique<TfrmSauvePt>(session, *existing));
  forms.push_back(std::move(existing));
  forms.push_back(std::make_unique<TfrmListePoints>(session));
  forms.push_back(std::make_unique<TfrmGrpSelect>(session));
  auto filter = std::make_unique<TfrmFiltrePoints>(session);
  forms.push_back(std::make_unique<TfrmGerer>(session, *filter));
  forms.push_back(std::move(filter));
  forms.push_back(std::make_unique<TfrmCalques>(session));
  auto picker = std::make_unique<TFormGetACCol>(session);
  picker->InitLanguage(session.config.langue);
  forms.push_back(std::move(picker));
  forms.push_back(std::make_unique<TfrmTableau>(session, nullptr));
  forms.push_back(std::make_unique<TfrmEncadre>(session, nullptr, nullptr));
  auto form13 = std::make_unique<TForm13>(session, models.store);
  auto form14 = std::make_unique<TForm14>(session, models.store);
  forms.push_back(std::make_unique<TfrmEditModel>(session, models, *form13, *form14, ModelPickers{}));
  forms.push_back(std::move(form13));
  forms.push_back(std::move(form14));
  forms.push_back(std::make_unique<TfrmImportFic>(session, pointForms));
  forms.push_back(std::make_unique<TfrmDessPoint>(session, pointForms));
  forms.push_back(std::make_unique<TfrmCreePoints>(session, pointForms));
  auto box = std::make_unique<TfrmErrMsg>();
  box->Prepare(L"Message", {L"Oui", L"Non", L"Annuler"}, 0,
               [](const std::wstring& caption) { return 6 * static_cast<int>(caption.size()); });
  forms.push_back(std::move(box));
  return forms;
}

}  // namespace topaline::testing
