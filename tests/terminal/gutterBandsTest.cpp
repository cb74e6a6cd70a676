// The band of each line number in the gutter: mark over selection over none.
#include "terminal/editor/gutterBands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Bands of lines first to last as letters: . none, s selection, M mark.
std::string bands(int first, int last, int selFirst, int selLast, std::vector<int> marks) {
  std::vector<GutterBand> out(last - first + 1);
  gutterBands(first, last, selFirst, selLast, marks.data(), static_cast<int>(marks.size()), out.data());
  std::string text;
  for (GutterBand b : out) text += b == BAND_MARKED ? 'M' : b == BAND_SELECTED ? 's' : '.';
  return text;
}

TEST(GutterBands, MarkOverSelectionOverNone) {
  EXPECT_EQ(bands(0, 5, 0, 0, {}), "s.....");        // the caret's line, nothing selected
  EXPECT_EQ(bands(0, 5, 2, 4, {}), "..sss.");
  EXPECT_EQ(bands(0, 5, 2, 4, {3}), "..sMs.");       // a mark wins over the selection
  EXPECT_EQ(bands(0, 5, 7, 9, {0, 2, 5}), "M.M..M");
}

TEST(GutterBands, MarksAreWalkedForwardOnly) {
  // Marked 5, then 3: both kept, only 5 shows (the run marks in ascending order).
  EXPECT_EQ(bands(0, 6, -1, -1, {4, 2}), "....M..");
  // A line marked twice holds up no later mark.
  EXPECT_EQ(bands(0, 6, -1, -1, {0, 2, 2, 4}), "M.M.M..");
  // The walk starts at the first mark not above the first line shown.
  EXPECT_EQ(bands(10, 14, -1, -1, {3, 11, 13}), ".M.M.");
  EXPECT_EQ(bands(10, 14, -1, -1, {3, 5}), ".....");
  // A mark below an earlier, higher one holds up the marks after it.
  EXPECT_EQ(bands(10, 14, -1, -1, {12, 3, 14}), "..M..");
}

}  // namespace
