// Lexer of the graphics command language: a one-character look-ahead reader
// over the command text, the token types and tables, the scanners, token
// matching, the two error reporters and the number list used for point lists.
// All state is global: one text is interpreted at a time. The names live in
// namespace lang because <windows.h> already has a global TokenType.
#pragma once

namespace lang {

// Token types; TOKEN_STR holds their names in this order.
enum {
  TK_NIL, TK_NAME, TK_STRING_LITERAL, TK_NUMBER_LITERAL,
  TK_ANCHOROFF, TK_ANCHORX, TK_ANCHORXY, TK_ANCHORY, TK_AUTOSIZEON,
  TK_AUTOSIZEOFF, TK_BACKCOLOR, TK_BOX, TK_BOXFILLED, TK_CIRCLE,
  TK_CIRCLEFILLED, TK_CLS, TK_COLOR, TK_DRAWBMP, TK_ELLIPSE,
  TK_ELLIPSEFILLED, TK_FILL, TK_FLIP, TK_FLOODFILL, TK_FONT, TK_LINE, TK_PIE,
  TK_PIEFILLED, TK_POLY, TK_POLYFILLED, TK_RULE, TK_SCROLLXON, TK_SCROLLYON,
  TK_SCROLLXOFF, TK_SCROLLYOFF, TK_SCROLLTOX, TK_SCROLLTOY,
  TK_SCROLLTOCENTERX, TK_SCROLLTOCENTERY, TK_SETPIXEL, TK_SIZE, TK_STYLE,
  TK_TEXT, TK_TEXTFILLED, TK_TRANSBMP,
  TK_AHOYBOYS,
  TK_YELLOW, TK_BROWN, TK_RED, TK_DARKRED, TK_PINK, TK_DARKPINK, TK_BLUE,
  TK_DARKBLUE, TK_GREEN, TK_DARKGREEN, TK_CYAN, TK_DARKCYAN, TK_WHITE,
  TK_BLACK, TK_LIGHTGRAY, TK_DARKGRAY,
  TK_UNDERLINE, TK_ITALIC, TK_STRIKEOUT, TK_BOLD, TK_CENTER, TK_ENDLINE,
  TOKEN_COUNT
};

extern const char* const TOKEN_STR[TOKEN_COUNT];

// Rows of token type, red, green, blue for the 16 colour keywords.
extern const int colorTable[16][4];

// Token buffers, terminating zero included.
const int NAME_BUFFER_SIZE = 100;
const int NUMBER_BUFFER_SIZE = 100;
const int STRING_BUFFER_SIZE = 1024;

extern const char* SourceText;       // the text being interpreted
extern const char* SourceTextIndex;  // next character to read
extern char Look;                    // look-ahead character, 0 at the end
extern int TokenType;
extern char* TokenValue;  // heap copy of the token's text, or null
extern unsigned int gErrorBoxTick;     // tick count of the last "Error" box
extern unsigned int gExpectedBoxTick;  // tick count of the last "Expected" box

void setSourceText(const char* text);
char readChar();
void getChar();
void skipWhite();
void setToken(int type, const char* text);
void getName();
void getNumber();
void getString();
void getKeyword();
int doKeywordCmp(const char* keyword, int type);
int getToken();
int matchToken(int type);
int colorTableFind(int type, int* red, int* green, int* blue);
void error(const char* message);
void expected(const char* what);

// Singly linked list of 32-bit values behind a head node without a value.
struct NumListNode {
  NumListNode* next;
  int value;
};

NumListNode* newNumList();
// Appends after the last node reachable from `list` and returns the new node,
// so passing the previous result as `list` appends in constant time.
NumListNode* addNumList(NumListNode* list, int value);
int numNumList(const NumListNode* head, int k);
int lenNumList(const NumListNode* head);
void freeNumList(NumListNode* head);

}  // namespace lang
