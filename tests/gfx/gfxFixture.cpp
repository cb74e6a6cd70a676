#include "tests/gfx/gfxFixture.h"

std::vector<InputRecord> gInput;

LRESULT CALLBACK RecordingHandler(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  gInput.push_back({window, message, wParam, lParam});
  return 0;
}

static LRESULT CALLBACK TestParentProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  return DefWindowProcA(w, m, wp, lp);
}

static void registerParentClass() {
  static bool done = false;
  if (done) return;
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = TestParentProc;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = "GfxTestParent";
  RegisterClassExA(&wc);
  done = true;
}

HWND makeContainer(int width, int height) {
  registerParentClass();
  HWND top = CreateWindowExA(0, "GfxTestParent", "gfx test", WS_POPUP | WS_VISIBLE, 0, 0, 1000,
                             800, nullptr, nullptr, nullptr, nullptr);
  return CreateWindowExA(0, "GfxTestParent", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0,
                         0, width, height, top, nullptr, nullptr, nullptr);
}

HWND makeControl(HWND parent, int x, int y, int w, int h) {
  return CreateWindowExA(0, ZUGFX_CLASS, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, x, y,
                         w, h, parent, nullptr, nullptr,
                         reinterpret_cast<void*>(&RecordingHandler));
}

void pumpMessages(int ms) {
  const DWORD end = GetTickCount() + DWORD(ms);
  MSG msg;
  while (int(GetTickCount() - end) < 0) {
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(5);
  }
}

RECT childRect(HWND child) {
  RECT rc;
  GetWindowRect(child, &rc);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

COLORREF bitmapPixel(HWND gfx, HBITMAP bitmap, int x, int y) {
  HDC dc = CreateCompatibleDC(getGfx(gfx)->backDC);
  HGDIOBJ old = SelectObject(dc, bitmap);
  const COLORREF c = GetPixel(dc, x, y);
  SelectObject(dc, old);
  DeleteDC(dc);
  return c;
}

void GfxTest::SetUp() {
  ASSERT_EQ(ZuGfxInit(), 1);
  gInput.clear();
  container = makeContainer(400, 300);
  gfx = makeControl(container, 0, 0, 200, 150);
  ASSERT_NE(record(), nullptr);
  cmd_fill(gfx, 255, 255, 255);
  cmd_flip(gfx);
}

void GfxTest::TearDown() {
  DestroyWindow(GetParent(container));
  ZuGfxClose();
}

int countColour(HWND gfx, int x1, int y1, int x2, int y2, COLORREF colour) {
  int n = 0;
  for (int y = y1; y < y2; ++y)
    for (int x = x1; x < x2; ++x) n += COLORREF(cmd_getPixel(gfx, x, y)) == colour;
  return n;
}

int countNotWhite(HWND gfx, int x1, int y1, int x2, int y2) {
  return (x2 - x1) * (y2 - y1) - countColour(gfx, x1, y1, x2, y2, WHITE);
}
