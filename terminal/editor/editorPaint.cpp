#include "terminal/editor/editorPaint.h"

#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "terminal/editor/editor.h"
#include "terminal/editor/editorView.h"
#include "terminal/editor/gcodeTokens.h"
#include "terminal/editor/gutterBands.h"

namespace {

const int DEFAULT_TAB_TWIPS = 720;  // the control's tab stops without a paragraph format

// One line being coloured: its characters, where it stands, and where each
// character ends, measured in the editor font from the line's left.
struct PaintLine {
  HDC dc;
  CHARRANGE sel;
  const char* text;
  int n;
  long start;                  // character position of the line's start
  long left, top;              // position of the line's start
  std::vector<int> ends;       // ends[i]: right of character i, from left
};

long _charX(const PaintLine& line, int offset) { return line.left + (offset > 0 ? line.ends[offset - 1] : 0); }

// Character ends as the control lays the line out: tabs run to the next
// stop, the stops lying every tabWidth pixels from the line's left.
void _measure(PaintLine* line, int tabWidth) {
  line->ends.assign(line->n, 0);
  int x = 0;
  for (int i = 0; i < line->n;) {
    if (line->text[i] == '\t') {
      x = (x / tabWidth + 1) * tabWidth;
      line->ends[i++] = x;
      continue;
    }
    int j = i;
    while (j < line->n && line->text[j] != '\t') ++j;
    SIZE size;
    GetTextExtentExPointA(line->dc, line->text + i, j - i, 0, nullptr, &line->ends[i], &size);
    for (int k = i; k < j; ++k) line->ends[k] += x;
    x = line->ends[j - 1];
    i = j;
  }
}

// Draws k characters from offset s unless they overlap the selection, which
// keeps the control's own selection colours.
void DrawToken(const PaintLine& line, int s, int k) {
  if (RangesOverlap(line.sel.cpMin, line.sel.cpMax, line.start + s, k)) return;
  long x1 = _charX(line, s), x2 = _charX(line, s + k);
  RECT clip = {x1 + 1, line.top, x2 - 1, 20000};
  ExtTextOutA(line.dc, x1, line.top, ETO_CLIPPED, &clip, line.text + s, k, nullptr);
}

// Draws the words of k characters from offset s, each at its own position.
void DrawWords(const PaintLine& line, int s, int k) {
  std::vector<TextRun> runs(k);
  int count = wordRuns(line.text + s, k, runs.data(), k);
  for (int r = 0; r < count; ++r) {
    int at = s + runs[r].start;
    if (RangesOverlap(line.sel.cpMin, line.sel.cpMax, line.start + at, runs[r].length)) continue;
    ExtTextOutA(line.dc, _charX(line, at), line.top, 0, nullptr, line.text + at, runs[r].length, nullptr);
  }
}

// Colours the tokens of one line that reach into the formatting rectangle.
void _colourLine(const PaintLine& line, EditorInfo* info, const RECT& rc) {
  std::vector<GcodeToken> tokens(line.n);
  int count = gcodeTokenise(line.text, line.n, tokens.data(), line.n);
  COLORREF current = CLR_INVALID;
  for (int t = 0; t < count; ++t) {
    const GcodeToken& tk = tokens[t];
    if (_charX(line, tk.start) >= rc.right) break;               // the rest is right of it
    if (_charX(line, tk.start + tk.length) < rc.left) continue;  // wholly left of it
    COLORREF colour = EditorSlotColour(info, gcodeTokenSlot(tk.cls));
    if (colour != current) SetTextColor(line.dc, current = colour);
    if (tk.cls == TOKEN_COMMENT)
      DrawWords(line, tk.start, tk.length);
    else
      DrawToken(line, tk.start, tk.length);
  }
}

}  // namespace

void ColourLines(HWND editor, EditorInfo* info, const EditorView& v) {
  const LineWindow& w = *v.window;
  long at = lineOffset(w, v.span.first);
  if (at < 0) return;
  HDC dc = GetDC(editor);
  HGDIOBJ oldFont = SelectObject(dc, info->font);
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, info->background);
  HRGN clip = CreateRectRgnIndirect(&v.rc);
  SelectClipRgn(dc, clip);
  int tabWidth = std::max(1, MulDiv(DEFAULT_TAB_TWIPS, GetDeviceCaps(dc, LOGPIXELSX), 1440));
  PaintLine line;
  line.dc = dc;
  line.sel = GetEditorSelection(editor);
  line.left = v.lineLeft;
  for (int i = v.span.first; i <= v.span.last && at < static_cast<long>(w.text.size()); ++i) {
    size_t end = w.text.find('\r', at);
    if (end == std::string::npos) end = w.text.size();
    line.text = w.text.data() + at;
    line.n = static_cast<int>(end - at);
    line.start = w.start + at;
    line.top = v.textTop + static_cast<long>(i) * v.lineHeight;
    if (line.n > 0) {
      _measure(&line, tabWidth);
      _colourLine(line, info, v.rc);
    }
    at = static_cast<long>(end) + 1;
  }
  SelectClipRgn(dc, nullptr);
  DeleteObject(clip);
  SelectObject(dc, oldFont);
  ReleaseDC(editor, dc);
}

void DrawGutterView(HWND editor, EditorInfo* info, const EditorView& v) {
  HDC gdc = info->gutterDC;
  if (!gdc) return;
  int width = info->gutterWidth;
  HGDIOBJ oldFont = SelectObject(gdc, info->font);
  long bottom = std::min<long>(v.rc.bottom, GUTTER_HEIGHT);
  RECT area = {0, 0, width, bottom};
  HBRUSH brush = CreateSolidBrush(info->slot4);
  FillRect(gdc, &area, brush);
  DeleteObject(brush);

  CHARRANGE sel = GetEditorSelection(editor);
  long lastChar = sel.cpMax > sel.cpMin ? sel.cpMax - 1 : sel.cpMax;
  int first = v.span.first, last = v.span.last;
  std::vector<GutterBand> bands(last >= first ? last - first + 1 : 0);
  gutterBands(first, last, lineOfChar(*v.window, sel.cpMin), lineOfChar(*v.window, lastChar), info->marks,
              info->markCount, bands.data());
  char label[64];
  for (int i = first; i <= last; ++i) {
    long top = v.textTop + static_cast<long>(i) * v.lineHeight;
    std::snprintf(label, sizeof(label), "             %i             ", i + 1);
    GutterBand band = bands[i - first];
    SetBkMode(gdc, band == BAND_PLAIN ? TRANSPARENT : OPAQUE);
    if (band != BAND_PLAIN) SetBkColor(gdc, band == BAND_MARKED ? info->slot10 : info->slot3);
    SetTextColor(gdc, band == BAND_SELECTED ? info->slot2 : info->slot1);
    RECT row = {0, top, width, bottom};
    DrawTextA(gdc, label, -1, &row, DT_CENTER | DT_SINGLELINE | DT_NOCLIP);
  }
  SelectObject(gdc, oldFont);
  HDC dc = GetDC(editor);
  BitBlt(dc, 0, 0, width, bottom, gdc, 0, 0, SRCCOPY);
  ReleaseDC(editor, dc);
}

void DrawGutter(HWND editor, EditorInfo* info) {
  EditorView view;
  if (GetEditorView(editor, info, &view)) DrawGutterView(editor, info, view);
}
