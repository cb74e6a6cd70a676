#include "terminal/editor/clipboardPaste.h"

#include <richedit.h>

#include <cstring>
#include <string>

#include "terminal/editor/editor.h"

namespace {

bool _down(int key) { return GetKeyState(key) < 0; }

// The clipboard's text, as the ANSI text the system offers for any text on it.
bool _clipboardText(HWND owner, std::string* text) {
  if (!IsClipboardFormatAvailable(CF_TEXT) || !OpenClipboard(owner)) return false;
  bool got = false;
  HANDLE data = GetClipboardData(CF_TEXT);
  const char* bytes = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
  if (bytes) {
    // The terminating NUL should lie within the block; never read past it.
    size_t size = GlobalSize(data);
    const void* end = std::memchr(bytes, '\0', size);
    text->assign(bytes, end ? static_cast<const char*>(end) - bytes : size);
    GlobalUnlock(data);
    got = true;
  }
  CloseClipboard();
  return got;
}

}  // namespace

int PasteClipboardText(HWND control) {
  if (IsEditorReadOnly(control)) return 0;
  std::string text;
  if (!_clipboardText(control, &text)) return 0;
  SendMessageA(control, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
  return 1;
}

bool IsPasteKey(WPARAM key) {
  if (key == 'V') return _down(VK_CONTROL) && !_down(VK_MENU);  // Ctrl+Alt is AltGr
  if (key == VK_INSERT) return _down(VK_SHIFT) && !_down(VK_CONTROL) && !_down(VK_MENU);
  return false;
}
