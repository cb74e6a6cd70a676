#include "tools/kivo-sim/controller.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "terminal/link/lineFrame.h"

const char SIM_READY[] = "ready\r\n";

const char SIM_USAGE[] =
    "Usage: kivo-sim [OPTION]...\n"
    "Plays the machine controller of KIVO Terminal on a pseudo-terminal (or a\n"
    "serial device): checks each frame's checksum, answers 'k' or rejects the\n"
    "frame with '?', answers \"ready\" CR LF when it is ready for the next line,\n"
    "records the lines it took, and injects faults on request.\n"
    "\n"
    "Line:\n"
    "  --pty                make a pseudo-terminal and print its path (default)\n"
    "  --device PATH        use this device instead\n"
    "  --link PATH          also reach the pseudo-terminal under PATH (a symlink)\n"
    "  --wine-com N         map COMN of the Wine prefix ($WINEPREFIX, else\n"
    "                       ~/.wine) onto the line, so \\\\.\\COMN opens it\n"
    "  --record FILE        write every line taken, one per line, in order\n"
    "  --baud B             pace bytes as a B-baud 8N1 line does (115200: 11,520\n"
    "                       bytes/s each way); default: no pacing\n"
    "  --latency MS         time to carry out a line before the ready answer\n"
    "  --ready-period MS    repeat the ready answer while no frame comes\n"
    "                       (default 1000)\n"
    "  --frame-timeout MS   reject a frame that stops arriving before its line\n"
    "                       feed (default 200)\n"
    "\n"
    "Faults (rates are shares from 0 to 1; --seed makes them repeatable):\n"
    "  --reject N[,N...]    reject these frames (counted from 1, resends too)\n"
    "  --reject-rate P      reject a share of the frames at random\n"
    "  --seed S             seed of every random choice (default 1)\n"
    "  --error-at LINE      answer \"error: line LINE\" CR LF for the LINE-th line\n"
    "                       taken, instead of the ready answer\n"
    "  --overflow LINE      answer 1100 bytes without a line end for that line\n"
    "  --silent FRAME       answer nothing from that frame on\n"
    "  --noise P            follow a share of the acknowledgements with a line\n"
    "                       of noise (no 'r' first, never \"error\")\n"
    "  --stray-ready        follow every rejection with an unsolicited ready\n"
    "                       answer in the same write: it waits in the terminal's\n"
    "                       input when the frame is sent again\n"
    "  --drop-in P          lose a share of the bytes from the terminal\n"
    "  --corrupt-in P       flip one bit in a share of the bytes from the terminal\n"
    "  --drop-out P         lose a share of the bytes to the terminal\n"
    "  --corrupt-out P      flip one bit in a share of the bytes to the terminal\n"
    "\n"
    "  --quiet              report only errors; --verbose: every frame and answer\n"
    "  --timing             at the end, report where the time of a line went: the\n"
    "                       line's own time, replies written late, and the time\n"
    "                       from the replies to the terminal's next frame\n"
    "  --help               show this text\n"
    "\n"
    "Faults on the way in are nearly always caught by the checksum (a frame whose\n"
    "bytes were dropped or flipped is rejected and sent again); faults on the way\n"
    "out can make the terminal send an accepted line again or wait for ever: the\n"
    "protocol cannot see them.\n"
    "Ends on Ctrl+C (SIGINT) or SIGTERM with the record complete.\n";

namespace {

bool _number(const char* text, long low, long* out) {
  char* end = nullptr;
  errno = 0;
  long value = std::strtol(text, &end, 10);
  if (errno || end == text || *end || value < low) return false;
  *out = value;
  return true;
}

bool _share(const char* text, double* out) {
  char* end = nullptr;
  double value = std::strtod(text, &end);
  if (end == text || *end || !(value >= 0 && value <= 1)) return false;
  *out = value;
  return true;
}

bool _int(const char* text, long low, long high, int* out) {
  long value;
  if (!_number(text, low, &value) || value > high) return false;
  *out = static_cast<int>(value);
  return true;
}

bool _numberList(const char* text, std::vector<long>* out) {
  std::string list = text;
  size_t start = 0;
  while (start <= list.size()) {
    size_t comma = list.find(',', start);
    if (comma == std::string::npos) comma = list.size();
    long value;
    if (!_number(list.substr(start, comma - start).c_str(), 1, &value)) return false;
    out->push_back(value);
    start = comma + 1;
  }
  return true;
}

bool _chance(std::mt19937* random, double share) {
  if (share <= 0) return false;
  return std::uniform_real_distribution<double>(0, 1)(*random) < share;
}

std::string _noiseLine(std::mt19937* random) {
  static const char BYTES[] = "0123456789ABCDEF#*@%!~ ";
  std::string line;
  int length = 4 + static_cast<int>((*random)() % 20);
  for (int i = 0; i < length; ++i) line += BYTES[(*random)() % (sizeof(BYTES) - 1)];
  return line + "\r\n";
}

void _reject(SimController* sim, SimEvents* events, const std::string& why) {
  ++sim->rejected;
  events->replies.push_back({std::string(1, SIM_REJECT), 0});
  if (sim->options.strayReady) events->replies.push_back({SIM_READY, 0});
  events->notes.push_back("frame " + std::to_string(sim->frames) + " rejected: " + why);
}

bool _silent(const SimController* sim) {
  return sim->options.silentFrom > 0 && sim->frames >= sim->options.silentFrom;
}

void _frameEnded(SimController* sim, SimEvents* events) {
  ++sim->frames;
  events->frameEnded = true;
  std::string frame;
  frame.swap(sim->frame);
  if (_silent(sim)) {
    events->notes.push_back("frame " + std::to_string(sim->frames) + " not answered (silent)");
    return;
  }
  const SimOptions& o = sim->options;
  if (!frameIsIntact(frame.data(), frame.size())) return _reject(sim, events, "bad checksum");
  if (std::find(o.rejectFrames.begin(), o.rejectFrames.end(), sim->frames) != o.rejectFrames.end())
    return _reject(sim, events, "as asked");
  if (_chance(&sim->decide, o.rejectRate)) return _reject(sim, events, "at random");

  ++sim->lines;
  std::string text = frame.substr(1);
  events->accepted.push_back(text);
  events->replies.push_back({std::string(1, SIM_ACCEPT), 0});
  if (_chance(&sim->decide, o.noise)) events->replies.push_back({_noiseLine(&sim->decide), 0});
  if (sim->lines == o.errorAt) {
    events->replies.push_back({"error: line " + std::to_string(sim->lines) + "\r\n", o.latencyMs});
    events->notes.push_back("line " + std::to_string(sim->lines) + " answered with an error");
  } else if (sim->lines == o.overflowAt) {
    events->replies.push_back({std::string(SIM_OVERFLOW_BYTES, '#'), o.latencyMs});
    events->notes.push_back("line " + std::to_string(sim->lines) + " answered with an overflow");
  } else {
    events->replies.push_back({SIM_READY, o.latencyMs});
  }
}

}  // namespace

int parseSimOptions(int argc, char** argv, SimOptions* o, std::string* error) {
  for (int i = 1; i < argc; ++i) {
    const std::string name = argv[i];
    if (name == "--help" || name == "-h") return 2;
    if (name == "--pty") { o->device.clear(); continue; }
    if (name == "--quiet") { o->verbosity = 0; continue; }
    if (name == "--verbose") { o->verbosity = 2; continue; }
    if (name == "--timing") { o->timing = true; continue; }
    if (name == "--stray-ready") { o->strayReady = true; continue; }
    if (i + 1 >= argc) {
      *error = name.compare(0, 2, "--") == 0 ? name + " needs a value" : "unknown argument " + name;
      return 0;
    }
    const char* value = argv[++i];
    long seed = 0;
    bool ok = true;
    if (name == "--device") o->device = value;
    else if (name == "--link") o->link = value;
    else if (name == "--record") o->record = value;
    else if (name == "--wine-com") ok = _int(value, 1, 256, &o->wineCom);
    else if (name == "--reject") ok = _numberList(value, &o->rejectFrames);
    else if (name == "--reject-rate") ok = _share(value, &o->rejectRate);
    else if (name == "--seed") {
      ok = _number(value, 0, &seed);
      o->seed = static_cast<unsigned long>(seed);
    }
    else if (name == "--error-at") ok = _number(value, 1, &o->errorAt);
    else if (name == "--overflow") ok = _number(value, 1, &o->overflowAt);
    else if (name == "--silent") ok = _number(value, 1, &o->silentFrom);
    else if (name == "--noise") ok = _share(value, &o->noise);
    else if (name == "--drop-in") ok = _share(value, &o->dropIn);
    else if (name == "--drop-out") ok = _share(value, &o->dropOut);
    else if (name == "--corrupt-in") ok = _share(value, &o->corruptIn);
    else if (name == "--corrupt-out") ok = _share(value, &o->corruptOut);
    else if (name == "--baud") ok = _number(value, 0, &o->baud);
    else if (name == "--latency") ok = _int(value, 0, 600000, &o->latencyMs);
    else if (name == "--ready-period") ok = _int(value, 1, 600000, &o->readyPeriodMs);
    else if (name == "--frame-timeout") ok = _int(value, 1, 600000, &o->frameTimeoutMs);
    else {
      *error = "unknown option " + name;
      return 0;
    }
    if (!ok) {
      *error = "bad value for " + name + ": " + value;
      return 0;
    }
  }
  return 1;
}

void simInit(SimController* sim, const SimOptions& options) {
  *sim = SimController();
  sim->options = options;
  sim->decide.seed(static_cast<unsigned>(options.seed));
  sim->channelIn.seed(static_cast<unsigned>(options.seed) + 1);
  sim->channelOut.seed(static_cast<unsigned>(options.seed) + 2);
}

void simReceive(SimController* sim, const char* bytes, size_t n, SimEvents* events) {
  for (size_t i = 0; i < n; ++i) {
    if (bytes[i] == '\n') {
      _frameEnded(sim, events);
      continue;
    }
    sim->frame += bytes[i];
    if (sim->frame.size() > SIM_MAX_FRAME) {
      sim->frame.clear();
      ++sim->frames;
      events->frameEnded = true;
      if (!_silent(sim)) _reject(sim, events, "longer than a line can be");
    }
  }
}

void simFrameTimeout(SimController* sim, SimEvents* events) {
  if (sim->frame.empty()) return;
  sim->frame.clear();
  ++sim->frames;
  events->frameEnded = true;
  if (!_silent(sim)) _reject(sim, events, "its line feed never came");
}

namespace {

std::string _channel(std::mt19937* random, double drop, double corrupt, const char* bytes, size_t n) {
  std::string out;
  for (size_t i = 0; i < n; ++i) {
    if (_chance(random, drop)) continue;
    char c = bytes[i];
    if (_chance(random, corrupt)) c = static_cast<char>(c ^ (1 << ((*random)() % 8)));
    out += c;
  }
  return out;
}

}  // namespace

std::string simChannelIn(SimController* sim, const char* bytes, size_t n) {
  return _channel(&sim->channelIn, sim->options.dropIn, sim->options.corruptIn, bytes, n);
}

std::string simChannelOut(SimController* sim, const std::string& bytes) {
  return _channel(&sim->channelOut, sim->options.dropOut, sim->options.corruptOut, bytes.data(), bytes.size());
}

bool simMaySendIdleReady(const SimController* sim) { return sim->frame.empty() && !_silent(sim); }
