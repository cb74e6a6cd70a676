// Drawing state, shapes, fills, pixels and text, read back from the back
// buffer with cmd_getPixel.
#include "tests/gfx/gfxFixture.h"

#include <algorithm>

#include "gfx/textEscapes.h"
#include "tests/support/winTest.h"

// The packing of components is checked natively; here that the setters use
// it and return the colour they replace.
TEST_F(GfxTest, PixelsReadBackInTheBufferAndSettersReturnThePreviousColour) {
  EXPECT_EQ(cmd_getPixel(gfx, 0, 0), 16777215);
  GfxInstance* r = record();
  EXPECT_EQ(cmd_getPixel(gfx, r->bufferWidth - 1, r->bufferHeight - 1), 16777215);
  EXPECT_EQ(cmd_getPixel(gfx, r->bufferWidth, 0), -1);
  EXPECT_EQ(cmd_getPixel(gfx, -1, 0), -1);

  EXPECT_EQ(cmd_color(gfx, -1, 0, 0), 0);  // previous text colour: black
  cmd_line(gfx, 0, 11, 20, 11);
  EXPECT_EQ(pixel(5, 11), RED);
  EXPECT_EQ(cmd_setPixel(gfx, 30, 30, 511, 256, -256), int(RED));
  EXPECT_EQ(pixel(30, 30), RED);
  EXPECT_EQ(cmd_backColor(gfx, 0, 0, 255), int(WHITE));  // previous background colour
}

TEST_F(GfxTest, BoxOutlineLiesOnTheBorderOfTheFilledBox) {
  cmd_color(gfx, 255, 0, 0);
  cmd_box(gfx, 0, 0, 10, 10);
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(pixel(i, 0), RED) << i;
    EXPECT_EQ(pixel(i, 9), RED) << i;
    EXPECT_EQ(pixel(0, i), RED) << i;
    EXPECT_EQ(pixel(9, i), RED) << i;
  }
  EXPECT_EQ(countNotWhite(gfx, 0, 0, 12, 12), 36);  // nothing inside or beyond

  cmd_backColor(gfx, 0, 0, 255);
  cmd_boxFilled(gfx, 20, 0, 30, 10);
  EXPECT_EQ(countNotWhite(gfx, 18, 0, 32, 12), 100);  // the same 10 x 10 extent
  EXPECT_EQ(pixel(20, 0), RED);
  EXPECT_EQ(pixel(29, 9), RED);
  EXPECT_EQ(pixel(25, 5), BLUE);
}

TEST_F(GfxTest, CirclesAndEllipsesStayInTheirBox) {
  cmd_circle(gfx, 50, 50, 10);
  EXPECT_GT(countNotWhite(gfx, 40, 40, 60, 60), 40);
  EXPECT_EQ(countNotWhite(gfx, 30, 30, 70, 40), 0);  // above the box
  EXPECT_EQ(countNotWhite(gfx, 30, 60, 70, 70), 0);  // below
  EXPECT_EQ(countNotWhite(gfx, 30, 40, 40, 60), 0);  // left
  EXPECT_EQ(countNotWhite(gfx, 60, 40, 70, 60), 0);  // right
  EXPECT_EQ(pixel(50, 50), WHITE);                   // not filled
  // Closed: every quadrant has outline pixels, the left and top extremes too.
  EXPECT_GT(countNotWhite(gfx, 40, 40, 50, 50), 0);
  EXPECT_GT(countNotWhite(gfx, 50, 40, 60, 50), 0);
  EXPECT_GT(countNotWhite(gfx, 40, 50, 50, 60), 0);
  EXPECT_GT(countNotWhite(gfx, 50, 50, 60, 60), 0);
  EXPECT_GT(countNotWhite(gfx, 40, 45, 41, 55), 0);
  EXPECT_GT(countNotWhite(gfx, 45, 40, 55, 41), 0);

  cmd_backColor(gfx, 0, 0, 255);
  cmd_circleFilled(gfx, 120, 50, 10);
  EXPECT_EQ(pixel(120, 50), BLUE);
  EXPECT_EQ(countNotWhite(gfx, 100, 30, 140, 40), 0);
  cmd_ellipse(gfx, 0, 80, 60, 100);
  EXPECT_EQ(pixel(30, 90), WHITE);
  EXPECT_GT(countNotWhite(gfx, 0, 80, 60, 100), 60);
  EXPECT_EQ(countNotWhite(gfx, 60, 80, 70, 100), 0);
  cmd_ellipseFilled(gfx, 80, 80, 140, 100);
  EXPECT_EQ(pixel(110, 90), BLUE);
}

TEST_F(GfxTest, PieArcRunsBetweenItsRadialEndPoints) {
  cmd_color(gfx, 255, 0, 0);
  cmd_pie(gfx, 0, 0, 100, 100, 90, 0);
  // Radii from (50, 50) to (50, 99) and to (100, 50).
  for (int d = 1; d < 45; d += 7) {
    EXPECT_EQ(pixel(50, 50 + d), RED) << d;
    EXPECT_EQ(pixel(50 + d, 50), RED) << d;
  }
  EXPECT_EQ(pixel(50, 49), WHITE);
  EXPECT_EQ(pixel(49, 50), WHITE);
  // The arc goes through the bottom-right quadrant only.
  EXPECT_GT(countColour(gfx, 82, 82, 89, 89, RED), 0);
  EXPECT_EQ(countNotWhite(gfx, 0, 0, 48, 48), 0);
  EXPECT_EQ(countNotWhite(gfx, 52, 0, 100, 48), 0);
  EXPECT_EQ(countNotWhite(gfx, 0, 52, 48, 100), 0);
  EXPECT_EQ(pixel(70, 70), WHITE);  // not filled

  cmd_fill(gfx, 255, 255, 255);
  cmd_backColor(gfx, 0, 0, 255);
  cmd_pieFilled(gfx, 0, 0, 100, 100, 0, 270);  // top-right quarter
  EXPECT_EQ(pixel(65, 35), BLUE);
  EXPECT_EQ(pixel(35, 35), WHITE);
  EXPECT_EQ(pixel(65, 65), WHITE);
}

TEST_F(GfxTest, PolylinesCloseAndPolygonsFill) {
  const POINT one[] = {{5, 5}};
  EXPECT_EQ(cmd_poly(gfx, one, 1), 1);
  EXPECT_EQ(countNotWhite(gfx, 0, 0, 12, 12), 0);
  EXPECT_EQ(cmd_poly(gfx, one, 0), 0);
  const POINT two[] = {{0, 20}, {10, 20}};
  cmd_poly(gfx, two, 2);
  EXPECT_EQ(countNotWhite(gfx, 0, 18, 14, 22), 10);  // end pixel not drawn
  EXPECT_EQ(pixel(10, 20), WHITE);
  const POINT tri[] = {{30, 30}, {60, 30}, {30, 60}};
  cmd_poly(gfx, tri, 3);
  EXPECT_NE(pixel(30, 45), WHITE);  // the closing segment from first to last
  EXPECT_NE(pixel(45, 45), WHITE);
  EXPECT_EQ(pixel(35, 35), WHITE);
  cmd_backColor(gfx, 0, 0, 255);
  const POINT tri2[] = {{80, 30}, {110, 30}, {80, 60}};
  cmd_polyFilled(gfx, tri2, 3);
  EXPECT_EQ(pixel(85, 35), BLUE);
}

TEST_F(GfxTest, PenWidthStyleAndRasterOperation) {
  cmd_color(gfx, 255, 0, 0);
  cmd_size(gfx, 5);
  cmd_line(gfx, 10, 20, 60, 20);
  EXPECT_EQ(pixel(30, 18), RED);
  EXPECT_EQ(pixel(30, 22), RED);
  EXPECT_EQ(pixel(30, 24), WHITE);
  cmd_size(gfx, 1);
  EXPECT_EQ(cmd_style(gfx, PS_NULL), 1);
  cmd_line(gfx, 10, 40, 60, 40);
  EXPECT_EQ(countNotWhite(gfx, 10, 39, 60, 42), 0);
  cmd_style(gfx, PS_DOT);
  cmd_line(gfx, 10, 50, 60, 50);
  const int dots = countColour(gfx, 10, 50, 60, 51, RED);
  EXPECT_GT(dots, 5);
  EXPECT_LT(dots, 45);
  cmd_style(gfx, PS_SOLID);
  EXPECT_EQ(cmd_rule(gfx, R2_NOT), R2_COPYPEN);
  cmd_line(gfx, 10, 60, 60, 60);
  EXPECT_EQ(pixel(30, 60), RGB(0, 0, 0));  // white inverted
  cmd_line(gfx, 10, 60, 60, 60);
  EXPECT_EQ(pixel(30, 60), WHITE);
  EXPECT_EQ(record()->drawMode, R2_NOT);
}

TEST_F(GfxTest, FillLeavesTheBrushAndClsUsesIt) {
  cmd_backColor(gfx, 0, 0, 255);
  cmd_fill(gfx, 255, 0, 0);
  EXPECT_EQ(pixel(0, 0), RED);
  EXPECT_EQ(pixel(150, 100), RED);
  cmd_cls(gfx);
  EXPECT_EQ(pixel(0, 0), BLUE);
  GfxInstance* r = record();
  EXPECT_EQ(pixel(r->bufferWidth - 1, r->bufferHeight - 1), BLUE);

  // Flood fill paints the connected area of the start pixel's colour.
  cmd_fill(gfx, 255, 255, 255);
  cmd_color(gfx, 0, 0, 0);
  cmd_box(gfx, 10, 10, 50, 50);
  cmd_backColor(gfx, 255, 0, 0);
  cmd_floodFill(gfx, 30, 30);
  EXPECT_EQ(pixel(11, 11), RED);
  EXPECT_EQ(pixel(48, 48), RED);
  EXPECT_EQ(pixel(10, 10), RGB(0, 0, 0));
  EXPECT_EQ(pixel(60, 60), WHITE);
}

TEST_F(GfxTest, TextIsTransparentUnlessFilled) {
  cmd_backColor(gfx, 0, 255, 0);
  cmd_color(gfx, 0, 0, 0);
  EXPECT_GT(cmd_text(gfx, 0, 0, 190, 30, DT_LEFT, "Transparent text"), 0);
  EXPECT_GT(countNotWhite(gfx, 0, 0, 190, 30), 20);
  EXPECT_EQ(countColour(gfx, 0, 0, 190, 30, RGB(0, 255, 0)), 0);
  cmd_textFilled(gfx, 0, 40, 190, 70, DT_LEFT, "Filled text");
  EXPECT_GT(countColour(gfx, 0, 40, 190, 70, RGB(0, 255, 0)), 100);
  cmd_text(gfx, 0, 80, 190, 110, DT_LEFT, "Not filled again");
  EXPECT_EQ(countColour(gfx, 0, 80, 190, 110, RGB(0, 255, 0)), 0);
}

// Which escapes and quotes count is decided in the portable core
// (textEscapes.h); here that measuring uses it and drawing does not.
TEST_F(GfxTest, TextMeasurementExpandsEscapesAndDrawingDoesNot) {
  const int h1 = cmd_getTextH(gfx, "ab");
  ASSERT_GT(h1, 0);
  EXPECT_EQ(cmd_getTextH(gfx, "a\\nb"), 2 * h1);  // a line feed in the measured text
  EXPECT_EQ(cmd_getTextW(gfx, "a\\nb"), std::max(cmd_getTextW(gfx, "a"), cmd_getTextW(gfx, "b")));
  // Drawn text keeps backslash and letter: one line, wider than "ab".
  EXPECT_EQ(cmd_text(gfx, 0, 0, 190, 100, DT_CALCRECT, "a\\nb"), h1);
  EXPECT_EQ(cmd_getTextW(gfx, "ab'cd"), cmd_getTextW(gfx, "ab"));  // stops at the quote
  EXPECT_LT(cmd_getTextW(gfx, "ab"), cmd_getTextW(gfx, "abcd"));
  const int small = cmd_getTextH(gfx, "X");
  cmd_font(gfx, "Arial", 24, 700, 0, 0, 0);
  EXPECT_GT(cmd_getTextH(gfx, "X"), small);
}

// How often the box shows is decided in the portable core (textEscapes.h);
// here the box is the platform's own.
TEST_F(GfxTest, InvalidEscapeMeasuresZeroAndShowsTheBox) {
  gEscapeBoxTick = GetTickCount() - 20000;
  wintest::Answer box("getEscapedString", wintest::MESSAGE_TEXT, wintest::press(IDOK));
  EXPECT_EQ(cmd_getTextW(gfx, "a\\x"), 0);
  ASSERT_TRUE(box.seen());
  EXPECT_EQ(box.text(), "Invalid string escape");
  EXPECT_EQ(cmd_getTextH(gfx, "ends in \\"), 0);  // within 10 s: no box to answer
}

TEST_F(GfxTest, PlatformPaintingLandsInTheBackBuffer) {
  EXPECT_NE(cmd_drawEdge(gfx, 10, 10, 60, 40, EDGE_SUNKEN, BF_RECT), 0);
  EXPECT_GT(countNotWhite(gfx, 10, 10, 60, 40), 50);
  EXPECT_EQ(countNotWhite(gfx, 60, 10, 70, 40), 0);
  EXPECT_NE(cmd_drawFrameControl(gfx, 70, 10, 90, 30, DFC_BUTTON, DFCS_BUTTONCHECK), 0);
  EXPECT_GT(countNotWhite(gfx, 70, 10, 90, 30), 20);
  EXPECT_EQ(cmd_DrawStatusText(gfx, 0, 50, 190, 80, "Status", 0), 1);
  EXPECT_GT(countNotWhite(gfx, 0, 50, 190, 80), 100);
  // WM_PRINT of another control paints it at the buffer's origin.
  HWND button = CreateWindowExA(0, "BUTTON", "Print me", WS_CHILD | BS_PUSHBUTTON, 0, 0, 80, 25,
                                container, nullptr, nullptr, nullptr);
  cmd_fill(gfx, 255, 255, 255);
  cmd_wmPrint(gfx, button, PRF_CLIENT | PRF_NONCLIENT | PRF_ERASEBKGND);
  EXPECT_GT(countNotWhite(gfx, 0, 0, 80, 25), 100);
  DestroyWindow(button);
}
