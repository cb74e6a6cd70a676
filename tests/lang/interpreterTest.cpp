#include <cstdint>
#include <string>
#include <vector>

#include "gfx/lang/processCommands.h"
#include "tests/lang/langTest.h"

namespace {

using namespace lang;

using Calls = std::vector<std::string>;

HWND const WINDOW = reinterpret_cast<HWND>(static_cast<uintptr_t>(0x5150));

class InterpreterTest : public LangTest {
 protected:
  // The calls that `text` makes.
  Calls run(const char* text) {
    gRecorder.calls.clear();
    result_ = graphicCommand(WINDOW, text);
    return gRecorder.calls;
  }

  int result_ = 0;
};

TEST_F(InterpreterTest, EachStatementCallsItsOperation) {
  const struct {
    const char* text;
    const char* call;
  } CASES[] = {
      {"ANCHOROFF", "cmd_autoSizeOff()"},
      {"ANCHORX", "cmd_anchorX()"},
      {"ANCHORXY", "cmd_anchorXY()"},
      {"ANCHORY", "cmd_anchorY()"},
      {"AUTOSIZEON", "cmd_autoSize()"},
      {"AUTOSIZEOFF", "cmd_autoSizeOff()"},
      {"BACKCOLOR brown", "cmd_backColor(140, 70, 20)"},
      {"BACKCOLOR 1 2 3", "cmd_backColor(1, 2, 3)"},
      {"BOX 10.9 10.9 20.5 20.5", "cmd_box(10, 10, 20, 20)"},
      {"BOXFILLED -2.5 1 2 3", "cmd_boxFilled(-2, 1, 2, 3)"},
      {"CIRCLE 50 50 10", "cmd_circle(50, 50, 10)"},
      {"CIRCLEFILLED 5 6 7", "cmd_circleFilled(5, 6, 7)"},
      {"CLS", "cmd_cls()"},
      {"COLOR 255 0 0", "cmd_color(255, 0, 0)"},
      {"color red", "cmd_color(255, 0, 0)"},
      {"DRAWBMP 1234 50 50 CENTER", "cmd_drawBmp(1234, 50, 50, 1)"},
      {"DRAWBMP 1234 50 50", "cmd_drawBmp(1234, 50, 50, 0)"},
      {"DRAWBMP 1234 0 0 100 50", "cmd_drawBmpStretch(1234, 0, 0, 100, 50)"},
      {"ELLIPSE 1 2 3 4", "cmd_ellipse(1, 2, 3, 4)"},
      {"ELLIPSEFILLED 4 3 2 1", "cmd_ellipseFilled(4, 3, 2, 1)"},
      {"FILL 300 0 0", "cmd_fill(300, 0, 0)"},
      {"fill white", "cmd_fill(255, 255, 255)"},
      {"FLIP", "cmd_flip()"},
      {"FLOODFILL 3 4", "cmd_floodFill(3, 4)"},
      {"FONT 14 B U 'Arial'", "cmd_font('Arial', 14, 700, 0, 1, 0)"},
      {"FONT 9 I S S 'x y'", "cmd_font('x y', 9, 0, 1, 0, 1)"},
      {"FONT 8 ''", "cmd_font('', 8, 0, 0, 0, 0)"},
      {"LINE 0 0 100 100", "cmd_line(0, 0, 100, 100)"},
      {"PIE 0 0 100 100 0 90", "cmd_pie(0, 0, 100, 100, 90, 0)"},
      {"PIEFILLED 1 2 3 4 5 6", "cmd_pieFilled(1, 2, 3, 4, 6, 5)"},
      {"POLY 0 0 10 0 10 10", "cmd_poly({0,0 10,0 10,10}, 3)"},
      {"POLYFILLED 1 2 3 4", "cmd_polyFilled({1,2 3,4}, 2)"},
      {"POLY", "cmd_poly({}, 0)"},
      {"RULE 13", "cmd_rule(13)"},
      {"SCROLLXON 500", "cmd_horzScroll(500)"},
      {"SCROLLYON 400", "cmd_vertScroll(400)"},
      {"SCROLLXOFF", "cmd_horzScrollOff()"},
      {"SCROLLYOFF", "cmd_vertScrollOff()"},
      {"SCROLLTOX 5", "cmd_scrollToX(5)"},
      {"SCROLLTOY 6", "cmd_scrollToY(6)"},
      {"SCROLLTOCENTERX 7", "cmd_scrollToCenterX(7)"},
      {"SCROLLTOCENTERY 8", "cmd_scrollToCenterY(8)"},
      {"SETPIXEL 1 2 cyan", "cmd_setPixel(1, 2, 0, 255, 255)"},
      {"SETPIXEL 1 2 3 4 5", "cmd_setPixel(1, 2, 3, 4, 5)"},
      {"SIZE 3", "cmd_size(3)"},
      {"STYLE 2", "cmd_style(2)"},
      {"TEXT 0 0 100 20 37 'a\\nb'", "cmd_text(0, 0, 100, 20, 37, 'a\nb')"},
      {"TEXTFILLED 1 2 3 4 5 'Hi'", "cmd_textFilled(1, 2, 3, 4, 5, 'Hi')"},
      {"TRANSBMP 1234 BLACK 10 10", "cmd_transBmp(1234, 10, 10, 0, 0, 0, 0)"},
      {"TRANSBMP 7 white 1 2 CENTER", "cmd_transBmp(7, 1, 2, 255, 255, 255, 1)"},
      {"TRANSBMP 7 1 2 3 10 20 30 40", "cmd_transStretchBmp(7, 10, 20, 30, 40, 1, 2, 3)"},
  };
  for (const auto& c : CASES) {
    EXPECT_EQ(run(c.text), Calls{c.call}) << c.text;
    ASSERT_EQ(gRecorder.windows.size(), 1u);
    EXPECT_EQ(gRecorder.windows[0], WINDOW);
    gRecorder.windows.clear();
  }
  EXPECT_EQ(run("AHOYBOYS"), Calls{});
  EXPECT_EQ(result_, 0);
  EXPECT_TRUE(gRecorder.boxes.empty());
}

TEST_F(InterpreterTest, StatementsRunInOrderAndReturnTheLastValue) {
  gRecorder.result = 42;
  EXPECT_EQ(run("fill white;flip"), (Calls{"cmd_fill(255, 255, 255)", "cmd_flip()"}));
  EXPECT_EQ(result_, 42);
  EXPECT_EQ(run(";;CLS;"), Calls{"cmd_cls()"});
  EXPECT_EQ(result_, 0);  // the empty statement after the last ";"
  EXPECT_EQ(run("CLS;;"), Calls{"cmd_cls()"});
  EXPECT_EQ(run("COLOR 1 2 3; LINE 0 0 1 1; AHOYBOYS;"),
            (Calls{"cmd_color(1, 2, 3)", "cmd_line(0, 0, 1, 1)"}));
  EXPECT_EQ(result_, 0);
  // The text statements give the token after their string.
  EXPECT_EQ(run("TEXT 0 0 1 1 0 'x'"), Calls{"cmd_text(0, 0, 1, 1, 0, 'x')"});
  EXPECT_EQ(result_, 0);
  EXPECT_EQ(run(""), Calls{});
  EXPECT_EQ(run(nullptr), Calls{});
  EXPECT_EQ(result_, 0);
  EXPECT_TRUE(gRecorder.boxes.empty());
}

TEST_F(InterpreterTest, NumbersTruncateSaturateAndKeepTheLow32Bits) {
  const struct {
    const char* text;
    const char* call;
  } CASES[] = {
      {"SIZE 2e3", "cmd_size(2000)"},
      {"SIZE 2E-3", "cmd_size(0)"},
      {"SIZE -2.5", "cmd_size(-2)"},
      {"SIZE -", "cmd_size(0)"},
      {"SIZE .", "cmd_size(0)"},
      {"SIZE 4294967301", "cmd_size(5)"},
      {"SIZE 2147483648", "cmd_size(-2147483648)"},
      {"SIZE 1e400", "cmd_size(-1)"},   // saturates at 2^63 - 1
      {"SIZE -1e400", "cmd_size(0)"},   // saturates at -2^63
      {"SIZE 1e19", "cmd_size(-1)"},
      {"COLOR 12.7 99999999999999999999 256", "cmd_color(12, -1, 256)"},
  };
  for (const auto& c : CASES) EXPECT_EQ(run(c.text), Calls{c.call}) << c.text;
  EXPECT_TRUE(gRecorder.boxes.empty());
}

TEST_F(InterpreterTest, StatementWithMissingNumbersCompletesWithZeros) {
  EXPECT_EQ(run("BOX 10 20 30; FLIP"), Calls{"cmd_box(10, 20, 30, 0)"});
  ASSERT_EQ(gRecorder.boxes.size(), 1u);
  EXPECT_EQ(gRecorder.boxes[0].text, "Expected NUMBER_LITERAL, found ENDLINE\n\nBOX 10 20 30; FLIP\nLIP");
  EXPECT_EQ(gRecorder.boxes[0].caption, "Expected");

  gRecorder.tick += 10001;
  EXPECT_EQ(run("BOX 10 20 30"), Calls{"cmd_box(10, 20, 30, 0)"});
  ASSERT_EQ(gRecorder.boxes.size(), 2u);
  EXPECT_EQ(gRecorder.boxes[1].text, "Expected NUMBER_LITERAL, found NIL\n\nBOX 10 20 30\n");

  // Within 10 s no further "Expected" box is shown.
  EXPECT_EQ(run("POLY 0 0 10"), Calls{"cmd_poly({0,0 10,0}, 2)"});
  EXPECT_EQ(run("PIE 1 2 3 4 5"), Calls{"cmd_pie(1, 2, 3, 4, 0, 5)"});
  EXPECT_EQ(run("DRAWBMP 5 6"), Calls{"cmd_drawBmp(5, 6, 0, 0)"});
  EXPECT_EQ(run("TRANSBMP 5 red 7"), Calls{"cmd_transBmp(5, 7, 0, 255, 0, 0, 0)"});
  EXPECT_EQ(run("COLOR 12"), Calls{"cmd_color(12, 0, 0)"});
  EXPECT_EQ(run("CIRCLE 1 # 2 3"), Calls{"cmd_circle(1, 0, 0)"});
  EXPECT_EQ(gRecorder.boxes.size(), 2u);
}

TEST_F(InterpreterTest, StringWhereNumberBelongsIsReadThenReported) {
  EXPECT_EQ(run("BOX 1 2 3 '4.5'; FLIP"), Calls{"cmd_box(1, 2, 3, 4)"});
  ASSERT_EQ(gRecorder.boxes.size(), 1u);
  EXPECT_EQ(gRecorder.boxes[0].text,
            "Expected NUMBER_LITERAL, found STRING_LITERAL\n\nBOX 1 2 3 '4.5'; FLIP\n FLIP");
  EXPECT_EQ(run("DRAWBMP '77' 5 6"), Calls{"cmd_drawBmp(77, 0, 0, 0)"});
  EXPECT_EQ(run("CIRCLE 'x' 5 6"), Calls{"cmd_circle(0, 0, 0)"});
}

TEST_F(InterpreterTest, ColourThatFailsToParseIsBlack) {
  EXPECT_EQ(run("COLOR CENTER; FLIP"), Calls{"cmd_color(0, 0, 0)"});
  ASSERT_EQ(gRecorder.boxes.size(), 1u);
  EXPECT_EQ(gRecorder.boxes[0].text,
            "Expected color definition, found CENTER\n\nCOLOR CENTER; FLIP\n FLIP");
  EXPECT_EQ(run("SETPIXEL 1 2"), Calls{"cmd_setPixel(1, 2, 0, 0, 0)"});
  EXPECT_EQ(run("FILL 'white'"), Calls{"cmd_fill(0, 0, 0)"});
}

TEST_F(InterpreterTest, MissingStrings) {
  // Text statements without their string draw nothing.
  EXPECT_EQ(run("TEXT 0 0 10 10 0"), Calls{});
  ASSERT_EQ(gRecorder.boxes.size(), 1u);
  EXPECT_EQ(gRecorder.boxes[0].text,
            "Expected STRING_LITERAL, found NIL\n\nTEXT 0 0 10 10 0\n");
  EXPECT_EQ(run("TEXTFILLED 0 0 10 10 0 12; FLIP"), Calls{});
  // A font without a face name falls back to the default face.
  EXPECT_EQ(run("FONT 12 B; FLIP"), Calls{"cmd_font(null, 12, 700, 0, 0, 0)"});
  EXPECT_EQ(gRecorder.boxes.size(), 1u);
}

TEST_F(InterpreterTest, ErrorsStopTheLaterStatements) {
  EXPECT_EQ(run("CLS FLIP"), Calls{"cmd_cls()"});
  ASSERT_EQ(gRecorder.boxes.size(), 1u);
  EXPECT_EQ(gRecorder.boxes[0].text, "Expected ENDLINE, found FLIP\n\nCLS FLIP\n");

  gRecorder.tick += 10001;
  EXPECT_EQ(run("CLS; BOXX 1 2 3 4; FLIP"), Calls{"cmd_cls()"});
  ASSERT_EQ(gRecorder.boxes.size(), 2u);
  EXPECT_EQ(gRecorder.boxes[1].text,
            "Expected keyword, found NAME\n\nCLS; BOXX 1 2 3 4; FLIP\n1 2 3 4; FLIP");

  gRecorder.tick += 10001;
  EXPECT_EQ(run("12 CLS"), Calls{});
  ASSERT_EQ(gRecorder.boxes.size(), 3u);
  EXPECT_EQ(gRecorder.boxes[2].text, "Expected valid command, found NUMBER_LITERAL\n\n12 CLS\nLS");

  // Errors inside a string do not end the text.
  EXPECT_EQ(run("TEXT 0 0 9 9 0 'ab\\xcd'; FLIP"),
            (Calls{"cmd_text(0, 0, 9, 9, 0, 'ab')", "cmd_flip()"}));
  EXPECT_EQ(run("AHOYBOYS"), Calls{});
  EXPECT_EQ(captions(), (std::vector<std::string>{"Expected", "Expected", "Expected"}));
}

TEST_F(InterpreterTest, NestedCallDoesNothing) {
  static int nested = -1;
  gRecorder.onCall = [] { nested = graphicCommand(WINDOW, "FLIP"); };
  EXPECT_EQ(run("FONT 10 'Arial'; CLS"),
            (Calls{"cmd_font('Arial', 10, 0, 0, 0, 0)", "cmd_cls()"}));
  EXPECT_EQ(nested, 0);
}

}  // namespace
