#include "cad/gcode/numberFormat.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace {

// "00" to "99".
struct DigitPairs {
  char text[200];
  constexpr DigitPairs() : text() {
    for (int i = 0; i < 100; i++) {
      text[2 * i] = static_cast<char>('0' + i / 10);
      text[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
  }
};
constexpr DigitPairs DIGIT_PAIRS;

// 0 to 999 as four bytes each: the digits, then their count in the last.
struct SmallNumbers {
  char text[4000];
  constexpr SmallNumbers() : text() {
    for (int i = 0; i < 1000; i++) {
      int len = i < 10 ? 1 : i < 100 ? 2 : 3;
      for (int k = len - 1, n = i; k >= 0; k--, n /= 10) text[4 * i + k] = static_cast<char>('0' + n % 10);
      text[4 * i + 3] = static_cast<char>(len);
    }
  }
};
constexpr SmallNumbers SMALL_NUMBERS;

char* _pair(char* p, uint64_t n) {
  memcpy(p, DIGIT_PAIRS.text + 2 * n, 2);
  return p + 2;
}

// Decimal digits of n, from 1000 up.
char* _largeUnsigned(char* p, uint64_t n) {
  int digits = 4;
  for (uint64_t rest = n / 10000; rest; rest /= 10) digits++;
  char* end = p + digits;
  char* q = end;
  for (; n >= 100; n /= 100) _pair(q -= 2, n % 100);
  if (n >= 10)
    _pair(q - 2, n);
  else
    q[-1] = static_cast<char>('0' + n);
  return end;
}

// Decimal digits of n, no leading zeros ("0" for 0). Below 1000 they are
// copied whole: four bytes are written, of which as many count as n has
// digits.
inline char* _unsigned(char* p, uint64_t n) {
  if (n < 1000) {
    const char* small = SMALL_NUMBERS.text + 4 * n;
    memcpy(p, small, 4);
    return p + small[3];
  }
  return _largeUnsigned(p, n);
}

// The text of a number of hundredths, after the sign. (32-bit arithmetic
// where the number allows it is the faster.)
template <typename Unsigned>
inline char* _hundredths(char* p, Unsigned cents) {
  Unsigned whole = cents / 100;
  p = _unsigned(p, whole);
  *p++ = '.';
  return _pair(p, cents - whole * 100);
}

const int EXP_BIAS = 1023, MANTISSA_BITS = 52;

// Exact for every |v| below 2^52, in integer arithmetic; the standard
// conversion above.
char* _fixed2Exact(char* p, double v) {
  uint64_t bits;
  memcpy(&bits, &v, sizeof(bits));
  int exponent = static_cast<int>((bits >> MANTISSA_BITS) & 0x7FF);
  uint64_t mantissa = bits & ((uint64_t(1) << MANTISSA_BITS) - 1);
  // |v| = mantissa / 2^shift exactly. From 2^52 up (and for inf and NaN)
  // the standard conversion takes over.
  int shift;
  if (exponent == 0) {
    shift = EXP_BIAS + MANTISSA_BITS - 1;  // subnormal
  } else {
    mantissa |= uint64_t(1) << MANTISSA_BITS;
    shift = EXP_BIAS + MANTISSA_BITS - exponent;
    if (shift <= 0) return formatFixed2Std(p, v);
  }
  // Hundredths: |v| x 100 = scaled / 2^shift with scaled below 2^60, rounded
  // to the nearest integer, an exact half to the even one: up when the rest
  // exceeds the half, or equals it and the integer is odd.
  uint64_t cents = 0;
  if (shift < 64) {
    uint64_t scaled = mantissa * 100;
    cents = scaled >> shift;
    uint64_t rest = scaled & ((uint64_t(1) << shift) - 1);
    cents += rest + (cents & 1) > uint64_t(1) << (shift - 1);
  }  // else |v| x 100 is below 1/16: 0
  if (bits >> 63) *p++ = '-';
  return _hundredths(p, cents);
}

// Below FAST_LIMIT, |v| x 100 is below 2^30, where every integer and every
// integer and a half is a double. Rounding the product is monotonic, so the
// rounded product lies on the same side of each of them as the exact one,
// or on it: only a product that comes out an integer and a half needs the
// exact one to decide. Adding 2^52 rounds the product to an integer (the
// doubles from 2^52 on are the integers), which then stands in the low bits.
const double FAST_LIMIT = 1e7, TWO_POW_52 = 4503599627370496.0;

}  // namespace

char* formatFixed2(char* p, double v) {
  double a = std::fabs(v);
  if (a < FAST_LIMIT) {
    double scaled = a * 100;
    double shifted = scaled + TWO_POW_52;
    if (std::fabs(scaled - (shifted - TWO_POW_52)) != 0.5) {  // both differences exact
      uint64_t bits;
      memcpy(&bits, &shifted, sizeof(bits));
      if (std::signbit(v)) *p++ = '-';
      return _hundredths(p, static_cast<uint32_t>(bits));
    }
  }
  return _fixed2Exact(p, v);  // a tie in the product, large, or not finite
}

char* formatFixed2Std(char* p, double v) {
  return std::to_chars(p, p + FIXED2_MAX, v, std::chars_format::fixed, 2).ptr;
}

char* formatInt(char* p, int32_t v) {
  return std::to_chars(p, p + 12, v).ptr;
}
