#include "server/dialogs/common/pickers.h"

#include "server/core/session.h"

namespace topaline {

Pickers::Pickers(Session& session, With with) : layers(std::make_unique<TfrmCalques>(session)) {
  if (with == With::LayersAndColours) {
    colours = std::make_unique<TFormGetACCol>(session);
    colours->InitLanguage(session.config.langue);
  }
}

// Freed in the order of their creation.
Pickers::~Pickers() {
  layers.reset();
  colours.reset();
}

}  // namespace topaline
