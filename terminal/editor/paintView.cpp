#include "terminal/editor/paintView.h"

#include <algorithm>

namespace {

// Lines skipped from the kept start rather than asking where a line starts:
// taking a few more characters costs far less than the question.
const long MOST_SKIPPED_CHARACTERS = 65536;

}  // namespace

int firstVisibleLine(long textTop, int lineHeight, int lineCount, long top) {
  long scrolled = top - textTop;
  if (lineHeight <= 0 || lineCount <= 1 || scrolled <= 0) return 0;
  // The control counts a row cut by the band's top as visible.
  long line = scrolled / lineHeight;
  return static_cast<int>(std::min<long>(line, lineCount - 1));
}

PaintSpan paintSpan(long textTop, int lineHeight, int lineCount, long top, long bottom) {
  if (lineCount <= 0 || bottom <= textTop) return {0, -1};
  if (lineHeight <= 0) return {0, 0};
  int visible = firstVisibleLine(textTop, lineHeight, lineCount, top);
  int first = visible > 0 ? visible - 1 : 0;
  long below = (bottom - textTop - 1) / lineHeight;  // last line whose top is above bottom
  int last = static_cast<int>(std::min<long>(below, lineCount - 1));
  return {first, last};
}

long lineOffset(const LineWindow& w, int line) {
  if (line < w.firstLine) return -1;
  size_t at = 0;
  for (int i = w.firstLine; i < line; ++i) {
    size_t end = w.text.find('\r', at);
    if (end == std::string::npos) return -1;
    at = end + 1;
  }
  return static_cast<long>(at);
}

bool holdsLines(const LineWindow& w, int first, int last) {
  if (last < first) return true;
  if (first < w.firstLine) return false;
  long breaks = std::count(w.text.begin(), w.text.end(), '\r');
  long needed = last - w.firstLine + 1;
  return breaks >= needed || (w.atEnd && breaks >= needed - 1);
}

int lineOfChar(const LineWindow& w, long c) {
  if (c < w.start) return w.firstLine - 1;
  size_t offset = std::min(static_cast<size_t>(c - w.start), w.text.size());
  return w.firstLine + static_cast<int>(std::count(w.text.begin(), w.text.begin() + offset, '\r'));
}

void trimWindow(LineWindow* w, int line) {
  long offset = lineOffset(*w, line);
  if (offset < 0) return;
  w->text.erase(0, static_cast<size_t>(offset));
  w->start += offset;
  w->firstLine = line;
}

void noteTextChange(LineCache* cache, int change, long selMinBefore, long selMinAfter) {
  if (change == TEXT_KEPT) return;
  cache->textValid = false;
  cache->textLength = -1;  // the edit moved it: no sign of an unseen change
  if (change == TEXT_AT_CARET && std::min(selMinBefore, selMinAfter) >= cache->window.start) return;
  cache->startValid = false;
  cache->lineHeight = 0;
}

void checkTextLength(LineCache* cache, long textLength) {
  if (cache->textLength >= 0 && cache->textLength != textLength) noteTextChange(cache, TEXT_ANYWHERE, 0, 0);
  cache->textLength = textLength;
}

FetchPlan planFetch(const LineCache& cache, PaintSpan span, int margin, long textLength, int lineCount) {
  FetchPlan plan = {false, false, 0, 0, 0};
  if (span.last < span.first) return plan;
  if (cache.textValid && holdsLines(cache.window, span.first, span.last)) return plan;
  plan.needed = true;
  plan.line = std::max(0, span.first - margin);
  int last = std::max(plan.line, std::min(lineCount - 1, span.last + margin));
  long perLine = (lineCount > 0 ? textLength / lineCount : 0) + 1;
  long offset = cache.textValid ? lineOffset(cache.window, plan.line) : -1;
  const LineWindow& w = cache.window;
  if (offset >= 0) {
    plan.from = w.start + offset;
  } else if (cache.startValid && w.firstLine <= plan.line &&
             (plan.line - w.firstLine) * perLine <= MOST_SKIPPED_CHARACTERS) {
    plan.line = w.firstLine;
    plan.from = w.start;
  } else {
    plan.askLineStart = true;
  }
  // Twice the average line length: one fetch almost always holds them all.
  plan.size = (last - plan.line + 1) * perLine * 2 + 256;
  return plan;
}
