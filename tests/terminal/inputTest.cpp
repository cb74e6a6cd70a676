// Typing and pasting into the editor through the window's message queue, as
// a user's keys arrive: in every state the editor can be in, and paste from
// the Edit menu, the context menu and Ctrl+V.
#include <string>

#include "terminal/editor/textLimit.h"
#include "termTestUtil.h"

using namespace termtest;

namespace {

class InputTest : public TermWindowTest {
 protected:
  // Types text at the end of the editor's text and returns how much of it
  // arrived there.
  size_t typeAtEnd(const std::string& text) {
    SetFocus(gEditHWnd);
    pressKey(gEditHWnd, VK_END, {VK_CONTROL});
    std::string before = editorText();
    typeChars(gEditHWnd, text);
    std::string after = editorText();
    EXPECT_EQ(after.compare(0, before.size(), before), 0);
    return after.size() - before.size();
  }
  LRESULT limit() { return SendMessageA(gEditHWnd, EM_GETLIMITTEXT, 0, 0); }
};

const std::string HUNDRED = [] {
  std::string text;
  for (int i = 0; text.size() < 100; ++i) text += "G1 X" + std::to_string(i % 10) + " ";
  return text.substr(0, 100);
}();

TEST_F(InputTest, TypingReachesTheEditorInEveryState) {
  // At start-up, in the empty editor.
  EXPECT_EQ(typeAtEnd("g1"), 2u);
  EXPECT_EQ(editorText(), "g1");
  EXPECT_EQ(limit(), TEXT_LIMIT_MAX);

  {
    Answer discard("Are you sure?", MESSAGE_TEXT, press(IDYES));
    command(IDM_NEW);
  }
  EXPECT_EQ(typeAtEnd("g1"), 2u);

  // A failed Open keeps the editor as it was, typing included.
  std::string folder = tempPath("notAFile");
  CreateDirectoryA(folder.c_str(), nullptr);
  {
    Answer error("File error", MESSAGE_TEXT, press(IDOK));
    EXPECT_EQ(OpenPath(folder.c_str()), 0);
  }
  RemoveDirectoryA(folder.c_str());
  EXPECT_EQ(typeAtEnd(HUNDRED), 100u);

  // After Open the control lowered its limit to the text's length once;
  // a three-line text then took three characters.
  load("G21\r\nG90\r\nM30\r\n");
  EXPECT_EQ(limit(), TEXT_LIMIT_MAX);
  EXPECT_EQ(typeAtEnd(HUNDRED), 100u);
  EXPECT_EQ(editorText(), "G21\r\nG90\r\nM30\r\n" + HUNDRED);

  std::string longText;
  for (int i = 0; i < 20000; ++i) longText += "G1 X" + std::to_string(i) + "\r\n";
  load(longText);
  EXPECT_EQ(typeAtEnd(HUNDRED + HUNDRED + HUNDRED), 300u);
  EXPECT_EQ(GetWindowTextLengthA(gEditHWnd), static_cast<int>(longText.size() + 300));
}

TEST_F(InputTest, TheWindowHandsTheKeyboardToTheEditor) {
  // As when the user comes back to the window from another program: the
  // focus the main window gets goes on to the editor.
  SetFocus(gTermHWnd);
  EXPECT_EQ(GetFocus(), gEditHWnd);
  load("G21\r\n");
  SetFocus(gTermHWnd);
  EXPECT_EQ(GetFocus(), gEditHWnd);
}

class PasteTest : public InputTest {
 protected:
  const std::string TEXT = "G1 X1\r\nG1 X2\r\nG1 X3\r\n";
  void SetUp() override {
    InputTest::SetUp();
    load(TEXT);
  }
  // Selects the first match of word with the Find/Replace dialog.
  void findWord(const char* word) {
    command(IDM_FIND);
    HWND dialog = GetEditorInfo(gEditHWnd)->findDialog;
    ASSERT_NE(dialog, nullptr);
    SetDlgItemTextA(dialog, IDC_FIND_TEXT, word);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_FIND_FIND, BN_CLICKED), 0);
    SendMessageA(dialog, WM_CLOSE, 0, 0);
    pump();
  }
};

// The three ways a user pastes.
enum class Way { MENU, CONTEXT_MENU, CTRL_V };

void paste(Way way) {
  switch (way) {
    case Way::MENU: SendMessageA(gTermHWnd, WM_COMMAND, IDM_PASTE, 0); break;
    case Way::CONTEXT_MENU: {
      MenuChoice choice(IDC_CTX_PASTE);
      PostMessageA(gEditHWnd, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(60, 5));
      PostMessageA(gEditHWnd, WM_RBUTTONUP, 0, MAKELPARAM(60, 5));
      pump();
      EXPECT_TRUE(choice.seen());
      break;
    }
    case Way::CTRL_V: pressKey(gEditHWnd, 'V', {VK_CONTROL}); break;
  }
  pump();
}

TEST_F(PasteTest, PasteInsertsAtTheCaretAndReplacesOnlyTheSelection) {
  for (Way way : {Way::MENU, Way::CONTEXT_MENU, Way::CTRL_V}) {
    SCOPED_TRACE(static_cast<int>(way));
    load(TEXT);
    findWord("X2");
    ASSERT_EQ(selection().cpMin, lineIndex(1) + 3);
    command(IDM_COPY);
    pressKey(gEditHWnd, VK_HOME, {VK_CONTROL});
    ASSERT_EQ(selection().cpMax, 0);
    EXPECT_FALSE(modified());

    paste(way);
    EXPECT_EQ(editorText(), "X2" + TEXT);
    EXPECT_EQ(selection().cpMin, 2);  // the caret stands after the pasted text
    EXPECT_TRUE(modified());
    command(IDM_UNDO);
    EXPECT_EQ(editorText(), TEXT) << "one Undo takes the paste back";

    select(lineIndex(2) + 3, lineIndex(2) + 5);  // "X3"
    paste(way);
    EXPECT_EQ(editorText(), "G1 X1\r\nG1 X2\r\nG1 X2\r\n");
    command(IDM_UNDO);
    EXPECT_EQ(editorText(), TEXT);
  }
}

TEST_F(PasteTest, PastedTextIsAChangeTheDiscardPromptGuards) {
  select(0, 2);
  command(IDM_COPY);
  select(lineIndex(3), lineIndex(3));
  pressKey(gEditHWnd, VK_INSERT, {VK_SHIFT});
  EXPECT_EQ(editorText(), TEXT + "G1");
  {
    Answer discard("Are you sure?", MESSAGE_TEXT, press(IDNO));
    command(IDM_NEW);
    EXPECT_TRUE(discard.seen());
  }
  EXPECT_EQ(editorText(), TEXT + "G1");

  // A read-only editor (during a run) takes no paste.
  SetEditorReadOnly(gEditHWnd, 1);
  paste(Way::CTRL_V);
  paste(Way::MENU);
  EXPECT_EQ(editorText(), TEXT + "G1");
}

}  // namespace
