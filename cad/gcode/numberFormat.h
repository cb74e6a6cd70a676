// The one number formatter of every G-code writer, so every build writes
// the same bytes: the text C's "%.2f" gives (correctly rounded, ties to even
// on the exact binary value, "-0.00" for small negatives).
#pragma once

#include <cstdint>

enum { FIXED2_MAX = 330 };  // longest text of a finite double with two decimals

// Writes v with two decimals at p (at least FIXED2_MAX bytes free; a few
// bytes past the text may be written over); returns the end of the text,
// which is not NUL-terminated. Values a board uses are rounded in double
// arithmetic, ties and values up to 2^52 in integer arithmetic, larger ones
// and inf and NaN by formatFixed2Std.
char* formatFixed2(char* p, double v);
// The same text from the standard library's conversion (std::to_chars),
// for every double; slower.
char* formatFixed2Std(char* p, double v);
// Writes v as "%i" does; p needs 12 bytes.
char* formatInt(char* p, int32_t v);
