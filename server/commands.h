// The command table of lance: number -> entry routine.
#pragma once

#include "server/core/lance.h"

namespace topaline {

// The table every lance call uses (built once, on first use).
const CommandTable& StandardCommands();
// A fresh copy, for tests that replace entries.
CommandTable MakeCommandTable();

// Command 18: start quenta.exe from InstallPath with element 0 of alldata.
void StartEntryAssistant(Session& session);
// Command 19: the yes/no question of label 740; Yes sets resultat to 1.
void AskYesNo(Session& session);

}  // namespace topaline
