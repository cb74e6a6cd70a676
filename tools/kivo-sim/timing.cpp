#include "tools/kivo-sim/timing.h"

#include <algorithm>
#include <cstdio>
#include <numeric>

namespace {

struct Spread {
  double median, mean, p90, p99, max, sum;
};

Spread _spread(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  double sum = std::accumulate(values.begin(), values.end(), 0.0);
  size_t n = values.size();
  return {values[n / 2], sum / n, values[(n * 9) / 10], values[(n * 99) / 100], values[n - 1], sum};
}

std::string _row(const char* what, const Spread& s) {
  char text[200];
  std::snprintf(text, sizeof(text), "  %-34s median %8.1f  mean %8.1f  p90 %8.1f  p99 %8.1f  max %9.1f us\n",
                what, s.median, s.mean, s.p90, s.p99, s.max);
  return text;
}

}  // namespace

void simTimingAdd(SimTiming* timing, double idealUs, double lateUs, double turnUs) {
  timing->idealUs.push_back(idealUs);
  timing->lateUs.push_back(lateUs);
  timing->turnUs.push_back(turnUs);
}

std::string simTimingReport(const SimTiming& timing) {
  if (timing.idealUs.empty()) return "timing: no answered frame was followed by another\n";
  Spread ideal = _spread(timing.idealUs), late = _spread(timing.lateUs), turn = _spread(timing.turnUs);
  char head[160];
  std::snprintf(head, sizeof(head), "timing of %zu frames, each until the next frame's first byte:\n",
                timing.idealUs.size());
  char share[160] = "  the line is not paced: it takes no time of its own\n";
  if (ideal.sum > 0)
    std::snprintf(share, sizeof(share), "  the line's own time is %.1f %% of the whole\n",
                  100.0 * ideal.sum / (ideal.sum + late.sum + turn.sum));
  return head + _row("frame and replies on the line", ideal) + _row("replies written late by", late) +
         _row("replies written to next frame", turn) + share;
}
