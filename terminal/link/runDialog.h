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
