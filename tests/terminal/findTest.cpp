// The Find/Replace dialog on the real editor.
#include <windows.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include "terminal/editor/findDialog.h"
#include "terminal/editor/termIds.h"
#include "termTestUtil.h"

using namespace termtest;

namespace {

class FindTest : public TermWindowTest {
 protected:
  HWND open() {
    SendMessageA(gTermHWnd, WM_COMMAND, IDM_FIND, 0);
    pump();
    EditorInfo* info = GetEditorInfo(gEditHWnd);
    return info->findDialogOpen ? info->findDialog : nullptr;
  }
  void press(HWND dialog, int id) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
    pump();
  }
  // Presses Find; returns the new selection's start, or -1 after the
  // "Couldnt find it!" box (answered here) with the selection unchanged.
  int find(HWND dialog) {
    CHARRANGE before = selection(gEditHWnd);
    BoxAnswer box("Cant find string", IDOK, 3000);
    press(dialog, IDC_FIND_FIND);
    if (box.seen()) {
      EXPECT_EQ(box.text(), "Couldnt find it!");
      CHARRANGE after = selection(gEditHWnd);
      EXPECT_EQ(after.cpMin, before.cpMin);
      EXPECT_EQ(after.cpMax, before.cpMax);
      return -1;
    }
    return selection(gEditHWnd).cpMin;
  }
};

// Line starts 0, 5, 10 and 15 (the control keeps one character per break).
const char TEXT[] = "G1 A\r\nG1 B\r\ng1 C\r\nG1 D";

TEST_F(FindTest, OneModelessDialogPerEditor) {
  HWND dialog = open();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(windowText(dialog), "Find/Replace");
  EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_FIND_FORWARDS), BST_CHECKED);
  EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_FIND_CASE), BST_UNCHECKED);
  SetDlgItemTextA(dialog, IDC_FIND_TEXT, "G1");
  EXPECT_EQ(open(), dialog);  // a second request opens nothing new
  press(dialog, IDC_FIND_CANCEL);
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_EQ(GetEditorInfo(gEditHWnd)->findDialogOpen, 0);

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
  EXPECT_EQ(selection(gEditHWnd).cpMax, 7);
  EXPECT_EQ(find(dialog), 10);  // "g1": case does not count
  EXPECT_EQ(find(dialog), 15);
  EXPECT_EQ(find(dialog), -1);  // no wrap to the start

  CheckDlgButton(dialog, IDC_FIND_CASE, BST_CHECKED);
  select(0, 0);
  EXPECT_EQ(find(dialog), 5);
  EXPECT_EQ(find(dialog), 15);

  // A match that overlaps the selected one is found.
  load("aaaa");
  SetDlgItemTextA(dialog, IDC_FIND_TEXT, "aa");
  select(0, 2);
  EXPECT_EQ(find(dialog), 1);
}

TEST_F(FindTest, BackwardsWalksToTheStart) {
  load(TEXT);
  HWND dialog = open();
  SetDlgItemTextA(dialog, IDC_FIND_TEXT, "g1");
  CheckDlgButton(dialog, IDC_FIND_FORWARDS, BST_UNCHECKED);
  CheckDlgButton(dialog, IDC_FIND_BACKWARDS, BST_CHECKED);
  select(19, 19);
  EXPECT_EQ(find(dialog), 15);
  EXPECT_EQ(find(dialog), 10);
  EXPECT_EQ(find(dialog), 5);
  EXPECT_EQ(find(dialog), 0);
  EXPECT_EQ(find(dialog), -1);
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
  press(dialog, IDC_FIND_REPLACE);
  EXPECT_EQ(editorText().substr(0, 12), "G1 A\r\nG0 B\r\n");
  CHARRANGE after = selection(gEditHWnd);
  EXPECT_EQ(after.cpMin, 7);  // the caret stands after the new text
  EXPECT_EQ(after.cpMax, 7);
  EXPECT_TRUE(modified());
  SendMessageA(gEditHWnd, EM_UNDO, 0, 0);
  EXPECT_EQ(editorText(), "G1 A\r\nG1 B\r\ng1 C\r\nG1 D");

  // No selection: nothing happens.
  select(3, 3);
  press(dialog, IDC_FIND_REPLACE);
  EXPECT_EQ(editorText(), "G1 A\r\nG1 B\r\ng1 C\r\nG1 D");

  // An empty replacement deletes the selection, undoably.
  SetDlgItemTextA(dialog, IDC_FIND_REPLACE_TEXT, "");
  select(0, 3);
  press(dialog, IDC_FIND_REPLACE);
  EXPECT_EQ(editorText().substr(0, 3), "A\r\n");
  SendMessageA(gEditHWnd, EM_UNDO, 0, 0);
  EXPECT_EQ(editorText().substr(0, 4), "G1 A");
}

}  // namespace
