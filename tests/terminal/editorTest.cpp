// The editor control in the real main window: set-up, colouring, gutter,
// marks, context menu, zoom guard and the line operations.
#include <windows.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "terminal/editor/editor.h"
#include "terminal/editor/termIds.h"
#include "termTestUtil.h"

using namespace termtest;

namespace {

class EditorTest : public TermWindowTest {
 protected:
  int lineTop(int line) {  // 0-based line
    int start = static_cast<int>(SendMessageA(gEditHWnd, EM_LINEINDEX, line, 0));
    return posFromChar(gEditHWnd, start).y;
  }
  int lineHeight() { return lineTop(1) - lineTop(0); }
};

bool closeTo(COLORREF c, COLORREF want, int tolerance) {
  return std::abs(GetRValue(c) - GetRValue(want)) <= tolerance &&
         std::abs(GetGValue(c) - GetGValue(want)) <= tolerance &&
         std::abs(GetBValue(c) - GetBValue(want)) <= tolerance;
}

// Text pixels of a colour: close to it, where antialiased edges are not.
auto inColour(COLORREF want) {
  return [want](COLORREF c) { return closeTo(c, want, 40); };
}

TEST_F(EditorTest, SetUpOfTheControl) {
  EditorInfo* info = GetEditorInfo(gEditHWnd);
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->gutterWidth, 45);
  EXPECT_EQ(SendMessageA(gEditHWnd, EM_GETTEXTMODE, 0, 0) & (TM_PLAINTEXT | TM_RICHTEXT),
            TM_PLAINTEXT);
  LOGFONTA lf;
  ASSERT_TRUE(GetObjectA(info->font, sizeof(lf), &lf));
  EXPECT_STREQ(lf.lfFaceName, "Courier New");
  HDC dc = GetDC(gEditHWnd);
  EXPECT_EQ(lf.lfHeight, -MulDiv(9, GetDeviceCaps(dc, LOGPIXELSY), 72));
  ReleaseDC(gEditHWnd, dc);
  RECT rc;
  SendMessageA(gEditHWnd, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&rc));
  EXPECT_GE(rc.left, 45);  // text starts right of the gutter
  EXPECT_EQ(SetEditorColor(gEditHWnd, 11, 1, RGB(1, 2, 3)), 0u);
  EXPECT_EQ(SetEditorColor(gEditHWnd, 8, 0, 0), RGB(230, 0, 0));

  // Undo keeps the last 50 changes.
  for (int i = 0; i < 60; ++i) SendMessageA(gEditHWnd, EM_REPLACESEL, TRUE, (LPARAM) "x\r");
  int undos = 0;
  while (SendMessageA(gEditHWnd, EM_CANUNDO, 0, 0) && undos < 100) {
    SendMessageA(gEditHWnd, EM_UNDO, 0, 0);
    ++undos;
  }
  EXPECT_EQ(undos, 50);
}

TEST_F(EditorTest, TokensAreDrawnInTheirSlotColours) {
  load("G01 X-12.5 F300\r\nM3 ; spin it\r\nabc\r\n");
  int h = lineHeight();
  ASSERT_GT(h, 5);
  int line2 = static_cast<int>(SendMessageA(gEditHWnd, EM_LINEINDEX, 1, 0));
  int line3 = static_cast<int>(SendMessageA(gEditHWnd, EM_LINEINDEX, 2, 0));
  EXPECT_GT(countPixels(gEditHWnd, 0, 3, h, inColour(RGB(0, 0, 255))), 0);      // G01
  EXPECT_GT(countPixels(gEditHWnd, 4, 5, h, inColour(RGB(70, 25, 175))), 0);    // X
  EXPECT_GT(countPixels(gEditHWnd, 6, 10, h, inColour(RGB(230, 0, 0))), 0);     // 12.5
  EXPECT_GT(countPixels(gEditHWnd, 12, 15, h, inColour(RGB(230, 0, 0))), 0);    // 300
  EXPECT_EQ(countPixels(gEditHWnd, 5, 6, h, inColour(RGB(230, 0, 0))), 0);      // the minus
  EXPECT_GT(countPixels(gEditHWnd, line2, line2 + 2, h, inColour(RGB(130, 50, 200))), 0);  // M3
  EXPECT_EQ(countPixels(gEditHWnd, line3, line3 + 3, h, inColour(RGB(0, 0, 255))), 0);  // abc

  // The comment's words in the comment slot, then slot 0 for all other text.
  SetEditorColor(gEditHWnd, 7, 1, RGB(0, 160, 160));
  paint();
  EXPECT_GT(countPixels(gEditHWnd, line2 + 3, line2 + 12, h, inColour(RGB(0, 160, 160))), 0);
  EXPECT_EQ(countPixels(gEditHWnd, line3, line3 + 3, h, inColour(RGB(0, 170, 0))), 0);
  SetEditorColor(gEditHWnd, 0, 1, RGB(0, 170, 0));
  paint();
  EXPECT_GT(countPixels(gEditHWnd, line3, line3 + 3, h, inColour(RGB(0, 170, 0))), 0);
}

TEST_F(EditorTest, ColouringFollowsScrollingAndTabs) {
  std::string text;
  for (int i = 1; i <= 300; ++i) text += (i == 120 ? "\tM3\tS1000\r\n" : "X1 Y2\r\n");
  load(text);
  int h = lineHeight();
  ScrollToLine(gEditHWnd, 110);
  paint();
  int tabbed = static_cast<int>(SendMessageA(gEditHWnd, EM_LINEINDEX, 119, 0));
  int before = static_cast<int>(SendMessageA(gEditHWnd, EM_LINEINDEX, 118, 0));
  ASSERT_GT(posFromChar(gEditHWnd, tabbed).y, 0);
  EXPECT_GT(countPixels(gEditHWnd, tabbed + 1, tabbed + 3, h, inColour(RGB(130, 50, 200))), 0);  // M3
  EXPECT_GT(countPixels(gEditHWnd, tabbed + 5, tabbed + 9, h, inColour(RGB(230, 0, 0))), 0);     // 1000
  EXPECT_GT(countPixels(gEditHWnd, before + 1, before + 2, h, inColour(RGB(230, 0, 0))), 0);     // 1 of X1
  // The tab itself is not drawn over.
  EXPECT_EQ(countPixels(gEditHWnd, tabbed, tabbed + 1, h, inColour(RGB(130, 50, 200))), 0);
}

TEST_F(EditorTest, SelectedTokenKeepsTheSelectionColours) {
  load("G01 X-12.5 F300\r\n");
  int h = lineHeight();
  select(12, 15);  // 300
  paint();
  EXPECT_EQ(countPixels(gEditHWnd, 12, 15, h, inColour(RGB(230, 0, 0))), 0);
  EXPECT_GT(countPixels(gEditHWnd, 6, 10, h, inColour(RGB(230, 0, 0))), 0);
  // A token that ends where the selection begins is still coloured.
  select(11, 13);  // "F3"
  paint();
  EXPECT_GT(countPixels(gEditHWnd, 6, 10, h, inColour(RGB(230, 0, 0))), 0);
  EXPECT_EQ(countPixels(gEditHWnd, 11, 12, h, inColour(RGB(70, 25, 175))), 0);
}

TEST_F(EditorTest, GutterShowsNumbersSelectionAndMarks) {
  std::string text;
  for (int i = 1; i <= 10; ++i) text += "G1 X" + std::to_string(i) + "\r\n";
  load(text);
  int h = lineHeight();
  auto band = [&](int line) { return pixel(gEditHWnd, 2, lineTop(line) + h / 2); };
  const COLORREF GUTTER = RGB(225, 235, 245), SELECTED = RGB(200, 205, 220),
                 MARKED = RGB(255, 80, 50);
  // The caret's line carries the selection band even with nothing selected.
  EXPECT_EQ(band(0), SELECTED);
  EXPECT_EQ(band(2), GUTTER);

  // Numbers: dark pixels in the rows of lines, none below the last line.
  auto numberPixels = [&](int top) {
    int count = 0;
    HDC dc = GetDC(gEditHWnd);
    for (int y = top; y < top + h; ++y)
      for (int x = 0; x < 45; ++x)
        if (GetRValue(GetPixel(dc, x, y)) < 160) ++count;
    ReleaseDC(gEditHWnd, dc);
    return count;
  };
  EXPECT_GT(numberPixels(lineTop(9)), 0);
  EXPECT_EQ(numberPixels(lineTop(10) + 2 * h), 0);

  // Marks added for lines 5 and then 3: only line 5 is shown marked.
  MarkLine(gEditHWnd, 5);
  MarkLine(gEditHWnd, 3);
  paint();
  EXPECT_EQ(GetEditorInfo(gEditHWnd)->markCount, 2);
  EXPECT_EQ(band(4), MARKED);
  EXPECT_EQ(band(2), GUTTER);

  // Ascending marks all show, a line marked twice holds up no later mark,
  // and a mark wins over the selection band.
  ClearMarks(gEditHWnd);
  paint();
  EXPECT_EQ(band(4), GUTTER);
  for (int line : {1, 3, 3, 5}) MarkLine(gEditHWnd, line);
  paint();
  EXPECT_EQ(band(0), MARKED);
  EXPECT_EQ(band(2), MARKED);
  EXPECT_EQ(band(3), GUTTER);
  EXPECT_EQ(band(4), MARKED);

  // A selection over lines 7 to 8 bands exactly those (its end is exclusive).
  int from = static_cast<int>(SendMessageA(gEditHWnd, EM_LINEINDEX, 6, 0));
  int to = static_cast<int>(SendMessageA(gEditHWnd, EM_LINEINDEX, 8, 0));
  select(from, to);
  paint();
  EXPECT_EQ(band(5), GUTTER);
  EXPECT_EQ(band(6), SELECTED);
  EXPECT_EQ(band(7), SELECTED);
  EXPECT_EQ(band(8), GUTTER);
}

// Opens the context menu and reads which items are greyed, from a second
// thread while the menu is up; the menu is then closed with Escape.
std::map<int, bool> contextMenuGreying(HWND editor) {
  std::map<int, bool> greyed;
  std::thread reader([&] {
    for (int i = 0; i < 250; ++i) {
      HWND popup = findOwnWindow("#32768", nullptr);
      HMENU menu = popup ? reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0)) : nullptr;
      if (menu) {
        for (int id = IDC_CTX_UNDO; id <= IDC_CTX_CLEARMARKS; ++id)
          greyed[id] = (GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED) != 0;
        PostMessageA(popup, WM_KEYDOWN, VK_ESCAPE, 0);
        return;
      }
      Sleep(20);
    }
  });
  SendMessageA(editor, WM_RBUTTONUP, 0, MAKELPARAM(60, 5));
  reader.join();
  return greyed;
}

void setClipboard(const char* text) {
  ASSERT_TRUE(OpenClipboard(gTermHWnd));
  EmptyClipboard();
  if (text) {
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, std::strlen(text) + 1);
    std::strcpy(static_cast<char*>(GlobalLock(mem)), text);
    GlobalUnlock(mem);
    SetClipboardData(CF_TEXT, mem);
  }
  CloseClipboard();
}

TEST_F(EditorTest, ContextMenuGreying) {
  load("G1 X5\r\n");
  SendMessageA(gEditHWnd, EM_EMPTYUNDOBUFFER, 0, 0);
  setClipboard(nullptr);
  std::map<int, bool> g = contextMenuGreying(gEditHWnd);
  ASSERT_EQ(g.size(), 8u);
  EXPECT_TRUE(g[IDC_CTX_UNDO]);
  EXPECT_TRUE(g[IDC_CTX_REDO]);
  EXPECT_TRUE(g[IDC_CTX_CUT]);
  EXPECT_TRUE(g[IDC_CTX_COPY]);
  EXPECT_TRUE(g[IDC_CTX_PASTE]);
  EXPECT_FALSE(g[IDC_CTX_SELECTALL]);
  EXPECT_FALSE(g[IDC_CTX_SETFONT]);
  EXPECT_FALSE(g[IDC_CTX_CLEARMARKS]);

  // An undoable change, a selection and text on the clipboard.
  SendMessageA(gEditHWnd, EM_REPLACESEL, TRUE, (LPARAM) "M3 ");
  SendMessageA(gEditHWnd, EM_UNDO, 0, 0);
  SendMessageA(gEditHWnd, EM_REPLACESEL, TRUE, (LPARAM) "M5 ");
  select(0, 2);
  setClipboard("G0");
  g = contextMenuGreying(gEditHWnd);
  ASSERT_EQ(g.size(), 8u);
  EXPECT_FALSE(g[IDC_CTX_UNDO]);
  EXPECT_FALSE(g[IDC_CTX_CUT]);
  EXPECT_FALSE(g[IDC_CTX_COPY]);
  EXPECT_FALSE(g[IDC_CTX_PASTE]);
  SendMessageA(gEditHWnd, EM_UNDO, 0, 0);
  g = contextMenuGreying(gEditHWnd);
  EXPECT_FALSE(g[IDC_CTX_REDO]);
}

TEST_F(EditorTest, ZoomGuard) {
  std::string text;
  for (int i = 1; i <= 200; ++i) text += "G1 X" + std::to_string(i) + "\r\n";
  load(text);
  auto zoomed = [] {
    WPARAM num = 0;
    LPARAM den = 0;
    SendMessageA(gEditHWnd, EM_GETZOOM, reinterpret_cast<WPARAM>(&num), reinterpret_cast<LPARAM>(&den));
    return num != 0 || den != 0;
  };
  auto firstLine = [] { return SendMessageA(gEditHWnd, EM_GETFIRSTVISIBLELINE, 0, 0); };
  // Ctrl+wheel is swallowed: the control neither zooms nor scrolls.
  SendMessageA(gEditHWnd, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, -3 * WHEEL_DELTA), MAKELPARAM(100, 100));
  EXPECT_FALSE(zoomed());
  EXPECT_EQ(firstLine(), 0);
  SendMessageA(gEditHWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, -3 * WHEEL_DELTA), MAKELPARAM(100, 100));
  EXPECT_GT(firstLine(), 0) << "a plain wheel turn scrolls";

  // A zoom set any other way is undone by the next paint. The control is
  // hidden meanwhile, or setting the zoom would repaint it at once.
  ShowWindow(gEditHWnd, SW_HIDE);
  SendMessageA(gEditHWnd, EM_SETZOOM, 3, 1);
  ASSERT_TRUE(zoomed());
  ShowWindow(gEditHWnd, SW_SHOW);
  paint();
  EXPECT_FALSE(zoomed());
}

TEST_F(EditorTest, LineOperations) {
  std::string text;
  for (int i = 1; i <= 200; ++i) text += "N" + std::to_string(i) + " G1 X" + std::to_string(i) + "\r\n";
  load(text);
  EXPECT_EQ(GetEditorLineCount(gEditHWnd), 201);  // the empty line after the last break
  char* line = GetLineText(gEditHWnd, 2);
  ASSERT_NE(line, nullptr);
  EXPECT_STREQ(line, "N2 G1 X2");
  std::free(line);
  line = GetLineText(gEditHWnd, 201);
  EXPECT_STREQ(line, "");
  std::free(line);

  ScrollToLine(gEditHWnd, 50);
  EXPECT_EQ(SendMessageA(gEditHWnd, EM_GETFIRSTVISIBLELINE, 0, 0), 49);
  ScrollToLine(gEditHWnd, 3);
  EXPECT_EQ(SendMessageA(gEditHWnd, EM_GETFIRSTVISIBLELINE, 0, 0), 2);

  SetEditorReadOnly(gEditHWnd, 1);
  select(0, 0);
  SendMessageA(gEditHWnd, WM_CHAR, 'Q', 0);
  line = GetLineText(gEditHWnd, 1);
  EXPECT_STREQ(line, "N1 G1 X1");
  std::free(line);
  SetEditorReadOnly(gEditHWnd, 0);
  SendMessageA(gEditHWnd, WM_CHAR, 'Q', 0);
  line = GetLineText(gEditHWnd, 1);
  EXPECT_STREQ(line, "QN1 G1 X1");
  std::free(line);
}

}  // namespace
