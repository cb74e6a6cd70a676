// Streams a program through the real KIVOTerminal.exe to a controller
// simulator on a COM port and prints the rate: lines per second, and with
// --baud the share of what the line and the handshake allow at that rate
// (frame, acknowledgement byte and ready answer of every sent line, back to
// back). Also the CPU time the terminal spends per line.
//
//   streamBench PROGRAM PORT [--baud N] [--ready BYTES]
//
// PROGRAM is a Windows path, PORT a device name such as \\.\COM40. The
// clock runs from the first line in the log to the "Execution complete"
// box, so the wait for the controller's first ready answer is not counted.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/winClock.h"
#include "tests/link/programLines.h"
#include "tests/link/terminalDriver.h"

namespace {

std::string readWhole(const std::string& path) {
  std::string text;
  if (FILE* f = std::fopen(path.c_str(), "rb")) {
    char chunk[65536];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof(chunk), f)) > 0) text.append(chunk, n);
    std::fclose(f);
  }
  return text;
}

double processCpuMs(HANDLE process) {
  FILETIME created, ended, kernel, user;
  if (!GetProcessTimes(process, &created, &ended, &kernel, &user)) return 0;
  auto ms = [](const FILETIME& t) {
    return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
  };
  return ms(kernel) + ms(user);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: streamBench PROGRAM PORT [--baud N] [--ready BYTES]\n");
    return 2;
  }
  std::string program = argv[1], port = argv[2];
  int baud = 0, readyBytes = 7;  // "ready" CR LF
  for (int i = 3; i + 1 < argc; i += 2) {
    if (!std::strcmp(argv[i], "--baud")) baud = std::atoi(argv[i + 1]);
    if (!std::strcmp(argv[i], "--ready")) readyBytes = std::atoi(argv[i + 1]);
  }
  std::vector<std::string> lines = programlines::editorLines(readWhole(program));
  long sent = 0, lineBytes = 0;
  for (const std::string& line : lines)
    if (!programlines::isComment(line)) {
      ++sent;
      lineBytes += static_cast<long>(line.size()) + 2 + 1 + readyBytes;
    }

  linkdrive::Terminal terminal;
  if (!linkdrive::startTerminal(program, &terminal)) {
    std::fprintf(stderr, "streamBench: the terminal did not start\n");
    return 1;
  }
  HWND run = linkdrive::openRunDialog(terminal, port);
  if (!run) {
    std::fprintf(stderr, "streamBench: no Run dialog for %s\n", port.c_str());
    linkdrive::closeTerminal(&terminal);
    return 1;
  }
  linkdrive::click(run, IDC_RUN_RUN);
  HWND log = GetDlgItem(run, IDC_RUN_LOG);
  while (linkdrive::remoteSend(log, WM_GETTEXTLENGTH) == 0) Sleep(1);
  double start = nowMs(), cpuStart = processCpuMs(terminal.process.hProcess);
  HWND done = nullptr;
  while (!(done = wintest::findWindowOf(terminal.process.dwProcessId, "#32770", "Complete!"))) Sleep(5);
  double elapsed = nowMs() - start, cpu = processCpuMs(terminal.process.hProcess) - cpuStart;
  // The first line was in the log when the clock started.
  double rate = (sent - 1) / (elapsed / 1000.0);
  std::printf("program: %zu lines, %ld sent\n", lines.size(), sent);
  std::printf("streamed in %.0f ms: %.0f lines/s\n", elapsed, rate);
  if (baud > 0) {
    double capacity = lineBytes * 10.0 / baud * 1000.0;  // 8N1: ten bits a byte
    std::printf("line and handshake at %d baud: %.0f ms for these lines (%.0f lines/s): achieved %.1f %%\n", baud,
                capacity, sent / (capacity / 1000.0), 100.0 * capacity * (sent - 1) / sent / elapsed);
  }
  std::printf("terminal CPU: %.0f ms, %.3f ms per line\n", cpu, cpu / (sent - 1));
  PostMessageA(done, WM_COMMAND, IDOK, 0);
  linkdrive::closeTerminal(&terminal);
  return 0;
}
