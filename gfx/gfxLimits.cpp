#include "gfx/gfxLimits.h"

#include <algorithm>
#include <climits>

bool bufferSizeAccepted(BufferSize size) {
  return size.width > 0 && size.height > 0 && size.width <= MAX_BUFFER_SIDE &&
         size.height <= MAX_BUFFER_SIDE &&
         (long long)size.width * size.height <= MAX_BUFFER_PIXELS;
}

bool chooseBufferSize(int clientW, int clientH, int monitorW, int monitorH, int scrollW,
                      int scrollH, BufferSize* size) {
  const BufferSize withMonitor = {std::max({clientW, monitorW, scrollW, 1}),
                                  std::max({clientH, monitorH, scrollH, 1})};
  const BufferSize clientOnly = {std::max(clientW, 1), std::max(clientH, 1)};
  if (bufferSizeAccepted(withMonitor)) {
    *size = withMonitor;
    return true;
  }
  if (scrollW <= 0 && scrollH <= 0 && bufferSizeAccepted(clientOnly)) {
    *size = clientOnly;
    return true;
  }
  return false;
}

int penWidthFor(int width) { return std::min(std::max(width, -MAX_PEN_WIDTH), MAX_PEN_WIDTH); }

int centredScrollPos(int at, int client, int thickness, bool otherBar) {
  const long long p = (long long)at - client / 2 + (otherBar ? thickness / 2 : 0);
  return int(std::min<long long>(std::max<long long>(p, INT_MIN), INT_MAX));
}

unsigned textDrawFormat(unsigned format) {
  return (format | TEXT_FLAG_NOPREFIX) & ~TEXT_FLAG_MODIFYSTRING;
}
