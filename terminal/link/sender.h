// The sender thread's work: streaming the editor's lines to the controller,
// one frame per line, each acknowledged, resent when rejected, the next one
// taken only after a ready answer.
#pragma once

#include "terminal/link/linkIo.h"

// Log texts.
extern const char LOG_PARITY[];    // "##PARITY ERROR, RESENDING##\r\n"
extern const char LOG_CRITICAL[];  // "Critical Error, resend limit exceeded\r\n"
extern const char LOG_OVERFLOW[];  // "Commport buffer overflow"
extern const char LOG_PORT[];      // "Commport error, run halted\r\n"

const int RESEND_LIMIT = 1000;  // frames of one line, the first included
// Longest wait for input before the sender checks whether the connection
// ended, and its sleep while halted. Also the longest pause between two
// bytes of an answer the controller is still sending when a frame is due.
const int LINK_WAIT_MS = 10;

enum SendResult {
  SEND_ACKED = 1,  // the controller took the frame
  SEND_LIMIT,      // rejected RESEND_LIMIT times: halted
  SEND_FAILED,     // the port failed: halted
  SEND_ENDED,      // the connection ended while waiting
  SEND_HALTED      // an answer that came before the frame halted the run: not sent
};

// Writes the frame of text, waits for the acknowledgement byte and resends
// while it is not 'k'. Before every write the bytes already waiting are
// handled as answers: they were sent before the controller saw the frame, so
// none of them is its acknowledgement; an error answer among them halts the
// run, keeps the frame back and sends "m105". A SendResult.
int SendLine(const LinkIo* io, const char* text);

// One pass of the sender loop; 0 once the connection has ended.
int SenderPass(const LinkIo* io);
// Passes until the connection ends.
void SenderLoop(const LinkIo* io);
