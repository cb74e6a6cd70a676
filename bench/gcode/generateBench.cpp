// Program generation speed for the large design (10,000 objects, a third
// filled, 2 passes). Output goes to a counting sink, so the figure is the
// generator's own; etch_vs_cp measures kivo-etch end to end.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "bench/gcode/largeDesign.h"
#include "cad/document/obj.h"
#include "cad/gcode/generate.h"

namespace {

struct CountingSink {
  uint64_t bytes;
  uint64_t lines;
};

int _countSink(void* ctx, const char* data, size_t size) {
  CountingSink* c = static_cast<CountingSink*>(ctx);
  c->bytes += size;
  c->lines += static_cast<uint64_t>(std::count(data, data + size, '\n'));
  return 1;
}

}  // namespace

static void BM_GenerateLargeDesign(benchmark::State& state) {
  makeLargeDesign();
  CountingSink lines = {0, 0};
  etchTo(_countSink, &lines);
  CountingSink c = {0, 0};
  for (auto _ : state) {
    c.bytes = 0;
    if (!etchTo([](void* ctx, const char*, size_t size) {
          static_cast<CountingSink*>(ctx)->bytes += size;
          return 1;
        }, &c))
      state.SkipWithError("generation failed");
  }
  state.SetBytesProcessed(static_cast<int64_t>(c.bytes * state.iterations()));
  state.counters["lines"] = benchmark::Counter(static_cast<double>(lines.lines * state.iterations()),
                                               benchmark::Counter::kIsRate);
  state.counters["program_MB"] = static_cast<double>(c.bytes) / 1e6;
  resetObjs();
}
BENCHMARK(BM_GenerateLargeDesign)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
