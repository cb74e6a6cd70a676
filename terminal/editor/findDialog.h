// The modeless Find/Replace dialog (resource 8002), one per editor.
#pragma once

#include <windows.h>

void ShowFindDialog(HWND editor);
INT_PTR CALLBACK FindDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
char* GetWindowTextCopy(HWND window);  // heap text, caller frees; or null
