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

// The statements reach the real control: parsing and the calls they make are
// checked natively, the operations' pixels in the control's own tests.
TEST_F(LangWineTest, StatementsDrawOnTheControlAndFlipShowsThem) {
  EXPECT_NE(graphicCommand(gfx_, "fill white; color red; line 0 0 100 100; "
                                 "font 30 b 'Arial'; text 110 0 200 150 0 'MMMM'; flip"),
            0);
  for (int i : {0, 50, 99}) EXPECT_EQ(shown(i, i), RED) << i;
  EXPECT_EQ(shown(100, 100), WHITE);  // the end point is not drawn
  EXPECT_EQ(shown(10, 50), WHITE);
  EXPECT_EQ(shown(199, 149), WHITE);
  int red = 0;
  for (int y = 0; y < 40; y++)
    for (int x = 110; x < 200; x++) red += shown(x, y) == RED;
  EXPECT_GT(red, 50);  // the text, in the pen colour and the bold font
}

}  // namespace
