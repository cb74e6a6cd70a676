// Pixels of board view frames for the redraw tests under Wine: what a
// control's back buffer holds, what a window shows, and where two differ.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct FramePixels {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;  // 0x00RRGGBB, top row first
};

// The top-left width x height pixels of the control's back buffer.
FramePixels backPixels(HWND control, int width, int height);
// The top-left width x height pixels of what the window shows.
FramePixels shownPixels(HWND window, int width, int height);
// Empty when the two are equal; else how many pixels differ and the first.
std::string frameDifference(const FramePixels& a, const FramePixels& b);
