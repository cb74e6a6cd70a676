// The protocol core's sender loop streaming a program natively over a
// pseudo-terminal to kivo-sim, without Wine or windows: the rate the
// simulator and the machine allow, to set beside the terminal's.
//
//   link_native_stream PROGRAM LINE [--baud N] [--ready BYTES]
//
// LINE is the simulator's pseudo-terminal. The clock runs from the take of
// the first line to the end of the program: every sent line's frame,
// acknowledgement and ready answer are inside it.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "terminal/link/lineFrame.h"
#include "terminal/link/posixPort.h"
#include "terminal/link/runState.h"
#include "terminal/link/sender.h"
#include "tests/link/programLines.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Program {
  std::vector<std::string> lines;
  Clock::time_point start, end;
};

int lineCount(void* c) { return static_cast<int>(static_cast<Program*>(c)->lines.size()); }
char* lineText(void* c, int n) {
  Program* p = static_cast<Program*>(c);
  if (n == 1) p->start = Clock::now();
  return strdup(p->lines[n - 1].c_str());
}
void noLine(void*, int) {}
void noMarks(void*) {}
void noLog(void*, const char*) {}
void noRange(void*, int, int) {}
void noPosition(void*, int) {}
void noButtons(void*) {}
void complete(void* c) {
  static_cast<Program*>(c)->end = Clock::now();
  LinkEnd();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: link_native_stream PROGRAM LINE [--baud N] [--ready BYTES]\n");
    return 2;
  }
  int baud = 0, readyBytes = 7;
  for (int i = 3; i + 1 < argc; i += 2) {
    if (!std::strcmp(argv[i], "--baud")) baud = std::atoi(argv[i + 1]);
    if (!std::strcmp(argv[i], "--ready")) readyBytes = std::atoi(argv[i + 1]);
  }
  std::ifstream in(argv[1], std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  Program program;
  program.lines = programlines::editorLines(text.str());
  long sent = 0, bytes = 0;
  for (const std::string& line : program.lines)
    if (IsSendableLine(line.c_str())) {
      ++sent;
      bytes += static_cast<long>(line.size()) + 2 + 1 + readyBytes;
    }
  int fd = openPosixPort(argv[2]);
  if (fd < 0) {
    std::perror(argv[2]);
    return 1;
  }
  LinkIo io;
  io.port = posixLinkPort(&fd);
  io.editor = {&program, lineCount, lineText, noLine, noLine, noMarks};
  io.report = {&program, noLog, noRange, noPosition, noButtons, complete};
  LinkOpen();
  RunCommand(&io);
  SenderLoop(&io);
  double ms = std::chrono::duration<double, std::milli>(program.end - program.start).count();
  std::printf("native core: %ld lines sent in %.0f ms: %.0f lines/s\n", sent, ms, sent / (ms / 1000.0));
  if (baud > 0) {
    double capacity = bytes * 10.0 / baud * 1000.0;
    std::printf("native core at %d baud: achieved %.1f %% of the line and handshake\n", baud,
                100.0 * capacity / ms);
  }
  return 0;
}
