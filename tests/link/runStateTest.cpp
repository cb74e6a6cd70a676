// Run state shared by the user's commands and the sender thread.
#include <gtest/gtest.h>

#include "terminal/link/runState.h"

namespace {

TEST(RunTicket, AUserCommandAfterTheTakeVoidsIt) {
  LinkOpen();
  gRunState = RUN_READY;
  gRunLine = 4;
  RunTicket t;
  ASSERT_TRUE(runTakeLine(&t));
  EXPECT_EQ(t.line, 4);
  EXPECT_EQ(gRunState, RUN_WAITING);
  EXPECT_FALSE(runTakeLine(&t));  // only from ready
  ASSERT_TRUE(runCommitLine(&t));
  EXPECT_EQ(gRunLine, 5);

  gRunState = RUN_READY;
  ASSERT_TRUE(runTakeLine(&t));
  LinkOpen();  // any user change starts a new turn
  EXPECT_FALSE(runCommitLine(&t));
  EXPECT_FALSE(runFinish(&t));
  EXPECT_EQ(gRunLine, 0);
  EXPECT_EQ(gRunState, RUN_IDLE);
  runAnswerReady();  // ready counts only while waiting
  EXPECT_EQ(gRunState, RUN_IDLE);
  LinkEnd();
  EXPECT_EQ(gRunActive, 0);
}

}  // namespace
