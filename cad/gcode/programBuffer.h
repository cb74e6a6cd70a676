// The text of a program on its way to its sink: gathered in large blocks,
// and the first pass of an object recorded, so that the other passes are
// copies of it with their own depth.
#pragma once

#include <cstddef>

#include "cad/gcode/generate.h"
#include "cad/gcode/numberFormat.h"

// Room for the longest text one writer adds at a time: a travel, with three
// numbers of up to FIXED2_MAX characters each.
enum { LINE_ROOM = 4 * FIXED2_MAX };

// Where the next text goes, the end of the buffer it goes into, and whether
// the sink has refused text.
struct TextCursor {
  char* at;
  char* end;
  int failed;
};
extern TextCursor gText;

// Starts a run writing to sink.
void textBegin(GcodeSink sink, void* ctx);
// Hands the rest of the text to the sink; 1 if it took all of the run's.
int textEnd();
// 1 once the sink has refused text: nothing more is handed over, and
// writers stop early.
inline int textFailed() {
  return gText.failed;
}
// Makes room for LINE_ROOM bytes at gText.at.
void textMakeRoom();

// Where a writer puts its text, LINE_ROOM bytes at most; it hands the end
// of its text to textDone.
inline char* textLine() {
  if (gText.end - gText.at < LINE_ROOM) textMakeRoom();
  return gText.at;
}

inline void textDone(char* end) {
  gText.at = end;
}

// Records the text from here on instead of handing it over.
void passRecord();
// While recording: a number that differs between the passes begins at at,
// in the text being written.
void passMark(const char* at);
// Ends the recording and writes the recorded text out. 1 if it can be
// repeated; 0 if it grew too long and was written out as it went.
int passEnd();
// Writes the recorded text again, every marked number (markedLen
// characters) replaced by number (len characters).
void passRepeat(size_t markedLen, const char* number, size_t len);
