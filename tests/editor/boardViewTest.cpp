// The board view's frame as cmd_* calls, against the drawing recorder: the
// default frame, a small design of every kind, colours, grid, pen widths and
// saturation, and the partial frames of the fast redraw.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

#include "cad/editor/boardView.h"
#include "cad/editor/functions.h"
#include "tests/editor/editorFixture.h"
#include "tests/editor/softCanvas.h"

namespace {

const double NaN = std::numeric_limits<double>::quiet_NaN();
HWND const VIEW = reinterpret_cast<HWND>(0x1234);

using Calls = std::vector<std::string>;

std::string call(const char* name, std::initializer_list<int> args) {
  std::string s = std::string(name) + "(";
  const char* separator = "";
  for (int a : args) {
    s += separator + std::to_string(a);
    separator = ", ";
  }
  return s + ")";
}

Calls frame(int pointerX = -1000, int pointerY = -1000) {
  recorderReset();
  drawFrame(fullFrame(VIEW, pointerX, pointerY));
  return gRecorder.calls;
}

int countOf(const Calls& calls, const std::string& prefix) {
  int n = 0;
  for (const std::string& c : calls) n += c.rfind(prefix, 0) == 0;
  return n;
}

bool isGridColour(const std::string& c) { return c == "cmd_color(225, 225, 225)"; }

// The calls of the full frame drawn only where it meets the clip.
Calls clippedFrame(const PixelRect& clip, int pointerX = 0, int pointerY = 0) {
  FrameRequest request = fullFrame(VIEW, pointerX, pointerY);
  request.clips = &clip;
  request.clipCount = 1;
  recorderReset();
  drawFrame(request);
  return gRecorder.calls;
}

// The recorded calls painted onto a white canvas: the pixels painted, and
// those of them outside the box.
struct Spill {
  int painted = 0, outside = 0;
};
Spill spillOutside(int size, const PixelRect& box) {
  SoftCanvas canvas = softCanvas(size, size);
  paintCalls(&canvas, gRecorder.calls);
  Spill spill;
  for (int y = 0; y < size; y++)
    for (int x = 0; x < size; x++) {
      if (canvas.pixels[y * size + x] == 0xFFFFFFFF) continue;
      spill.painted++;
      spill.outside += !(x >= box.left && x < box.right && y >= box.top && y < box.bottom);
    }
  return spill;
}

}  // namespace

using BoardView = EditorTest;

TEST_F(BoardView, DefaultFrameIsBackgroundBoardGridAndFlip) {
  Calls expect = {"cmd_fill(65, 65, 65)", "cmd_backColor(255, 255, 255)", "cmd_color(0, 0, 0)",
                  "cmd_size(1)", "cmd_boxFilled(0, 0, 350, 500)", "cmd_color(225, 225, 225)"};
  for (int x = 10; x <= 340; x += 10) expect.push_back(call("cmd_line", {x, 1, x, 499}));
  for (int y = 10; y <= 490; y += 10) expect.push_back(call("cmd_line", {1, y, 349, y}));
  expect.push_back("cmd_flip()");
  EXPECT_EQ(frame(), expect);
  for (HWND w : gRecorder.windows) EXPECT_EQ(w, VIEW);
}

TEST_F(BoardView, SmallDesignInListOrderWithColoursWidthsAndGrips) {
  gV.gridSpacing = 0;
  gDefaultTool = 0;
  Link* line = ObjNewLine(1, 2, 3, 4, 2);          // hovered, size 0.7: width 3
  ObjNewRect(10, 10, 4, 20, 0, 1);                 // default tool, corners as stored
  Link* circle = ObjNewCircle(30, 30, 2.5, 1, 0);  // selected, size 0.6: width 3
  ObjNewDrill(10, 10, 0);
  gHoverObj = line;
  selectObj(circle);
  const Calls expect = {
      "cmd_fill(65, 65, 65)", "cmd_backColor(255, 255, 255)", "cmd_color(0, 0, 0)",
      "cmd_size(1)", "cmd_boxFilled(0, 0, 350, 500)",
      "cmd_color(255, 0, 0)", "cmd_backColor(128, 0, 0)", "cmd_size(3)",
      "cmd_line(5, 10, 15, 20)",
      "cmd_color(200, 100, 20)", "cmd_backColor(175, 175, 175)", "cmd_size(2)",
      "cmd_boxFilled(50, 50, 20, 100)",
      "cmd_color(0, 200, 0)", "cmd_backColor(0, 100, 0)", "cmd_size(3)",
      "cmd_circle(150, 150, 12)",
      // Drill: disc of radius trunc(1.25), cross half-extent 0.17675 mm.
      "cmd_color(200, 100, 20)", "cmd_backColor(175, 175, 175)", "cmd_size(2)", "cmd_size(2)",
      "cmd_circleFilled(50, 50, 1)", "cmd_line(49, 49, 50, 50)", "cmd_line(50, 49, 49, 50)",
      // Grips of the circle: left, right, lower, upper rim, centre; the one
      // under the pointer (162, 150) lit.
      "cmd_size(1)", "cmd_color(0, 0, 0)", "cmd_backColor(125, 125, 255)",
      "cmd_boxFilled(132, 145, 142, 155)",
      "cmd_size(1)", "cmd_color(0, 255, 0)", "cmd_backColor(0, 0, 255)",
      "cmd_boxFilled(157, 145, 167, 155)",
      "cmd_size(1)", "cmd_color(0, 0, 0)", "cmd_backColor(125, 125, 255)",
      "cmd_boxFilled(145, 157, 155, 167)",
      "cmd_size(1)", "cmd_color(0, 0, 0)", "cmd_backColor(125, 125, 255)",
      "cmd_boxFilled(145, 132, 155, 142)",
      "cmd_size(1)", "cmd_color(0, 0, 0)", "cmd_backColor(125, 125, 255)",
      "cmd_boxFilled(145, 145, 155, 155)",
      "cmd_flip()"};
  recorderReset();
  EXPECT_EQ(drawFrame(fullFrame(VIEW, 162, 150)), 1);  // a selection: focus to the view
  EXPECT_EQ(gRecorder.calls, expect);
  selectObj(nullptr);
  EXPECT_EQ(drawFrame(fullFrame(VIEW, 0, 0)), 0);
}

TEST_F(BoardView, ColoursByPriority) {
  Link* a = ObjNewLine(0, 0, 1, 1, 3);
  Link* b = ObjNewLine(0, 0, 1, 1, 0);
  gDefaultTool = 3;
  struct Case {
    Link *sel, *hover;
    Rgb pen, fill;
  };
  const Case cases[] = {
      {a, a, {0, 255, 0}, {0, 128, 0}},     {a, b, {0, 200, 0}, {0, 100, 0}},
      {b, a, {255, 0, 0}, {128, 0, 0}},     {b, b, {200, 100, 20}, {175, 175, 175}},
      {nullptr, nullptr, {200, 100, 20}, {175, 175, 175}},
  };
  for (const Case& c : cases) {
    selectObj(c.sel);
    gHoverObj = c.hover;
    const ObjColours colours = objColours(a);
    EXPECT_EQ(rgbOf(colours.pen), rgbOf(c.pen));
    EXPECT_EQ(rgbOf(colours.fill), rgbOf(c.fill));
  }
  gHoverObj = nullptr;
  selectObj(nullptr);
  EXPECT_EQ(objColours(b).pen.r, 0);  // another tool: black on grey
  EXPECT_EQ(objColours(b).fill.r, 128);
}

TEST_F(BoardView, GridOnlyWhenItsLinesAreMoreThanThreePixelsApart) {
  struct Case {
    double spacing, zoom;
    int lines;
  };
  const Case cases[] = {
      {0.5, 5, 0},      {0.5, 6.25, 139 + 199},  // 3.125 pixels
      {3, 1, 0},        {3.5, 1, 19 + 28},       {0, 5, 0},
      {-2, 5, 0},       {NaN, 5, 0},             {35, 5, 1 + 2},  // 70 x 100: 35; 35, 70
  };
  for (const Case& c : cases) {
    gV.gridSpacing = c.spacing;
    gV.zoom = c.zoom;
    const Calls calls = frame();
    EXPECT_EQ(countOf(calls, "cmd_line"), c.lines) << c.spacing << " at " << c.zoom;
    EXPECT_EQ(std::count_if(calls.begin(), calls.end(), isGridColour), c.lines ? 1 : 0);
  }
}

TEST_F(BoardView, PenWidthsFollowTheBitAndSaturate) {
  struct Case {
    double size, zoom;
    int width;
  };
  const Case cases[] = {{0.7, 5, 3},      {0.7, 1, 0},  {0.5, 50, 25},
                        {1e300, 5, 65536}, {-1, 5, 0},  {NaN, 5, 0}};
  gV.gridSpacing = 0;
  ObjNewLine(1, 1, 2, 2, 2);
  for (const Case& c : cases) {
    gTools[2].size = c.size;
    gV.zoom = c.zoom;
    EXPECT_EQ(frame()[7], call("cmd_size", {c.width})) << c.size;
  }
}

TEST_F(BoardView, DamagedValuesNeverLeaveThePixelRange) {
  gV.gridSpacing = 0;
  ObjNewLine(1e300, -1e300, NaN, 1, 0);
  ObjNewCircle(2, 3, 1e300, 0, 1);
  Link* drill = ObjNewDrill(1, 1, 200);  // tool index past the table
  ListToObj(ObjNewRect(0, 0, 1, 1, 0, 0))->type = 9;  // unknown kind: not drawn
  gDefaultTool = 200 % 10;
  const Calls calls = frame();
  const Calls objects(calls.begin() + 5, calls.end() - 1);
  const Calls expect = {
      "cmd_color(200, 100, 20)", "cmd_backColor(175, 175, 175)", "cmd_size(2)",
      "cmd_line(16777216, -16777216, 0, 5)",
      "cmd_color(200, 100, 20)", "cmd_backColor(175, 175, 175)", "cmd_size(2)",
      "cmd_circleFilled(10, 15, 16777216)",
      // A tool index past the table: a bit of no width, never the default.
      "cmd_color(0, 0, 0)", "cmd_backColor(128, 128, 128)", "cmd_size(0)", "cmd_size(2)",
      "cmd_circleFilled(5, 5, 0)", "cmd_line(5, 5, 5, 5)", "cmd_line(5, 5, 5, 5)",
      "cmd_color(200, 100, 20)", "cmd_backColor(175, 175, 175)", "cmd_size(2)"};
  EXPECT_EQ(objects, expect);
  // Far off boards and views saturate too.
  gV.boardWidth = 1e300;
  gV.viewY = -1e300;
  EXPECT_EQ(frame()[4], "cmd_boxFilled(0, -16777216, 16777216, -16777216)");
  EXPECT_EQ(objPixelBox(ListToObj(drill)).right, 5 + 4 + 1);
}

TEST_F(BoardView, HugeBoardsDrawTheirGridInBoundedTime) {
  gV.boardWidth = 1e300;
  gV.boardHeight = 1e300;
  // Every line the whole pixel range can show, each 10 pixels apart.
  recorderReset();
  gRecorder.logging = false;
  drawFrame(fullFrame(VIEW, 0, 0));
  EXPECT_EQ(gRecorder.count, 6 + 2 * (PIXEL_LIMIT / 10 + 1) + 1);
  // Only what meets a view-sized clip.
  const Calls clipped = clippedFrame({0, 0, 700, 600});
  EXPECT_EQ(countOf(clipped, "cmd_line"), 69 + 59);
  EXPECT_EQ(clipped[6], "cmd_line(10, 1, 10, 16777216)");
}

TEST_F(BoardView, GridFarFromTheOriginStaysOnItsPositions) {
  // The board's left edge lies 5e12 pixels left of the view: the lines left
  // of the pixel range are passed over, those in view keep their places.
  gV.boardWidth = 1e13;
  gV.viewX = -1e12;
  Calls vertical;
  for (const std::string& c : clippedFrame({0, 0, 700, 600}))
    if (c.rfind("cmd_line(", 0) == 0 && c.find(", 1, ") != std::string::npos) vertical.push_back(c);
  ASSERT_EQ(vertical.size(), 70u);
  for (int i = 0; i < 70; i++) EXPECT_EQ(vertical[i], call("cmd_line", {10 * i, 1, 10 * i, 499}));
}

TEST_F(BoardView, PartialFramesLeaveOutWhatTheyAreAskedTo) {
  gV.gridSpacing = 0;
  Link* a = ObjNewLine(1, 1, 5, 1, 0);      // pixels 5..25, y 5
  Link* b = ObjNewRect(40, 40, 50, 50, 1, 0);  // 200..250
  Link* c = ObjNewCircle(60, 90, 2, 2, 1);  // around (300, 450)
  selectObj(b);
  const Calls full = frame(0, 0);

  const Calls clipped = clippedFrame({240, 240, 260, 260});  // the corner (50, 50) and its grip
  EXPECT_EQ(countOf(clipped, "cmd_box("), 1);
  EXPECT_EQ(countOf(clipped, "cmd_line"), 0);
  EXPECT_EQ(countOf(clipped, "cmd_circleFilled"), 0);
  EXPECT_EQ(countOf(clipped, "cmd_boxFilled(245, 245, 255, 255)"), 1);  // grip at (50, 50)
  EXPECT_EQ(countOf(clipped, "cmd_boxFilled("), 2);  // board and that one grip
  // Whatever a partial frame draws, it draws as the full frame does, in order.
  size_t at = 0;
  for (const std::string& s : clipped) {
    while (at < full.size() && full[at] != s) at++;
    ASSERT_LT(at, full.size()) << s;
    at++;
  }

  FrameRequest request = fullFrame(VIEW, 0, 0);
  Link* const skip[] = {a, c};
  request.skip = skip;
  request.skipCount = 2;
  request.base = false;
  request.grips = false;
  request.flip = false;
  recorderReset();
  drawFrame(request);
  EXPECT_EQ(gRecorder.calls, Calls({"cmd_color(0, 200, 0)", "cmd_backColor(0, 100, 0)",
                                    "cmd_size(3)", "cmd_box(200, 200, 250, 250)"}));
  request = fullFrame(VIEW, 0, 0);
  request.from = c;
  request.base = false;
  request.grips = false;
  recorderReset();
  drawFrame(request);
  EXPECT_EQ(gRecorder.calls, Calls({"cmd_color(0, 0, 0)", "cmd_backColor(128, 128, 128)",
                                    "cmd_size(3)", "cmd_circleFilled(300, 450, 10)",
                                    "cmd_flip()"}));
}

TEST_F(BoardView, LeanFramesLeaveOutOnlyRepeatedStateCalls) {
  gV.gridSpacing = 2;
  ObjNewLine(1, 1, 9, 9, 3);
  ObjNewLine(2, 1, 9, 8, 3);    // same look: no state calls
  ObjNewDrill(20, 20, 3);       // width 2 after 4
  ObjNewRect(5, 5, 9, 9, 3, 1);
  Link* sel = ObjNewCircle(30, 30, 3, 0, 0);
  selectObj(sel);
  const Calls full = frame(150, 150);
  FrameRequest request = fullFrame(VIEW, 150, 150);
  request.lean = true;
  recorderReset();
  drawFrame(request);
  const Calls lean = gRecorder.calls;
  // Removing from the full frame every state call that sets the state
  // already set gives the lean frame.
  Calls expect;
  std::string pen, fill, width;
  for (const std::string& c : full) {
    std::string* state = c.rfind("cmd_color", 0) == 0       ? &pen
                         : c.rfind("cmd_backColor", 0) == 0 ? &fill
                         : c.rfind("cmd_size", 0) == 0      ? &width
                                                            : nullptr;
    if (state && *state == c) continue;
    if (state) *state = c;
    expect.push_back(c);
  }
  EXPECT_EQ(lean, expect);
  EXPECT_EQ(full.size() - lean.size(), 3u + 3 + 2 + 10);  // objects on tool 3, grips
}

TEST_F(BoardView, PixelBoxesHoldEverythingAnObjectDraws) {
  // Each kind at a few zooms and bit sizes, drawn alone onto the software
  // canvas (the view shifted so it lies inside): no pixel outside its box.
  gV.gridSpacing = 0;
  for (double zoom : {0.25, 5.0, 33.3}) {
    for (double size : {0.0, 0.5, 1.3}) {
      gV.zoom = zoom;
      gV.viewX = gV.viewY = 200 / zoom;
      gTools[4].size = size;
      resetObjs();
      std::vector<Link*> links = {ObjNewLine(3, 9, -2, 1.3, 4), ObjNewRect(7, 2, 1, 8, 4, 1),
                                  ObjNewRect(7, 2, 1, 8, 4, 0), ObjNewCircle(5, 5, 3.3, 4, 0),
                                  ObjNewCircle(5, 5, -2, 4, 1), ObjNewDrill(4, 4, 4)};
      for (Link* link : links) {
        std::vector<Link*> others;
        for (Link* other : links)
          if (other != link) others.push_back(other);
        FrameRequest request = fullFrame(VIEW, 0, 0);
        request.base = request.grips = request.flip = false;
        request.skip = others.data();
        request.skipCount = static_cast<int>(others.size());
        recorderReset();
        drawFrame(request);
        const Spill spill = spillOutside(600, objPixelBox(ListToObj(link)));
        EXPECT_GT(spill.painted, 0);
        EXPECT_EQ(spill.outside, 0) << "zoom " << zoom << " size " << size << " kind "
                                    << ListToObj(link)->type;
      }
    }
  }
  // Grip squares likewise.
  gV.zoom = 5;
  gV.viewX = gV.viewY = 0;
  for (double gripSize : {1.0, 10.0, 17.5}) {
    gV.gripSize = gripSize;
    Link* line = ObjNewLine(30.3, 40.7, 30.3, 40.7, 0);
    selectObj(line);
    recorderReset();
    drawGrips(VIEW, line, 0, 0);
    const Spill spill = spillOutside(400, gripPixelBox(30.3, 40.7));
    EXPECT_GT(spill.painted, 0);
    EXPECT_EQ(spill.outside, 0) << gripSize;
  }
}
