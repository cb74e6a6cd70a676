// Hostile callers: arguments that once crashed the process or broke the
// control. Each call runs in a child process (gfx_hostile_child, see
// hostileChild.cpp), which must live and find the control unharmed.
#include <climits>
#include <string>
#include <vector>

#include "tests/gfx/gfxFixture.h"
#include "tests/support/winTest.h"

namespace {

// Runs gfx_hostile_child with the arguments; the child must end by itself,
// with exit code 0.
void expectLives(const std::string& arguments) {
  const wintest::ProgramRun run = wintest::runProgram(
      "\"" + wintest::siblingProgram("gfx_hostile_child.exe") + "\" " + arguments, 30000);
  ASSERT_TRUE(run.started) << arguments;
  EXPECT_FALSE(run.timedOut) << arguments << "\n" << run.output;
  EXPECT_EQ(run.exitCode, 0u) << arguments << "\n" << run.output;
}

std::string hex(unsigned value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", value);
  return text;
}

}  // namespace

// Format flags that would let the platform write an ellipsis into the text,
// which may be read-only or the command language's own buffer.
TEST(GfxHostile, TextIsDrawnUnchangedWhateverTheFormat) {
  for (unsigned format : {0x18000u, 0xFFFFFFFFu, unsigned(DT_MODIFYSTRING | DT_PATH_ELLIPSIS),
                          unsigned(DT_MODIFYSTRING | DT_WORD_ELLIPSIS | DT_SINGLELINE),
                          unsigned(DT_MODIFYSTRING | DT_END_ELLIPSIS | DT_SINGLELINE)})
    expectLives("text " + hex(format));
}

// The window data of a control of another process holds an address of that
// process; every operation must treat the window as no control of its own.
TEST(GfxHostile, AControlOfAnotherProcessIsLeftAlone) {
  ASSERT_EQ(ZuGfxInit(), 1);
  HWND container = makeContainer(400, 300);
  HWND gfx = makeControl(container, 0, 0, 200, 150);
  cmd_fill(gfx, 255, 255, 255);
  cmd_flip(gfx);
  expectLives("foreign " + std::to_string(reinterpret_cast<uintptr_t>(gfx)));
  GfxInstance* r = getGfx(gfx);
  EXPECT_EQ(COLORREF(cmd_getPixel(gfx, 1, 1)), WHITE);
  EXPECT_EQ(r->horzScrollBar, nullptr);
  EXPECT_EQ(r->autosizeMode, 0);
  EXPECT_EQ(r->penWidth, 1);
  EXPECT_EQ(r->drawMode, R2_COPYPEN);
  DestroyWindow(GetParent(container));
  ZuGfxClose();
}

// Curves of every size live. Where they cross the 1600 x 1200 buffer of the
// test display they are drawn there, whether the platform draws them (up to
// PLATFORM_CURVE_LIMIT) or the control does.
TEST(GfxHostile, LargeCurvesLiveAndAreDrawnWhereTheyCrossTheBuffer) {
  const long long L = 1 << 18;  // PLATFORM_CURVE_LIMIT
  auto n = [](long long v) { return std::to_string(v); };
  // A box of size s whose right-most column is 799, centred on row 600.
  auto box = [&](long long s) {
    return n(800 - s) + " " + n(600 - s / 2) + " 800 " + n(600 - s / 2 + s);
  };
  const std::vector<std::string> cases = {
      // What crashed before.
      "command \"CIRCLE 700000 700000 700000\" clear=800,600",
      "ellipse 0 0 10000000 10000000 clear=800,600",
      "ellipse 0 0 16777216 16777216 clear=800,600",
      "circle " + n(800 - (1 << 26)) + " 600 " + n(1 << 26) +
          " drawn=799,600 drawn=799,0 drawn=799,1199 clear=800,600 clear=790,600",
      "pie " + box(1LL << 27) + " 90 270 drawn=799,600 clear=800,600 clear=790,600",
      "pieFilled " + box(1LL << 27) + " 90 270 drawn=790,600 drawn=0,0 clear=801,600",
      "pieFilled " + box(1LL << 27) + " 270 90 clear=790,600 clear=0,0",
      // Both sides of the platform's range.
      "ellipse " + box(L) + " drawn=799,600 clear=800,600 clear=790,600",
      "ellipse " + box(L + 1) + " drawn=799,600 clear=800,600 clear=790,600",
      "ellipseFilled " + box(L) + " drawn=790,600 clear=801,600",
      "ellipseFilled " + box(L + 1) + " drawn=790,600 clear=801,600",
      // The ends of the int range: the buffer lies inside the curve.
      "circle 0 0 " + n(INT_MAX) + " clear=800,600",
      "circleFilled 0 0 " + n(INT_MAX) + " drawn=0,0 drawn=1599,1199",
      "ellipse " + n(INT_MIN) + " " + n(INT_MIN) + " " + n(INT_MAX) + " " + n(INT_MAX) +
          " clear=800,600",
      // Counter-clockwise from the left end to the right one: the bottom half.
      "pieFilled " + n(INT_MIN) + " " + n(INT_MIN) + " " + n(INT_MAX) + " " + n(INT_MAX) +
          " 180 0 drawn=0,0 drawn=1599,1199",
      "pieFilled " + n(INT_MIN) + " " + n(INT_MIN) + " " + n(INT_MAX) + " " + n(INT_MAX) +
          " 0 180 clear=0,0 clear=1599,1199",
  };
  for (const std::string& c : cases) expectLives("curve " + c);
}

// Wine takes minutes, or never ends, for lines and curves with pens of
// millions of pixels.
TEST(GfxHostile, WidePensEndInTime) {
  for (int width : {10000000, INT_MAX, -10000000}) expectLives("pen " + std::to_string(width));
}

// Extents the buffers cannot take are refused; centring at the ends of the
// int range saturates.
TEST(GfxHostile, ScrollExtentsAndPositionsAtTheLimits) {
  for (const char* scenario : {"max", "refused-keeps-bar", "off-shrinks", "centre"})
    expectLives(std::string("scroll ") + scenario);
}
