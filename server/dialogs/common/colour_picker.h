// The colour picker: the colour index's numbered colours, ByLayer and
// ByBlock, chosen by a click on a cell or by name or number in Edit1.
// A command with colour settings creates one picker, gives it the
// interface language (InitLanguage) and lets its dialogs open it from
// their swatches (AttachColourSwatch). It keeps no settings.
#pragma once

#include <cstdint>
#include <string>

#include "server/dialogs/common/colour_palette.h"
#include "server/dialogs/common/dialog.h"
#include "ui/palette_grid.h"

namespace topaline {

class TFormGetACCol : public TDialog {
public:
  explicit TFormGetACCol(Session& session);

  // The names and captions of the language: French for "fr", English for
  // "en" and "es"; any other code changes no text (the French ones stay).
  // "Ok" and "Annuler" keep their captions. The code also chooses the
  // refusal message: French for "fr", English for any other.
  void InitLanguage(const std::wstring& lg);

  // Shows the picker with idxcouleur as the current colour and waits.
  // Ok: the chosen number with its palette values; otherwise [0] is -1.
  TResultatCouleur GetAcadColor(std::int32_t idxcouleur);

  // The current colour (what Ok returns).
  std::int32_t Current() const { return current_; }

  ui::Panel* Panel1;  // the main panel: the pointer over its bare area hides the readouts
  ui::GroupBox* GroupBox1;
  ui::GroupBox* GroupBox2;
  ui::GroupBox* GroupBox3;
  ui::GroupBox* GroupBox4;
  ui::ColorSwatch* StandardCell[9];  // Panel2 .. Panel10, colours 1 to 9
  ui::ColorSwatch* GreyCell[6];      // Panel11 .. Panel16, colours 250 to 255
  ui::Button* Button2;
  ui::Button* Button3;
  ui::PaletteGrid* coulset1;
  ui::PaletteGrid* coulset2;
  ui::Label* Label1;
  ui::Label* numcoul;
  ui::Label* Label2;
  ui::Label* rvbcol;
  ui::Label* Label3;
  ui::Edit* Edit1;
  ui::ColorSwatch* Panel18;
  ui::Button* Button4;
  ui::Button* Button5;

protected:
  void Apply() override;  // Ok

private:
  // Edit1's text, the swatch and the current colour together.
  void SetCurrent(std::int32_t n, const std::wstring& text);
  void ParseEdit1();
  void ShowReadouts(std::int32_t n);
  void SetReadoutsVisible(bool v);
  // What screen readers call the cells, the palettes and the chosen
  // colour, in the picker's language.
  void NameCells();

  std::wstring lg_ = L"fr";
  ColourNames names_ = ColourNames::ForLanguage(L"fr");
  std::int32_t current_ = kByLayer;
  bool settingText_ = false;
  bool typed_ = false;          // Edit1 changed by the user since the picker set it
  bool leftWithTyped_ = false;  // leaving Edit1 replaced typedText_ by its parse
  std::wstring typedText_;
};

// The caller's rule of a colour setting: the swatch is painted from its
// number as the dialog opens (PaintSwatch); a click opens the picker with
// that number, and a confirmed colour becomes the swatch's number and
// paint. A number outside 0 to 256 (a hand-edited section) paints black
// and stays the swatch's number, saved back unchanged, until the user
// picks another.
void PaintSwatch(ui::ColorSwatch& swatch);
void AttachColourSwatch(TFormGetACCol* picker, ui::ColorSwatch& swatch);

}  // namespace topaline
