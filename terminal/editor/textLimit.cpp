#include "terminal/editor/textLimit.h"

#include <richedit.h>

void RaiseTextLimit(HWND control) {
  if (SendMessageA(control, EM_GETLIMITTEXT, 0, 0) != TEXT_LIMIT_MAX)
    SendMessageA(control, EM_LIMITTEXT, static_cast<WPARAM>(TEXT_LIMIT_MAX), 0);
}
