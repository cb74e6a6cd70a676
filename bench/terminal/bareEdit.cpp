// A bare rich edit program for the start-up benchmark: a window with one
// bare control (bareControl.h) that loads the file named on its command line
// the way KIVO Terminal does, then names the file in its title, as the
// terminal does once the file is in.
#include <windows.h>

#include <string>

#include "bench/terminal/bareControl.h"

namespace {

HWND gBare = nullptr;

LRESULT CALLBACK BareWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SIZE:
      if (gBare) MoveWindow(gBare, 0, 0, LOWORD(lParam) - 1, HIWORD(lParam) - 1, TRUE);
      return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(window, msg, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int show) {
  LoadLibraryA("riched20.dll");
  WNDCLASSA wc = {};
  wc.lpfnWndProc = BareWndProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.lpszClassName = "KIVOBareEdit";
  if (!RegisterClassA(&wc)) return 1;
  HWND window = CreateWindowExA(0, "KIVOBareEdit", "bare", WS_OVERLAPPEDWINDOW, 0, 0, CW_USEDEFAULT,
                                CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  ShowWindow(window, show);
  UpdateWindow(window);
  RECT rc;
  GetClientRect(window, &rc);
  rc.right -= 1;
  rc.bottom -= 1;
  gBare = makeBareControl(window, rc, bareFont(window));
  std::string path = commandLine;
  if (!path.empty() && loadBare(gBare, path.c_str())) SetWindowTextA(window, ("bare [" + path + "]").c_str());
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
