// Entry of KIVO CAD.
#include <windows.h>

#include "cad/editor/mainWindow.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int show) {
  return CadMain(instance, commandLine, show);
}
