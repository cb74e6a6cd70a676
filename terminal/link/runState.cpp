#include "terminal/link/runState.h"

#include <mutex>

#include "terminal/link/answers.h"

std::atomic<int> gRunActive{0};
std::atomic<int> gRunState{RUN_IDLE};
std::atomic<int> gRunLine{0};

namespace {

// Held only for the few loads and stores of one change, never across a call
// of the port, editor or dialog.
std::mutex gRunLock;
// Counts the user's commands; a take carries the turn it was made in.
unsigned gRunTurn = 0;

}  // namespace

void LinkOpen() {
  std::lock_guard<std::mutex> hold(gRunLock);
  answerClear();
  gRunLine = 0;
  gRunState = RUN_IDLE;
  ++gRunTurn;
  gRunActive = 1;
}

void LinkEnd() { gRunActive = 0; }

void RunCommand(const LinkIo* io) {
  io->editor.clearMarks(io->editor.context);
  io->report.setProgressRange(io->report.context, 1, io->editor.lineCount(io->editor.context));
  {
    std::lock_guard<std::mutex> hold(gRunLock);
    if (gRunState != RUN_PAUSED) gRunLine = 1;
    gRunState = RUN_WAITING;
    ++gRunTurn;
  }
  io->report.updateButtons(io->report.context);
}

// Only a run that is going can be paused: resuming a halted run after Pause
// would go on after a line the controller never took.
void PauseCommand(const LinkIo* io) {
  {
    std::lock_guard<std::mutex> hold(gRunLock);
    if (gRunState == RUN_READY || gRunState == RUN_WAITING) {
      gRunState = RUN_PAUSED;
      ++gRunTurn;
    }
  }
  io->report.updateButtons(io->report.context);
}

void StopCommand(const LinkIo* io) {
  {
    std::lock_guard<std::mutex> hold(gRunLock);
    gRunLine = 1;
    gRunState = RUN_IDLE;
    ++gRunTurn;
  }
  io->report.setProgress(io->report.context, 0);
  io->report.updateButtons(io->report.context);
}

void RunButtons(int state, int* run, int* pause, int* stop) {
  bool going = state == RUN_READY || state == RUN_WAITING;
  *run = going ? 0 : 1;
  *pause = going ? 1 : 0;
  *stop = (going || state == RUN_PAUSED) ? 1 : 0;
}

bool runTakeLine(RunTicket* ticket) {
  std::lock_guard<std::mutex> hold(gRunLock);
  if (gRunState != RUN_READY) return false;
  gRunState = RUN_WAITING;
  ticket->line = gRunLine;
  ticket->turn = gRunTurn;
  return true;
}

bool runCommitLine(const RunTicket* ticket) {
  std::lock_guard<std::mutex> hold(gRunLock);
  if (ticket->turn != gRunTurn) return false;
  gRunLine = ticket->line + 1;
  return true;
}

bool runFinish(const RunTicket* ticket) {
  std::lock_guard<std::mutex> hold(gRunLock);
  if (ticket->turn != gRunTurn) return false;
  gRunState = RUN_IDLE;
  return true;
}

void runCommentDone(const RunTicket* ticket) {
  std::lock_guard<std::mutex> hold(gRunLock);
  if (ticket->turn == gRunTurn && gRunState == RUN_WAITING) gRunState = RUN_READY;
}

void runAnswerReady() {
  std::lock_guard<std::mutex> hold(gRunLock);
  if (gRunState == RUN_WAITING) gRunState = RUN_READY;
}

void runHalt() {
  std::lock_guard<std::mutex> hold(gRunLock);
  gRunState = RUN_HALTED;
}
