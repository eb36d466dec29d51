#include <gtest/gtest.h>

#include "entry/tests/fakes.h"
#include "entry/typing.h"

namespace topaline {
namespace {

using test::FakeDesktop;
using test::kOther;
using test::kTarget;
using Events = std::vector<std::string>;

TEST(PointCommand, WrapsTheNumber) { EXPECT_EQ(PointCommand(L"12"), L"(tpx:point \"12\") "); }

TEST(TypeText, WaitsBeforeEveryPressButNotAroundShift) {
  FakeDesktop d;
  EXPECT_EQ(TypeText(d, kTarget, L"(1", 10), TypingResult::Complete);
  EXPECT_EQ(d.events, (Events{"down 10", "wait 10", "down 39", "up 39", "up 10",  // "(" is Shift+9
                              "wait 10", "down 31", "up 31"}));
  EXPECT_EQ(d.typedIntoTarget, L"(1");
}

TEST(TypeText, SpellsThePointCommand) {
  FakeDesktop d;
  EXPECT_EQ(TypeText(d, kTarget, PointCommand(L"12"), 10), TypingResult::Complete);
  EXPECT_EQ(d.typedIntoTarget, L"(tpx:point \"12\") ");
  EXPECT_EQ(d.keyPresses(), 17);
  EXPECT_EQ(d.slept, 170u);
  EXPECT_EQ(d.beeps, 0);
}

TEST(TypeText, ZeroDelayAndNewDelays) {
  FakeDesktop d;
  TypeText(d, kTarget, L"12", 0);
  EXPECT_EQ(d.slept, 0u);
  TypeText(d, kTarget, L"3", 100);
  EXPECT_EQ(d.slept, 100u);
}

TEST(TypeText, CapsLockSwitchedOffFirstAndRestoredAfter) {
  FakeDesktop d;
  d.capsLock = true;
  EXPECT_EQ(TypeText(d, kTarget, L"tp1", 5), TypingResult::Complete);
  EXPECT_EQ(d.typedIntoTarget, L"tp1");  // lower case despite Caps Lock
  EXPECT_TRUE(d.capsLock);
  ASSERT_GE(d.events.size(), 6u);
  EXPECT_EQ(Events(d.events.begin(), d.events.begin() + 3), (Events{"wait 5", "down 14", "up 14"}));
  EXPECT_EQ(Events(d.events.end() - 3, d.events.end()), (Events{"wait 5", "down 14", "up 14"}));

  // The first letter waits until the key state shows Caps Lock off, and a
  // little longer; a state that never changes does not hold it for ever.
  for (const int late : {2, 1000}) {
    FakeDesktop slow;
    slow.capsLock = true;
    slow.onEvent = [&](FakeDesktop& self) {
      if (self.events.back() == "down 14" && self.capsLock) self.capsLockReportedLate = late;
    };
    EXPECT_EQ(TypeText(slow, kTarget, L"t", 5), TypingResult::Complete);
    const Events polls(late == 2 ? 2 : 50, "wait 10");
    Events expected{"wait 5", "down 14", "up 14"};
    expected.insert(expected.end(), polls.begin(), polls.end());
    expected.insert(expected.end(), {"wait 50", "wait 5", "down 54"});
    ASSERT_GE(slow.events.size(), expected.size());
    EXPECT_EQ(Events(slow.events.begin(), slow.events.begin() + expected.size()), expected) << late;
  }
}

TEST(TypeText, ShiftHeldAroundDigitsWhereTheLayoutNeedsIt) {
  FakeDesktop d;
  d.layout = test::ShiftedDigitsLayout();
  EXPECT_EQ(TypeText(d, kTarget, PointCommand(L"12"), 1), TypingResult::Complete);
  EXPECT_EQ(d.typedIntoTarget, L"(tpx:point \"12\") ");
  const Events digitOne{"down 10", "wait 1", "down 31", "up 31", "up 10"};
  EXPECT_NE(std::search(d.events.begin(), d.events.end(), digitOne.begin(), digitOne.end()), d.events.end());
}

TEST(TypeText, CharactersTheLayoutCannotProduceAreSkipped) {
  FakeDesktop d;
  EXPECT_EQ(TypeText(d, kTarget, L"1€2", 0), TypingResult::Complete);
  EXPECT_EQ(d.typedIntoTarget, L"12");
  // An answer with only its shift half missing is skipped too.
  FakeDesktop half;
  half.layout = [](wchar_t c) -> std::int16_t { return c == L'x' ? std::int16_t(0xFF41) : test::UsLayout()(c); };
  TypeText(half, kTarget, L"x1", 0);
  EXPECT_EQ(half.typedIntoTarget, L"1");
}

TEST(TypeText, StopsWhenAnotherWindowComesToTheFront) {
  FakeDesktop d;
  d.capsLock = true;
  int waits = 0;  // the 7th wait is the one before ":"
  d.onEvent = [&](FakeDesktop& self) {
    if (!self.events.empty() && self.events.back().rfind("wait", 0) == 0 && ++waits == 7) self.front = kOther;
  };
  EXPECT_EQ(TypeText(d, kTarget, PointCommand(L"12"), 10), TypingResult::Interrupted);
  EXPECT_EQ(d.typedElsewhere, L"");
  EXPECT_EQ(d.typedIntoTarget, L"(tpx");
  EXPECT_TRUE(d.capsLock);               // restored
  EXPECT_EQ(d.events.back(), "up 14");
  // Shift is never left down.
  int shift = 0;
  for (const auto& e : d.events) shift += e == "down 10" ? 1 : e == "up 10" ? -1 : 0;
  EXPECT_EQ(shift, 0);
}

TEST(TypeText, NothingPressedWhenTheTargetIsNotInFront) {
  FakeDesktop d;
  d.front = kOther;
  EXPECT_EQ(TypeText(d, kTarget, L"(12", 10), TypingResult::Interrupted);
  EXPECT_EQ(d.keyPresses(), 0);
  for (const auto& e : d.events) EXPECT_EQ(e.rfind("down", 0), std::string::npos) << e;
}

TEST(WaitForForeground, PollsUntilTheWindowIsInFrontOrTheTimeoutPasses) {
  FakeDesktop d;
  d.front = 0;  // activation still under way
  int polls = 0;
  d.onEvent = [&](FakeDesktop& self) {
    if (++polls == 3) self.front = kTarget;
  };
  EXPECT_TRUE(WaitForForeground(d, kTarget, 1000));
  EXPECT_EQ(d.slept, 30u);

  FakeDesktop never;
  never.front = kOther;
  EXPECT_FALSE(WaitForForeground(never, kTarget, 100));
  EXPECT_EQ(never.slept, 100u);
}

}  // namespace
}  // namespace topaline
