// What every dialog of the server shares, and the one life cycle they all
// follow.
//
// A dialog declares, in its constructor: its form name, help topic and
// settings section (the constructor's arguments), the grids whose header
// it keeps and whether it keeps its place (KeepPlace, KeepHeader), its
// Escape rule, its buttons (AddButtonRow, or SetButtons for buttons of its
// own design), and which captions always come from the labels
// (LabelColumn, LabelCaption). It creates its controls with Make, one line
// each, and ends its constructor with FinishCreation.
//
// The base then runs the same steps, in the same order, for every dialog:
//   creation (FinishCreation): labels in the interface language, then the
//     captions that always come from the labels, then the stored place and
//     the kept headers;
//   Run: the loading hooks around the declared section's load
//     (BeforeLoading, the section loaded into the controls, AfterLoading),
//     the showing hook (Showing), the modal loop;
//   closing: the closing hook (Closing), then the place and the headers
//     saved (never failing);
//   Accept (from Apply): the declared section saved, resultat 1, closed.
// Errors of the creation steps and of the closing are shown in the error
// box and the dialog goes on; errors of the reactions are shown by the
// form (Form::OnError); an error of the loading hooks or while loading the
// section ends Run and reaches the caller (lance fails with its message).
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "ui/controls.h"
#include "ui/tree_grid.h"

namespace topaline {

struct Session;

// What Escape does in a dialog.
enum class EscapeRule {
  Cancel,  // closes like Cancel (the form sees keys before its controls)
  None,    // nothing of the form's own: the controls have the key
};

class TDialog : public ui::Form {
public:
  // BeforeLoading, the declared section (if any) loaded, AfterLoading;
  // then shows the dialog modally and returns its modal result.
  int Run();
  // Shows the dialog modally (no section loaded) and returns its result.
  int ShowModal();

  const std::wstring& Section() const { return section_; }
  const std::wstring& HelpTopic() const { return helpTopic_; }
  // The label numbers of the hints declared with LabelHint.
  std::vector<int> HintLabels() const;
  // The label numbers of the spoken names declared with LabelName.
  std::vector<int> NameLabels() const;

  ui::Button* btAppliquer = nullptr;
  ui::Button* btAnnule = nullptr;
  ui::Button* btAide = nullptr;

protected:
  // name: the form's name (also its geometry key); helpTopic: "" for none;
  // section: the settings section, "" for none.
  TDialog(Session& session, std::wstring name, std::wstring helpTopic, std::wstring section = {});

  // One control: created under parent at its design rectangle, with its
  // caption (when the kind has one and caption is not null) and label
  // number (its help context, 0 for none).
  template <class T>
  T* Make(ui::Component* parent, std::wstring name, const ui::Rect& bounds, const wchar_t* caption = nullptr,
          int label = 0) {
    T& c = Add<T>(parent, std::move(name), bounds);
    if (caption) c.SetCaption(caption);
    if (label > 0) c.SetHelpContext(label);
    return &c;
  }

  // ---- declarations ----
  // The form's outer place is restored at creation and saved on closing.
  void KeepPlace() { keepsPlace_ = true; }
  // The grid's header (widths, order, sort) is restored at creation and
  // saved on closing with the place.
  void KeepHeader(ui::TreeGrid& grid) { keptHeaders_.push_back(&grid); }
  void SetEscapeRule(EscapeRule rule);
  // The column's caption is label's text in every language.
  void LabelColumn(ui::TreeGrid& grid, int column, int label) { columnLabels_.push_back({&grid, column, label}); }
  // The component's caption is label's text in every language (and it
  // carries no help context of its own).
  void LabelCaption(ui::Component& component, int label) { captionLabels_.push_back({&component, label}); }
  // The component's hint comes from label (its hint text, else its text):
  // for picture buttons and swatches, which show no caption. A designed
  // French hint stays in French.
  void LabelHint(ui::Component& component, int label) { hintLabels_.push_back({&component, label}); }
  // The name a screen reader gives a control that shows no caption (its
  // window text, ui/screen_reader.h): french in French, the label's text
  // in the other languages (french again when the installed labels lack
  // it: nothing is reported, the user never sees this text).
  void LabelName(ui::Component& component, int label, const wchar_t* french);

  // btAppliquer, btAnnule, btAide (75 × 25, 8 px apart) with their right
  // edge 8 px from the client area's right edge, then SetButtons.
  void AddButtonRow(int top);
  // The dialog's buttons by role: apply runs Apply, cancel closes with
  // Cancel, help opens the help topic. Any may be null.
  void SetButtons(ui::Component* apply, ui::Component* cancel, ui::Component* help);

  // The creation steps, run once at the end of the constructor.
  void FinishCreation();

  // ---- hooks ----
  // Apply's checks and saving; ends with Accept() when all is well.
  virtual void Apply() = 0;
  // Before the section is loaded: what the loaded values choose among (a
  // list filled from a store).
  virtual void BeforeLoading() {}
  // After the section is loaded, before the dialog shows: what replaces a
  // loaded value, from the call's data.
  virtual void AfterLoading() {}
  // As the dialog shows, after the section is loaded.
  virtual void Showing() {}
  // As the dialog closes, whatever the way, before the place is saved.
  // Must not fail.
  virtual void Closing() {}
  // Whether Escape closes the dialog now (EscapeRule::Cancel only).
  virtual bool EscapeCloses() const { return true; }

  // Saves the declared section, sets resultat to 1 and closes with OK.
  void Accept();
  // A picker's confirmation: closes with OK, saving nothing and leaving
  // resultat alone (the caller takes the choice from the picker).
  void AcceptChoice() { SetModalResult(ui::mrOk); }

  Session& session_;

private:
  struct ColumnLabel {
    ui::TreeGrid* grid;
    int column;
    int label;
  };
  struct CaptionLabel {
    ui::Component* component;
    int label;
  };

  void Closed() noexcept;

  std::wstring helpTopic_;
  std::wstring section_;
  bool keepsPlace_ = false;
  std::vector<ui::TreeGrid*> keptHeaders_;
  std::vector<ColumnLabel> columnLabels_;
  std::vector<CaptionLabel> captionLabels_;
  std::vector<CaptionLabel> hintLabels_;
  std::vector<CaptionLabel> nameLabels_;
};

// Geometry shared by the dialogs' designs (8-pt Tahoma).
namespace design {
constexpr int kMargin = 8;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kButtonGap = 8;
constexpr int kCheckHeight = 17;
constexpr int kEditHeight = 21;
constexpr int kTextHeight = 13;
}  // namespace design

}  // namespace topaline
