// Helpers of the machine link's Win32 tests: the two ends of a line given by
// comPort.sh pair (A for the terminal, B for the controller the test plays).
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "terminal/link/serialPort.h"
#include "tests/link/terminalDriver.h"

namespace linktest {

using linkdrive::click;

inline std::string environment(const char* name) {
  const char* value = std::getenv(name);
  EXPECT_TRUE(value && *value) << name << " is not set: run the test through tests/link/comPort.sh";
  return value ? value : "";
}

inline std::string portA() { return environment("KIVO_PORT_A"); }
inline std::string portB() { return environment("KIVO_PORT_B"); }

// Ends the line for both ends, as pulling out a USB adapter does.
inline void hangUp() {
  HANDLE marker = CreateFileA(environment("KIVO_PORT_HANGUP").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              0, nullptr);
  if (marker != INVALID_HANDLE_VALUE) CloseHandle(marker);
}

inline DCB commState(HANDLE port) {
  DCB dcb;
  ZeroMemory(&dcb, sizeof(dcb));
  dcb.DCBlength = sizeof(dcb);
  GetCommState(port, &dcb);
  return dcb;
}

// Polls until done() or the time is up.
inline bool waitUntil(const std::function<bool()>& done, int timeoutMs = 10000) {
  for (int waited = 0; waited < timeoutMs; waited += 5, Sleep(5))
    if (done()) return true;
  return done();
}

// A line: the terminal's end opened as OpenPort opens it, and the
// controller's end, whose reads wait up to a second.
struct Line {
  HANDLE a = INVALID_HANDLE_VALUE, b = INVALID_HANDLE_VALUE;
  bool open() {
    a = OpenPort(portA().c_str());
    return a != INVALID_HANDLE_VALUE && openControllerEnd();
  }
  // B only, for tests in which the terminal opens A itself.
  bool openControllerEnd() {
    b = OpenPort(portB().c_str());
    COMMTIMEOUTS timeouts = {MAXDWORD, MAXDWORD, 1000, 0, 0};
    return b != INVALID_HANDLE_VALUE && SetCommTimeouts(b, &timeouts);
  }
  ~Line() {
    if (a != INVALID_HANDLE_VALUE) CloseHandle(a);
    if (b != INVALID_HANDLE_VALUE) CloseHandle(b);
  }
  void controllerWrites(const std::string& bytes) const {
    DWORD written = 0;
    WriteFile(b, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  }
  // Up to n bytes, as they come within about a second each.
  std::string controllerReads(size_t n) const {
    std::string got;
    char buffer[256];
    while (got.size() < n) {
      DWORD read = 0;
      DWORD want = static_cast<DWORD>(std::min(n - got.size(), sizeof(buffer)));
      if (!ReadFile(b, buffer, want, &read, nullptr) || read == 0) break;
      got.append(buffer, read);
    }
    return got;
  }
};

// The controller, played on the line's end B by a thread of the test: it
// collects frames (checksum byte, text, LF) and writes what reply() gives
// for each. Frames whose checksum does not match are noted as such.
class Controller {
 public:
  // Reply to the n-th frame (from 1) with the given text.
  using Reply = std::function<std::string(const std::string& text, int n)>;

  Controller(const Line& line, Reply reply) : line_(line), reply_(std::move(reply)) {
    thread_ = std::thread([this] { serve(); });
  }
  ~Controller() {
    stop_ = true;
    thread_.join();
  }
  // Texts of the frames received so far, in order.
  std::vector<std::string> frames() {
    std::lock_guard<std::mutex> hold(lock_);
    return frames_;
  }
  size_t frameCount() {
    std::lock_guard<std::mutex> hold(lock_);
    return frames_.size();
  }
  int badChecksums() const { return bad_; }

  // The usual controller: takes every frame and is ready again at once.
  static std::string takeAll(const std::string&, int) { return "kready\r\n"; }

 private:
  void serve() {
    COMMTIMEOUTS timeouts = {MAXDWORD, MAXDWORD, 50, 0, 0};
    SetCommTimeouts(line_.b, &timeouts);
    std::string pending;
    while (!stop_) {
      // Wine ends a read of more bytes than are waiting only at its time-out,
      // so the controller waits for one byte and then takes what is there.
      char buffer[4096];
      DWORD got = 0;
      if (!ReadFile(line_.b, buffer, 1, &got, nullptr)) break;
      int more = got ? std::min<int>(BytesWaiting(line_.b), sizeof(buffer) - 1) : 0;
      DWORD rest = 0;
      if (more > 0 && !ReadFile(line_.b, buffer + got, more, &rest, nullptr)) break;
      pending.append(buffer, got + rest);
      for (size_t end; (end = pending.find('\n')) != std::string::npos;) {
        std::string frame = pending.substr(0, end);
        pending.erase(0, end + 1);
        if (frame.empty()) continue;
        std::string text = frame.substr(1);
        unsigned sum = 0;
        for (unsigned char c : text) sum += c;
        sum &= 0xFF;
        if (sum == 0 || sum == 10 || sum == 13) sum += 100;
        if (static_cast<unsigned char>(frame[0]) != sum) ++bad_;
        int n;
        {
          std::lock_guard<std::mutex> hold(lock_);
          frames_.push_back(text);
          n = static_cast<int>(frames_.size());
        }
        line_.controllerWrites(reply_(text, n));
      }
    }
  }
  const Line& line_;
  Reply reply_;
  std::mutex lock_;
  std::vector<std::string> frames_;
  std::atomic<int> bad_{0};
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace linktest
