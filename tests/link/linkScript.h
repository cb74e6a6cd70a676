// Scripted stand-ins of the machine link's port, editor and Run dialog, for
// the native protocol tests, the threaded tests and the fuzzer. A scripted
// controller answers each complete frame the sender writes.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "terminal/link/linkIo.h"

struct ScriptPort {
  // Input in the chunks it arrives in: bytesWaiting shows the front chunk
  // only, so two chunks are never read together.
  std::deque<std::string> arriving;
  std::string written;              // every byte written
  std::vector<std::string> frames;  // written frames without their LF
  std::string pending;              // bytes of a frame not yet ended
  // The controller: called with each complete frame.
  std::function<void(const std::string& frame)> onFrame;
  int queries = 0;      // bytesWaiting calls
  int sleeps = 0;       // sleep calls
  int failQuery = 0;    // bytesWaiting fails from this call on (0: never)
  bool failWrite = false;
  // Waits in a row that found nothing; at idleLimit the script ends the
  // connection, so a sender that waits for ever still returns. With
  // idleReady set, every idleReady-th of them brings a ready answer, as a
  // controller that repeats it while nothing happens.
  int idleWaits = 0;
  int idleReady = 0;
  // Called when a wait finds nothing (its time passes): may make bytes
  // arrive.
  std::function<void()> onIdleWait;
  int idleLimit = 2000;
  bool idleLimitHit = false;
};

struct ScriptEditor {
  std::vector<std::string> lines;
  std::vector<int> marks;
  std::vector<int> scrolls;
  int clears = 0;
  int failText = 0;  // lineText of this line fails once
  // Called inside lineText, before the text is returned (a user's command
  // falling between the take of a line and its sending).
  std::function<void(int n)> duringTake;
};

struct ScriptReport {
  std::string log;
  int low = 0, high = 0, position = -1;
  int run = -1, pause = -1, stop = -1;  // buttons at the last update
  int completes = 0;
  std::function<void()> duringComplete;
};

struct LinkScript {
  ScriptPort port;
  ScriptEditor editor;
  ScriptReport report;
  LinkIo io;
  LinkScript();
  LinkScript(const LinkScript&) = delete;
  LinkScript& operator=(const LinkScript&) = delete;
};

// Controllers for ScriptPort::onFrame.
// Acknowledges intact frames with "k" then "ready\r\n", rejects others with
// "?".
void goodController(LinkScript* s);
// Frames written so far as their texts (checksum byte dropped).
std::vector<std::string> sentTexts(const ScriptPort& port);
