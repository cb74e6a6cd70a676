#include "gfx/messageLimit.h"

#include "gfx/lang/langPlatform.h"

int limitedMessageBox(const char* text, const char* caption, unsigned int* lastTick) {
  const unsigned int now = langTickCount();
  if (now - *lastTick <= MESSAGE_BOX_INTERVAL) return 0;
  *lastTick = now;
  langMessageBox(text, caption);
  return 1;
}
