// The command language against a real "ZuGfx32" control under Wine: the
// pictures are read back from the control's front buffer after the flip.
#include <windows.h>

#include <gtest/gtest.h>

#include "gfx/gfxInstance.h"
#include "gfx/lang/processCommands.h"
#include "gfx/zugfx.h"

namespace {

class LangWineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(ZuGfxInit(), 1);
    parent_ = CreateWindowExA(0, "STATIC", "lang test", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300,
                              nullptr, nullptr, nullptr, nullptr);
    gfx_ = CreateWindowExA(0, ZUGFX_CLASS, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 200, 150,
                           parent_, nullptr, nullptr, nullptr);
    ASSERT_NE(getGfx(gfx_), nullptr);
    cmd_fill(gfx_, 0, 0, 255);  // a picture that no statement below makes
    cmd_flip(gfx_);
  }
  void TearDown() override {
    DestroyWindow(parent_);
    ZuGfxClose();
  }
  COLORREF shown(int x, int y) const { return GetPixel(getGfx(gfx_)->frontDC, x, y); }

  HWND parent_ = nullptr;
  HWND gfx_ = nullptr;
};

const COLORREF WHITE = RGB(255, 255, 255);
const COLORREF RED = RGB(255, 0, 0);

TEST_F(LangWineTest, FillWhiteAndFlipShowsWhite) {
  EXPECT_NE(graphicCommand(gfx_, "fill white;flip"), 0);
  for (int y : {0, 75, 149})
    for (int x : {0, 100, 199}) EXPECT_EQ(shown(x, y), WHITE) << x << "," << y;
}

TEST_F(LangWineTest, RedDiagonal) {
  for (const char* text : {"fill white; color red; line 0 0 100 100; flip",
                           "FILL 255 255 255; COLOR 255 0 0; LINE 0 0 100 100; FLIP"}) {
    graphicCommand(gfx_, text);
    for (int i : {0, 1, 50, 99}) EXPECT_EQ(shown(i, i), RED) << text << " at " << i;
    EXPECT_EQ(shown(100, 100), WHITE) << text;  // the end point is not drawn
    EXPECT_EQ(shown(50, 10), WHITE) << text;
    EXPECT_EQ(shown(10, 50), WHITE) << text;
  }
}

TEST_F(LangWineTest, ColourComponentsKeepTheirLow8Bits) {
  graphicCommand(gfx_, "FILL 300 0 0; FLIP");
  EXPECT_EQ(shown(20, 20), RGB(44, 0, 0));
}

TEST_F(LangWineTest, FontStatementChangesTextWidths) {
  graphicCommand(gfx_, "FONT 10 'Arial'");
  const int small = cmd_getTextW(gfx_, "Hello world");
  graphicCommand(gfx_, "FONT 30 B 'Arial'");
  const int large = cmd_getTextW(gfx_, "Hello world");
  EXPECT_GT(small, 0);
  EXPECT_GT(large, 2 * small);
  graphicCommand(gfx_, "FONT 10 'Arial'");
  EXPECT_EQ(cmd_getTextW(gfx_, "Hello world"), small);
}

TEST_F(LangWineTest, TextStatementDrawsInThePenColour) {
  graphicCommand(gfx_, "fill white; color red; font 30 b 'Arial'; text 0 0 200 150 0 'MMMM'; flip");
  int red = 0;
  for (int y = 0; y < 40; y++)
    for (int x = 0; x < 120; x++) red += shown(x, y) == RED;
  EXPECT_GT(red, 50);
}

}  // namespace
