// Resource, command and control identifiers of KIVO CAD, shared by the
// resource script and the code (plain #defines so the resource compiler
// reads them too).
#pragma once

#define IDI_KIVO 8001
#define IDR_MAINMENU 2001
#define IDB_TOOLBAR 5001

// Menu and toolbar commands
#define IDM_NEW 6002
#define IDM_OPEN 6003
#define IDM_SAVE 6004
#define IDM_SAVEAS 6005
#define IDM_EXIT 6006
#define IDM_LINE 6007
#define IDM_RECT 6008
#define IDM_CIRCLE 6009
#define IDM_DRILL 6010
#define IDM_BOARD 6011
#define IDM_GCODE 6012
#define IDM_GRID 6013
#define IDM_TRIM 6014
#define IDM_FILL 6015

// The tool list panel
#define IDC_TOOLLIST 7001

// "Modify Tool"
#define IDD_TOOL 1001
#define IDC_TOOL_SAVE 1002
#define IDC_TOOL_CANCEL 1003
#define IDC_TOOL_DEPTH 1004
#define IDC_TOOL_SIZE 1005
#define IDC_TOOL_BITID 1006
#define IDC_TOOL_SPEED 1007
#define IDC_TOOL_PASSES 1009
#define IDC_TOOL_DEPTH_LABEL 1302
#define IDC_TOOL_PASSES_LABEL 1303
#define IDC_TOOL_SIZE_LABEL 4003
#define IDC_TOOL_SPEED_LABEL 4005
#define IDC_TOOL_BITID_LABEL 4012

// "Board Settings"
#define IDD_BOARD 1101
#define IDC_BOARD_WIDTH 1102
#define IDC_BOARD_HEIGHT 1103
#define IDC_BOARD_SAVE 1105
#define IDC_BOARD_CANCEL 1106
#define IDC_BOARD_TRAVEL 1107
#define IDC_BOARD_TRAVEL_LABEL 1303
#define IDC_BOARD_HEIGHT_LABEL 4003
#define IDC_BOARD_WIDTH_LABEL 4005

// "Grid Settings"
#define IDD_GRID 1301
#define IDC_GRID_SNAP 1302
#define IDC_GRID_SPACING 1303
#define IDC_GRID_OK 1304
#define IDC_GRID_CANCEL 1305
#define IDC_GRID_SPACING_LABEL 4001
#define IDC_GRID_SNAP_LABEL 4003
