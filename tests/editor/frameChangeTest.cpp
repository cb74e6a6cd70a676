// Which rectangles a pointer event changes in the frame, and that the
// previous frame with those rectangles redrawn gives the new full frame.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "cad/editor/boardView.h"
#include "cad/editor/commands.h"
#include "cad/editor/frameChange.h"
#include "cad/editor/pointer.h"
#include "tests/editor/editorFixture.h"
#include "tests/editor/randomEditing.h"
#include "tests/editor/softCanvas.h"

namespace {

HWND const VIEW = reinterpret_cast<HWND>(0x1234);
const int CANVAS_W = 360, CANVAS_H = 510;

bool contains(const std::vector<PixelRect>& rects, const PixelRect& r) {
  for (const PixelRect& x : rects)
    if (edgesOf(x) == edgesOf(r)) return true;
  return false;
}

// The full frame on a fresh canvas.
SoftCanvas fullCanvas(int px, int py) {
  recorderReset();
  drawFrame(fullFrame(VIEW, px, py));
  SoftCanvas canvas = softCanvas(CANVAS_W, CANVAS_H);
  paintCalls(&canvas, gRecorder.calls);
  return canvas;
}

// The shown frame with the rectangles repainted (clipped to them, lean), as
// the window layer does it.
SoftCanvas repainted(const SoftCanvas& shown, const std::vector<PixelRect>& rects, int px,
                     int py) {
  SoftCanvas fast = shown;  // no rectangles: nothing to draw
  if (rects.empty()) return fast;
  fast.clips = rects;
  FrameRequest request = fullFrame(VIEW, px, py);
  request.clips = rects.data();
  request.clipCount = static_cast<int>(rects.size());
  request.lean = true;
  recorderReset();
  drawFrame(request);
  paintCalls(&fast, gRecorder.calls);
  return fast;
}

}  // namespace

using FrameChange = EditorTest;

TEST_F(FrameChange, HoverMovingFromOneObjectToAnotherRepaintsBoth) {
  Link* a = ObjNewLine(10, 10, 30, 10, 0);
  Link* b = ObjNewCircle(40, 60, 5, 1, 1);
  std::vector<PixelRect> rects;
  FrameSnapshot before = takeFrameSnapshot(0, 0);
  OnMouseMove(0, 300, 300);  // over nothing
  ASSERT_TRUE(frameChanges(before, takeFrameSnapshot(300, 300), &rects));
  EXPECT_TRUE(rects.empty());

  before = takeFrameSnapshot(300, 300);
  OnMouseMove(0, 100, 50);
  ASSERT_EQ(gHoverObj, a);
  ASSERT_TRUE(frameChanges(before, takeFrameSnapshot(100, 50), &rects));
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_TRUE(contains(rects, objPixelBox(ListToObj(a))));

  before = takeFrameSnapshot(100, 50);
  OnMouseMove(0, 200, 300);
  ASSERT_EQ(gHoverObj, b);
  ASSERT_TRUE(frameChanges(before, takeFrameSnapshot(200, 300), &rects));
  EXPECT_EQ(rects.size(), 2u);
  EXPECT_TRUE(contains(rects, objPixelBox(ListToObj(a))));
  EXPECT_TRUE(contains(rects, objPixelBox(ListToObj(b))));
}

TEST_F(FrameChange, OnlyTheGripWhoseHighlightChanged) {
  Link* rect = ObjNewRect(10, 10, 30, 50, 0, 0);
  selectObj(rect);
  std::vector<PixelRect> rects;
  FrameSnapshot before = takeFrameSnapshot(0, 0);
  OnMouseMove(0, 150, 250);  // onto grip (x2, y2): the rectangle is hovered too
  ASSERT_TRUE(frameChanges(before, takeFrameSnapshot(150, 250), &rects));
  EXPECT_EQ(rects.size(), 2u);
  EXPECT_TRUE(contains(rects, objPixelBox(ListToObj(rect))));
  EXPECT_TRUE(contains(rects, gripPixelBox(30, 50)));
  before = takeFrameSnapshot(150, 250);
  OnMouseMove(0, 152, 251);  // still on it
  ASSERT_TRUE(frameChanges(before, takeFrameSnapshot(152, 251), &rects));
  EXPECT_TRUE(rects.empty());
}

TEST_F(FrameChange, DraggingRepaintsOldAndNewShapeAndAllGrips) {
  Link* line = ObjNewLine(10, 10, 30, 10, 0);
  selectObj(line);
  OnLButtonDown(100, 50);
  std::vector<PixelRect> rects;
  const FrameSnapshot before = takeFrameSnapshot(100, 50);
  const PixelRect oldBox = objPixelBox(ListToObj(line));
  OnMouseMove(MOUSE_LBUTTON, 140, 90);
  ASSERT_TRUE(frameChanges(before, takeFrameSnapshot(140, 90), &rects));
  EXPECT_TRUE(contains(rects, oldBox));
  EXPECT_TRUE(contains(rects, objPixelBox(ListToObj(line))));
  EXPECT_TRUE(contains(rects, gripPixelBox(10, 10)));
  EXPECT_TRUE(contains(rects, gripPixelBox(38, 18)));
}

TEST_F(FrameChange, ViewToolsDefaultToolAndANewListNeedTheWholeFrame) {
  ObjNewLine(10, 10, 30, 10, 0);
  std::vector<PixelRect> rects;
  FrameSnapshot before = takeFrameSnapshot(0, 0);
  OnRButtonDown(100, 100);
  OnMouseMove(MOUSE_RBUTTON, 120, 100);
  EXPECT_FALSE(frameChanges(before, takeFrameSnapshot(120, 100), &rects));
  before = takeFrameSnapshot(0, 0);
  gTools[6].size = 2;
  EXPECT_FALSE(frameChanges(before, takeFrameSnapshot(0, 0), &rects));
  before = takeFrameSnapshot(0, 0);
  gDefaultTool = 1;
  EXPECT_FALSE(frameChanges(before, takeFrameSnapshot(0, 0), &rects));
  before = takeFrameSnapshot(0, 0);
  selectObj(gObjList);
  OnKeyDown(KEY_DELETE);  // the head goes
  EXPECT_FALSE(frameChanges(before, takeFrameSnapshot(0, 0), &rects));
  before = takeFrameSnapshot(0, 0);
  gV.snapSpacing = 3;  // not drawn
  EXPECT_TRUE(frameChanges(before, takeFrameSnapshot(0, 0), &rects));
}

TEST_F(FrameChange, AnEventRepaintsWhatChangedSinceTheFrameShown) {
  Link* line = ObjNewLine(10, 10, 30, 10, 0);
  Link* rect = ObjNewRect(40, 40, 60, 60, 1, 0);
  selectObj(line);
  const FrameSnapshot shown = takeFrameSnapshot(0, 0);
  OnKeyDown(KEY_RIGHT);  // selects the rectangle without a redraw
  ASSERT_EQ(gSelObj, rect);
  const FrameSnapshot start = takeFrameSnapshot(0, 0);
  const PixelRect lineBox = objPixelBox(ListToObj(line));
  const PixelRect rectBefore = objPixelBox(ListToObj(rect));
  OnLButtonDown(225, 200);  // on its top edge, away from the grips: grabbed at once
  ASSERT_EQ(gMouseState, STATE_MOVING);
  OnMouseMove(MOUSE_LBUTTON, 275, 250);
  const FrameSnapshot after = takeFrameSnapshot(275, 250);
  std::vector<PixelRect> rects;
  ASSERT_TRUE(eventFrameChanges(shown, start, after, WHOLE_VIEW, &rects));
  // The line loses the selection's colours and the rectangle leaves its old
  // place, where the frame shown had it unselected.
  EXPECT_TRUE(contains(rects, lineBox));
  EXPECT_TRUE(contains(rects, rectBefore));
  EXPECT_TRUE(contains(rects, objPixelBox(ListToObj(rect))));
  EXPECT_TRUE(contains(rects, gripPixelBox(60, 60)));  // a grip at its new place

  // Cut to the client area; what lies outside is left out.
  const PixelRect client = {0, 0, 210, 600};
  ASSERT_TRUE(eventFrameChanges(shown, start, after, client, &rects));
  EXPECT_TRUE(contains(rects, lineBox));
  EXPECT_TRUE(contains(rects, {rectBefore.left, rectBefore.top, 210, rectBefore.bottom}));
  for (const PixelRect& r : rects) EXPECT_LE(r.right, 210);
}

TEST_F(FrameChange, AViewChangedWithoutARedrawNeedsTheWholeFrame) {
  ObjNewLine(10, 10, 30, 10, 0);
  const FrameSnapshot shown = takeFrameSnapshot(0, 0);
  gV.gridSpacing = 1;  // Grid Settings: stored, not drawn
  const FrameSnapshot start = takeFrameSnapshot(0, 0);
  OnMouseMove(0, 100, 50);
  std::vector<PixelRect> rects;
  EXPECT_FALSE(eventFrameChanges(shown, start, takeFrameSnapshot(100, 50), WHOLE_VIEW, &rects));
}

// Random designs and random pointer and key events, as the program handles
// them: the frame on screen changes only when an event asks for a redraw
// (the arrows and the arming keys do not), and each redraw repaints what
// changed since the frame on screen (frameChanges of the undrawn changes
// and of the event). The result must be the new full frame.
TEST_F(FrameChange, RepaintingEachRedrawOverTheFrameShownGivesTheNewFrame) {
  std::mt19937 random(5);
  const PixelRect client = {0, 0, CANVAS_W, CANVAS_H};
  int repaints = 0, changedFrames = 0, afterUndrawnSelection = 0;
  for (int design = 0; design < 10; design++) {
    makeRandomDesign(&random, 25, 3);
    RandomPointer pointer;
    SoftCanvas shown = fullCanvas(pointer.x, pointer.y);
    FrameSnapshot shownState = takeFrameSnapshot(pointer.x, pointer.y);
    int shownX = pointer.x, shownY = pointer.y;
    for (int step = 0; step < 60; step++) {
      const FrameSnapshot start = takeFrameSnapshot(shownX, shownY);
      if (!randomEditorEvent(&random, &pointer, CANVAS_W, CANVAS_H).redraw) continue;
      const FrameSnapshot after = takeFrameSnapshot(pointer.x, pointer.y);
      const SoftCanvas full = fullCanvas(pointer.x, pointer.y);
      std::vector<PixelRect> rects;
      if (eventFrameChanges(shownState, start, after, client, &rects)) {
        repaints++;
        afterUndrawnSelection += shownState.sel != start.sel;
        changedFrames += shown.pixels != full.pixels;
        const SoftCanvas fast = repainted(shown, rects, pointer.x, pointer.y);
        ASSERT_TRUE(fast.pixels == full.pixels)
            << differingPixels(fast, full) << " pixels differ, design " << design << " step "
            << step;
      }
      shown = full;
      shownState = after;
      shownX = pointer.x;
      shownY = pointer.y;
    }
  }
  // The run exercised partial repaints, most of which changed pixels.
  EXPECT_GT(repaints, 250);
  EXPECT_GT(changedFrames, 100);
  EXPECT_GT(afterUndrawnSelection, 10);  // an arrow had changed the selection unseen
}
