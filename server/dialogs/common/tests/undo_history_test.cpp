#include <gtest/gtest.h>

#include <string>

#include "server/dialogs/common/undo_history.h"

using topaline::UndoHistory;

TEST(UndoHistory, UndoAndRedoWalkTheStepsAndANewStepForgetsTheUndoneOnes) {
  UndoHistory<std::string> h;
  EXPECT_EQ(h.Undo(), nullptr);
  EXPECT_EQ(h.Redo(), nullptr);
  h.Record("a");
  h.Record("b");
  h.Record("c");
  EXPECT_EQ(*h.Undo(), "c");
  EXPECT_EQ(*h.Undo(), "b");
  EXPECT_EQ(*h.Redo(), "b");
  EXPECT_EQ(h.UndoCount(), 2u);
  EXPECT_EQ(h.RedoCount(), 1u);
  h.Record("d");  // "c" cannot come back
  EXPECT_FALSE(h.CanRedo());
  EXPECT_EQ(*h.Undo(), "d");
  EXPECT_EQ(*h.Undo(), "b");
  EXPECT_EQ(*h.Undo(), "a");
  EXPECT_EQ(h.Undo(), nullptr);
  EXPECT_EQ(*h.Redo(), "a");
}
