// Interprets a long text of mixed statements against the recording stand-in
// in its counting mode, so the figure is the interpreter's own speed.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "gfx/lang/processCommands.h"
#include "tests/support/drawRecorder.h"

static const char* const STATEMENTS[] = {
    "COLOR 255 128 0",
    "color darkblue",
    "LINE 10 20 300.5 400",
    "BOXFILLED -5 -5 640 480",
    "CIRCLE 320 240 100",
    "PIE 0 0 100 100 0 90",
    "POLY 0 0 10 0 10 10 0 10",
    "FONT 12 B I 'Courier New'",
    "TEXT 0 0 200 20 37 'Bit 3: 1.5 mm\\n'",
    "SETPIXEL 17 42 lightgray",
    "TRANSBMP 1234 BLACK 10 10 CENTER",
    "FILL white",
    "SIZE 2e0",
    "flip",
};

static void BM_graphicCommand(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  std::string text;
  for (int i = 0; i < count; i++) {
    if (i) text += "; ";
    text += STATEMENTS[i % (sizeof STATEMENTS / sizeof *STATEMENTS)];
  }
  recorderReset();
  gRecorder.logging = false;
  HWND window = reinterpret_cast<HWND>(static_cast<uintptr_t>(1));
  for (auto _ : state) benchmark::DoNotOptimize(graphicCommand(window, text.c_str()));
  if (gRecorder.count != static_cast<long long>(count) * state.iterations())
    state.SkipWithError("not every statement ran");
  state.counters["statements/s"] = benchmark::Counter(
      static_cast<double>(count) * state.iterations(), benchmark::Counter::kIsRate);
  state.SetBytesProcessed(static_cast<int64_t>(text.size()) * state.iterations());
}
BENCHMARK(BM_graphicCommand)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
