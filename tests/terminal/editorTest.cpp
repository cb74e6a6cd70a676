// The editor control in the real main window: set-up, colouring, gutter,
// marks, context menu, zoom guard and the line operations.
#include <map>
#include <string>

#include "terminal/editor/editorView.h"
#include "termTestUtil.h"

using namespace termtest;

namespace {

using EditorTest = TermWindowTest;

const COLORREF G_WORD = RGB(0, 0, 255), M_WORD = RGB(130, 50, 200), NUMBER = RGB(230, 0, 0),
               ADDRESS = RGB(70, 25, 175);

std::string lines(int count, const std::string& prefix) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += prefix + std::to_string(i) + "\r\n";
  return text;
}

// Dark (number) pixels in the gutter's row of height h from top.
int gutterInk(int top, int h) {
  int count = 0;
  HDC dc = GetDC(gEditHWnd);
  for (int y = top; y < top + h; ++y)
    for (int x = 0; x < 45; ++x) count += GetRValue(GetPixel(dc, x, y)) < 160;
  ReleaseDC(gEditHWnd, dc);
  return count;
}

TEST_F(EditorTest, SetUpOfTheControl) {
  EditorInfo* info = GetEditorInfo(gEditHWnd);
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(SendMessageA(gEditHWnd, EM_GETTEXTMODE, 0, 0) & (TM_PLAINTEXT | TM_RICHTEXT), TM_PLAINTEXT);
  LOGFONTA lf;
  ASSERT_TRUE(GetObjectA(info->font, sizeof(lf), &lf));
  EXPECT_STREQ(lf.lfFaceName, "Courier New");
  EXPECT_EQ(lf.lfHeight, -12);  // 9 points at 96 pixels per inch
  RECT rc;
  SendMessageA(gEditHWnd, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&rc));
  EXPECT_GE(rc.left, 45);  // the text starts right of the gutter, also after resizing
  SetWindowPos(gTermHWnd, nullptr, 0, 0, 900, 700, SWP_NOMOVE | SWP_NOZORDER);
  RECT wider, client;
  SendMessageA(gEditHWnd, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&wider));
  GetClientRect(gEditHWnd, &client);
  EXPECT_GE(wider.left, 45);
  EXPECT_GE(wider.right, rc.right + 90);
  EXPECT_LE(wider.right, client.right);
  EXPECT_EQ(SetEditorColor(gEditHWnd, 11, 1, RGB(1, 2, 3)), 0u);
  EXPECT_EQ(SetEditorColor(gEditHWnd, 8, 0, 0), NUMBER);

  // Undo keeps the last 50 changes.
  for (int i = 0; i < 60; ++i) type("x\r");
  int undos = 0;
  for (; SendMessageA(gEditHWnd, EM_CANUNDO, 0, 0) && undos < 100; ++undos) SendMessageA(gEditHWnd, EM_UNDO, 0, 0);
  EXPECT_EQ(undos, 50);
}

TEST_F(EditorTest, TokensAreDrawnInTheirSlotColours) {
  load("G01 X-12.5 F300\r\nM3 ; spin it\r\nabc\r\n");
  int line2 = lineIndex(1), line3 = lineIndex(2);
  EXPECT_GT(pixelsOf(G_WORD, 0, 3), 0);
  EXPECT_GT(pixelsOf(ADDRESS, 4, 5), 0);
  EXPECT_EQ(pixelsOf(NUMBER, 5, 6), 0);  // the minus keeps the text colour
  EXPECT_GT(pixelsOf(NUMBER, 6, 10), 0);
  EXPECT_GT(pixelsOf(NUMBER, 12, 15), 0);
  EXPECT_GT(pixelsOf(M_WORD, line2, line2 + 2), 0);

  // The comment's words in the comment slot, then slot 0 for all other text.
  SetEditorColor(gEditHWnd, 7, 1, RGB(0, 160, 160));
  paint();
  EXPECT_GT(pixelsOf(RGB(0, 160, 160), line2 + 3, line2 + 12), 0);
  EXPECT_EQ(pixelsOf(RGB(0, 170, 0), line3, line3 + 3), 0);
  SetEditorColor(gEditHWnd, 0, 1, RGB(0, 170, 0));
  paint();
  EXPECT_GT(pixelsOf(RGB(0, 170, 0), line3, line3 + 3), 0);
}

TEST_F(EditorTest, SelectedTokenKeepsTheSelectionColours) {
  load("G01 X-12.5 F300\r\n");
  select(12, 15);  // 300
  paint();
  EXPECT_EQ(pixelsOf(NUMBER, 12, 15), 0);
  EXPECT_GT(pixelsOf(NUMBER, 6, 10), 0);
  select(11, 13);  // "F3": 12.5 ends before it and is still coloured
  paint();
  EXPECT_GT(pixelsOf(NUMBER, 6, 10), 0);
  EXPECT_EQ(pixelsOf(ADDRESS, 11, 12), 0);

  // A comment's blanks are not drawn over: a selected blank keeps its band.
  SetEditorColor(gEditHWnd, 7, 1, RGB(0, 160, 160));
  load("G0 ; rapid move\r\n");
  const COLORREF BACKGROUND = RGB(230, 230, 240);
  EXPECT_GT(pixelsOf(BACKGROUND, 10, 11), 0);
  select(10, 11);
  paint();
  EXPECT_EQ(pixelsOf(BACKGROUND, 10, 11), 0);
  EXPECT_GT(pixelsOf(RGB(0, 160, 160), 11, 15), 0);  // "move" in the comment colour
}

TEST_F(EditorTest, GutterShowsNumbersSelectionAndMarks) {
  load(lines(10, "G1 X"));
  int h = posFromChar(lineIndex(1)).y - posFromChar(0).y;
  auto band = [&](int line) {
    HDC dc = GetDC(gEditHWnd);
    COLORREF c = GetPixel(dc, 2, posFromChar(lineIndex(line)).y + h / 2);
    ReleaseDC(gEditHWnd, dc);
    return c;
  };
  const COLORREF GUTTER = RGB(225, 235, 245), SELECTED = RGB(200, 205, 220), MARKED = RGB(255, 80, 50);
  EXPECT_GT(gutterInk(posFromChar(lineIndex(9)).y, h), 0);  // number 10
  EXPECT_EQ(gutterInk(posFromChar(lineIndex(10)).y + 2 * h, h), 0);  // below the last line
  // The caret's line carries the selection band even with nothing selected,
  // and the band follows the caret as the keys move it.
  EXPECT_EQ(band(0), SELECTED);
  EXPECT_EQ(band(2), GUTTER);
  SetFocus(gEditHWnd);
  pressKey(gEditHWnd, VK_DOWN);
  pressKey(gEditHWnd, VK_DOWN);
  EXPECT_EQ(band(2), SELECTED);
  EXPECT_EQ(band(0), GUTTER);

  // A mark wins over the caret's band (which marks show: gutterBands).
  MarkLine(gEditHWnd, 1);
  MarkLine(gEditHWnd, 5);
  paint();
  EXPECT_EQ(band(0), MARKED);
  EXPECT_EQ(band(4), MARKED);
  EXPECT_EQ(band(3), GUTTER);
  ClearMarks(gEditHWnd);
  paint();
  EXPECT_EQ(band(4), GUTTER);

  // A selection of lines 7 and 8 up to the start of line 9 bands just those.
  select(lineIndex(6), lineIndex(8));
  paint();
  EXPECT_EQ(band(5), GUTTER);
  EXPECT_EQ(band(6), SELECTED);
  EXPECT_EQ(band(7), SELECTED);
  EXPECT_EQ(band(8), GUTTER);
}

TEST_F(EditorTest, LinesBelowALineLongerThanOneFetchAreDrawn) {
  // Far longer than the average: the text is fetched again, longer.
  load(std::string(4000, ' ') + "\r\n" + lines(2000, "G1 X"));
  int h = posFromChar(lineIndex(2)).y - posFromChar(lineIndex(1)).y;
  ASSERT_GT(h, 0);
  EXPECT_GT(gutterInk(posFromChar(lineIndex(3)).y, h), 0);  // the number 4 in the gutter
  EXPECT_GT(pixelsOf(G_WORD, lineIndex(3), lineIndex(3) + 2), 0);
}

// The paint keeps the text around the view between paints: after scrolling
// and after edits its colours stand where the tokens stand, tabs included.
TEST_F(EditorTest, ColoursFollowScrollingAndEdits) {
  std::string text;
  for (int i = 0; i < 3000; ++i)
    text += i == 1500 ? "M3 S1000\r\n" : i == 1510 ? "\tM3\tS1000\r\n" : "X1 Y2\r\n";
  load(text);
  auto mWordAt = [](int line) {
    int start = lineIndex(line);
    return pixelsOf(M_WORD, start, start + 2) > 0;
  };
  ScrollToLine(gEditHWnd, 1491);
  paint();
  ASSERT_EQ(SendMessageA(gEditHWnd, EM_GETFIRSTVISIBLELINE, 0, 0), 1490);
  EXPECT_TRUE(mWordAt(1500));
  int tabbed = lineIndex(1510);
  EXPECT_EQ(pixelsOf(M_WORD, tabbed, tabbed + 1), 0);  // the tab is not drawn over
  EXPECT_GT(pixelsOf(M_WORD, tabbed + 1, tabbed + 3), 0);
  EXPECT_GT(pixelsOf(NUMBER, tabbed + 5, tabbed + 9), 0);
  EXPECT_GT(pixelsOf(NUMBER, lineIndex(1509) + 1, lineIndex(1509) + 2), 0);

  // A line break typed above it, in the view, moves it down a line.
  select(lineIndex(1495), lineIndex(1495));
  pressKey(gEditHWnd, VK_RETURN);
  ASSERT_EQ(GetEditorLineCount(gEditHWnd), 3002);
  paint();
  EXPECT_TRUE(mWordAt(1501));
  EXPECT_FALSE(mWordAt(1500));
  command(IDM_UNDO);
  paint();
  EXPECT_TRUE(mWordAt(1500));
  EXPECT_FALSE(mWordAt(1501));

  // Scrolled by the wheel, by a page and back, and typed into at a line's start.
  for (int turn : {-1, 1, -1}) {
    SendMessageA(gEditHWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(turn * WHEEL_DELTA)), MAKELPARAM(100, 100));
    paint();
    EXPECT_TRUE(mWordAt(1500)) << turn;
  }
  pressKey(gEditHWnd, VK_NEXT);
  pressKey(gEditHWnd, VK_PRIOR);
  paint();
  EXPECT_TRUE(mWordAt(1500));

  // Typed over, the text keeps its length: the colours follow all the same.
  select(lineIndex(1500), lineIndex(1500) + 2);
  typeChars(gEditHWnd, "G0");
  paint();
  EXPECT_FALSE(mWordAt(1500));
  EXPECT_GT(pixelsOf(G_WORD, lineIndex(1500), lineIndex(1500) + 2), 0);
  select(lineIndex(1500), lineIndex(1500) + 2);
  type("M3");
  paint();
  EXPECT_TRUE(mWordAt(1500));
  select(lineIndex(1503), lineIndex(1503));
  typeChars(gEditHWnd, "M4 ");
  paint();
  EXPECT_TRUE(mWordAt(1503));
  pressKey(gEditHWnd, VK_BACK);
  pressKey(gEditHWnd, VK_BACK);
  pressKey(gEditHWnd, VK_BACK);
  paint();
  EXPECT_FALSE(mWordAt(1503));
  EXPECT_EQ(GetEditorLineCount(gEditHWnd), 3001);
}

// The first visible line is worked out from where line 0 stands, as the
// control counts it, also with a row cut by the top.
TEST_F(EditorTest, FirstVisibleLineAsTheControlCountsIt) {
  load(lines(3000, "G1 X"));
  int h = posFromChar(lineIndex(1)).y - posFromChar(0).y;
  EditorInfo* info = GetEditorInfo(gEditHWnd);
  for (int y : {0, 1, h - 1, h, 5 * h + 1, 2000 * h, 2000 * h + h / 2}) {
    POINT pos = {0, y};
    SendMessageA(gEditHWnd, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&pos));
    EXPECT_EQ(EditorFirstVisibleLine(gEditHWnd, info), SendMessageA(gEditHWnd, EM_GETFIRSTVISIBLELINE, 0, 0))
        << y;
  }
}

// Opens the context menu and reads which items are greyed, from a second
// thread while the menu is up; Escape then closes it.
std::map<int, bool> contextMenuGreying() {
  std::map<int, bool> greyed;
  std::thread reader([&] {
    for (int i = 0; i < 250; ++i, Sleep(20)) {
      HWND popup = findOwnWindow("#32768", nullptr);
      HMENU menu = popup ? reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0)) : nullptr;
      if (!menu) continue;
      for (int id = IDC_CTX_UNDO; id <= IDC_CTX_CLEARMARKS; ++id)
        greyed[id] = (GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED) != 0;
      PostMessageA(popup, WM_KEYDOWN, VK_ESCAPE, 0);
      return;
    }
  });
  SendMessageA(gEditHWnd, WM_RBUTTONUP, 0, MAKELPARAM(60, 5));
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
  std::map<int, bool> g = contextMenuGreying();
  ASSERT_EQ(g.size(), 8u);
  for (int id : {IDC_CTX_UNDO, IDC_CTX_REDO, IDC_CTX_CUT, IDC_CTX_COPY, IDC_CTX_PASTE}) EXPECT_TRUE(g[id]) << id;
  for (int id : {IDC_CTX_SELECTALL, IDC_CTX_SETFONT, IDC_CTX_CLEARMARKS}) EXPECT_FALSE(g[id]) << id;

  // An undoable change, a selection and text on the clipboard.
  type("M3 ");
  select(0, 2);
  setClipboard("G0");
  g = contextMenuGreying();
  for (int id : {IDC_CTX_UNDO, IDC_CTX_CUT, IDC_CTX_COPY, IDC_CTX_PASTE}) EXPECT_FALSE(g[id]) << id;
  EXPECT_TRUE(g[IDC_CTX_REDO]);
  SendMessageA(gEditHWnd, EM_UNDO, 0, 0);
  EXPECT_FALSE(contextMenuGreying()[IDC_CTX_REDO]);
}

TEST_F(EditorTest, ZoomGuard) {
  load(lines(200, "G1 X"));
  auto zoomed = [] {
    WPARAM num = 0;
    LPARAM den = 0;
    SendMessageA(gEditHWnd, EM_GETZOOM, reinterpret_cast<WPARAM>(&num), reinterpret_cast<LPARAM>(&den));
    return num != 0 || den != 0;
  };
  auto firstLine = [] { return SendMessageA(gEditHWnd, EM_GETFIRSTVISIBLELINE, 0, 0); };
  // Ctrl+wheel is swallowed: the control neither zooms nor scrolls.
  SendMessageA(gEditHWnd, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, static_cast<WORD>(-3 * WHEEL_DELTA)), MAKELPARAM(100, 100));
  EXPECT_FALSE(zoomed());
  EXPECT_EQ(firstLine(), 0);
  SendMessageA(gEditHWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-3 * WHEEL_DELTA)), MAKELPARAM(100, 100));
  EXPECT_GT(firstLine(), 0) << "a plain wheel turn scrolls";

  // Ctrl with the plus key never reaches the control; other keys do.
  static WNDPROC base;
  static int plusKeys;
  EditorInfo* info = GetEditorInfo(gEditHWnd);
  base = info->baseProc;
  info->baseProc = [](HWND w, UINT msg, WPARAM wp, LPARAM lp) -> LRESULT {
    plusKeys += msg == WM_KEYDOWN && wp == VK_OEM_PLUS;
    return CallWindowProcA(base, w, msg, wp, lp);
  };
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  SendMessageA(gEditHWnd, WM_KEYDOWN, VK_OEM_PLUS, 0);
  EXPECT_EQ(plusKeys, 0);
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
  SendMessageA(gEditHWnd, WM_KEYDOWN, VK_OEM_PLUS, 0);
  EXPECT_EQ(plusKeys, 1);
  info->baseProc = base;

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
  load(lines(200, "N1 G1 X"));
  EXPECT_EQ(GetEditorLineCount(gEditHWnd), 201);  // the empty line after the last break
  auto lineText = [](int n) {
    char* text = GetLineText(gEditHWnd, n);
    std::string copy = text ? text : "<none>";
    std::free(text);
    return copy;
  };
  EXPECT_EQ(lineText(2), "N1 G1 X2");
  EXPECT_EQ(lineText(201), "");
  ScrollToLine(gEditHWnd, 50);
  EXPECT_EQ(SendMessageA(gEditHWnd, EM_GETFIRSTVISIBLELINE, 0, 0), 49);
  ScrollToLine(gEditHWnd, 3);
  EXPECT_EQ(SendMessageA(gEditHWnd, EM_GETFIRSTVISIBLELINE, 0, 0), 2);

  select(0, 0);
  SetEditorReadOnly(gEditHWnd, 1);
  SendMessageA(gEditHWnd, WM_CHAR, 'Q', 0);
  EXPECT_EQ(lineText(1), "N1 G1 X1");
  SetEditorReadOnly(gEditHWnd, 0);
  SendMessageA(gEditHWnd, WM_CHAR, 'Q', 0);
  EXPECT_EQ(lineText(1), "QN1 G1 X1");
}

}  // namespace
