// Arithmetic of the graphics control that needs no platform: colour packing,
// angle conversion, pie and rotation geometry, pixel byte transforms,
// autosize layout and the sizer's rule, scroll requests and pointer
// parameters.
#pragma once

#include <cstddef>

// Red, green and blue reduced to their low 8 bits, packed as 0x00BBGGRR.
unsigned packColor(int r, int g, int b);

// Degrees to radians and back with the control's own factors.
double d2r(double degrees);
double r2d(double radians);

// Centre and the two radial end points of a pie over the box (x1,y1)-(x2,y2),
// angles in whole degrees, 0 pointing right, clockwise on the screen.
struct PieGeometry {
  int cx, cy, sx, sy, ex, ey;
};
PieGeometry pieGeometry(int x1, int y1, int x2, int y2, int fromAngle, int toAngle);

// Frame of a W x H picture rotated by whole degrees: sine and cosine of the
// angle, the offset that moves the rotated corners into view and the size
// of the bitmap that holds them.
struct RotatedFrame {
  double s, c, minX, minY;
  int width, height;
};
RotatedFrame rotatedFrame(int width, int height, int degrees);

// Pixel bytes in place: every nonzero byte scaled by percent / 100 with
// saturation; every byte complemented.
void brightenBytes(unsigned char* bytes, std::size_t count, int percent);
void invertBytes(unsigned char* bytes, std::size_t count);

// Autosize modes: 0 off, 1 keep all four margins, 2 anchor right edge,
// 3 anchor bottom-right corner, 4 anchor bottom edge.
// recordLayout stores the four distances of a control (L,T,R,B) in a parent
// of client size W x H; placeControl gives the control's new place and size
// (at least 1 x 1) for a parent of W x H and returns false for mode 0.
void recordLayout(int mode, int left, int top, int right, int bottom, int parentW,
                  int parentH, int layout[4]);
bool placeControl(int mode, const int layout[4], int parentW, int parentH, int* x,
                  int* y, int* w, int* h);

// Whether the sizer timer lays a control out: its autosize mode is on, it
// was not painted for more than SIZER_IDLE_MS (ticks `now` and `lastPaint`,
// either way round, across the tick count's wrap) and its rectangle, in its
// parent's client coordinates, lies wholly outside the parent's client area
// of W x H, where no paint would come to lay it out.
constexpr unsigned SIZER_IDLE_MS = 100;
bool sizerShouldLayout(int mode, unsigned now, unsigned lastPaint, int left, int top,
                       int right, int bottom, int parentW, int parentH);

// Scroll bar requests. `code` is the wParam of a scroll message (or the wheel
// code below); `current` the bar's position. The result is not clamped, and
// is wide enough not to overflow.
constexpr unsigned WHEEL_SCROLL_CODE = 0x20A;
long long newScrollPos(int current, unsigned code);
// The last scroll position, max(0, thickness + extent - 1), and p clamped to
// 0 .. that position.
int scrollMax(int thickness, int extent);
int clampScrollPos(long long p, int thickness, int extent);
// The scroll code a wheel delta becomes: whole notches times step pixels in
// the high word, WHEEL_SCROLL_CODE in the low word.
unsigned wheelScrollCode(int delta, int step);
// A pointer message's lParam (x low word, y high word) moved by the scroll
// offsets, each coordinate kept to 16 bits.
unsigned surfacePointParam(unsigned lParam, int dx, int dy);
