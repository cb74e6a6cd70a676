// gfx-demo: a window with one "ZuGfx32" control showing a test picture drawn
// with the control's operations. "gfx-demo.exe <ms>" closes itself after the
// given time and prints where the control is on the screen ("control at X,Y
// size WxH"), for the screenshot test.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "gfx/graphics.h"
#include "gfx/zugfx.h"

static HWND ghGfx = nullptr;

static void drawShapes(HWND g) {
  cmd_fill(g, 255, 255, 255);
  cmd_font(g, "Arial", 14, 700, 0, 0, 0);
  cmd_color(g, 0, 0, 0);
  cmd_text(g, 10, 5, 630, 30, DT_LEFT, "ZuGfx32 test picture");

  cmd_size(g, 1);
  cmd_color(g, 200, 0, 0);
  cmd_box(g, 10, 40, 110, 110);
  cmd_backColor(g, 255, 220, 0);
  cmd_boxFilled(g, 120, 40, 220, 110);
  cmd_color(g, 0, 120, 0);
  cmd_size(g, 3);
  cmd_circle(g, 280, 75, 35);
  cmd_backColor(g, 100, 160, 255);
  cmd_circleFilled(g, 360, 75, 35);
  cmd_color(g, 120, 0, 160);
  cmd_ellipse(g, 410, 45, 520, 105);
  cmd_backColor(g, 255, 140, 200);
  cmd_ellipseFilled(g, 530, 45, 630, 105);

  cmd_size(g, 2);
  cmd_color(g, 0, 0, 0);
  cmd_pie(g, 10, 130, 110, 230, 90, 0);
  cmd_backColor(g, 0, 200, 200);
  cmd_pieFilled(g, 120, 130, 220, 230, 0, 270);
  const POINT star[] = {{280, 130}, {300, 190}, {240, 150}, {320, 150}, {260, 190}};
  cmd_color(g, 0, 0, 200);
  cmd_poly(g, star, 5);
  const POINT tri[] = {{350, 230}, {400, 130}, {450, 230}};
  cmd_backColor(g, 250, 120, 0);
  cmd_polyFilled(g, tri, 3);
  cmd_size(g, 1);
  for (int i = 0; i < 8; ++i) {
    cmd_style(g, i % 5);
    cmd_color(g, i * 30, 0, 255 - i * 30);
    cmd_line(g, 470, 130 + i * 12, 630, 130 + i * 12);
  }
  cmd_style(g, 0);
}

static void drawTextAndBitmaps(HWND g) {
  cmd_font(g, "Times New Roman", 12, 0, 1, 0, 0);
  cmd_color(g, 255, 255, 255);
  cmd_backColor(g, 40, 40, 120);
  cmd_textFilled(g, 10, 250, 300, 275, DT_LEFT | DT_VCENTER | DT_SINGLELINE,
                 " Filled text on a navy background ");
  cmd_color(g, 0, 0, 0);
  cmd_text(g, 310, 250, 630, 275, DT_LEFT | DT_SINGLELINE, "Transparent text, a\\n stays");

  // Cut the shapes row, then paste it back in several ways.
  HBITMAP shapes = cmd_getBmp(g, 120, 40, 220, 110);
  cmd_drawBmp(g, shapes, 60, 330, 1);
  cmd_drawBmpStretch(g, shapes, 220, 290, 120, 370);  // mirrored
  HBITMAP bright = cmd_getBmp(g, 330, 40, 400, 110);
  cmd_brightness(g, bright, 50);
  cmd_drawBmp(g, bright, 240, 290, 0);
  cmd_invert(g, bright);
  cmd_drawBmp(g, bright, 320, 290, 0);
  cmd_transStretchBmp(g, shapes, 500, 370, 400, 290, 255, 220, 0);  // mirrored, keyed
  HBITMAP rotated = cmd_getRotatedBmp(g, shapes, 90, 0x00E0E0E0);
  cmd_drawBmp(g, rotated, 520, 290, 0);
  cmd_unloadBmp(rotated);
  cmd_unloadBmp(bright);
  cmd_unloadBmp(shapes);

  cmd_drawEdge(g, 10, 390, 200, 420, EDGE_RAISED, BF_RECT);
  cmd_drawFrameControl(g, 210, 390, 240, 420, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
  cmd_DrawStatusText(g, 250, 390, 630, 420, "Status panel", 0);
  cmd_backColor(g, 180, 255, 180);
  cmd_color(g, 0, 100, 0);
  cmd_box(g, 10, 430, 200, 470);
  cmd_floodFill(g, 100, 450);
  cmd_flip(g);
}

static LRESULT CALLBACK DemoProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int show) {
  if (!ZuGfxInit()) {
    MessageBoxA(nullptr, "Couldnt initiate the zugfx control", "Error", MB_OK);
    return 1;
  }
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = DemoProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = "GfxDemoClass";
  RegisterClassExA(&wc);
  RECT rc = {0, 0, 660, 500};
  AdjustWindowRect(&rc, WS_OVERLAPPEDWINDOW, FALSE);
  HWND main = CreateWindowExA(0, "GfxDemoClass", "ZuGfx32 demo", WS_OVERLAPPEDWINDOW, 0, 0,
                              rc.right - rc.left, rc.bottom - rc.top, nullptr, nullptr, instance,
                              nullptr);
  ghGfx = CreateWindowExA(0, ZUGFX_CLASS, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 10,
                          10, 640, 480, main, nullptr, instance, nullptr);
  ShowWindow(main, show);
  UpdateWindow(main);
  drawShapes(ghGfx);
  drawTextAndBitmaps(ghGfx);
  const int closeAfter = std::atoi(commandLine);
  if (closeAfter > 0) {
    SetTimer(main, 1, UINT(closeAfter), nullptr);
    RECT rc;
    GetWindowRect(ghGfx, &rc);
    std::printf("control at %ld,%ld size %ldx%ld\n", rc.left, rc.top, rc.right - rc.left,
                rc.bottom - rc.top);
    std::fflush(stdout);
  }
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  ZuGfxClose();
  return 0;
}
