// Where the time of a line goes, as kivo-sim sees it (--timing). For every
// answered frame: what the line takes for the frame and its replies (from
// the frame's first byte to the moment the replies' last byte is due), how
// late the replies went out after that moment, and how long the terminal
// took from the replies to the first byte of its next frame.
#pragma once

#include <string>
#include <vector>

struct SimTiming {
  std::vector<double> idealUs;  // frame and replies on the line's clock
  std::vector<double> lateUs;   // replies written after their due time
  std::vector<double> turnUs;   // replies written to the next frame's first byte
};

// One frame's cycle: its three parts in microseconds.
void simTimingAdd(SimTiming* timing, double idealUs, double lateUs, double turnUs);
// Lines of text: the cycles counted, each part's median, mean, 90th and 99th
// percentile and longest, and the share of the cycles' time the line itself
// needed (on a paced line).
std::string simTimingReport(const SimTiming& timing);
