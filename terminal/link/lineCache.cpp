#include "terminal/link/lineCache.h"

#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>

namespace {

std::mutex gCacheLock;
unsigned gGeneration = 0;
int gLineCount = -1;
int gFirst = 1;                  // number of the first line held
std::deque<std::string> gLines;  // lines gFirst, gFirst + 1, ...
bool gFetching = false;

int _end() { return gFirst + static_cast<int>(gLines.size()); }  // first line not held

}  // namespace

bool splitLines(const char* text, int length, int expected, std::vector<std::string>* lines) {
  lines->clear();
  int start = 0;
  for (int i = 0; i < length; ++i)
    if (text[i] == '\r') {
      lines->emplace_back(text + start, text + i);
      start = i + 1;
    }
  return start == length && static_cast<int>(lines->size()) == expected;
}

void lineCacheReset() {
  std::lock_guard<std::mutex> hold(gCacheLock);
  ++gGeneration;
  gLineCount = -1;
  gFirst = 1;
  gLines.clear();
  gFetching = false;
}

bool lineCacheStore(const LineRequest& request, int lineCount, std::vector<std::string> lines) {
  std::lock_guard<std::mutex> hold(gCacheLock);
  if (request.generation != gGeneration) return false;
  gLineCount = lineCount;
  gFetching = false;
  if (gLines.empty() || request.from != _end()) {
    gLines.clear();
    gFirst = request.from;
  }
  for (std::string& line : lines) gLines.push_back(std::move(line));
  return true;
}

int lineCacheCount() {
  std::lock_guard<std::mutex> hold(gCacheLock);
  return gLineCount;
}

bool lineCacheTake(int n, char** text) {
  std::lock_guard<std::mutex> hold(gCacheLock);
  if (n < gFirst || n >= _end()) return false;
  while (gFirst < n) {
    gLines.pop_front();
    ++gFirst;
  }
  const std::string& line = gLines.front();
  *text = static_cast<char*>(std::malloc(line.size() + 1));
  if (*text) std::memcpy(*text, line.c_str(), line.size() + 1);
  return true;
}

LineRequest lineCacheRequest(int n) {
  std::lock_guard<std::mutex> hold(gCacheLock);
  return LineRequest{gGeneration, n};
}

bool lineCacheWantsMore(int n, LineRequest* request) {
  std::lock_guard<std::mutex> hold(gCacheLock);
  if (n < gFirst || n >= _end()) return false;
  if (gFetching || _end() > gLineCount || _end() - n > LINE_BLOCK / 2) return false;
  gFetching = true;
  *request = LineRequest{gGeneration, _end()};
  return true;
}
