// The fixture of dialog tests: the headless platform services and a
// scripted user as the platform's form runner.
//
//   class FiltreTest : public topaline::ui::DialogTest {};
//   TEST_F(FiltreTest, ...) {
//     user.On(L"frmFiltreEnt", [](ui::Form& f) { ... });
//     registry().setString(L"Software\\Norvel\\topaline3\\filtre", L"point", L"0");
//     ... run the dialog with platform() ...
//   }
//
// Every failure of the scripted user (a form without script, a form left
// open) fails the test as it happens; scripts queued but never used fail
// it at the end.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/headless/headless_platform.h"
#include "ui/headless/scripted_user.h"

namespace topaline::ui {

// UTF-8 for test messages.
inline std::string ToUtf8(const std::wstring& w) {
  std::string s;
  for (wchar_t wc : w) {
    auto c = static_cast<std::uint32_t>(wc);
    if (c < 0x80) {
      s.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      s.push_back(static_cast<char>(0xC0 | (c >> 6)));
      s.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      if (c > 0xFFFF) c = 0xFFFD;
      s.push_back(static_cast<char>(0xE0 | (c >> 12)));
      s.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      s.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return s;
}

class DialogTest : public ::testing::Test {
protected:
  DialogTest() {
    UseFormRunner(headless.platform, &user);
    user.OnFailure = [](const std::wstring& m) { ADD_FAILURE() << ToUtf8(m); };
  }

  void TearDown() override {
    for (const std::wstring& name : user.Unconsumed())
      ADD_FAILURE() << "A script for form \"" << ToUtf8(name) << "\" was never used";
  }

  Platform& platform() { return headless.platform; }
  HeadlessRegistry& registry() { return headless.registry; }
  HeadlessShell& shell() { return headless.shell; }
  HeadlessSystemUi& system() { return headless.system; }
  HeadlessFileSystem& files() { return headless.files; }

  HeadlessPlatform headless;
  ScriptedUser user;
};

}  // namespace topaline::ui
