#include "cad/editor/zoom.h"

#include <cstdint>

#include "cad/document/settings.h"
#include "cad/editor/viewMap.h"

int wheelNotches(unsigned long long wParam) {
  const int delta = static_cast<int16_t>(static_cast<uint16_t>(wParam >> 16));
  return delta / 120;
}

Effect OnMouseWheel(int n, int px, int py) {
  const double z0 = gV.zoom;
  double zoom = z0 + 0.25 * n;
  if (zoom < ZOOM_MIN) zoom = ZOOM_MIN;
  if (zoom > ZOOM_MAX) zoom = ZOOM_MAX;
  gV.zoom = zoom;
  gV.viewX = px / zoom - (px / z0 - gV.viewX);
  gV.viewY = py / zoom - (py / z0 - gV.viewY);
  Effect effect;
  effect.redraw = true;
  return effect;
}
