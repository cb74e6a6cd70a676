// The simulated machine controller of kivo-sim, without its device: options,
// frame checking, answers and the faults it can inject. main.cpp drives it
// from a pseudo-terminal or a serial device.
#pragma once

#include <cstddef>
#include <random>
#include <string>
#include <vector>

struct SimOptions {
  std::string device;  // empty: make a pseudo-terminal
  std::string link;    // a symlink to the pseudo-terminal
  int wineCom = 0;     // map COMn of the Wine prefix onto it
  std::string record;
  std::vector<long> rejectFrames;  // 1-based numbers of frames received
  double rejectRate = 0;
  unsigned long seed = 1;
  long errorAt = 0;     // line answered with an error
  long overflowAt = 0;  // line answered with an overlong answer
  long silentFrom = 0;  // frame from which nothing is answered
  double noise = 0;     // share of lines followed by a noise answer
  bool strayReady = false;  // an unsolicited ready answer behind every rejection
  double dropIn = 0, dropOut = 0, corruptIn = 0, corruptOut = 0;
  long baud = 0;  // 0: as fast as the device takes it
  int latencyMs = 0;
  int readyPeriodMs = 1000;
  int frameTimeoutMs = 200;
  int verbosity = 1;  // 0 quiet, 1 normal, 2 verbose
  bool timing = false;  // report where the time of a line went, at the end
};

extern const char SIM_USAGE[];

// 1 when the options are good, 2 for --help, 0 with *error set otherwise.
int parseSimOptions(int argc, char** argv, SimOptions* options, std::string* error);

const char SIM_ACCEPT = 'k';
const char SIM_REJECT = '?';
extern const char SIM_READY[];  // "ready\r\n"
const size_t SIM_OVERFLOW_BYTES = 1100;
const size_t SIM_MAX_FRAME = 1 << 20;

// What the controller sends, delayMs after the frame that caused it was
// complete.
struct SimReply {
  std::string bytes;
  int delayMs;
};

struct SimEvents {
  std::vector<SimReply> replies;
  std::vector<std::string> accepted;  // texts of the lines taken, in order
  std::vector<std::string> notes;     // for the log
  bool frameEnded = false;            // a frame (good or bad) came to its end
};

struct SimController {
  SimOptions options;
  std::mt19937 decide;      // rejections and noise
  std::mt19937 channelIn;   // faults of the bytes received
  std::mt19937 channelOut;  // faults of the bytes sent
  std::string frame;        // bytes of the frame being received
  long frames = 0;          // frames received
  long lines = 0;           // lines accepted
  long rejected = 0;
};

void simInit(SimController* sim, const SimOptions& options);
// Bytes from the terminal, after the receiving faults.
void simReceive(SimController* sim, const char* bytes, size_t n, SimEvents* events);
// The frame being received stopped arriving: reject it.
void simFrameTimeout(SimController* sim, SimEvents* events);
// Drop and corrupt bytes on their way in or out, as the options ask.
std::string simChannelIn(SimController* sim, const char* bytes, size_t n);
std::string simChannelOut(SimController* sim, const std::string& bytes);
// No frame is half received and the controller still talks: a ready answer
// may be repeated.
bool simMaySendIdleReady(const SimController* sim);
