// A visible parent window holding one "ZuGfx32" control, with an input
// handler that records what the control forwards.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "gfx/gfxInstance.h"
#include "gfx/graphics.h"
#include "gfx/zugfx.h"

struct InputRecord {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

// Messages the input handler received, in order.
extern std::vector<InputRecord> gInput;
LRESULT CALLBACK RecordingHandler(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// A borderless child container of the given client size inside a visible
// top-level window, so that its client size is exactly what tests set.
HWND makeContainer(int width, int height);
// A control in `parent` at (x, y) of w x h with the recording handler.
HWND makeControl(HWND parent, int x, int y, int w, int h);
// Dispatches the thread's messages for about `ms` milliseconds.
void pumpMessages(int ms);
// Rectangle of a child in its parent's client coordinates.
RECT childRect(HWND child);
// The COLORREF of pixel (x, y) of a bitmap.
COLORREF bitmapPixel(HWND gfx, HBITMAP bitmap, int x, int y);

// Back-buffer pixels of a colour, or not white, inside [x1, x2) x [y1, y2).
int countColour(HWND gfx, int x1, int y1, int x2, int y2, COLORREF colour);
int countNotWhite(HWND gfx, int x1, int y1, int x2, int y2);

constexpr COLORREF WHITE = RGB(255, 255, 255);
constexpr COLORREF RED = RGB(255, 0, 0);
constexpr COLORREF BLUE = RGB(0, 0, 255);

class GfxTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  GfxInstance* record() const { return getGfx(gfx); }
  COLORREF pixel(int x, int y) const { return COLORREF(cmd_getPixel(gfx, x, y)); }

  HWND container = nullptr;  // 400 x 300 client
  HWND gfx = nullptr;        // 200 x 150 at (0, 0), white, flipped
};
