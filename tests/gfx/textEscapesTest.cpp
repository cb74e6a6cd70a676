// Escapes of measured texts and the box about an invalid one, against the
// recording stand-in of the platform seam.
#include "gfx/textEscapes.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/drawRecorder.h"

namespace {

class EscapeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    recorderReset();
    gEscapeBoxTick = 0;
  }
};

TEST_F(EscapeTest, EscapesAreExpandedUpToTheFirstQuote) {
  std::string out;
  ASSERT_TRUE(unescapeText("a\\nb", &out));
  EXPECT_EQ(out, "a\nb");
  ASSERT_TRUE(unescapeText("\\'\\\\\\q\\Q\\r\\R\\N", &out));
  EXPECT_EQ(out, "'\\\"\"\r\r\n");
  ASSERT_TRUE(unescapeText("ab'cd", &out));
  EXPECT_EQ(out, "ab");
  ASSERT_TRUE(unescapeText("x\\'y'z", &out));
  EXPECT_EQ(out, "x'y");
  ASSERT_TRUE(unescapeText("", &out));
  EXPECT_EQ(out, "");
  EXPECT_FALSE(unescapeText("a\\x", &out));
  EXPECT_FALSE(unescapeText("a\\", &out));  // never a read past the end
  EXPECT_FALSE(unescapeText("a\\\"", &out));
  EXPECT_EQ(escapeChar('\0'), 0);
  EXPECT_EQ(escapeChar('\xe9'), 0);
}

TEST_F(EscapeTest, InvalidEscapeGivesNothingToMeasureAndOneBoxPerTenSeconds) {
  std::string out;
  gRecorder.tick = 50000;
  EXPECT_FALSE(getEscapedString("a\\x", &out));
  ASSERT_EQ(gRecorder.boxes.size(), 1u);
  EXPECT_EQ(gRecorder.boxes[0].text, "Invalid string escape");
  EXPECT_EQ(gRecorder.boxes[0].caption, "getEscapedString");
  gRecorder.tick = 60000;  // exactly 10 s later: still too soon
  EXPECT_FALSE(getEscapedString("ends in \\", &out));
  EXPECT_EQ(gRecorder.boxes.size(), 1u);
  gRecorder.tick = 60001;
  EXPECT_FALSE(getEscapedString("\\z", &out));
  EXPECT_EQ(gRecorder.boxes.size(), 2u);

  // Valid texts and a missing text show nothing.
  gRecorder.tick = 200000;
  EXPECT_TRUE(getEscapedString("fine \\n", &out));
  EXPECT_EQ(out, "fine \n");
  EXPECT_FALSE(getEscapedString(nullptr, &out));
  EXPECT_EQ(gRecorder.boxes.size(), 2u);
}

}  // namespace
