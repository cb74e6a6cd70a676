// The whole program: fixed parts, feeds, bit order, bit changes, passes, fills.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cad/document/designFile.h"
#include "cad/document/obj.h"
#include "cad/document/tools.h"
#include "cad/gcode/generate.h"
#include "tests/support/designFixture.h"
#include "tests/support/gcodeSink.h"

using Program = DesignTest;

static const Lines LINE_0_0_10_0 = travelAndPlunge("0.00", "0.00", "-0.10") + (Lines{"g1x10.00y0.00"});

namespace {

Lines _bitChange(const char* bit) {
  return {std::string(";1. Install bit ") + bit + " and then rezero z axis",
          ";2. press z up and z down same time to resume",
          "g0z0", "m103", "m200", "m104", "g92z0", "g0z5.00"};
}

size_t _count(const Lines& lines, const std::string& line) {
  size_t n = 0;
  for (auto& l : lines) n += l == line;
  return n;
}

}  // namespace

TEST_F(Program, EmptyAndSingleLineDesigns) {
  Lines body = programBody(false);
  EXPECT_EQ(body, Lines(10, "f150"));

  ObjNewLine(0, 0, 10, 0, 0);
  EXPECT_EQ(programBody(false), (Lines{"f150"}) + LINE_0_0_10_0 + Lines(9, "f150"));

  std::string text = programText();
  EXPECT_EQ(text.substr(0, 6), "m101\r\n");
  EXPECT_EQ(text.substr(text.size() - 6), "m104\r\n");
}

TEST_F(Program, FeedLinesComeFromTheTableEntryOfEachBitNumber) {
  for (int i = 0; i < TOOL_COUNT; i++) gTools[i].millSpeed = 100 + i;
  gTools[5].bitId = 2;
  gTools[5].depth = 0.5;
  ObjNewDrill(1, 1, 5);
  Lines body = programBody(false);
  Lines expect = {"f100", "f101", "f102"};
  expect = expect + _bitChange("2") + travelAndPlunge("1.00", "1.00", "-0.50");
  for (int i = 3; i < 10; i++) expect.push_back("f" + std::to_string(100 + i));
  EXPECT_EQ(body, expect);
}

TEST_F(Program, PassesDivideTheDepth) {
  gTools[0].depth = 0.3;
  gTools[0].passes = 3;
  ObjNewLine(0, 0, 10, 0, 0);
  EXPECT_EQ(programBody(true), travelAndPlunge("0.00", "0.00", "-0.10") + (Lines{"g1x10.00y0.00"}) +
                                   travelAndPlunge("0.00", "0.00", "-0.20") + (Lines{"g1x10.00y0.00"}) +
                                   travelAndPlunge("0.00", "0.00", "-0.30") + (Lines{"g1x10.00y0.00"}));

  // 0 passes are cut as one, and the table keeps the 1.
  resetObjs();
  gTools[2].passes = 0;
  ObjNewDrill(2, 3, 2);
  EXPECT_EQ(programBody(true), _bitChange("2") + travelAndPlunge("2.00", "3.00", "-0.30"));
  EXPECT_EQ(gTools[2].passes, 1u);
}

TEST_F(Program, BitsInAscendingOrderObjectsInListOrder) {
  ObjNewDrill(4, 4, 4);
  ObjNewDrill(1, 1, 1);
  ObjNewDrill(3, 3, 3);
  ObjNewDrill(33, 33, 3);
  Lines body = programBody(true);
  Lines expect = _bitChange("1") + travelAndPlunge("1.00", "1.00", "-0.20") + _bitChange("3") +
                 travelAndPlunge("3.00", "3.00", "-0.40") +
                 travelAndPlunge("33.00", "33.00", "-0.40") + _bitChange("4") +
                 travelAndPlunge("4.00", "4.00", "-0.50");
  EXPECT_EQ(body, expect);
}

TEST_F(Program, BitChangeOnlyWhenTheSizeDiffersFromTheBitBelow) {
  gTools[3].size = gTools[2].size;  // no object uses bit 2
  ObjNewDrill(3, 3, 3);
  ObjNewDrill(0, 0, 0);  // bit 0 never asks
  EXPECT_EQ(programBody(true), travelAndPlunge("0.00", "0.00", "-0.10") +
                                   travelAndPlunge("3.00", "3.00", "-0.40"));
}

TEST_F(Program, ObjectsThatAreNeverCut) {
  gTools[6].bitId = 12;
  ObjNewDrill(6, 6, 6);
  Obj odd = {};
  odd.type = OBJ_DRILL;
  odd.tool = 10;  // outside the table: skipped
  ObjNewIndirect(&odd);
  EXPECT_EQ(programBody(false), Lines(10, "f150"));

  // An unknown kind is visited (its bit is announced) but writes no moves.
  resetObjs();
  odd.type = 7;
  odd.tool = 2;
  ObjNewIndirect(&odd);
  EXPECT_EQ(programBody(true), _bitChange("2"));
}

TEST_F(Program, CircleFillRings) {
  ObjNewCircle(0, 0, 2, 0, 1);  // s = 0.5 / 1.3
  Lines body = programBody(true);
  EXPECT_EQ(_count(body, "g1z-0.10"), 5u);
  for (const char* start : {"g0x2.00y0.00", "g0x1.62y0.00", "g0x1.23y0.00", "g0x0.85y0.00",
                            "g0x0.46y0.00"})
    EXPECT_EQ(_count(body, start), 1u) << start;

  resetObjs();
  ObjNewCircle(0, 0, 0.7, 0, 1);
  EXPECT_EQ(_count(programBody(true), "g1z-0.10"), 1u);

  resetObjs();
  ObjNewCircle(0, 0, 2, 0, 0);  // unfilled
  EXPECT_EQ(_count(programBody(true), "g1z-0.10"), 1u);
}

TEST_F(Program, RectangleFillRings) {
  ObjNewRect(0, 0, 2, 1, 0, 1);
  EXPECT_EQ(programBody(true),
            travelAndPlunge("0.00", "0.00", "-0.10") +
                (Lines{"g1x0.00y1.00", "g1x2.00y1.00", "g1x2.00y0.00", "g1x0.00y0.00"}) +
                travelAndPlunge("0.38", "0.38", "-0.10") +
                (Lines{"g1x0.38y0.62", "g1x1.62y0.62", "g1x1.62y0.38", "g1x0.38y0.38"}));

  resetObjs();
  gTools[1].size = 0.65;
  gTools[0].size = 0.65;  // no bit change
  ObjNewRect(0, 0, 1.3, 1.3, 1, 1);
  Lines body = programBody(true);
  ASSERT_EQ(body.size(), 16u);
  EXPECT_EQ(body[9], "g0x0.50y0.50");
  EXPECT_EQ(body[13], "g1x0.80y0.80");
}

TEST_F(Program, EveryPassIsTheObjectCutOnceAtThatDepth) {
  // Each object in its passes (fill rings included) against the object alone
  // cut in one pass at each pass depth, with depths whose text grows ("-7.50", "-15.00") and
  // a pocket whose every pass runs to megabytes.
  struct Case {
    const char* what;
    double depth;
    uint32_t passes;
    void (*make)();
  } cases[] = {
      {"line", 0.3, 3, [] { ObjNewLine(1, 2, 30, 4, 0); }},
      {"drill", 30, 4, [] { ObjNewDrill(5, 5, 0); }},
      {"filled rectangle", 30, 4, [] { ObjNewRect(0, 0, 7, 3, 0, 1); }},
      {"several objects", 0.9, 3, [] {
         ObjNewCircle(10, 10, 2, 0, 0);
         ObjNewRect(5, 5, 1, 1, 0, 1);
         ObjNewCircle(-3, 4, 1.5, 0, 1);
         ObjNewDrill(3, 3, 0);
       }},
      {"pocket of megabytes", 1, 2, [] { ObjNewCircle(0, 0, 100, 0, 1); }},
  };
  for (auto& c : cases) {
    gTools[0].depth = c.depth;
    gTools[0].passes = c.passes;
    c.make();
    Lines all = programBody(true);
    std::vector<Obj> objs;
    for (Link* l = gObjList; l; l = l->next) objs.push_back(*ListToObj(l));
    Lines expect;
    for (const Obj& o : objs) {
      resetObjs();
      ObjNewIndirect(&o);
      for (uint32_t j = 0; j < c.passes; j++) {
        gTools[0].depth = c.depth / c.passes * (j + 1);
        gTools[0].passes = 1;
        Lines pass = programBody(true);
        expect.insert(expect.end(), pass.begin(), pass.end());
      }
    }
    EXPECT_EQ(all.size(), expect.size()) << c.what;
    EXPECT_TRUE(all == expect) << c.what;
    resetObjs();
  }
}
