#include "server/core/lance.h"

#include <gtest/gtest.h>

#include "platform/headless/headless_platform.h"
#include "server/commands.h"

namespace topaline {
namespace {

const wchar_t kKey[] = L"Software\\Norvel\\topaline3";

struct LanceFixture : ::testing::Test {
  HeadlessPlatform hp;
  VariantExchange x;
  Session session{hp.platform, x};

  void SetUp() override {
    hp.registry.setString(kKey, L"installpath", L"C:\\Topaline");
    hp.registry.setString(kKey, L"appname", L"topaline3");
    hp.registry.setString(kKey, L"langue", L"en");
    hp.files.addFile(L"C:\\Topaline\\language.lng",
                     std::string("\xEF\xBB\xBF" "740,\"Erase the points?\"\r\n710,\"Empty\"\r\n"));
    hp.system.active = 0x1234;
  }

  std::wstring Fails(const std::wstring& nomprog, const CommandTable& t = StandardCommands()) {
    try {
      Lance(session, nomprog, t);
    } catch (const Error& e) {
      return e.message();
    }
    return L"(no error)";
  }
};

TEST_F(LanceFixture, ReadsConfigurationHelpFileAndLabels) {
  CommandTable t;
  Session* seen = nullptr;
  t.Register(7, [&](Session& s) { seen = &s; });
  x.resultat = 5;
  Lance(session, L"7", t);
  EXPECT_EQ(seen, &session);
  EXPECT_EQ(x.resultat, 0);
  EXPECT_EQ(session.config.InstallPath, L"C:\\Topaline");
  EXPECT_EQ(session.config.langue, L"en");
  EXPECT_EQ(session.HelpFile, L"C:\\Topaline\\topaline3.chm");
  EXPECT_EQ(LabelText(session, 710), L"Empty");
  EXPECT_TRUE(hp.system.boxes.empty());

  // Every call reloads: a changed file takes effect at the next call.
  hp.files.addFile(L"C:\\Topaline\\language.lng", std::string("710,\"Vide\"\n"));
  Lance(session, L"7", t);
  EXPECT_EQ(LabelText(session, 710), L"Vide");
  EXPECT_EQ(session.Labels.Find(740), nullptr);
}

TEST_F(LanceFixture, AnInstallFolderWrittenWithItsSeparatorNamesTheSameFolder) {
  const struct {
    const wchar_t* stored;
    const wchar_t* folder;
  } cases[] = {
      {L"C:\\Topaline\\", L"C:\\Topaline"},
      {L"C:\\Topaline\\\\", L"C:\\Topaline"},
      {L"C:\\Topaline/", L"C:\\Topaline"},
      {L"C:\\", L"C:\\"},  // a drive's root keeps its separator
      {L"\\", L"\\"},
  };
  for (const auto& c : cases) {
    hp.registry.setString(kKey, L"installpath", c.stored);
    EXPECT_EQ(ReadProgConfig(hp.registry).InstallPath, c.folder) << std::wstring(c.stored).size();
  }
  hp.registry.setString(kKey, L"installpath", L"C:\\Topaline\\");
  Lance(session, L"25", StandardCommands());
  EXPECT_EQ(session.HelpFile, L"C:\\Topaline\\topaline3.chm");
}

TEST_F(LanceFixture, MissingValuesReadEmptyAndTheKeyIsCreated) {
  HeadlessPlatform fresh;
  Session s{fresh.platform, x};
  fresh.files.addFile(L"\\language.lng", std::string("1,a\n"));
  Lance(s, L"25", StandardCommands());
  EXPECT_TRUE(fresh.registry.keyExists(kKey));
  EXPECT_EQ(s.config.InstallPath, L"");
  EXPECT_EQ(s.HelpFile, L"\\.chm");
}

TEST_F(LanceFixture, EmptyInstallPathFailsOnTheLabelsFile) {
  hp.registry.setString(kKey, L"installpath", L"");
  x.resultat = 1;
  EXPECT_EQ(Fails(L"19").rfind(L"The labels file \"\\language.lng\" could not be read.", 0), 0u);
  EXPECT_EQ(x.resultat, 0);
  EXPECT_TRUE(hp.system.boxes.empty());
}

TEST_F(LanceFixture, AConfigurationValueOfAnotherTypeFails) {
  hp.registry.setDword(kKey, L"LANGUE", 1);  // value names fold
  EXPECT_EQ(Fails(L"19"),
            L"The configuration value \"langue\" of HKEY_CURRENT_USER\\Software\\Norvel\\topaline3 is not a string value.");
  hp.registry.setOther(kKey, L"langue");
  EXPECT_NE(Fails(L"19"), L"(no error)");
  EXPECT_TRUE(hp.system.boxes.empty());
}

TEST_F(LanceFixture, CommandNumbers) {
  for (const wchar_t* s : {L"25", L"-1", L"17", L"20", L" 25 ", L"2147483647"}) {
    x.resultat = 3;
    EXPECT_EQ(Fails(s), L"(no error)") << s;
    EXPECT_EQ(x.resultat, 0) << s;
  }
  for (const wchar_t* s : {L"x", L"", L"1.5", L"19x", L"0x13", L"99999999999"})
    EXPECT_EQ(Fails(s), L"Could not convert \"" + std::wstring(s) +
                            L"\" to a command number: a whole number such as \"12\" is expected.");
  EXPECT_TRUE(hp.system.boxes.empty());
  EXPECT_TRUE(hp.shell.launches.empty());
}

TEST_F(LanceFixture, TheTableHasEveryCommandAndNothingElse) {
  const CommandTable& t = StandardCommands();
  for (int n = 0; n <= 16; ++n) EXPECT_TRUE(t.Has(n)) << n;
  EXPECT_TRUE(t.Has(18));
  EXPECT_TRUE(t.Has(19));
  for (int n : {-1, 17, 20, 25}) EXPECT_FALSE(t.Has(n)) << n;
}

TEST_F(LanceFixture, ACommandWithoutItsDialogFailsClearly) {
  CommandTable t;
  t.Register(3, CommandNotAvailable(3, L"coordinates table"));
  EXPECT_EQ(Fails(L"3", t), L"Command 3 (coordinates table) is not available in this build of the server.");
  EXPECT_EQ(x.resultat, 0);
}

TEST_F(LanceFixture, Command18StartsQuentaWithElement0) {
  x.value(Slot::alldata) = Variant::array({Variant::string(L"12")});
  Lance(session, L"18", StandardCommands());
  ASSERT_EQ(hp.shell.launches.size(), 1u);
  EXPECT_EQ(hp.shell.launches[0].program, L"C:\\Topaline\\quenta.exe");
  EXPECT_EQ(hp.shell.launches[0].parameters, L"12");
  EXPECT_EQ(x.resultat, 0);

  x.value(Slot::alldata) = Variant::array({Variant::i4(655360), Variant::string(L"more")});
  Lance(session, L"18", StandardCommands());
  EXPECT_EQ(hp.shell.launches[1].parameters, L"655360");
}

TEST_F(LanceFixture, Command18FailsWhenTheShellRefusesTheStart) {
  x.value(Slot::alldata) = Variant::array({Variant::string(L"12")});
  hp.shell.starts.FailAfter(0, L"The system cannot find the file specified.");
  EXPECT_EQ(Fails(L"18"), L"Could not start C:\\Topaline\\quenta.exe: The system cannot find the file specified.");
  EXPECT_EQ(x.resultat, 0);
  EXPECT_TRUE(hp.shell.launches.empty());
}

TEST_F(LanceFixture, Command18NeedsAnArrayWithElement0) {
  EXPECT_EQ(Fails(L"18"), L"Command 18 reads the CAD window's handle from element 0 of alldata. "
                          L"The property alldata does not hold an array (invalid argument).");
  x.value(Slot::alldata) = Variant::array(std::vector<Variant>{});
  EXPECT_EQ(Fails(L"18"), L"Command 18 reads the CAD window's handle from element 0 of alldata. "
                          L"The array alldata has no element at index 0 (bad index).");
  x.value(Slot::alldata) = Variant::string(L"12");
  EXPECT_NE(Fails(L"18"), L"(no error)");
  EXPECT_TRUE(hp.shell.launches.empty());
}

TEST_F(LanceFixture, Command19AsksAndReportsTheAnswer) {
  hp.system.answers = {SystemUi::Answer::Yes, SystemUi::Answer::No};
  Lance(session, L"19", StandardCommands());
  EXPECT_EQ(x.resultat, 1);
  ASSERT_EQ(hp.system.boxes.size(), 1u);
  const auto& box = hp.system.boxes[0];
  EXPECT_EQ(box.text, L"Erase the points?");
  EXPECT_EQ(box.caption, L"Message Topaline");
  EXPECT_EQ(box.buttons, SystemUi::Buttons::YesNo);
  EXPECT_EQ(box.icon, SystemUi::Icon::Warning);
  EXPECT_EQ(box.owner, 0x1234u);
  Lance(session, L"19", StandardCommands());  // reset to 0, then No
  EXPECT_EQ(x.resultat, 0);
}

TEST_F(LanceFixture, Command19WithoutItsLabelStillAsks) {
  hp.files.addFile(L"C:\\Topaline\\language.lng", std::string("1,a\n"));
  hp.system.answers = {SystemUi::Answer::Ok, SystemUi::Answer::Yes};
  Lance(session, L"19", StandardCommands());
  ASSERT_EQ(hp.system.boxes.size(), 2u);
  EXPECT_EQ(hp.system.boxes[0].text, L"label non trouvé 740");
  EXPECT_EQ(hp.system.boxes[1].text, L"[740]");
  EXPECT_EQ(x.resultat, 1);
}

TEST(HeadlessRegistry, CaseInsensitiveSharedAndOrdered) {
  HeadlessRegistry r;
  EXPECT_EQ(r.open(L"Software\\A", false), nullptr);
  auto k1 = r.open(L"Software\\A\\b", true);
  EXPECT_TRUE(r.keyExists(L"SOFTWARE\\a"));
  k1->writeString(L"Zeta", L"1");
  k1->writeDword(L"alpha", 7);
  k1->writeBinary(L"Mid", {1, 2});
  k1->writeString(L"ZETA", L"2");  // same value, keeps its place
  auto k2 = r.open(L"software\\a\\B", false);
  ASSERT_NE(k2, nullptr);
  EXPECT_EQ(k2->valueNames(), (std::vector<std::wstring>{L"Zeta", L"alpha", L"Mid"}));
  EXPECT_EQ(k2->readString(L"zeta"), L"2");
  EXPECT_EQ(k2->readDword(L"ALPHA"), 7u);
  EXPECT_THROW(k2->readString(L"alpha"), Error);
  EXPECT_THROW(k2->readDword(L"missing"), Error);
  k2->deleteValue(L"MID");
  EXPECT_FALSE(k1->hasValue(L"mid"));
}

}  // namespace
}  // namespace topaline
