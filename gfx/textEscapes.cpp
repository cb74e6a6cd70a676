#include "gfx/textEscapes.h"

#include <new>

#include "gfx/messageLimit.h"

unsigned int gEscapeBoxTick = 0;

namespace {

const struct {
  char code;  // lower case; matched in either case
  char value;
} ESCAPES[] = {{'\'', '\''}, {'\\', '\\'}, {'n', '\n'}, {'q', '"'}, {'r', '\r'}};

}  // namespace

char escapeChar(char c) {
  const char lower = (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
  for (const auto& e : ESCAPES)
    if (e.code == lower) return e.value;
  return 0;
}

bool unescapeText(const char* text, std::string* out) {
  out->clear();
  for (const char* p = text; *p && *p != '\''; ++p) {
    if (*p != '\\') {
      out->push_back(*p);
      continue;
    }
    const char value = escapeChar(*++p);
    if (!value) return false;  // unknown escape, or the text ends after '\'
    out->push_back(value);
  }
  return true;
}

bool getEscapedString(const char* text, std::string* out) {
  if (!text) return false;
  try {
    if (unescapeText(text, out)) return true;
  } catch (const std::bad_alloc&) {
    return false;  // no memory for the copy: nothing to measure
  }
  limitedMessageBox("Invalid string escape", "getEscapedString", &gEscapeBoxTick);
  return false;
}
