// Bitmap operations: cut, paste, centre, stretch, mirror, key, rotate,
// brightness and inversion, read back pixel by pixel.
#include "tests/gfx/gfxFixture.h"

namespace {

// A w x h bitmap of the back buffer after filling it with one colour.
HBITMAP solidBitmap(HWND gfx, int w, int h, int r, int g, int b) {
  cmd_backColor(gfx, r, g, b);
  cmd_color(gfx, r, g, b);
  cmd_boxFilled(gfx, 0, 0, w, h);
  HBITMAP bmp = cmd_getBmp(gfx, 0, 0, w, h);
  cmd_fill(gfx, 255, 255, 255);
  return bmp;
}

// A 20 x 10 bitmap: left half red, right half blue, top-left pixel green.
HBITMAP twoHalves(HWND gfx) {
  cmd_setPixel(gfx, 0, 0, 0, 255, 0);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 20; ++x)
      if (x || y) cmd_setPixel(gfx, x, y, x < 10 ? 255 : 0, 0, x < 10 ? 0 : 255);
  HBITMAP bmp = cmd_getBmp(gfx, 0, 0, 20, 10);
  cmd_fill(gfx, 255, 255, 255);
  return bmp;
}

constexpr COLORREF GREEN = RGB(0, 255, 0);

}  // namespace

TEST_F(GfxTest, GetBmpCopiesTheRegion) {
  cmd_setPixel(gfx, 10, 10, 255, 0, 0);
  cmd_setPixel(gfx, 19, 29, 0, 0, 255);
  HBITMAP bmp = cmd_getBmp(gfx, 10, 10, 20, 30);
  ASSERT_NE(bmp, nullptr);
  EXPECT_EQ(cmd_getBmpW(bmp), 10);
  EXPECT_EQ(cmd_getBmpH(bmp), 20);
  EXPECT_EQ(bitmapPixel(gfx, bmp, 0, 0), RED);
  EXPECT_EQ(bitmapPixel(gfx, bmp, 9, 19), BLUE);
  EXPECT_EQ(bitmapPixel(gfx, bmp, 5, 5), WHITE);
  EXPECT_NE(cmd_unloadBmp(bmp), 0);
  EXPECT_EQ(GetObjectType(bmp), 0u);
  // Not a bitmap: no size.
  EXPECT_EQ(cmd_getBmpW(nullptr), 0);
  HPEN pen = CreatePen(PS_SOLID, 7, 0);
  EXPECT_EQ(cmd_getBmpW(reinterpret_cast<HBITMAP>(pen)), 0);
  DeleteObject(pen);
}

TEST_F(GfxTest, DrawBmpPlacesCentresAndStretches) {
  HBITMAP ten = solidBitmap(gfx, 10, 10, 255, 0, 0);
  EXPECT_NE(cmd_drawBmp(gfx, ten, 50, 50, 1), 0);
  EXPECT_EQ(countNotWhite(gfx, 40, 40, 60, 60), 100);
  EXPECT_EQ(pixel(45, 45), RED);
  EXPECT_EQ(pixel(54, 54), RED);
  EXPECT_EQ(pixel(44, 45), WHITE);
  EXPECT_EQ(pixel(55, 54), WHITE);
  HBITMAP nine = solidBitmap(gfx, 9, 9, 0, 0, 255);
  cmd_drawBmp(gfx, nine, 50, 50, 1);
  EXPECT_EQ(pixel(46, 46), BLUE);
  EXPECT_EQ(pixel(54, 54), BLUE);
  EXPECT_EQ(pixel(45, 46), WHITE);
  EXPECT_EQ(pixel(55, 55), WHITE);
  cmd_drawBmp(gfx, nine, 100, 100, 0);
  EXPECT_EQ(pixel(100, 100), BLUE);
  EXPECT_EQ(pixel(99, 100), WHITE);

  cmd_fill(gfx, 255, 255, 255);
  HBITMAP halves = twoHalves(gfx);
  cmd_drawBmpStretch(gfx, halves, 0, 0, 40, 20);  // twice the size
  EXPECT_EQ(pixel(5, 10), RED);
  EXPECT_EQ(pixel(35, 10), BLUE);
  EXPECT_EQ(pixel(40, 10), WHITE);
  cmd_drawBmpStretch(gfx, halves, 140, 30, 100, 50);  // negative width: mirrored
  EXPECT_EQ(pixel(105, 40), BLUE);
  EXPECT_EQ(pixel(135, 40), RED);
  for (HBITMAP b : {ten, nine, halves}) cmd_unloadBmp(b);
}

namespace {

// Colour of the source pixel that covers each quarter's sample in a 2x
// keyed stretch of twoHalves into (0, 0)-(40, 20) with the given corners.
void expectQuarters(HWND gfx, COLORREF topLeft, COLORREF left, COLORREF right) {
  EXPECT_EQ(COLORREF(cmd_getPixel(gfx, 0, 0)), topLeft);
  EXPECT_EQ(COLORREF(cmd_getPixel(gfx, 5, 10)), left);
  EXPECT_EQ(COLORREF(cmd_getPixel(gfx, 35, 10)), right);
}

}  // namespace

TEST_F(GfxTest, TransparentCopiesLeaveOutTheKeyColourAndMirror) {
  HBITMAP halves = twoHalves(gfx);
  cmd_transBmp(gfx, halves, 50, 50, 255, 0, 0, 1);  // red left out, centred
  EXPECT_EQ(pixel(45, 47), WHITE);
  EXPECT_EQ(pixel(55, 50), BLUE);
  EXPECT_EQ(pixel(40, 45), GREEN);
  EXPECT_EQ(pixel(60, 50), WHITE);

  cmd_fill(gfx, 255, 255, 255);
  cmd_transStretchBmp(gfx, halves, 0, 0, 40, 20, 0, 255, 0);  // plain, green left out
  expectQuarters(gfx, WHITE, RED, BLUE);
  cmd_fill(gfx, 255, 255, 255);
  cmd_transStretchBmp(gfx, halves, 40, 0, 0, 20, 0, 255, 0);  // mirrored left-right
  expectQuarters(gfx, BLUE, BLUE, RED);
  EXPECT_EQ(pixel(39, 0), WHITE);  // the green corner moved to the right
  cmd_fill(gfx, 255, 255, 255);
  cmd_transStretchBmp(gfx, halves, 40, 20, 0, 0, 0, 255, 0);  // both: turned 180 degrees
  expectQuarters(gfx, BLUE, BLUE, RED);
  EXPECT_EQ(pixel(39, 19), WHITE);
  EXPECT_EQ(pixel(39, 0), RED);
  cmd_unloadBmp(halves);
}

// Wine's BitBlt through a rotating world transform stretches the picture into
// the rotated bounding box instead of turning it, so only the sizes and the
// background are compared here, not the turned content.
TEST_F(GfxTest, RotatedBitmapSizesAndBackground) {
  HBITMAP src = solidBitmap(gfx, 100, 50, 255, 0, 0);
  const COLORREF back = RGB(0, 0, 255);
  HBITMAP r0 = cmd_getRotatedBmp(gfx, src, 0, back);
  HBITMAP r90 = cmd_getRotatedBmp(gfx, src, 90, back);
  HBITMAP r45 = cmd_getRotatedBmp(gfx, src, 45, back);
  EXPECT_EQ(cmd_getBmpW(r0), 100);
  EXPECT_EQ(cmd_getBmpH(r0), 50);
  EXPECT_EQ(cmd_getBmpW(r90), 50);
  EXPECT_EQ(cmd_getBmpH(r90), 100);
  EXPECT_EQ(cmd_getBmpW(r45), 106);
  EXPECT_EQ(cmd_getBmpH(r45), 106);
  EXPECT_EQ(bitmapPixel(gfx, r0, 50, 25), RED);
  EXPECT_EQ(bitmapPixel(gfx, r45, 0, 0), back);      // corners are background
  EXPECT_EQ(bitmapPixel(gfx, r45, 105, 105), back);
  EXPECT_EQ(bitmapPixel(gfx, r45, 53, 53), RED);     // the centre is picture
  EXPECT_EQ(cmd_getBmpW(src), 100);                  // source unchanged
  EXPECT_EQ(bitmapPixel(gfx, src, 0, 0), RED);
  EXPECT_EQ(cmd_getRotatedBmp(gfx, nullptr, 45, back), nullptr);
  for (HBITMAP b : {src, r0, r90, r45}) cmd_unloadBmp(b);
}

// The byte rules are checked natively; here that they reach every pixel and
// channel of a real bitmap.
TEST_F(GfxTest, BrightnessAndInversionChangeEveryChannel) {
  HBITMAP bmp = solidBitmap(gfx, 4, 3, 200, 100, 3);
  cmd_brightness(gfx, bmp, 200);
  EXPECT_EQ(bitmapPixel(gfx, bmp, 0, 0), RGB(255, 200, 6));
  EXPECT_EQ(bitmapPixel(gfx, bmp, 3, 2), RGB(255, 200, 6));
  cmd_brightness(gfx, bmp, -1);  // rejected
  EXPECT_EQ(bitmapPixel(gfx, bmp, 2, 1), RGB(255, 200, 6));
  cmd_unloadBmp(bmp);

  HBITMAP halves = twoHalves(gfx);
  cmd_invert(gfx, halves);
  EXPECT_EQ(bitmapPixel(gfx, halves, 0, 0), RGB(255, 0, 255));
  EXPECT_EQ(bitmapPixel(gfx, halves, 5, 5), RGB(0, 255, 255));
  EXPECT_EQ(bitmapPixel(gfx, halves, 19, 9), RGB(255, 255, 0));
  EXPECT_EQ(cmd_invert(nullptr, halves), 0);
  EXPECT_EQ(cmd_invert(gfx, nullptr), 0);
  cmd_unloadBmp(halves);
}
