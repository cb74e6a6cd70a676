#include "terminal/editor/gcodeTokens.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// "class:text" for each token, so expectations read like the line.
std::vector<std::string> tokensOf(const char* line) {
  int n = static_cast<int>(std::strlen(line));
  std::vector<GcodeToken> tokens(n + 1);
  int count = gcodeTokenise(line, n, tokens.data(), n);
  std::vector<std::string> out;
  const char* names[] = {"?", "A", "N", "C", "G", "M"};
  for (int i = 0; i < count; ++i) {
    const GcodeToken& t = tokens[i];
    out.push_back(std::string(names[t.cls]) + ":" + std::string(line + t.start, t.length));
  }
  return out;
}

using V = std::vector<std::string>;

TEST(GcodeTokens, MoveWithAddressesAndNumbers) {
  // The minus sign belongs to no token.
  EXPECT_EQ(tokensOf("G01 X-12.5 F300"), (V{"G:G01", "A:X", "N:12.5", "A:F", "N:300"}));
  EXPECT_EQ(tokensOf("G38.2"), (V{"G:G38", "N:.2"}));
  EXPECT_EQ(tokensOf("1e5"), (V{"N:1", "A:e", "N:5"}));
  EXPECT_EQ(tokensOf("N10 I1 J2 K3 R4 Q"), (V{"N:10", "N:1", "N:2", "N:3", "N:4"}));
  EXPECT_EQ(tokensOf("M30"), (V{"M:M30"}));
  EXPECT_EQ(tokensOf("G"), (V{"G:G"}));
  EXPECT_EQ(tokensOf("XYZ"), (V{"A:X", "A:Y", "A:Z"}));
}

TEST(GcodeTokens, LowerCaseIsColouredLikeUpperCase) {
  EXPECT_EQ(tokensOf("g1 m3 s1000 t2"), (V{"G:g1", "M:m3", "A:s", "N:1000", "A:t", "N:2"}));
  EXPECT_EQ(tokensOf("x1 y2 z3 p4 f5 l6"),
            (V{"A:x", "N:1", "A:y", "N:2", "A:z", "N:3", "A:p", "N:4", "A:f", "N:5", "A:l", "N:6"}));
}

TEST(GcodeTokens, CommentTakesTheRestOfTheLine) {
  EXPECT_EQ(tokensOf("G0 ; rapid move"), (V{"G:G0", "C:; rapid move"}));
  EXPECT_EQ(tokensOf(";G1 X5"), (V{"C:;G1 X5"}));
  EXPECT_EQ(tokensOf("X5;"), (V{"A:X", "N:5", "C:;"}));
  // A comment right after a number closes the number first.
  EXPECT_EQ(tokensOf("F300;feed"), (V{"A:F", "N:300", "C:;feed"}));
}

TEST(GcodeTokens, OnlyAsciiCounts) {
  // Bytes 0x80 to 0xFF are no letters even where a locale would say so.
  EXPECT_EQ(tokensOf("\xC7\xE9" "5 \xB2"), (V{"N:5"}));
  EXPECT_EQ(tokensOf(""), V{});
  EXPECT_EQ(tokensOf("   -+*()"), V{});
}

TEST(GcodeTokens, SpansStayInsideTheTextAndCapacity) {
  const char* line = "G1X2Y3";
  GcodeToken tokens[2];
  EXPECT_EQ(gcodeTokenise(line, 6, tokens, 2), 2);
  EXPECT_EQ(tokens[1].cls, TOKEN_ADDRESS);
  EXPECT_EQ(tokens[1].start, 2);
  // Only n bytes are read: the text needs no NUL and the token ends at n.
  char raw[3] = {'1', '2', '3'};
  GcodeToken one[3];
  ASSERT_EQ(gcodeTokenise(raw, 2, one, 3), 1);
  EXPECT_EQ(one[0].length, 2);
}

TEST(WordRuns, CommentWordsWithoutTheBlanksBetween) {
  auto words = [](const std::string& text) {
    std::vector<TextRun> runs(text.size() + 1);
    int count = wordRuns(text.data(), static_cast<int>(text.size()), runs.data(), static_cast<int>(runs.size()));
    std::vector<std::string> out;
    for (int i = 0; i < count; ++i) out.push_back(text.substr(runs[i].start, runs[i].length));
    return out;
  };
  EXPECT_EQ(words("; rapid move"), (V{";", "rapid", "move"}));
  EXPECT_EQ(words("  ;a\tb  c  "), (V{";a", "b", "c"}));
  EXPECT_EQ(words("x\x7F\x80y"), (V{"x\x7F", "y"}));  // DEL is drawn, high bytes are not
  EXPECT_EQ(words(""), V{});
  TextRun two[2];
  EXPECT_EQ(wordRuns("a b c", 5, two, 2), 2);  // no more runs than room
}

TEST(RangesOverlap, SelectionAgainstTokens) {
  EXPECT_FALSE(RangesOverlap(5, 5, 0, 10));  // empty selection
  EXPECT_TRUE(RangesOverlap(5, 8, 5, 1));    // starts at the selection
  EXPECT_TRUE(RangesOverlap(5, 8, 3, 4));    // runs into it
  EXPECT_TRUE(RangesOverlap(5, 8, 3, 10));   // covers it
  EXPECT_TRUE(RangesOverlap(5, 8, 6, 1));    // inside it
  EXPECT_FALSE(RangesOverlap(5, 8, 2, 3));   // ends where it begins
  EXPECT_FALSE(RangesOverlap(5, 8, 8, 2));   // starts where it ends
  EXPECT_TRUE(RangesOverlap(5, 8, 7, 3));    // runs out of it
}

}  // namespace
