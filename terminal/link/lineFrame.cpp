#include "terminal/link/lineFrame.h"

#include <cstring>

unsigned char lineChecksumOf(const char* bytes, size_t n) {
  unsigned char sum = 0;
  for (size_t i = 0; i < n; ++i) sum = static_cast<unsigned char>(sum + static_cast<unsigned char>(bytes[i]));
  if (sum == 0 || sum == 10 || sum == 13) sum = static_cast<unsigned char>(sum + 100);
  return sum;
}

unsigned char LineChecksum(const char* text) { return lineChecksumOf(text, std::strlen(text)); }

int IsSendableLine(const char* text) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
  while (*p >= 1 && *p <= 32) ++p;
  return *p == ';' ? 0 : 1;
}

std::string lineFrame(const char* text) {
  std::string frame(1, static_cast<char>(LineChecksum(text)));
  frame += text;
  frame += '\n';
  return frame;
}

bool frameIsIntact(const char* frame, size_t n) {
  return n >= 1 && static_cast<unsigned char>(frame[0]) == lineChecksumOf(frame + 1, n - 1);
}
