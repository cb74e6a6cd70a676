// The command language's message boxes and tick count on Windows.
#include <windows.h>

#include "gfx/lang/langPlatform.h"

unsigned int langTickCount() { return GetTickCount(); }

void langMessageBox(const char* text, const char* caption) {
  MessageBoxA(nullptr, text, caption, MB_OK);
}
