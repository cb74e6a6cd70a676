// The design's three modal dialogs ("Modify Tool", "Board Settings", "Grid
// Settings"), the edit-text helper they share, and the Win32 replace step of
// a safe save. Win32 only; the dialog templates come from the program's
// resources (resources/kivo.rc).
#pragma once

#include <windows.h>

#include "cad/document/tools.h"

// A newly allocated copy of the window's text, or null when it is empty;
// the caller frees it.
char* getWinText(HWND window);

// Each runs its dialog modally over owner and returns IDOK when the values
// were stored, IDCANCEL when nothing changed (0 for a null entry, -1 when
// the dialog could not be shown). Empty edits keep their fields; other text
// is taken as parsed.
INT_PTR runToolDialog(HWND owner, Tool* entry);
INT_PTR runBoardDialog(HWND owner);
INT_PTR runGridDialog(HWND owner);

INT_PTR CALLBACK ToolProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK BoardProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK GridProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Replaces the file to with the file from in one step (the FileReplaceFn of
// saveDesignReplacing); 1 on success.
int replaceFileWin(const char* from, const char* to);
