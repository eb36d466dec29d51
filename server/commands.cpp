#include "server/commands.h"

#include "platform/error.h"
#include "server/core/labels.h"
#include "server/core/lance.h"
#include "server/dialogs/common/pickers.h"
#include "server/dialogs/layout/encadre.h"
#include "server/dialogs/layout/options.h"
#include "server/dialogs/models/cree_points.h"
#include "server/dialogs/models/dess_point.h"
#include "server/dialogs/models/import_fic.h"
#include "server/dialogs/layout/chevauche.h"
#include "server/dialogs/layout/repos.h"
#include "server/dialogs/layout/rotation.h"
#include "server/dialogs/layout/taille_att.h"
#include "server/dialogs/points/change_alt.h"
#include "server/dialogs/points/filtre_ent.h"
#include "server/dialogs/points/liste_points.h"
#include "server/dialogs/points/gerer.h"
#include "server/dialogs/points/grp_select.h"
#include "server/dialogs/points/tableau.h"
#include "server/dialogs/points/sauve_pt.h"

namespace topaline {

void StartEntryAssistant(Session& session) {
  std::wstring parameters;
  try {
    parameters = session.exchange.get(Slot::alldata).textAt(0);
  } catch (const Error& e) {
    throw Error(L"Command 18 reads the CAD window's handle from element 0 of alldata. " + e.message());
  }
  session.platform.shell.execute(session.config.InstallPath + L"\\quenta.exe", parameters);
}

void AskYesNo(Session& session) {
  // Owned by the window lance is modal over: no dialog is open.
  const auto answer = session.platform.system.messageBox(LabelText(session, 740), L"Message Topaline",
                                                         SystemUi::Buttons::YesNo, SystemUi::Icon::Warning);
  if (answer == SystemUi::Answer::Yes) session.exchange.resultat = 1;
}

CommandTable MakeCommandTable() {
  CommandTable t;
  t.Register(0, ManageGroups);
  t.Register(1, ListPoints);
  t.Register(2, EditPoints);
  // The pickers come first: the layer list builds the layers as it is
  // created, and the command's dialog uses both.
  t.Register(3, [](Session& s) {
    Pickers pickers(s, Pickers::With::Layers);
    CoordinatesTable(s, pickers.layers.get());
  });
  t.Register(4, [](Session& s) {
    Pickers pickers(s, Pickers::With::LayersAndColours);
    AttributeFrames(s, pickers.layers.get(), pickers.colours.get());
  });
  t.Register(5, [](Session& s) {
    Pickers pickers(s, Pickers::With::Layers);
    TfrmChevauche(s, [&pickers] { return pickers.layers->ChooseLayer(); }).Run();
  });
  t.Register(6, AttributeSize);
  t.Register(7, AttributeRotation);
  t.Register(8, FilterEntities);
  t.Register(9, SavePoints);
  t.Register(10, RepositionObjects);
  t.Register(11, ImportPointsFile);
  t.Register(12, DrawPoints);
  t.Register(13, CreatePointsOnEntities);
  t.Register(14, SelectGroups);
  t.Register(15, ChangeAltitude);
  t.Register(16, ProgramOptions);
  t.Register(18, StartEntryAssistant);
  t.Register(19, AskYesNo);
  return t;
}

const CommandTable& StandardCommands() {
  static const CommandTable table = MakeCommandTable();
  return table;
}

}  // namespace topaline
