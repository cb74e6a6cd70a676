// The one number formatter of every G-code writer, so every build writes
// the same bytes: the text C's "%.2f" gives (correctly rounded, ties to even
// on the exact binary value, "-0.00" for small negatives).
#pragma once

#include <cstdint>

enum { FIXED2_MAX = 330 };  // longest text of a finite double with two decimals

// Writes v with two decimals at p (at least FIXED2_MAX bytes free); returns
// the end of the text, which is not NUL-terminated.
char* formatFixed2(char* p, double v);
// Writes v as "%i" does; p needs 12 bytes.
char* formatInt(char* p, int32_t v);
