#include "tools/kivo-sim/replyWait.h"

#include <algorithm>

SimWait simReplyWait(bool replyWaits, SimClock::time_point now, SimClock::time_point due,
                     SimClock::time_point other) {
  if (!replyWaits) return {SIM_WAIT_INPUT, other};
  if (due <= now) return {SIM_WAIT_ROOM, other};
  if (due - now <= SIM_SPIN_NS) return {SIM_WAIT_SPIN, due};
  return {SIM_WAIT_INPUT, std::min(other, due - SIM_SPIN_NS)};
}
