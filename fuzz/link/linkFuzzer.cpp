// Fuzzes the sender loop with arbitrary controller bytes in arbitrary
// chunks, interleaved with the user's Run, Pause and Stop and with port
// failures, all taken from the input whenever the sender asks the port for
// bytes or sleeps. Checks that only editor lines (and "m105") go out, intact,
// in order, a new line only after the previous one was acknowledged and
// answered, none again after it was acknowledged (but from the top after
// Run), no frame while bytes that came before it wait unread, and that every
// halt shows in the dialog.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "terminal/link/lineFrame.h"
#include "terminal/link/runState.h"
#include "terminal/link/sender.h"
#include "tests/link/linkScript.h"

namespace {

const std::vector<std::string> PROGRAM = {"g21 g90", "; bit 2", "", "  g0z5", "   ", "\xA0x", "  ;", "m30"};

void check(bool ok) {
  if (!ok) std::abort();
}

int lineNumber(const std::string& text) {
  for (size_t i = 0; i < PROGRAM.size(); ++i)
    if (PROGRAM[i] == text) return static_cast<int>(i) + 1;
  return 0;
}

int nextSendable(int after) {
  for (int n = after + 1; n <= static_cast<int>(PROGRAM.size()); ++n)
    if (IsSendableLine(PROGRAM[n - 1].c_str())) return n;
  return 0;
}

struct FuzzRun {
  LinkScript script;
  LinkIo io;
  const uint8_t* data;
  size_t size;
  size_t at = 0;
  bool portFailed = false;
  // What went out so far.
  int lastLine = 0;         // line of the last line frame
  bool lastAcked = true;    // it was acknowledged
  // A Run that restarts from the top begins a new epoch; a line taken before
  // it may still go out after it, as the last line of the epoch before.
  int epoch = 0;
  int takenInEpoch = 0;    // epoch of the line taken last
  int writtenInEpoch = 0;  // epoch of the line frame written last
  bool awaitingAck = false;
  bool lastWasLine = false;  // the frame awaiting its acknowledgement is a line
  bool lineEndSinceAck = false;  // a CR or LF was read after the last acknowledgement
};

FuzzRun* _run(void* c) { return static_cast<FuzzRun*>(c); }

// Carries out one step of the input: bytes arrive, the user presses a
// button, or (for a query) the port fails. False when the input ran out or
// the port failed.
bool _step(FuzzRun* r, bool query) {
  ScriptPort& port = r->script.port;
  if (r->at >= r->size) {
    LinkEnd();
    return false;
  }
  uint8_t op = r->data[r->at++];
  if (op < 0x80) {
    size_t n = std::min<size_t>((op & 0x7F) + 1, r->size - r->at);
    if (n) port.arriving.push_back(std::string(reinterpret_cast<const char*>(r->data + r->at), n));
    r->at += n;
  } else if (op < 0xC0) {
    switch (op & 3) {
      case 1: PauseCommand(&r->io); break;
      case 2: StopCommand(&r->io); break;
      default:
        if (gRunState != RUN_PAUSED) ++r->epoch;
        RunCommand(&r->io);
        break;
    }
  } else if (op < 0xE0) {
    port.arriving.push_back((op & 1) ? "k" : "ready\r\n");
  } else if (op == 0xFF && query) {
    r->portFailed = true;
    return false;
  }
  return true;
}

int _write(void* c, const char* bytes, int n) {
  FuzzRun* r = _run(c);
  // Every byte that came before the frame was read first: none of them can
  // be taken for its acknowledgement.
  check(r->script.port.arriving.empty());
  std::string frame(bytes, n);
  check(n >= 2 && frame.back() == '\n' && frame.find('\n') == frame.size() - 1);
  check(frameIsIntact(frame.data(), frame.size() - 1));
  std::string text = frame.substr(1, frame.size() - 2);
  r->awaitingAck = true;
  r->lastWasLine = text != "m105";
  if (!r->lastWasLine) return 1;
  int line = lineNumber(text);
  check(line > 0 && IsSendableLine(text.c_str()));
  if (r->takenInEpoch != r->writtenInEpoch)
    check(line == nextSendable(0));  // the first line of a restarted run
  else if (!r->lastAcked && line == r->lastLine)
    return 1;  // a resend
  else
    check(r->lastAcked && line == nextSendable(r->lastLine));
  // A new line needs a ready answer, which ends after the last acknowledgement.
  check(r->lineEndSinceAck);
  r->lastLine = line;
  r->lastAcked = false;
  r->writtenInEpoch = r->takenInEpoch;
  return 1;
}

int _read(void* c, char* bytes, int n) {
  FuzzRun* r = _run(c);
  int got = r->script.io.port.read(&r->script, bytes, n);
  if (r->awaitingAck && got > 0) {
    check(got == 1);  // the acknowledgement is one byte
    r->awaitingAck = false;
    r->lineEndSinceAck = false;
    if (r->lastWasLine && bytes[0] == 'k') r->lastAcked = true;
  } else if (std::string(bytes, got > 0 ? got : 0).find_first_of("\r\n") != std::string::npos) {
    r->lineEndSinceAck = true;
  }
  return got;
}

// A look takes one step; a wait steps until bytes arrive.
int _bytesWaiting(void* c, int waitMs) {
  FuzzRun* r = _run(c);
  std::deque<std::string>& arriving = r->script.port.arriving;
  for (bool first = true; arriving.empty() && (first || waitMs > 0); first = false) {
    if (_step(r, true)) continue;
    if (!r->portFailed) return 0;
    r->awaitingAck = false;  // the wait for it ends with the failure
    return -1;
  }
  return arriving.empty() ? 0 : static_cast<int>(arriving.front().size());
}

void _sleep(void* c, int) { _step(_run(c), false); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzRun r;
  r.data = data;
  r.size = size;
  r.script.editor.lines = PROGRAM;
  r.io = r.script.io;
  r.io.port = {&r, _write, _read, _bytesWaiting, _sleep};
  // The user may press a button while the sender takes a line.
  r.script.editor.duringTake = [&r](int) {
    r.takenInEpoch = r.epoch;
    _step(&r, false);
  };
  LinkOpen();
  for (int pass = 0; pass < 1000000 && SenderPass(&r.io); ++pass) {
    if (gRunState == RUN_HALTED) {
      const ScriptReport& report = r.script.report;
      check(report.run == 1 && report.pause == 0);
    }
    if (r.portFailed) {
      check(gRunState == RUN_HALTED);
      check(r.script.report.log.find(LOG_PORT) != std::string::npos);
      r.portFailed = false;
    }
  }
  check(!gRunActive);
  return 0;
}
