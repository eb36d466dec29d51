#include "server/dialogs/models/model_pickers.h"

namespace topaline {

// The layer list and the colour picker are shared dialogs of their own;
// until a command creates them, the buttons choose nothing.
ModelPickers CommandPickers(Session& /*session*/) {
  ModelPickers pickers;
  pickers.chooseLayer = [] { return std::wstring(); };
  pickers.chooseColour = [](int) { return TResultatCouleur{-1, 0, 0, 0}; };
  return pickers;
}

}  // namespace topaline
