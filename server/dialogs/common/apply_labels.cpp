#include "server/dialogs/common/apply_labels.h"

#include "platform/error.h"
#include "server/core/labels.h"
#include "server/core/session.h"
#include "ui/form.h"

namespace topaline {

void ApplyLabels(Session& session, ui::Form& form) {
  if (session.config.langue == L"fr") return;

  // A form without a label number keeps its caption.
  if (form.HelpContext() > 0) {
    if (const TUnLabel* label = session.Labels.Get(form.HelpContext())) form.SetCaption(label->Texte);
  }
  for (const auto& owned : form.Components()) {
    ui::Component& c = *owned;
    if (c.HelpContext() <= 0) continue;
    if (!c.HasCaption() || !c.HasHint())
      throw Error(L"The component \"" + c.Name() + L"\" of " + form.Name() + L" carries label " +
                  std::to_wstring(c.HelpContext()) + L" but has no " + (c.HasCaption() ? L"hint" : L"caption") +
                  L" property.");
    if (const TUnLabel* label = session.Labels.Get(c.HelpContext())) {
      c.SetCaption(label->Texte);
      c.SetHint(label->HintTexte);
    }
  }
}

}  // namespace topaline
