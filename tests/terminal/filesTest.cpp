// The main window's commands, files and discard prompt.
#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "termTestUtil.h"

using namespace termtest;

namespace {

class FilesTest : public TermWindowTest {
 protected:
  std::string title() { return windowText(gTermHWnd); }
  std::string titleOf(const std::string& path) { return "KIVO Terminal [" + path + "]"; }
};

const char DISCARD[] = "Are you sure?";
const char DISCARD_TEXT[] =
    "The current text has been modified before the last save, are you sure you want to lose all changes?";

HWND gRunEditor = nullptr;

TEST_F(FilesTest, MainWindowMenuAndCommands) {
  char name[64] = "";
  GetClassNameA(gTermHWnd, name, sizeof(name));
  EXPECT_STREQ(name, "KIVOTermClass");
  EXPECT_EQ(title(), "KIVO Terminal");
  EXPECT_NE(GetClassLongPtrA(gTermHWnd, GCLP_HICON), 0u);
  const std::pair<int, const char*> ITEMS[] = {
      {IDM_NEW, "New"}, {IDM_OPEN, "Open..."}, {IDM_SAVE, "Save"}, {IDM_SAVEAS, "Save As..."},
      {IDM_EXIT, "Exit"}, {IDM_UNDO, "Undo"}, {IDM_REDO, "Redo"}, {IDM_CUT, "Cut"}, {IDM_COPY, "Copy"},
      {IDM_PASTE, "Paste"}, {IDM_SELECTALL, "Select All"}, {IDM_FIND, "Find && Replace"},
      {IDM_SETFONT, "Set Font"}, {IDM_RUN, "Run"}};
  for (const auto& item : ITEMS) {
    char text[64] = "";
    GetMenuStringA(GetMenu(gTermHWnd), item.first, text, sizeof(text), MF_BYCOMMAND);
    EXPECT_STREQ(text, item.second);
  }

  type("G1 X1");
  command(IDM_SELECTALL);
  EXPECT_EQ(selection().cpMin, 0);
  EXPECT_GE(selection().cpMax, 5);  // the control may count its final line mark
  command(IDM_UNDO);
  EXPECT_EQ(editorText(), "");
  command(IDM_REDO);
  EXPECT_EQ(editorText(), "G1 X1");

  // Run goes to the streaming once that is installed, and does nothing before.
  command(IDM_RUN);
  gRunProgram = [](HWND editor) { gRunEditor = editor; };
  command(IDM_RUN);
  gRunProgram = nullptr;
  EXPECT_EQ(gRunEditor, gEditHWnd);
}

TEST_F(FilesTest, OpenAndSaveKeepCrLfFilesByteForByte) {
  std::string path = tempPath("round.txt");
  const std::string bytes = "G21\r\nG90\r\n\r\nG1 X10.00 Y-3.50 F300 ; cut\r\nM30";
  ASSERT_TRUE(writeFile(path, bytes));
  ASSERT_EQ(OpenPath(path.c_str()), 1);
  EXPECT_EQ(title(), titleOf(path));
  EXPECT_EQ(editorText(), bytes);
  EXPECT_FALSE(modified());
  std::remove(path.c_str());
  command(IDM_SAVE);
  EXPECT_EQ(readFile(path), bytes);

  select(0, 0);
  type("N1 ");
  EXPECT_TRUE(modified());
  command(IDM_SAVE);
  EXPECT_FALSE(modified());
  EXPECT_EQ(readFile(path), "N1 " + bytes);
  EXPECT_EQ(title(), titleOf(path));
}

TEST_F(FilesTest, LargeCrLfFileRoundTrips) {
  // Loaded in many pieces: no CR LF pair may turn into two line breaks.
  std::string bytes;
  for (int i = 0; i < 20000; ++i) bytes += "G1 X" + std::to_string(i % 997) + std::string(i % 13, '0') + "\r\n";
  std::string path = tempPath("large.txt");
  ASSERT_TRUE(writeFile(path, bytes));
  ASSERT_EQ(OpenPath(path.c_str()), 1);
  EXPECT_EQ(GetEditorLineCount(gEditHWnd), 20001);
  std::remove(path.c_str());
  command(IDM_SAVE);
  EXPECT_TRUE(readFile(path) == bytes);
}

TEST_F(FilesTest, LineEndsBecomeCrLfHighBytesStay) {
  std::string high;
  for (int c = 0x80; c <= 0xFF; ++c) high += static_cast<char>(c);
  std::string path = tempPath("lf.txt");
  ASSERT_TRUE(writeFile(path, "G1 X1\nG1 X2\r; " + high + "\n"));
  ASSERT_EQ(OpenPath(path.c_str()), 1);
  EXPECT_EQ(GetEditorLineCount(gEditHWnd), 4);
  command(IDM_SAVE);
  EXPECT_EQ(readFile(path), "G1 X1\r\nG1 X2\r\n; " + high + "\r\n");
}

TEST_F(FilesTest, FailedOpenOrSaveChangesNothing) {
  std::string path = tempPath("first.txt");
  ASSERT_TRUE(writeFile(path, "G1 X1\r\n"));
  ASSERT_EQ(OpenPath(path.c_str()), 1);
  type("M3 ");
  HWND editor = gEditHWnd;
  std::string folder = tempPath("folder");  // a folder is neither read nor written as a file
  CreateDirectoryA(folder.c_str(), nullptr);
  {
    Answer box("File error", MESSAGE_TEXT, press(IDOK));
    EXPECT_EQ(OpenPath(folder.c_str()), 0);
    EXPECT_NE(box.text().find(folder), std::string::npos) << box.text();
  }
  EXPECT_EQ(gEditHWnd, editor);
  EXPECT_EQ(editorText(), "M3 G1 X1\r\n");
  EXPECT_EQ(title(), titleOf(path));
  EXPECT_STREQ(gTextFileName, path.c_str());
  EXPECT_TRUE(modified());

  std::free(gTextFileName);
  gTextFileName = _strdup(folder.c_str());
  {
    Answer box("File error", MESSAGE_TEXT, press(IDOK));
    command(IDM_SAVE);
    EXPECT_NE(box.text().find(folder), std::string::npos) << box.text();
  }
  EXPECT_TRUE(modified());  // a failed save is not shown as saved
  RemoveDirectoryA(folder.c_str());
}

// Presses Enter in a dialog, on the control that has the focus there.
void pressEnter(HWND dialog) {
  GUITHREADINFO gui = {};
  gui.cbSize = sizeof(gui);
  GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &gui);
  PostMessageA(gui.hwndFocus ? gui.hwndFocus : dialog, WM_KEYDOWN, VK_RETURN, 0);
}

// The question before a file that does not look like a program: Cancel,
// the default (what Enter answers), changes nothing; OK opens it.
TEST_F(FilesTest, FilesThatAreNoProgramsAreAskedAbout) {
  std::string program = tempPath("program.txt"), binary = tempPath("data.bin"), wide = tempPath("wide.txt");
  ASSERT_TRUE(writeFile(program, "G21\r\nG90\r\n"));
  std::string bytes = "G21\r\n";
  for (int i = 0; i < 3000; ++i) bytes += static_cast<char>((i * 7919) % 256);  // NUL bytes among them
  ASSERT_TRUE(writeFile(binary, bytes));
  ASSERT_TRUE(writeFile(wide, "G21\r\n" + std::string(5000, '7') + "\r\n"));
  ASSERT_EQ(OpenPath(program.c_str()), 1);
  type("M3 ");
  HWND editor = gEditHWnd;

  const char* QUESTION = "Not a G-code program";
  for (const std::string& path : {binary, wide}) {
    Answer box(QUESTION, MESSAGE_TEXT, pressEnter);
    EXPECT_EQ(OpenPath(path.c_str()), 0);
    std::string text = box.text();
    EXPECT_NE(text.find(path), std::string::npos) << text;
    EXPECT_NE(text.find(path == binary ? "line 2 holds a NUL byte" : "line 2 is 5,000 characters long"),
              std::string::npos) << text;
    EXPECT_EQ(gEditHWnd, editor);
    EXPECT_EQ(editorText(), "M3 G21\r\nG90\r\n");
    EXPECT_EQ(title(), titleOf(program));
    EXPECT_TRUE(modified());
  }

  // Through File > Open, answered OK: the file opens.
  {
    Answer discard(DISCARD, MESSAGE_TEXT, press(IDYES));
    Answer dialog("Open", FILE_NAME_BOX, chooseFile(wide));
    Answer box(QUESTION, MESSAGE_TEXT, press(IDOK));
    command(IDM_OPEN);
    EXPECT_TRUE(discard.seen() && dialog.seen() && box.seen());
  }
  EXPECT_EQ(title(), titleOf(wide));
  EXPECT_EQ(GetEditorLineCount(gEditHWnd), 3);

  // Programs, long comment lines among them, open without a question.
  std::string comments = tempPath("comments.gcode");
  std::string longComment = "; " + std::string(3000, 'c') + "\r\n";
  ASSERT_TRUE(writeFile(comments, longComment + "G1 X1\r\n" + longComment + longComment + "M30\r\n"));
  for (const std::string& path : {program, comments}) {
    Answer box(QUESTION, MESSAGE_TEXT, press(IDCANCEL), 1000);
    EXPECT_EQ(OpenPath(path.c_str()), 1);
    EXPECT_FALSE(box.seen()) << path;
    EXPECT_EQ(title(), titleOf(path));
  }
  for (const std::string& path : {program, binary, wide, comments}) std::remove(path.c_str());
}

// While a long text loads the window answers nothing: the wait cursor shows
// for the whole load, and the title names the file only once it is in.
TEST_F(FilesTest, ALongLoadShowsTheWaitCursorAndThenTheTitle) {
  std::string path = tempPath("long.txt"), text;
  for (int i = 0; i < 30000; ++i) text += "G1 X" + std::to_string(i % 977) + " Y" + std::to_string(i % 499) + "\r\n";
  ASSERT_TRUE(writeFile(path, text));
  HCURSOR wait = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT));
  struct Sample {
    double at;
    HCURSOR cursor;
    std::string title;
  };
  std::vector<Sample> samples;
  std::atomic<bool> loading{true};
  DWORD mainThread = GetCurrentThreadId();
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  auto now = [&] {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return 1000.0 * t.QuadPart / frequency.QuadPart;
  };
  // Sharing this thread's input state, the watcher reads the cursor it shows.
  std::thread watcher([&] {
    AttachThreadInput(GetCurrentThreadId(), mainThread, TRUE);
    while (loading) {
      samples.push_back({now(), GetCursor(), storedTitle(gTermHWnd)});
      Sleep(10);
    }
    AttachThreadInput(GetCurrentThreadId(), mainThread, FALSE);
  });
  Sleep(50);
  double start = now();
  ASSERT_EQ(OpenPath(path.c_str()), 1);
  double end = now();
  loading = false;
  watcher.join();
  int during = 0;
  for (const Sample& s : samples) {
    if (s.at < start + 0.2 * (end - start) || s.at > start + 0.8 * (end - start)) continue;
    ++during;
    EXPECT_EQ(s.cursor, wait) << s.at - start << " ms into a load of " << end - start << " ms";
    EXPECT_EQ(s.title, "KIVO Terminal") << s.at - start;
  }
  EXPECT_GT(during, 5);
  EXPECT_EQ(title(), titleOf(path));
  EXPECT_NE(GetCursor(), wait);
  std::remove(path.c_str());
}

TEST_F(FilesTest, OpenAndNewOnALongTextKeepTheUsersSettings) {
  // Open and New put a fresh control in place of the one holding the text.
  std::string big, path = tempPath("big.txt"), next = tempPath("next.txt");
  for (int i = 0; i < 20000; ++i) big += "G1 X" + std::to_string(i) + "\r\n";
  ASSERT_TRUE(writeFile(path, big));
  ASSERT_TRUE(writeFile(next, "G0 Z5\r\nM30\r\n"));
  ASSERT_EQ(OpenPath(path.c_str()), 1);
  HWND first = gEditHWnd;
  ASSERT_EQ(SetEditorFont(gEditHWnd, 14, "Times New Roman"), 1);
  SetEditorColor(gEditHWnd, 6, 1, RGB(1, 2, 3));
  SetEditorBackground(gEditHWnd, RGB(250, 240, 200));
  SetGutterWidth(gEditHWnd, 70);
  SetEditorReadOnly(gEditHWnd, 1);
  MarkLine(gEditHWnd, 3);
  command(IDM_FIND);
  HWND dialog = GetEditorInfo(gEditHWnd)->findDialog;
  ASSERT_NE(dialog, nullptr);
  SetFocus(gEditHWnd);
  RECT place;
  GetWindowRect(gEditHWnd, &place);

  auto expectSettings = [&](const char* text) {
    EditorInfo* info = GetEditorInfo(gEditHWnd);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(editorText(), text);
    EXPECT_FALSE(modified());
    EXPECT_EQ(GetParent(gEditHWnd), gTermHWnd);
    RECT rc;
    GetWindowRect(gEditHWnd, &rc);
    EXPECT_TRUE(EqualRect(&rc, &place));
    EXPECT_EQ(GetFocus(), gEditHWnd);
    CHARFORMAT2A cf;
    std::memset(&cf, 0, sizeof(cf));
    cf.cbSize = sizeof(cf);
    SendMessageA(gEditHWnd, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
    EXPECT_STREQ(cf.szFaceName, "Times New Roman");
    LOGFONTA lf;
    GetObjectA(info->font, sizeof(lf), &lf);
    EXPECT_STREQ(lf.lfFaceName, "Times New Roman");  // the font the colouring draws with
    EXPECT_EQ(SetEditorColor(gEditHWnd, 6, 0, 0), RGB(1, 2, 3));
    EXPECT_EQ(info->background, RGB(250, 240, 200));
    EXPECT_EQ(info->markCount, 0);
    SendMessageA(gEditHWnd, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&rc));
    EXPECT_GE(rc.left, 70);
    SendMessageA(gEditHWnd, WM_CHAR, 'Q', 0);  // read-only
    EXPECT_EQ(editorText(), text);
    EXPECT_EQ(info->findDialog, dialog);
    EXPECT_TRUE(IsWindow(dialog));
  };
  ASSERT_EQ(OpenPath(next.c_str()), 1);
  EXPECT_FALSE(IsWindow(first));
  EXPECT_EQ(title(), titleOf(next));
  expectSettings("G0 Z5\r\nM30\r\n");
  // The find dialog searches the new text.
  SetDlgItemTextA(dialog, IDC_FIND_TEXT, "M30");
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_FIND_FIND, BN_CLICKED), 0);
  EXPECT_EQ(selection().cpMin, 6);
  EXPECT_EQ(selection().cpMax, 9);

  command(IDM_NEW);
  EXPECT_EQ(title(), "KIVO Terminal");
  expectSettings("");
  SetEditorReadOnly(gEditHWnd, 0);
  type("G1");
  EXPECT_EQ(editorText(), "G1");
  SendMessageA(dialog, WM_CLOSE, 0, 0);
  EXPECT_EQ(GetEditorInfo(gEditHWnd)->findDialogOpen, 0);
  std::remove(path.c_str());
  std::remove(next.c_str());
}

TEST_F(FilesTest, DiscardPromptOnNewOpenAndExit) {
  std::string path = tempPath("keep.txt"), other = tempPath("other.gcode");
  ASSERT_TRUE(writeFile(path, "G1 X1\r\n"));
  ASSERT_TRUE(writeFile(other, "G0 Z5\r\n"));
  ASSERT_EQ(OpenPath(path.c_str()), 1);
  {
    Answer box(DISCARD, MESSAGE_TEXT, press(IDNO), 1000);
    command(IDM_NEW);  // not modified: no question
    EXPECT_FALSE(box.seen());
    EXPECT_EQ(title(), "KIVO Terminal");
  }
  ASSERT_EQ(OpenPath(path.c_str()), 1);
  type("M3 ");
  for (int id : {IDM_NEW, IDM_OPEN, IDM_EXIT}) {
    Answer box(DISCARD, MESSAGE_TEXT, press(IDNO));
    Answer dialog("Open", FILE_NAME_BOX, chooseFile(""));
    command(id);
    EXPECT_EQ(box.text(), DISCARD_TEXT) << id;
    EXPECT_FALSE(dialog.seen()) << "No stops the command";
    EXPECT_EQ(editorText(), "M3 G1 X1\r\n");
    EXPECT_EQ(title(), titleOf(path));
  }
  {
    Answer box(DISCARD, MESSAGE_TEXT, press(IDYES));
    Answer dialog("Open", FILE_NAME_BOX, chooseFile(other));
    command(IDM_OPEN);
    EXPECT_TRUE(box.seen() && dialog.seen());
    EXPECT_EQ(editorText(), "G0 Z5\r\n");
    EXPECT_EQ(title(), titleOf(other));
  }
  type("M5 ");
  {
    Answer box(DISCARD, MESSAGE_TEXT, press(IDYES));
    command(IDM_NEW);
    EXPECT_TRUE(box.seen());
    EXPECT_EQ(editorText(), "");
    EXPECT_EQ(title(), "KIVO Terminal");
    EXPECT_EQ(gTextFileName, nullptr);
  }
  type("G0 ");
  {
    Answer box(DISCARD, MESSAGE_TEXT, press(IDYES));
    command(IDM_EXIT);
    EXPECT_TRUE(box.seen());
    EXPECT_EQ(gTermHWnd, nullptr);
  }
}

TEST_F(FilesTest, CloseBoxDoesNotAsk) {
  type("G1 X1");
  HWND window = gTermHWnd;
  Answer box(DISCARD, MESSAGE_TEXT, press(IDNO), 1500);
  SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(box.seen());
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(FilesTest, SaveAsAppendsTxtOnlyToNewNamesWithoutADot) {
  auto saveAs = [&](int command_, const std::string& name) {
    Answer dialog("Save As", FILE_NAME_BOX, chooseFile(name));
    command(command_);
    EXPECT_TRUE(dialog.seen());
  };
  type("G1 X1");
  std::string base = tempPath("prog"), gcode = tempPath("prog.gcode"), plain = tempPath("plain");
  auto cleanUp = [&] {  // also what an earlier process of the same id left
    for (const std::string& f : {base + ".txt", gcode, plain}) std::remove(f.c_str());
  };
  cleanUp();
  saveAs(IDM_SAVE, base);  // Save with no file name acts as Save As
  EXPECT_EQ(readFile(base + ".txt"), "G1 X1");
  EXPECT_EQ(title(), titleOf(base + ".txt"));
  EXPECT_FALSE(modified());
  saveAs(IDM_SAVEAS, gcode);
  EXPECT_EQ(readFile(gcode), "G1 X1");
  EXPECT_EQ(title(), titleOf(gcode));

  // An existing file without a dot keeps its name, after the dialog's
  // overwrite question, whose caption is the platform's.
  ASSERT_TRUE(writeFile(plain, "old"));
  type("M3 ");
  {
    Answer overwrite("", MESSAGE_TEXT, press(IDYES));
    saveAs(IDM_SAVEAS, plain);
    EXPECT_TRUE(overwrite.seen());
  }
  EXPECT_EQ(readFile(plain), "G1 X1M3 ");
  EXPECT_FALSE(fileExists(plain + ".txt"));

  // "prog" means prog.txt, which exists now: asked again, No keeps it.
  {
    Answer again("Save As", MESSAGE_TEXT, press(IDNO));
    saveAs(IDM_SAVEAS, base);
    EXPECT_NE(again.text().find(base + ".txt"), std::string::npos) << again.text();
  }
  EXPECT_EQ(readFile(base + ".txt"), "G1 X1");
  cleanUp();
}

}  // namespace
