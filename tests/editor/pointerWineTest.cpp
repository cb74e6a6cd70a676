// Editing with real pointer and keyboard input: drawing, selecting, moving,
// resizing by a grip, keys, Fill/No Fill and the tool list, checked in the
// design, the status bar and the pixels of the board view.
#include <cmath>

#include "cad/document/tools.h"
#include "editorWinTest.h"

using namespace cadtest;

namespace {

bool closeTo(COLORREF a, int r, int g, int b) {
  return std::abs(GetRValue(a) - r) <= 8 && std::abs(GetGValue(a) - g) <= 8 &&
         std::abs(GetBValue(a) - b) <= 8;
}

// Pixel of board point (x, y) in the last frame.
COLORREF boardPixel(double x, double y) {
  return viewPixel(static_cast<int>(x * gV.zoom + gV.viewX * gV.zoom),
                   static_cast<int>(y * gV.zoom + gV.viewY * gV.zoom));
}

TEST_F(CadWindowTest, DrawsARectangleWithThePointer) {
  clickToolbar(IDM_RECT);
  EXPECT_EQ(gMouseState, STATE_NEW_RECT);
  EXPECT_EQ(statusText(0), "New rect");
  drag(10.2, 10.4, 30.1, 19.8);
  ASSERT_EQ(objCount(), 1u);
  Obj* rect = objAt(0);
  EXPECT_EQ(rect->type, OBJ_RECT);
  EXPECT_EQ(rect->x1, 10);  // snapped to whole millimetres
  EXPECT_EQ(rect->y1, 10);
  EXPECT_EQ(rect->x2, 30);
  EXPECT_EQ(rect->y2, 20);
  EXPECT_EQ(rect->tool, 0);
  EXPECT_EQ(rect->fill, 0);
  EXPECT_EQ(gSelObj, gObjList);
  EXPECT_EQ(gMouseState, STATE_IDLE);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(statusText(0), "Nothing going on.");
  EXPECT_EQ(statusText(1), "X: 10.0   Y: 10.0   W: 20.0   H: 10.0");

  // Releasing the capture makes the system report the pointer once more, so
  // the new rectangle is hovered too: its outline in the pen of an object
  // both selected and hovered; white inside; grips at the edges' middles.
  EXPECT_EQ(gHoverObj, gSelObj);
  EXPECT_EQ(boardPixel(15, 10), RGB(0, 255, 0));
  EXPECT_TRUE(closeTo(boardPixel(20, 10), 125, 125, 255));
  EXPECT_EQ(boardPixel(17, 15), RGB(255, 255, 255));
  moveTo(60, 90);  // off the rectangle: selected colour only
  EXPECT_EQ(gHoverObj, nullptr);
  EXPECT_EQ(boardPixel(15, 10), RGB(0, 200, 0));
  EXPECT_TRUE(closeTo(boardPixel(20, 15), 125, 125, 255));  // centre grip
  EXPECT_TRUE(closeTo(boardPixel(10, 15), 125, 125, 255));  // left edge grip
  // The tool list turns the highlight pale green: an object is selected.
  RECT row;
  SendMessageA(gToolList, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
  EXPECT_EQ(shownPixel(gToolList, row.right - 3, row.top + 3), RGB(210, 240, 210));
}

TEST_F(CadWindowTest, SelectsThenMovesAndResizesByAGrip) {
  Link* rect = ObjNewRect(10, 10, 30, 20, 0, 0);
  Redraw();
  clickAt(20, 10);  // on the outline: selects, no grab
  EXPECT_EQ(gSelObj, rect);
  EXPECT_EQ(objAt(0)->x1, 10);

  // Hover over the selected object: both colours.
  moveTo(30, 15.5);
  EXPECT_EQ(gHoverObj, rect);

  // Press on the body (not a grip) and drag: moves by the snapped offset.
  moveTo(15, 20);
  sendMouse(MOUSEEVENTF_LEFTDOWN);
  EXPECT_EQ(gMouseState, STATE_MOVING);
  EXPECT_EQ(statusText(0), "Moving");
  EXPECT_EQ(GetCapture(), ghGfxBox);
  EXPECT_EQ(GetCursor(), gCursorMove);
  moveTo(20, 27);
  sendMouse(MOUSEEVENTF_LEFTUP);
  Obj* o = objAt(0);
  EXPECT_EQ(o->x1, 15);
  EXPECT_EQ(o->y1, 17);
  EXPECT_EQ(o->x2, 35);
  EXPECT_EQ(o->y2, 27);
  EXPECT_EQ(gMouseState, STATE_IDLE);

  // The grip at (x1, y1): sizing with the north-west cursor.
  moveTo(15, 17);
  sendMouse(MOUSEEVENTF_LEFTDOWN);
  EXPECT_EQ(gMouseState, 1);
  EXPECT_EQ(statusText(0), "Sizing TL");
  EXPECT_EQ(GetCursor(), gCursorNWSE);
  moveTo(5, 8);
  sendMouse(MOUSEEVENTF_LEFTUP);
  EXPECT_EQ(o->x1, 5);
  EXPECT_EQ(o->y1, 8);
  EXPECT_EQ(o->x2, 35);
  EXPECT_EQ(o->y2, 27);

  // A press on empty board clears the selection.
  clickAt(60, 90);
  EXPECT_EQ(gSelObj, nullptr);
  EXPECT_EQ(statusText(1), "No obj selected.");
}

TEST_F(CadWindowTest, CirclesLinesAndDrillsFromTheKeyboardAndToolbar) {
  moveTo(50, 50);
  key('C');  // keys reach the board view, which has the focus
  EXPECT_EQ(gMouseState, STATE_NEW_CIRCLE);
  drag(40, 40, 45, 40);
  ASSERT_EQ(objCount(), 1u);
  EXPECT_EQ(objAt(0)->type, OBJ_CIRCLE);
  EXPECT_EQ(objAt(0)->radius, 5);
  EXPECT_EQ(statusText(1), "X: 40.0   Y: 40.0   Radius: 5.0");

  key('L');
  drag(5, 5, 25, 35);
  ASSERT_EQ(objCount(), 2u);
  EXPECT_EQ(objAt(1)->type, OBJ_LINE);
  EXPECT_EQ(objAt(1)->x2, 25);
  EXPECT_EQ(objAt(1)->y2, 35);

  clickToolbar(IDM_DRILL);
  drag(60, 10, 62, 12);
  ASSERT_EQ(objCount(), 3u);
  EXPECT_EQ(objAt(2)->type, OBJ_DRILL);
  EXPECT_EQ(objAt(2)->x1, 62);  // a new drill follows the pointer
  EXPECT_EQ(objAt(2)->y1, 12);
  EXPECT_EQ(statusText(1), "X: 62.0   Y: 12.0   Diameter: 0.5");
  // Its cross in the pen of an object both selected and under the pointer.
  moveTo(62, 12);
  EXPECT_EQ(gHoverObj, gSelObj);
  EXPECT_EQ(boardPixel(62, 12), RGB(0, 255, 0));
}

TEST_F(CadWindowTest, KeysWalkDeleteAndEscape) {
  Link* a = ObjNewLine(5, 5, 20, 5, 0);
  Link* b = ObjNewRect(30, 30, 40, 40, 5, 0);
  Link* c = ObjNewDrill(50, 50, 2);
  Redraw();
  clickAt(50, 50);
  ASSERT_EQ(gSelObj, c);
  EXPECT_EQ(SendMessageA(gToolList, LB_GETCURSEL, 0, 0), 3);  // entry 2
  key(VK_LEFT);
  EXPECT_EQ(gSelObj, b);
  EXPECT_EQ(SendMessageA(gToolList, LB_GETCURSEL, 0, 0), 6);  // entry 5
  key(VK_LEFT);
  EXPECT_EQ(gSelObj, a);
  key(VK_LEFT);  // before the first: nothing, the default tool's row
  EXPECT_EQ(gSelObj, nullptr);
  EXPECT_EQ(SendMessageA(gToolList, LB_GETCURSEL, 0, 0), 1);

  clickAt(35, 30);
  ASSERT_EQ(gSelObj, b);
  key(VK_RIGHT);
  EXPECT_EQ(gSelObj, c);
  key(VK_DELETE);  // selects the one before
  EXPECT_EQ(objCount(), 2u);
  EXPECT_EQ(gSelObj, b);
  EXPECT_EQ(statusText(1), "X: 30.0   Y: 30.0   W: 10.0   H: 10.0");
  EXPECT_EQ(viewPixel(251, 251), RGB(255, 255, 255));  // the drill is gone from the view

  key('R');
  EXPECT_EQ(gMouseState, STATE_NEW_RECT);
  key(VK_ESCAPE);
  EXPECT_EQ(gMouseState, STATE_IDLE);
  EXPECT_EQ(gSelObj, nullptr);
}

TEST_F(CadWindowTest, FillToggleAndToolListChoices) {
  Link* rect = ObjNewRect(10, 10, 30, 30, 0, 0);
  Redraw();
  clickToolbar(IDM_FILL);  // no selection: nothing
  EXPECT_EQ(objAt(0)->fill, 0);
  clickAt(10, 20);
  ASSERT_EQ(gSelObj, rect);
  clickToolbar(IDM_FILL);
  EXPECT_EQ(objAt(0)->fill, 1);
  // Filled in the fill of an object selected and hovered (the click hovered it).
  EXPECT_EQ(gHoverObj, rect);
  EXPECT_EQ(boardPixel(17, 17), RGB(0, 128, 0));
  clickToolbar(IDM_FILL);
  EXPECT_EQ(objAt(0)->fill, 0);
  EXPECT_EQ(boardPixel(17, 17), RGB(255, 255, 255));

  // A tool row with an object selected gives the object that tool.
  clickToolRow(4);
  EXPECT_EQ(objAt(0)->tool, 3);
  EXPECT_EQ(gDefaultTool, 0);
  // With nothing selected it chooses the default tool for new objects.
  key(VK_ESCAPE);
  clickToolRow(6);
  EXPECT_EQ(gDefaultTool, 5);
  RECT row;
  SendMessageA(gToolList, LB_GETITEMRECT, 6, reinterpret_cast<LPARAM>(&row));
  EXPECT_EQ(shownPixel(gToolList, row.left + 3, row.top + 3), RGB(240, 210, 210));  // the mark
  clickToolbar(IDM_LINE);
  drag(40, 40, 50, 40);
  EXPECT_EQ(objAt(1)->tool, 5);
  gDefaultTool = 0;
}

TEST_F(CadWindowTest, DoubleClickOnAToolRowOpensModifyTool) {
  {
    Answer dialog("Modify Tool", IDC_TOOL_SIZE, [](HWND d) {
      SetDlgItemTextA(d, IDC_TOOL_SIZE, "1.25");
      PostMessageA(d, WM_COMMAND, IDC_TOOL_SAVE, 0);
    });
    clickToolRow(3, true);
    EXPECT_TRUE(dialog.seen());
  }
  EXPECT_EQ(gTools[2].size, 1.25);
  EXPECT_EQ(gDefaultTool, 2);  // the first click chose the row
  {
    Answer none("Modify Tool", IDC_TOOL_SIZE, press(IDC_TOOL_CANCEL), 1500);
    clickToolRow(0, true);  // the header opens nothing
    EXPECT_FALSE(none.seen());
  }
  gDefaultTool = 0;
}

TEST_F(CadWindowTest, WheelZoomsAboutThePointerAndRightDragPans) {
  moveTo(20, 10);  // pixel (100, 50)
  INPUT wheel = {};
  wheel.type = INPUT_MOUSE;
  wheel.mi.dwFlags = MOUSEEVENTF_WHEEL;
  wheel.mi.mouseData = WHEEL_DELTA;
  SendInput(1, &wheel, sizeof(INPUT));
  pump();
  EXPECT_EQ(gV.zoom, 5.25);
  EXPECT_NEAR(gV.viewX, 100 / 5.25 - 20, 1e-9);
  EXPECT_NEAR(gV.viewY, 50 / 5.25 - 10, 1e-9);
  EXPECT_EQ(statusText(2), "Zoom: 525%");

  double viewX = gV.viewX;
  POINT from = boardScreen(20, 10);
  moveScreen(from);
  sendMouse(MOUSEEVENTF_RIGHTDOWN);
  EXPECT_EQ(GetCursor(), gCursorMove);
  moveScreen(POINT{from.x + 50, from.y});
  sendMouse(MOUSEEVENTF_RIGHTUP);
  EXPECT_NEAR(gV.viewX, viewX + 50 / 5.25, 1e-9);
  EXPECT_EQ(gMouseState, STATE_IDLE);
}

}  // namespace
