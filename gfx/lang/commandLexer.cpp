#include "gfx/lang/commandLexer.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "gfx/messageLimit.h"
#include "gfx/textEscapes.h"

namespace lang {

const char* const TOKEN_STR[TOKEN_COUNT] = {
    "NIL", "NAME", "STRING_LITERAL", "NUMBER_LITERAL",
    "ANCHOROFF", "ANCHORX", "ANCHORXY", "ANCHORY", "AUTOSIZEON",
    "AUTOSIZEOFF", "BACKCOLOR", "BOX", "BOXFILLED", "CIRCLE", "CIRCLEFILLED",
    "CLS", "COLOR", "DRAWBMP", "ELLIPSE", "ELLIPSEFILLED", "FILL", "FLIP",
    "FLOODFILL", "FONT", "LINE", "PIE", "PIEFILLED", "POLY", "POLYFILLED",
    "RULE", "SCROLLXON", "SCROLLYON", "SCROLLXOFF", "SCROLLYOFF", "SCROLLTOX",
    "SCROLLTOY", "SCROLLTOCENTERX", "SCROLLTOCENTERY", "SETPIXEL", "SIZE",
    "STYLE", "TEXT", "TEXTFILLED", "TRANSBMP",
    "AHOYBOYS",
    "YELLOW", "BROWN", "RED", "DARKRED", "PINK", "DARKPINK", "BLUE",
    "DARKBLUE", "GREEN", "DARKGREEN", "CYAN", "DARKCYAN", "WHITE", "BLACK",
    "LIGHTGRAY", "DARKGRAY",
    "UNDERLINE", "ITALIC", "STRIKEOUT", "BOLD", "CENTER", "ENDLINE"};

const int colorTable[16][4] = {
    {TK_YELLOW, 255, 255, 0},   {TK_BROWN, 140, 70, 20},
    {TK_RED, 255, 0, 0},        {TK_DARKRED, 128, 0, 0},
    {TK_PINK, 255, 20, 147},    {TK_DARKPINK, 128, 10, 70},
    {TK_BLUE, 0, 0, 255},       {TK_DARKBLUE, 0, 0, 128},
    {TK_GREEN, 0, 255, 0},      {TK_DARKGREEN, 0, 128, 0},
    {TK_CYAN, 0, 255, 255},     {TK_DARKCYAN, 0, 128, 128},
    {TK_WHITE, 255, 255, 255},  {TK_BLACK, 0, 0, 0},
    {TK_LIGHTGRAY, 170, 170, 170}, {TK_DARKGRAY, 85, 85, 85}};

namespace {

// The font switches are written as single letters.
const struct {
  const char* text;
  int type;
} SWITCH_KEYWORDS[] = {
    {"U", TK_UNDERLINE}, {"S", TK_STRIKEOUT}, {"I", TK_ITALIC}, {"B", TK_BOLD}};

}  // namespace

const char* SourceText = "";
const char* SourceTextIndex = SourceText;
char Look = 0;
int TokenType = TK_NIL;
char* TokenValue = nullptr;
unsigned int gErrorBoxTick = 0;
unsigned int gExpectedBoxTick = 0;

namespace {

bool _isLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool _isDigit(char c) { return c >= '0' && c <= '9'; }

bool _isWhite(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return u >= 1 && u <= 32;
}

char _upper(char c) { return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c; }

}  // namespace

void setSourceText(const char* text) {
  SourceText = text ? text : "";
  SourceTextIndex = SourceText;
}

char readChar() {
  char c = *SourceTextIndex;
  if (c != 0) SourceTextIndex++;  // stay on the terminating zero
  return c;
}

void getChar() { Look = readChar(); }

void skipWhite() {
  while (_isWhite(Look)) getChar();
}

void setToken(int type, const char* text) {
  TokenType = type;
  std::free(TokenValue);
  TokenValue = nullptr;
  if (text) {
    size_t size = std::strlen(text) + 1;
    TokenValue = static_cast<char*>(std::malloc(size));
    if (TokenValue) std::memcpy(TokenValue, text, size);
  }
}

namespace {

// Stores c in a token buffer of `size` bytes, keeping room for the zero. A
// full buffer is reported; the look-ahead character survives the report, so
// the characters after the cut start the next token.
bool _store(char* buffer, int& length, int size, char c, const char* overflowMessage) {
  if (length >= size - 1) {
    char cut = Look;
    error(overflowMessage);
    Look = cut;
    return false;
  }
  buffer[length++] = c;
  return true;
}

}  // namespace

void getName() {
  char name[NAME_BUFFER_SIZE];
  int length = 0;
  while (_isLetter(Look) || _isDigit(Look)) {
    if (!_store(name, length, sizeof name, _upper(Look),
                "name is longer than buffer size"))
      break;
    getChar();
  }
  name[length] = 0;
  setToken(TK_NAME, name);
}

void getNumber() {
  char number[NUMBER_BUFFER_SIZE];
  int length = 0;
  bool ok = true;
  auto take = [&]() {
    ok = _store(number, length, sizeof number, Look,
                "number is longer than buffer size");
    if (ok) getChar();
  };
  if (Look == '-') take();
  bool dot = false;
  while (ok && (_isDigit(Look) || (Look == '.' && !dot))) {
    if (Look == '.') dot = true;
    take();
  }
  if (ok && (Look == 'e' || Look == 'E')) {
    take();
    if (ok && Look == '-') take();
    while (ok && _isDigit(Look)) take();
  }
  number[length] = 0;
  setToken(TK_NUMBER_LITERAL, number);
}

// Reads a quoted string and steps over its closing quote. A string without
// a closing quote ends at the end of the text.
void getString() {
  char text[STRING_BUFFER_SIZE];
  int length = 0;
  getChar();
  while (Look != '\'' && Look != 0) {
    char c = Look;
    if (c == '\\') {
      getChar();
      c = escapeChar(Look);
      // The zero stored in place of a bad escape ends the string's text;
      // reading goes on to the closing quote, so the look-ahead survives
      // the report as it does a buffer-size cut.
      if (c == 0) {
        char escaped = Look;
        expected("Valid string escape sequence");
        Look = escaped;
      }
    }
    if (!_store(text, length, sizeof text, c, "string is longer than buffer size"))
      break;
    getChar();
  }
  text[length] = 0;
  setToken(TK_STRING_LITERAL, text);
  if (Look == '\'') getChar();
}

int doKeywordCmp(const char* keyword, int type) {
  if (!TokenValue || std::strcmp(TokenValue, keyword) != 0) return 0;
  setToken(type, nullptr);
  return 1;
}

void getKeyword() {
  getName();
  for (int type = TK_ANCHOROFF; type <= TK_DARKGRAY; type++)
    if (doKeywordCmp(TOKEN_STR[type], type)) return;
  for (const auto& k : SWITCH_KEYWORDS)
    if (doKeywordCmp(k.text, k.type)) return;
  if (doKeywordCmp("CENTER", TK_CENTER)) return;
  expected("keyword");
}

int getToken() {
  if (_isLetter(Look)) {
    getKeyword();
  } else if (_isDigit(Look) || Look == '.' || Look == '-') {
    getNumber();
  } else if (Look == 0) {
    setToken(TK_NIL, nullptr);
  } else if (Look == '\'') {
    getString();
  } else if (Look == ';') {
    setToken(TK_ENDLINE, nullptr);
    getChar();
  } else {
    expected("valid token");
    getChar();
  }
  skipWhite();
  return TokenType;
}

int matchToken(int type) {
  if (TokenType == type) return getToken();
  expected(TOKEN_STR[type]);
  return TokenType;
}

int colorTableFind(int type, int* red, int* green, int* blue) {
  for (const auto& row : colorTable) {
    if (row[0] != type) continue;
    if (red) *red = row[1];
    if (green) *green = row[2];
    if (blue) *blue = row[3];
    return 1;
  }
  return 0;
}

namespace {

// Shows a box unless one of the same kind was shown in the last interval,
// then ends the text as far as the interpreter is concerned.
void _report(const char* text, const char* caption, unsigned int* lastTick) {
  limitedMessageBox(text, caption, lastTick);
  Look = 0;
  setToken(TK_NIL, nullptr);
}

}  // namespace

void error(const char* message) {
  char text[1000];
  std::snprintf(text, sizeof text, "Error: %s\n\n%s\n%s", message, SourceText,
                SourceTextIndex);
  _report(text, "Error", &gErrorBoxTick);
}

void expected(const char* what) {
  char text[1000];
  std::snprintf(text, sizeof text, "Expected %s, found %s\n\n%s\n%s", what,
                TOKEN_STR[TokenType], SourceText, SourceTextIndex);
  _report(text, "Expected", &gExpectedBoxTick);
}

NumListNode* newNumList() {
  return static_cast<NumListNode*>(std::calloc(1, sizeof(NumListNode)));
}

NumListNode* addNumList(NumListNode* list, int value) {
  if (!list) return nullptr;
  while (list->next) list = list->next;
  NumListNode* node = static_cast<NumListNode*>(std::malloc(sizeof(NumListNode)));
  if (!node) return nullptr;
  node->next = nullptr;
  node->value = value;
  list->next = node;
  return node;
}

int numNumList(const NumListNode* head, int k) {
  if (!head || k < 0) return 0;
  for (const NumListNode* node = head->next; node; node = node->next, k--)
    if (k == 0) return node->value;
  return 0;
}

int lenNumList(const NumListNode* head) {
  int count = 0;
  for (const NumListNode* node = head ? head->next : nullptr; node; node = node->next)
    count++;
  return count;
}

void freeNumList(NumListNode* head) {
  while (head) {
    NumListNode* next = head->next;
    std::free(head);
    head = next;
  }
}

}  // namespace lang
