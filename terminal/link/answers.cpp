#include "terminal/link/answers.h"

#include <cstring>

char gRxBuffer[RX_BUFFER_SIZE];
int gRxCount = 0;

namespace {

char _lower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool _holdsError(const char* bytes, int n) {
  static const char WORD[] = "error";
  const int length = sizeof(WORD) - 1;
  for (int i = 0; i + length <= n; ++i) {
    int k = 0;
    while (k < length && _lower(bytes[i + k]) == WORD[k]) ++k;
    if (k == length) return true;
  }
  return false;
}

}  // namespace

void answerClear() {
  gRxCount = 0;
  gRxBuffer[0] = '\0';
}

bool answerOverflows(int n) { return gRxCount + n >= RX_OVERFLOW; }

bool answerAppend(const char* bytes, int n) {
  if (n < 0 || answerOverflows(n)) return false;
  std::memcpy(gRxBuffer + gRxCount, bytes, n);
  gRxCount += n;
  gRxBuffer[gRxCount] = '\0';
  return true;
}

bool answerComplete() {
  for (int i = 0; i < gRxCount; ++i)
    if (gRxBuffer[i] == '\r' || gRxBuffer[i] == '\n') return true;
  return false;
}

int answerKind(const char* bytes, int n) {
  if (_holdsError(bytes, n)) return ANSWER_ERROR;
  if (n > 0 && bytes[0] == 'r') return ANSWER_READY;
  return ANSWER_OTHER;
}
