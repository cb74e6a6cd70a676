// The sender loop on its own thread while the user presses Run, Pause and
// Stop on another, and the end of a connection while the sender waits. Also
// built with ThreadSanitizer (link_tsan_tests).
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <climits>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "terminal/link/runState.h"
#include "terminal/link/sender.h"
#include "tests/link/linkScript.h"

namespace {

bool waitFor(const std::function<bool()>& done) {
  for (int i = 0; i < 20000 && !done(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  return done();
}

TEST(LinkThreads, UserCommandsNeverMakeTheSenderSkipRepeatOrInventALine) {
  LinkScript s;
  std::vector<int> sendable;  // numbers of the lines that go out
  std::map<std::string, int> numberOf;
  for (int n = 1; n <= 24; ++n) {
    std::string line = (n % 5 == 0 ? ";note " : "g1x") + std::to_string(n);
    s.editor.lines.push_back(line);
    numberOf[line] = n;
    if (n % 5) sendable.push_back(n);
  }
  std::vector<int> accepted;
  int frames = 0;
  s.port.onFrame = [&](const std::string& frame) {
    if (++frames % 7 == 0) {
      s.port.arriving.push_back("?");
      return;
    }
    auto found = numberOf.find(frame.substr(1));
    accepted.push_back(found == numberOf.end() ? -1 : found->second);
    s.port.arriving.push_back("k");
    s.port.arriving.push_back("ready\r\n");
  };
  s.port.idleReady = 5;
  s.port.idleLimit = INT_MAX;
  // A slow editor widens the window between taking a line and sending it.
  s.editor.duringTake = [](int) { std::this_thread::sleep_for(std::chrono::microseconds(50)); };
  std::atomic<int> completes{0};
  s.report.duringComplete = [&] { ++completes; };

  LinkOpen();
  std::thread sender([&] { SenderLoop(&s.io); });
  std::mt19937 random(7);
  int runs = 0;
  for (int i = 0; i < 300; ++i) {
    switch (random() % 3) {
      case 0: RunCommand(&s.io); ++runs; break;
      case 1: PauseCommand(&s.io); break;
      default: StopCommand(&s.io); break;
    }
    std::this_thread::sleep_for(std::chrono::microseconds(random() % 400));
  }
  int before = completes;
  StopCommand(&s.io);
  RunCommand(&s.io);
  ++runs;
  bool finished = waitFor([&] { return completes > before && gRunState == RUN_IDLE; });
  LinkEnd();
  sender.join();
  ASSERT_TRUE(finished);

  // Each accepted line follows the one before it, or a Run restarted at the
  // first line; the last run sent the whole program.
  int restarts = 0;
  for (size_t i = 0; i < accepted.size(); ++i) {
    ASSERT_NE(accepted[i], -1);
    size_t at = std::find(sendable.begin(), sendable.end(), accepted[i]) - sendable.begin();
    ASSERT_LT(at, sendable.size());
    if (i > 0 && at > 0) {
      ASSERT_EQ(sendable[at - 1], accepted[i - 1]) << "line " << accepted[i] << " after " << accepted[i - 1];
    } else {
      ++restarts;
    }
  }
  EXPECT_LE(restarts, runs);
  ASSERT_GE(accepted.size(), sendable.size());
  EXPECT_EQ(std::vector<int>(accepted.end() - sendable.size(), accepted.end()), sendable);
}

TEST(LinkThreads, EndingTheConnectionReleasesAWaitForAnAcknowledgementThatNeverComes) {
  LinkScript s;
  s.editor.lines = {"g0z5"};
  std::atomic<bool> written{false};
  s.port.onFrame = [&](const std::string&) { written = true; };
  s.port.idleLimit = INT_MAX;
  LinkOpen();
  RunCommand(&s.io);
  s.port.arriving.push_back("ready\r\n");
  std::thread sender([&] { SenderLoop(&s.io); });
  EXPECT_TRUE(waitFor([&] { return written.load(); }));
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  LinkEnd();
  sender.join();  // returns: the wait checked the end of the connection
  EXPECT_EQ(gRunState, RUN_WAITING);
}

}  // namespace
