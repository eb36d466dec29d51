// The pickers a command creates before its own dialog and frees after it:
// the layer list (which builds the session's layers from AXCalques as it
// is created), then, for the commands with colour settings, the colour
// picker given the interface language at once.
#pragma once

#include <memory>

#include "server/dialogs/common/calques.h"
#include "server/dialogs/common/colour_picker.h"

namespace topaline {

struct Pickers {
  enum class With { Layers, LayersAndColours };

  Pickers(Session& session, With with);
  ~Pickers();
  Pickers(const Pickers&) = delete;
  Pickers& operator=(const Pickers&) = delete;

  std::unique_ptr<TfrmCalques> layers;
  std::unique_ptr<TFormGetACCol> colours;  // null for With::Layers
};

}  // namespace topaline
