// KIVO Terminal's main window "KIVOTermClass": start-up, menu commands and
// the files of the editor.
#pragma once

#include <windows.h>

extern HINSTANCE gTermInstance;
extern HWND gTermHWnd;
extern HWND gEditHWnd;
extern char* gTextFileName;

// Hook of the Run command (6001): the machine link installs its streaming
// entry here. While it is null, Run does nothing.
extern void (*gRunProgram)(HWND editor);

int TermMain(HINSTANCE instance, HINSTANCE previous, char* commandLine, int show);

// The two halves of start-up before the message loop, apart so a test can
// make the real window in its own process. Both return 0 on failure.
int TermRegisterClass(HINSTANCE instance);
HWND TermCreateWindow(int show);

LRESULT CALLBACK TermWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

int OpenPath(const char* path);  // 1 when the file was loaded
void FileNew();
void FileOpen();
void FileSave();
void FileSaveAs();
bool ConfirmDiscard();
void UpdateTitle();
bool FileExists(const char* path);
