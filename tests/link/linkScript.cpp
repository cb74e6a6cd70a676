#include "tests/link/linkScript.h"

#include <cstdlib>
#include <cstring>
#include <mutex>

#include "terminal/link/lineFrame.h"
#include "terminal/link/runState.h"

namespace {

// The threaded tests call the editor and dialog from two threads.
std::mutex gScriptLock;

ScriptPort& _port(void* c) { return static_cast<LinkScript*>(c)->port; }
ScriptEditor& _editor(void* c) { return static_cast<LinkScript*>(c)->editor; }
ScriptReport& _report(void* c) { return static_cast<LinkScript*>(c)->report; }

int _write(void* c, const char* bytes, int n) {
  ScriptPort& port = _port(c);
  if (port.failWrite) return 0;
  for (int i = 0; i < n; ++i) {
    port.written += bytes[i];
    if (bytes[i] != '\n') {
      port.pending += bytes[i];
      continue;
    }
    port.frames.push_back(port.pending);
    port.pending.clear();
    if (port.onFrame) port.onFrame(port.frames.back());
  }
  return 1;
}

int _read(void* c, char* bytes, int n) {
  ScriptPort& port = _port(c);
  if (port.arriving.empty()) return 0;
  std::string& front = port.arriving.front();
  int got = n < static_cast<int>(front.size()) ? n : static_cast<int>(front.size());
  std::memcpy(bytes, front.data(), got);
  front.erase(0, got);
  if (front.empty()) port.arriving.pop_front();
  return got;
}

int _bytesWaiting(void* c, int waitMs) {
  ScriptPort& port = _port(c);
  ++port.queries;
  if (port.failQuery && port.queries >= port.failQuery) return -1;
  if (!port.arriving.empty()) {
    port.idleWaits = 0;
    return static_cast<int>(port.arriving.front().size());
  }
  if (waitMs == 0) return 0;
  if (port.onIdleWait) {
    port.onIdleWait();
    if (!port.arriving.empty()) return static_cast<int>(port.arriving.front().size());
  }
  if (++port.idleWaits >= port.idleLimit) {
    port.idleLimitHit = true;
    LinkEnd();
  } else if (port.idleReady && port.idleWaits % port.idleReady == 0) {
    port.arriving.push_back("ready\r\n");
  }
  return 0;
}

void _sleep(void* c, int) { ++_port(c).sleeps; }

int _lineCount(void* c) {
  std::lock_guard<std::mutex> hold(gScriptLock);
  return static_cast<int>(_editor(c).lines.size());
}

char* _lineText(void* c, int n) {
  ScriptEditor& editor = _editor(c);
  if (editor.duringTake) editor.duringTake(n);
  std::lock_guard<std::mutex> hold(gScriptLock);
  if (n == editor.failText) {
    editor.failText = 0;
    return nullptr;
  }
  const std::string& line = editor.lines.at(n - 1);
  char* text = static_cast<char*>(std::malloc(line.size() + 1));
  std::memcpy(text, line.c_str(), line.size() + 1);
  return text;
}

void _markLine(void* c, int n) {
  std::lock_guard<std::mutex> hold(gScriptLock);
  _editor(c).marks.push_back(n);
}

void _scrollToLine(void* c, int n) {
  std::lock_guard<std::mutex> hold(gScriptLock);
  _editor(c).scrolls.push_back(n);
}

void _clearMarks(void* c) {
  std::lock_guard<std::mutex> hold(gScriptLock);
  _editor(c).marks.clear();
  ++_editor(c).clears;
}

void _appendLog(void* c, const char* text) {
  std::lock_guard<std::mutex> hold(gScriptLock);
  _report(c).log += text;
}

void _setRange(void* c, int low, int high) {
  std::lock_guard<std::mutex> hold(gScriptLock);
  _report(c).low = low;
  _report(c).high = high;
}

void _setProgress(void* c, int position) {
  std::lock_guard<std::mutex> hold(gScriptLock);
  _report(c).position = position;
}

void _updateButtons(void* c) {
  std::lock_guard<std::mutex> hold(gScriptLock);
  ScriptReport& report = _report(c);
  RunButtons(gRunState, &report.run, &report.pause, &report.stop);
}

void _complete(void* c) {
  ScriptReport& report = _report(c);
  {
    std::lock_guard<std::mutex> hold(gScriptLock);
    ++report.completes;
  }
  if (report.duringComplete) report.duringComplete();
}

}  // namespace

LinkScript::LinkScript() {
  io.port = {this, _write, _read, _bytesWaiting, _sleep};
  io.editor = {this, _lineCount, _lineText, _markLine, _scrollToLine, _clearMarks};
  io.report = {this, _appendLog, _setRange, _setProgress, _updateButtons, _complete};
}

void goodController(LinkScript* s) {
  s->port.onFrame = [s](const std::string& frame) {
    if (!frameIsIntact(frame.data(), frame.size())) {
      s->port.arriving.push_back("?");
      return;
    }
    s->port.arriving.push_back("k");
    s->port.arriving.push_back("ready\r\n");
  };
}

std::vector<std::string> sentTexts(const ScriptPort& port) {
  std::vector<std::string> texts;
  for (const std::string& frame : port.frames) texts.push_back(frame.empty() ? frame : frame.substr(1));
  return texts;
}
