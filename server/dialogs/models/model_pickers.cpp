#include "server/dialogs/models/model_pickers.h"

#include "server/dialogs/common/pickers.h"

namespace topaline {

ModelPickers CommandPickers(Pickers& pickers) {
  ModelPickers m;
  m.chooseLayer = [&pickers] { return pickers.layers->ChooseLayer(); };
  m.chooseColour = [&pickers](int colour) { return pickers.colours->GetAcadColor(colour); };
  return m;
}

}  // namespace topaline
