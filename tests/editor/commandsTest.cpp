// Commands, keys and selection operations; starting and loading a design;
// the status texts; the tool list's columns, looks and clicks; wheel zoom.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "cad/editor/commands.h"
#include "cad/editor/statusText.h"
#include "cad/editor/toolListRows.h"
#include "cad/editor/viewMap.h"
#include "cad/editor/zoom.h"
#include "tests/editor/editorFixture.h"

namespace {

const double NaN = std::numeric_limits<double>::quiet_NaN();
const double INF = std::numeric_limits<double>::infinity();

std::string selText(size_t size = 100) {
  char text[100];
  memset(text, 'x', sizeof text);
  formatSelObjText(text, size);
  return text;
}

std::string zoomText() {
  char text[100];
  formatZoomText(text, sizeof text);
  return text;
}

}  // namespace

using Commands = EditorTest;

TEST_F(Commands, TableOfMenuAndToolbarCommands) {
  struct Case {
    int id, action, state;
  };
  const Case cases[] = {
      {CMD_NEW, ACTION_CONFIRM_NEW, 5},        {CMD_OPEN, ACTION_OPEN, 5},
      {CMD_SAVE, ACTION_SAVE, 5},              {CMD_SAVE_AS, ACTION_SAVE_AS, 5},
      {CMD_EXIT, ACTION_EXIT, 5},              {CMD_LINE, ACTION_NONE, STATE_NEW_LINE},
      {CMD_RECT, ACTION_NONE, STATE_NEW_RECT}, {CMD_CIRCLE, ACTION_NONE, STATE_NEW_CIRCLE},
      {CMD_DRILL, ACTION_NONE, STATE_NEW_DRILL}, {CMD_SETTINGS, ACTION_BOARD_SETTINGS, 5},
      {CMD_GENERATE, ACTION_GENERATE, 5},      {CMD_GRID, ACTION_GRID_SETTINGS, 5},
      {CMD_FILL, ACTION_NONE, 5},              {6001, ACTION_NONE, 5},
      {9999, ACTION_NONE, 5},
  };
  for (const Case& c : cases) {
    gMouseState = 5;  // the state commands set it whatever it was
    const Effect e = runCommand(c.id);
    EXPECT_EQ(e.action, c.action) << c.id;
    EXPECT_EQ(gMouseState, c.state) << c.id;
    EXPECT_TRUE(e.status) << c.id;  // every command refreshes the status bar
    EXPECT_EQ(e.redraw, c.id == CMD_SETTINGS) << c.id;  // Fill without a selection: none
  }
}

TEST_F(Commands, TrimSizeFitsTheBoardAndRedraws) {
  ObjNewCircle(20, 30, 5, 0, 0);
  EXPECT_TRUE(runCommand(CMD_TRIM).redraw);
  EXPECT_DOUBLE_EQ(ListToObj(gObjList)->x1, 5);
  EXPECT_DOUBLE_EQ(gV.boardWidth, 10);
}

TEST_F(Commands, FillTogglesAnyKindAndRedraws) {
  Link* line = ObjNewLine(0, 0, 1, 1, 0);
  selectObj(line);
  EXPECT_TRUE(runCommand(CMD_FILL).redraw);
  EXPECT_EQ(ListToObj(line)->fill, 1);
  runCommand(CMD_FILL);
  EXPECT_EQ(ListToObj(line)->fill, 0);
  ListToObj(line)->fill = 7;
  runCommand(CMD_FILL);
  EXPECT_EQ(ListToObj(line)->fill, 0);
}

TEST_F(Commands, KeysArmCancelDeleteAndStep) {
  const struct {
    unsigned key;
    int state;
  } arming[] = {{KEY_C, STATE_NEW_CIRCLE}, {KEY_D, STATE_NEW_DRILL}, {KEY_L, STATE_NEW_LINE},
                {KEY_R, STATE_NEW_RECT}};
  for (const auto& c : arming) {
    const Effect e = OnKeyDown(c.key);
    EXPECT_EQ(gMouseState, c.state);
    EXPECT_FALSE(e.redraw);
  }
  Link* a = ObjNewLine(0, 0, 1, 1, 1);
  Link* b = ObjNewLine(0, 0, 2, 2, 2);
  Link* c = ObjNewLine(0, 0, 3, 3, 3);
  gDefaultTool = 7;
  selectObj(b);
  EXPECT_EQ(OnKeyDown('X').redraw, false);
  EXPECT_EQ(gMouseState, STATE_NEW_RECT);

  Effect e = OnKeyDown(KEY_LEFT);
  EXPECT_EQ(gSelObj, a);
  EXPECT_EQ(e.listTool, 1);
  EXPECT_FALSE(e.redraw);
  e = OnKeyDown(KEY_LEFT);  // before the first: nothing selected
  EXPECT_EQ(gSelObj, nullptr);
  EXPECT_EQ(e.listTool, 7);
  EXPECT_EQ(OnKeyDown(KEY_LEFT).listTool, LIST_KEEP);  // no selection: nothing
  selectObj(c);
  OnKeyDown(KEY_RIGHT);
  EXPECT_EQ(gSelObj, nullptr);

  // Escape with a creation state armed: idle, nothing selected, redraw.
  selectObj(b);
  e = OnKeyDown(KEY_ESCAPE);
  EXPECT_EQ(gMouseState, STATE_IDLE);
  EXPECT_EQ(gSelObj, nullptr);
  EXPECT_EQ(e.listTool, 7);
  EXPECT_TRUE(e.redraw);
  EXPECT_EQ(std::string(mouseStateText(gMouseState)), "Nothing going on.");
  EXPECT_EQ(selText(), "No obj selected.");
}

TEST_F(Commands, DeleteSelectsThePreviousObject) {
  EXPECT_FALSE(OnKeyDown(KEY_DELETE).redraw);  // nothing selected: nothing done
  Link* a = ObjNewLine(0, 0, 1, 1, 1);
  Link* b = ObjNewLine(0, 0, 2, 2, 2);
  ObjNewLine(0, 0, 3, 3, 3);
  selectObj(b);
  Effect e = OnKeyDown(KEY_DELETE);
  EXPECT_TRUE(e.redraw);
  EXPECT_EQ(gSelObj, a);
  EXPECT_EQ(e.listTool, 1);
  EXPECT_EQ(objCount(), 2u);
  e = OnKeyDown(KEY_DELETE);  // the first: nothing left selected
  EXPECT_EQ(gSelObj, nullptr);
  EXPECT_EQ(e.listTool, 0);
  EXPECT_EQ(objCount(), 1u);
  EXPECT_EQ(ListToObj(gObjList)->x2, 3);
}

TEST_F(Commands, NewForgetsTheDesignAndKeepsTheDefaultTool) {
  Link* line = ObjNewLine(0, 0, 1, 1, 0);
  selectObj(line);
  gHoverObj = line;
  gMouseState = STATE_NEW_CIRCLE;
  gV.zoom = 12;
  gTools[3].size = 9;
  gDefaultTool = 4;
  const Effect e = New();
  EXPECT_EQ(gSelObj, nullptr);
  EXPECT_EQ(gHoverObj, nullptr);
  EXPECT_EQ(gMouseState, STATE_IDLE);
  EXPECT_EQ(gObjList, nullptr);
  EXPECT_EQ(gV.zoom, 5);
  EXPECT_DOUBLE_EQ(gTools[3].size, 0.8);
  EXPECT_EQ(gDefaultTool, 4);
  EXPECT_EQ(e.listTool, 4);
  EXPECT_TRUE(e.invalidateList);
  EXPECT_TRUE(e.redraw);
}

TEST_F(Commands, LoadedViewIsBroughtIntoAUsableRange) {
  struct Case {
    double zoom, viewX, viewY;
    double zoomAfter, viewXAfter, viewYAfter;
  };
  const Case cases[] = {
      {5, 3, -4, 5, 3, -4},     {0.25, 0, 0, 0.25, 0, 0}, {50, 0, 0, 50, 0, 0},
      {0.1, 0, 0, 0.25, 0, 0},  {0, 0, 0, 0.25, 0, 0},    {51, 0, 0, 50, 0, 0},
      {INF, 0, 0, 50, 0, 0},    {-INF, 0, 0, 0.25, 0, 0}, {NaN, 0, 0, 5, 0, 0},
      {5, NaN, INF, 5, 0, 0},   {5, -INF, 1e300, 5, 0, 1e300},
  };
  for (const Case& c : cases) {
    Link* line = ObjNewLine(0, 0, 1, 1, 0);
    selectObj(line);
    gHoverObj = line;
    gMouseState = 9;
    gV.zoom = c.zoom;
    gV.viewX = c.viewX;
    gV.viewY = c.viewY;
    const Effect e = designLoaded();
    EXPECT_EQ(gV.zoom, c.zoomAfter) << c.zoom;
    EXPECT_EQ(gV.viewX, c.viewXAfter) << c.viewX;
    EXPECT_EQ(gV.viewY, c.viewYAfter) << c.viewY;
    EXPECT_EQ(gSelObj, nullptr);
    EXPECT_EQ(gHoverObj, nullptr);
    EXPECT_EQ(gMouseState, STATE_IDLE);
    EXPECT_TRUE(e.redraw);
    EXPECT_TRUE(e.invalidateList);
  }
}

using StatusTexts = EditorTest;

TEST_F(StatusTexts, SelectedObjectTexts) {
  struct Case {
    Link* link;
    const char* text;
  };
  Link* odd = ObjNewLine(0, 0, 0, 0, 0);
  ListToObj(odd)->type = 4;
  Link* damagedDrill = ObjNewDrill(1, 2, 0);
  ListToObj(damagedDrill)->tool = 10;
  const Case cases[] = {
      {nullptr, "No obj selected."},
      {ObjNewLine(1.25, -2, 3.04, 4.96, 0), "X: 1.2   Y: -2.0   X2: 3.0   Y2: 5.0"},
      {ObjNewRect(10, 20, 4, 25.5, 0, 0), "X: 10.0   Y: 20.0   W: -6.0   H: 5.5"},
      {ObjNewCircle(7, 8, 2.5, 0, 1), "X: 7.0   Y: 8.0   Radius: 2.5"},
      {ObjNewDrill(3, 4, 9), "X: 3.0   Y: 4.0   Diameter: 1.4"},
      {damagedDrill, "X: 1.0   Y: 2.0   Diameter: 0.0"},
      {odd, "Undefined."},
  };
  for (const Case& c : cases) {
    selectObj(c.link);
    EXPECT_EQ(selText(), c.text);
  }
  // Cut to the buffer, always terminated.
  selectObj(nullptr);
  EXPECT_EQ(selText(7), "No obj");
  formatSelObjText(nullptr, 10);  // no buffer: nothing written
}

TEST_F(StatusTexts, ZoomText) {
  EXPECT_EQ(zoomText(), "Zoom: 500%");
  gV.zoom = 0.25;
  EXPECT_EQ(zoomText(), "Zoom: 25%");
  gV.zoom = 5.25;
  EXPECT_EQ(zoomText(), "Zoom: 525%");
}

using ToolList = EditorTest;

TEST_F(ToolList, ColumnsAreAQuarterAndTwoThreeEighths) {
  PixelRect columns[TOOL_LIST_COLUMNS];
  figureColumns({0, 16, 198, 32}, columns);
  const PixelRect expect[] = {{0, 16, 49, 32}, {49, 16, 123, 32}, {123, 16, 197, 32}};
  for (int i = 0; i < TOOL_LIST_COLUMNS; i++) EXPECT_EQ(edgesOf(columns[i]), edgesOf(expect[i])) << i;
}

TEST_F(ToolList, RowLooks) {
  struct Case {
    int row;
    bool rowSelected, objectSelected;
    Rgb background;
  };
  const Case cases[] = {
      {1, false, false, {255, 255, 255}}, {2, false, false, {245, 245, 245}},
      {2, false, true, {245, 245, 245}},  {3, true, true, {210, 240, 210}},
      {4, true, false, {240, 210, 210}},
  };
  Link* line = ObjNewLine(0, 0, 1, 1, 0);
  for (const Case& c : cases) {
    selectObj(c.objectSelected ? line : nullptr);
    const ToolRowLook look = toolRowLook(c.row, &gTools[c.row - 1], c.rowSelected);
    EXPECT_EQ(rgbOf(look.background), rgbOf(c.background)) << c.row;
    EXPECT_EQ(look.focusRect, c.rowSelected);
  }
  gDefaultTool = 9;
  const ToolRowLook last = toolRowLook(10, &gTools[9], false);
  EXPECT_STREQ(last.text[0], "9");
  EXPECT_STREQ(last.text[1], "1.400");
  EXPECT_STREQ(last.text[2], "1.000");
  EXPECT_TRUE(last.defaultMark);
  const ToolRowLook first = toolRowLook(1, &gTools[0], true);
  EXPECT_STREQ(first.text[0], "0");
  EXPECT_STREQ(first.text[1], "0.500");
  EXPECT_STREQ(first.text[2], "0.100");
  EXPECT_FALSE(first.defaultMark);
  gTools[0].size = 1e300;  // cut to the cell, terminated
  EXPECT_EQ(strlen(toolRowLook(1, &gTools[0], false).text[1]), TOOL_CELL_SIZE - 1u);
  EXPECT_STREQ(toolRowLook(0, nullptr, false).text[0], "");
}

TEST_F(ToolList, ClickingARowPicksTheToolOfTheSelectionOrTheDefault) {
  Effect e = OnListBoxSelChange(true, &gTools[3]);
  EXPECT_EQ(gDefaultTool, 3);
  EXPECT_TRUE(e.invalidateList);
  EXPECT_TRUE(e.redraw);
  Link* line = ObjNewLine(0, 0, 1, 1, 0);
  selectObj(line);
  OnListBoxSelChange(true, &gTools[5]);
  EXPECT_EQ(ListToObj(line)->tool, 5);
  EXPECT_EQ(gDefaultTool, 3);
  OnListBoxSelChange(true, nullptr);  // the header, with a selection: nothing
  EXPECT_EQ(ListToObj(line)->tool, 5);
  e = OnListBoxSelChange(false, &gTools[8]);  // no row selected: nothing but repaint
  EXPECT_EQ(ListToObj(line)->tool, 5);
  EXPECT_TRUE(e.redraw);
  selectObj(nullptr);
  OnListBoxSelChange(true, nullptr);  // the header, no selection: entry 0
  EXPECT_EQ(gDefaultTool, 0);
}

TEST_F(ToolList, DoubleClickOpensTheToolDialogOnlyForToolRows) {
  Effect e = OnListBoxDblClk(true, &gTools[2]);
  EXPECT_EQ(e.action, ACTION_TOOL_DIALOG);
  EXPECT_EQ(e.actionTool, 2);
  EXPECT_TRUE(e.redraw);
  e = OnListBoxDblClk(true, nullptr);
  EXPECT_EQ(e.action, ACTION_NONE);
  EXPECT_TRUE(e.redraw);
  EXPECT_EQ(OnListBoxDblClk(false, &gTools[2]).action, ACTION_NONE);
}

using WheelZoom = EditorTest;

TEST_F(WheelZoom, NotchesFromTheSignedHighWord) {
  const struct {
    unsigned long long wParam;
    int notches;
  } cases[] = {
      {120u << 16, 1},      {119u << 16, 0},     {0xFF88ull << 16, -1},  // -120
      {0xFF10ull << 16, -2}, {0xFF89ull << 16, 0},                       // -240, -119
      {(360u << 16) | 0x0008, 3},  // key flags in the low word
      {0xFFFFFFFF00000000ull | (240u << 16), 2},
  };
  for (const auto& c : cases) EXPECT_EQ(wheelNotches(c.wParam), c.notches) << c.wParam;
}

TEST_F(WheelZoom, StepsOfAQuarterKeepThePointUnderThePointer) {
  EXPECT_TRUE(OnMouseWheel(1, 100, 50).redraw);
  EXPECT_DOUBLE_EQ(gV.zoom, 5.25);
  EXPECT_DOUBLE_EQ(gV.viewX, 100 / 5.25 - 20);
  EXPECT_DOUBLE_EQ(gV.viewY, 50 / 5.25 - 10);
  OnMouseWheel(0, 100, 50);
  EXPECT_DOUBLE_EQ(gV.zoom, 5.25);
  OnMouseWheel(-2, 100, 50);
  EXPECT_DOUBLE_EQ(gV.zoom, 4.75);
}

TEST_F(WheelZoom, LimitsCutTheStepAndKeepThePoint) {
  struct Case {
    double from;
    int n;
    double to;
  };
  const Case cases[] = {{0.25, -1, 0.25}, {0.4, -3, 0.25}, {49.9, 1, 50}, {50, 4, 50},
                        {5, 1000, 50},    {5, -1000, 0.25}};
  for (const Case& c : cases) {
    gV.zoom = c.from;
    gV.viewX = 3;
    gV.viewY = -7;
    const double bx = pixelToBoardX(321), by = pixelToBoardY(123);
    OnMouseWheel(c.n, 321, 123);
    EXPECT_EQ(gV.zoom, c.to) << c.from << " " << c.n;
    EXPECT_NEAR(pixelToBoardX(321), bx, 1e-9);
    EXPECT_NEAR(pixelToBoardY(123), by, 1e-9);
  }
}
