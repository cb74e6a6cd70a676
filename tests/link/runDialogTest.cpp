// The Run command in the test's own process: the real main window and
// editor, the port dialog and the Run dialog driven from a second thread,
// and a controller the test plays on the other end of the line.
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "terminal/link/linkIds.h"
#include "terminal/link/portDialog.h"
#include "terminal/link/runDialog.h"
#include "terminal/link/runState.h"
#include "tests/link/linkWinTest.h"
#include "tests/link/programLines.h"
#include "tests/terminal/termTestUtil.h"

namespace {

using namespace linktest;
using namespace termtest;
using programlines::isComment;

const COLORREF MARKED = RGB(255, 80, 50);

bool readOnly() { return (SendMessageA(gEditHWnd, EM_GETOPTIONS, 0, 0) & ECO_READONLY) != 0; }

std::string editorLine(int n) {
  char* text = GetLineText(gEditHWnd, n);
  std::string line = text ? text : "(no memory)";
  std::free(text);
  return line;
}

// The editor's lines that are sent, each as the editor gives it.
std::vector<std::string> sendableLines() {
  std::vector<std::string> lines;
  for (int n = 1; n <= GetEditorLineCount(gEditHWnd); ++n)
    if (!isComment(editorLine(n))) lines.push_back(editorLine(n));
  return lines;
}

HWND waitForBox(const char* title) {
  HWND box = nullptr;
  waitUntil([&] { return (box = findOwnWindow("#32770", title)) != nullptr; }, 30000);
  return box;
}

// A message box's text; the box may show an instant before its text is in.
std::string boxText(HWND box) {
  char text[256] = "";
  waitUntil([&] { return GetDlgItemTextA(box, MESSAGE_TEXT, text, sizeof(text)) > 0; }, 5000);
  return text;
}

bool buttons(HWND run, bool runOn, bool pauseOn, bool stopOn) {
  return (IsWindowEnabled(GetDlgItem(run, IDC_RUN_RUN)) != FALSE) == runOn &&
         (IsWindowEnabled(GetDlgItem(run, IDC_RUN_PAUSE)) != FALSE) == pauseOn &&
         (IsWindowEnabled(GetDlgItem(run, IDC_RUN_STOP)) != FALSE) == stopOn;
}

std::string logOf(HWND run) {
  HWND log = GetDlgItem(run, IDC_RUN_LOG);
  std::string text(GetWindowTextLengthA(log) + 1, '\0');
  text.resize(GetWindowTextA(log, &text[0], static_cast<int>(text.size())));
  return text;
}
int progress(HWND run, UINT msg, WPARAM wParam = 0) {
  return static_cast<int>(SendDlgItemMessageA(run, IDC_RUN_PROGRESS, msg, wParam, 0));
}

// The main window with gRunProgram installed as the terminal installs it;
// the controller's end of the line is open.
class RunTest : public TermWindowTest {
 protected:
  void SetUp() override {
    TermWindowTest::SetUp();
    gRunProgram = RunProgram;
    ASSERT_TRUE(line.openControllerEnd());
  }
  void TearDown() override {
    std::free(gPortName);
    gPortName = nullptr;
    TermWindowTest::TearDown();
  }
  // Chooses Run and port A, then drives the Run dialog with act from a
  // second thread; returns when the Run command has returned.
  void run(const std::function<void(HWND)>& act) {
    Answer port("Select COMM port", IDC_PORT_LIST, [](HWND dialog) {
      SendDlgItemMessageA(dialog, IDC_PORT_LIST, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                          reinterpret_cast<LPARAM>(portA().c_str()));
      click(dialog, IDC_PORT_OK);
    });
    Answer dialog("Run", IDC_RUN_LOG, act, 60000);
    command(IDM_RUN);
    EXPECT_TRUE(port.seen());
    EXPECT_TRUE(dialog.seen());
  }
  // Presses Run and has the controller say it is ready.
  void start(HWND run) {
    click(run, IDC_RUN_RUN);
    waitUntil([&] { return !IsWindowEnabled(GetDlgItem(run, IDC_RUN_RUN)); });
    line.controllerWrites("ready\r\n");
  }
  Line line;
};

TEST_F(RunTest, TheDialogOpensIdleOverAReadOnlyEditorThatIsWritableAfterwards) {
  load("g21\r\ng0z5\r\n");
  bool idle = false, locked = false, empty = false;
  int frames = -1;
  Controller controller(line, Controller::takeAll);
  run([&](HWND run) {
    idle = buttons(run, true, false, false) && storedTitle(run) == "Run";
    locked = readOnly() && gRunActive;
    empty = logOf(run).empty();
    Sleep(300);
    frames = static_cast<int>(controller.frameCount());  // nothing is sent before Run
    PostMessageA(run, WM_CLOSE, 0, 0);
  });
  EXPECT_TRUE(idle);
  EXPECT_TRUE(locked);
  EXPECT_TRUE(empty);
  EXPECT_EQ(frames, 0);
  EXPECT_FALSE(readOnly());
  EXPECT_EQ(gRunActive, 0);
  EXPECT_EQ(gPortHandle, INVALID_HANDLE_VALUE);
}

TEST_F(RunTest, APortThatCannotBeOpenedIsReported) {
  load("g21\r\n");
  std::string text;
  Answer port("Select COMM port", IDC_PORT_LIST, [](HWND dialog) {
    SendDlgItemMessageA(dialog, IDC_PORT_LIST, CB_RESETCONTENT, 0, 0);  // a port that went away
    SendDlgItemMessageA(dialog, IDC_PORT_LIST, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("\\\\.\\COM97"));
    SendDlgItemMessageA(dialog, IDC_PORT_LIST, CB_SETCURSEL, 0, 0);
    click(dialog, IDC_PORT_OK);
  });
  Answer box("Commport error", 0, [&](HWND b) {
    text = boxText(b);
    PostMessageA(b, WM_COMMAND, IDOK, 0);
  });
  command(IDM_RUN);
  EXPECT_TRUE(port.seen());
  EXPECT_TRUE(box.seen());
  EXPECT_EQ(text, "Unable to open commport");
  EXPECT_FALSE(readOnly());
  EXPECT_EQ(gRunActive, 0);
  EXPECT_FALSE(findOwnWindow("#32770", "Run"));
}

// Every editor line reaches the controller once, in order, as the editor
// holds it, over several blocks of lines fetched ahead; the log holds every
// text of the run whole, far beyond an edit control's default limit.
TEST_F(RunTest, StreamsEveryLineAsTheEditorHoldsItAndLogsItAll) {
  std::string program = "m101\r\n  ; a comment after blanks\r\n\r\ng1x\xE4\t5  \r\nd\r\r\ne\r\n" +
                        std::string(3000, 'x') + "\r\n";
  for (int i = 0; i < 2500; ++i) program += (i % 40 ? "g1x" + std::to_string(i) + "y2.5" : ";pass") + "\r\n";
  program += "m102";  // no line break after the last line
  load(program);
  int count = GetEditorLineCount(gEditHWnd);
  std::string expectedLog = ">> ready\r\n\n";
  for (int n = 1; n <= count; ++n) {
    expectedLog += "[" + std::to_string(n) + "] " + editorLine(n) + "\n";
    if (!isComment(editorLine(n))) expectedLog += ">> ready\r\n\n";
  }
  Controller controller(line, Controller::takeAll);
  std::string complete, log;
  bool runAgain = false;
  int low = -1, high = -1, position = -1;
  run([&](HWND run) {
    start(run);
    HWND box = waitForBox("Complete!");
    complete = box ? boxText(box) : "";
    log = logOf(run);
    low = progress(run, PBM_GETRANGE, TRUE);
    high = progress(run, PBM_GETRANGE, FALSE);
    position = progress(run, PBM_GETPOS);
    if (box) PostMessageA(box, WM_COMMAND, IDOK, 0);
    runAgain = waitUntil([&] { return buttons(run, true, false, false); });
    PostMessageA(run, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(complete, "Execution complete");
  EXPECT_TRUE(controller.frames() == sendableLines()) << controller.frameCount() << " frames";
  EXPECT_EQ(controller.badChecksums(), 0);
  EXPECT_GT(log.size(), 65536u);
  EXPECT_TRUE(log == expectedLog) << "the log differs from what was sent and answered";
  EXPECT_EQ(low, 1);
  EXPECT_EQ(high, count);
  EXPECT_EQ(position, count);
  EXPECT_TRUE(runAgain);
}

TEST_F(RunTest, AnErrorAnswerHaltsMarksTheLineAndSendsM105) {
  std::string program;
  std::vector<std::string> sent;
  for (int n = 1; n <= 100; ++n) program += "g1x" + std::to_string(n) + "\r\n";
  for (int n = 1; n <= 40; ++n) sent.push_back("g1x" + std::to_string(n));
  sent.push_back("m105");
  load(program);
  Controller controller(line, [](const std::string& text, int n) {
    return n == 40 ? "kERROR 3\r\n" : text == "m105" ? "k" : "kready\r\n";
  });
  bool halted = false;
  std::string log;
  run([&](HWND run) {
    start(run);
    halted = waitUntil([&] { return controller.frameCount() == 41 && buttons(run, true, false, false); });
    Sleep(200);
    log = logOf(run);
    PostMessageA(run, WM_CLOSE, 0, 0);
  });
  EXPECT_TRUE(halted);
  EXPECT_EQ(controller.frames(), sent);
  EXPECT_EQ(controller.badChecksums(), 0);
  EXPECT_NE(log.find("[40] g1x40\n>> ERROR 3\r\n\n"), std::string::npos) << log;
  EXPECT_EQ(log.find("[41]"), std::string::npos);
  EditorInfo* info = GetEditorInfo(gEditHWnd);
  ASSERT_EQ(info->markCount, 1);
  EXPECT_EQ(info->marks[0], 39);  // line 40, the line taken last
  // The halted line is at the top of the editor, its gutter row marked.
  paint();
  EXPECT_EQ(SendMessageA(gEditHWnd, EM_GETFIRSTVISIBLELINE, 0, 0), 39);
  int h = posFromChar(lineIndex(40)).y - posFromChar(lineIndex(39)).y;
  HDC dc = GetDC(gEditHWnd);
  COLORREF band = GetPixel(dc, 2, posFromChar(lineIndex(39)).y + h / 2);
  ReleaseDC(gEditHWnd, dc);
  EXPECT_EQ(band, MARKED);
}

TEST_F(RunTest, RunAfterAHaltStartsAtLineOneWithoutTheMark) {
  load("g21\r\ng90\r\ng0z5\r\n");
  Controller controller(line, [](const std::string& text, int n) {
    return n == 2 ? "kerror\r\n" : text == "m105" ? "k" : "kready\r\n";
  });
  bool halted = false;
  std::string complete;
  run([&](HWND run) {
    start(run);
    halted = waitUntil([&] { return controller.frameCount() == 3 && buttons(run, true, false, false); });
    start(run);
    HWND box = waitForBox("Complete!");
    complete = box ? boxText(box) : "";
    PostMessageA(run, WM_CLOSE, 0, 0);
  });
  EXPECT_TRUE(halted);
  EXPECT_EQ(complete, "Execution complete");
  EXPECT_EQ(controller.frames(), (std::vector<std::string>{"g21", "g90", "m105", "g21", "g90", "g0z5", ""}));
  EXPECT_EQ(GetEditorInfo(gEditHWnd)->markCount, 0);
}

// Closing ends the connection even while the sender waits for an
// acknowledgement that never comes, or shows its "Execution complete" box.
TEST_F(RunTest, ClosingEndsTheSenderWhateverItWaitsFor) {
  load("g21\r\ng90\r\n");
  Controller silent(line, [](const std::string&, int) { return std::string(); });
  bool sent = false;
  DWORD closed = 0;
  run([&](HWND run) {
    start(run);
    sent = waitUntil([&] { return silent.frameCount() == 1; });
    Sleep(200);
    closed = GetTickCount();
    PostMessageA(run, WM_CLOSE, 0, 0);
  });
  EXPECT_TRUE(sent);
  EXPECT_LT(GetTickCount() - closed, 3000u);
  EXPECT_EQ(silent.frames(), (std::vector<std::string>{"g21"}));
  EXPECT_FALSE(readOnly());
  EXPECT_EQ(gRunActive, 0);
}

TEST_F(RunTest, ClosingWithTheCompleteBoxUpDismissesIt) {
  load("g21");
  Controller controller(line, Controller::takeAll);
  bool boxUp = false, stopUsable = false;
  run([&](HWND run) {
    start(run);
    boxUp = waitForBox("Complete!") != nullptr;
    stopUsable = IsWindowEnabled(run) && IsWindowEnabled(GetDlgItem(run, IDC_RUN_STOP));
    PostMessageA(run, WM_CLOSE, 0, 0);
  });
  EXPECT_TRUE(boxUp);
  EXPECT_TRUE(stopUsable);  // the box holds up only the sender
  EXPECT_FALSE(findOwnWindow("#32770", "Complete!"));
  EXPECT_EQ(controller.frames(), (std::vector<std::string>{"g21"}));
  EXPECT_FALSE(readOnly());
}

// The line goes away in the middle of a run, as when a USB adapter is
// pulled out.
TEST_F(RunTest, ALineThatGoesAwayHaltsTheRun) {
  std::string program;
  for (int n = 1; n <= 50; ++n) program += "g1x" + std::to_string(n) + "\r\n";
  load(program);
  bool halted = false;
  std::string log;
  {
    Controller controller(line, [](const std::string&, int n) { return n < 10 ? "kready\r\n" : ""; });
    run([&](HWND run) {
      start(run);
      waitUntil([&] { return controller.frameCount() == 10; });
      hangUp();
      halted = waitUntil([&] { return buttons(run, true, false, false); }, 20000);
      Sleep(600);
      log = logOf(run);
      PostMessageA(run, WM_CLOSE, 0, 0);
    });
  }
  EXPECT_TRUE(halted);
  EXPECT_NE(log.find("Commport error, run halted\r\n"), std::string::npos) << log.substr(log.size() > 200 ? log.size() - 200 : 0);
  EXPECT_FALSE(readOnly());
}

}  // namespace
