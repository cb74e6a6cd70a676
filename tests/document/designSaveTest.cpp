// Saving under a chosen name: the ".cnc" rule and the save through a
// temporary file that leaves the old file whole when anything fails.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "cad/document/designFile.h"
#include "cad/document/designSave.h"
#include "cad/document/obj.h"
#include "tests/support/designFixture.h"
#include "tests/support/testFiles.h"
#ifdef _WIN32
#include "cad/document/documentDialogs.h"
#endif

TEST(DesignNames, CncIsAddedOnlyToNamesWithoutAnyDot) {
  EXPECT_TRUE(needsCncExtension("board"));
  EXPECT_TRUE(needsCncExtension("C:\\work\\board"));
  EXPECT_FALSE(needsCncExtension("board.old"));
  EXPECT_FALSE(needsCncExtension("board.cnc"));
  // A dot in the folder part counts as well.
  EXPECT_FALSE(needsCncExtension("C:\\my.designs\\board"));
  EXPECT_FALSE(needsCncExtension(""));
  EXPECT_FALSE(needsCncExtension(nullptr));
  EXPECT_EQ(designTempPath("a/b.cnc"), "a/b.cnc.saving");
}

namespace {

// The platform's replace step, as the editor uses it.
#ifdef _WIN32
const FileReplaceFn REPLACE = replaceFileWin;
#else
const FileReplaceFn REPLACE = replaceByRename;
#endif

int gReplaceCalls = 0;
int _failingReplace(const char*, const char*) {
  ++gReplaceCalls;
  return 0;
}

}  // namespace

using DesignSave = DesignTest;

TEST_F(DesignSave, ReplacesTheFileWholeAndLeavesNoTemporaryFile) {
  std::string path = tempPath("safe.cnc");
  ASSERT_TRUE(writeFile(path, "old contents"));
  ObjNewRect(1, 2, 3, 4, 5, 1);
  ASSERT_EQ(saveDesignReplacing(path.c_str(), REPLACE), 1);
  std::vector<unsigned char> bytes = designBytes();
  EXPECT_EQ(readFile(path), std::string(bytes.begin(), bytes.end()));
  EXPECT_FALSE(fileExists(designTempPath(path.c_str())));

  // A failing replace keeps the old file and removes what was written.
  std::string before = readFile(path);
  ObjNewLine(0, 0, 1, 1, 0);
  gReplaceCalls = 0;
  EXPECT_EQ(saveDesignReplacing(path.c_str(), _failingReplace), 0);
  EXPECT_EQ(gReplaceCalls, 1);
  EXPECT_EQ(readFile(path), before);
  EXPECT_FALSE(fileExists(designTempPath(path.c_str())));
  std::remove(path.c_str());
}

TEST_F(DesignSave, AnUnwritableFolderWritesNothing) {
  std::string path = tempPath("no_such_folder") + "/x.cnc";
  gReplaceCalls = 0;
  EXPECT_EQ(saveDesignReplacing(path.c_str(), _failingReplace), 0);
  EXPECT_EQ(gReplaceCalls, 0);  // nothing was written, so nothing to move
  EXPECT_FALSE(fileExists(path));
  EXPECT_EQ(saveDesignReplacing(nullptr, REPLACE), 0);
  EXPECT_EQ(saveDesignReplacing("", REPLACE), 0);
}
