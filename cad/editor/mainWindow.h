// KIVO CAD's main window "ORBEClass": start-up, children and their layout,
// the command table, the status bar. Win32 glue over the editor core.
#pragma once

#include <windows.h>

extern HINSTANCE ghInstance;
extern HWND gMainHWnd;
extern HWND gMainToolbar;
extern HWND gStatusHWnd;
extern HWND gToolList;
extern HWND ghGfxBox;
extern HCURSOR gCursorCrosshair, gCursorMove, gCursorNS, gCursorWE, gCursorNESW, gCursorNWSE;

// Program entry: returns the exit code (2 when the graphics control cannot
// be registered, 1 when the main window cannot be made). commandLine may
// name a design to open at start.
int CadMain(HINSTANCE instance, const char* commandLine, int show);

// The two halves of start-up before the message loop, apart so a test can
// make the real window in its own process (after ZuGfxInit). 0 on failure.
int CadRegisterClass(HINSTANCE instance);
HWND CadCreateWindow(int show);

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

void ToolbarSetup();
void ToolbarAddButton(HWND toolbar, int image, int commandId, BYTE state, BYTE style,
                      DWORD_PTR itemData, const char* text);
void resizeWindow();
void updateStatusbar();
// Runs one menu or toolbar command and refreshes the status bar.
void OnMainCommand(int id);
