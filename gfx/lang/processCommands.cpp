#include "gfx/lang/processCommands.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "gfx/lang/commandLexer.h"

namespace lang {
namespace {

// The control the current text draws into.
HWND SourceHWnd = nullptr;
bool gRunning = false;

// Truncates toward zero into 64 bits and keeps the low 32 bits. Values out of
// the 64-bit range saturate and NaN gives 0, so no input reaches an undefined
// conversion.
int _toInt(double value) {
  const double LIMIT = 9223372036854775808.0;  // 2^63
  int64_t whole = 0;
  if (value >= LIMIT)
    whole = INT64_MAX;
  else if (value <= -LIMIT)
    whole = INT64_MIN;
  else if (!std::isnan(value))
    whole = static_cast<int64_t>(value);
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(whole)));
}

// The current token's text read with strtoul, 0 when it has no text. A
// string where a number belongs is still read before it is reported.
unsigned long _unsignedValue() {
  return TokenValue ? std::strtoul(TokenValue, nullptr, 10) : 0;
}

double getN() {
  double value = TokenValue ? std::strtod(TokenValue, nullptr) : 0;
  matchToken(TK_NUMBER_LITERAL);
  return value;
}

HBITMAP getHandle() {
  uintptr_t handle = _unsignedValue();
  matchToken(TK_NUMBER_LITERAL);
  return reinterpret_cast<HBITMAP>(handle);
}

// A colour component from the current number, 0 when no number comes.
int _component() {
  unsigned long number = TokenType == TK_NUMBER_LITERAL ? _unsignedValue() : 0;
  int value = static_cast<int>(static_cast<unsigned int>(number));
  matchToken(TK_NUMBER_LITERAL);
  return value;
}

// A colour keyword or three numbers; black when neither comes.
void getColor(int* red, int* green, int* blue) {
  *red = *green = *blue = 0;
  if (colorTableFind(TokenType, red, green, blue)) {
    getToken();
  } else if (TokenType == TK_NUMBER_LITERAL) {
    *red = _component();
    *green = _component();
    *blue = _component();
  } else {
    expected("color definition");
  }
}

// Reads `count` integer arguments in order.
void _getInts(int* values, int count) {
  for (int i = 0; i < count; i++) values[i] = _toInt(getN());
}

// Consumes font switches while they come.
void _getFontSwitches(int* weight, int* italic, int* underline, int* strikeout) {
  for (;; getToken()) {
    switch (TokenType) {
      case TK_BOLD: *weight = 700; break;
      case TK_ITALIC: *italic = 1; break;
      case TK_UNDERLINE: *underline = 1; break;
      case TK_STRIKEOUT: *strikeout = 1; break;
      default: return;
    }
  }
}

// The string argument of FONT, TEXT and TEXTFILLED, or null with the
// missing string reported.
const char* _stringArgument() {
  if (TokenType == TK_STRING_LITERAL) return TokenValue;
  matchToken(TK_STRING_LITERAL);
  return nullptr;
}

// POLY and POLYFILLED: x y pairs while numbers come; a missing last y is 0.
int _poly(int (*operation)(HWND, const POINT*, int)) {
  NumListNode* head = newNumList();
  NumListNode* tail = head;
  while (TokenType == TK_NUMBER_LITERAL) {
    int xy[2];
    _getInts(xy, 2);
    tail = addNumList(tail, xy[0]);
    tail = addNumList(tail, xy[1]);
  }
  int count = lenNumList(head) / 2;
  POINT* points = static_cast<POINT*>(std::malloc(sizeof(POINT) * (count > 0 ? count : 1)));
  if (!points) count = 0;
  const NumListNode* node = head ? head->next : nullptr;
  for (int i = 0; i < count; i++) {
    points[i].x = node->value;
    points[i].y = node->next->value;
    node = node->next->next;
  }
  int result = operation(SourceHWnd, points, count);
  std::free(points);
  freeNumList(head);
  return result;
}

// DRAWBMP and TRANSBMP read two positions; a further number selects the
// stretched form, "CENTER" centres the picture.
bool _stretchedForm(int* xy, int* centre) {
  _getInts(xy, 2);
  *centre = 0;
  if (TokenType == TK_NUMBER_LITERAL) {
    _getInts(xy + 2, 2);
    return true;
  }
  if (TokenType == TK_CENTER) {
    getToken();
    *centre = 1;
  }
  return false;
}

// Interprets one statement and returns the result of the operation it called.
int command() {
  const int type = TokenType;
  if (type == TK_NIL || type == TK_ENDLINE) return type;  // empty statement
  if (type < TK_ANCHOROFF || type > TK_AHOYBOYS) {
    expected("valid command");
    return 0;
  }
  const int next = matchToken(type);
  HWND w = SourceHWnd;
  int v[6] = {0, 0, 0, 0, 0, 0};
  int r, g, b, centre;
  switch (type) {
    case TK_ANCHOROFF:
    case TK_AUTOSIZEOFF: return cmd_autoSizeOff(w);
    case TK_ANCHORX: return cmd_anchorX(w);
    case TK_ANCHORXY: return cmd_anchorXY(w);
    case TK_ANCHORY: return cmd_anchorY(w);
    case TK_AUTOSIZEON: return cmd_autoSize(w);
    case TK_CLS: return cmd_cls(w);
    case TK_FLIP: return cmd_flip(w);
    case TK_SCROLLXOFF: return cmd_horzScrollOff(w);
    case TK_SCROLLYOFF: return cmd_vertScrollOff(w);
    case TK_AHOYBOYS: return next;

    case TK_BACKCOLOR: getColor(&r, &g, &b); return cmd_backColor(w, r, g, b);
    case TK_COLOR: getColor(&r, &g, &b); return cmd_color(w, r, g, b);
    case TK_FILL: getColor(&r, &g, &b); return cmd_fill(w, r, g, b);

    case TK_RULE: _getInts(v, 1); return cmd_rule(w, v[0]);
    case TK_SCROLLXON: _getInts(v, 1); return cmd_horzScroll(w, v[0]);
    case TK_SCROLLYON: _getInts(v, 1); return cmd_vertScroll(w, v[0]);
    case TK_SCROLLTOX: _getInts(v, 1); return cmd_scrollToX(w, v[0]);
    case TK_SCROLLTOY: _getInts(v, 1); return cmd_scrollToY(w, v[0]);
    case TK_SCROLLTOCENTERX: _getInts(v, 1); return cmd_scrollToCenterX(w, v[0]);
    case TK_SCROLLTOCENTERY: _getInts(v, 1); return cmd_scrollToCenterY(w, v[0]);
    case TK_SIZE: _getInts(v, 1); return cmd_size(w, v[0]);
    case TK_STYLE: _getInts(v, 1); return cmd_style(w, v[0]);
    case TK_FLOODFILL: _getInts(v, 2); return cmd_floodFill(w, v[0], v[1]);
    case TK_CIRCLE: _getInts(v, 3); return cmd_circle(w, v[0], v[1], v[2]);
    case TK_CIRCLEFILLED: _getInts(v, 3); return cmd_circleFilled(w, v[0], v[1], v[2]);
    case TK_BOX: _getInts(v, 4); return cmd_box(w, v[0], v[1], v[2], v[3]);
    case TK_BOXFILLED: _getInts(v, 4); return cmd_boxFilled(w, v[0], v[1], v[2], v[3]);
    case TK_ELLIPSE: _getInts(v, 4); return cmd_ellipse(w, v[0], v[1], v[2], v[3]);
    case TK_ELLIPSEFILLED:
      _getInts(v, 4);
      return cmd_ellipseFilled(w, v[0], v[1], v[2], v[3]);
    case TK_LINE: _getInts(v, 4); return cmd_line(w, v[0], v[1], v[2], v[3]);
    // The fifth number is the end angle and the sixth the start angle.
    case TK_PIE: _getInts(v, 6); return cmd_pie(w, v[0], v[1], v[2], v[3], v[5], v[4]);
    case TK_PIEFILLED:
      _getInts(v, 6);
      return cmd_pieFilled(w, v[0], v[1], v[2], v[3], v[5], v[4]);
    case TK_POLY: return _poly(cmd_poly);
    case TK_POLYFILLED: return _poly(cmd_polyFilled);
    case TK_SETPIXEL:
      _getInts(v, 2);
      getColor(&r, &g, &b);
      return cmd_setPixel(w, v[0], v[1], r, g, b);

    case TK_DRAWBMP: {
      HBITMAP bitmap = getHandle();
      if (_stretchedForm(v, &centre))
        return cmd_drawBmpStretch(w, bitmap, v[0], v[1], v[2], v[3]);
      return cmd_drawBmp(w, bitmap, v[0], v[1], centre);
    }
    case TK_TRANSBMP: {
      HBITMAP bitmap = getHandle();
      getColor(&r, &g, &b);
      if (_stretchedForm(v, &centre))
        return cmd_transStretchBmp(w, bitmap, v[0], v[1], v[2], v[3], r, g, b);
      return cmd_transBmp(w, bitmap, v[0], v[1], r, g, b, centre);
    }

    case TK_FONT: {
      int weight = 0, italic = 0, underline = 0, strikeout = 0;
      _getInts(v, 1);
      _getFontSwitches(&weight, &italic, &underline, &strikeout);
      // Without a face name the platform's default face is used.
      cmd_font(w, _stringArgument(), v[0], weight, italic, underline, strikeout);
      return getToken();
    }
    case TK_TEXT:
    case TK_TEXTFILLED: {
      _getInts(v, 5);
      // A missing string draws nothing.
      if (const char* text = _stringArgument()) {
        if (type == TK_TEXT)
          cmd_text(w, v[0], v[1], v[2], v[3], v[4], text);
        else
          cmd_textFilled(w, v[0], v[1], v[2], v[3], v[4], text);
      }
      return getToken();
    }
  }
  return 0;
}

// Runs the statements up to the end of the text or the first error.
int Block() {
  if (TokenType == TK_NIL) return 0;
  for (;;) {
    int value = command();
    if (TokenType == TK_NIL) return value;
    matchToken(TK_ENDLINE);
  }
}

int _interpret(HWND window, const char* text) {
  if (gRunning) return 0;
  gRunning = true;
  SourceHWnd = window;
  setSourceText(text);
  getChar();
  skipWhite();
  getToken();
  int result = Block();
  setToken(TK_NIL, nullptr);  // free the last token's text
  setSourceText(nullptr);     // keep no pointer into the caller's text
  gRunning = false;
  return result;
}

}  // namespace
}  // namespace lang

int graphicCommand(HWND window, const char* text) {
  return lang::_interpret(window, text);
}
