#include <gtest/gtest.h>

#include "entry/assistant.h"
#include "entry/tests/fakes.h"

namespace topaline {
namespace {

using test::kOther;
using test::kTarget;
using test::kTool;

class AssistantTest : public ::testing::Test {
protected:
  AssistantTest() : assistant(desktop, key, kTarget, settings()) {
    view.incrementChanged = [this] { assistant.incrementChanged(); };
    assistant.attach(view);
  }

  // The user types text into Edit1 (and releases the last key).
  void typeIncrement(const std::wstring& text) {
    view.increment = text;
    assistant.incrementChanged();
    assistant.incrementKeyReleased();
  }

  static EntrySettings settings() {
    EntrySettings s;
    s.increment = L"3";
    return s;
  }

  // Sends a number typed into edNum.
  bool send(const std::wstring& text) {
    view.number = text;
    return assistant.valide();
  }

  test::FakeDesktop desktop;
  test::FakeKey key;
  test::FakeView view;
  EntryAssistant assistant;
};

TEST_F(AssistantTest, AttachShowsTheStoredIncrement) { EXPECT_EQ(view.increment, L"3"); }

TEST_F(AssistantTest, ValidatingTwelveTypesItAndRemembersIt) {
  desktop.front = kTool;
  EXPECT_TRUE(send(L"12"));
  EXPECT_EQ(view.number, L"");
  EXPECT_EQ(view.list, (std::vector<std::wstring>{L"12"}));
  EXPECT_EQ(desktop.events.front(), "front 100");  // the target first
  EXPECT_EQ(desktop.typedIntoTarget, L"(tpx:point \"12\") ");

  // A second time: typed again, listed once.
  EXPECT_TRUE(send(L"12"));
  EXPECT_EQ(desktop.typedIntoTarget, L"(tpx:point \"12\") (tpx:point \"12\") ");
  EXPECT_EQ(view.list, (std::vector<std::wstring>{L"12"}));
  EXPECT_EQ(desktop.beeps, 0);
}

TEST_F(AssistantTest, BlanksAroundTheNumberAreDropped) {
  EXPECT_TRUE(send(L"  7 "));
  EXPECT_EQ(desktop.typedIntoTarget, L"(tpx:point \"7\") ");
  EXPECT_EQ(view.list, (std::vector<std::wstring>{L"7"}));
}

TEST_F(AssistantTest, InvalidNumbersBeepAndStay) {
  for (const wchar_t* text : {L"-3", L"3-", L",5", L"5,", L"1 2", L"a1"}) {
    desktop.beeps = 0;
    EXPECT_FALSE(send(text));
    EXPECT_EQ(desktop.beeps, 1) << text;
    EXPECT_EQ(view.number, text);
  }
  EXPECT_EQ(desktop.typedIntoTarget, L"");
  EXPECT_TRUE(view.list.empty());

  EXPECT_TRUE(send(L"3-5"));
  EXPECT_TRUE(send(L"3,5"));
  EXPECT_EQ(view.list, (std::vector<std::wstring>{L"3-5", L"3,5"}));
}

TEST_F(AssistantTest, EmptyTextDoesNothing) {
  EXPECT_FALSE(send(L"   "));
  EXPECT_TRUE(desktop.events.empty());
}

TEST_F(AssistantTest, NumberGoesBackWhenTypingIsInterrupted) {
  desktop.onEvent = [](test::FakeDesktop& d) {
    if (d.typedIntoTarget == L"(tp") d.front = kOther;  // the user clicks another program
  };
  EXPECT_FALSE(send(L"44"));
  EXPECT_EQ(desktop.typedIntoTarget, L"(tp");
  EXPECT_EQ(desktop.typedElsewhere, L"");
  EXPECT_EQ(desktop.beeps, 1);
  EXPECT_EQ(view.number, L"44");
  EXPECT_TRUE(view.list.empty());
}

TEST_F(AssistantTest, DigitButtonsBuildTheNumberAndOtherButtonsSendIt) {
  for (wchar_t c : std::wstring(L"12,5")) assistant.digitReleased(c, MouseButton::Left);
  EXPECT_EQ(view.number, L"12,5");
  EXPECT_TRUE(desktop.events.empty());
  assistant.digitReleased(L'9', MouseButton::Right);
  EXPECT_EQ(desktop.typedIntoTarget, L"(tpx:point \"12,5\") ");
  EXPECT_EQ(view.number, L"");
  assistant.digitReleased(L'4', MouseButton::Left);
  assistant.digitReleased(L'4', MouseButton::Middle);
  EXPECT_EQ(view.list, (std::vector<std::wstring>{L"12,5", L"4"}));
}

TEST_F(AssistantTest, IncrementField) {
  const struct {
    const wchar_t* typed;
    const wchar_t* shown;
    const wchar_t* stored;  // nullptr: unchanged
    int keyBeeps;
    int exitBeeps;
  } cases[] = {
      {L"5", L"5", L"5", 0, 0},        {L"0", L"1", nullptr, 0, 1},   {L"ab", L"1", nullptr, 1, 1},
      {L"-2", L"-2", L"-2", 1, 0},     {L"+4", L"+4", L"+4", 1, 0},   {L" 8 ", L"8", L"8", 0, 0},
      {L"", L"", nullptr, 0, 0},
  };
  for (const auto& c : cases) {
    key.values[L"increment"] = std::wstring(L"old");
    desktop.beeps = 0;
    typeIncrement(c.typed);
    EXPECT_EQ(desktop.beeps, c.keyBeeps) << c.typed;
    desktop.beeps = 0;
    assistant.incrementLeft();
    EXPECT_EQ(desktop.beeps, c.exitBeeps) << c.typed;
    EXPECT_EQ(view.increment, c.shown) << c.typed;
    EXPECT_EQ(std::get<std::wstring>(key.values[L"increment"]), c.stored ? c.stored : L"old") << c.typed;
  }
}

// Only what the user typed is stored: the stored value shown at start-up,
// the "1" put back after a refused increment and the trimmed text are the
// program's own, and leaving them again (the window losing and regaining
// the keyboard, say) stores and beeps nothing.
TEST_F(AssistantTest, IncrementLeftWithTheProgramsOwnTextStoresNothing) {
  key.values[L"increment"] = std::wstring(L"5");
  assistant.incrementLeft();  // the stored value, as shown at start-up
  EXPECT_EQ(key.writes, 0);

  typeIncrement(L"0");
  assistant.incrementLeft();
  EXPECT_EQ(view.increment, L"1");
  EXPECT_EQ(desktop.beeps, 1);
  for (int i = 0; i < 3; ++i) assistant.incrementLeft();
  EXPECT_EQ(desktop.beeps, 1);
  EXPECT_EQ(key.writes, 0);
  EXPECT_EQ(std::get<std::wstring>(key.values[L"increment"]), L"5");

  // The user retypes the very "1" the program put there: now it is theirs.
  typeIncrement(L"1");
  assistant.incrementLeft();
  EXPECT_EQ(std::get<std::wstring>(key.values[L"increment"]), L"1");
  EXPECT_EQ(key.writes, 1);
  assistant.incrementLeft();
  EXPECT_EQ(key.writes, 1);
}

// Sending a number leaves the increment field: a typed increment is
// stored (or refused) before the number goes out.
TEST_F(AssistantTest, SendingLeavesTheIncrementField) {
  typeIncrement(L" 7 ");
  EXPECT_TRUE(send(L"12"));
  EXPECT_EQ(std::get<std::wstring>(key.values[L"increment"]), L"7");
  EXPECT_EQ(view.increment, L"7");
  EXPECT_EQ(desktop.typedIntoTarget, L"(tpx:point \"12\") ");
  EXPECT_TRUE(send(L"13"));
  EXPECT_EQ(key.writes, 1);
}

TEST_F(AssistantTest, TimerTicks) {
  const ScreenPoint inside{600, 200}, outside{10, 10}, onEdge{862, 270};
  const struct {
    const char* name;
    bool dropped;
    WindowHandle front;
    bool visible;
    ScreenPoint cursor;
    bool visibleAfter;
    WindowHandle frontAfter;
  } cases[] = {
      {"pointer over the tool", false, kTarget, true, inside, true, kTool},
      {"pointer on the tool's edge", false, kTarget, true, onEdge, true, kTool},
      {"pointer away", false, kTool, true, outside, true, kTarget},
      {"target in front, pointer away", false, kTarget, true, outside, true, kTarget},
      {"shown again", false, kTarget, false, outside, true, kTarget},
      {"another program in front", false, kOther, true, inside, false, kOther},
      {"list dropped down", true, kOther, true, inside, true, kOther},
  };
  for (const auto& c : cases) {
    view.dropped = c.dropped;
    view.visible = c.visible;
    desktop.front = c.front;
    desktop.cursor = c.cursor;
    desktop.events.clear();
    EXPECT_EQ(assistant.timerTick(), EntryAssistant::Tick::Continue) << c.name;
    EXPECT_EQ(view.visible, c.visibleAfter) << c.name;
    EXPECT_EQ(desktop.front, c.frontAfter) << c.name;
    if (c.front == c.frontAfter) {
      EXPECT_TRUE(desktop.events.empty()) << c.name;
    }
  }
}

TEST_F(AssistantTest, TargetGoneEndsEvenWhenPaused) {
  view.dropped = true;
  desktop.targetExists = false;
  EXPECT_EQ(assistant.timerTick(), EntryAssistant::Tick::TargetGone);
  EXPECT_EQ(key.writes, 0);  // the position is not stored
}

TEST_F(AssistantTest, ClosingStoresThePosition) {
  assistant.userClosed(640, 120);
  EXPECT_EQ(std::get<std::uint32_t>(key.values[L"xpos"]), 640u);
  EXPECT_EQ(std::get<std::uint32_t>(key.values[L"ypos"]), 120u);
}

TEST_F(AssistantTest, DelayDialog) {
  EXPECT_EQ(assistant.delayDialogPosition(), 10u);  // nothing stored yet
  assistant.confirmDelay(0);
  EXPECT_EQ(std::get<std::uint32_t>(key.values[L"tempo"]), 0u);
  EXPECT_EQ(std::get<std::uint32_t>(key.values[L"tempook"]), 1u);
  EXPECT_EQ(assistant.delayDialogPosition(), 0u);
  send(L"1");
  EXPECT_EQ(desktop.slept, 0u);  // no wait at all

  assistant.confirmDelay(40);
  desktop.slept = 0;
  send(L"1");
  EXPECT_EQ(desktop.slept, 40u * 16);  // 16 key presses for a one-digit number
  EXPECT_EQ(assistant.delayDialogPosition(), 40u);
}

}  // namespace
}  // namespace topaline
