// How kivo-sim waits for the moment a reply is due on a paced line. The
// kernel's timer wakes a sleeper tens of microseconds late, a delay a real
// line does not have: the last stretch before a reply is spent watching the
// clock instead, so the reply goes out when its last byte would have
// crossed the line.
#pragma once

#include <chrono>

using SimClock = std::chrono::steady_clock;

// The stretch before a reply's due time that is waited for on the clock.
const std::chrono::nanoseconds SIM_SPIN_NS(100000);

enum SimWaitKind {
  SIM_WAIT_INPUT,  // sleep until `until` or until input arrives
  SIM_WAIT_SPIN,   // watch the clock until `until`, then write the reply
  SIM_WAIT_ROOM    // a reply is overdue: sleep until there is room on the line, input, or `until`
};

struct SimWait {
  SimWaitKind kind;
  SimClock::time_point until;
};

// The wait before the next pass: replyWaits tells whether a reply is queued
// (then due is its time); other is the latest wake-up the other duties of
// the simulator allow (a frame's time-out, the repeated ready answer).
SimWait simReplyWait(bool replyWaits, SimClock::time_point now, SimClock::time_point due,
                     SimClock::time_point other);
