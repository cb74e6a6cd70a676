// Fuzzes the editor's portable decisions with arbitrary bytes: the check of
// a file before it opens, stream pieces, comment words and the line window
// the paint keeps, each against a plain recount of the same bytes.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "terminal/editor/gcodeTokens.h"
#include "terminal/editor/paintView.h"
#include "terminal/editor/programText.h"
#include "terminal/editor/streamPieces.h"

namespace {

void check(bool ok) {
  if (!ok) std::abort();
}

void checkProgramCheck(const std::string& bytes) {
  ProgramTextCheck c = checkProgramText(bytes.data(), bytes.size());
  // Recount: lines split at CR LF, CR or LF.
  size_t line = 1, length = 0;
  bool found = false;
  for (size_t i = 0; i <= bytes.size() && !found; ++i) {
    bool end = i == bytes.size() || bytes[i] == '\r' || bytes[i] == '\n';
    if (!end) {
      if (bytes[i] == '\0') {
        size_t j = i;
        while (j < bytes.size() && bytes[j] != '\r' && bytes[j] != '\n') ++j;
        check(c.kind == TEXT_NUL_BYTE && c.line == line && c.length == j - (i - length));
        found = true;
      }
      ++length;
      continue;
    }
    if (length > LONGEST_PROGRAM_LINE) {
      check(c.kind == TEXT_LONG_LINE && c.line == line && c.length == length);
      found = true;
    }
    if (i + 1 < bytes.size() && bytes[i] == '\r' && bytes[i + 1] == '\n') ++i;
    ++line;
    length = 0;
  }
  if (!found) check(c.kind == PROGRAM_TEXT);
}

void checkStreamPieces(const std::string& bytes, size_t room) {
  std::string joined;
  for (size_t at = 0; at < bytes.size();) {
    size_t n = streamPieceSize(bytes.data() + at, bytes.size() - at, room);
    check(n >= 1 && n <= room);
    check(n == 1 || at + n == bytes.size() || bytes[at + n - 1] != '\r' || bytes[at + n] != '\n');
    joined.append(bytes, at, n);
    at += n;
  }
  check(joined == bytes);
}

void checkWordRuns(const std::string& bytes) {
  int n = static_cast<int>(bytes.size());
  std::vector<TextRun> runs(n + 1);
  int count = wordRuns(bytes.data(), n, runs.data(), n + 1);
  auto visible = [&](int i) {
    unsigned char c = static_cast<unsigned char>(bytes[i]);
    return c >= 0x21 && c <= 0x7F;
  };
  std::vector<bool> covered(n, false);
  int end = -1;
  for (int r = 0; r < count; ++r) {
    check(runs[r].length >= 1 && runs[r].start > end);
    for (int i = runs[r].start; i < runs[r].start + runs[r].length; ++i) covered[i] = true;
    end = runs[r].start + runs[r].length;
    check(end == n || !visible(end));  // runs are whole
  }
  for (int i = 0; i < n; ++i) check(covered[i] == visible(i));
}

// The window from the text's first line, against line starts counted anew.
void checkLineWindow(const std::string& bytes, int firstLine, long start) {
  LineWindow w;
  w.firstLine = firstLine;
  w.start = start;
  w.text = bytes;
  std::vector<long> starts = {0};
  for (size_t i = 0; i < bytes.size(); ++i)
    if (bytes[i] == '\r') starts.push_back(static_cast<long>(i) + 1);
  int lines = static_cast<int>(starts.size());
  for (int k = 0; k < lines; ++k) check(lineOffset(w, firstLine + k) == starts[k]);
  check(lineOffset(w, firstLine + lines) == -1 && lineOffset(w, firstLine - 1) == -1);
  for (long c = start - 1; c <= start + static_cast<long>(bytes.size()) + 1; ++c) {
    int line = lineOfChar(w, c);
    if (c < start) {
      check(line == firstLine - 1);
    } else {
      long offset = std::min<long>(c - start, static_cast<long>(bytes.size()));
      int k = static_cast<int>(std::upper_bound(starts.begin(), starts.end(), offset) - starts.begin()) - 1;
      check(line == firstLine + k);
    }
  }
  check(holdsLines(w, firstLine, firstLine + lines - 2) && !holdsLines(w, firstLine, firstLine + lines - 1));
  w.atEnd = true;
  check(holdsLines(w, firstLine, firstLine + lines - 1));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  checkProgramCheck(bytes);
  checkProgramCheck(bytes + bytes);  // lines past the limit fit only in a doubled input
  checkWordRuns(bytes);
  if (size >= 1) checkStreamPieces(bytes.substr(1), 1 + data[0] % 16);
  if (size >= 2) checkLineWindow(bytes.substr(2), data[0], data[1] * 7L);
  return 0;
}
