// The pointer state machine: presses, drags and releases in each state,
// creating, grabbing, hovering and panning. Pixels map to board units at the
// default zoom 5 (pixel = 5 x mm), so pixel (52, 73) is the board point
// (10.4, 14.6).
#include <gtest/gtest.h>

#include <string>

#include "cad/editor/boardView.h"
#include "cad/editor/commands.h"
#include "cad/editor/pointer.h"
#include "cad/editor/statusText.h"
#include "tests/editor/editorFixture.h"

using Pointer = EditorTest;

namespace {

std::string selText() {
  char text[100];
  formatSelObjText(text, sizeof text);
  return text;
}

}  // namespace

TEST_F(Pointer, DrawingARectangleFromTheToolbarToTheRelease) {
  EXPECT_FALSE(runCommand(CMD_RECT).redraw);  // armed, the frame shows it later
  EXPECT_EQ(gMouseState, STATE_NEW_RECT);
  gDefaultTool = 4;

  // Where each kind starts is checked for every armed state below.
  Effect press = OnLButtonDown(52, 73);
  ASSERT_NE(gSelObj, nullptr);
  const Obj* rect = ListToObj(gSelObj);
  EXPECT_EQ(rect->tool, 4);
  EXPECT_EQ(rect->fill, 0);
  EXPECT_EQ(std::string(mouseStateText(gMouseState)), "Sizing BR");
  EXPECT_TRUE(press.focusView);
  EXPECT_EQ(press.capture, CAPTURE_TAKE);
  EXPECT_EQ(press.cursor, CURSOR_KEEP);  // creation sets no cursor
  EXPECT_EQ(press.listTool, 4);
  EXPECT_TRUE(press.redraw);

  // Every drag step moves the opposite corner to the snapped pointer.
  EXPECT_TRUE(OnMouseMove(MOUSE_LBUTTON, 153, 201).redraw);
  EXPECT_DOUBLE_EQ(rect->x2, 31);
  EXPECT_DOUBLE_EQ(rect->y2, 40);
  OnMouseMove(MOUSE_LBUTTON, 20, 30);  // past the first corner: corners swap
  EXPECT_DOUBLE_EQ(rect->x2, 4);
  EXPECT_DOUBLE_EQ(rect->y2, 6);
  OnMouseMove(MOUSE_LBUTTON, 153, 201);

  Effect release = OnLButtonUp();
  EXPECT_EQ(gMouseState, STATE_IDLE);
  EXPECT_EQ(release.capture, CAPTURE_RELEASE);
  EXPECT_TRUE(release.redraw);
  EXPECT_EQ(selText(), "X: 10.0   Y: 15.0   W: 21.0   H: 25.0");
  EXPECT_TRUE(runCommand(CMD_FILL).redraw);
  EXPECT_EQ(rect->fill, 1);
  EXPECT_EQ(objCount(), 1u);
}

TEST_F(Pointer, EachArmedStateCreatesItsKindSelectedAndGrabbed) {
  struct Case {
    int armed, type, grabbed;
    double x2, y2, radius;
  };
  // Each starts at the snapped press point; lines and rectangles end at the
  // unsnapped point plus one.
  const Case cases[] = {
      {STATE_NEW_LINE, OBJ_LINE, GRIP_X2Y2, 11.4, 15.6, 0},
      {STATE_NEW_RECT, OBJ_RECT, GRIP_X2Y2, 11.4, 15.6, 0},
      {STATE_NEW_CIRCLE, OBJ_CIRCLE, STATE_SIZING_RADIUS, 0, 0, 1.0},
      {STATE_NEW_DRILL, OBJ_DRILL, STATE_MOVING, 0, 0, 0},
  };
  for (const Case& c : cases) {
    gDragObjX = gDragObjY = 7;
    gMouseState = c.armed;
    const Effect e = OnLButtonDown(52, 73);
    const Obj* obj = ListToObj(gSelObj);
    ASSERT_NE(obj, nullptr);
    EXPECT_EQ(endOfList(gObjList), gSelObj) << "appended at the tail";
    EXPECT_EQ(obj->type, c.type);
    EXPECT_DOUBLE_EQ(obj->x1, 10);
    EXPECT_DOUBLE_EQ(obj->y1, 15);
    EXPECT_DOUBLE_EQ(obj->x2, c.x2);
    EXPECT_DOUBLE_EQ(obj->y2, c.y2);
    EXPECT_DOUBLE_EQ(obj->radius, c.radius);
    EXPECT_EQ(gMouseState, c.grabbed);
    EXPECT_EQ(e.capture, CAPTURE_TAKE);
    if (c.armed == STATE_NEW_DRILL) {
      EXPECT_EQ(gDragObjX, 0);
      EXPECT_EQ(gDragObjY, 0);
    }
    // Released without a drag: idle, the new object as it was started.
    OnLButtonUp();
    EXPECT_EQ(gMouseState, STATE_IDLE);
    EXPECT_DOUBLE_EQ(obj->x2, c.x2);
  }
  EXPECT_EQ(objCount(), 4u);
}

TEST_F(Pointer, NewCircleRadiusFollowsTheSnappedPointer) {
  gMouseState = STATE_NEW_CIRCLE;
  OnLButtonDown(50, 50);  // centre (10, 10)
  Obj* circle = ListToObj(gSelObj);
  OnMouseMove(MOUSE_LBUTTON, 51, 51);  // snaps onto the centre: 0.1, snapped to 0
  EXPECT_EQ(circle->radius, 0);
  OnMouseMove(MOUSE_LBUTTON, 50 + 17, 50);  // 3.4 away: 3
  EXPECT_DOUBLE_EQ(circle->radius, 3);
  OnMouseMove(MOUSE_LBUTTON, 50, 50 - 18);  // 3.6 away, snapped to 4
  EXPECT_DOUBLE_EQ(circle->radius, 4);
  EXPECT_DOUBLE_EQ(circle->x1, 10);
}

TEST_F(Pointer, NewDrillFollowsTheSnappedPointerWhileHeld) {
  gMouseState = STATE_NEW_DRILL;
  OnLButtonDown(50, 50);
  OnMouseMove(MOUSE_LBUTTON, 77, 123);  // (15.4, 24.6)
  const Obj* drill = ListToObj(gSelObj);
  EXPECT_DOUBLE_EQ(drill->x1, 15);
  EXPECT_DOUBLE_EQ(drill->y1, 25);
}

TEST_F(Pointer, FirstPressSelectsSecondPressGrabsAndMovesWithTheGrabOffset) {
  Link* line = ObjNewLine(10, 10, 30, 10, 0);
  const Effect select = OnLButtonDown(100, 51);  // (20, 10.2), on the line
  EXPECT_EQ(gSelObj, line);
  EXPECT_EQ(gMouseState, STATE_IDLE);
  EXPECT_EQ(select.capture, CAPTURE_KEEP);
  EXPECT_EQ(select.listTool, 0);
  OnMouseMove(MOUSE_LBUTTON, 150, 51);  // held: does not move
  OnLButtonUp();
  EXPECT_EQ(ListToObj(line)->x1, 10);

  const Effect grab = OnLButtonDown(100, 51);
  EXPECT_EQ(gMouseState, STATE_MOVING);
  EXPECT_EQ(grab.capture, CAPTURE_TAKE);
  EXPECT_EQ(grab.cursor, CURSOR_MOVE);
  EXPECT_DOUBLE_EQ(gDragObjX, 10);
  EXPECT_NEAR(gDragObjY, 0.2, 1e-12);
  OnMouseMove(MOUSE_LBUTTON, 127, 83);  // (25.4, 16.6) - offset = (15.4, 16.4)
  const Obj* obj = ListToObj(line);
  EXPECT_DOUBLE_EQ(obj->x1, 15);
  EXPECT_DOUBLE_EQ(obj->y1, 16);
  EXPECT_DOUBLE_EQ(obj->x2, 35);  // keeps its shape
  EXPECT_DOUBLE_EQ(obj->y2, 16);
}

TEST_F(Pointer, RectangleGripsEnterTheirSizingStatesWithTheirCursors) {
  struct Case {
    int px, py, state, cursor;
    const char* text;
  };
  // Rectangle (10, 10)-(30, 50): pixels (50, 50)-(150, 250).
  const Case cases[] = {
      {50, 50, 1, CURSOR_NWSE, "Sizing TL"},    {100, 50, 2, CURSOR_NS, "Sizing T"},
      {150, 50, 3, CURSOR_NESW, "Sizing TR"},   {50, 150, 4, CURSOR_WE, "Sizing L"},
      {150, 150, 5, CURSOR_WE, "Sizing R"},     {50, 250, 6, CURSOR_NESW, "Sizing BL"},
      {100, 250, 7, CURSOR_NS, "Sizing B"},     {150, 250, 8, CURSOR_NWSE, "Sizing BR"},
      {100, 150, 9, CURSOR_MOVE, "Moving"},     {54, 100, 9, CURSOR_MOVE, "Moving"},
  };
  Link* rect = ObjNewRect(10, 10, 30, 50, 0, 0);
  selectObj(rect);
  for (const Case& c : cases) {
    const Effect e = OnLButtonDown(c.px, c.py);
    EXPECT_EQ(gMouseState, c.state) << c.px << "," << c.py;
    EXPECT_EQ(e.cursor, c.cursor) << c.state;
    EXPECT_EQ(e.capture, CAPTURE_TAKE);
    EXPECT_EQ(std::string(mouseStateText(gMouseState)), c.text);
    EXPECT_EQ(gSelObj, rect);
    OnLButtonUp();
  }
  // Dragging the top edge changes only y1.
  OnLButtonDown(100, 50);
  OnMouseMove(MOUSE_LBUTTON, 300, 22);
  const Obj* obj = ListToObj(rect);
  EXPECT_EQ(obj->x1, 10);
  EXPECT_EQ(obj->x2, 30);
  EXPECT_DOUBLE_EQ(obj->y1, 4);
  EXPECT_EQ(obj->y2, 50);
}

TEST_F(Pointer, GripsWinOverLaterObjectsButTheBodyDoesNot) {
  Link* first = ObjNewRect(10, 10, 30, 50, 0, 0);
  Link* later = ObjNewRect(0, 0, 60, 60, 0, 1);  // covers the first, filled
  selectObj(first);
  OnLButtonDown(50, 50);  // grip (x1, y1) of the selection
  EXPECT_EQ(gSelObj, first);
  EXPECT_EQ(gMouseState, GRIP_X1Y1);
  OnLButtonUp();
  const Effect e = OnLButtonDown(52, 100);  // the first's left edge, under `later`
  EXPECT_EQ(gSelObj, later);
  EXPECT_EQ(gMouseState, STATE_IDLE);
  EXPECT_EQ(e.capture, CAPTURE_KEEP);
}

TEST_F(Pointer, CentreGripMovesAnUnfilledCircleAndDrillPointsAlwaysMove) {
  Link* circle = ObjNewCircle(20, 20, 8, 0, 0);
  selectObj(circle);
  OnLButtonDown(100, 100);  // the centre, outside the ring's band
  EXPECT_EQ(gMouseState, STATE_MOVING);
  OnLButtonUp();
  EXPECT_EQ(OnLButtonDown(140, 100).cursor, CURSOR_CROSSHAIR);  // the rim grip on the right
  EXPECT_EQ(gMouseState, STATE_SIZING_RADIUS);
  OnMouseMove(MOUSE_LBUTTON, 157, 100);  // 11.4 from the centre
  EXPECT_DOUBLE_EQ(ListToObj(circle)->radius, 11);
  OnLButtonUp();

  Link* drill = ObjNewDrill(40, 40, 0);
  selectObj(drill);
  const Effect e = OnLButtonDown(201, 199);
  EXPECT_EQ(gMouseState, STATE_MOVING);
  EXPECT_EQ(e.cursor, CURSOR_MOVE);
}

TEST_F(Pointer, PressOnEmptyBoardClearsTheSelectionAndHighlightsTheDefaultTool) {
  Link* line = ObjNewLine(10, 10, 30, 10, 3);
  gDefaultTool = 6;
  EXPECT_EQ(selectObj(line).listTool, 3);
  const Effect e = OnLButtonDown(300, 400);
  EXPECT_EQ(gSelObj, nullptr);
  EXPECT_EQ(gMouseState, STATE_IDLE);
  EXPECT_EQ(e.listTool, 6);
  EXPECT_EQ(e.capture, CAPTURE_KEEP);
  // With an object whose tool index is damaged, no row is highlighted.
  ListToObj(line)->tool = 10;
  EXPECT_EQ(selectObj(line).listTool, LIST_NONE);
}

TEST_F(Pointer, PressesDuringADragChangeNothing) {
  Link* line = ObjNewLine(10, 10, 30, 10, 0);
  for (int state = 1; state <= 10; state++) {
    selectObj(line);
    gMouseState = state;
    const Effect e = OnLButtonDown(500, 500);
    EXPECT_EQ(gMouseState, state);
    EXPECT_EQ(gSelObj, line);
    EXPECT_EQ(e.capture, CAPTURE_KEEP);
    EXPECT_TRUE(e.redraw);
  }
  EXPECT_EQ(objCount(), 1u);
}

TEST_F(Pointer, HoverFollowsThePointerOnlyWithNoButtonHeld) {
  Link* a = ObjNewLine(10, 10, 30, 10, 0);
  Link* b = ObjNewLine(10, 20, 30, 20, 0);
  EXPECT_TRUE(OnMouseMove(0, 100, 50).redraw);
  EXPECT_EQ(gHoverObj, a);
  OnMouseMove(MOUSE_LBUTTON, 100, 100);
  EXPECT_EQ(gHoverObj, a);  // frozen while a button is held
  OnRButtonDown(100, 100);
  OnMouseMove(MOUSE_RBUTTON, 100, 100);  // panning by nothing
  EXPECT_EQ(gHoverObj, a);
  OnMouseMove(0, 100, 100);
  EXPECT_EQ(gHoverObj, b);
  OnMouseMove(0, 300, 300);
  EXPECT_EQ(gHoverObj, nullptr);
}

TEST_F(Pointer, DeletingTheHoveredObjectForgetsIt) {
  Link* a = ObjNewLine(10, 10, 30, 10, 0);
  Link* b = ObjNewLine(10, 20, 30, 20, 0);
  OnMouseMove(0, 100, 100);
  selectObj(b);
  OnKeyDown(KEY_DELETE);
  EXPECT_EQ(gHoverObj, nullptr);
  EXPECT_EQ(gSelObj, a);
  // An object created before the next pointer movement is not hovered.
  gMouseState = STATE_NEW_LINE;
  OnLButtonDown(0, 0);
  EXPECT_EQ(objColours(gSelObj).pen.g, 200);  // selected, not selected and hovered
  // A hovered object that is not the one deleted stays hovered.
  OnMouseMove(0, 100, 50);
  EXPECT_EQ(gHoverObj, a);
  selectObj(gSelObj);
  OnKeyDown(KEY_DELETE);
  EXPECT_EQ(gHoverObj, a);
}

TEST_F(Pointer, RightDragPansWithoutTouchingStateOrSelection) {
  Link* line = ObjNewLine(10, 10, 30, 10, 0);
  selectObj(line);
  gMouseState = STATE_NEW_RECT;
  const Effect press = OnRButtonDown(100, 100);
  EXPECT_TRUE(press.focusView);
  EXPECT_EQ(press.capture, CAPTURE_TAKE);
  EXPECT_EQ(press.cursor, CURSOR_MOVE);
  EXPECT_TRUE(press.redraw);
  const Effect step = OnRButtonMove(150, 100);  // 50 pixels right
  EXPECT_FALSE(step.redraw);
  EXPECT_DOUBLE_EQ(gV.viewX, 10);
  EXPECT_DOUBLE_EQ(gV.viewY, 0);
  OnMouseMove(MOUSE_RBUTTON, 150, 60);
  EXPECT_DOUBLE_EQ(gV.viewY, -8);
  const Effect release = OnRButtonUp();
  EXPECT_EQ(release.capture, CAPTURE_RELEASE);
  EXPECT_TRUE(release.redraw);
  EXPECT_EQ(gMouseState, STATE_NEW_RECT);
  EXPECT_EQ(gSelObj, line);
  EXPECT_EQ(ListToObj(line)->x1, 10);
}

TEST_F(Pointer, EscapeDuringALeftDragEndsIt) {
  Link* line = ObjNewLine(10, 10, 30, 10, 0);
  selectObj(line);
  OnLButtonDown(100, 50);
  ASSERT_EQ(gMouseState, STATE_MOVING);
  OnKeyDown(KEY_ESCAPE);
  EXPECT_EQ(gMouseState, STATE_IDLE);
  EXPECT_EQ(gSelObj, nullptr);
  OnMouseMove(MOUSE_LBUTTON, 300, 300);
  EXPECT_EQ(ListToObj(line)->x1, 10);
  EXPECT_EQ(OnLButtonUp().capture, CAPTURE_RELEASE);
}

TEST_F(Pointer, HeldPressOnASelectedCircleSnapsItsRadius) {
  Link* circle = ObjNewCircle(20, 20, 2.7, 0, 0);
  OnLButtonDown(100 + 13, 100);  // selects it, no grab
  ASSERT_EQ(gSelObj, circle);
  OnMouseMove(MOUSE_LBUTTON, 120, 100);
  EXPECT_DOUBLE_EQ(ListToObj(circle)->radius, 3);
  EXPECT_EQ(ListToObj(circle)->x1, 20);
}
