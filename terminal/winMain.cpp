// Entry of KIVO Terminal.
#include <windows.h>

#include "terminal/editor/termWindow.h"
#include "terminal/link/runDialog.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
  gRunProgram = RunProgram;  // the Run command streams through the machine link
  return TermMain(instance, previous, commandLine, show);
}
