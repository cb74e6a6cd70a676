// Designs a damaged file or a careless edit can give: fills that would not
// end, numbers that are not finite, outputs that fail.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "cad/document/designFile.h"
#include "cad/document/obj.h"
#include "cad/document/settings.h"
#include "cad/document/tools.h"
#include "cad/gcode/generate.h"
#include "tests/support/designFixture.h"
#include "tests/support/gcodeSink.h"
#include "tests/support/testFiles.h"

static const double NaN = std::numeric_limits<double>::quiet_NaN();
static const double INF = std::numeric_limits<double>::infinity();

using Faults = DesignTest;

namespace {

size_t _plunges(const Lines& lines) {
  size_t n = 0;
  for (auto& l : lines) n += l.compare(0, 3, "g1z") == 0;
  return n;
}

}  // namespace

TEST_F(Faults, FillWithoutAUsableStepCutsTheOutlineOnly) {
  for (double size : {0.0, -0.5, NaN, 1e-300, 0.005}) {
    gTools[0].size = size;
    ObjNewRect(0, 0, 20, 10, 0, 1);
    ObjNewCircle(5, 5, 3, 0, 1);
    Lines body = programBody(true);
    EXPECT_EQ(_plunges(body), 2u) << size;
    EXPECT_EQ(body.size(), 8u + 4u + 39u) << size;  // rectangle, circle of n = 37.7
    resetObjs();
  }
  gTools[0].size = 0.05;  // a step of 0.038: rings
  ObjNewCircle(5, 5, 0.5, 0, 1);
  EXPECT_EQ(_plunges(programBody(true)), 13u);  // radii 0.5 down to 0.04
}

TEST_F(Faults, UnorderedFilledRectangleIsFilledFromItsOrderedCorners) {
  ObjNewRect(0, 0, 2, 1, 0, 1);
  Lines ordered = programBody(true);
  resetObjs();
  ObjNewRect(2, 1, 0, 0, 0, 1);
  Lines reversed = programBody(true);
  ASSERT_EQ(reversed.size(), ordered.size());
  // The outline as drawn, the inner ring as for the ordered twin.
  EXPECT_EQ(Lines(reversed.begin(), reversed.begin() + 8),
            travelAndPlunge("2.00", "1.00", "-0.10") +
                (Lines{"g1x2.00y0.00", "g1x0.00y0.00", "g1x0.00y1.00", "g1x2.00y1.00"}));
  EXPECT_EQ(Lines(reversed.begin() + 8, reversed.end()), Lines(ordered.begin() + 8, ordered.end()));

  resetObjs();
  ObjNewRect(0, 1, 2, 0, 0, 1);  // bottom to top only
  EXPECT_EQ(_plunges(programBody(true)), 2u);
  resetObjs();
  ObjNewRect(2, 1, 0, 0, 0, 0);  // unfilled: outline only
  EXPECT_EQ(_plunges(programBody(true)), 1u);
}

TEST_F(Faults, NonFiniteNumbersRefuseTheDesignNamingTheObject) {
  struct Case {
    const char* what;
    void (*make)();
    const char* message;
  } cases[] = {
      {"line end", [] { ObjNewDrill(1, 1, 0); ObjNewLine(0, 0, NaN, 1, 0); }, "object 2 (line)"},
      {"rectangle corner", [] { ObjNewRect(0, -INF, 1, 1, 3, 1); }, "object 1 (rectangle)"},
      {"circle radius", [] { ObjNewCircle(0, 0, INF, 0, 0); }, "object 1 (circle)"},
      {"circle centre", [] { ObjNewCircle(NaN, 0, 1, 0, 0); }, "object 1 (circle)"},
      {"circle too large", [] { ObjNewCircle(1e308, 0, 1e308, 0, 0); }, "object 1 (circle)"},
      {"drill", [] { ObjNewDrill(0, NaN, 0); }, "object 1 (drill point)"},
      {"tool depth", [] { gTools[4].depth = NaN; ObjNewDrill(0, 0, 4); }, "object 1 (drill point)"},
      {"travel height", [] { gV.travelHeight = -INF; }, "travel height"},
  };
  for (auto& c : cases) {
    newDesign();
    c.make();
    EXPECT_EQ(checkDesign(), 0) << c.what;
    EXPECT_NE(std::string(etchError()).find(c.message), std::string::npos)
        << c.what << ": " << etchError();
    std::string text;
    EXPECT_EQ(etchTo([](void* ctx, const char* d, size_t n) {
                static_cast<std::string*>(ctx)->append(d, n);
                return 1;
              }, &text), 0) << c.what;
    EXPECT_EQ(text, "") << c.what;
    resetObjs();
  }

  // Numbers that are never written do not matter: unused fields, objects
  // that are not cut, tools nobody uses.
  newDesign();
  Link* c = ObjNewCircle(1, 1, 1, 0, 0);
  ListToObj(c)->x2 = NaN;
  ObjNewDrill(NaN, NaN, 9);
  gTools[9].bitId = 11;
  gTools[5].depth = INF;
  Obj odd = {};
  odd.type = 5;
  odd.x1 = NaN;
  ObjNewIndirect(&odd);
  EXPECT_EQ(checkDesign(), 1) << etchError();
  EXPECT_EQ(programText().find("nan"), std::string::npos);
}

TEST_F(Faults, HugeFiniteNumbersAreWrittenInFull) {
  // Lines of every length up to the longest, so that some land at the end
  // of the output buffer.
  gV.travelHeight = -1.7e308;
  Lines path = toolpath([] {
    for (int i = 0; i < 2000; i++) {
      double v = std::ldexp(1.7e308, -(i % 97));
      rectangle(v, -v, -v, v, v);
    }
  });
  ASSERT_EQ(path.size(), 2000u * 8u);
  char text[400];
  snprintf(text, sizeof(text), "%.2f", 1.7e308);
  std::string big = text;
  EXPECT_EQ(path[0], "g0z-" + big);
  EXPECT_EQ(path[1], "g0x" + big + "y-" + big);
  EXPECT_EQ(path[7], "g1x" + big + "y-" + big);
}

static int gSinkCalls;
namespace {

int _failingSink(void*, const char*, size_t) {
  gSinkCalls++;
  return 0;
}

}  // namespace

TEST_F(Faults, AFailingOutputStopsGeneration) {
  gTools[0].passes = 100000;  // far more text than one block
  ObjNewCircle(0, 0, 50, 0, 1);
  gSinkCalls = 0;
  EXPECT_EQ(etchTo(_failingSink, nullptr), 0);
  EXPECT_EQ(gSinkCalls, 1);
  EXPECT_NE(std::string(etchError()).find("write failed"), std::string::npos);
}

TEST_F(Faults, ProgramFilesAreWholeOrAbsent) {
  std::string path = tempPath("gcode_program.txt");
  remove(path.c_str());
  ObjNewCircle(10, 10, 5, 2, 1);
  ObjNewLine(0, 0, 5, 5, 7);
  ASSERT_EQ(writeProgramFile(path.c_str()), 1) << etchError();
  EXPECT_EQ(outFile, nullptr);
  EXPECT_EQ(readFile(path), programText());

  // A refused design leaves an existing file alone and creates none.
  std::string before = readFile(path);
  ObjNewDrill(NaN, 0, 0);
  EXPECT_EQ(writeProgramFile(path.c_str()), 0);
  EXPECT_EQ(readFile(path), before);
  remove(path.c_str());
  EXPECT_EQ(writeProgramFile(path.c_str()), 0);
  EXPECT_FALSE(fileExists(path));

  // An output that cannot be created.
  resetObjs();
  std::string bad = tempPath("no-such-dir/output.txt");
  EXPECT_EQ(writeProgramFile(bad.c_str()), 0);
  EXPECT_NE(std::string(etchError()).find("cannot create"), std::string::npos);
  EXPECT_FALSE(fileExists(bad));
  EXPECT_EQ(Etch(), 0);  // no open output
}
