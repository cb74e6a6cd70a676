// The tool list panel's Win32 side: painting the owner-drawn rows and
// passing the list's notifications to the editor core.
#pragma once

#include <windows.h>

void drawToolListHeader(const DRAWITEMSTRUCT* item);
void drawToolListItem(const DRAWITEMSTRUCT* item);
// LBN_SELCHANGE and LBN_DBLCLK of the list; both return 0.
LRESULT OnToolListSelChange(HWND mainWindow);
LRESULT OnToolListDblClk(HWND mainWindow);
