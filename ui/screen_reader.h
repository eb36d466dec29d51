// What screen readers need from a form, in model terms.
//
// A screen reader names a push button, a check box or a radio button after
// its own text; a field (edit, combo box, track bar, grid) after the label
// that comes just before it in the window order, since its own window text
// is its value or nothing. So:
//   - each label knows the control it names (Label::FocusControl, or the
//     field created right after it under the same parent), and the Win32
//     binding puts the label's window just before that control's window;
//     the Tab order stays the creation order, which the model keeps;
//   - a control that shows no caption (a picture button, a tool button
//     without text, a colour swatch, a palette grid, a grid that no label
//     names) carries a spoken name (Component::SpokenName), which the
//     binding gives its window as text.
#pragma once

#include <string>
#include <vector>

#include "ui/component.h"
#include "ui/form.h"
#include "ui/static_controls.h"

namespace topaline::ui {

// Whether a screen reader names c after the label before it: edits (the
// numeric field included), combo boxes, track bars and grids.
bool TakesNameFromLabel(const Component& c);

// The control a label names: its FocusControl when set; else the component
// created right after it, when that one has the same parent, takes its
// name from a label and is no other label's FocusControl. A label without
// a caption names nothing. nullptr when none.
Component* NamedControl(const Label& label);

// The label that names c, nullptr when none.
Label* NamingLabel(const Component& c);

// Whether c shows no text of its own that could name it: a push button or
// tool button without caption (tool-bar separators aside), a colour
// swatch, a palette grid, a grid.
bool ShowsNoCaption(const Component& c);

// The text a control's window carries: its caption when the kind shows
// one that is not empty, else its spoken name, else its hint (a picture
// button is best called what its hint says it does).
std::wstring WindowName(const Component& c);

// Where a form breaks the two rules, one line per fault ("Form.field: ..."):
// a focusable field that no label with a caption names, a label that names
// a control under another parent (its window could not stand before the
// control's), a control showing no caption with no window name (a grid
// named by a label needs none).
std::vector<std::wstring> ScreenReaderFaults(const Form& form);

}  // namespace topaline::ui
