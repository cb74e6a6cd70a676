// Entry of KIVO Terminal.
#include <windows.h>

#include "terminal/editor/termWindow.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
  return TermMain(instance, previous, commandLine, show);
}
