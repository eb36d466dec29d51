// Relabels a form in the interface language.
#pragma once

namespace topaline {

struct Session;

namespace ui {
class Form;
}

// With langue "fr" nothing changes: the forms carry their French texts.
// Otherwise the form's caption becomes the text of the label numbered by
// its HelpContext, and every owned component whose HelpContext is above 0
// takes that label's text as caption and its hint as hint (an empty hint
// clears the designed one). A number the labels do not hold is reported
// by the labels and leaves that component's texts as designed. A labelled
// component without a caption or a hint raises Error; the components
// after it keep their designed texts.
void ApplyLabels(Session& session, ui::Form& form);

}  // namespace topaline
