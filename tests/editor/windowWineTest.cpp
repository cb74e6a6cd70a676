// The main window as it starts: class, title, menu, toolbar, status bar,
// tool list rows and highlight, layout, and the first frame of the view.
#include <cstring>

#include "cad/document/tools.h"
#include "editorWinTest.h"

using namespace cadtest;

namespace {

TEST_F(CadWindowTest, StartsWithMenuToolbarStatusAndToolList) {
  char name[64] = "";
  GetClassNameA(gMainHWnd, name, sizeof(name));
  EXPECT_STREQ(name, "ORBEClass");
  EXPECT_EQ(windowText(gMainHWnd), "KIVO CAD");
  EXPECT_NE(GetClassLongPtrA(gMainHWnd, GCLP_HICON), 0u);

  const std::pair<int, const char*> ITEMS[] = {
      {IDM_NEW, "&New"},        {IDM_OPEN, "&Open"},          {IDM_SAVE, "&Save"},
      {IDM_SAVEAS, "Save &as..."}, {IDM_EXIT, "&Exit"},       {IDM_BOARD, "Settings"},
      {IDM_TRIM, "Trim Size"},  {IDM_GRID, "Grid Settings"}, {IDM_GCODE, "Generate GCode"}};
  for (const auto& item : ITEMS) {
    char text[64] = "";
    GetMenuStringA(GetMenu(gMainHWnd), item.first, text, sizeof(text), MF_BYCOMMAND);
    EXPECT_STREQ(text, item.second);
  }
  char top[3][16] = {};
  for (int i = 0; i < 3; ++i) GetMenuStringA(GetMenu(gMainHWnd), i, top[i], 16, MF_BYPOSITION);
  EXPECT_STREQ(top[0], "File");
  EXPECT_STREQ(top[1], "Board");
  EXPECT_STREQ(top[2], "Generate");

  // Toolbar: ten buttons, two of them separators, each with its tooltip text.
  const struct {
    int image, command;
    const char* text;
  } BUTTONS[] = {{0, IDM_NEW, "New"},  {1, IDM_OPEN, "Open"},     {2, IDM_SAVE, "Save"},
                 {-1, 0, ""},          {3, IDM_LINE, "Line"},     {4, IDM_RECT, "Rect"},
                 {5, IDM_CIRCLE, "Circle"}, {6, IDM_DRILL, "Drill"}, {-1, 0, ""},
                 {7, IDM_FILL, "Fill/No Fill"}};
  ASSERT_EQ(SendMessageA(gMainToolbar, TB_BUTTONCOUNT, 0, 0), 10);
  for (int i = 0; i < 10; ++i) {
    TBBUTTON b = {};
    SendMessageA(gMainToolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&b));
    EXPECT_EQ(b.idCommand, BUTTONS[i].command) << i;
    if (BUTTONS[i].command == 0) {
      EXPECT_TRUE(b.fsStyle & BTNS_SEP) << i;
      continue;
    }
    EXPECT_EQ(b.iBitmap, BUTTONS[i].image) << i;
    EXPECT_TRUE(b.fsState & TBSTATE_ENABLED) << i;
    char text[64] = "";
    SendMessageA(gMainToolbar, TB_GETBUTTONTEXTA, b.idCommand, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, BUTTONS[i].text) << i;
  }
  EXPECT_TRUE(IsWindowVisible(gMainToolbar));

  int edges[4] = {};
  ASSERT_EQ(SendMessageA(gStatusHWnd, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)), 4);
  EXPECT_EQ(edges[0], 150);
  EXPECT_EQ(edges[1], 500);
  EXPECT_EQ(edges[2], 700);
  EXPECT_EQ(statusText(0), "Nothing going on.");
  EXPECT_EQ(statusText(1), "No obj selected.");
  EXPECT_EQ(statusText(2), "Zoom: 500%");
  EXPECT_EQ(statusText(3), "");

  // Header row, then the ten entries by address; the default tool's row lit.
  ASSERT_EQ(SendMessageA(gToolList, LB_GETCOUNT, 0, 0), 11);
  EXPECT_EQ(SendMessageA(gToolList, LB_GETITEMDATA, 0, 0), 0);
  for (int i = 0; i < TOOL_COUNT; ++i)
    EXPECT_EQ(SendMessageA(gToolList, LB_GETITEMDATA, i + 1, 0),
              reinterpret_cast<LRESULT>(&gTools[i]));
  EXPECT_EQ(SendMessageA(gToolList, LB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(GetDlgCtrlID(gToolList), IDC_TOOLLIST);
}

TEST_F(CadWindowTest, ChildrenAreLaidOutAroundTheBoardView) {
  RECT client;
  GetClientRect(gMainHWnd, &client);
  ASSERT_EQ(client.right, 900);
  auto place = [](HWND child) {
    RECT rc;
    GetWindowRect(child, &rc);
    MapWindowPoints(nullptr, gMainHWnd, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
  };
  RECT bar = place(gMainToolbar), status = place(gStatusHWnd), view = place(ghGfxBox),
       list = place(gToolList);
  EXPECT_EQ(view.left, 0);
  EXPECT_EQ(view.top, bar.bottom - bar.top);
  EXPECT_EQ(view.right, 700);
  EXPECT_EQ(view.bottom, status.top);
  EXPECT_EQ(status.bottom, client.bottom);
  EXPECT_EQ(list.left, 701);
  EXPECT_EQ(list.right - list.left, 198);
  EXPECT_EQ(list.top, view.top);
  EXPECT_EQ(list.bottom - list.top, 250);

  // The list keeps its height whatever the window's.
  SetWindowPos(gMainHWnd, nullptr, 0, 0, 1100, 900, SWP_NOMOVE | SWP_NOZORDER);
  pump();
  GetClientRect(gMainHWnd, &client);
  list = place(gToolList);
  view = place(ghGfxBox);
  EXPECT_EQ(view.right, client.right - 200);
  EXPECT_EQ(list.left, client.right - 199);
  EXPECT_EQ(list.bottom - list.top, 250);
}

TEST_F(CadWindowTest, FirstFrameShowsBoardAndGrid) {
  // Default view: board (0, 0)-(350, 500) in white with a black outline,
  // grid lines every 10 pixels, grey around the board.
  EXPECT_EQ(viewPixel(0, 0), RGB(0, 0, 0));
  EXPECT_EQ(viewPixel(5, 5), RGB(255, 255, 255));
  EXPECT_EQ(viewPixel(10, 5), RGB(225, 225, 225));
  EXPECT_EQ(viewPixel(5, 490), RGB(225, 225, 225));
  EXPECT_EQ(viewPixel(400, 100), RGB(65, 65, 65));
  EXPECT_EQ(viewPixel(100, 560), RGB(65, 65, 65));
  // What the screen shows is the frame.
  EXPECT_EQ(shownPixel(ghGfxBox, 400, 100), RGB(65, 65, 65));
  EXPECT_EQ(shownPixel(ghGfxBox, 5, 5), RGB(255, 255, 255));

  // The tool list paints its rows' looks: the default tool's row selected
  // without an object is pale red (the looks of all rows: ToolList tests).
  RECT row;
  SendMessageA(gToolList, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
  EXPECT_EQ(shownPixel(gToolList, row.right - 3, row.top + 3), RGB(240, 210, 210));
}

}  // namespace
