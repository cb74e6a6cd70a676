// What the sender thread hands to the user-interface thread and back: the
// editor's lines fetched ahead a block at a time, and the log, progress and
// editor changes held until they are shown.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "terminal/link/lineCache.h"
#include "terminal/link/runView.h"

namespace {

std::vector<std::string> numbered(int from, int count) {
  std::vector<std::string> lines;
  for (int n = from; n < from + count; ++n) lines.push_back("line " + std::to_string(n));
  return lines;
}

// The text of line n, or "-" when it is not held.
std::string take(int n) {
  char* text = nullptr;
  if (!lineCacheTake(n, &text)) return "-";
  std::string copy = text ? text : "(no memory)";
  std::free(text);
  return copy;
}

TEST(LineCache, SplitsARangeIntoTheEditorsLines) {
  std::vector<std::string> lines;
  std::string range = "g1x5\r\r  ; note\r\xE4 \tm3\r";
  EXPECT_TRUE(splitLines(range.data(), static_cast<int>(range.size()), 4, &lines));
  EXPECT_EQ(lines, (std::vector<std::string>{"g1x5", "", "  ; note", "\xE4 \tm3"}));
  EXPECT_TRUE(splitLines("", 0, 0, &lines));
  EXPECT_TRUE(lines.empty());
  // A range that does not hold exactly the lines asked for is refused.
  EXPECT_FALSE(splitLines(range.data(), static_cast<int>(range.size()), 3, &lines));
  EXPECT_FALSE(splitLines(range.data(), static_cast<int>(range.size()), 5, &lines));
  EXPECT_FALSE(splitLines("a\rb", 3, 2, &lines));  // text after the last break
  std::string withLf = "a\nb\r";                   // only CR ends an editor line
  EXPECT_TRUE(splitLines(withLf.data(), 4, 1, &lines));
  EXPECT_EQ(lines[0], "a\nb");
}

TEST(LineCache, HandsOutHeldLinesInOrderAndForgetsTakenOnes) {
  lineCacheReset();
  EXPECT_EQ(lineCacheCount(), -1);
  EXPECT_EQ(take(1), "-");
  ASSERT_TRUE(lineCacheStore(lineCacheRequest(1), 10, numbered(1, 4)));
  EXPECT_EQ(lineCacheCount(), 10);
  EXPECT_EQ(take(1), "line 1");
  EXPECT_EQ(take(1), "line 1");  // the same line again, as after a missing text
  EXPECT_EQ(take(3), "line 3");
  EXPECT_EQ(take(2), "-");  // before the last line taken: gone
  EXPECT_EQ(take(5), "-");  // not fetched
  // A block that does not follow the held lines replaces them.
  ASSERT_TRUE(lineCacheStore(lineCacheRequest(8), 10, numbered(8, 3)));
  EXPECT_EQ(take(4), "-");
  EXPECT_EQ(take(8), "line 8");
  EXPECT_EQ(take(10), "line 10");
}

TEST(LineCache, AResetDropsEverythingAndVoidsEarlierRequests) {
  lineCacheReset();
  LineRequest before = lineCacheRequest(1);
  ASSERT_TRUE(lineCacheStore(before, 5, numbered(1, 5)));
  lineCacheReset();  // a user command
  EXPECT_EQ(lineCacheCount(), -1);
  EXPECT_EQ(take(2), "-");
  // The answer to a request made before the reset is not stored: the
  // editor may have changed since.
  EXPECT_FALSE(lineCacheStore(before, 5, numbered(1, 5)));
  EXPECT_EQ(lineCacheCount(), -1);
  EXPECT_EQ(take(1), "-");
}

TEST(LineCache, AsksForTheNextBlockOnceHalfTheHeldLinesAreTaken) {
  const int count = 3 * LINE_BLOCK;
  lineCacheReset();
  ASSERT_TRUE(lineCacheStore(lineCacheRequest(1), count, numbered(1, LINE_BLOCK)));
  LineRequest ahead = {0, 0};
  EXPECT_EQ(take(1), "line 1");
  EXPECT_FALSE(lineCacheWantsMore(1, &ahead));
  int half = LINE_BLOCK + 1 - LINE_BLOCK / 2;  // from here on half a block or less is left
  EXPECT_EQ(take(half - 1), "line " + std::to_string(half - 1));
  EXPECT_FALSE(lineCacheWantsMore(half - 1, &ahead));
  EXPECT_EQ(take(half), "line " + std::to_string(half));
  ASSERT_TRUE(lineCacheWantsMore(half, &ahead));
  EXPECT_EQ(ahead.from, LINE_BLOCK + 1);
  EXPECT_FALSE(lineCacheWantsMore(half + 1, &ahead));  // already under way
  // The block arrives after the held lines and joins them.
  ASSERT_TRUE(lineCacheStore(ahead, count, numbered(LINE_BLOCK + 1, LINE_BLOCK)));
  EXPECT_EQ(take(LINE_BLOCK), "line " + std::to_string(LINE_BLOCK));
  EXPECT_EQ(take(LINE_BLOCK + 1), "line " + std::to_string(LINE_BLOCK + 1));
  // Once the joined block runs low, the one after it is asked for.
  int next = 2 * LINE_BLOCK + 1 - LINE_BLOCK / 2;
  EXPECT_EQ(take(next), "line " + std::to_string(next));
  ASSERT_TRUE(lineCacheWantsMore(next, &ahead));
  EXPECT_EQ(ahead.from, 2 * LINE_BLOCK + 1);
  // The last block: nothing more to ask for.
  lineCacheReset();
  ASSERT_TRUE(lineCacheStore(lineCacheRequest(count - 9), count, numbered(count - 9, 10)));
  EXPECT_EQ(take(count - 9), "line " + std::to_string(count - 9));
  EXPECT_FALSE(lineCacheWantsMore(count - 9, &ahead));
  // A line that is not held asks for nothing ahead.
  EXPECT_FALSE(lineCacheWantsMore(1, &ahead));
}

TEST(RunView, HoldsTheLogInOrderAndTheLatestPositions) {
  viewTakeChanges();
  viewAppendLog(">> ready\r\n");
  viewSetProgress(3);
  viewScrollTo(3);
  viewAppendLog("\n");
  viewMarkLine(7);
  viewAppendLog("[3] g1x5\n");
  viewSetProgress(4);
  viewScrollTo(4);
  viewMarkLine(2);
  RunViewChanges changes = viewTakeChanges();
  EXPECT_EQ(changes.log, ">> ready\r\n\n[3] g1x5\n");
  EXPECT_EQ(changes.progress, 4);
  EXPECT_EQ(changes.scrollLine, 4);
  EXPECT_EQ(changes.marks, (std::vector<int>{7, 2}));
  // Taken once: nothing is shown twice.
  changes = viewTakeChanges();
  EXPECT_EQ(changes.log, "");
  EXPECT_EQ(changes.progress, -1);
  EXPECT_EQ(changes.scrollLine, 0);
  EXPECT_TRUE(changes.marks.empty());
  viewSetProgress(0);  // Stop
  EXPECT_EQ(viewTakeChanges().progress, 0);
}

// The sender thread hands over while the user-interface thread shows: every
// text arrives once, in order.
TEST(RunView, LosesNothingWhileBothThreadsWork) {
  viewTakeChanges();
  const int lines = 20000;
  std::string expected;
  for (int i = 1; i <= lines; ++i) expected += "[" + std::to_string(i) + "] g1\n";
  std::thread sender([] {
    for (int i = 1; i <= lines; ++i) {
      viewAppendLog(("[" + std::to_string(i) + "] g1\n").c_str());
      viewSetProgress(i);
      if (i % 1000 == 0) viewMarkLine(i);
    }
  });
  std::string shown;
  std::vector<int> marks;
  int progress = 0;
  while (progress < lines) {
    RunViewChanges changes = viewTakeChanges();
    shown += changes.log;
    marks.insert(marks.end(), changes.marks.begin(), changes.marks.end());
    if (changes.progress >= 0) {
      EXPECT_GT(changes.progress, progress);
      progress = changes.progress;
    }
  }
  sender.join();
  // The last mark follows the last progress: it may still be waiting.
  RunViewChanges last = viewTakeChanges();
  shown += last.log;
  marks.insert(marks.end(), last.marks.begin(), last.marks.end());
  EXPECT_EQ(shown, expected);
  ASSERT_EQ(marks.size(), 20u);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(marks[i], 1000 * (i + 1));
}

}  // namespace
