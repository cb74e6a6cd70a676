#include "terminal/editor/commandLine.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string cleaned(std::string text, int* result) {
  text.push_back('\0');
  *result = CleanCommandLine(&text[0]);
  return std::string(text.c_str());
}

TEST(CleanCommandLine, QuotesAndControlCharactersGoBlanksStay) {
  int r = 0;
  EXPECT_EQ(cleaned("\"C:\\my files\\prog one.txt\"", &r), "C:\\my files\\prog one.txt");
  EXPECT_EQ(r, 1);
  EXPECT_EQ(cleaned("output.txt\r\n", &r), "output.txt");
  EXPECT_EQ(r, 1);
  EXPECT_EQ(cleaned("a\tb\"c", &r), "abc");
}

TEST(CleanCommandLine, HighBytesAreKept) {
  int r = 0;
  EXPECT_EQ(cleaned("Fr\xE4sen \xFF\x80.txt", &r), "Fr\xE4sen \xFF\x80.txt");
  EXPECT_EQ(r, 1);
}

TEST(CleanCommandLine, NothingLeft) {
  int r = 1;
  EXPECT_EQ(cleaned("", &r), "");
  EXPECT_EQ(r, 0);
  EXPECT_EQ(cleaned("\"\"\t", &r), "\"\"\t");  // left as it was
  EXPECT_EQ(r, 0);
  EXPECT_EQ(CleanCommandLine(nullptr), 0);
}

TEST(NeedsTxtExtension, OnlyNewNamesWithoutAnyDot) {
  EXPECT_TRUE(NeedsTxtExtension("C:\\work\\prog", false));
  EXPECT_FALSE(NeedsTxtExtension("C:\\work\\prog", true));
  EXPECT_FALSE(NeedsTxtExtension("C:\\work\\prog.gcode", false));
  EXPECT_FALSE(NeedsTxtExtension("C:\\v1.2\\prog", false));  // dot in a folder
  EXPECT_TRUE(NeedsTxtExtension(std::string(254, 'a').c_str(), false));
  EXPECT_FALSE(NeedsTxtExtension(std::string(255, 'a').c_str(), false));
}

}  // namespace
