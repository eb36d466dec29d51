// A session over the headless platform and a scripted user, for the tests
// of the parts of the core and the dialogs that show forms.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/headless/headless_platform.h"
#include "server/core/exchange.h"
#include "server/core/session.h"
#include "server/dialogs/common/settings.h"
#include "ui/controls.h"
#include "ui/headless/scripted_user.h"

namespace topaline::testing {

// The labels every test session knows, so that a message is recognised
// by its text.
inline const wchar_t kTestLabels[] =
    L"708,\"Nothing chosen\"\n"
    L"710,\"Empty field\"\n"
    L"731,\"Layer <\"\n"
    L"732,\"> is frozen or off\"\n"
    L"733,\"Not a number\"\n"
    L"996,\"Keep away\"\n";

class FormsTest : public ::testing::Test {
protected:
  FormsTest() : session(host.platform, exchange) {
    UseFormRunner(host.platform, &user);
    user.OnFailure = [](const std::wstring& m) { ADD_FAILURE() << std::string(m.begin(), m.end()); };
    session.config = TProgConfig{L"C:\\Prog\\topaline3", L"topaline3", L"fr"};
    session.HelpFile = L"C:\\Prog\\topaline3\\topaline3.chm";
    session.Labels.InitFromText(kTestLabels, L"test labels");
    // A drawing without layers, as a host sends it: the commands that
    // create the layer list find an array.
    exchange.value(Slot::AXCalques) = Variant::array({});
  }
  void TearDown() override {
    for (const auto& name : user.Unconsumed())
      ADD_FAILURE() << "script never run for " << std::string(name.begin(), name.end());
  }

  // The text of a string value of a section, or "<missing>".
  std::wstring Stored(const std::wstring& section, const std::wstring& name) const {
    const auto* v = host.registry.value(SectionPath(section), name);
    return v ? v->text : L"<missing>";
  }
  void Store(const std::wstring& section, const std::wstring& name, const std::wstring& text) {
    host.registry.setString(SectionPath(section), name, text);
  }

  // Answers the next message box with the given button (1 to 3) and
  // records its text.
  void AnswerMessage(int button, std::wstring* text = nullptr) {
    user.On(L"frmErrMsg", [button, text](ui::Form& f) {
      if (text) *text = f.Get<ui::Label>(L"LabMsg").Caption();
      f.Get<ui::Button>(L"Button" + std::to_wstring(button)).UserClick();
    });
  }

  HeadlessPlatform host;
  VariantExchange exchange;
  ui::ScriptedUser user;
  Session session;
};

inline std::string Narrow(const std::wstring& s) {
  std::string out;
  for (wchar_t c : s) out += c < 128 ? static_cast<char>(c) : '?';
  return out;
}

}  // namespace topaline::testing
