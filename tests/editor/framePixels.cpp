#include "tests/editor/framePixels.h"

#include <cstdio>
#include <cstring>

#include "gfx/graphics.h"

namespace {

// Copies width x height pixels from (0, 0) of `source` into 32-bit pixels.
FramePixels _copy(HDC source, int width, int height) {
  FramePixels frame;
  frame.width = width;
  frame.height = height;
  frame.pixels.assign(static_cast<size_t>(width) * height, 0);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC dc = CreateCompatibleDC(source);
  HGDIOBJ old = SelectObject(dc, dib);
  BitBlt(dc, 0, 0, width, height, source, 0, 0, SRCCOPY);
  GdiFlush();
  if (bits) std::memcpy(frame.pixels.data(), bits, frame.pixels.size() * sizeof(uint32_t));
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(dib);
  return frame;
}

}  // namespace

FramePixels backPixels(HWND control, int width, int height) {
  HBITMAP copy = cmd_getBmp(control, 0, 0, width, height);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, copy);
  FramePixels frame = _copy(dc, width, height);
  SelectObject(dc, old);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  cmd_unloadBmp(copy);
  return frame;
}

FramePixels shownPixels(HWND window, int width, int height) {
  HDC dc = GetDC(window);
  FramePixels frame = _copy(dc, width, height);
  ReleaseDC(window, dc);
  return frame;
}

std::string frameDifference(const FramePixels& a, const FramePixels& b) {
  if (a.width != b.width || a.height != b.height) return "frames of different sizes";
  int count = 0, first = -1;
  for (size_t i = 0; i < a.pixels.size(); i++) {
    if (a.pixels[i] == b.pixels[i]) continue;
    if (first < 0) first = static_cast<int>(i);
    count++;
  }
  if (!count) return "";
  const int x = first % a.width, y = first / a.width;
  char text[160];
  snprintf(text, sizeof text, "%d pixels differ, the first at (%d, %d): %06x against %06x",
           count, x, y, a.pixels[first] & 0xFFFFFF, b.pixels[first] & 0xFFFFFF);
  return text;
}
