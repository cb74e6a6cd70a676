// KIVO CAD's board view after real pointer and keyboard input: the frame on
// screen, which the program paints after each event as only what changed,
// has exactly the pixels of the plain full redraw of the same state (drawn
// for comparison into a control of its own), after hovering, selecting,
// moving, resizing by grips, a circle's rim, creating, Delete, Escape and
// the arrows. Nothing stale may stay on screen.
#include <string>

#include "cad/document/tools.h"
#include "cad/editor/boardView.h"
#include "cad/editor/viewFrame.h"
#include "editorWinTest.h"
#include "tests/editor/framePixels.h"

using namespace cadtest;

namespace {

class CadFrameTest : public CadWindowTest {
 protected:
  void SetUp() override {
    CadWindowTest::SetUp();
    reference_ = CreateWindowExA(0, ZUGFX_CLASS, nullptr, WS_POPUP, 0, 0, 10, 10, nullptr,
                                 nullptr, nullptr, nullptr);
    ASSERT_NE(reference_, nullptr);
    // Objects on tools of 2 to 7 pixels at zoom 5, some filled, overlapping,
    // and a circle drawn with a pen of 20 pixels.
    gTools[8].size = 4;
    rect_ = ObjNewRect(10, 10, 30, 25, 3, 1);
    circle_ = ObjNewCircle(40, 30, 8, 5, 0);
    line_ = ObjNewLine(5, 40, 60, 55, 1);
    drill_ = ObjNewDrill(50, 15, 2);
    ObjNewRect(25, 20, 45, 45, 6, 0);
    ObjNewCircle(20, 70, 6, 0, 1);
    ObjNewLine(0, 0, 70, 100, 9);
    ObjNewCircle(60, 20, 6, 8, 0);
    Redraw();
  }
  void TearDown() override {
    DestroyWindow(reference_);
    CadWindowTest::TearDown();
    resetTools();
  }

  FramePixels shown() const {
    RECT rc = {};
    GetClientRect(ghGfxBox, &rc);
    return shownPixels(ghGfxBox, rc.right, rc.bottom);
  }

  // The view shows what the plain full redraw of the present state shows.
  void expectFullFrame(const std::string& step) {
    const FramePixels onScreen = shown();
    const POINT p = viewPointer();
    drawFrame(fullFrame(reference_, p.x, p.y));
    EXPECT_EQ(frameDifference(onScreen, backPixels(reference_, onScreen.width, onScreen.height)),
              "")
        << step;
    painted_[lastFramePaint()]++;
  }

  void moveChecked(double x, double y, const std::string& step) {
    moveTo(x, y);
    expectFullFrame(step);
  }

  // Left press at a, four drag steps to b, release, each one checked.
  void dragChecked(double ax, double ay, double bx, double by, const std::string& step) {
    moveChecked(ax, ay, step + ": to the start");
    sendMouse(MOUSEEVENTF_LEFTDOWN);
    expectFullFrame(step + ": press");
    for (int i = 1; i <= 4; ++i)
      moveChecked(ax + (bx - ax) * i / 4, ay + (by - ay) * i / 4,
                  step + ": step " + std::to_string(i));
    sendMouse(MOUSEEVENTF_LEFTUP);
    expectFullFrame(step + ": release");
  }

  HWND reference_ = nullptr;
  Link *rect_ = nullptr, *circle_ = nullptr, *line_ = nullptr, *drill_ = nullptr;
  int painted_[3] = {};
};

TEST_F(CadFrameTest, HoverSelectMoveAndResizeLeaveTheFullFrame) {
  expectFullFrame("start");
  moveChecked(20, 10, "hover the rectangle");
  EXPECT_EQ(gHoverObj, rect_);
  moveChecked(48, 30, "hover the circle's rim");
  EXPECT_EQ(gHoverObj, circle_);
  moveChecked(50, 15, "hover the drill point");
  moveChecked(60, 90, "hover nothing");
  EXPECT_EQ(gHoverObj, nullptr);

  clickAt(12, 22);
  ASSERT_EQ(gSelObj, rect_);
  expectFullFrame("the rectangle selected");
  moveChecked(30, 25, "onto a corner grip");
  moveChecked(33, 28, "off the grip");
  dragChecked(20, 17, 35, 40, "moving the rectangle");
  EXPECT_EQ(ListToObj(rect_)->x1, 25);
  dragChecked(45, 48, 52, 60, "sizing by the corner grip");
  EXPECT_EQ(ListToObj(rect_)->x2, 52);
  dragChecked(38.5, 33, 38.5, 20, "sizing by the top edge's grip");
  EXPECT_EQ(ListToObj(rect_)->y1, 20);

  clickAt(32, 30);  // the circle's rim, where it is not under the rectangle
  ASSERT_EQ(gSelObj, circle_);
  expectFullFrame("the circle selected");
  dragChecked(48, 30, 55, 30, "sizing the circle by its rim");
  EXPECT_EQ(ListToObj(circle_)->radius, 15);
  dragChecked(40, 30, 30, 80, "moving the circle by its centre");

  // Each move was painted as only what it changed, or nothing.
  EXPECT_EQ(painted_[PAINT_WHOLE], 1);  // the first check: the whole frame of SetUp
  EXPECT_GT(painted_[PAINT_CHANGES], 25);
}

TEST_F(CadFrameTest, CreatingDeletingEscapeAndArrowsLeaveTheFullFrame) {
  moveTo(62, 80);
  key('R');
  dragChecked(55, 75, 68, 95, "a new rectangle");
  ASSERT_EQ(objCount(), 9u);
  clickToolbar(IDM_CIRCLE);
  dragChecked(10, 90, 14, 93, "a new circle");
  key('L');
  dragChecked(60, 2, 2, 60, "a new line");
  clickToolbar(IDM_DRILL);
  dragChecked(65, 40, 66, 45, "a new drill point");

  key(VK_DELETE);  // the drill point goes, the line is selected
  expectFullFrame("Delete");
  EXPECT_EQ(objCount(), 11u);

  // The arrows select without a redraw; the next move shows it.
  const FramePixels before = shown();
  key(VK_LEFT);
  key(VK_LEFT);
  EXPECT_EQ(frameDifference(shown(), before), "");
  moveChecked(64, 60, "a move after the arrows");

  // An arrow during a drag: the new selection is dragged from its place.
  clickAt(15, 42.7);
  ASSERT_EQ(gSelObj, line_);
  moveTo(10, 41.4);
  sendMouse(MOUSEEVENTF_LEFTDOWN);
  ASSERT_EQ(gMouseState, STATE_MOVING);
  key(VK_RIGHT);
  ASSERT_EQ(gSelObj, drill_);
  moveChecked(30, 50, "dragging what the arrow selected");
  sendMouse(MOUSEEVENTF_LEFTUP);
  expectFullFrame("released");

  key(VK_ESCAPE);
  expectFullFrame("Escape");
  EXPECT_EQ(gSelObj, nullptr);
  EXPECT_GT(painted_[PAINT_CHANGES], 20);
}

TEST_F(CadFrameTest, AViewThatGrowsShowsTheFrameInItsNewPart) {
  gV.zoom = 10;  // the board, 700 x 1000 pixels, is larger than the view
  Redraw();
  RECT frame = {0, 0, 1200, 900};
  AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, TRUE);
  SetWindowPos(gMainHWnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOZORDER | SWP_NOMOVE);
  pump();
  RECT view = {};
  GetClientRect(ghGfxBox, &view);
  ASSERT_EQ(view.right, 1000);
  expectFullFrame("grown");
  moveChecked(30, 20, "a move over the grown view");
}

}  // namespace
