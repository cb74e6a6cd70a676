#include "cad/gcode/programBuffer.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

TextCursor gText;

// Text is handed to the sink in blocks of sizeof(gOut.buf).
static struct {
  char buf[1 << 16];
  GcodeSink sink;
  void* ctx;
} gOut;
static_assert(sizeof(gOut.buf) > 8 * LINE_ROOM, "output buffer holds many lines");

// A recording holds up to PASS_TEXT_MAX bytes; a longer one is given up.
// A marked number has four characters at least ("0.00"), so the marks of a
// full recording fit in PASS_MARKS_MAX.
enum { PASS_TEXT_MAX = 1 << 20, PASS_MARKS_MAX = PASS_TEXT_MAX / 4 };
static struct {
  char text[PASS_TEXT_MAX];
  uint32_t marks[PASS_MARKS_MAX];  // offsets of the marked numbers in text
  size_t markCount;
  size_t len;      // of the last recording
  int recording;
  char* outputAt;  // where the text in gOut.buf ends while recording
} gPass;

namespace {

void _toOutput(char* at) {
  gText.at = at;
  gText.end = gOut.buf + sizeof(gOut.buf);
}

// Hands the text in gOut.buf to the sink (gOut.buf being the target).
void _flush() {
  size_t len = static_cast<size_t>(gText.at - gOut.buf);
  if (len && !gText.failed && !gOut.sink(gOut.ctx, gOut.buf, len)) gText.failed = 1;
  gText.at = gOut.buf;
}

// Appends data to the text in gOut.buf.
void _write(const char* data, size_t size) {
  while (size && !gText.failed) {
    if (gText.at == gText.end) _flush();
    size_t n = std::min(size, static_cast<size_t>(gText.end - gText.at));
    memcpy(gText.at, data, n);
    gText.at += n;
    data += n;
    size -= n;
  }
}

// Back to gOut.buf, and the recorded text out.
void _stopRecording() {
  gPass.len = static_cast<size_t>(gText.at - gPass.text);
  gPass.recording = 0;
  _toOutput(gPass.outputAt);
  _write(gPass.text, gPass.len);
}

}  // namespace

void textBegin(GcodeSink sink, void* ctx) {
  _toOutput(gOut.buf);
  gOut.sink = sink;
  gOut.ctx = ctx;
  gText.failed = 0;
  gPass.recording = 0;
}

int textEnd() {
  _flush();
  return !gText.failed;
}

void textMakeRoom() {
  if (gPass.recording) _stopRecording();  // grown too long: given up
  if (gText.end - gText.at < LINE_ROOM) _flush();
}

void passRecord() {
  gPass.markCount = 0;
  gPass.recording = 1;
  gPass.outputAt = gText.at;
  gText.at = gPass.text;
  gText.end = gPass.text + sizeof(gPass.text);
}

void passMark(const char* at) {
  if (gPass.recording) gPass.marks[gPass.markCount++] = static_cast<uint32_t>(at - gPass.text);
}

int passEnd() {
  if (!gPass.recording) return 0;
  _stopRecording();
  return 1;
}

void passRepeat(size_t markedLen, const char* number, size_t len) {
  size_t at = 0;
  for (size_t i = 0; i < gPass.markCount; i++) {
    _write(gPass.text + at, gPass.marks[i] - at);
    _write(number, len);
    at = gPass.marks[i] + markedLen;
  }
  _write(gPass.text + at, gPass.len - at);
}
