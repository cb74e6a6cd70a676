#include "gfx/gfxCore.h"

#include <algorithm>
#include <climits>
#include <cmath>

unsigned packColor(int r, int g, int b) {
  return (unsigned(r) & 0xFF) | ((unsigned(g) & 0xFF) << 8) | ((unsigned(b) & 0xFF) << 16);
}

double d2r(double degrees) { return degrees * 0.017453; }

double r2d(double radians) { return radians * 57.29; }

PieGeometry pieGeometry(int x1, int y1, int x2, int y2, int fromAngle, int toAngle) {
  const double w = double(x2) - x1;
  const double h = double(y2) - y1;
  const double cx = x1 + w * 0.5;
  const double cy = y1 + h * 0.5;
  PieGeometry p;
  p.cx = int(cx);
  p.cy = int(cy);
  p.sx = int(cx + std::cos(d2r(fromAngle)) * w * 0.5);
  p.sy = int(cy + std::sin(d2r(fromAngle)) * h * 0.5);
  p.ex = int(cx + std::cos(d2r(toAngle)) * w * 0.5);
  p.ey = int(cy + std::sin(d2r(toAngle)) * h * 0.5);
  return p;
}

RotatedFrame rotatedFrame(int width, int height, int degrees) {
  const double a = d2r(degrees);
  const double s = std::sin(a);
  const double c = std::cos(a);
  const double w = width;
  const double h = height;
  const double xs[4] = {0.0, w * c, h * s, w * c + h * s};
  const double ys[4] = {0.0, -w * s, h * c, h * c - w * s};
  RotatedFrame f;
  f.s = s;
  f.c = c;
  f.minX = *std::min_element(xs, xs + 4);
  f.minY = *std::min_element(ys, ys + 4);
  f.width = int(*std::max_element(xs, xs + 4) - f.minX);
  f.height = int(*std::max_element(ys, ys + 4) - f.minY);
  return f;
}

void brightenBytes(unsigned char* bytes, std::size_t count, int percent) {
  for (std::size_t i = 0; i < count; ++i) {
    if (bytes[i] == 0) continue;
    double v = (bytes[i] / 100.0) * percent;
    v = std::min(255.0, std::max(0.0, v));
    bytes[i] = static_cast<unsigned char>(v);
  }
}

void invertBytes(unsigned char* bytes, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<unsigned char>(~bytes[i]);
}

void recordLayout(int mode, int left, int top, int right, int bottom, int parentW,
                  int parentH, int layout[4]) {
  const int W = parentW, H = parentH;
  switch (mode) {
    case 1: layout[0] = left; layout[1] = top; layout[2] = W - right; layout[3] = H - bottom; break;
    case 2: layout[0] = W - left; layout[1] = top; layout[2] = right - left; layout[3] = H - bottom; break;
    case 3: layout[0] = W - left; layout[1] = H - top; layout[2] = right - left; layout[3] = bottom - top; break;
    case 4: layout[0] = left; layout[1] = H - top; layout[2] = W - right; layout[3] = bottom - top; break;
    default: break;
  }
}

bool placeControl(int mode, const int layout[4], int parentW, int parentH, int* x,
                  int* y, int* w, int* h) {
  const int W = parentW, H = parentH;
  const int d0 = layout[0], d1 = layout[1], d2 = layout[2], d3 = layout[3];
  switch (mode) {
    case 1: *x = d0; *y = d1; *w = W - d2 - d0; *h = H - d3 - d1; break;
    case 2: *x = W - d0; *y = d1; *w = d2; *h = H - d3 - d1; break;
    case 3: *x = W - d0; *y = H - d1; *w = d2; *h = d3; break;
    case 4: *x = d0; *y = H - d1; *w = W - d2 - d0; *h = d3; break;
    default: return false;
  }
  *w = std::max(*w, 1);
  *h = std::max(*h, 1);
  return true;
}

bool sizerShouldLayout(int mode, unsigned now, unsigned lastPaint, int left, int top,
                       int right, int bottom, int parentW, int parentH) {
  if (mode == 0) return false;
  const unsigned since = now - lastPaint;
  if (std::min(since, 0u - since) <= SIZER_IDLE_MS) return false;
  return left >= parentW || top >= parentH || right <= 0 || bottom <= 0;
}

long long newScrollPos(int current, unsigned code) {
  const long long cur = current;
  const unsigned high = (code >> 16) & 0xFFFF;
  switch (code & 0xFFFF) {
    case 0: return cur - 5;   // line up / left
    case 1: return cur + 5;   // line down / right
    case 2: return cur - 50;  // page up / left
    case 3: return cur + 50;  // page down / right
    case 4:                   // thumb released
    case 5: return high;      // thumb dragged
    case WHEEL_SCROLL_CODE: return cur - static_cast<short>(high);
    default: return cur;
  }
}

int scrollMax(int thickness, int extent) {
  const long long last = (long long)thickness + extent - 1;
  return int(std::min<long long>(std::max<long long>(last, 0), INT_MAX));
}

int clampScrollPos(long long p, int thickness, int extent) {
  return int(std::min<long long>(std::max<long long>(p, 0), scrollMax(thickness, extent)));
}

unsigned wheelScrollCode(int delta, int step) {
  const int notches = delta / 120;
  return ((unsigned(notches * step) & 0xFFFF) << 16) | WHEEL_SCROLL_CODE;
}

unsigned surfacePointParam(unsigned lParam, int dx, int dy) {
  const unsigned x = (lParam & 0xFFFF) + unsigned(dx);
  const unsigned y = ((lParam >> 16) & 0xFFFF) + unsigned(dy);
  return ((y & 0xFFFF) << 16) | (x & 0xFFFF);
}
