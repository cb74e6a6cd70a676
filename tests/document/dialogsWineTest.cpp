// The three document dialogs, shown for real and answered from a second
// thread as a user would: what they show, what they store, and that Cancel,
// Escape and the close box store nothing.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "cad/document/designFile.h"
#include "cad/document/documentDialogs.h"
#include "cad/document/settings.h"
#include "cad/document/tools.h"
#include "resources/kivoIds.h"
#include "tests/support/designFixture.h"
#include "tests/support/winTest.h"

using namespace wintest;

namespace {

std::string itemText(HWND dialog, int id) {
  char text[256] = "";
  GetDlgItemTextA(dialog, id, text, sizeof(text));
  return text;
}

void setItem(HWND dialog, int id, const char* text) { SetDlgItemTextA(dialog, id, text); }

void click(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void closeBox(HWND dialog) { PostMessageA(dialog, WM_CLOSE, 0, 0); }

// Escape typed into the dialog's first edit.
void escape(HWND dialog) {
  PostMessageA(GetDlgItem(dialog, IDC_TOOL_SIZE), WM_KEYDOWN, VK_ESCAPE, 0);
}

// The labels and buttons a dialog shows, by control.
void expectTexts(HWND dialog, std::initializer_list<std::pair<int, const char*>> texts) {
  for (const auto& t : texts) EXPECT_EQ(itemText(dialog, t.first), t.second) << t.first;
}

using DialogTest = DesignTest;

TEST_F(DialogTest, ModifyToolShowsTheEntry) {
  std::string size, depth, speed, passes, caption;
  LRESULT items = 0, selected = -1;
  gTools[3].millSpeed = 4000000000u;
  {
    Answer dialog("Modify Tool", IDC_TOOL_SIZE, [&](HWND d) {
      expectTexts(d, {{IDC_TOOL_BITID_LABEL, "Bit ID:"}, {IDC_TOOL_SIZE_LABEL, "Bit Size:"},
                      {IDC_TOOL_DEPTH_LABEL, "Bit Depth:"}, {IDC_TOOL_SPEED_LABEL, "Mill Speed:"},
                      {IDC_TOOL_PASSES_LABEL, "# of Passes:"}, {IDC_TOOL_CANCEL, "Cancel"},
                      {IDC_TOOL_SAVE, "Save"}});
      items = SendDlgItemMessageA(d, IDC_TOOL_BITID, CB_GETCOUNT, 0, 0);
      selected = SendDlgItemMessageA(d, IDC_TOOL_BITID, CB_GETCURSEL, 0, 0);
      size = itemText(d, IDC_TOOL_SIZE);
      depth = itemText(d, IDC_TOOL_DEPTH);
      speed = itemText(d, IDC_TOOL_SPEED);
      passes = itemText(d, IDC_TOOL_PASSES);
      caption = storedTitle(d);
      click(d, IDC_TOOL_CANCEL);
    });
    EXPECT_EQ(runToolDialog(nullptr, &gTools[3]), IDCANCEL);
    ASSERT_TRUE(dialog.seen());
  }
  EXPECT_EQ(caption, "Modify Tool");
  EXPECT_EQ(items, 10);
  EXPECT_EQ(selected, 3);
  EXPECT_EQ(size, "0.800");
  EXPECT_EQ(depth, "0.400");
  EXPECT_EQ(speed, "4000000000");
  EXPECT_EQ(passes, "1");
  EXPECT_EQ(runToolDialog(nullptr, nullptr), 0);  // no entry, no dialog
}

TEST_F(DialogTest, ModifyToolStoresParsedValuesAndKeepsEmptyFields) {
  {
    Answer dialog("Modify Tool", IDC_TOOL_SIZE, [](HWND d) {
      SendDlgItemMessageA(d, IDC_TOOL_BITID, CB_SETCURSEL, 7, 0);
      setItem(d, IDC_TOOL_SIZE, "");          // empty: kept
      setItem(d, IDC_TOOL_DEPTH, "2.5mm");    // leading number
      setItem(d, IDC_TOOL_SPEED, "fast");     // no number: 0
      setItem(d, IDC_TOOL_PASSES, " 3 passes");
      click(d, IDC_TOOL_SAVE);
    });
    EXPECT_EQ(runToolDialog(nullptr, &gTools[2]), IDOK);
    ASSERT_TRUE(dialog.seen());
  }
  EXPECT_DOUBLE_EQ(gTools[2].size, 0.7);
  EXPECT_EQ(gTools[2].depth, 2.5);
  EXPECT_EQ(gTools[2].millSpeed, 0u);
  EXPECT_EQ(gTools[2].passes, 3u);
  EXPECT_EQ(gTools[2].bitId, 7);
  EXPECT_DOUBLE_EQ(gTools[1].size, 0.6);  // only the given entry changes
}

TEST_F(DialogTest, ModifyToolCancelEscapeAndCloseStoreNothing) {
  Tool before = gTools[4];
  for (auto leave : {+[](HWND d) { click(d, IDC_TOOL_CANCEL); }, +[](HWND d) { escape(d); },
                     +[](HWND d) { closeBox(d); }}) {
    Answer dialog("Modify Tool", IDC_TOOL_SIZE, [leave](HWND d) {
      SendDlgItemMessageA(d, IDC_TOOL_BITID, CB_SETCURSEL, 9, 0);
      setItem(d, IDC_TOOL_SIZE, "9");
      setItem(d, IDC_TOOL_PASSES, "9");
      leave(d);
    });
    EXPECT_EQ(runToolDialog(nullptr, &gTools[4]), IDCANCEL);
    EXPECT_TRUE(dialog.seen());
    EXPECT_EQ(std::memcmp(&gTools[4], &before, sizeof(Tool)), 0);
  }
}

TEST_F(DialogTest, BoardSettingsShowAndStore) {
  std::string width, height, travel;
  {
    Answer dialog("Board Settings", IDC_BOARD_WIDTH, [&](HWND d) {
      expectTexts(d, {{IDC_BOARD_WIDTH_LABEL, "Board Width:"},
                      {IDC_BOARD_HEIGHT_LABEL, "Board Height:"},
                      {IDC_BOARD_TRAVEL_LABEL, "Travel Height:"}, {IDC_BOARD_SAVE, "Save"},
                      {IDC_BOARD_CANCEL, "Cancel"}});
      width = itemText(d, IDC_BOARD_WIDTH);
      height = itemText(d, IDC_BOARD_HEIGHT);
      travel = itemText(d, IDC_BOARD_TRAVEL);
      setItem(d, IDC_BOARD_WIDTH, "");
      setItem(d, IDC_BOARD_HEIGHT, "-55.5e0");
      setItem(d, IDC_BOARD_TRAVEL, "high");
      click(d, IDC_BOARD_SAVE);
    });
    EXPECT_EQ(runBoardDialog(nullptr), IDOK);
    ASSERT_TRUE(dialog.seen());
  }
  EXPECT_EQ(width, "70.000");
  EXPECT_EQ(height, "100.000");
  EXPECT_EQ(travel, "5.000");
  EXPECT_EQ(gV.boardWidth, 70);
  EXPECT_EQ(gV.boardHeight, -55.5);  // no range checks
  EXPECT_EQ(gV.travelHeight, 0);

  DesignSettings before = gV;
  for (auto leave : {+[](HWND d) { click(d, IDC_BOARD_CANCEL); }, +[](HWND d) { closeBox(d); }}) {
    Answer dialog("Board Settings", IDC_BOARD_WIDTH, [leave](HWND d) {
      setItem(d, IDC_BOARD_WIDTH, "12");
      leave(d);
    });
    EXPECT_EQ(runBoardDialog(nullptr), IDCANCEL);
    EXPECT_TRUE(dialog.seen());
    EXPECT_EQ(std::memcmp(&gV, &before, sizeof(gV)), 0);
  }
}

TEST_F(DialogTest, GridSettingsShowAndStore) {
  std::string grid, snap;
  {
    Answer dialog("Grid Settings", IDC_GRID_SPACING, [&](HWND d) {
      expectTexts(d, {{IDC_GRID_SPACING_LABEL, "Grid Spacing:"},
                      {IDC_GRID_SNAP_LABEL, "Snap Spacing:"}, {IDC_GRID_OK, "Ok"},
                      {IDC_GRID_CANCEL, "Cancel"}});
      grid = itemText(d, IDC_GRID_SPACING);
      snap = itemText(d, IDC_GRID_SNAP);
      setItem(d, IDC_GRID_SPACING, "0.5");
      setItem(d, IDC_GRID_SNAP, "");
      click(d, IDC_GRID_OK);
    });
    EXPECT_EQ(runGridDialog(nullptr), IDOK);
    ASSERT_TRUE(dialog.seen());
  }
  EXPECT_EQ(grid, "2.0000");
  EXPECT_EQ(snap, "1.0000");
  EXPECT_EQ(gV.gridSpacing, 0.5);
  EXPECT_EQ(gV.snapSpacing, 1.0);

  {
    Answer dialog("Grid Settings", IDC_GRID_SPACING, [](HWND d) {
      setItem(d, IDC_GRID_SPACING, "7");
      click(d, IDC_GRID_CANCEL);
    });
    EXPECT_EQ(runGridDialog(nullptr), IDCANCEL);
  }
  EXPECT_EQ(gV.gridSpacing, 0.5);
}

TEST(WinText, EmptyTextIsNullOtherTextACopy) {
  HWND edit = CreateWindowExA(0, "EDIT", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                              nullptr);
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(getWinText(edit), nullptr);
  SetWindowTextA(edit, "12.5 mm");
  char* text = getWinText(edit);
  ASSERT_NE(text, nullptr);
  EXPECT_STREQ(text, "12.5 mm");
  std::free(text);
  DestroyWindow(edit);
}

}  // namespace
