#include "cad/document/dialogFields.h"

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {

bool _isDigit(char c) { return c >= '0' && c <= '9'; }
bool _isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

const char* _skipBlanks(const char* p) {
  while (_isBlank(*p)) ++p;
  return p;
}

// Length of the decimal number at p, 0 if none starts there. Only what this
// grammar accepts reaches strtod, so "inf", "nan" and hexadecimal forms are
// not numbers here.
size_t _decimalLength(const char* p) {
  size_t n = 0;
  if (p[n] == '+' || p[n] == '-') ++n;
  size_t digits = 0;
  while (_isDigit(p[n])) ++n, ++digits;
  if (p[n] == '.') {
    ++n;
    while (_isDigit(p[n])) ++n, ++digits;
  }
  if (digits == 0) return 0;
  if (p[n] == 'e' || p[n] == 'E') {
    size_t e = n + 1;
    if (p[e] == '+' || p[e] == '-') ++e;
    if (_isDigit(p[e])) {
      while (_isDigit(p[e])) ++e;
      n = e;
    }
  }
  return n;
}

}  // namespace

double parseDecimalText(const char* text) {
  if (!text) return 0;
  const char* p = _skipBlanks(text);
  size_t n = _decimalLength(p);
  if (n == 0) return 0;
  std::string number(p, n);
  double value = std::strtod(number.c_str(), nullptr);
  if (std::isinf(value)) return value < 0 ? -DBL_MAX : DBL_MAX;
  return value;
}

uint32_t parseWholeText(const char* text) {
  if (!text) return 0;
  const char* p = _skipBlanks(text);
  if (*p == '+') ++p;
  uint64_t value = 0;
  for (; _isDigit(*p); ++p) {
    value = value * 10 + static_cast<unsigned>(*p - '0');
    if (value > UINT32_MAX) return UINT32_MAX;
  }
  return static_cast<uint32_t>(value);
}

void readDecimalField(const char* text, double* field) {
  if (text && *text && field) *field = parseDecimalText(text);
}

void readWholeField(const char* text, uint32_t* field) {
  if (text && *text && field) *field = parseWholeText(text);
}
