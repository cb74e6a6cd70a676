// Run state and line of a connection, shared by the user-interface thread
// (Run, Pause, Stop) and the sender thread. Both read the atomics freely;
// every change is made under one short lock, and a user command starts a
// new turn, so a line the sender took before a user command is never counted
// as taken after it, and the user's Pause or Stop is never overwritten.
#pragma once

#include <atomic>

#include "terminal/link/linkIo.h"

enum RunState {
  RUN_READY = 0,    // the controller is ready: take the next line at once
  RUN_WAITING = 1,  // waiting for the controller's ready answer
  RUN_IDLE = 2,     // not running (dialog opened, Stop, program complete)
  RUN_PAUSED = 3,   // paused by the user
  RUN_HALTED = 4    // halted by an error answer, an overflow, the resend
                    // limit or a failed port
};

// 1 while a connection is open; 0 tells the sender thread to end, also from
// inside a wait for an acknowledgement.
extern std::atomic<int> gRunActive;
extern std::atomic<int> gRunState;
// 1-based number of the next line to take; 0 when a connection opens.
extern std::atomic<int> gRunLine;

// Start of a connection: line 0, state idle, answer buffer empty, active.
void LinkOpen();
// End of a connection: the sender loop returns within a few milliseconds;
// join its thread before closing the port.
void LinkEnd();

// The Run dialog's buttons (user-interface thread).
void RunCommand(const LinkIo* io);    // restarts at line 1 unless paused
void PauseCommand(const LinkIo* io);  // only while the run is going
void StopCommand(const LinkIo* io);

// Buttons enabled (1) or disabled (0) in a run state.
void RunButtons(int state, int* run, int* pause, int* stop);

// A line taken by the sender thread: its number and the turn it was taken in.
struct RunTicket {
  int line;
  unsigned turn;
};

// Sender-thread transitions. runTakeLine moves ready to waiting and names
// the line to take; the others act only while no user command came after
// the take (0 otherwise: the take is void and nothing may be sent).
bool runTakeLine(RunTicket* ticket);
bool runCommitLine(const RunTicket* ticket);  // gRunLine = line + 1
bool runFinish(const RunTicket* ticket);      // no line left: idle
void runCommentDone(const RunTicket* ticket); // nothing sent: ready again
void runAnswerReady();                        // waiting to ready
void runHalt();
