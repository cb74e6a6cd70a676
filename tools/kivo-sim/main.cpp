// kivo-sim: the machine controller of KIVO Terminal, simulated on a
// pseudo-terminal (or a serial device), for users without a machine at hand
// and for the tests. See SIM_USAGE (kivo-sim --help).
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>

#include "terminal/link/posixPort.h"
#include "tools/kivo-sim/controller.h"
#include "tools/kivo-sim/replyWait.h"
#include "tools/kivo-sim/timing.h"

namespace {

using Clock = SimClock;
using Time = Clock::time_point;
using Ms = std::chrono::milliseconds;

volatile sig_atomic_t gStop = 0;

void _onSignal(int) { gStop = 1; }

struct Outgoing {
  std::string bytes;
  Time due;       // when its last byte has crossed the paced line
  bool optional;  // a repeated ready answer, dropped when the line is full
};

// The frame being answered, for --timing.
struct Cycle {
  Time first;            // its first byte read
  Time due;              // its replies' last byte due on the line
  Time written;          // its replies written
  bool answered = false;  // replies are queued
  bool sent = false;      // and written
};

struct Sim {
  SimController controller;
  int fd = -1;
  bool pty = false;
  std::string path;  // the terminal's side of the line
  FILE* record = nullptr;
  std::deque<Outgoing> out;
  bool connected = false;
  std::chrono::nanoseconds byteTime{0};
  Time inFree, outFree, lastActivity, lastByte;
  Cycle cycle;
  SimTiming timing;
};

void _note(const Sim& sim, int level, const std::string& text) {
  if (sim.controller.options.verbosity >= level) std::fprintf(stderr, "kivo-sim: %s\n", text.c_str());
}

// A new pseudo-terminal; the terminal program opens the returned path. Its
// side is put in raw mode once here: the settings outlast closing it.
bool _openPty(Sim* sim) {
  sim->fd = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (sim->fd < 0 || grantpt(sim->fd) != 0 || unlockpt(sim->fd) != 0) return false;
  const char* name = ptsname(sim->fd);
  if (!name) return false;
  sim->path = name;
  int side = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (side < 0) return false;
  makeRawLine(side);
  close(side);
  sim->pty = true;
  return true;
}

// Bytes sent while nobody listened wait on the terminal's side of a
// pseudo-terminal; they are dropped when a connection ends, so the next one
// starts clean.
void _flushTerminalSide(const Sim& sim) {
  int side = open(sim.path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (side < 0) return;
  tcflush(side, TCIFLUSH);
  close(side);
}

bool _makeLink(const std::string& target, const std::string& link) {
  struct stat st;
  if (lstat(link.c_str(), &st) == 0) {
    if (!S_ISLNK(st.st_mode)) return false;  // never replace a real file
    unlink(link.c_str());
  }
  return symlink(target.c_str(), link.c_str()) == 0;
}

// COMn of the Wine prefix: the registry key makes it last, the device link
// reaches a wine server that is already running.
void _mapWineCom(const Sim& sim, int n, const std::string& target) {
  const char* prefixVar = std::getenv("WINEPREFIX");
  const char* home = std::getenv("HOME");
  std::string prefix = prefixVar ? prefixVar : std::string(home ? home : ".") + "/.wine";
  std::string com = "COM" + std::to_string(n);
  pid_t child = fork();
  if (child == 0) {
    int null = open("/dev/null", O_RDWR);
    dup2(null, 1);
    dup2(null, 2);
    execlp("wine", "wine", "reg", "add", "HKLM\\Software\\Wine\\Ports", "/v", com.c_str(), "/t", "REG_SZ", "/d",
           target.c_str(), "/f", static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    _note(sim, 0, "could not add " + com + " to the Wine registry (is wine installed?)");
  std::string device = prefix + "/dosdevices/com" + std::to_string(n);
  if (!_makeLink(target, device))
    _note(sim, 0, "could not link " + device);
  else
    _note(sim, 1, com + " of " + prefix + " is mapped onto " + target);
}

void _queue(Sim* sim, const std::string& bytes, Time notBefore, bool optional) {
  std::string sent = simChannelOut(&sim->controller, bytes);
  if (sent.empty()) return;
  Time start = std::max(notBefore, sim->outFree);
  Time due = start + sim->byteTime * static_cast<long>(sent.size());
  sim->outFree = due;
  sim->out.push_back({sent, due, optional});
  if (!optional) {
    sim->cycle.due = due;
    sim->cycle.answered = true;
    sim->cycle.sent = false;
  }
}

// The first byte of a frame: the cycle of the frame before it ends.
void _frameStarts(Sim* sim, Time now) {
  Cycle& c = sim->cycle;
  if (c.sent) {
    auto us = [](std::chrono::nanoseconds d) { return std::chrono::duration<double, std::micro>(d).count(); };
    simTimingAdd(&sim->timing, us(c.due - c.first), us(c.written - c.due), us(now - c.written));
  }
  c = Cycle();
  c.first = now;
}

void _handle(Sim* sim, const SimEvents& events, Time done) {
  for (const std::string& note : events.notes) _note(*sim, 1, note);
  for (const std::string& line : events.accepted) {
    _note(*sim, 2, "line " + std::to_string(sim->controller.lines) + " taken: " + line);
    if (sim->record) {
      std::fwrite(line.data(), 1, line.size(), sim->record);
      std::fputc('\n', sim->record);
      std::fflush(sim->record);
    }
  }
  // Replies due at the same time go out in one write, when the last of them
  // has crossed the line: one wake-up less per line, and a ready answer
  // arriving at the time a real line would bring it.
  std::string batch;
  for (size_t i = 0; i < events.replies.size(); ++i) {
    batch += events.replies[i].bytes;
    int delayMs = events.replies[i].delayMs;
    if (i + 1 < events.replies.size() && events.replies[i + 1].delayMs == delayMs) continue;
    _queue(sim, batch, done + Ms(delayMs), false);
    batch.clear();
  }
  if (events.frameEnded) sim->lastActivity = done;
}

void _receive(Sim* sim, const char* bytes, size_t n, Time now) {
  // On a paced line the bytes arrive one byte time apart: the frame they end
  // is complete only when the last of them is in.
  sim->inFree = std::max(now, sim->inFree) + sim->byteTime * static_cast<long>(n);
  sim->lastByte = now;
  std::string got = simChannelIn(&sim->controller, bytes, n);
  SimEvents events;
  simReceive(&sim->controller, got.data(), got.size(), &events);
  _handle(sim, events, sim->inFree);
}

void _connect(Sim* sim, Time now) {
  sim->connected = true;
  sim->lastActivity = now;
  _note(*sim, 1, "the terminal opened the line");
}

void _disconnect(Sim* sim) {
  sim->connected = false;
  sim->out.clear();
  sim->controller.frame.clear();
  if (sim->pty) _flushTerminalSide(*sim);
  _note(*sim, 1, "the terminal closed the line");
}

// Writes what is due; false when the line is full.
bool _send(Sim* sim, Time now) {
  while (!sim->out.empty() && sim->out.front().due <= now) {
    Outgoing& next = sim->out.front();
    ssize_t done = write(sim->fd, next.bytes.data(), next.bytes.size());
    if (done < 0 && errno == EINTR) continue;
    if (done < 0) {
      if (next.optional) sim->out.pop_front();
      return false;
    }
    if (static_cast<size_t>(done) < next.bytes.size()) {
      next.bytes.erase(0, done);
      return false;
    }
    if (next.bytes == SIM_READY) _note(*sim, 2, "ready");
    sim->lastActivity = now;
    bool reply = !next.optional;
    sim->out.pop_front();
    if (reply && sim->out.empty() && sim->cycle.answered) {
      sim->cycle.written = Clock::now();
      sim->cycle.sent = true;
    }
  }
  return true;
}

// Paced bytes are due a fraction of a millisecond apart, so waits are kept
// to the nanosecond.
timespec _until(Time now, Time when) {
  long long ns = when <= now ? 0 : std::chrono::duration_cast<std::chrono::nanoseconds>(when - now).count();
  return timespec{static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
}

int _run(Sim* sim) {
  const SimOptions& o = sim->controller.options;
  char buffer[4096];
  while (!gStop) {
    Time now = Clock::now();
    pollfd p = {sim->fd, POLLIN, 0};
    Time wake = now + Ms(100);
    if (sim->connected) {
      if (!sim->controller.frame.empty())
        wake = std::min(wake, sim->lastByte + Ms(o.frameTimeoutMs));
      else if (sim->out.empty())
        wake = std::min(wake, sim->lastActivity + Ms(o.readyPeriodMs));
    }
    bool replyWaits = sim->connected && !sim->out.empty();
    SimWait plan = simReplyWait(replyWaits, now, replyWaits ? sim->out.front().due : now, wake);
    int ready = 0;
    if (plan.kind == SIM_WAIT_SPIN) {
      while (Clock::now() < plan.until) {
      }
    } else {
      if (plan.kind == SIM_WAIT_ROOM) p.events |= POLLOUT;
      timespec wait = _until(now, plan.until);
      ready = ppoll(&p, 1, &wait, nullptr);
    }
    if (ready < 0 && errno != EINTR) {
      _note(*sim, 0, std::string("poll: ") + std::strerror(errno));
      return 1;
    }
    now = Clock::now();
    if (ready > 0 && (p.revents & POLLIN)) {
      ssize_t got = read(sim->fd, buffer, sizeof(buffer));
      if (got > 0) {
        if (!sim->connected) _connect(sim, now);
        if (sim->controller.frame.empty()) _frameStarts(sim, now);
        _receive(sim, buffer, static_cast<size_t>(got), now);
        continue;
      }
    }
    if (ready > 0 && (p.revents & (POLLHUP | POLLERR))) {
      if (sim->connected) _disconnect(sim);
      timespec pause = {0, 20 * 1000000L};
      nanosleep(&pause, nullptr);  // the hang-up stays until the line is opened again
      continue;
    }
    if (!sim->connected) _connect(sim, now);
    _send(sim, now);
    if (!sim->controller.frame.empty() && now - sim->lastByte >= Ms(o.frameTimeoutMs)) {
      SimEvents events;
      simFrameTimeout(&sim->controller, &events);
      _handle(sim, events, now);
    }
    if (sim->out.empty() && simMaySendIdleReady(&sim->controller) &&
        now - sim->lastActivity >= Ms(o.readyPeriodMs)) {
      _queue(sim, SIM_READY, now, true);
      sim->lastActivity = now;
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  SimOptions options;
  std::string error;
  int parsed = parseSimOptions(argc, argv, &options, &error);
  if (parsed == 2) {
    std::fputs(SIM_USAGE, stdout);
    return 0;
  }
  if (!parsed) {
    std::fprintf(stderr, "kivo-sim: %s\nTry 'kivo-sim --help'.\n", error.c_str());
    return 2;
  }
  Sim sim;
  simInit(&sim.controller, options);
  if (options.baud > 0) sim.byteTime = std::chrono::nanoseconds(10000000000LL / options.baud);
  if (!options.record.empty()) {
    sim.record = std::fopen(options.record.c_str(), "wb");
    if (!sim.record) {
      std::fprintf(stderr, "kivo-sim: %s: %s\n", options.record.c_str(), std::strerror(errno));
      return 1;
    }
  }
  if (options.device.empty()) {
    if (!_openPty(&sim)) {
      std::fprintf(stderr, "kivo-sim: cannot make a pseudo-terminal: %s\n", std::strerror(errno));
      return 1;
    }
  } else {
    sim.path = options.device;
    sim.fd = open(sim.path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (sim.fd < 0) {
      std::fprintf(stderr, "kivo-sim: %s: %s\n", sim.path.c_str(), std::strerror(errno));
      return 1;
    }
    makeRawLine(sim.fd);
  }
  std::string target = sim.path;
  if (!options.link.empty()) {
    if (!_makeLink(sim.path, options.link)) {
      std::fprintf(stderr, "kivo-sim: cannot make the link %s\n", options.link.c_str());
      return 1;
    }
    target = options.link;
  }
  std::printf("kivo-sim: controller on %s\n", target.c_str());
  std::printf("kivo-sim: to map it as COM5 for Wine: wine reg add 'HKLM\\Software\\Wine\\Ports' /v COM5 /t REG_SZ /d %s /f\n",
              target.c_str());
  std::fflush(stdout);
  if (options.wineCom) _mapWineCom(sim, options.wineCom, target);

  struct sigaction action = {};
  action.sa_handler = _onSignal;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  signal(SIGPIPE, SIG_IGN);

  // Paced replies are due a fraction of a millisecond apart: wake-ups on
  // time, not up to the default 50 us late.
  prctl(PR_SET_TIMERSLACK, 1UL, 0, 0, 0);
  int status = _run(&sim);
  if (options.timing) std::fputs(simTimingReport(sim.timing).c_str(), stderr);
  if (sim.record && std::fclose(sim.record) != 0) status = 1;
  if (!options.link.empty()) unlink(options.link.c_str());
  close(sim.fd);
  _note(sim, 1, std::to_string(sim.controller.lines) + " lines taken, " + std::to_string(sim.controller.rejected) +
                    " frames rejected");
  return status;
}
