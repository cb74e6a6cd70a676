// Names, titles and text pieces of the File commands.
#include "terminal/editor/termFiles.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "terminal/editor/streamPieces.h"

namespace {

std::string title(const char* fileName) {
  std::vector<char> buffer(windowTitleSize(fileName));
  writeWindowTitle(fileName, buffer.data(), buffer.size());
  return std::string(buffer.data());
}

TEST(WindowTitle, NamesTheFileInBrackets) {
  EXPECT_EQ(title(nullptr), "KIVO Terminal");
  EXPECT_EQ(title("output.txt"), "KIVO Terminal [output.txt]");
  EXPECT_EQ(title(""), "KIVO Terminal []");
  std::string path = "C:\\my files\\" + std::string(240, 'p') + ".gcode";
  EXPECT_EQ(title(path.c_str()), "KIVO Terminal [" + path + "]");  // the size leaves room for all
}

std::set<std::string> gExisting;
bool exists(const char* path) { return gExisting.count(path) != 0; }

TEST(SaveAsTarget, TxtIsAppendedToNewNamesWithoutADotAndAskedAboutWhenItExists) {
  gExisting = {"C:\\work\\old", "C:\\work\\taken.txt"};
  SaveAsTarget t = saveAsTarget("C:\\work\\prog", exists);
  EXPECT_EQ(t.path, "C:\\work\\prog.txt");
  EXPECT_FALSE(t.ask);
  t = saveAsTarget("C:\\work\\prog.gcode", exists);
  EXPECT_EQ(t.path, "C:\\work\\prog.gcode");
  EXPECT_FALSE(t.ask);  // the dialog asked about this name itself
  t = saveAsTarget("C:\\work\\old", exists);  // an existing file keeps its name
  EXPECT_EQ(t.path, "C:\\work\\old");
  EXPECT_FALSE(t.ask);
  t = saveAsTarget("C:\\work\\taken", exists);
  EXPECT_EQ(t.path, "C:\\work\\taken.txt");
  EXPECT_TRUE(t.ask);
  EXPECT_EQ(overwriteQuestion(t.path), "C:\\work\\taken.txt already exists.\nDo you want to replace it?");
}

TEST(StreamPieces, NoPieceEndsBetweenTheHalvesOfACrLfPair) {
  const std::string text = "G1\r\nG2\r\n";
  EXPECT_EQ(streamPieceSize(text.data(), text.size(), 3), 2u);  // "G1", then "\r\nG"
  EXPECT_EQ(streamPieceSize(text.data() + 2, text.size() - 2, 3), 3u);
  EXPECT_EQ(streamPieceSize(text.data(), text.size(), 4096), text.size());
  EXPECT_EQ(streamPieceSize("G1\r", 3, 3), 3u);        // the last byte may be a CR
  EXPECT_EQ(streamPieceSize("G1\r\rG2", 7, 4), 4u);   // a lone CR is a break of its own
  EXPECT_EQ(streamPieceSize("\r\n", 2, 1), 1u);        // never 0 while bytes are left
  EXPECT_EQ(streamPieceSize("", 0, 4096), 0u);

  // Cut in pieces of every size, the pieces put together give the text and
  // no CR LF pair is split.
  std::string program;
  for (int i = 0; i < 50; ++i) program += "G1 X" + std::to_string(i) + (i % 3 ? "\r\n" : "\r\r");
  for (size_t room = 1; room < 40; ++room) {
    std::string joined;
    for (size_t at = 0; at < program.size();) {
      size_t n = streamPieceSize(program.data() + at, program.size() - at, room);
      ASSERT_GT(n, 0u);
      ASSERT_LE(n, room);
      if (n > 1 && at + n < program.size()) {
        EXPECT_FALSE(program[at + n - 1] == '\r' && program[at + n] == '\n') << room;
      }
      joined.append(program, at, n);
      at += n;
    }
    EXPECT_EQ(joined, program);
  }
}

}  // namespace
