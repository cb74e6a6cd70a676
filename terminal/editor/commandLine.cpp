#include "terminal/editor/commandLine.h"

#include <cstring>

int CleanCommandLine(char* text) {
  if (!text) return 0;
  size_t kept = 0;
  for (const char* p = text; *p; ++p) {
    unsigned char c = static_cast<unsigned char>(*p);
    if (c >= 0x20 && c != '"') ++kept;
  }
  if (kept == 0) return 0;
  char* out = text;
  for (const char* p = text; *p; ++p) {
    unsigned char c = static_cast<unsigned char>(*p);
    if (c >= 0x20 && c != '"') *out++ = *p;
  }
  *out = '\0';
  return 1;
}

bool NeedsTxtExtension(const char* path, bool exists) {
  return !exists && !std::strchr(path, '.') && std::strlen(path) < 255;
}
