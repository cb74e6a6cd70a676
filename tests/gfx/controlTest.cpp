// The control window: library life cycle, records, buffers, input, scroll
// bars, painting, autosize and GDI resource hygiene.
#include "tests/gfx/gfxFixture.h"
#include "tests/support/exportedNames.h"

#include <cstdio>
#include <vector>

namespace {

int countScrollBars(HWND gfx) {
  int n = 0;
  for (HWND c = GetWindow(gfx, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    char name[32] = {};
    GetClassNameA(c, name, sizeof(name));
    if (lstrcmpiA(name, "SCROLLBAR") == 0) ++n;
  }
  return n;
}

COLORREF screenPixel(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return c;
}

SCROLLINFO scrollInfo(HWND bar) {
  SCROLLINFO si = {};
  si.cbSize = sizeof(si);
  si.fMask = SIF_ALL;
  GetScrollInfo(bar, SB_CTL, &si);
  return si;
}

}  // namespace

TEST(GfxLibrary, CloseDestroysEveryControlOnceAndLaterTicksAreHarmless) {
  ASSERT_EQ(ZuGfxInit(), 1);
  ASSERT_EQ(ZuGfxInit(), 1);  // class already there
  HWND container = makeContainer(400, 300);
  HWND a = makeControl(container, 0, 0, 100, 100);
  HWND b = makeControl(container, 100, 0, 100, 100);
  // Controls nested in a control: destroying `b` destroys them too, which
  // removes nodes further down the list while it is being walked.
  HWND inner1 = makeControl(b, 0, 0, 50, 50);
  HWND inner2 = makeControl(b, 50, 0, 50, 50);
  HWND c = makeControl(container, 200, 0, 100, 100);
  for (HWND w : {a, b, inner1, inner2, c}) ASSERT_NE(getGfx(w), nullptr);
  EXPECT_NE(ZuGfxClose(), 0);  // unregistering succeeds only with no window left
  for (HWND w : {a, b, inner1, inner2, c}) EXPECT_FALSE(IsWindow(w));
  EXPECT_TRUE(IsWindow(container));
  pumpMessages(300);  // several sizer periods after close

  // The library starts again, and its timer runs again.
  ASSERT_EQ(ZuGfxInit(), 1);
  HWND again = makeControl(container, 0, 0, 100, 100);
  ASSERT_NE(getGfx(again), nullptr);
  EXPECT_EQ(cmd_boxFilled(again, 0, 0, 10, 10), 1);
  EXPECT_NE(ZuGfxClose(), 0);
  EXPECT_FALSE(IsWindow(again));
  DestroyWindow(GetParent(container));
}

// Other programs load the program that links the control and look its
// operations up by name.
TEST(GfxLibrary, OperationsAreExportedByName) {
  HMODULE self = GetModuleHandleA(nullptr);
  for (const char* name : GFX_EXPORTS) EXPECT_NE(GetProcAddress(self, name), nullptr) << name;
  using VersionFn = int (*)();
  const auto version = reinterpret_cast<VersionFn>(
      reinterpret_cast<void*>(GetProcAddress(self, "getVersion")));
  ASSERT_NE(version, nullptr);
  EXPECT_EQ(version(), 8);
  EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(self, "cmd_box")),
            reinterpret_cast<void*>(&cmd_box));
}

TEST(GfxLibrary, WindowsWithoutARecordAreLeftAlone) {
  ASSERT_EQ(ZuGfxInit(), 1);
  HWND container = makeContainer(200, 100);
  // Another class's user data is not a control record.
  SetWindowLongPtrA(container, GWLP_USERDATA, 0x1234);
  HWND gfx = makeControl(container, 0, 0, 50, 50);
  DestroyWindow(gfx);
  for (HWND w : {HWND(nullptr), container, gfx}) {
    EXPECT_EQ(cmd_box(w, 0, 0, 10, 10), 0);
    EXPECT_EQ(cmd_color(w, 1, 2, 3), 0);
    EXPECT_EQ(cmd_getPixel(w, 0, 0), -1);
    EXPECT_EQ(cmd_getBmp(w, 0, 0, 10, 10), nullptr);
    EXPECT_EQ(cmd_getTextW(w, "abc"), 0);
    EXPECT_EQ(cmd_horzScroll(w, 100), 0);
    EXPECT_EQ(cmd_getScrollXPos(w), 0);
    EXPECT_EQ(cmd_autoSizeOff(w), 0);
    EXPECT_EQ(cmd_flip(w), 0);
  }
  EXPECT_EQ(GetWindowLongPtrA(container, GWLP_USERDATA), 0x1234);
  DestroyWindow(GetParent(container));
  ZuGfxClose();
}

TEST_F(GfxTest, BuffersCoverTheMonitorAndGrowKeepingPictureAndState) {
  GfxInstance* r = record();
  const int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
  EXPECT_EQ(r->bufferWidth, screenW);
  EXPECT_EQ(r->bufferHeight, screenH);
  EXPECT_EQ(r->clientWidth, 200);
  const HBITMAP back = r->backBitmap;

  MoveWindow(gfx, 0, 0, 800, 600, TRUE);
  EXPECT_EQ(r->bufferWidth, screenW);
  EXPECT_EQ(r->backBitmap, back);  // no reallocation

  cmd_setPixel(gfx, 5, 5, 0, 0, 255);
  cmd_flip(gfx);
  cmd_color(gfx, 255, 0, 0);
  cmd_rule(gfx, R2_NOTCOPYPEN);
  const int textH = cmd_getTextH(gfx, "Xy");
  MoveWindow(gfx, 0, 0, screenW + 900, 600, TRUE);
  EXPECT_EQ(r->bufferWidth, screenW + 900);
  EXPECT_EQ(r->bufferHeight, screenH);
  EXPECT_NE(r->backBitmap, back);
  EXPECT_EQ(pixel(5, 5), BLUE);                    // back buffer kept
  EXPECT_EQ(GetPixel(r->frontDC, 5, 5), BLUE);     // front buffer kept
  EXPECT_EQ(GetROP2(r->backDC), R2_NOTCOPYPEN);    // raster operation kept
  EXPECT_EQ(cmd_getTextH(gfx, "Xy"), textH);       // font kept
  cmd_rule(gfx, R2_COPYPEN);
  cmd_line(gfx, 0, 20, 10, 20);
  EXPECT_EQ(pixel(3, 20), RED);                    // pen kept
  // A scroll extent beyond the monitor grows the buffers too.
  cmd_vertScroll(gfx, screenH + 500);
  EXPECT_EQ(r->bufferHeight, screenH + 500);
}

TEST_F(GfxTest, InputReachesTheHandlerInSurfaceCoordinates) {
  SendMessageA(gfx, WM_KEYDOWN, 'A', 0x001E0001);
  SendMessageA(gfx, WM_KEYUP, 'A', 0xC01E0001);
  SendMessageA(gfx, WM_CHAR, 'a', 0x001E0001);
  ASSERT_EQ(gInput.size(), 2u);
  EXPECT_EQ(gInput[0].window, gfx);
  EXPECT_EQ(gInput[0].message, UINT(WM_KEYDOWN));
  EXPECT_EQ(gInput[0].wParam, WPARAM('A'));
  EXPECT_EQ(gInput[0].lParam, LPARAM(0x001E0001));
  EXPECT_EQ(gInput[1].message, UINT(WM_CHAR));

  gInput.clear();
  cmd_horzScroll(gfx, 1000);
  cmd_scrollToX(gfx, 100);
  ASSERT_EQ(cmd_getScrollXPos(gfx), 100);
  SendMessageA(gfx, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 20));
  cmd_vertScroll(gfx, 1000);
  cmd_scrollToY(gfx, 30);
  SendMessageA(gfx, WM_MOUSEMOVE, 0, MAKELPARAM(1, 2));
  SendMessageA(gfx, WM_MBUTTONDBLCLK, MK_MBUTTON, MAKELPARAM(0, 0));
  ASSERT_EQ(gInput.size(), 3u);
  EXPECT_EQ(gInput[0].message, UINT(WM_LBUTTONDOWN));
  EXPECT_EQ(gInput[0].wParam, WPARAM(MK_LBUTTON));
  EXPECT_EQ(gInput[0].lParam, MAKELPARAM(110, 20));
  EXPECT_EQ(gInput[1].lParam, MAKELPARAM(101, 32));
  EXPECT_EQ(gInput[2].lParam, MAKELPARAM(100, 30));
}

TEST_F(GfxTest, WheelScrollsTheVerticalBarThenTheHorizontalElseGoesToTheHandler) {
  SendMessageA(gfx, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), MAKELPARAM(300, 400));
  ASSERT_EQ(gInput.size(), 1u);
  EXPECT_EQ(gInput[0].wParam, MAKEWPARAM(0, 120));
  EXPECT_EQ(gInput[0].lParam, MAKELPARAM(300, 400));  // screen position unchanged

  cmd_horzScroll(gfx, 1000);
  cmd_scrollToX(gfx, 100);
  SendMessageA(gfx, WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-240)), 0);
  EXPECT_EQ(cmd_getScrollXPos(gfx), 130);
  cmd_vertScroll(gfx, 1000);
  cmd_scrollToY(gfx, 100);
  SendMessageA(gfx, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
  EXPECT_EQ(cmd_getScrollYPos(gfx), 85);
  EXPECT_EQ(cmd_getScrollXPos(gfx), 130);
  EXPECT_EQ(gInput.size(), 1u);
}

TEST_F(GfxTest, ScrollBarsRangesRequestsAndClamping) {
  EXPECT_EQ(cmd_getScrollWidth(gfx), 0);
  cmd_horzScroll(gfx, 0);
  EXPECT_EQ(cmd_getScrollWidth(gfx), 1);
  cmd_horzScroll(gfx, 700);
  EXPECT_EQ(cmd_getScrollWidth(gfx), 700);
  EXPECT_EQ(countScrollBars(gfx), 1);  // replaced, not added

  cmd_vertScroll(gfx, 1000);
  GfxInstance* r = record();
  RECT bar;
  GetClientRect(r->vertScrollBar, &bar);
  const int t = bar.right;  // the platform's bar thickness
  EXPECT_GE(t, GetSystemMetrics(SM_CXVSCROLL));
  EXPECT_EQ(childRect(r->horzScrollBar).bottom - childRect(r->horzScrollBar).top, t);
  const SCROLLINFO si = scrollInfo(r->vertScrollBar);
  EXPECT_EQ(si.nMin, 0);
  EXPECT_EQ(si.nMax, t + 999);
  EXPECT_EQ(si.nPage, 150u);
  EXPECT_EQ(childRect(r->vertScrollBar).left, 200 - t);
  EXPECT_EQ(childRect(r->horzScrollBar).right, 200 - t);  // stops beside the other bar

  cmd_scrollToY(gfx, -5);
  EXPECT_EQ(cmd_getScrollYPos(gfx), 0);
  cmd_scrollToY(gfx, 5000);
  EXPECT_EQ(cmd_getScrollYPos(gfx), t + 999 - 150 + 1);  // the bar keeps a page in view
  // The bar's requests reach the scroll arithmetic (checked natively) and
  // its clamping.
  cmd_scrollToY(gfx, 0);
  SendMessageA(gfx, WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(cmd_getScrollYPos(gfx), 5);
  SendMessageA(gfx, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 321), 0);
  EXPECT_EQ(cmd_getScrollYPos(gfx), 321);
  SendMessageA(gfx, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0), 0);
  SendMessageA(gfx, WM_VSCROLL, SB_LINEUP, 0);
  EXPECT_EQ(cmd_getScrollYPos(gfx), 0);

  cmd_scrollToCenterX(gfx, 400);  // 400 - 200 / 2 + t / 2
  EXPECT_EQ(cmd_getScrollXPos(gfx), 300 + t / 2);
  cmd_scrollToCenterY(gfx, 400);  // 400 - 150 / 2 + t / 2
  EXPECT_EQ(cmd_getScrollYPos(gfx), 325 + t / 2);

  EXPECT_EQ(cmd_horzScrollOff(gfx), 1);
  EXPECT_EQ(cmd_getScrollWidth(gfx), 0);
  EXPECT_EQ(cmd_getScrollXPos(gfx), 0);
  EXPECT_EQ(countScrollBars(gfx), 1);
  EXPECT_EQ(childRect(r->vertScrollBar).bottom, 150);  // full height again
  EXPECT_EQ(cmd_horzScrollOff(gfx), 0);
  cmd_scrollToX(gfx, 50);  // no bar: nothing happens
  EXPECT_EQ(cmd_getScrollXPos(gfx), 0);
}

TEST_F(GfxTest, PaintingShowsTheFrontBufferAtTheScrollOffset) {
  cmd_fill(gfx, 255, 0, 0);
  UpdateWindow(gfx);
  InvalidateRect(gfx, nullptr, TRUE);
  UpdateWindow(gfx);
  EXPECT_EQ(screenPixel(gfx, 50, 50), WHITE);  // not flipped yet, not erased
  cmd_flip(gfx);
  EXPECT_EQ(screenPixel(gfx, 50, 50), RED);

  cmd_fill(gfx, 255, 255, 255);
  cmd_setPixel(gfx, 100, 10, 0, 0, 255);
  cmd_flip(gfx);
  cmd_horzScroll(gfx, 1000);
  cmd_vertScroll(gfx, 1000);
  cmd_scrollToX(gfx, 100);
  cmd_scrollToY(gfx, 0);
  EXPECT_EQ(screenPixel(gfx, 0, 10), BLUE);
  // The square between the two bars is painted in the button face colour.
  RECT bar;
  GetClientRect(record()->vertScrollBar, &bar);
  const int t = bar.right;
  EXPECT_EQ(screenPixel(gfx, 200 - t / 2, 150 - t / 2), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(SendMessageA(gfx, WM_ERASEBKGND, 0, 0), 1);
}

TEST(GfxAutosize, ControlsFollowTheirParentWhenPainted) {
  ASSERT_EQ(ZuGfxInit(), 1);
  HWND container = makeContainer(200, 100);
  HWND gfx = makeControl(container, 10, 10, 100, 50);
  EXPECT_EQ(cmd_autoSize(gfx), 1);
  auto relayout = [&](int w, int h) {
    MoveWindow(container, 0, 0, w, h, TRUE);
    InvalidateRect(gfx, nullptr, FALSE);
    UpdateWindow(gfx);  // layout is applied at paint
  };
  relayout(300, 150);
  RECT rc = childRect(gfx);
  EXPECT_EQ(rc.left, 10);
  EXPECT_EQ(rc.top, 10);
  EXPECT_EQ(rc.right - rc.left, 200);
  EXPECT_EQ(rc.bottom - rc.top, 100);

  relayout(200, 100);
  cmd_anchorXY(gfx);
  relayout(250, 160);
  rc = childRect(gfx);
  EXPECT_EQ(rc.left, 60);
  EXPECT_EQ(rc.top, 70);
  EXPECT_EQ(rc.right - rc.left, 100);
  EXPECT_EQ(rc.bottom - rc.top, 50);

  EXPECT_EQ(cmd_autoSizeOff(gfx), 1);
  relayout(400, 300);
  EXPECT_EQ(childRect(gfx).left, 60);
  DestroyWindow(GetParent(container));
  ZuGfxClose();
}

TEST(GfxAutosize, SizerTimerLaysOutControlsOutOfSight) {
  ASSERT_EQ(ZuGfxInit(), 1);
  HWND container = makeContainer(200, 100);
  HWND gfx = makeControl(container, 150, 50, 40, 40);
  cmd_anchorXY(gfx);
  // Shrinking the parent puts the control wholly outside it, where it gets
  // no paint; only the timer can move it back along with the corner.
  MoveWindow(container, 0, 0, 100, 40, TRUE);
  EXPECT_EQ(childRect(gfx).left, 150);
  pumpMessages(500);
  const RECT rc = childRect(gfx);
  EXPECT_EQ(rc.left, 50);
  EXPECT_EQ(rc.top, -10);
  EXPECT_EQ(rc.right - rc.left, 40);
  DestroyWindow(GetParent(container));
  ZuGfxClose();
}

TEST_F(GfxTest, ReplacedPensAreDeletedButTheDefaultNeverIs) {
  GfxInstance* r = record();
  const HGDIOBJ first = GetCurrentObject(r->backDC, OBJ_PEN);
  cmd_color(gfx, 10, 20, 30);
  const HGDIOBJ second = GetCurrentObject(r->backDC, OBJ_PEN);
  EXPECT_NE(second, first);
  EXPECT_EQ(GetObjectType(first), 0u);  // the first user pen was deleted
  cmd_size(gfx, 3);
  EXPECT_EQ(GetObjectType(second), 0u);
  EXPECT_EQ(GetObjectType(r->defaultPen), DWORD(OBJ_PEN));
  LOGPEN lp = {};
  GetObjectA(GetCurrentObject(r->backDC, OBJ_PEN), sizeof(lp), &lp);
  EXPECT_EQ(lp.lopnWidth.x, 3);           // width and colour are independent
  EXPECT_EQ(lp.lopnColor, RGB(10, 20, 30));
  const HGDIOBJ brush = GetCurrentObject(r->backDC, OBJ_BRUSH);
  cmd_backColor(gfx, 1, 2, 3);
  EXPECT_EQ(GetObjectType(brush), 0u);
  EXPECT_EQ(GetObjectType(r->defaultBrush), DWORD(OBJ_BRUSH));
  const HGDIOBJ font = GetCurrentObject(r->backDC, OBJ_FONT);
  cmd_font(gfx, "Arial", 20, 700, 0, 0, 0);
  EXPECT_EQ(GetObjectType(font), 0u);
  EXPECT_EQ(GetObjectType(r->defaultFont), DWORD(OBJ_FONT));
}

namespace {

// Free GDI handle slots of the process: how many more pens can be made.
// Every object the process holds takes a slot, so a leak shows as fewer.
int gdiHeadroom() {
  std::vector<HPEN> pens;
  for (;;) {
    HPEN p = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
    if (!p) break;
    pens.push_back(p);
  }
  for (HPEN p : pens) DeleteObject(p);
  return int(pens.size());
}

void controlWorkload(HWND container, int controls, int shapesPerControl) {
  for (int i = 0; i < controls; ++i) {
    HWND gfx = makeControl(container, 0, 0, 120, 90);
    cmd_font(gfx, "Arial", 10 + i % 5, 0, 0, 0, 0);
    if (i % 3 == 0) cmd_horzScroll(gfx, 500);
    if (i % 4 == 0) cmd_vertScroll(gfx, 500);
    for (int k = 0; k < shapesPerControl; ++k) {
      cmd_color(gfx, k, i, 7);
      cmd_backColor(gfx, i, k, 9);
      cmd_size(gfx, 1 + k % 4);
      cmd_style(gfx, k % 5);
      switch (k % 6) {
        case 0: cmd_boxFilled(gfx, k, k, k + 30, k + 20); break;
        case 1: cmd_circle(gfx, 50, 50, k % 40); break;
        case 2: cmd_pieFilled(gfx, 0, 0, 80, 60, k, k + 90); break;
        case 3: cmd_text(gfx, 0, 0, 100, 20, 0, "text"); break;
        case 4:  // a whole-buffer fill is slow, so only now and then
          if (i % 10 == 0) cmd_fill(gfx, k, k, k); else cmd_ellipseFilled(gfx, 0, 0, k, k);
          break;
        default: cmd_getTextW(gfx, "measure"); break;
      }
    }
    HBITMAP bmp = cmd_getBmp(gfx, 0, 0, 20, 10);
    HBITMAP rot = cmd_getRotatedBmp(gfx, bmp, 30, 0);
    cmd_transStretchBmp(gfx, rot, 30, 30, 0, 0, 0, 0, 0);
    cmd_brightness(gfx, rot, 150);
    cmd_unloadBmp(rot);
    cmd_unloadBmp(bmp);
    cmd_flip(gfx);
    if (i % 2) cmd_horzScrollOff(gfx);
    DestroyWindow(gfx);
  }
}

}  // namespace

TEST(GfxResources, ControlsAndShapesReleaseEveryGdiObject) {
  ASSERT_EQ(ZuGfxInit(), 1);
  HWND container = makeContainer(400, 300);
  controlWorkload(container, 5, 20);  // first use fills the platform's caches
  const int headroom = gdiHeadroom();
  controlWorkload(container, 300, 20);  // 300 controls, 6000 shapes
  const int headroomAfter = gdiHeadroom();
  std::printf("free GDI slots %d -> %d\n", headroom, headroomAfter);
  EXPECT_GT(headroom, 1000);
  EXPECT_GE(headroomAfter, headroom);
  DestroyWindow(GetParent(container));
  ZuGfxClose();
}

// Controls still alive at ZuGfxClose are destroyed by it and free what they
// hold (two buffers, their DCs, a pen, a brush and a font each).
TEST(GfxResources, ControlsLeftAtCloseReleaseEveryGdiObject) {
  HWND container = makeContainer(400, 300);
  auto session = [&](int controls) {
    ASSERT_EQ(ZuGfxInit(), 1);
    for (int i = 0; i < controls; ++i) {
      HWND gfx = makeControl(container, 0, 0, 120, 90);
      cmd_font(gfx, "Arial", 10, 0, 0, 0, 0);
      cmd_color(gfx, i, 0, 0);
      cmd_backColor(gfx, 0, i, 0);
      if (i % 2) cmd_horzScroll(gfx, 2000);
    }
    EXPECT_NE(ZuGfxClose(), 0);
  };
  session(3);  // first use fills the platform's caches
  const int headroom = gdiHeadroom();
  session(50);
  EXPECT_GE(gdiHeadroom(), headroom);
  DestroyWindow(GetParent(container));
}
