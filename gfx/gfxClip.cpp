#include "gfx/gfxClip.h"

#include "gfx/gfxInstance.h"

int gfxClipTo(HWND window, const RECT* rects, int count) {
  GfxInstance* gfx = getGfx(window);
  if (!gfx || count < 0 || (count > 0 && !rects)) return 0;
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  HRGN part = CreateRectRgn(0, 0, 0, 0);
  bool made = region && part;
  for (int i = 0; made && i < count; i++) {
    const RECT& r = rects[i];
    made = SetRectRgn(part, r.left, r.top, r.right, r.bottom) &&
           CombineRgn(region, region, part, RGN_OR) != ERROR;
  }
  // The device context keeps a copy of the region.
  made = made && SelectClipRgn(gfx->backDC, region) != ERROR;
  if (part) DeleteObject(part);
  if (region) DeleteObject(region);
  return made ? 1 : 0;
}

int gfxClipOff(HWND window) {
  GfxInstance* gfx = getGfx(window);
  if (!gfx) return 0;
  return SelectClipRgn(gfx->backDC, nullptr) != ERROR ? 1 : 0;
}
