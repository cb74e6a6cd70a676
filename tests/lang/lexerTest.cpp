#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tests/lang/langTest.h"

namespace {

using namespace lang;

class LexerTest : public LangTest {
 protected:
  void TearDown() override {
    setToken(TK_NIL, nullptr);
    setSourceText(nullptr);
    std::free(source_);
  }

  // The token stream of `text` up to NIL, each as its type name, followed by
  // ":" and its text when it has one. The text is copied into a buffer of
  // its exact size, so a read past its zero is caught by the address checker.
  std::vector<std::string> lex(const std::string& text) {
    std::free(source_);
    source_ = static_cast<char*>(std::malloc(text.size() + 1));
    std::memcpy(source_, text.c_str(), text.size() + 1);
    setToken(TK_NIL, nullptr);
    setSourceText(source_);
    getChar();
    skipWhite();
    std::vector<std::string> tokens;
    for (int i = 0; getToken() != TK_NIL && i < 100; i++) {
      std::string token = TOKEN_STR[TokenType];
      if (TokenValue) token += std::string(":") + TokenValue;
      tokens.push_back(token);
    }
    return tokens;
  }

  char* source_ = nullptr;
};

using Tokens = std::vector<std::string>;

TEST_F(LexerTest, WhiteSpaceAndCaseDoNotMatter) {
  const Tokens fillFlip = {"FILL", "WHITE", "ENDLINE", "FLIP"};
  EXPECT_EQ(lex("  fill   white ; flip  "), fillFlip);
  EXPECT_EQ(lex("\x01\tFiLl\r\nWhItE;\x1f" "FLIP"), fillFlip);
  EXPECT_EQ(lex("fill white;flip"), fillFlip);
  EXPECT_EQ(lex(""), Tokens{});
  EXPECT_EQ(lex(" \t\r\n "), Tokens{});
  EXPECT_TRUE(gRecorder.boxes.empty());
}

TEST_F(LexerTest, EveryKeywordAndColourIsRecognisedInLowerCase) {
  for (int type = TK_ANCHOROFF; type <= TK_DARKGRAY; type++) {
    std::string word = TOKEN_STR[type];
    for (char& c : word) c = static_cast<char>(c - 'A' + 'a');
    EXPECT_EQ(lex(word), Tokens{TOKEN_STR[type]}) << word;
  }
  EXPECT_EQ(lex("FONT 10 B I 'Courier New'"),
            (Tokens{"FONT", "NUMBER_LITERAL:10", "BOLD", "ITALIC",
                    "STRING_LITERAL:Courier New"}));
  EXPECT_EQ(lex("u s center Center"), (Tokens{"UNDERLINE", "STRIKEOUT", "CENTER", "CENTER"}));
  EXPECT_TRUE(gRecorder.boxes.empty());
}

TEST_F(LexerTest, NumbersStopAtSecondDotAndTakeSignedExponents) {
  EXPECT_EQ(lex("12.5.7"), (Tokens{"NUMBER_LITERAL:12.5", "NUMBER_LITERAL:.7"}));
  EXPECT_EQ(lex("2e3 2E-3 -4.25e12"),
            (Tokens{"NUMBER_LITERAL:2e3", "NUMBER_LITERAL:2E-3", "NUMBER_LITERAL:-4.25e12"}));
  EXPECT_EQ(lex("- . 1-2"), (Tokens{"NUMBER_LITERAL:-", "NUMBER_LITERAL:.",
                                    "NUMBER_LITERAL:1", "NUMBER_LITERAL:-2"}));
  EXPECT_TRUE(gRecorder.boxes.empty());

  // "+" is no part of an exponent: the number ends and "+" is no token.
  EXPECT_EQ(lex("2e+3"), Tokens{"NUMBER_LITERAL:2e"});
  ASSERT_EQ(gRecorder.boxes.size(), 1u);
  EXPECT_EQ(gRecorder.boxes[0].text, "Expected valid token, found NUMBER_LITERAL\n\n2e+3\n3");
  EXPECT_EQ(gRecorder.boxes[0].caption, "Expected");
}

TEST_F(LexerTest, StringEscapesExpandCaseInsensitively) {
  EXPECT_EQ(lex("'a\\Nb\\nc\\qd\\Qe\\'f\\\\g\\rh\\Ri' CLS"),
            (Tokens{"STRING_LITERAL:a\nb\nc\"d\"e'f\\g\rh\ri", "CLS"}));
  EXPECT_EQ(lex("'Mixed Case ;#'"), Tokens{"STRING_LITERAL:Mixed Case ;#"});
  EXPECT_TRUE(gRecorder.boxes.empty());
}

TEST_F(LexerTest, BadEscapeEndsStringTextButReadingGoesOn) {
  EXPECT_EQ(lex("'ab\\xcd' CLS"), (Tokens{"STRING_LITERAL:ab", "CLS"}));
  ASSERT_EQ(gRecorder.boxes.size(), 1u);
  EXPECT_EQ(gRecorder.boxes[0].text,
            "Expected Valid string escape sequence, found NIL\n\n'ab\\xcd' CLS\ncd' CLS");
  EXPECT_EQ(gRecorder.boxes[0].caption, "Expected");
}

TEST_F(LexerTest, UnterminatedStringEndsAtEndOfText) {
  EXPECT_EQ(lex("'abc"), Tokens{"STRING_LITERAL:abc"});
  EXPECT_TRUE(gRecorder.boxes.empty());
  EXPECT_EQ(lex("'"), Tokens{"STRING_LITERAL:"});
  // A backslash as the last character is a bad escape, never a read past the end.
  EXPECT_EQ(lex("'abc\\"), Tokens{"STRING_LITERAL:abc"});
  EXPECT_EQ(captions(), Tokens{"Expected"});
}

TEST_F(LexerTest, WordsThatAreNoKeywordEndTheText) {
  EXPECT_EQ(lex("BOXX 1 2 3 4"), Tokens{});
  ASSERT_EQ(gRecorder.boxes.size(), 1u);
  EXPECT_EQ(gRecorder.boxes[0].text, "Expected keyword, found NAME\n\nBOXX 1 2 3 4\n1 2 3 4");

  gRecorder.tick += 10001;
  EXPECT_EQ(lex("fillwhite"), Tokens{});
  EXPECT_EQ(lex("CLS2"), Tokens{});
  EXPECT_EQ(gRecorder.boxes.size(), 2u);  // the third within 10 s is not shown

  gRecorder.tick += 10001;
  EXPECT_EQ(lex("CLS # FLIP"), Tokens{"CLS"});
  ASSERT_EQ(gRecorder.boxes.size(), 3u);
  EXPECT_EQ(gRecorder.boxes[2].text, "Expected valid token, found CLS\n\nCLS # FLIP\n FLIP");

  // Characters from 128 up are neither letters nor white space.
  gRecorder.tick += 10001;
  EXPECT_EQ(lex("\xa0" "CLS"), Tokens{});
  EXPECT_EQ(gRecorder.boxes.size(), 4u);
}

TEST_F(LexerTest, OverlongTokensAreCutInsideTheirBuffers) {
  const std::string digits(150, '7');
  EXPECT_EQ(lex(digits), (Tokens{"NUMBER_LITERAL:" + std::string(99, '7'),
                                 "NUMBER_LITERAL:" + std::string(51, '7')}));
  ASSERT_EQ(gRecorder.boxes.size(), 1u);
  EXPECT_EQ(gRecorder.boxes[0].caption, "Error");
  EXPECT_EQ(gRecorder.boxes[0].text.rfind("Error: number is longer than buffer size\n\n", 0), 0u);

  // A cut name is no keyword: the "Error" box, then the "Expected" box.
  freshBoxes();
  EXPECT_EQ(lex(std::string(100, 'A') + " CLS"), Tokens{});
  EXPECT_EQ(captions(), (Tokens{"Error", "Expected"}));
  EXPECT_EQ(gRecorder.boxes[0].text.rfind("Error: name is longer than buffer size\n\n", 0), 0u);
  EXPECT_EQ(gRecorder.boxes[1].text.rfind("Expected keyword, found NAME\n\n", 0), 0u);

  freshBoxes();
  Tokens tokens = lex("'" + std::string(1023, 'x') + "9 9'");
  ASSERT_GE(tokens.size(), 2u);
  EXPECT_EQ(tokens[0], "STRING_LITERAL:" + std::string(1023, 'x'));
  EXPECT_EQ(tokens[1], "NUMBER_LITERAL:9");  // the text after the cut goes on
  EXPECT_EQ(gRecorder.boxes[0].text.rfind("Error: string is longer than buffer size\n\n", 0), 0u);

  // A bad escape that meets the full buffer: reading goes on after the cut.
  freshBoxes();
  EXPECT_EQ(lex("'" + std::string(1023, 'x') + "\\9 CLS'"),
            (Tokens{"STRING_LITERAL:" + std::string(1023, 'x'), "NUMBER_LITERAL:9", "CLS",
                    "STRING_LITERAL:"}));
  EXPECT_EQ(captions(), (Tokens{"Expected", "Error"}));

  // Tokens just inside the limits pass without a report (which could show).
  freshBoxes();
  EXPECT_EQ(lex(std::string(99, '1')), Tokens{"NUMBER_LITERAL:" + std::string(99, '1')});
  EXPECT_EQ(lex("'" + std::string(1023, 'y') + "'"),
            Tokens{"STRING_LITERAL:" + std::string(1023, 'y')});
  EXPECT_TRUE(gRecorder.boxes.empty());
}

TEST_F(LexerTest, EachKindOfBoxShowsAtMostOncePerTenSeconds) {
  setSourceText("CLS");
  gRecorder.tick = 50000;
  expected("a");
  error("b");
  gRecorder.tick = 60000;  // exactly 10 s later: still too soon
  expected("c");
  error("d");
  EXPECT_EQ(captions(), (Tokens{"Expected", "Error"}));
  gRecorder.tick = 60001;
  error("e");
  ASSERT_EQ(captions(), (Tokens{"Expected", "Error", "Error"}));
  EXPECT_EQ(gRecorder.boxes[2].text, "Error: e\n\nCLS\nCLS");
  // A wrapped tick count does not silence the boxes for 49 days.
  gRecorder.tick = 20000;
  expected("f");
  EXPECT_EQ(gRecorder.boxes.size(), 4u);
  EXPECT_EQ(TokenType, TK_NIL);
  EXPECT_EQ(Look, 0);
}

TEST_F(LexerTest, LongMessagesAreCutToTheBuffer) {
  std::string text(3000, ' ');
  setSourceText(text.c_str());
  expected("x");
  ASSERT_EQ(gRecorder.boxes.size(), 1u);
  EXPECT_EQ(gRecorder.boxes[0].text.size(), 999u);
}

TEST_F(LexerTest, ColourTableAndNumberList) {
  int r = -1, g = -1, b = -1;
  EXPECT_EQ(colorTableFind(TK_PINK, &r, &g, &b), 1);
  EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{255, 20, 147}));
  EXPECT_EQ(colorTableFind(TK_DARKGRAY, nullptr, &g, nullptr), 1);
  EXPECT_EQ(g, 85);
  EXPECT_EQ(colorTableFind(TK_CENTER, &r, &g, &b), 0);

  NumListNode* head = newNumList();
  EXPECT_EQ(lenNumList(head), 0);
  EXPECT_EQ(numNumList(head, 0), 0);
  NumListNode* tail = addNumList(head, 5);
  addNumList(tail, -7);
  addNumList(head, 9);  // from the head it still appends at the end
  EXPECT_EQ(lenNumList(head), 3);
  EXPECT_EQ(numNumList(head, 0), 5);
  EXPECT_EQ(numNumList(head, 1), -7);
  EXPECT_EQ(numNumList(head, 2), 9);
  EXPECT_EQ(numNumList(head, 3), 0);
  EXPECT_EQ(numNumList(head, -1), 0);
  freeNumList(head);
}

}  // namespace
