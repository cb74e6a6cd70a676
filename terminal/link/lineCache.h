// Lines of the editor fetched ahead of the sender thread, a block at a time.
// The editor belongs to the user-interface thread, and each question put to
// it from another thread waits for that thread; holding the next lines lets
// the sender take a line without waiting. The editor is read-only while a
// connection is open; every user command drops what is held, so each Run
// reads the editor afresh.
#pragma once

#include <string>
#include <vector>

const int LINE_BLOCK = 1024;  // lines fetched at a time

// A block of lines to fetch, from line `from` on. A request made before the
// last reset is stale and its lines are not stored.
struct LineRequest {
  unsigned generation;
  int from;
};

// Splits text, lines that each end in a CR, into exactly `expected` lines;
// false when it holds another number of lines or text after its last CR.
bool splitLines(const char* text, int length, int expected, std::vector<std::string>* lines);

// User-interface thread: drops every line held and the line count.
void lineCacheReset();
// Stores the editor's line count and, from request.from on, the lines
// fetched; false (nothing stored) for a stale request.
bool lineCacheStore(const LineRequest& request, int lineCount, std::vector<std::string> lines);

// The editor's line count when the lines held were fetched; -1 when none is
// held.
int lineCacheCount();
// Line n (1-based) when it is held: a copy made with malloc in *text (null
// when memory ran out) and true. Lines before n are dropped.
bool lineCacheTake(int n, char** text);
// A request for the block from line n on.
LineRequest lineCacheRequest(int n);
// True when few lines are held after line n, more exist, and no fetch of
// them is under way: *request is then the fetch to start (it counts as
// under way until its lines are stored or the cache is reset).
bool lineCacheWantsMore(int n, LineRequest* request);
