// End to end: KIVOTerminal.exe streams a program that kivo-etch made to
// kivo-sim on a COM port, driven from outside as a user drives it (Run menu,
// port dialog, Run dialog). Each test expects the simulator in the mode
// its ctest entry starts it in (tests/link/CMakeLists.txt); the simulator's
// record of the lines it took is compared with the program.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/link/linkWinTest.h"
#include "tests/link/programLines.h"
#include "tests/link/terminalDriver.h"
#include "tests/support/testFiles.h"

namespace {

using namespace linkdrive;
using linktest::environment;
using linktest::waitUntil;
using programlines::isComment;

const char PARITY[] = "##PARITY ERROR, RESENDING##\r\n";

std::vector<std::string> split(const std::string& text, const std::string& end) {
  std::vector<std::string> pieces;
  size_t start = 0;
  for (size_t at; (at = text.find(end, start)) != std::string::npos; start = at + end.size())
    pieces.push_back(text.substr(start, at - start));
  pieces.push_back(text.substr(start));
  return pieces;
}

int count(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = 0; (at = text.find(what, at)) != std::string::npos; at += what.size()) ++n;
  return n;
}

// Runs kivo-etch.exe (next to this program) on a sample design.
std::string generate(const std::string& design) {
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, sizeof(self));
  std::string dir(self);
  dir = dir.substr(0, dir.find_last_of('\\') + 1);
  std::string program = tempPath(design + ".txt");
  std::string commandLine = "\"" + dir + "kivo-etch.exe\" \"" KIVO_EXAMPLES "\\" + design + "\" -o \"" + program + "\"";
  STARTUPINFOA si = {};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return "";
  WaitForSingleObject(pi.hProcess, 30000);
  DWORD code = 1;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return code == 0 ? program : "";
}

class Stream : public ::testing::Test {
 protected:
  // Opens the terminal on the program of the design and its Run dialog.
  void open(const std::string& design) {
    program = generate(design);
    ASSERT_FALSE(program.empty()) << "kivo-etch did not make the program of " << design;
    lines = programlines::editorLines(readFile(program));
    for (const std::string& line : lines)
      if (!isComment(line)) sendable.push_back(line);
    ASSERT_TRUE(startTerminal(program, &terminal));
    run = openRunDialog(terminal, environment("KIVO_SIM_PORT"));
    ASSERT_TRUE(run);
  }
  void TearDown() override {
    if (HWND box = wintest::findWindowOf(terminal.process.dwProcessId, "#32770", "Complete!"))
      PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(closeTerminal(&terminal), 0u);
    std::remove(program.c_str());
  }
  // The lines the simulator took, in order.
  std::vector<std::string> record() {
    std::vector<std::string> taken = split(readFile(environment("KIVO_SIM_RECORD")), "\n");
    taken.pop_back();  // after the last line's LF
    return taken;
  }
  // Waits for the "Execution complete" box and dismisses it; its text.
  std::string complete() {
    HWND box = waitForDialog(terminal, "Complete!", 0, 120000);
    if (!box) return "(no box)";
    // The box may show an instant before its text is in.
    std::string text;
    waitUntil([&] { return !(text = remoteText(GetDlgItem(box, wintest::MESSAGE_TEXT))).empty(); }, 5000);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    dialogGone(terminal, "Complete!");
    return text;
  }
  bool buttonsBecome(bool runOn, bool pauseOn, bool stopOn, int timeoutMs = 30000) {
    return waitUntil([&] {
      return enabled(run, IDC_RUN_RUN) == runOn && enabled(run, IDC_RUN_PAUSE) == pauseOn &&
             enabled(run, IDC_RUN_STOP) == stopOn;
    }, timeoutMs);
  }
  // The editor line of the n-th sendable line (both from 1).
  int editorLineOf(int n) {
    for (size_t i = 0; i < lines.size(); ++i)
      if (!isComment(lines[i]) && --n == 0) return static_cast<int>(i) + 1;
    return 0;
  }
  int firstVisibleLine() { return static_cast<int>(remoteSend(editorOf(terminal), EM_GETFIRSTVISIBLELINE)) + 1; }
  // Presses Pause or Stop once the run has come to line `at`.
  void pressWhenAt(int at, int button) {
    ASSERT_TRUE(waitUntil([&] { return progressPosition(run) >= at; }, 60000));
    click(run, button);
  }
  // Runs the whole program: the box says so and the simulator took every
  // line once, in order. The log.
  std::string runToTheEnd() {
    click(run, IDC_RUN_RUN);
    EXPECT_EQ(complete(), "Execution complete");
    EXPECT_EQ(record(), sendable);
    return logText(run);
  }
  // Waits until the record stops growing; its size.
  size_t settledRecord() {
    size_t before;
    do {
      before = record().size();
      Sleep(1500);
    } while (record().size() != before);
    return before;
  }

  std::string program;
  std::vector<std::string> lines, sendable;
  Terminal terminal;
  HWND run = nullptr;
};

// kivo-sim as it comes. The log's and the progress bar's contents are
// checked in the Run dialog's own tests; here the terminal's Run is wired.
TEST_F(Stream, APlainRunSendsEveryLineOnceAndShowsItAll) {
  open("mounting-plate.cnc");
  std::string log = runToTheEnd();
  EXPECT_EQ(log.find(">> ready\r\n\n[1] " + lines[0] + "\n"), 0u) << log.substr(0, 200);
  EXPECT_NE(log.find("[" + std::to_string(lines.size()) + "] " + lines.back() + "\n"), std::string::npos);
  EXPECT_EQ(progressPosition(run), static_cast<int>(lines.size()));
  EXPECT_TRUE(buttonsBecome(true, false, false));
  EXPECT_EQ(count(log, PARITY), 0);
}

// kivo-sim --reject 3,4,10 --stray-ready: the third frame and its resend, and
// the tenth, are rejected; an unsolicited ready answer follows each rejection
// and waits in the terminal's input when the frame goes out again. It is
// logged, not taken for the acknowledgement: every line is taken once, after
// its parity messages in the log.
TEST_F(Stream, AReadyWaitingBeforeAResendIsNoAcknowledgement) {
  open("mounting-plate.cnc");
  std::string log = runToTheEnd();
  EXPECT_EQ(count(log, PARITY), 3);
  EXPECT_EQ(count(log, ">> ready\r\n\n"), static_cast<int>(sendable.size()) + 1 + 3);
  int third = editorLineOf(3);
  EXPECT_NE(log.find(std::string(PARITY) + ">> ready\r\n\n" + PARITY + ">> ready\r\n\n[" + std::to_string(third) +
                     "] " + sendable[2] + "\n"),
            std::string::npos);
}

// kivo-sim --error-at 20: the 20th line is answered with an error.
TEST_F(Stream, AnErrorAnswerHaltsAndMarksTheLineThenRunStartsAgain) {
  open("mounting-plate.cnc");
  click(run, IDC_RUN_RUN);
  ASSERT_TRUE(waitUntil([&] { return record().size() == 21; }, 60000));
  EXPECT_TRUE(buttonsBecome(true, false, false));
  std::vector<std::string> halted(sendable.begin(), sendable.begin() + 20);
  halted.push_back("m105");
  EXPECT_EQ(record(), halted);
  int line = editorLineOf(20);
  std::string log = logText(run);
  EXPECT_NE(log.find("[" + std::to_string(line) + "] " + sendable[19] + "\n>> error: line 20\r\n\n"),
            std::string::npos);
  EXPECT_EQ(log.find("[" + std::to_string(line + 1) + "]"), std::string::npos);
  // The halted line heads the editor (its mark is checked in the Run dialog's
  // own tests: another process's pixels cannot be read here).
  EXPECT_EQ(firstVisibleLine(), line);
  Sleep(1500);
  EXPECT_EQ(record().size(), 21u);  // nothing more goes out while halted

  // Run starts from line 1; the mark goes.
  click(run, IDC_RUN_RUN);
  EXPECT_EQ(complete(), "Execution complete");
  std::vector<std::string> all = halted;
  all.insert(all.end(), sendable.begin(), sendable.end());
  EXPECT_EQ(record(), all);
}

// kivo-sim --latency 5: slow enough to pause in the middle.
TEST_F(Stream, PauseThenRunGoesOnAfterTheLastLineTaken) {
  open("mounting-plate.cnc");
  click(run, IDC_RUN_RUN);
  pressWhenAt(100, IDC_RUN_PAUSE);
  EXPECT_TRUE(buttonsBecome(true, false, true));
  size_t paused = settledRecord();
  EXPECT_GT(paused, 50u);
  EXPECT_LT(paused, sendable.size());
  click(run, IDC_RUN_RUN);
  EXPECT_EQ(complete(), "Execution complete");
  EXPECT_EQ(record(), sendable);  // no line lost, none twice
}

// kivo-sim --latency 5.
TEST_F(Stream, StopThenRunStartsAgainAtLineOne) {
  open("mounting-plate.cnc");
  click(run, IDC_RUN_RUN);
  pressWhenAt(100, IDC_RUN_STOP);
  EXPECT_TRUE(buttonsBecome(true, false, false));
  EXPECT_EQ(progressPosition(run), progressLow(run));  // position 0, held to the bar's range: empty
  size_t stopped = settledRecord();
  EXPECT_GT(stopped, 50u);
  click(run, IDC_RUN_RUN);
  EXPECT_EQ(complete(), "Execution complete");
  std::vector<std::string> expected(sendable.begin(), sendable.begin() + stopped);
  expected.insert(expected.end(), sendable.begin(), sendable.end());
  EXPECT_EQ(record(), expected);
}

// kivo-sim --reject-rate 1: every frame rejected.
TEST_F(Stream, TheThousandthRejectedFrameHaltsTheRun) {
  open("mounting-plate.cnc");
  click(run, IDC_RUN_RUN);
  // The line goes to the log after its messages.
  std::string last = std::string(PARITY) + "Critical Error, resend limit exceeded\r\n[1] " + lines[0] + "\n";
  std::string log;
  EXPECT_TRUE(waitUntil([&] { return (log = logText(run)).find(last) != std::string::npos; }, 120000))
      << log.substr(log.size() > 300 ? log.size() - 300 : 0);
  EXPECT_TRUE(buttonsBecome(true, false, false));
  EXPECT_EQ(count(log, PARITY), 1000);
  EXPECT_TRUE(record().empty());
  EXPECT_EQ(firstVisibleLine(), 1);
}

// kivo-sim --reject-rate 0.1 --seed 7: a tenth of the frames rejected.
TEST_F(Stream, WithATenthOfTheFramesRejectedNothingIsLostOrDoubled) {
  open("front-panel.cnc");
  int rejected = count(runToTheEnd(), PARITY);
  EXPECT_GT(rejected, static_cast<int>(sendable.size()) / 20);
  EXPECT_LT(rejected, static_cast<int>(sendable.size()) / 5);
}

}  // namespace
