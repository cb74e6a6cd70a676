#include "cad/editor/viewMap.h"

#include <algorithm>
#include <cmath>

int toPixel(double v) {
  if (std::isnan(v)) return 0;
  if (v >= PIXEL_LIMIT) return PIXEL_LIMIT;
  if (v <= -PIXEL_LIMIT) return -PIXEL_LIMIT;
  return static_cast<int>(v);
}

int boardToPixelX(double x) { return toPixel((x + gV.viewX) * gV.zoom); }
int boardToPixelY(double y) { return toPixel((y + gV.viewY) * gV.zoom); }
int lengthToPixels(double length) { return toPixel(length * gV.zoom); }

int penWidth(double size) {
  return std::clamp(toPixel(size * gV.zoom), 0, PEN_WIDTH_LIMIT);
}

double pixelToBoardX(double px) { return px / gV.zoom - gV.viewX; }
double pixelToBoardY(double py) { return py / gV.zoom - gV.viewY; }

void sanitizeView(DesignSettings* settings) {
  double& zoom = settings->zoom;
  if (std::isnan(zoom))
    zoom = 5.0;
  else
    zoom = std::clamp(zoom, ZOOM_MIN, ZOOM_MAX);
  if (!std::isfinite(settings->viewX)) settings->viewX = 0;
  if (!std::isfinite(settings->viewY)) settings->viewY = 0;
}

bool isEmptyRect(const PixelRect& r) { return r.left >= r.right || r.top >= r.bottom; }

bool rectsMeet(const PixelRect& a, const PixelRect& b) {
  return !isEmptyRect(a) && !isEmptyRect(b) && a.left < b.right && b.left < a.right &&
         a.top < b.bottom && b.top < a.bottom;
}

PixelRect unionRect(const PixelRect& a, const PixelRect& b) {
  if (isEmptyRect(a)) return b;
  if (isEmptyRect(b)) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}
