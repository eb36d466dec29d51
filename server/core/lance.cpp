#include "server/core/lance.h"

#include "platform/error.h"
#include "server/core/number_format.h"

namespace topaline {

void CommandTable::Register(std::int32_t number, CommandEntry entry) { entries_[number] = std::move(entry); }

const CommandEntry* CommandTable::Find(std::int32_t number) const {
  auto it = entries_.find(number);
  return it == entries_.end() ? nullptr : &it->second;
}

CommandEntry CommandNotAvailable(std::int32_t number, const std::wstring& what) {
  return [number, what](Session&) {
    throw Error(L"Command " + IntToText(number) + L" (" + what + L") is not available in this build of the server.");
  };
}

namespace {

std::wstring ReadConfigString(RegistryKey& key, const wchar_t* name) {
  switch (key.valueType(name)) {
    case RegType::Missing: return std::wstring();
    case RegType::String: return key.readString(name);
    default:
      throw Error(std::wstring(L"The configuration value \"") + name + L"\" of HKEY_CURRENT_USER\\" + kProductKey +
                  L" is not a string value.");
  }
}

}  // namespace

TProgConfig ReadProgConfig(Registry& registry) {
  auto key = registry.open(kProductKey, true);
  if (!key) throw Error(std::wstring(L"The key HKEY_CURRENT_USER\\") + kProductKey + L" could not be opened.");
  TProgConfig c;
  c.InstallPath = ReadConfigString(*key, L"installpath");
  // A folder written with its closing separator (as an installer writes
  // it) names the same folder: the paths built on it must not double it.
  while (c.InstallPath.size() > 1 && (c.InstallPath.back() == L'\\' || c.InstallPath.back() == L'/') &&
         c.InstallPath[c.InstallPath.size() - 2] != L':')
    c.InstallPath.pop_back();
  c.AppName = ReadConfigString(*key, L"appname");
  c.langue = ReadConfigString(*key, L"langue");
  return c;
}

std::int32_t ParseCommandNumber(const std::wstring& nomprog) {
  std::int32_t n = 0;
  if (ParseInt32(nomprog, n) != ParseResult::Ok)
    throw Error(L"Could not convert \"" + nomprog + L"\" to a command number: a whole number such as \"12\" is expected.");
  return n;
}

void Lance(Session& session, const std::wstring& nomprog, const CommandTable& commands) {
  Platform& p = session.platform;
  // 1. Every dialog of this call is modal over the caller's active window:
  //    the form runner was built over it (kovar3.cpp), and the system's
  //    own boxes are owned by the top of its modal stack.
  // 2. Numbers and text convert with "." everywhere in the server
  //    (number_format.h), whatever the user's regional settings: nothing to set.
  // 3.
  session.exchange.resultat = 0;
  // 4.
  session.config = ReadProgConfig(p.registry);
  // 5.
  session.HelpFile = session.config.InstallPath + L"\\" + session.config.AppName + L".chm";
  // 6. A fresh set replaces the previous call's labels.
  session.Labels = TDesLabels();
  session.Labels.Init(session.config.InstallPath + L"\\language.lng", p);
  // 7. A number the table does not have does nothing.
  const std::int32_t number = ParseCommandNumber(nomprog);
  if (const CommandEntry* entry = commands.Find(number)) (*entry)(session);
}

}  // namespace topaline
