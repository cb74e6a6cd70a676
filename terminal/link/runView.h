// What the sender thread asks the Run dialog and the editor to show, held
// until the user-interface thread shows it: the log text in order, the
// latest progress position and first visible line, the lines to mark in
// order. The sender thread never waits for the user-interface thread to
// draw, and that thread draws a whole batch at once.
#pragma once

#include <string>
#include <vector>

struct RunViewChanges {
  std::string log;        // text to append to the log
  int progress = -1;      // progress position to set; -1 for none
  int scrollLine = 0;     // editor line to show first; 0 for none
  std::vector<int> marks;  // lines to mark, in order
};

void viewAppendLog(const char* text);
void viewSetProgress(int position);
void viewScrollTo(int line);
void viewMarkLine(int line);

// Everything asked for since the last call, leaving nothing held.
RunViewChanges viewTakeChanges();
