// Dialog settings sections, window geometry and header state, and the
// field checks shared by the dialogs.
//
// A dialog's section is a subkey of the product key named after the
// dialog, with one string value per persisted control, named after the
// control. LoadSettings fills the controls from every value present;
// SaveSettings writes the controls back into the values that already
// exist, and never creates one: the host decides what it wants to read by
// creating those values before it runs the dialog.
#pragma once

#include <string>
#include <vector>

namespace topaline {

struct Session;

namespace ui {
class CheckableControl;
class Component;
class Edit;
class Form;
class TreeGrid;
}  // namespace ui

// Registry path of a section (or of a form's geometry key) under
// HKEY_CURRENT_USER: the product key, a backslash and the name.
std::wstring SectionPath(const std::wstring& section);

// Writes the stored value of every owned component that keeps one
// (ui::Component::GetStoredValue) and whose name is already a value of the
// section: check boxes and radio buttons "1"/"0", text and numeric fields
// and drop-down lists their text, panels their tag and colour swatches
// their colour number in decimal. Creates the section's key when missing,
// but no value.
void SaveSettings(Session& session, ui::Form& form, const std::wstring& section);

// Reads every value of the section (creating the key when missing) and
// gives it to the component of that name, found without regard to case,
// when that component keeps a stored value. Check boxes and radio buttons
// run their click reactions as a user's click would. Raises Error,
// leaving the controls already loaded as they are, on a value that is not
// a string, a check-box or radio-button value that is neither a number nor
// "True"/"False", or a panel or colour-swatch value that is not an
// integer.
void LoadSettings(Session& session, const std::wstring& section, ui::Form& form);

// Whether the section holds a value of that name (of any type): the
// values SaveSettings writes. A missing section holds none.
bool HasSetting(Session& session, const std::wstring& section, const std::wstring& name);

// The string value of the section, "" when the value is missing. A DWORD
// value reads as its decimal text; a value of any other type as "".
std::wstring ReadSetting(Session& session, const std::wstring& section, const std::wstring& name);

// Window geometry under the form's name: "x", "y", "w", "h" (DWORD), the
// outer left, top, width and height.
void SaveFormPos(Session& session, ui::Form& form);
// Restores the geometry when all four values are stored as DWORDs (the
// form then opens where it was, even if designed centred); before
// the first closing (key or value missing) the designed geometry stays,
// silently. A stored place that lies off every monitor (a screen since
// removed) is brought back onto the work area nearest to it.
void RestoreFormPos(Session& session, ui::Form& form);

// The tree-grid's header state as a binary value named after the grid.
void SaveHeaderState(Session& session, ui::Form& form, ui::TreeGrid& grid);
// Missing key or value, or a value that is not binary: the designed header
// stays, silently.
void RestoreHeaderState(Session& session, ui::Form& form, ui::TreeGrid& grid);

// What the dialogs with a kept place do as they close, whatever the way of
// closing: SaveFormPos (when place), then SaveHeaderState of each grid.
// Closing never fails: a registry that refuses is reported in the error
// box and the form closes.
void SaveWindowState(Session& session, ui::Form& form, bool place, const std::vector<ui::TreeGrid*>& grids) noexcept;

// True when the field's text is blank: label 710 is shown, the field's
// text selected and focused (the caller stops).
bool CheckEmptyField(Session& session, ui::Edit& field);

// True when the caller may go on with the layer named in the field: the
// warning is off (option "avertcalq" is "0"), the layer is unknown, or it
// is on and thawed, or the user confirmed the warning (labels 731, 732,
// 996).
bool CheckLayerWarning(Session& session, ui::Edit& field);

// Normalises the field to a number with 3 decimals (a trailing "%" kept)
// and returns true; when the text is no number, beeps, shows label 733
// when showMessage, selects and focuses the field and returns false.
bool CheckNumber(Session& session, ui::Edit& field, bool showMessage);

// A distance-or-percentage field: CheckNumber with its message when the
// field is left, without it when Enter is released in the field. The
// focus the closing dialog takes away is not checked.
void CheckNumberOnExitAndEnter(Session& session, ui::Edit& field);

// Apply's check of a distance-or-percentage field: CheckNumber with its
// message where the section holds the field's value (the text that would
// reach the host); true at once where it holds none, since nothing of the
// field is saved.
bool CheckNumberToSave(Session& session, const std::wstring& section, ui::Edit& field);

// Enables the children of the container (a group box, panel or tab
// sheet) and the children of its child panels and group boxes exactly
// when box (a check box or radio button) is checked; the box itself stays
// enabled.
void EnableChildren(ui::Component& container, ui::CheckableControl& box);

// A stored check state: a decimal number (checked when not 0) or "True" /
// "False" in any case. False when the text is neither.
bool ParseCheckState(const std::wstring& text, bool& checked);

}  // namespace topaline
