// The board view's frames after pointer events and keys, as the program
// paints them (paintFrameChanges: only what changed, over the frame on
// screen, the back buffer clipped), against the plain full redraw in the
// real graphics control under Wine: after every random editing event that
// redraws, the two have exactly the same pixels. This checks the pixel boxes
// against the platform's own wide pens, circles and rectangles.
#include <windows.h>

#include <gtest/gtest.h>

#include <random>

#include "cad/editor/boardView.h"
#include "cad/editor/viewFrame.h"
#include "tests/editor/editorFixture.h"
#include "tests/editor/framePixels.h"
#include "tests/editor/randomEditing.h"
#include "tests/gfx/gfxFixture.h"

namespace {

const int W = 380, H = 540;

}  // namespace

class FrameWine : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    ASSERT_EQ(ZuGfxInit(), 1);
    container_ = makeContainer(W, H);
    view_ = makeControl(container_, 0, 0, W, H);
    reference_ = makeControl(container_, 0, 0, 10, 10);
    ASSERT_NE(getGfx(view_), nullptr);
  }
  void TearDown() override {
    DestroyWindow(GetParent(container_));
    ZuGfxClose();
    EditorTest::TearDown();
  }

  HWND container_ = nullptr;
  HWND view_ = nullptr;
  HWND reference_ = nullptr;  // holds the plain full redraw
};

TEST_F(FrameWine, PaintingOnlyTheChangesGivesTheFullFrame) {
  std::mt19937 random(7);
  int painted[3] = {}, changedFrames = 0;
  for (int design = 0; design < 8; design++) {
    makeRandomDesign(&random, 30, design % 2 ? 2.5 : 11.7);  // pens of 12 to 58 pixels
    RandomPointer pointer;
    paintWholeFrame(view_, pointer.x, pointer.y);
    FramePixels shown = backPixels(view_, W, H);
    for (int step = 0; step < 80; step++) {
      const FrameSnapshot start = viewEventStart();
      if (!randomEditorEvent(&random, &pointer, W, H).redraw) continue;
      paintFrameChanges(view_, start, pointer.x, pointer.y);
      painted[lastFramePaint()]++;
      drawFrame(fullFrame(reference_, pointer.x, pointer.y));
      const FramePixels fast = backPixels(view_, W, H), full = backPixels(reference_, W, H);
      ASSERT_EQ(frameDifference(fast, full), "") << "design " << design << " step " << step;
      changedFrames += shown.pixels != full.pixels;
      shown = fast;
    }
  }
  // Most frames were painted as changes or left alone, and most of the
  // changes changed pixels.
  EXPECT_GT(painted[PAINT_CHANGES], 150);
  EXPECT_GT(painted[PAINT_NOTHING], 100);
  EXPECT_GT(changedFrames, 150);
}

TEST_F(FrameWine, TheWholeFrameOfABoardWiderThanTheViewHasThePlainFramesPixels) {
  // 1000 x 1000 mm: 5,000 pixels and 500 grid lines each way, objects
  // across the view's edges and beyond them.
  gV.boardWidth = gV.boardHeight = 1000;
  ObjNewCircle(74, 20, 5, 0, 1);
  ObjNewLine(60, 100, 90, 110, 9);
  ObjNewRect(70, 104, 200, 200, 3, 1);
  ObjNewRect(300, 300, 310, 310, 3, 1);
  gV.viewX = -3;
  paintWholeFrame(view_, 0, 0);
  drawFrame(fullFrame(reference_, 0, 0));
  EXPECT_EQ(frameDifference(backPixels(view_, W, H), backPixels(reference_, W, H)), "");
}
