// The port dialog "Select COMM port": the ports that can be opened now, the
// remembered choice preselected.
#pragma once

#include <windows.h>

// Device name of the chosen port (heap, owned here), or null before the
// first choice. Kept for the life of the program.
extern char* gPortName;

// Shows the dialog modally over gTermHWnd; 1 when the user confirmed a port
// (gPortName holds it), 0 when the dialog was cancelled or closed.
int SelectPort();

INT_PTR CALLBACK PortDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);

// Fills the dialog's list with the ports that can be opened now and
// preselects one.
void ListPorts(HWND dialog);
