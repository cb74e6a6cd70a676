// A small software canvas that paints the recorded cmd_* calls of a frame,
// so tests can compare the pixels of different ways of drawing it. Wide
// pens are squares of the pen width stamped along the path (reaching half
// the width to each side, as the platform's pens do); boxes and circles fill
// first and outline after. Drawing is limited to the clip rectangles, if any.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cad/editor/viewMap.h"

struct SoftCanvas {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;
  std::vector<PixelRect> clips;  // empty: the whole canvas
  uint32_t pen = 0, fill = 0;
  int penWidth = 1;
};

SoftCanvas softCanvas(int width, int height);
// Paints the calls (as the drawing recorder logs them) onto the canvas.
void paintCalls(SoftCanvas* canvas, const std::vector<std::string>& calls);
// Number of pixels that differ between two canvases of the same size.
int differingPixels(const SoftCanvas& a, const SoftCanvas& b);
