// Which lines of the editor's text a paint covers, where they stand, and
// the text of those lines kept from one paint to the next.
//
// The editor's control shows its plain text in rows of one height, one row
// a line (it does not wrap), so line i's top is textTop + i * lineHeight,
// textTop being the top of line 0 (above the window once scrolled). Asking
// the control where a line starts, or for the text there, walks its text
// from the start: deep in a long text each such question costs a third of
// the control's own paint. So the paint keeps the text of the lines around
// the view and asks again only for what a change may have touched.
#pragma once

#include <string>

struct PaintSpan {
  int first;
  int last;  // below first: nothing to paint
};

// The lines a paint of the band [top, bottom) covers: from the first
// visible line, and the one above it when there is one, to the last line
// whose top lies above bottom. lineHeight 0 stands for a text of one line.
PaintSpan paintSpan(long textTop, int lineHeight, int lineCount, long top, long bottom);

// The first line visible at the top of the band, as the control counts it.
int firstVisibleLine(long textTop, int lineHeight, int lineCount, long top);

// A run of whole lines of the text: line firstLine starts at character
// start, and text holds the characters from there on, each line ended by
// '\r' (the control's line break). atEnd: text reaches the end of the text.
struct LineWindow {
  int firstLine = 0;
  long start = 0;
  std::string text;
  bool atEnd = false;
};

// Offset in w.text at which line starts, or -1 when w does not hold it.
long lineOffset(const LineWindow& w, int line);

// True when w holds the lines first to last whole; at the end of the text
// the last line needs no break.
bool holdsLines(const LineWindow& w, int first, int last);

// Line of character c. Characters before w count as the line before it;
// those after it as the line where its text ends, which lies beyond every
// line it holds whole.
int lineOfChar(const LineWindow& w, long c);

// Drops the text before line's start; nothing when w does not hold it.
void trimWindow(LineWindow* w, int line);

// How a message to the control may have changed its text.
enum TextChange {
  TEXT_KEPT = 0,   // not at all: queries, scrolling, the selection
  TEXT_AT_CARET,   // only from the selection's start or the caret on: typing, paste, cut
  TEXT_ANYWHERE    // anywhere: undo, a new text, a new font, anything not known
};

// What the paint keeps of the control's text.
struct LineCache {
  LineWindow window;
  bool textValid = false;   // window.text is what the control holds there
  bool startValid = false;  // window.firstLine still starts at window.start
  long textLength = -1;     // length of the control's text when it was taken
  int lineHeight = 0;       // 0: not measured yet
};

// Takes note of a change. After an edit at the caret the window's first
// line still starts where it did when the edit began and ended at or after
// that start (selMinBefore and selMinAfter: the selection's start before
// and after it). Any change drops the kept text.
void noteTextChange(LineCache* cache, int change, long selMinBefore, long selMinAfter);

// A text whose length moved without a change being noted was changed by a
// way not seen (drag and drop from another program): nothing kept holds.
void checkTextLength(LineCache* cache, long textLength);

// How a paint of span gets its text: margin lines above and below it are
// taken as well, so scrolling by up to margin lines needs no new text.
struct FetchPlan {
  bool needed;        // false: the kept window holds the span
  bool askLineStart;  // the control is asked where line starts
  int line;           // first line of the new window
  long from;          // its start when known
  long size;          // characters to take
};
FetchPlan planFetch(const LineCache& cache, PaintSpan span, int margin, long textLength, int lineCount);
