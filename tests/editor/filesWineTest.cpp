// The File, Board and Generate menus through their questions and dialogs,
// answered from a second thread: New, Open, Save and Save As round trips,
// damaged and unwritable files, the settings dialogs and Trim Size,
// Generate GCode against kivo-etch, and Exit.
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "cad/document/designFile.h"
#include "cad/document/tools.h"
#include "editorWinTest.h"

using namespace cadtest;

namespace {

const char SAVED_Q[] = "Did you save?";

std::string designImage() {
  std::vector<unsigned char> bytes = designBytes();
  return std::string(bytes.begin(), bytes.end());
}

// A visible terminal window of any process with the given title; null if
// none shows up within the time.
HWND waitForTerminal(const char* title, int ms) {
  for (int waited = 0; waited < ms; waited += 50, Sleep(50)) {
    HWND w = FindWindowA("KIVOTermClass", title);
    if (w && IsWindowVisible(w)) return w;
  }
  return nullptr;
}

void closeProcessOf(HWND window) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
  PostMessageA(window, WM_CLOSE, 0, 0);
  if (process) {
    WaitForSingleObject(process, 10000);
    CloseHandle(process);
  }
}

class CadFilesTest : public CadWindowTest {
 protected:
  void SetUp() override {
    CadWindowTest::SetUp();
    folder_ = tempPath("cadfiles");
    CreateDirectoryA(folder_.c_str(), nullptr);
    GetCurrentDirectoryA(sizeof(oldDir_), oldDir_);
  }
  void TearDown() override {
    SetCurrentDirectoryA(oldDir_);
    for (const std::string& f : made_) {
      std::remove(f.c_str());
      RemoveDirectoryA(f.c_str());
    }
    RemoveDirectoryA(folder_.c_str());
    CadWindowTest::TearDown();
  }
  std::string file(const std::string& name) {
    std::string path = folder_ + "\\" + name;
    made_.push_back(path);
    return path;
  }
  std::string folder_;
  char oldDir_[MAX_PATH] = "";
  std::vector<std::string> made_;
};

TEST_F(CadFilesTest, SaveAsNewOpenRoundTrip) {
  ObjNewRect(10, 10, 30, 20, 1, 1);
  ObjNewCircle(40, 50, 5, 2, 0);
  ObjNewLine(1, 2, 3, 4, 3);
  gTools[1].depth = 0.75;
  std::string before = designImage();
  std::string path = file("board");  // no dot: ".cnc" is added
  file("board.cnc");
  {
    Answer dialog("Save As", FILE_NAME_BOX, chooseFile(path));
    clickToolbar(IDM_SAVE);  // no name yet: Save asks for one
    ASSERT_TRUE(dialog.seen());
  }
  ASSERT_STREQ(gFileName, (path + ".cnc").c_str());
  EXPECT_EQ(readFile(path + ".cnc"), before);
  EXPECT_FALSE(fileExists(path + ".cnc.saving"));

  // Save again writes to the same file without asking.
  ObjNewDrill(5, 5, 0);
  {
    Answer none("Save As", FILE_NAME_BOX, chooseFile(""), 1500);
    menu(IDM_SAVE);
    EXPECT_FALSE(none.seen());
  }
  std::string saved = designImage();
  EXPECT_EQ(readFile(path + ".cnc"), saved);

  // New after its question: empty design, same file name.
  {
    Answer cancel(SAVED_Q, MESSAGE_TEXT, press(IDCANCEL));
    clickToolbar(IDM_NEW);
    EXPECT_EQ(cancel.text(), "Are you sure you want to start a new file?");
  }
  EXPECT_EQ(objCount(), 4u);
  {
    Answer ok(SAVED_Q, MESSAGE_TEXT, press(IDOK));
    menu(IDM_NEW);
    EXPECT_TRUE(ok.seen());
  }
  EXPECT_EQ(objCount(), 0u);
  EXPECT_EQ(gTools[1].depth, 0.2);
  EXPECT_STREQ(gFileName, (path + ".cnc").c_str());

  // Open: the question, then the file dialog; the design comes back whole,
  // in order, and saves byte for byte the same.
  {
    Answer ok(SAVED_Q, MESSAGE_TEXT, press(IDOK));
    Answer dialog("Open", FILE_NAME_BOX, chooseFile(path + ".cnc"));
    clickToolbar(IDM_OPEN);
    EXPECT_EQ(ok.text(), "Are you sure you want to open a file?");
    EXPECT_TRUE(dialog.seen());
  }
  EXPECT_EQ(designImage(), saved);
  ASSERT_EQ(objCount(), 4u);
  EXPECT_EQ(objAt(3)->type, OBJ_DRILL);
  EXPECT_EQ(gTools[1].depth, 0.75);
  EXPECT_EQ(gSelObj, nullptr);
  // The loaded design is shown: the filled rectangle's inside is grey.
  EXPECT_EQ(viewPixel(100, 75), RGB(128, 128, 128));
  std::string other = file("copy.old");
  {
    Answer dialog("Save As", FILE_NAME_BOX, chooseFile(other));
    menu(IDM_SAVEAS);
  }
  EXPECT_EQ(readFile(other), saved);  // a name with a dot is kept as it is
  EXPECT_STREQ(gFileName, other.c_str());
}

TEST_F(CadFilesTest, CancelledOrFailedOpenKeepsTheDesign) {
  ObjNewLine(0, 0, 10, 10, 0);
  gFileName = _strdup("C:\\kept.cnc");
  std::string before = designImage();
  {
    Answer cancel(SAVED_Q, MESSAGE_TEXT, press(IDCANCEL));
    menu(IDM_OPEN);
  }
  {
    Answer ok(SAVED_Q, MESSAGE_TEXT, press(IDOK));
    Answer dialog("Open", FILE_NAME_BOX, chooseFile(""));
    menu(IDM_OPEN);
    EXPECT_TRUE(dialog.seen());
  }
  // A damaged file: one byte too many for its count.
  std::string damaged = file("damaged.cnc");
  ASSERT_TRUE(writeFile(damaged, std::string(405, '\0')));
  {
    Answer ok(SAVED_Q, MESSAGE_TEXT, press(IDOK));
    Answer dialog("Open", FILE_NAME_BOX, chooseFile(damaged));
    Answer error("Open design", MESSAGE_TEXT, press(IDOK));
    menu(IDM_OPEN);
    std::string text = error.text();
    EXPECT_NE(text.find(damaged), std::string::npos) << text;
    EXPECT_NE(text.find("not a design file"), std::string::npos) << text;
  }
  EXPECT_EQ(designImage(), before);
  EXPECT_STREQ(gFileName, "C:\\kept.cnc");
  EXPECT_EQ(objCount(), 1u);
}

TEST_F(CadFilesTest, AFailedSaveSaysSoAndKeepsTheDesign) {
  ObjNewLine(0, 0, 10, 10, 0);
  std::string before = designImage();
  std::string target = file("in_use");
  CreateDirectoryA(target.c_str(), nullptr);  // a folder cannot be replaced by a file
  gFileName = _strdup(target.c_str());
  {
    Answer error("Save", MESSAGE_TEXT, press(IDOK));
    menu(IDM_SAVE);
    EXPECT_NE(error.text().find(target), std::string::npos) << error.text();
  }
  EXPECT_EQ(designImage(), before);
  EXPECT_FALSE(fileExists(target + ".saving"));

  // An existing design is replaced whole or not at all.
  std::string kept = file("kept.cnc");
  ASSERT_TRUE(writeFile(kept, "old design"));
  std::free(gFileName);
  gFileName = _strdup(kept.c_str());
  HANDLE lock = CreateFileA(kept.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  {
    Answer error("Save", MESSAGE_TEXT, press(IDOK));
    menu(IDM_SAVE);
    EXPECT_TRUE(error.seen());
  }
  CloseHandle(lock);
  EXPECT_EQ(readFile(kept), "old design");
  menu(IDM_SAVE);
  EXPECT_EQ(readFile(kept), before);
}

TEST_F(CadFilesTest, BoardAndGridSettingsAndTrimSize) {
  {
    Answer dialog("Board Settings", IDC_BOARD_WIDTH, [](HWND d) {
      SetDlgItemTextA(d, IDC_BOARD_WIDTH, "10");
      PostMessageA(d, WM_COMMAND, IDC_BOARD_SAVE, 0);
    });
    menu(IDM_BOARD);
    EXPECT_TRUE(dialog.seen());
  }
  EXPECT_EQ(gV.boardWidth, 10);
  EXPECT_EQ(viewPixel(100, 100), RGB(65, 65, 65));  // redrawn: the board ends at x 50
  {
    Answer dialog("Grid Settings", IDC_GRID_SPACING, [](HWND d) {
      SetDlgItemTextA(d, IDC_GRID_SNAP, "5");
      PostMessageA(d, WM_COMMAND, IDC_GRID_OK, 0);
    });
    menu(IDM_GRID);
    EXPECT_TRUE(dialog.seen());
  }
  EXPECT_EQ(gV.snapSpacing, 5);
  clickToolbar(IDM_LINE);
  drag(12, 12, 31, 38);
  ASSERT_EQ(objCount(), 1u);
  EXPECT_EQ(objAt(0)->x1, 10);  // snapped to the new spacing
  EXPECT_EQ(objAt(0)->x2, 30);
  EXPECT_EQ(objAt(0)->y2, 40);

  menu(IDM_TRIM);
  EXPECT_EQ(objAt(0)->x1, 0);
  EXPECT_EQ(objAt(0)->y1, 0);
  EXPECT_EQ(gV.boardWidth, 20);
  EXPECT_EQ(gV.boardHeight, 30);
  EXPECT_EQ(viewPixel(120, 100), RGB(65, 65, 65));  // the board is 100 x 150 pixels now
}

TEST_F(CadFilesTest, GenerateGCodeWritesWhatKivoEtchWritesAndStartsTheTerminal) {
  ASSERT_TRUE(SetCurrentDirectoryA(folder_.c_str()));
  std::string output = file("output.txt"), design = file("design.cnc"), ref = file("ref.txt");
  ObjNewRect(5, 5, 25, 15, 2, 1);
  ObjNewCircle(40, 40, 6, 0, 1);
  ObjNewLine(0, 60, 50, 60, 4);
  ObjNewDrill(60, 10, 7);
  gTools[4].passes = 3;
  ASSERT_EQ(saveToFile(design.c_str()), 1);
  const ProgramRun etch = runProgram(
      "\"" + siblingProgram("kivo-etch.exe") + "\" \"" + design + "\" -o \"" + ref + "\"", 30000);
  ASSERT_TRUE(etch.started && !etch.timedOut) << etch.output;
  ASSERT_EQ(etch.exitCode, 0u) << etch.output;

  HWND old = FindWindowA("KIVOTermClass", "KIVO Terminal [output.txt]");
  ASSERT_EQ(old, nullptr) << "a terminal from an earlier run is still open";
  menu(IDM_GCODE);
  std::string program = readFile(output);
  EXPECT_GT(program.size(), 1000u);
  EXPECT_TRUE(program == readFile(ref));
  HWND terminal = waitForTerminal("KIVO Terminal [output.txt]", 15000);
  ASSERT_NE(terminal, nullptr);
  closeProcessOf(terminal);
}

TEST_F(CadFilesTest, GenerateGCodeThatCannotWriteSaysWhyAndStartsNothing) {
  ASSERT_TRUE(SetCurrentDirectoryA(folder_.c_str()));
  std::string output = file("output.txt");
  ObjNewLine(0, 0, std::numeric_limits<double>::quiet_NaN(), 5, 0);
  {
    Answer error("Generate GCode", MESSAGE_TEXT, press(IDOK));
    menu(IDM_GCODE);
    EXPECT_NE(error.text().find("not a finite number"), std::string::npos) << error.text();
  }
  EXPECT_FALSE(fileExists(output));

  resetObjs();
  gSelObj = gHoverObj = nullptr;
  CreateDirectoryA(output.c_str(), nullptr);  // "output.txt" is taken by a folder
  {
    Answer error("Generate GCode", MESSAGE_TEXT, press(IDOK));
    menu(IDM_GCODE);
    EXPECT_NE(error.text().find("output.txt was not written"), std::string::npos) << error.text();
  }
  EXPECT_EQ(waitForTerminal("KIVO Terminal [output.txt]", 1500), nullptr);
}

TEST_F(CadFilesTest, ExitAsksFirst) {
  {
    Answer cancel(SAVED_Q, MESSAGE_TEXT, press(IDCANCEL));
    menu(IDM_EXIT);
    EXPECT_EQ(cancel.text(), "Are you sure you want to exit?");
  }
  ASSERT_NE(gMainHWnd, nullptr);
  HWND window = gMainHWnd;
  {
    Answer ok(SAVED_Q, MESSAGE_TEXT, press(IDOK));
    menu(IDM_EXIT);
    EXPECT_TRUE(ok.seen());
  }
  EXPECT_EQ(gMainHWnd, nullptr);
  EXPECT_FALSE(IsWindow(window));
}

}  // namespace
