#include "cad/gcode/numberFormat.h"

#include <charconv>

char* formatFixed2(char* p, double v) {
  return std::to_chars(p, p + FIXED2_MAX, v, std::chars_format::fixed, 2).ptr;
}

char* formatInt(char* p, int32_t v) {
  return std::to_chars(p, p + 12, v).ptr;
}
