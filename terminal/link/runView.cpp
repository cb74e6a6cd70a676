#include "terminal/link/runView.h"

#include <mutex>
#include <utility>

namespace {

std::mutex gViewLock;
RunViewChanges gPending;

}  // namespace

void viewAppendLog(const char* text) {
  std::lock_guard<std::mutex> hold(gViewLock);
  gPending.log += text;
}

void viewSetProgress(int position) {
  std::lock_guard<std::mutex> hold(gViewLock);
  gPending.progress = position;
}

void viewScrollTo(int line) {
  std::lock_guard<std::mutex> hold(gViewLock);
  gPending.scrollLine = line;
}

void viewMarkLine(int line) {
  std::lock_guard<std::mutex> hold(gViewLock);
  gPending.marks.push_back(line);
}

RunViewChanges viewTakeChanges() {
  std::lock_guard<std::mutex> hold(gViewLock);
  RunViewChanges taken = std::move(gPending);
  gPending = RunViewChanges();
  return taken;
}
