// The Find/Replace dialog on the real editor.
#include "terminal/editor/findDialog.h"
#include "termTestUtil.h"

using namespace termtest;

namespace {

class FindTest : public TermWindowTest {
 protected:
  HWND open() {
    command(IDM_FIND);
    EditorInfo* info = GetEditorInfo(gEditHWnd);
    return info->findDialogOpen ? info->findDialog : nullptr;
  }
  void click(HWND dialog, int id) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
  }
  // Presses Find; the new selection's start, or -1 after "Couldnt find it!"
  // (answered here) with the selection unchanged.
  int find(HWND dialog) {
    CHARRANGE before = selection();
    Answer box("Cant find string", MESSAGE_TEXT, press(IDOK));
    click(dialog, IDC_FIND_FIND);
    CHARRANGE after = selection();
    if (!box.seen()) return after.cpMin;
    EXPECT_EQ(box.text(), "Couldnt find it!");
    EXPECT_TRUE(after.cpMin == before.cpMin && after.cpMax == before.cpMax);
    return -1;
  }
  void backwards(HWND dialog) {
    CheckRadioButton(dialog, IDC_FIND_FORWARDS, IDC_FIND_BACKWARDS, IDC_FIND_BACKWARDS);
  }
};

// Line starts 0, 5, 10 and 15 (the control keeps one character per break).
const char TEXT[] = "G1 A\r\nG1 B\r\ng1 C\r\nG1 D";

TEST_F(FindTest, OneModelessDialogPerEditor) {
  HWND dialog = open();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(IsWindowVisible(dialog));
  RECT rc, screen;  // centred on the screen, not on the main window
  GetWindowRect(dialog, &rc);
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &screen, 0);
  EXPECT_NEAR((rc.left + rc.right) / 2, (screen.left + screen.right) / 2, 2);
  EXPECT_NEAR((rc.top + rc.bottom) / 2, (screen.top + screen.bottom) / 2, 2);
  EXPECT_EQ(windowText(dialog), "Find/Replace");
  EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_FIND_FORWARDS), BST_CHECKED);
  EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_FIND_CASE), BST_UNCHECKED);
  SetDlgItemTextA(dialog, IDC_FIND_TEXT, "G1");
  EXPECT_EQ(open(), dialog);  // a second request opens nothing new
  click(dialog, IDC_FIND_CANCEL);
  EXPECT_FALSE(IsWindow(dialog));

  // A new dialog starts empty; the close box ends it too.
  dialog = open();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(windowText(GetDlgItem(dialog, IDC_FIND_TEXT)), "");
  SendMessageA(dialog, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_EQ(GetEditorInfo(gEditHWnd)->findDialogOpen, 0);

  // The editor takes an open dialog with it.
  dialog = open();
  DestroyWindow(gTermHWnd);
  EXPECT_FALSE(IsWindow(dialog));
}

TEST_F(FindTest, ForwardsFromOneAfterTheSelectionStartWithoutWrapping) {
  load(TEXT);
  HWND dialog = open();
  SetDlgItemTextA(dialog, IDC_FIND_TEXT, "G1");
  select(0, 0);
  EXPECT_EQ(find(dialog), 5);  // the match at the caret is passed over
  EXPECT_EQ(selection().cpMax, 7);
  EXPECT_EQ(find(dialog), 10);  // "g1": case does not count
  EXPECT_EQ(find(dialog), 15);
  EXPECT_EQ(find(dialog), -1);  // no wrap to the start

  CheckDlgButton(dialog, IDC_FIND_CASE, BST_CHECKED);
  select(0, 0);
  EXPECT_EQ(find(dialog), 5);
  EXPECT_EQ(find(dialog), 15);

  load("aaaa");  // a match overlapping the selected one is found
  SetDlgItemTextA(dialog, IDC_FIND_TEXT, "aa");
  select(0, 2);
  EXPECT_EQ(find(dialog), 1);
}

TEST_F(FindTest, BackwardsWalksToTheStart) {
  load(TEXT);
  HWND dialog = open();
  SetDlgItemTextA(dialog, IDC_FIND_TEXT, "g1");
  backwards(dialog);
  select(19, 19);
  for (int expected : {15, 10, 5, 0, -1}) EXPECT_EQ(find(dialog), expected);
  CheckDlgButton(dialog, IDC_FIND_CASE, BST_CHECKED);
  select(19, 19);
  EXPECT_EQ(find(dialog), 10);
  EXPECT_EQ(find(dialog), -1);
}

TEST_F(FindTest, ReplaceSelectionIsUndoable) {
  load(TEXT);
  HWND dialog = open();
  SetDlgItemTextA(dialog, IDC_FIND_REPLACE_TEXT, "G0");
  select(5, 7);
  click(dialog, IDC_FIND_REPLACE);
  EXPECT_EQ(editorText(), "G1 A\r\nG0 B\r\ng1 C\r\nG1 D");
  EXPECT_EQ(selection().cpMin, 7);  // the caret stands after the new text
  EXPECT_EQ(selection().cpMax, 7);
  SendMessageA(gEditHWnd, EM_UNDO, 0, 0);
  EXPECT_EQ(editorText(), TEXT);

  select(3, 3);  // no selection: nothing happens
  click(dialog, IDC_FIND_REPLACE);
  EXPECT_EQ(editorText(), TEXT);

  SetDlgItemTextA(dialog, IDC_FIND_REPLACE_TEXT, "");  // an empty replacement deletes
  select(0, 3);
  click(dialog, IDC_FIND_REPLACE);
  EXPECT_EQ(editorText().substr(0, 3), "A\r\n");
  SendMessageA(gEditHWnd, EM_UNDO, 0, 0);
  EXPECT_EQ(editorText(), TEXT);

  SetEditorReadOnly(gEditHWnd, 1);  // as while a program runs
  SetDlgItemTextA(dialog, IDC_FIND_REPLACE_TEXT, "G0");
  select(5, 7);
  click(dialog, IDC_FIND_REPLACE);
  SetEditorReadOnly(gEditHWnd, 0);
  EXPECT_EQ(editorText(), TEXT);
}

}  // namespace
