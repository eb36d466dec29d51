// What a session of the targets that open forms runs on: the headless
// platform, the exchange values and a scripted user who answers the forms
// (a form without a script is closed with Cancel).
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/headless/headless_platform.h"
#include "server/core/exchange.h"
#include "ui/headless/scripted_user.h"

namespace topaline::fuzz {

struct FormsHost {
  FormsHost() { UseFormRunner(host.platform, &user); }
  HeadlessPlatform host;
  VariantExchange exchange;
  ui::ScriptedUser user;
};

// The bytes of a file of the sources (a labels file), read once at start.
inline std::vector<std::uint8_t> SourceFileBytes(const char* path) {
  std::ifstream f(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

}  // namespace topaline::fuzz
