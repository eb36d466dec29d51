// The pickers the model editor opens from its layer buttons and colour
// swatches: the layer list and the colour picker of the command.
#pragma once

#include <functional>
#include <string>

#include "server/dialogs/common/colour_palette.h"

namespace topaline {

struct Pickers;

struct ModelPickers {
  // The chosen layer's name, "" when none was chosen.
  std::function<std::wstring()> chooseLayer;
  // The chosen colour from the one shown (colour number and its red,
  // green, blue); number -1 when cancelled.
  std::function<TResultatCouleur(int colour)> chooseColour;
};

// The command's layer list and colour picker (which outlive the result).
ModelPickers CommandPickers(Pickers& pickers);

}  // namespace topaline
