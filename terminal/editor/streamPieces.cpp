#include "terminal/editor/streamPieces.h"

size_t streamPieceSize(const char* data, size_t left, size_t room) {
  size_t n = left < room ? left : room;
  if (n > 1 && n < left && data[n - 1] == '\r' && data[n] == '\n') --n;
  return n;
}
