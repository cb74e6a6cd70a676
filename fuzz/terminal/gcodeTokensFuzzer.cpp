// Fuzzes the G-code tokeniser and the command-line cleaning with arbitrary
// bytes, checking the properties the paint code relies on.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "terminal/editor/commandLine.h"
#include "terminal/editor/gcodeTokens.h"

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

void check(bool ok) {
  if (!ok) std::abort();
}

void checkTokens(const char* text, int n) {
  std::vector<GcodeToken> tokens(n + 1);
  int count = gcodeTokenise(text, n, tokens.data(), n);
  check(count >= 0 && count <= n);
  int end = 0;
  for (int i = 0; i < count; ++i) {
    const GcodeToken& t = tokens[i];
    check(t.start >= end && t.length >= 1 && t.start + t.length <= n);
    check(gcodeTokenSlot(t.cls) >= 5 && gcodeTokenSlot(t.cls) <= 9);
    const char* s = text + t.start;
    switch (t.cls) {
      case TOKEN_ADDRESS: check(t.length == 1); break;
      case TOKEN_NUMBER:
        for (int k = 0; k < t.length; ++k) check(isDigit(s[k]) || s[k] == '.');
        break;
      case TOKEN_COMMENT: check(s[0] == ';' && t.start + t.length == n && i == count - 1); break;
      default:
        for (int k = 1; k < t.length; ++k) check(isDigit(s[k]));
        break;
    }
    end = t.start + t.length;
  }
  // A smaller capacity gives a prefix of the same tokens.
  if (count > 1) {
    std::vector<GcodeToken> few(count - 1);
    check(gcodeTokenise(text, n, few.data(), count - 1) == count - 1);
    check(std::memcmp(few.data(), tokens.data(), few.size() * sizeof(GcodeToken)) == 0);
  }
}

void checkCommandLine(const char* data, size_t size) {
  std::vector<char> text(data, data + size);
  text.push_back('\0');
  size_t length = std::strlen(text.data());
  std::vector<char> before(text);
  if (CleanCommandLine(text.data())) {
    size_t kept = std::strlen(text.data());
    check(kept >= 1 && kept <= length);
    for (size_t i = 0; i < kept; ++i)
      check(static_cast<unsigned char>(text[i]) >= 0x20 && text[i] != '"');
  } else {
    check(text == before);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const char* text = reinterpret_cast<const char*>(data);
  int n = static_cast<int>(size);
  checkTokens(text, n);
  checkCommandLine(text, size);
  if (size >= 4) {
    int selMin = data[0] % 16, selMax = selMin + data[1] % 16, c = data[2] % 40, k = 1 + data[3] % 8;
    bool brute = false;
    for (int p = c; p < c + k; ++p) brute = brute || (p >= selMin && p < selMax);
    check(RangesOverlap(selMin, selMax, c, k) == brute);
  }
  return 0;
}
