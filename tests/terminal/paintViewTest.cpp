// Which lines a paint covers and the text it keeps between paints.
#include "terminal/editor/paintView.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Rows of 15 pixels, the band from 0 to 300: twenty rows.
TEST(PaintSpan, FromTheLineAboveTheFirstVisibleToTheLastStartingInTheBand) {
  PaintSpan top = paintSpan(0, 15, 1000, 0, 300);
  EXPECT_EQ(top.first, 0);
  EXPECT_EQ(top.last, 19);
  // Scrolled by 100 lines: line 100 at the top, line 99 above it is painted too.
  PaintSpan deep = paintSpan(-1500, 15, 1000, 0, 300);
  EXPECT_EQ(deep.first, 99);
  EXPECT_EQ(deep.last, 119);
  // Scrolled by part of a row: the row cut by the top is the first visible.
  EXPECT_EQ(firstVisibleLine(-1505, 15, 1000, 0), 100);
  EXPECT_EQ(firstVisibleLine(-1514, 15, 1000, 0), 100);
  PaintSpan part = paintSpan(-1505, 15, 1000, 0, 300);
  EXPECT_EQ(part.first, 99);
  EXPECT_EQ(part.last, 120);
  // A band whose top is not 0 (the formatting rectangle starts lower).
  EXPECT_EQ(firstVisibleLine(-1498, 15, 1000, 2), 100);
  EXPECT_EQ(firstVisibleLine(-1497, 15, 1000, 2), 99);
}

TEST(PaintSpan, ShortAndEmptyTexts) {
  EXPECT_EQ(paintSpan(0, 15, 5, 0, 300).last, 4);  // ends at the last line
  PaintSpan one = paintSpan(0, 0, 1, 0, 300);       // one line: no height measured
  EXPECT_EQ(one.first, 0);
  EXPECT_EQ(one.last, 0);
  EXPECT_LT(paintSpan(400, 15, 10, 0, 300).last, paintSpan(400, 15, 10, 0, 300).first);  // below the band
  EXPECT_EQ(firstVisibleLine(-100000, 15, 10, 0), 9);  // never past the last line
}

LineWindow window(int firstLine, long start, const std::string& text, bool atEnd = false) {
  LineWindow w;
  w.firstLine = firstLine;
  w.start = start;
  w.text = text;
  w.atEnd = atEnd;
  return w;
}

TEST(LineWindow, OffsetsAndLinesOfCharacters) {
  LineWindow w = window(10, 200, "G1 X1\rG1\r\rM30");  // lines 10 to 13, line 13 cut
  EXPECT_EQ(lineOffset(w, 10), 0);
  EXPECT_EQ(lineOffset(w, 11), 6);
  EXPECT_EQ(lineOffset(w, 12), 9);
  EXPECT_EQ(lineOffset(w, 13), 10);
  EXPECT_EQ(lineOffset(w, 14), -1);
  EXPECT_EQ(lineOffset(w, 9), -1);
  EXPECT_EQ(lineOfChar(w, 199), 9);
  EXPECT_EQ(lineOfChar(w, 200), 10);
  EXPECT_EQ(lineOfChar(w, 205), 10);  // the break belongs to its line
  EXPECT_EQ(lineOfChar(w, 206), 11);
  EXPECT_EQ(lineOfChar(w, 5000), 13);  // beyond every line held whole
  EXPECT_TRUE(holdsLines(w, 10, 12));
  EXPECT_FALSE(holdsLines(w, 10, 13));  // 13 is cut
  EXPECT_FALSE(holdsLines(w, 9, 11));
  w.atEnd = true;  // ...unless the text ends there
  EXPECT_TRUE(holdsLines(w, 11, 13));
  EXPECT_FALSE(holdsLines(w, 11, 14));

  trimWindow(&w, 12);
  EXPECT_EQ(w.firstLine, 12);
  EXPECT_EQ(w.start, 209);
  EXPECT_EQ(w.text, "\rM30");
  trimWindow(&w, 20);  // not held: nothing changes
  EXPECT_EQ(w.firstLine, 12);
}

LineCache keptAt(int firstLine, long start, const std::string& text) {
  LineCache cache;
  cache.window = window(firstLine, start, text);
  cache.textValid = cache.startValid = true;
  cache.textLength = 5000;
  cache.lineHeight = 15;
  return cache;
}

TEST(LineCache, AnEditAtOrAfterTheWindowStartKeepsWhereItStarts) {
  LineCache cache = keptAt(10, 200, "G1\r");
  noteTextChange(&cache, TEXT_KEPT, 0, 0);
  EXPECT_TRUE(cache.textValid && cache.startValid);

  noteTextChange(&cache, TEXT_AT_CARET, 200, 201);  // typed at the line's start
  EXPECT_FALSE(cache.textValid);
  EXPECT_TRUE(cache.startValid);
  EXPECT_EQ(cache.lineHeight, 15);

  cache = keptAt(10, 200, "G1\r");
  noteTextChange(&cache, TEXT_AT_CARET, 200, 199);  // Backspace took the break before it
  EXPECT_FALSE(cache.startValid);
  cache = keptAt(10, 200, "G1\r");
  noteTextChange(&cache, TEXT_AT_CARET, 150, 260);  // a selection from above was replaced
  EXPECT_FALSE(cache.startValid);
  cache = keptAt(10, 200, "G1\r");
  noteTextChange(&cache, TEXT_ANYWHERE, 300, 300);  // undo, a new text, a font
  EXPECT_FALSE(cache.textValid || cache.startValid);
  EXPECT_EQ(cache.lineHeight, 0);
}

TEST(LineCache, ALengthThatMovedUnseenDropsEverything) {
  LineCache cache = keptAt(10, 200, "G1\r");
  checkTextLength(&cache, 5000);
  EXPECT_TRUE(cache.textValid && cache.startValid);
  checkTextLength(&cache, 5003);
  EXPECT_FALSE(cache.textValid || cache.startValid);
  // A noted edit moves the length too: that is no sign of another change.
  cache = keptAt(10, 200, "G1\r");
  noteTextChange(&cache, TEXT_AT_CARET, 300, 301);
  checkTextLength(&cache, 5001);
  EXPECT_TRUE(cache.startValid);
  checkTextLength(&cache, 5001);
  EXPECT_TRUE(cache.startValid);
}

std::string lines(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "G1 X" + std::to_string(i) + "\r";
  return text;
}

TEST(PlanFetch, KeptTextServesScrollsWithinTheMargin) {
  LineCache cache = keptAt(100, 5000, lines(100));  // lines 100 to 199
  // 20 lines from 130, 20 lines of margin: all held.
  EXPECT_FALSE(planFetch(cache, {130, 149}, 20, 240000, 20000).needed);
  // Beyond the window, whose lines it holds: taken from the wanted line on,
  // without asking where it starts.
  FetchPlan down = planFetch(cache, {190, 209}, 20, 240000, 20000);
  EXPECT_TRUE(down.needed);
  EXPECT_FALSE(down.askLineStart);
  EXPECT_EQ(down.line, 170);
  EXPECT_EQ(down.from, 5000 + lineOffset(cache.window, 170));
  // 12 characters a line on average, twice that for 60 lines and some.
  EXPECT_GE(down.size, 60 * 24);
  EXPECT_LT(down.size, 60 * 24 * 2);
  // Above the window: the control is asked.
  FetchPlan up = planFetch(cache, {70, 89}, 20, 240000, 20000);
  EXPECT_TRUE(up.askLineStart);
  EXPECT_EQ(up.line, 50);
  // Nothing to paint, nothing to take.
  EXPECT_FALSE(planFetch(LineCache(), {5, 4}, 20, 0, 1).needed);
}

TEST(PlanFetch, AfterAnEditBelowItsStartTheWindowIsTakenAgainFromThere) {
  LineCache cache = keptAt(100, 5000, lines(100));
  noteTextChange(&cache, TEXT_AT_CARET, 5600, 5601);
  FetchPlan again = planFetch(cache, {130, 149}, 20, 240000, 20000);
  EXPECT_TRUE(again.needed);
  EXPECT_FALSE(again.askLineStart);
  EXPECT_EQ(again.line, 100);
  EXPECT_EQ(again.from, 5000);
  // So far below that skipping to it would take more than asking: asked.
  FetchPlan far = planFetch(cache, {9000, 9019}, 20, 240000, 20000);
  EXPECT_TRUE(far.askLineStart);
  EXPECT_EQ(far.line, 8980);
  // Nothing known: asked, from the margin above the span (never below 0).
  FetchPlan fresh = planFetch(LineCache(), {5, 24}, 20, 240000, 20000);
  EXPECT_TRUE(fresh.askLineStart);
  EXPECT_EQ(fresh.line, 0);
}

}  // namespace
