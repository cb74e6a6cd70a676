// The sender loop against a scripted controller: what reaches the port, in
// which order, and what the Run dialog and the editor are told.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "terminal/link/answers.h"
#include "terminal/link/lineFrame.h"
#include "terminal/link/runState.h"
#include "terminal/link/sender.h"
#include "tests/link/linkScript.h"

namespace {

using Texts = std::vector<std::string>;

class Sender : public ::testing::Test {
 protected:
  LinkScript s;
  const LinkIo* io = &s.io;

  void SetUp() override { LinkOpen(); }
  void TearDown() override { LinkEnd(); }

  void passes(int n) {
    for (int i = 0; i < n && SenderPass(io); ++i) {
    }
  }
  void passUntil(const std::function<bool()>& done) {
    for (int i = 0; i < 100000 && !done() && SenderPass(io); ++i) {
    }
    ASSERT_TRUE(done()) << "state " << gRunState << ", log:\n" << s.report.log;
  }
  void ready() { s.port.arriving.push_back("ready\r\n"); }
  // Run, one ready answer, and passes until the run completes or halts.
  void runProgram() {
    RunCommand(io);
    ready();
    int completes = s.report.completes;
    passUntil([&] { return s.report.completes > completes || gRunState == RUN_HALTED; });
  }
  void expectButtons(int run, int pause, int stop) {
    EXPECT_EQ(s.report.run, run);
    EXPECT_EQ(s.report.pause, pause);
    EXPECT_EQ(s.report.stop, stop);
  }
  // A controller that acknowledges every frame and leaves the ready answer
  // to the test.
  void acknowledgeOnly() {
    s.port.onFrame = [this](const std::string&) { s.port.arriving.push_back("k"); };
  }
};

TEST_F(Sender, NothingIsSentBeforeTheReadyAnswer) {
  s.editor.lines = {"g21"};
  goodController(&s);
  RunCommand(io);
  s.port.arriving.push_back("ok\r\n");
  passes(20);
  EXPECT_EQ(s.port.written, "");
  EXPECT_EQ(gRunState, RUN_WAITING);
  expectButtons(0, 1, 1);
  ready();
  passUntil([&] { return s.report.completes == 1; });
  EXPECT_EQ(s.port.written, lineFrame("g21"));
  EXPECT_EQ(s.report.log, ">> ok\r\n\n>> ready\r\n\n[1] g21\n>> ready\r\n\n");
}

TEST_F(Sender, StreamsEveryLineInOrderAndLogsComments) {
  s.editor.lines = {"m101 g21", ";bit change", "  ; remark", "", "   ", "g1x5y5", ""};
  goodController(&s);
  runProgram();
  EXPECT_EQ(sentTexts(s.port), (Texts{"m101 g21", "", "   ", "g1x5y5", ""}));
  EXPECT_EQ(s.port.written.substr(s.port.written.size() - 2), std::string("\x64\n"));
  // Comment lines need no ready answer: they follow one another at once.
  EXPECT_EQ(s.report.log,
            ">> ready\r\n\n[1] m101 g21\n>> ready\r\n\n[2] ;bit change\n[3]   ; remark\n[4] \n"
            ">> ready\r\n\n[5]    \n>> ready\r\n\n[6] g1x5y5\n>> ready\r\n\n[7] \n>> ready\r\n\n");
  EXPECT_EQ(s.editor.scrolls, (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(s.report.low, 1);
  EXPECT_EQ(s.report.high, 7);
  EXPECT_EQ(s.report.position, 7);
  EXPECT_EQ(s.report.completes, 1);
  EXPECT_EQ(gRunState, RUN_IDLE);
  expectButtons(1, 0, 0);
}

TEST_F(Sender, RejectedFramesAreResentBeforeTheLineIsLogged) {
  s.editor.lines = {"g0z5", "g1x1"};
  goodController(&s);
  int frames = 0;
  auto good = s.port.onFrame;
  s.port.onFrame = [&](const std::string& frame) {
    if (++frames == 2 || frames == 3)
      s.port.arriving.push_back("?");
    else
      good(frame);
  };
  runProgram();
  EXPECT_EQ(sentTexts(s.port), (Texts{"g0z5", "g1x1", "g1x1", "g1x1"}));
  EXPECT_NE(s.report.log.find(std::string(">> ready\r\n\n") + LOG_PARITY + LOG_PARITY + "[2] g1x1\n"),
            std::string::npos)
      << s.report.log;
  EXPECT_EQ(s.port.sleeps, 2);
  EXPECT_EQ(s.report.completes, 1);
}

// Bytes waiting when a frame is due were sent before the controller saw it:
// they are answers, and only a byte that comes after the frame is its
// acknowledgement.
TEST_F(Sender, AReadyWaitingBeforeTheFrameIsNoAcknowledgementAndCountsForNothing) {
  s.editor.lines = {"g0z5", "g1x1"};
  acknowledgeOnly();
  RunCommand(io);
  s.port.arriving = {"ready\r\n", "ready\r\n"};  // the second one waits when line 1 is due
  passUntil([&] { return s.port.frames.size() == 1; });
  passes(20);
  EXPECT_EQ(sentTexts(s.port), Texts{"g0z5"});  // once, and line 2 waits for a ready after it
  EXPECT_EQ(gRunState, RUN_WAITING);
  ready();
  passUntil([&] { return s.port.frames.size() == 2; });
  EXPECT_EQ(sentTexts(s.port), (Texts{"g0z5", "g1x1"}));
  EXPECT_EQ(s.report.log, ">> ready\r\n\n>> ready\r\n\n[1] g0z5\n>> ready\r\n\n[2] g1x1\n");
}

TEST_F(Sender, AReadyWaitingBeforeAResendIsNoAcknowledgement) {
  s.editor.lines = {"g0z5", "g1x1"};
  goodController(&s);
  auto good = s.port.onFrame;
  int frames = 0;
  s.port.onFrame = [&](const std::string& frame) {
    if (++frames == 1)
      s.port.arriving.push_back("?ready\r\n");  // a rejection, and an unsolicited ready behind it
    else
      good(frame);
  };
  runProgram();
  EXPECT_EQ(sentTexts(s.port), (Texts{"g0z5", "g0z5", "g1x1"}));
  EXPECT_EQ(s.report.log, ">> ready\r\n\n" + std::string(LOG_PARITY) +
                              ">> ready\r\n\n[1] g0z5\n>> ready\r\n\n[2] g1x1\n>> ready\r\n\n");
  EXPECT_EQ(s.report.completes, 1);
}

// An error answer waiting when a frame is due halts the run: the frame is
// not sent, the line taken is marked and "m105" goes out.
TEST_F(Sender, AnErrorWaitingBeforeTheFrameHaltsAndKeepsItBack) {
  s.editor.lines = {"g0z5", "g1x1"};
  goodController(&s);
  RunCommand(io);
  s.port.arriving = {"ready\r\n", "Error 22\r\n"};
  passUntil([&] { return gRunState == RUN_HALTED; });
  passes(10);
  EXPECT_EQ(sentTexts(s.port), Texts{"m105"});
  EXPECT_EQ(s.report.log, ">> ready\r\n\n>> Error 22\r\n\n[1] g0z5\n");
  EXPECT_EQ(s.editor.marks, std::vector<int>{1});
  expectButtons(1, 0, 0);
  // The ready answer to "m105" waits in the port for the next Run.
  EXPECT_EQ(s.port.arriving, std::deque<std::string>{"ready\r\n"});
  RunCommand(io);
  passUntil([&] { return s.report.completes == 1; });
  EXPECT_EQ(sentTexts(s.port), (Texts{"m105", "g0z5", "g1x1"}));
}

TEST_F(Sender, AnErrorWaitingBeforeAResendHaltsAndKeepsItBack) {
  s.editor.lines = {"g0z5"};
  s.port.onFrame = [&](const std::string& frame) {
    s.port.arriving.push_back(frame.substr(1) == "m105" ? "k" : "?");
    if (frame.substr(1) == "g0z5") s.port.arriving.push_back("error: spindle\r\n");
  };
  runProgram();
  EXPECT_EQ(sentTexts(s.port), (Texts{"g0z5", "m105"}));
  EXPECT_EQ(s.report.log,
            ">> ready\r\n\n" + std::string(LOG_PARITY) + ">> error: spindle\r\n\n[1] g0z5\n");
  EXPECT_EQ(s.editor.marks, std::vector<int>{1});
}

// While the run is halted an error answer before "m105" is only logged: one
// "m105" goes out, and it goes out.
TEST_F(Sender, AnErrorWaitingBeforeM105IsOnlyLogged) {
  s.editor.lines = {"g0z5", "g1x1"};
  s.port.onFrame = [&](const std::string& frame) {
    s.port.arriving.push_back("k");
    if (frame.substr(1) == "g0z5") s.port.arriving.insert(s.port.arriving.end(), {"error 1\r\n", "error 2\r\n"});
  };
  runProgram();
  passes(10);
  EXPECT_EQ(sentTexts(s.port), (Texts{"g0z5", "m105"}));
  EXPECT_EQ(s.report.log, ">> ready\r\n\n[1] g0z5\n>> error 1\r\n\n>> error 2\r\n\n");
  EXPECT_EQ(s.editor.marks, std::vector<int>{1});
}

// An answer the controller is still sending when a frame is due is let
// finish first: its remaining bytes come before the acknowledgement.
TEST_F(Sender, AnAnswerArrivingWhenTheFrameIsDueIsLetFinish) {
  s.editor.lines = {"g0z5", "g1x1"};
  acknowledgeOnly();
  RunCommand(io);
  s.port.arriving = {"ready\r\n", "rea"};
  s.port.onIdleWait = [&] {
    EXPECT_TRUE(s.port.frames.empty());  // the frame waits for the rest
    s.port.arriving.push_back("dy\r\n");
    s.port.onIdleWait = nullptr;
  };
  passUntil([&] { return s.port.frames.size() == 1; });
  passes(20);
  EXPECT_EQ(sentTexts(s.port), Texts{"g0z5"});  // the finished ready counted for nothing
  EXPECT_EQ(s.report.log, ">> ready\r\n\n>> ready\r\n\n[1] g0z5\n");
}

TEST_F(Sender, ResendLimitHaltsAfterAThousandFrames) {
  s.editor.lines = {"g0z5", "g1x1"};
  goodController(&s);
  auto good = s.port.onFrame;
  s.port.onFrame = [&](const std::string& frame) {
    if (frame.substr(1) == "g1x1")
      s.port.arriving.push_back("?");
    else
      good(frame);
  };
  runProgram();
  EXPECT_EQ(gRunState, RUN_HALTED);
  EXPECT_EQ(s.port.frames.size(), 1u + RESEND_LIMIT);
  std::string parity1000;
  for (int i = 0; i < RESEND_LIMIT; ++i) parity1000 += LOG_PARITY;
  EXPECT_NE(s.report.log.find(parity1000 + LOG_CRITICAL + "[2] g1x1\n"), std::string::npos);
  EXPECT_EQ(s.report.log.find(parity1000 + LOG_PARITY), std::string::npos);
  EXPECT_EQ(s.editor.marks, (std::vector<int>{2}));
  expectButtons(1, 0, 0);
  EXPECT_EQ(s.report.completes, 0);
  // A Pause that comes late (the button was still enabled) does not let
  // the next Run go on after the line that was never taken.
  PauseCommand(io);
  EXPECT_EQ(gRunState, RUN_HALTED);
  s.port.onFrame = good;
  runProgram();
  EXPECT_EQ(sentTexts(s.port).back(), "g1x1");
  EXPECT_EQ(sentTexts(s.port)[1 + RESEND_LIMIT], "g0z5");
}

class SenderErrors : public Sender, public ::testing::WithParamInterface<const char*> {};

TEST_P(SenderErrors, HaltMarkTheLineTakenAndSendM105) {
  s.editor.lines = {"g0z5", "g1x1"};
  const std::string answer = GetParam();
  s.port.onFrame = [&](const std::string& frame) {
    s.port.arriving.push_back("k");
    if (frame.substr(1) == "g0z5") s.port.arriving.push_back(answer);
  };
  runProgram();
  passes(20);
  EXPECT_EQ(gRunState, RUN_HALTED);
  EXPECT_EQ(sentTexts(s.port), (Texts{"g0z5", "m105"}));
  EXPECT_NE(s.report.log.find(">> " + answer + "\n"), std::string::npos);
  EXPECT_EQ(s.editor.marks, (std::vector<int>{1}));
  expectButtons(1, 0, 0);
  // Halted, the sender leaves the port alone until Run or Stop.
  int queries = s.port.queries;
  s.port.arriving.push_back("ready\r\n");
  passes(10);
  EXPECT_EQ(s.port.queries, queries);
  // Run starts again at line 1 and clears the marks.
  s.port.onFrame = nullptr;
  goodController(&s);
  RunCommand(io);
  EXPECT_TRUE(s.editor.marks.empty());
  passUntil([&] { return s.report.completes == 1; });
  EXPECT_EQ(sentTexts(s.port), (Texts{"g0z5", "m105", "g0z5", "g1x1"}));
}

INSTANTIATE_TEST_SUITE_P(Answers, SenderErrors,
                         ::testing::Values("ready\r\nerror\r\n", "rerror\r\n"));

TEST_F(Sender, AnswersWhileIdleOrPausedAreNotEchoedButErrorsHalt) {
  s.editor.lines = {"g0z5", "g1x1"};
  goodController(&s);
  ready();
  passes(5);
  EXPECT_EQ(gRunState, RUN_IDLE);
  RunCommand(io);
  PauseCommand(io);
  expectButtons(1, 0, 1);
  ready();
  passes(5);
  EXPECT_EQ(gRunState, RUN_PAUSED);
  EXPECT_EQ(s.report.log, "");
  EXPECT_EQ(s.port.written, "");
  s.port.arriving.push_back("Error 9\r\n");
  passes(5);
  EXPECT_EQ(gRunState, RUN_HALTED);
  EXPECT_EQ(s.report.log, "");
  EXPECT_EQ(sentTexts(s.port), Texts{"m105"});
  EXPECT_TRUE(s.editor.marks.empty());  // no line was taken yet
}

TEST_F(Sender, OverflowHaltsAndDropsWhatWaits) {
  s.editor.lines = {"g0z5"};
  goodController(&s);
  RunCommand(io);
  s.port.arriving.push_back(std::string(1020, 'x'));
  passes(3);
  EXPECT_EQ(gRxCount, 1020);
  EXPECT_EQ(gRunState, RUN_WAITING);
  s.port.arriving.push_back("y");
  passes(3);
  EXPECT_EQ(gRunState, RUN_HALTED);
  EXPECT_EQ(s.report.log, LOG_OVERFLOW);
  EXPECT_EQ(gRxCount, 0);
  expectButtons(1, 0, 0);
  // A queue that grew while halted overflows once, and is then gone, so the
  // Run after it streams.
  s.port.arriving.push_back(std::string(1500, 'x'));
  RunCommand(io);
  passes(3);
  EXPECT_EQ(gRunState, RUN_HALTED);
  EXPECT_TRUE(s.port.arriving.empty());
  runProgram();
  EXPECT_EQ(sentTexts(s.port), Texts{"g0z5"});
  EXPECT_EQ(s.report.completes, 1);
}

TEST_F(Sender, PauseResumesAfterTheLastLineTakenAndStopRestarts) {
  s.editor.lines = {"a1", "a2", "a3"};
  acknowledgeOnly();
  RunCommand(io);
  ready();
  passUntil([&] { return s.port.frames.size() == 1; });
  PauseCommand(io);
  ready();
  passes(10);
  EXPECT_EQ(s.port.frames.size(), 1u);
  RunCommand(io);
  passes(10);
  EXPECT_EQ(s.port.frames.size(), 1u);  // a new ready answer is needed
  ready();
  passUntil([&] { return s.port.frames.size() == 2; });
  StopCommand(io);
  EXPECT_EQ(s.report.position, 0);
  expectButtons(1, 0, 0);
  RunCommand(io);
  ready();
  passUntil([&] { return s.port.frames.size() == 3; });
  EXPECT_EQ(sentTexts(s.port), (Texts{"a1", "a2", "a1"}));
  EXPECT_EQ(s.editor.clears, 3);
}

TEST_F(Sender, ACommandDuringTheTakeOfALineVoidsTheTake) {
  s.editor.lines = {"a1", "a2", "a3"};
  goodController(&s);
  std::vector<std::function<void()>> presses = {
      [&] { PauseCommand(io); },
      [&] { StopCommand(io); RunCommand(io); },
  };
  size_t next = 0;
  s.editor.duringTake = [&](int n) {
    if (n == 2 && next < presses.size()) presses[next++]();
  };
  RunCommand(io);
  ready();
  passUntil([&] { return gRunState == RUN_PAUSED; });
  passes(5);
  EXPECT_EQ(sentTexts(s.port), Texts{"a1"});
  EXPECT_EQ(gRunLine, 2);
  // Line 2 again, and Stop and Run during its take: line 1 again.
  s.port.idleReady = 3;
  RunCommand(io);
  passUntil([&] { return s.report.completes == 1; });
  EXPECT_EQ(sentTexts(s.port), (Texts{"a1", "a1", "a2", "a3"}));
}

TEST_F(Sender, AnUnavailableLineIsTakenAgainAfterTheNextReady) {
  s.editor.lines = {"a1", "a2"};
  acknowledgeOnly();
  s.editor.failText = 2;
  RunCommand(io);
  ready();
  passUntil([&] { return s.port.frames.size() == 1; });
  ready();
  passes(5);
  EXPECT_TRUE(s.port.arriving.empty());
  EXPECT_EQ(sentTexts(s.port), Texts{"a1"});
  EXPECT_EQ(gRunState, RUN_WAITING);
  ready();
  passUntil([&] { return s.port.frames.size() == 2; });
  EXPECT_EQ(sentTexts(s.port), (Texts{"a1", "a2"}));
}

// What is held of an answer when a line is taken is dropped; so is what
// arrives before its frame is due and does not become an answer.
TEST_F(Sender, APartialAnswerIsDroppedWhenALineIsTaken) {
  s.editor.lines = {";c", "g1"};
  goodController(&s);
  s.editor.duringTake = [&](int n) {
    if (n == 2) s.port.arriving.push_back("xy");
  };
  RunCommand(io);
  s.port.arriving = {"ready\r\n", "ab"};
  passUntil([&] { return s.report.completes == 1; });
  EXPECT_EQ(sentTexts(s.port), Texts{"g1"});  // 'x' was no acknowledgement
  EXPECT_EQ(s.report.log, ">> ready\r\n\n[1] ;c\n[2] g1\n>> ready\r\n\n");
}

TEST_F(Sender, AFailedPortHaltsTheRunWithoutSpinning) {
  s.editor.lines = {"a1"};
  goodController(&s);
  RunCommand(io);
  s.port.failQuery = 3;
  passes(10);
  EXPECT_EQ(gRunState, RUN_HALTED);
  EXPECT_EQ(s.report.log, LOG_PORT);
  expectButtons(1, 0, 0);
  EXPECT_EQ(s.port.queries, 3);
  EXPECT_GE(s.port.sleeps, 7);  // each halted pass sleeps

  s.port.failQuery = 0;
  s.port.failWrite = true;
  s.report.log.clear();
  RunCommand(io);
  ready();
  passes(5);
  EXPECT_EQ(gRunState, RUN_HALTED);
  EXPECT_EQ(s.report.log, ">> ready\r\n\n" + std::string(LOG_PORT) + "[1] a1\n");
}

TEST_F(Sender, EndingTheConnectionEndsAWaitForAnAcknowledgement) {
  s.port.onFrame = [](const std::string&) { LinkEnd(); };
  EXPECT_EQ(SendLine(io, "g0z5"), SEND_ENDED);
  EXPECT_EQ(SenderPass(io), 0);
  EXPECT_FALSE(s.port.idleLimitHit);
}

}  // namespace
