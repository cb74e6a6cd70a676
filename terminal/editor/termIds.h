// Resource, command and control identifiers of KIVO Terminal, shared by the
// resource script and the code (plain #defines so the resource compiler
// reads them too).
#pragma once

#define IDI_TERMINAL 8001
#define IDR_TERMMENU 2001
#define IDD_FIND 8002

// Main menu
#define IDM_RUN 6001
#define IDM_NEW 6002
#define IDM_OPEN 6003
#define IDM_SAVE 6004
#define IDM_SAVEAS 6005
#define IDM_EXIT 6006
#define IDM_UNDO 6007
#define IDM_REDO 6008
#define IDM_CUT 6009
#define IDM_COPY 6010
#define IDM_PASTE 6011
#define IDM_SELECTALL 6012
#define IDM_SETFONT 6013
#define IDM_FIND 6015

// Editor context menu
#define IDC_CTX_UNDO 2051
#define IDC_CTX_REDO 2052
#define IDC_CTX_CUT 2053
#define IDC_CTX_COPY 2054
#define IDC_CTX_PASTE 2055
#define IDC_CTX_SELECTALL 2056
#define IDC_CTX_SETFONT 2057
#define IDC_CTX_CLEARMARKS 2058

// Find dialog controls
#define IDC_FIND_CANCEL 4001
#define IDC_FIND_TEXT 4002
#define IDC_FIND_REPLACE_TEXT 4004
#define IDC_FIND_CASE 4005
#define IDC_FIND_FORWARDS 4006
#define IDC_FIND_BACKWARDS 4007
#define IDC_FIND_FIND 4008
#define IDC_FIND_REPLACE 4009
#define IDC_FIND_LABEL 4010
#define IDC_FIND_REPLACE_LABEL 4011
