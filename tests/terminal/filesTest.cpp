// Files and the discard prompt of the real main window.
#include <windows.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <string>

#include "terminal/editor/termIds.h"
#include "termTestUtil.h"

using namespace termtest;

namespace {

const char DISCARD_TEXT[] =
    "The current text has been modified before the last save, are you sure you want to "
    "lose all changes?";

// Answers a file dialog from a second thread: types the name and presses OK,
// or cancels when the name is empty.
class FileDialogAnswer {
 public:
  FileDialogAnswer(const char* caption, std::string name)
      : caption_(caption), name_(std::move(name)) {
    thread_ = std::thread([this] { run(); });
  }
  ~FileDialogAnswer() { wait(); }
  void wait() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }
  bool seen() { wait(); return seen_; }

 private:
  void run() {
    for (int i = 0; i < 500 && !stop_; ++i) {
      // The file dialog (with its name box), not a message box of the same caption.
      HWND dialog = findOwnWindow("#32770", caption_, 0x47c);
      if (!dialog) dialog = findOwnWindow("#32770", caption_, 0x480);
      if (dialog) {
        seen_ = true;
        if (name_.empty()) {
          PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
          return;
        }
        for (int id : {0x47c, 0x480})  // name combo box or edit box
          if (HWND box = GetDlgItem(dialog, id)) SetWindowTextA(box, name_.c_str());
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        return;
      }
      Sleep(20);
    }
  }
  const char* caption_;
  std::string name_;
  std::thread thread_;
  std::atomic<bool> seen_{false};
  std::atomic<bool> stop_{false};
};

class FilesTest : public TermWindowTest {
 protected:
  void command(int id) {
    SendMessageA(gTermHWnd, WM_COMMAND, id, 0);
    pump();
  }
  void type(const char* text) { SendMessageA(gEditHWnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text)); }
  std::string title() { return windowText(gTermHWnd); }
};

TEST_F(FilesTest, OpenAndSaveKeepCrLfFilesByteForByte) {
  EXPECT_EQ(title(), "KIVO Terminal");
  std::string path = tempPath("round.txt");
  const std::string bytes = "G21\r\nG90\r\n\r\nG1 X10.00 Y-3.50 F300 ; cut\r\nM30";
  writeFile(path, bytes);
  ASSERT_EQ(OpenPath(path.c_str()), 1);
  EXPECT_EQ(title(), "KIVO Terminal [" + path + "]");
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
  EXPECT_EQ(title(), "KIVO Terminal [" + path + "]");
}

TEST_F(FilesTest, LargeCrLfFileRoundTrips) {
  // Many pieces of streaming: no CR LF pair may turn into two line breaks.
  std::string bytes;
  int lines = 20000;
  for (int i = 0; i < lines; ++i) bytes += "G1 X" + std::to_string(i % 997) + std::string(i % 13, '0') + "\r\n";
  std::string path = tempPath("large.txt");
  writeFile(path, bytes);
  ASSERT_EQ(OpenPath(path.c_str()), 1);
  EXPECT_EQ(GetEditorLineCount(gEditHWnd), lines + 1);
  std::remove(path.c_str());
  command(IDM_SAVE);
  EXPECT_TRUE(readFile(path) == bytes);
  std::remove(path.c_str());
}

TEST_F(FilesTest, LineEndsAndHighBytesOnSave) {
  // Every line break is written as CR LF; bytes 0x80 to 0xFF of the code
  // page come back unchanged.
  std::string path = tempPath("lf.txt");
  writeFile(path, "G1 X1\nG1 X2\n; \xE4\xF6\xFC \xB0\xE9\n");
  ASSERT_EQ(OpenPath(path.c_str()), 1);
  command(IDM_SAVE);
  EXPECT_EQ(readFile(path), "G1 X1\r\nG1 X2\r\n; \xE4\xF6\xFC \xB0\xE9\r\n");
}

TEST_F(FilesTest, UnreadableFileChangesNothing) {
  std::string path = tempPath("first.txt");
  writeFile(path, "G1 X1\r\n");
  ASSERT_EQ(OpenPath(path.c_str()), 1);
  type("M3 ");
  // A folder cannot be read as a file.
  std::string folder = tempPath("folder");
  CreateDirectoryA(folder.c_str(), nullptr);
  BoxAnswer box("File error", IDOK);
  EXPECT_EQ(OpenPath(folder.c_str()), 0);
  EXPECT_TRUE(box.seen());
  EXPECT_NE(box.text().find(folder), std::string::npos) << box.text();
  EXPECT_EQ(editorText(), "M3 G1 X1\r\n");
  EXPECT_EQ(title(), "KIVO Terminal [" + path + "]");
  EXPECT_STREQ(gTextFileName, path.c_str());
  EXPECT_TRUE(modified());
  RemoveDirectoryA(folder.c_str());
}

TEST_F(FilesTest, UnwritableFileStaysModified) {
  std::string folder = tempPath("target");
  CreateDirectoryA(folder.c_str(), nullptr);
  std::string path = tempPath("target.txt");
  writeFile(path, "G1\r\n");
  ASSERT_EQ(OpenPath(path.c_str()), 1);
  type("M5 ");
  // The file name now names a folder, which cannot be written as a file.
  std::free(gTextFileName);
  gTextFileName = _strdup(folder.c_str());
  BoxAnswer box("File error", IDOK);
  command(IDM_SAVE);
  EXPECT_TRUE(box.seen());
  EXPECT_NE(box.text().find(folder), std::string::npos) << box.text();
  EXPECT_TRUE(modified());
  RemoveDirectoryA(folder.c_str());
}

TEST_F(FilesTest, DiscardPromptOnNewOpenAndExit) {
  std::string path = tempPath("keep.txt");
  writeFile(path, "G1 X1\r\n");
  ASSERT_EQ(OpenPath(path.c_str()), 1);

  // Not modified: no prompt.
  {
    BoxAnswer box("Are you sure?", IDNO, 1000);
    command(IDM_NEW);
    EXPECT_FALSE(box.seen());
    EXPECT_EQ(title(), "KIVO Terminal");
  }
  ASSERT_EQ(OpenPath(path.c_str()), 1);
  type("M3 ");
  for (int id : {IDM_NEW, IDM_OPEN, IDM_EXIT}) {
    BoxAnswer box("Are you sure?", IDNO);
    FileDialogAnswer dialog("Open", "");
    command(id);
    EXPECT_TRUE(box.seen()) << id;
    EXPECT_EQ(box.text(), DISCARD_TEXT);
    EXPECT_FALSE(dialog.seen()) << "No stops the command";
    EXPECT_TRUE(IsWindow(gTermHWnd));
    EXPECT_EQ(editorText(), "M3 G1 X1\r\n");
    EXPECT_EQ(title(), "KIVO Terminal [" + path + "]");
  }
  {
    BoxAnswer box("Are you sure?", IDYES);
    FileDialogAnswer dialog("Open", "");  // cancelled: nothing changes
    command(IDM_OPEN);
    EXPECT_TRUE(box.seen());
    EXPECT_TRUE(dialog.seen());
    EXPECT_EQ(editorText(), "M3 G1 X1\r\n");
  }
  {
    BoxAnswer box("Are you sure?", IDYES);
    command(IDM_NEW);
    EXPECT_TRUE(box.seen());
    EXPECT_EQ(editorText(), "");
    EXPECT_EQ(title(), "KIVO Terminal");
    EXPECT_EQ(gTextFileName, nullptr);
    EXPECT_FALSE(modified());
  }
  type("G0 ");
  {
    BoxAnswer box("Are you sure?", IDYES);
    command(IDM_EXIT);
    EXPECT_TRUE(box.seen());
    EXPECT_FALSE(IsWindow(gEditHWnd));
    EXPECT_EQ(gTermHWnd, nullptr);
  }
}

TEST_F(FilesTest, CloseBoxDoesNotAsk) {
  type("G1 X1");
  ASSERT_TRUE(modified());
  HWND window = gTermHWnd;
  BoxAnswer box("Are you sure?", IDNO, 1500);
  SendMessageA(window, WM_CLOSE, 0, 0);
  pump();
  EXPECT_FALSE(box.seen());
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(FilesTest, OpenThroughTheDialog) {
  std::string path = tempPath("dialog.gcode");
  writeFile(path, "G0 Z5\r\n");
  FileDialogAnswer dialog("Open", path);
  command(IDM_OPEN);
  ASSERT_TRUE(dialog.seen());
  EXPECT_EQ(editorText(), "G0 Z5\r\n");
  EXPECT_EQ(title(), "KIVO Terminal [" + path + "]");
}

TEST_F(FilesTest, SaveAsAppendsTxtOnlyToNewNamesWithoutADot) {
  type("G1 X1");
  std::string base = tempPath("prog");
  std::remove((base + ".txt").c_str());
  {
    // Save with no file name acts as Save As.
    FileDialogAnswer dialog("Save As", base);
    command(IDM_SAVE);
    ASSERT_TRUE(dialog.seen());
  }
  EXPECT_EQ(readFile(base + ".txt"), "G1 X1");
  EXPECT_EQ(title(), "KIVO Terminal [" + base + ".txt]");
  EXPECT_FALSE(modified());

  std::string gcode = tempPath("prog.gcode");
  {
    FileDialogAnswer dialog("Save As", gcode);
    command(IDM_SAVEAS);
  }
  EXPECT_EQ(readFile(gcode), "G1 X1");
  EXPECT_EQ(title(), "KIVO Terminal [" + gcode + "]");

  // A dot in a folder name counts as a dot.
  std::string folder = tempPath("v1.2");
  CreateDirectoryA(folder.c_str(), nullptr);
  std::string inFolder = folder + "\\prog";
  {
    FileDialogAnswer dialog("Save As", inFolder);
    command(IDM_SAVEAS);
  }
  EXPECT_EQ(readFile(inFolder), "G1 X1");

  // An existing file without extension keeps its name, after the dialog's
  // own overwrite question.
  {
    FileDialogAnswer dialog("Save As", inFolder);
    BoxAnswer overwrite("", IDYES);  // its caption is the platform's
    type("M3 ");
    command(IDM_SAVEAS);
    EXPECT_TRUE(overwrite.seen());
  }
  EXPECT_EQ(readFile(inFolder), "G1 X1M3 ");
  EXPECT_EQ(readFile(inFolder + ".txt"), "<missing>");
  std::remove(inFolder.c_str());
  RemoveDirectoryA(folder.c_str());

  // "prog" now means prog.txt, which exists: asked again, No keeps it.
  {
    FileDialogAnswer dialog("Save As", base);
    BoxAnswer again("Save As", IDNO);
    command(IDM_SAVEAS);
    EXPECT_TRUE(again.seen());
    EXPECT_NE(again.text().find(base + ".txt"), std::string::npos);
  }
  EXPECT_EQ(readFile(base + ".txt"), "G1 X1");
  std::remove((base + ".txt").c_str());
  std::remove(gcode.c_str());
}

}  // namespace
