#include <gtest/gtest.h>

#include <string>

#include "terminal/link/answers.h"
#include "terminal/link/lineFrame.h"

namespace {

TEST(LineChecksum, SumsTheTextBytesModulo256AndMovesNulLfAndCrAHundredUp) {
  EXPECT_EQ(LineChecksum("abc"), 0x26);
  EXPECT_EQ(LineChecksum("m105"), 0x03);  // 0x103 wraps
  EXPECT_EQ(LineChecksum("G1 X5"), 0x25);
  EXPECT_EQ(LineChecksum("d"), 100);  // 100 is a plain sum as well
  EXPECT_EQ(LineChecksum("\xFF\x02"), 1);
  EXPECT_EQ(LineChecksum(""), 0x64);
  EXPECT_EQ(LineChecksum("\x80\x80"), 0x64);  // 256 wraps to 0
  EXPECT_EQ(LineChecksum("\x05\x05"), 0x6E);
  EXPECT_EQ(LineChecksum("\xFF\x0B"), 0x6E);  // 266 wraps to 10
  EXPECT_EQ(LineChecksum("\x06\x07"), 0x71);
  for (int a = 1; a < 256; ++a)
    for (int b = 1; b < 256; ++b) {
      const char text[] = {char(a), char(b), 0};
      int c = LineChecksum(text);
      ASSERT_TRUE(c != 0 && c != '\n' && c != '\r') << a << " " << b;
    }
}

TEST(LineFrame, ChecksumTextAndLineFeed) {
  EXPECT_EQ(lineFrame(""), std::string("\x64\n", 2));
  EXPECT_EQ(lineFrame("  G1 X5 ; cut "), std::string("\x4C  G1 X5 ; cut \n"));
  std::string frame = lineFrame("m105");
  EXPECT_TRUE(frameIsIntact(frame.data(), frame.size() - 1));
  frame[2] = '2';
  EXPECT_FALSE(frameIsIntact(frame.data(), frame.size() - 1));
  EXPECT_FALSE(frameIsIntact("", 0));
  EXPECT_TRUE(frameIsIntact("\x64", 1));
}

TEST(IsSendableLine, OnlyCommentsAfterBlanksAreHeldBack) {
  EXPECT_EQ(IsSendableLine(";bit change"), 0);
  EXPECT_EQ(IsSendableLine("  ; remark"), 0);
  EXPECT_EQ(IsSendableLine("\t\x01\x1F ;"), 0);
  EXPECT_EQ(IsSendableLine(""), 1);
  EXPECT_EQ(IsSendableLine("   "), 1);
  EXPECT_EQ(IsSendableLine("g0z5 ; up"), 1);
  EXPECT_EQ(IsSendableLine("\xA0;"), 1);  // bytes from 0x80 are not blank
  EXPECT_EQ(IsSendableLine("\x7F;"), 1);
}

class Answers : public ::testing::Test {
 protected:
  void SetUp() override { answerClear(); }
};

TEST_F(Answers, ReadyErrorAndOther) {
  auto kind = [](const std::string& s) { return answerKind(s.data(), static_cast<int>(s.size())); };
  EXPECT_EQ(kind("ready\r\n"), ANSWER_READY);
  EXPECT_EQ(kind("r"), ANSWER_READY);
  EXPECT_EQ(kind("Ready\r\n"), ANSWER_OTHER);  // only a lower-case r
  EXPECT_EQ(kind(" ready\r\n"), ANSWER_OTHER);
  EXPECT_EQ(kind("ok\r\n"), ANSWER_OTHER);
  EXPECT_EQ(kind(""), ANSWER_OTHER);
  EXPECT_EQ(kind("rerror\r\n"), ANSWER_ERROR);
  EXPECT_EQ(kind("ERROR 3\r\n"), ANSWER_ERROR);
  EXPECT_EQ(kind("ready\r\nerror\r\n"), ANSWER_ERROR);
  EXPECT_EQ(kind("xxErRoRxx"), ANSWER_ERROR);
  EXPECT_EQ(kind("erro\r\nr"), ANSWER_OTHER);
  EXPECT_EQ(kind(std::string("\0error\r\n", 8)), ANSWER_ERROR);  // past a NUL of noise
}

TEST_F(Answers, CompleteOnceALineEndIsHeld) {
  EXPECT_TRUE(answerAppend("rea", 3));
  EXPECT_FALSE(answerComplete());
  EXPECT_TRUE(answerAppend("dy\rxy", 5));
  EXPECT_TRUE(answerComplete());
  EXPECT_STREQ(gRxBuffer, "ready\rxy");
  answerClear();
  EXPECT_TRUE(answerAppend("\n", 1));
  EXPECT_TRUE(answerComplete());
}

TEST_F(Answers, OverflowAt1021Bytes) {
  std::string bytes(1020, 'x');
  EXPECT_FALSE(answerOverflows(1020));
  EXPECT_TRUE(answerOverflows(1021));
  ASSERT_TRUE(answerAppend(bytes.data(), 1020));
  EXPECT_EQ(gRxCount, 1020);
  EXPECT_EQ(gRxBuffer[1020], '\0');
  EXPECT_TRUE(answerOverflows(1));
  EXPECT_FALSE(answerAppend("y", 1));
  EXPECT_EQ(gRxCount, 1020);
}

}  // namespace
