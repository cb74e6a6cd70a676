// The modeless Find/Replace dialog (resource 8002), one per editor.
#pragma once

#include <windows.h>

struct EditorInfo;

void ShowFindDialog(HWND editor);
void MoveFindDialog(EditorInfo* from, EditorInfo* to);  // an open dialog serves `to` from now on
INT_PTR CALLBACK FindDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
char* GetWindowTextCopy(HWND window);  // heap text, caller frees; or null
