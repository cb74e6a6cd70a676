// The fast two-decimal formatter against the standard conversion it stands
// in for: COUNT random doubles (default 10^8) of the kinds a milling program
// prints, in equal shares. Prints for each kind the values compared, the
// mismatches and the time per number of both formatters.
//
//   fixed2_compare [COUNT]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "cad/gcode/numberFormat.h"
#include "tests/support/boardDoubles.h"

namespace {

const int BATCH = 4096;

typedef std::chrono::steady_clock Clock;

// Formats the batch with format into text, one value after the other as a
// program holds them; ends[i] is where value i's text ends. Returns the
// seconds taken.
double _formatBatch(char* (*format)(char*, double), const std::vector<double>& values,
                    std::vector<char>& text, std::vector<char*>& ends) {
  auto start = Clock::now();
  char* p = text.data();
  for (size_t i = 0; i < values.size(); i++) p = ends[i] = format(p, values[i]);
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Value i's text in a batch formatted by _formatBatch.
std::string _textOf(const std::vector<char>& text, const std::vector<char*>& ends, size_t i) {
  const char* begin = i ? ends[i - 1] : text.data();
  const char* end = ends[i];
  return std::string(begin, end);
}

}  // namespace

int main(int argc, char** argv) {
  long long count = argc > 1 ? atoll(argv[1]) : 100000000LL;
  if (count <= 0) {
    fprintf(stderr, "usage: fixed2_compare [COUNT]\n");
    return 2;
  }
  std::mt19937_64 rng(1);
  std::vector<double> values(BATCH);
  std::vector<char> fastText(BATCH * FIXED2_MAX), stdText(BATCH * FIXED2_MAX);
  std::vector<char*> fastEnds(BATCH), stdEnds(BATCH);
  long long total = 0, totalMismatches = 0;
  for (int kind = 0; kind < BOARD_DOUBLE_KINDS; kind++) {
    long long share = count / BOARD_DOUBLE_KINDS + (kind < count % BOARD_DOUBLE_KINDS);
    long long mismatches = 0;
    double fastTime = 0, stdTime = 0;
    for (long long done = 0; done < share;) {
      size_t n = static_cast<size_t>(std::min<long long>(BATCH, share - done));
      values.resize(n);
      for (double& v : values) v = boardDouble(rng, kind);
      fastTime += _formatBatch(formatFixed2, values, fastText, fastEnds);
      stdTime += _formatBatch(formatFixed2Std, values, stdText, stdEnds);
      // Equal texts end at equal offsets: the whole batch is compared at
      // once, and value by value only where it differs.
      size_t fastLen = static_cast<size_t>(fastEnds[n - 1] - fastText.data());
      size_t stdLen = static_cast<size_t>(stdEnds[n - 1] - stdText.data());
      if (fastLen != stdLen || memcmp(fastText.data(), stdText.data(), fastLen) != 0) {
        for (size_t i = 0; i < n; i++) {
          std::string fast = _textOf(fastText, fastEnds, i), slow = _textOf(stdText, stdEnds, i);
          if (fast != slow && mismatches++ < 5)
            fprintf(stderr, "mismatch: %.17g: %s against %s\n", values[i], fast.c_str(),
                    slow.c_str());
        }
      }
      done += static_cast<long long>(n);
    }
    printf("%-28s %11lld compared %5lld differ   ns per number: %6.1f fast, %6.1f std\n",
           BOARD_DOUBLE_KIND_NAMES[kind], share, mismatches,
           fastTime / static_cast<double>(share) * 1e9, stdTime / static_cast<double>(share) * 1e9);
    total += share;
    totalMismatches += mismatches;
  }
  printf("%-28s %11lld compared %5lld differ\n", "all", total, totalMismatches);
  return totalMismatches ? 1 : 0;
}
