// kivo-sim from the outside: the real sender loop streams programs to it
// over a pseudo-terminal through the POSIX port, with and without faults.
#include <fcntl.h>
#include <stdlib.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "terminal/link/lineFrame.h"
#include "terminal/link/posixPort.h"
#include "terminal/link/runState.h"
#include "terminal/link/sender.h"
#include "tests/link/linkScript.h"
#include "tests/support/testFiles.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// A running kivo-sim; the destructor ends it with SIGTERM. Its ready answer
// is repeated every 250 ms while no frame comes: a sender that stalled longer
// between a ready answer and its frame (a loaded machine) would take the
// repeat as the frame's acknowledgement.
struct SimProcess {
  pid_t pid = -1;
  std::string path;  // the line to open
  std::string record;
  std::string out;   // what it printed on start
  int status = -1;

  explicit SimProcess(std::vector<std::string> args) {
    record = tempPath("sim_record.txt");
    args.insert(args.begin(), {KIVO_SIM, "--quiet", "--ready-period", "250", "--record", record});
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(&a[0]);
    argv.push_back(nullptr);
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    if (posix_spawn(&pid, KIVO_SIM, &actions, nullptr, argv.data(), environ) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    // The first line names the line: "kivo-sim: controller on PATH".
    char c;
    while (read(pipeFds[0], &c, 1) == 1 && c != '\n') out += c;
    close(pipeFds[0]);
    size_t at = out.find(" on ");
    if (at != std::string::npos) path = out.substr(at + 4);
  }
  int stop(int signal = SIGTERM) {
    if (pid > 0) {
      kill(pid, signal);
      waitpid(pid, &status, 0);
      pid = -1;
    }
    return status;
  }
  ~SimProcess() { stop(); }
  std::vector<std::string> recorded() {
    std::vector<std::string> lines;
    std::string text = readFile(record), line;
    for (char c : text) {
      if (c == '\n') {
        lines.push_back(line);
        line.clear();
      } else {
        line += c;
      }
    }
    return lines;
  }
};

// The sender over the POSIX port on the simulator's line, with the scripted
// editor and dialog.
class SimLink : public ::testing::Test {
 protected:
  LinkScript s;
  LinkIo io;
  int fd = -1;

  void SetUp() override {
    for (int n = 1; n <= 40; ++n)
      s.editor.lines.push_back(n % 9 == 0 ? "; bit change " + std::to_string(n)
                                          : "g1x" + std::to_string(n) + "y" + std::to_string(n * 3) + " f300");
    s.editor.lines.push_back("");
  }
  void TearDown() override {
    LinkEnd();
    if (fd >= 0) close(fd);
  }
  void connect(SimProcess& sim) {
    ASSERT_FALSE(sim.path.empty()) << sim.out;
    fd = openPosixPort(sim.path.c_str());
    ASSERT_GE(fd, 0);
    io = s.io;
    io.port = posixLinkPort(&fd);
    LinkOpen();
  }
  // Run, then passes until the run completes or halts (or 20 s).
  void run() {
    int completes = s.report.completes;
    RunCommand(&io);
    Clock::time_point end = Clock::now() + std::chrono::seconds(20);
    while (Clock::now() < end && s.report.completes == completes && gRunState != RUN_HALTED && SenderPass(&io)) {
    }
  }
  std::vector<std::string> sendable() {
    std::vector<std::string> lines;
    for (const std::string& line : s.editor.lines)
      if (IsSendableLine(line.c_str())) lines.push_back(line);
    return lines;
  }
  int count(const std::string& text) {
    int n = 0;
    for (size_t at = s.report.log.find(text); at != std::string::npos; at = s.report.log.find(text, at + 1)) ++n;
    return n;
  }
};

TEST_F(SimLink, AProgramArrivesWholeAndInOrder) {
  SimProcess sim({});
  connect(sim);
  run();
  EXPECT_EQ(s.report.completes, 1) << s.report.log;
  EXPECT_EQ(count(LOG_PARITY), 0);
  EXPECT_EQ(sim.stop(SIGINT), 0);  // the record is complete on Ctrl+C
  EXPECT_EQ(sim.recorded(), sendable());
}

TEST_F(SimLink, DamagedAndRejectedFramesAreResent) {
  SimProcess sim({"--reject", "2,3", "--reject-rate", "0.1", "--corrupt-in", "0.01", "--drop-in", "0.005",
                  "--seed", "3", "--frame-timeout", "50"});
  connect(sim);
  run();
  EXPECT_EQ(s.report.completes, 1) << s.report.log;
  EXPECT_GE(count(LOG_PARITY), 2);
  sim.stop();
  EXPECT_EQ(sim.recorded(), sendable());
}

// A ready answer behind a rejection waits in the input when the frame goes
// out again: it is no acknowledgement, and every line is taken once.
TEST_F(SimLink, AReadyWaitingBeforeAResendIsNoAcknowledgement) {
  SimProcess sim({"--reject", "2,5,6", "--stray-ready"});
  connect(sim);
  run();
  EXPECT_EQ(s.report.completes, 1) << s.report.log;
  EXPECT_EQ(count(LOG_PARITY), 3);
  EXPECT_EQ(count(">> ready\r\n"), static_cast<int>(sendable().size()) + 1 + 3);
  sim.stop();
  EXPECT_EQ(sim.recorded(), sendable());
}

TEST_F(SimLink, NoiseAnswersAreLoggedOnly) {
  SimProcess sim({"--noise", "0.5", "--seed", "2"});
  connect(sim);
  run();
  EXPECT_EQ(s.report.completes, 1);
  int answers = count(">> "), readies = count(">> ready\r\n");
  EXPECT_GT(answers - readies, 5);
  sim.stop();
  EXPECT_EQ(sim.recorded(), sendable());
}

TEST_F(SimLink, AnOverflowHaltsAndTheNextRunStreams) {
  SimProcess sim({"--overflow", "2"});
  connect(sim);
  run();
  EXPECT_EQ(gRunState, RUN_HALTED);
  EXPECT_EQ(count(LOG_OVERFLOW), 1);
  run();
  EXPECT_EQ(s.report.completes, 1) << s.report.log;
  sim.stop();
  std::vector<std::string> lines = sendable();
  std::vector<std::string> expected(lines.begin(), lines.begin() + 2);
  expected.insert(expected.end(), lines.begin(), lines.end());
  EXPECT_EQ(sim.recorded(), expected);
}

TEST_F(SimLink, ASilentControllerIsLeftWhenTheConnectionEnds) {
  SimProcess sim({"--silent", "2"});
  connect(sim);
  RunCommand(&io);
  std::thread sender([&] { SenderLoop(&io); });
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  LinkEnd();
  sender.join();
  EXPECT_EQ(gRunState, RUN_WAITING);
  sim.stop();
  EXPECT_EQ(sim.recorded(), std::vector<std::string>{sendable()[0]});
}

TEST_F(SimLink, ALostLineHaltsTheRun) {
  SimProcess sim({"--latency", "100"});
  connect(sim);
  RunCommand(&io);
  while (s.report.log.find("[1]") == std::string::npos && SenderPass(&io)) {
  }
  sim.stop(SIGKILL);
  for (int i = 0; i < 100 && gRunState != RUN_HALTED; ++i) SenderPass(&io);
  EXPECT_EQ(gRunState, RUN_HALTED);
  EXPECT_EQ(count(LOG_PORT), 1);
}

TEST_F(SimLink, ANewConnectionStartsClean) {
  SimProcess sim({});
  connect(sim);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));  // ready answers pile up unread
  close(fd);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  connect(sim);
  EXPECT_EQ(io.port.bytesWaiting(io.port.context, 0), 0);
  run();
  EXPECT_EQ(s.report.completes, 1);
  EXPECT_EQ(s.report.log.find(">> readyready"), std::string::npos);
  sim.stop();
  EXPECT_EQ(sim.recorded(), sendable());
}

TEST_F(SimLink, PacingTakesTheTimeOfTheLine) {
  SimProcess sim({"--baud", "115200", "--latency", "2"});
  connect(sim);
  size_t bytes = 0;  // frame, 'k' and the ready answer of every line
  for (const std::string& line : sendable()) bytes += line.size() + 2 + 1 + 7;
  Clock::time_point start = Clock::now();
  run();
  double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  EXPECT_EQ(s.report.completes, 1);
  double lineTime = bytes / 11520.0 + sendable().size() * 0.002;
  EXPECT_GE(seconds, lineTime) << bytes << " bytes";
  sim.stop();
  EXPECT_EQ(sim.recorded(), sendable());
}

TEST_F(SimLink, TheLineCanBeALinkOrAGivenDevice) {
  std::string link = tempPath("sim_line");
  {
    SimProcess sim({"--link", link});
    EXPECT_EQ(sim.path, link);
    connect(sim);
    run();
    EXPECT_EQ(s.report.completes, 1);
    sim.stop();
    EXPECT_EQ(sim.recorded(), sendable());
  }
  EXPECT_FALSE(fileExists(link));  // removed on exit
  // The terminal on one side of a pseudo-terminal of the test's own, the
  // simulator on the other as --device.
  int terminalSide = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
  ASSERT_GE(terminalSide, 0);
  ASSERT_EQ(grantpt(terminalSide) | unlockpt(terminalSide), 0);
  SimProcess sim({"--device", ptsname(terminalSide)});
  fd = terminalSide;
  io = s.io;
  io.port = posixLinkPort(&fd);
  LinkOpen();
  run();
  EXPECT_EQ(s.report.completes, 2);
  sim.stop();
  EXPECT_EQ(sim.recorded(), sendable());
}

TEST(SimCommandLine, HelpAndBadArguments) {
  std::string out = tempPath("sim_help.txt");
  EXPECT_EQ(std::system((std::string(KIVO_SIM) + " --help >" + out).c_str()), 0);
  std::string help = readFile(out);
  for (const char* option : {"--pty", "--device", "--record", "--reject", "--reject-rate", "--seed", "--error-at",
                             "--overflow", "--silent", "--noise", "--drop-in", "--drop-out", "--corrupt-in",
                             "--corrupt-out", "--baud", "--latency", "--ready-period", "--quiet", "--verbose",
                             "--stray-ready", "--timing"})
    EXPECT_NE(help.find(option), std::string::npos) << option;
  EXPECT_EQ(WEXITSTATUS(std::system((std::string(KIVO_SIM) + " --reject-rate 2 2>/dev/null").c_str())), 2);
  EXPECT_EQ(WEXITSTATUS(std::system((std::string(KIVO_SIM) + " --device /nonexistent/tty 2>/dev/null").c_str())), 1);
  std::remove(out.c_str());
}

}  // namespace
