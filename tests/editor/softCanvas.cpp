#include "tests/editor/softCanvas.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

uint32_t _rgb(int r, int g, int b) {
  return static_cast<uint32_t>((r & 255) | (g & 255) << 8 | (b & 255) << 16);
}

void _set(SoftCanvas* c, int x, int y, uint32_t colour) {
  if (x < 0 || y < 0 || x >= c->width || y >= c->height) return;
  if (!c->clips.empty()) {
    bool inside = false;
    for (const PixelRect& r : c->clips)
      inside = inside || (x >= r.left && x < r.right && y >= r.top && y < r.bottom);
    if (!inside) return;
  }
  c->pixels[static_cast<size_t>(y) * c->width + x] = colour;
}

// Fills [left, right) x [top, bottom) within the canvas and the clips.
void _fillRect(SoftCanvas* c, int left, int top, int right, int bottom, uint32_t colour) {
  std::vector<PixelRect> areas = c->clips;
  if (areas.empty()) areas.push_back({0, 0, c->width, c->height});
  for (const PixelRect& a : areas) {
    const int l = std::max({left, a.left, 0}), r = std::min({right, a.right, c->width});
    const int t = std::max({top, a.top, 0}), b = std::min({bottom, a.bottom, c->height});
    for (int y = t; y < b; y++)
      std::fill(c->pixels.begin() + static_cast<size_t>(y) * c->width + l,
                c->pixels.begin() + static_cast<size_t>(y) * c->width + std::max(l, r), colour);
  }
}

void _stamp(SoftCanvas* c, int x, int y) {
  const int w = std::max(1, c->penWidth), from = -(w / 2);
  for (int dy = from; dy < from + w; dy++)
    for (int dx = from; dx < from + w; dx++) _set(c, x + dx, y + dy, c->pen);
}

void _line(SoftCanvas* c, int x1, int y1, int x2, int y2) {
  const int steps = std::max(std::abs(x2 - x1), std::abs(y2 - y1));
  for (int i = 0; i <= steps; i++) {
    const double t = steps ? static_cast<double>(i) / steps : 0;
    _stamp(c, static_cast<int>(std::lround(x1 + (x2 - x1) * t)),
           static_cast<int>(std::lround(y1 + (y2 - y1) * t)));
  }
}

void _box(SoftCanvas* c, int x1, int y1, int x2, int y2) {
  _line(c, x1, y1, x2 - 1, y1);
  _line(c, x2 - 1, y1, x2 - 1, y2 - 1);
  _line(c, x2 - 1, y2 - 1, x1, y2 - 1);
  _line(c, x1, y2 - 1, x1, y1);
}

void _boxFilled(SoftCanvas* c, int x1, int y1, int x2, int y2) {
  _fillRect(c, std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2), c->fill);
  _box(c, std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2));
}

void _circle(SoftCanvas* c, int cx, int cy, int r, bool filled) {
  r = std::abs(r);
  if (filled)
    for (int y = cy - r; y <= cy + r; y++)
      for (int x = cx - r; x <= cx + r; x++)
        if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r) _set(c, x, y, c->fill);
  const int steps = 8 * r + 8;
  for (int i = 0; i < steps; i++) {
    const double a = 2 * M_PI * i / steps;
    _stamp(c, static_cast<int>(std::lround(cx + r * std::cos(a))),
           static_cast<int>(std::lround(cy + r * std::sin(a))));
  }
}

}  // namespace

SoftCanvas softCanvas(int width, int height) {
  SoftCanvas c;
  c.width = width;
  c.height = height;
  c.pixels.assign(static_cast<size_t>(width) * height, 0xFFFFFFFF);
  return c;
}

void paintCalls(SoftCanvas* c, const std::vector<std::string>& calls) {
  for (const std::string& call : calls) {
    char name[40] = {};
    int a[4] = {};
    const int n = sscanf(call.c_str(), "%39[^(](%d, %d, %d, %d)", name, &a[0], &a[1], &a[2], &a[3]);
    const std::string op = name;
    if (op == "cmd_fill" && n >= 4) {
      _fillRect(c, 0, 0, c->width, c->height, _rgb(a[0], a[1], a[2]));
    } else if (op == "cmd_color" && n >= 4) {
      c->pen = _rgb(a[0], a[1], a[2]);
    } else if (op == "cmd_backColor" && n >= 4) {
      c->fill = _rgb(a[0], a[1], a[2]);
    } else if (op == "cmd_size" && n >= 2) {
      c->penWidth = a[0];
    } else if (op == "cmd_line" && n == 5) {
      _line(c, a[0], a[1], a[2], a[3]);
    } else if (op == "cmd_box" && n == 5) {
      _box(c, a[0], a[1], a[2], a[3]);
    } else if (op == "cmd_boxFilled" && n == 5) {
      _boxFilled(c, a[0], a[1], a[2], a[3]);
    } else if ((op == "cmd_circle" || op == "cmd_circleFilled") && n == 4) {
      _circle(c, a[0], a[1], a[2], op == "cmd_circleFilled");
    }
  }
}

int differingPixels(const SoftCanvas& a, const SoftCanvas& b) {
  int n = 0;
  for (size_t i = 0; i < a.pixels.size() && i < b.pixels.size(); i++) n += a.pixels[i] != b.pixels[i];
  return n;
}
