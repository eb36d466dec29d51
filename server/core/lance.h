// The command dispatcher behind the automation object's lance.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "server/core/session.h"

namespace topaline {

// A command's entry: creates its dialogs, runs the main one, frees them.
using CommandEntry = std::function<void(Session&)>;

// Command number -> entry.
class CommandTable {
public:
  void Register(std::int32_t number, CommandEntry entry);
  // nullptr for a number the table does not have.
  const CommandEntry* Find(std::int32_t number) const;
  bool Has(std::int32_t number) const { return Find(number) != nullptr; }

private:
  std::map<std::int32_t, CommandEntry> entries_;
};

// The entry of a command whose dialog this build does not carry: fails
// with "Command 3 (coordinates table) is not available in this build of
// the server."
CommandEntry CommandNotAvailable(std::int32_t number, const std::wstring& what);

// The whole of one lance call, errors excepted: they propagate as Error
// (or any exception from a dialog) and the COM boundary turns them into
// E_UNEXPECTED with the message.
//   1. (the caller's) every dialog of the call is modal over the window
//      active as the call began: the platform's form runner is built over
//      it, and the system's own boxes are owned by the top of that
//      runner's modal stack (SystemUi::Owner), that window when no
//      dialog is open
//   3. resultat := 0
//   4. configuration from the product key (created when missing)
//   5. HelpFile    6. Labels from InstallPath\language.lng
//   7. nomprog as a decimal integer; a number not in the table does nothing
void Lance(Session& session, const std::wstring& nomprog, const CommandTable& commands);

// Step 4 alone: "installpath", "appname", "langue" of the product key; a
// missing value reads as "", a value that is not a string raises Error.
TProgConfig ReadProgConfig(Registry& registry);

// The command number in nomprog (decimal integer text, blanks around it
// allowed); Error with a clear message otherwise.
std::int32_t ParseCommandNumber(const std::wstring& nomprog);

}  // namespace topaline
