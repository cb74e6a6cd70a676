// The design file: layout, round trip, and untrusted input.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cad/document/designFile.h"
#include "cad/document/obj.h"
#include "cad/document/settings.h"
#include "cad/document/tools.h"
#include "tests/support/designFixture.h"
#include "tests/support/testFiles.h"

typedef std::vector<unsigned char> Bytes;

namespace {

std::string _tempPath(const char* name) {
  return tempPath(std::string("doc_") + name);
}

Bytes _readBytes(const std::string& path) {
  std::string s = readFile(path);
  return Bytes(s.begin(), s.end());
}

void _setCount(Bytes& file, int32_t count) {
  memcpy(&file[400], &count, 4);
}

}  // namespace

using DesignFile = DesignTest;

TEST_F(DesignFile, LayoutOfSavedDesigns) {
  std::string path = _tempPath("layout.cnc");
  ASSERT_EQ(saveToFile(path.c_str()), 1);
  Bytes empty = _readBytes(path);
  ASSERT_EQ(empty.size(), 404u);
  EXPECT_EQ(memcmp(&empty[0], &gV, 80), 0);
  EXPECT_EQ(memcmp(&empty[80], gTools, 320), 0);
  EXPECT_EQ(empty[400] | empty[401] | empty[402] | empty[403], 0);
  double zoom;
  memcpy(&zoom, &empty[0], 8);
  EXPECT_EQ(zoom, 5.0);

  ObjNewLine(1, 2, 3, 4, 6);
  ASSERT_EQ(saveToFile(path.c_str()), 1);
  Bytes one = _readBytes(path);
  ASSERT_EQ(one.size(), 460u);
  EXPECT_EQ(one[400], 1);
  EXPECT_EQ(Bytes(one.begin() + 404, one.begin() + 408), Bytes(4, 0));  // type 0
  double x2;
  memcpy(&x2, &one[404 + 24], 8);
  EXPECT_EQ(x2, 3);
  EXPECT_EQ(one[404 + 48], 6);
  EXPECT_EQ(one, designBytes());
  remove(path.c_str());
}

TEST_F(DesignFile, SaveLoadSaveIsByteIdenticalAndKeepsOrder) {
  gV.zoom = 7.25;
  gV.viewX = -3;
  gV.reserved[3] = 0x5A;
  gTools[4].passes = 0;
  gTools[4].pad0[1] = 0x77;  // padding carried as it stands
  ObjNewRect(5, 6, 1, 2, 4, 1);
  ObjNewCircle(10, 10, 3, 2, 0);
  ObjNewDrill(7, 8, 9);
  Obj odd = {};
  odd.type = 9;      // unknown kind
  odd.tool = 200;    // outside the table
  odd.pad1[2] = 0x33;
  ObjNewIndirect(&odd);
  Bytes first = designBytes();

  std::string path = _tempPath("roundtrip.cnc");
  ASSERT_EQ(saveToFile(path.c_str()), 1);
  newDesign();
  ASSERT_EQ(loadFromFile(path.c_str()), DESIGN_OK);
  EXPECT_EQ(designBytes(), first);
  ASSERT_EQ(objCount(), 4u);
  EXPECT_EQ(ListToObj(gObjList)->type, OBJ_RECT);
  EXPECT_EQ(ListToObj(gObjList->next)->type, OBJ_CIRCLE);
  EXPECT_EQ(ListToObj(gObjList->next->next)->type, OBJ_DRILL);
  EXPECT_EQ(ListToObj(endOfList(gObjList))->tool, 200);
  EXPECT_EQ(gV.zoom, 7.25);

  // New objects come after the loaded ones.
  Link* added = ObjNewLine(0, 0, 1, 1, 0);
  EXPECT_EQ(endOfList(gObjList), added);
  ASSERT_NE(added->prev, nullptr);
  EXPECT_EQ(ListToObj(added->prev)->tool, 200);  // the last loaded record
  remove(path.c_str());
}

TEST_F(DesignFile, BadInputIsRejectedAndTheDesignKept) {
  ObjNewLine(1, 1, 2, 2, 0);
  ObjNewCircle(5, 5, 1, 1, 1);
  Bytes good = designBytes();  // 404 + 2 x 56
  ObjNewDrill(9, 9, 3);
  gV.zoom = 2;
  Bytes current = designBytes();

  Bytes negative = good;
  _setCount(negative, -1);
  Bytes tooMany = good;
  _setCount(tooMany, 3);
  Bytes huge = Bytes(good.begin(), good.begin() + 404);
  _setCount(huge, INT32_MAX);
  Bytes partialRecord(good.begin(), good.end() - 1);
  Bytes extra = good;
  extra.push_back(0);
  struct { const char* what; Bytes bytes; int status; } cases[] = {
      {"empty", Bytes(), DESIGN_TOO_SHORT},
      {"short header", Bytes(good.begin(), good.begin() + 403), DESIGN_TOO_SHORT},
      {"negative count", negative, DESIGN_BAD_COUNT},
      {"count beyond the file", tooMany, DESIGN_TRUNCATED},
      {"huge count", huge, DESIGN_TRUNCATED},
      {"partial record", partialRecord, DESIGN_TRUNCATED},
      {"trailing byte", extra, DESIGN_EXTRA_BYTES},
  };
  std::string path = _tempPath("bad.cnc");
  for (auto& c : cases) {
    EXPECT_EQ(loadFromBytes(c.bytes.data(), c.bytes.size()), c.status) << c.what;
    EXPECT_EQ(designBytes(), current) << c.what;
    writeFile(path, std::string(c.bytes.begin(), c.bytes.end()));
    EXPECT_EQ(loadFromFile(path.c_str()), c.status) << c.what;
    EXPECT_EQ(designBytes(), current) << c.what;
    EXPECT_STRNE(designErrorText(c.status), designErrorText(DESIGN_OK));
  }
  remove(path.c_str());
  EXPECT_EQ(loadFromFile(_tempPath("missing/none.cnc").c_str()), DESIGN_CANNOT_OPEN);
  EXPECT_EQ(loadFromFile(nullptr), DESIGN_CANNOT_OPEN);
  EXPECT_EQ(designBytes(), current);

  EXPECT_EQ(loadFromBytes(good.data(), good.size()), DESIGN_OK);
  EXPECT_EQ(designBytes(), good);
  EXPECT_EQ(objCount(), 2u);
}

TEST_F(DesignFile, SaveToAnUncreatableFileFails) {
  EXPECT_EQ(saveToFile(_tempPath("no-such-dir/x.cnc").c_str()), 0);
  EXPECT_EQ(saveToFile(nullptr), 0);
}
