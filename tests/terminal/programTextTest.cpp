// Which files are asked about before they open: NUL bytes and long lines.
#include "terminal/editor/programText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;

ProgramTextCheck check(const std::string& bytes) { return checkProgramText(bytes.data(), bytes.size()); }

TEST(ProgramText, ProgramsPassWhateverTheirLineEnds) {
  EXPECT_EQ(check("").kind, PROGRAM_TEXT);
  EXPECT_EQ(check("G21\r\nG90\r\nG1 X1 ; cut\r\nM30").kind, PROGRAM_TEXT);
  EXPECT_EQ(check("G21\nG90\rM30\r\n\r\n").kind, PROGRAM_TEXT);
  // Long comment lines up to the limit, and high bytes, are program text.
  std::string comment = "; " + std::string(LONGEST_PROGRAM_LINE - 2, 'x');
  EXPECT_EQ(check("G21\r\n" + comment + "\r\n" + comment + "\n\xE4\xFF").kind, PROGRAM_TEXT);
}

TEST(ProgramText, TheFirstNulByteOrLongLineDecides) {
  ProgramTextCheck nul = check("G21\r\nG90\r\nG1\0X1\r\n"s + std::string(5000, 'x'));
  EXPECT_EQ(nul.kind, TEXT_NUL_BYTE);
  EXPECT_EQ(nul.line, 3u);
  EXPECT_EQ(nul.length, 5u);

  // One byte over the limit, counted without its line break, whichever it
  // is; it comes before the NUL byte of the next line.
  std::string over(LONGEST_PROGRAM_LINE + 1, 'x');
  for (const char* end : {"\r\n", "\n", "\r", ""}) {
    std::string next = *end ? "\0"s : ""s;
    ProgramTextCheck longLine = check("G21\r\nG90\n" + over + end + next);
    EXPECT_EQ(longLine.kind, TEXT_LONG_LINE) << end;
    EXPECT_EQ(longLine.line, 3u);
    EXPECT_EQ(longLine.length, LONGEST_PROGRAM_LINE + 1);
  }
  // A CR LF pair is one break, a LF CR pair two.
  EXPECT_EQ(check("a\r\nb\n\r\0"s).line, 4u);
  EXPECT_EQ(check(over + "\0"s).kind, TEXT_NUL_BYTE);  // on the same line the NUL byte counts
  EXPECT_EQ(check(std::string(2000000, '1')).length, 2000000u);
}

TEST(ProgramText, TheQuestionNamesTheFileAndTheReason) {
  std::string q = nonProgramQuestion("C:\\data\\scan.bin", {TEXT_NUL_BYTE, 12345, 80});
  EXPECT_EQ(q.rfind("C:\\data\\scan.bin\n", 0), 0u) << q;
  EXPECT_NE(q.find("line 12,345 holds a NUL byte"), std::string::npos) << q;
  q = nonProgramQuestion("big.txt", {TEXT_LONG_LINE, 1, 2000000});
  EXPECT_NE(q.find("line 1 is 2,000,000 characters long; program lines are at most 4,096."),
            std::string::npos) << q;
  EXPECT_NE(q.find("Open it anyway?"), std::string::npos);
  EXPECT_EQ(groupedNumber(0), "0");
  EXPECT_EQ(groupedNumber(999), "999");
  EXPECT_EQ(groupedNumber(1000), "1,000");
  EXPECT_EQ(groupedNumber(123456789), "123,456,789");
}

}  // namespace
