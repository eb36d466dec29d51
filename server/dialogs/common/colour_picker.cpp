#include "server/dialogs/common/colour_picker.h"

#include "server/core/number_format.h"
#include "server/core/session.h"

namespace topaline {

namespace {
constexpr int kCell = 13;
constexpr int kCellStep = 14;

std::vector<ui::PaletteGrid::Cell> GridCells(std::int32_t (*number)(int, int)) {
  std::vector<ui::PaletteGrid::Cell> cells;
  cells.reserve(kPaletteColumns * kPaletteRows);
  for (int r = 0; r < kPaletteRows; ++r)
    for (int c = 1; c <= kPaletteColumns; ++c) {
      const std::int32_t n = number(c, r);
      cells.push_back({PaletteCellRect(c, r), n, PaintColour(n)});
    }
  return cells;
}
}  // namespace

TFormGetACCol::TFormGetACCol(Session& session) : TDialog(session, L"FormGetACCol", L"") {
  using namespace design;
  using ui::GroupBox, ui::Label, ui::ColorSwatch;
  SetCaption(L" Sélectionner une couleur");
  SetClientSize(372, 312);

  Panel1 = Make<ui::Panel>(this, L"Panel1", {0, 0, 372, 312});
  GroupBox1 = Make<GroupBox>(Panel1, L"GroupBox1", {8, 4, 142, 38}, L" Couleurs standard ");
  for (int i = 0; i < 9; ++i)
    StandardCell[i] = Make<ColorSwatch>(GroupBox1, L"Panel" + std::to_wstring(2 + i),
                                        {8 + kCellStep * i, 17, kCell, kCell});
  GroupBox2 = Make<GroupBox>(Panel1, L"GroupBox2", {156, 4, 100, 38}, L" Niveaux de gris ");
  for (int i = 0; i < 6; ++i)
    GreyCell[i] = Make<ColorSwatch>(GroupBox2, L"Panel" + std::to_wstring(11 + i),
                                    {8 + kCellStep * i, 17, kCell, kCell});
  GroupBox4 = Make<GroupBox>(Panel1, L"GroupBox4", {8, 46, 356, 172}, L" Palette ");
  coulset1 = Make<ui::PaletteGrid>(GroupBox4, L"coulset1", {8, 16, 340, 76});
  coulset2 = Make<ui::PaletteGrid>(GroupBox4, L"coulset2", {8, 92, 340, 76});
  GroupBox3 = Make<GroupBox>(Panel1, L"GroupBox3", {8, 224, 166, 46}, L" Couleurs logiques ");
  Button2 = Make<ui::Button>(GroupBox3, L"Button2", {8, 16, 72, 22}, L"DuCalque");
  Button3 = Make<ui::Button>(GroupBox3, L"Button3", {86, 16, 72, 22}, L"DuBloc");
  Label1 = Make<Label>(Panel1, L"Label1", {184, 232, 112, kTextHeight}, L"Numéro de couleur :");
  numcoul = Make<Label>(Panel1, L"numcoul", {298, 232, 66, kTextHeight}, L"");
  Label2 = Make<Label>(Panel1, L"Label2", {184, 252, 112, kTextHeight}, L"Rouge, Vert, Bleu : ");
  rvbcol = Make<Label>(Panel1, L"rvbcol", {298, 252, 66, kTextHeight}, L"");
  Label3 = Make<Label>(Panel1, L"Label3", {8, 284, 50, kTextHeight}, L"Couleur :");
  Edit1 = Make<ui::Edit>(Panel1, L"Edit1", {60, 280, 90, kEditHeight});
  Panel18 = Make<ColorSwatch>(Panel1, L"Panel18", {156, 280, 40, kEditHeight});
  Button4 = Make<ui::Button>(Panel1, L"Button4", {210, 278, 72, kButtonHeight}, L"Ok");
  Button5 = Make<ui::Button>(Panel1, L"Button5", {290, 278, 72, kButtonHeight}, L"Annuler");

  Panel1->SetBevelOuter(ui::Panel::Bevel::None);
  for (int i = 0; i < 9; ++i) StandardCell[i]->SetSwatch(1 + i, PaintColour(1 + i));
  for (int i = 0; i < 6; ++i) GreyCell[i]->SetSwatch(250 + i, PaintColour(250 + i));
  coulset1->SetCells(GridCells(FullColourCell));
  coulset2->SetCells(GridCells(PaleColourCell));

  auto cell = [this](ui::ColorSwatch* swatch) {
    swatch->SetCursor(ui::Cursor::Hand);
    swatch->OnClick = [this, swatch] { SetCurrent(swatch->ColorNumber(), names_.TextFor(swatch->ColorNumber())); };
    swatch->OnMouseMove = [this, swatch](int, int) { ShowReadouts(swatch->ColorNumber()); };
  };
  for (ui::ColorSwatch* s : StandardCell) cell(s);
  for (ui::ColorSwatch* s : GreyCell) cell(s);
  for (ui::PaletteGrid* grid : {coulset1, coulset2}) {
    grid->OnPick = [this](std::int32_t n) { SetCurrent(n, names_.TextFor(n)); };
    grid->OnHover = [this](std::int32_t n) { ShowReadouts(n); };
  }
  Panel18->OnMouseMove = [this](int, int) { ShowReadouts(current_); };
  // Over the colour groups the readouts show; over the bare main panel
  // they hide.
  for (GroupBox* g : {GroupBox1, GroupBox2, GroupBox4}) g->OnMouseMove = [this](int, int) { SetReadoutsVisible(true); };
  Panel1->OnMouseMove = [this](int, int) { SetReadoutsVisible(false); };

  Button2->OnClick = [this] { SetCurrent(kByLayer, names_.ByLayer()); };
  Button3->OnClick = [this] { SetCurrent(kByBlock, names_.ByBlock()); };
  Edit1->OnChange = [this] {
    if (settingText_) return;
    typed_ = true;
    leftWithTyped_ = false;
  };
  Edit1->OnKeyUp = [this](int& key, ui::ShiftState) {
    if (key != ui::Key::Enter) return;
    ParseEdit1();
    Edit1->SelectAll();
    Edit1->SetFocus();
  };
  Edit1->OnExit = [this] {
    // Only what the user typed is read again: a number shown as it came
    // (out of range from a hand-edited setting) stays for Ok to refuse.
    if (!typed_) return;
    const std::wstring typed = Edit1->Text();
    ParseEdit1();
    leftWithTyped_ = true;
    typedText_ = typed;
  };
  SetButtons(Button4, Button5, nullptr);
  NameCells();
  FinishCreation();
}

void TFormGetACCol::NameCells() {
  const bool fr = lg_ == L"fr", es = lg_ == L"es";
  const std::wstring colour = fr ? L"Couleur " : es ? L"Color " : L"Color ";
  auto name = [&](ui::ColorSwatch* cell) {
    const std::int32_t n = cell->ColorNumber();
    cell->SetSpokenName(n >= 1 && n <= 7 ? names_.Entry(n) : colour + IntToText(n));
  };
  for (ui::ColorSwatch* cell : StandardCell) name(cell);
  for (ui::ColorSwatch* cell : GreyCell) name(cell);
  coulset1->SetSpokenName(fr ? L"Palette des couleurs vives" : es ? L"Paleta de colores vivos" : L"Full colors palette");
  coulset2->SetSpokenName(fr ? L"Palette des couleurs pâles" : es ? L"Paleta de colores pálidos" : L"Pale colors palette");
  Panel18->SetSpokenName(fr ? L"Couleur choisie" : es ? L"Color elegido" : L"Chosen color");
}

void TFormGetACCol::InitLanguage(const std::wstring& lg) {
  lg_ = lg;
  // "fr" the French names and captions, "en" and "es" the
  // English ones; any other code sets nothing, so the picker keeps the
  // French texts it was built with (names and captions alike: the logical
  // colour buttons show the names). Only the refusal message follows the
  // code itself: French for "fr", English for any other.
  const bool english = lg == L"en" || lg == L"es";
  if (!english && lg != L"fr") return;
  names_ = ColourNames::ForLanguage(lg);
  const bool fr = !english;
  SetCaption(fr ? L" Sélectionner une couleur" : L"Color Selection");
  Label1->SetCaption(fr ? L"Numéro de couleur :" : L"Color Number :");
  Label2->SetCaption(fr ? L"Rouge, Vert, Bleu : " : L"Red, Green, Blue :");
  Label3->SetCaption(fr ? L"Couleur :" : L"Color :");
  GroupBox1->SetCaption(fr ? L" Couleurs standard " : L" Standard Colors ");
  GroupBox4->SetCaption(fr ? L" Palette " : L" Color Index ");
  GroupBox2->SetCaption(fr ? L" Niveaux de gris " : L" Gray Level ");
  GroupBox3->SetCaption(fr ? L" Couleurs logiques " : L" Logical Colors ");
  Button2->SetCaption(names_.ByLayer());
  Button3->SetCaption(names_.ByBlock());
  NameCells();
}

TResultatCouleur TFormGetACCol::GetAcadColor(std::int32_t idxcouleur) {
  SetCurrent(idxcouleur, names_.TextFor(idxcouleur));
  SetReadoutsVisible(false);
  SetActiveControl(Edit1);
  if (ShowModal() != ui::mrOk) return {-1, 0, 0, 0};
  return GetAcadRgb(current_);
}

void TFormGetACCol::SetCurrent(std::int32_t n, const std::wstring& text) {
  settingText_ = true;
  Edit1->SetText(text);
  settingText_ = false;
  typed_ = false;
  leftWithTyped_ = false;
  Panel18->SetSwatch(n, PaintColour(n));
  current_ = n;
}

void TFormGetACCol::ParseEdit1() {
  const ParsedColour p = ParseColourText(names_, Edit1->Text());
  SetCurrent(p.number, p.text);
}

void TFormGetACCol::ShowReadouts(std::int32_t n) {
  const ColourReadout r = HoverReadout(names_, n);
  numcoul->SetCaption(r.number);
  rvbcol->SetCaption(r.rgb);
  SetReadoutsVisible(true);
}

void TFormGetACCol::SetReadoutsVisible(bool v) {
  for (ui::Label* l : {Label1, numcoul, Label2, rvbcol}) l->SetVisible(v);
}

// Ok judges the text the user gave: Edit1's text now, or what was typed
// there when leaving the field read it again (so a bad entry is refused
// rather than taken as ByLayer). It takes the colour that text names,
// whether or not the field was left.
void TFormGetACCol::Apply() {
  const std::wstring text = leftWithTyped_ ? typedText_ : Edit1->Text();
  const std::int32_t n = AcceptedColour(names_, text);
  if (n < 0) {
    // The system's plain box, modal over the picker (the platform owns it
    // by the top of the modal stack).
    session_.platform.system.messageBox(ColourRefusedMessage(lg_), L"Topaline", SystemUi::Buttons::Ok,
                                        SystemUi::Icon::None);
    settingText_ = true;
    Edit1->SetText(text);
    settingText_ = false;
    typed_ = true;
    leftWithTyped_ = false;
    Edit1->SetSelection(1, 10);
    Edit1->SetFocus();
    return;
  }
  SetCurrent(n, names_.TextFor(n));
  AcceptChoice();
}

void PaintSwatch(ui::ColorSwatch& swatch) { swatch.SetPaintColor(PaintColour(swatch.ColorNumber())); }

void AttachColourSwatch(TFormGetACCol* picker, ui::ColorSwatch& swatch) {
  swatch.SetCursor(ui::Cursor::Hand);
  swatch.OnClick = [picker, &swatch] {
    if (!picker) return;
    const TResultatCouleur c = picker->GetAcadColor(swatch.ColorNumber());
    if (c[0] < 0) return;
    swatch.SetSwatch(c[0], ui::Rgb(static_cast<unsigned>(c[1]), static_cast<unsigned>(c[2]), static_cast<unsigned>(c[3])));
  };
}

}  // namespace topaline
