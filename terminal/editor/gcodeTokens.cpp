#include "terminal/editor/gcodeTokens.h"

namespace {

// Only ASCII counts: bytes 0x80 to 0xFF belong to no class.
char _upper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }
bool _isDigit(char c) { return c >= '0' && c <= '9'; }

bool _isAddressLetter(char c) {
  switch (_upper(c)) {
    case 'X': case 'Y': case 'Z': case 'P': case 'F':
    case 'L': case 'E': case 'S': case 'T':
      return true;
    default:
      return false;
  }
}

// Class of a token that starts with c, or 0 when c starts none.
int _classify(char c) {
  if (_isAddressLetter(c)) return TOKEN_ADDRESS;
  if (_isDigit(c) || c == '.') return TOKEN_NUMBER;
  if (c == ';') return TOKEN_COMMENT;
  if (_upper(c) == 'G') return TOKEN_GWORD;
  if (_upper(c) == 'M') return TOKEN_MWORD;
  return 0;
}

bool _continues(int cls, char c) {
  switch (cls) {
    case TOKEN_NUMBER: return _isDigit(c) || c == '.';
    case TOKEN_GWORD:
    case TOKEN_MWORD: return _isDigit(c);
    default: return false;  // an address letter is always one character
  }
}

}  // namespace

int gcodeTokenise(const char* text, int n, GcodeToken* tokens, int capacity) {
  int count = 0;
  int open = 0;  // class of the open token, 0 for none
  int start = 0;
  for (int p = 0; p <= n; ++p) {
    if (open) {
      if (p < n && _continues(open, text[p])) continue;
      if (count < capacity) tokens[count++] = {open, start, p - start};
      open = 0;
    }
    if (p == n) break;
    int cls = _classify(text[p]);
    if (cls == TOKEN_COMMENT) {
      // The comment takes the rest of the text and ends the line.
      if (count < capacity) tokens[count++] = {TOKEN_COMMENT, p, n - p};
      break;
    }
    if (cls) {
      open = cls;
      start = p;
    }
  }
  return count;
}

int wordRuns(const char* text, int n, TextRun* runs, int capacity) {
  auto visible = [&](int i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    return c >= 0x21 && c <= 0x7F;
  };
  int count = 0;
  for (int i = 0; i < n && count < capacity;) {
    if (!visible(i)) {
      ++i;
      continue;
    }
    int start = i;
    while (i < n && visible(i)) ++i;
    runs[count++] = {start, i - start};
  }
  return count;
}

int gcodeTokenSlot(int cls) {
  switch (cls) {
    case TOKEN_ADDRESS: return 9;
    case TOKEN_NUMBER: return 8;
    case TOKEN_COMMENT: return 7;
    case TOKEN_GWORD: return 5;
    case TOKEN_MWORD: return 6;
    default: return -1;
  }
}

bool RangesOverlap(int selMin, int selMax, int c, int k) {
  if (selMin == selMax) return false;
  return (selMin <= c && c < selMax) || (selMin < c + k && c + k < selMax) ||
         (c < selMin && selMin < c + k) || (c < selMax && selMax < c + k);
}
