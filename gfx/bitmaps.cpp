// Bitmap operations of the graphics control: cut from the back buffer, paste
// plainly, centred, stretched, mirrored or keyed, rotate, brighten, invert.
// The caller owns every bitmap returned and frees it with cmd_unloadBmp.
#include <memory>
#include <new>
#include <utility>

#include "gfx/graphics.h"
#include "gfx/gfxCore.h"
#include "gfx/gfxInstance.h"

namespace {

// A temporary memory DC compatible with the back buffer, holding one bitmap
// until it goes out of scope (the DC's own bitmap is put back first).
struct TempDC {
  HDC dc;
  HGDIOBJ previous;
  TempDC(HDC reference, HBITMAP bitmap)
      : dc(CreateCompatibleDC(reference)), previous(SelectObject(dc, bitmap)) {}
  // Deletes the DC now and gives the platform's result.
  int release() {
    if (!dc) return 0;
    SelectObject(dc, previous);
    const int result = DeleteDC(dc);
    dc = nullptr;
    return result;
  }
  ~TempDC() { release(); }
  TempDC(const TempDC&) = delete;
  TempDC& operator=(const TempDC&) = delete;
};

// Size and format of a bitmap; all zero for a handle that is not a bitmap
// (GetObjectA would fill in another kind of object's record).
BITMAP _bitmapInfo(HBITMAP bitmap) {
  BITMAP bm = {};
  if (bitmap && GetObjectType(bitmap) == OBJ_BITMAP) GetObjectA(bitmap, sizeof(bm), &bm);
  return bm;
}

// With centre set, (x, y) names the bitmap's middle instead of its corner.
void _centre(const BITMAP& bm, int centre, int* x, int* y) {
  if (!centre) return;
  *x -= bm.bmWidth / 2;
  *y -= bm.bmHeight / 2;
}

}  // namespace

HBITMAP cmd_getBmp(HWND window, int x1, int y1, int x2, int y2) {
  GfxInstance* gfx = getGfx(window);
  if (!gfx) return nullptr;
  HBITMAP bitmap = CreateCompatibleBitmap(gfx->backDC, x2 - x1, y2 - y1);
  TempDC copy(gfx->backDC, bitmap);
  BitBlt(copy.dc, 0, 0, x2 - x1, y2 - y1, gfx->backDC, x1, y1, SRCCOPY);
  return bitmap;
}

int cmd_drawBmp(HWND window, HBITMAP bitmap, int x, int y, int centre) {
  GfxInstance* gfx = getGfx(window);
  if (!gfx) return 0;
  const BITMAP bm = _bitmapInfo(bitmap);
  _centre(bm, centre, &x, &y);
  TempDC source(gfx->backDC, bitmap);
  BitBlt(gfx->backDC, x, y, bm.bmWidth, bm.bmHeight, source.dc, 0, 0, SRCCOPY);
  return source.release();
}

int cmd_drawBmpStretch(HWND window, HBITMAP bitmap, int x1, int y1, int x2, int y2) {
  GfxInstance* gfx = getGfx(window);
  if (!gfx) return 0;
  const BITMAP bm = _bitmapInfo(bitmap);
  TempDC source(gfx->backDC, bitmap);
  StretchBlt(gfx->backDC, x1, y1, x2 - x1, y2 - y1, source.dc, 0, 0, bm.bmWidth, bm.bmHeight,
             SRCCOPY);
  return source.release();
}

int cmd_transBmp(HWND window, HBITMAP bitmap, int x, int y, int r, int g, int b, int centre) {
  GfxInstance* gfx = getGfx(window);
  if (!gfx) return 0;
  const BITMAP bm = _bitmapInfo(bitmap);
  _centre(bm, centre, &x, &y);
  TempDC source(gfx->backDC, bitmap);
  TransparentBlt(gfx->backDC, x, y, bm.bmWidth, bm.bmHeight, source.dc, 0, 0, bm.bmWidth,
                 bm.bmHeight, packColor(r, g, b));
  return source.release();
}

// The picture is first copied, mirrored where a corner pair is reversed, into
// a bitmap of its own size, which is then stretched and keyed into the
// normalised rectangle. A mirrored copy starts at the last column (row): a
// negative extent from W itself would cover columns 1..W, dropping one column
// of the picture and leaving column 0 of the copy unset.
int cmd_transStretchBmp(HWND window, HBITMAP bitmap, int x1, int y1, int x2, int y2, int r,
                        int g, int b) {
  GfxInstance* gfx = getGfx(window);
  if (!gfx) return 0;
  const BITMAP bm = _bitmapInfo(bitmap);
  const int W = bm.bmWidth, H = bm.bmHeight;
  HBITMAP mirrored = CreateCompatibleBitmap(gfx->backDC, W, H);
  int result;
  {
    TempDC source(gfx->backDC, bitmap);
    TempDC temp(gfx->backDC, mirrored);
    int ox = 0, oy = 0, ex = W, ey = H;
    if (x2 < x1) {
      std::swap(x1, x2);
      ox = W - 1;
      ex = -W;
    }
    if (y2 < y1) {
      std::swap(y1, y2);
      oy = H - 1;
      ey = -H;
    }
    StretchBlt(temp.dc, ox, oy, ex, ey, source.dc, 0, 0, W, H, SRCCOPY);
    TransparentBlt(gfx->backDC, x1, y1, x2 - x1, y2 - y1, temp.dc, 0, 0, W, H,
                   packColor(r, g, b));
    source.release();
    result = temp.release();
  }
  DeleteObject(mirrored);
  return result;
}

int cmd_unloadBmp(HBITMAP bitmap) { return DeleteObject(bitmap); }

int cmd_getBmpW(HBITMAP bitmap) { return _bitmapInfo(bitmap).bmWidth; }

int cmd_getBmpH(HBITMAP bitmap) { return _bitmapInfo(bitmap).bmHeight; }

HBITMAP cmd_getRotatedBmp(HWND window, HBITMAP bitmap, int degrees, unsigned int background) {
  GfxInstance* gfx = getGfx(window);
  if (!gfx || !bitmap) return nullptr;
  const BITMAP bm = _bitmapInfo(bitmap);
  const RotatedFrame f = rotatedFrame(bm.bmWidth, bm.bmHeight, degrees);
  HBITMAP rotated = CreateCompatibleBitmap(gfx->backDC, f.width, f.height);
  TempDC target(gfx->backDC, rotated);
  TempDC source(gfx->backDC, bitmap);
  RECT all = {0, 0, int(f.width + 2), int(f.height + 2)};
  HBRUSH brush = CreateSolidBrush(background);
  FillRect(target.dc, &all, brush);
  DeleteObject(brush);
  SetGraphicsMode(target.dc, GM_ADVANCED);
  XFORM xf = {};
  xf.eM11 = FLOAT(f.c);
  xf.eM12 = FLOAT(-f.s);
  xf.eM21 = FLOAT(f.s);
  xf.eM22 = FLOAT(f.c);
  xf.eDx = FLOAT(-f.minX);
  xf.eDy = FLOAT(-f.minY);
  SetWorldTransform(target.dc, &xf);
  BitBlt(target.dc, 0, 0, bm.bmWidth, bm.bmHeight, source.dc, 0, 0, SRCCOPY);
  return rotated;
}

namespace {

// Runs `transform` over the bytes of a 32-bit bottom-up copy of the bitmap
// and writes the copy back. The front buffer's DC is the reference DC.
template <typename Transform>
int _transformPixels(HWND window, HBITMAP bitmap, Transform transform) {
  GfxInstance* gfx = getGfx(window);
  if (!gfx || !bitmap) return 0;
  const BITMAP bm = _bitmapInfo(bitmap);
  if (bm.bmWidth <= 0 || bm.bmHeight <= 0) return 0;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = bm.bmWidth;
  info.bmiHeader.biHeight = bm.bmHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  const size_t size = size_t(bm.bmWidth) * 4 * size_t(bm.bmHeight);
  std::unique_ptr<unsigned char[]> pixels(new (std::nothrow) unsigned char[size]);
  if (!pixels ||
      !GetDIBits(gfx->frontDC, bitmap, 0, UINT(bm.bmHeight), pixels.get(), &info, DIB_RGB_COLORS))
    return 0;
  transform(pixels.get(), size);
  return SetDIBits(gfx->frontDC, bitmap, 0, UINT(bm.bmHeight), pixels.get(), &info,
                   DIB_RGB_COLORS);
}

}  // namespace

int cmd_brightness(HWND window, HBITMAP bitmap, int percent) {
  if (percent < 0) return 0;
  return _transformPixels(window, bitmap, [percent](unsigned char* bytes, size_t count) {
    brightenBytes(bytes, count, percent);
  });
}

int cmd_invert(HWND window, HBITMAP bitmap) {
  return _transformPixels(window, bitmap, invertBytes);
}
