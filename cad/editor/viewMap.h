// The mapping between board units (millimetres) and board view pixels, and
// the view settings' sanity. Every conversion to pixels saturates: results
// lie in -PIXEL_LIMIT..PIXEL_LIMIT (a not-a-number maps to 0), so damaged or
// absurd values (a bit of 1e300 mm, a view offset far away) never reach
// undefined behaviour here nor overflow in the graphics control.
#pragma once

#include "cad/document/settings.h"

// 2^24 pixels: far beyond any screen, small enough that sums of a few such
// values still fit a 32-bit int.
constexpr int PIXEL_LIMIT = 1 << 24;
// Pen widths: 0 (a one-pixel pen) to 2^16 pixels, wider than any view.
constexpr int PEN_WIDTH_LIMIT = 1 << 16;

// Zoom range of the view (pixels per millimetre).
constexpr double ZOOM_MIN = 0.25;
constexpr double ZOOM_MAX = 50.0;

// v truncated toward zero, saturated to +-PIXEL_LIMIT; 0 for NaN.
int toPixel(double v);
// Board point to view pixel: trunc((x + viewX) * zoom), likewise for y.
int boardToPixelX(double x);
int boardToPixelY(double y);
// A board length (a radius) in pixels: trunc(length * zoom).
int lengthToPixels(double length);
// Pen width of a stroke as wide as a bit of `size`: trunc(size * zoom),
// saturated to 0..PEN_WIDTH_LIMIT.
int penWidth(double size);
// View pixel to board point: px / zoom - viewX, unrounded.
double pixelToBoardX(double px);
double pixelToBoardY(double py);

// Brings a loaded view into a usable state: a zoom outside ZOOM_MIN..ZOOM_MAX
// is clamped to the range (not-a-number becomes the default 5), view offsets
// that are not finite become 0. Called after a design is loaded.
void sanitizeView(DesignSettings* settings);

// A rectangle of view pixels; right and bottom are exclusive.
struct PixelRect {
  int left, top, right, bottom;
};

// Every pixel a frame can address.
constexpr PixelRect WHOLE_VIEW = {-PIXEL_LIMIT, -PIXEL_LIMIT, PIXEL_LIMIT + 1, PIXEL_LIMIT + 1};

bool isEmptyRect(const PixelRect& r);
bool rectsMeet(const PixelRect& a, const PixelRect& b);
// Smallest rectangle holding both (an empty one adds nothing).
PixelRect unionRect(const PixelRect& a, const PixelRect& b);
