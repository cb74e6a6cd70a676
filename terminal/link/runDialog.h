// The Run command: port choice, the connection, the Run dialog with its
// progress bar, log and buttons, and the sender thread that streams the
// editor's program to the controller.
#pragma once

#include <windows.h>

// The port of the open connection and the Run dialog while it is up.
extern HANDLE gPortHandle;
extern HWND gRunHWnd;

// The Run menu command on the given editor: asks for a port, opens it,
// shows the Run dialog and, once it is closed, ends the connection (the
// sender thread has stopped before the port is closed).
void RunProgram(HWND editor);

INT_PTR CALLBACK RunDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
DWORD WINAPI SenderThread(LPVOID parameter);

// Text limit of the log: the largest that every edit control takes (a
// limit of -1 leaves some controls taking no text at all).
const LPARAM LOG_TEXT_LIMIT = 0x7FFFFFFE;
