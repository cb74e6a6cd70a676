// Program generation speed for a large design: about 10,000 objects of
// every kind, many filled, several passes. Output goes to a counting sink,
// so the figure is the generator's own.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "cad/document/designFile.h"
#include "cad/document/obj.h"
#include "cad/document/tools.h"
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

void _largeDesign() {
  newDesign();
  for (int i = 0; i < TOOL_COUNT; i++) gTools[i].passes = 1 + i % 3;
  uint32_t seed = 1;
  auto next = [&seed](double range) {
    seed = seed * 1664525u + 1013904223u;
    return (seed >> 8) / double(1 << 24) * range;
  };
  for (int i = 0; i < 10000; i++) {
    uint8_t tool = static_cast<uint8_t>(i % TOOL_COUNT);
    double x = next(300), y = next(200);
    switch (i % 4) {
      case 0: ObjNewLine(x, y, x + next(50), y + next(50), tool); break;
      case 1: ObjNewRect(x, y, x + 1 + next(6), y + 1 + next(6), tool, i % 8 == 1); break;
      case 2: ObjNewCircle(x, y, 0.5 + next(3), tool, i % 8 == 2); break;
      case 3: ObjNewDrill(x, y, tool); break;
    }
  }
}

}  // namespace

static void BM_GenerateLargeDesign(benchmark::State& state) {
  _largeDesign();
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
