// Everything one call of lance works with: the platform, the server-wide
// exchange values, and what the call rebuilds afresh
// (configuration, help file path, labels, the layer set).
#pragma once

#include <string>

#include "platform/platform.h"
#include "server/core/exchange.h"
#include "server/core/exchange_model.h"
#include "server/core/labels.h"

namespace topaline {

// The product key under HKEY_CURRENT_USER.
inline const wchar_t kProductKey[] = L"Software\\Norvel\\topaline3";

struct TProgConfig {
  std::wstring InstallPath;
  std::wstring AppName;
  std::wstring langue;
};

struct Session {
  Session(Platform& p, ExchangeValues& x) : platform(p), exchange(x) {}

  Platform& platform;
  ExchangeValues& exchange;
  TProgConfig config;
  std::wstring HelpFile;
  TDesLabels Labels;
  TDesCalques Layers;  // built by the layer list when a command creates it
};

}  // namespace topaline
