#include "terminal/editor/gutterBands.h"

void gutterBands(int first, int last, int selFirst, int selLast, const int* marks, int markCount,
                 GutterBand* bands) {
  int cursor = 0;
  while (cursor < markCount && marks[cursor] < first) ++cursor;
  for (int i = first; i <= last; ++i) {
    GutterBand band = BAND_PLAIN;
    if (cursor < markCount && marks[cursor] == i) {
      band = BAND_MARKED;
      // A line marked twice is passed once, so it holds up no later mark.
      while (cursor < markCount && marks[cursor] == i) ++cursor;
    } else if (i >= selFirst && i <= selLast) {
      band = BAND_SELECTED;
    }
    bands[i - first] = band;
  }
}
