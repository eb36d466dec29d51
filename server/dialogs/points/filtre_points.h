// Point filter: the criteria of the group manager's two actions that add
// or remove points by criteria. The dialog only records them, in section
// "filtrerpoints"; the host picks the points that satisfy them.
#pragma once

#include "server/dialogs/common/vexa_edit.h"
#include "server/dialogs/common/dialog.h"

namespace topaline {

class TfrmFiltrePoints : public TDialog {
public:
  // Run loads section "filtrerpoints" and shows the dialog; its modal
  // result is ui::mrOk once Apply has stored the criteria.
  explicit TfrmFiltrePoints(Session& session);

  ui::GroupBox* GroupBox1;
  ui::CheckBox* cn;
  TVexaEdit* nmin;
  TVexaEdit* nmax;
  ui::CheckBox* cx;
  TVexaEdit* xmin;
  TVexaEdit* xmax;
  ui::CheckBox* cy;
  TVexaEdit* ymin;
  TVexaEdit* ymax;
  ui::CheckBox* cz;
  TVexaEdit* zmin;
  TVexaEdit* zmax;
  ui::CheckBox* cdes;
  ui::Edit* desc;

protected:
  void Apply() override;
  void Showing() override { UpdateEnabling(); }

private:
  // A panel headed by its check box.
  ui::Panel& AddPanel(int index, const wchar_t* box, const wchar_t* caption, int label, ui::CheckBox*& check);
  // A numeric criterion: "Compris entre" min "et" max.
  void AddRange(int index, const wchar_t* box, const wchar_t* caption, int label, const wchar_t* min,
                const wchar_t* max, TTypeValeur kind, ui::CheckBox*& check, TVexaEdit*& minField,
                TVexaEdit*& maxField);
  void UpdateEnabling();

  ui::Panel* panels_[5] = {};
};

}  // namespace topaline
