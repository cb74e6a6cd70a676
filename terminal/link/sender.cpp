#include "terminal/link/sender.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "terminal/link/answers.h"
#include "terminal/link/lineFrame.h"
#include "terminal/link/runState.h"

const char LOG_PARITY[] = "##PARITY ERROR, RESENDING##\r\n";
const char LOG_CRITICAL[] = "Critical Error, resend limit exceeded\r\n";
const char LOG_OVERFLOW[] = "Commport buffer overflow";
const char LOG_PORT[] = "Commport error, run halted\r\n";

namespace {

const int ACK_FAILED = -1;
const int ACK_ENDED = -2;

// Sender thread only: the halts so far (a halt while a frame waits for the
// input to settle keeps it back, whatever the user pressed after it), and
// whether an error answer asks for "m105".
unsigned gHalts = 0;
bool gM105Due = false;

void _log(const LinkIo* io, const std::string& text) {
  io->report.appendLog(io->report.context, text.c_str());
}

// What the answer buffer holds, as the log shows it: NUL bytes of a noisy
// line would cut the text short, so they are left out.
std::string _heldText() {
  std::string text;
  for (int i = 0; i < gRxCount; ++i)
    if (gRxBuffer[i] != '\0') text += gRxBuffer[i];
  return text;
}

void _haltOnly() {
  ++gHalts;
  runHalt();
}

void _halt(const LinkIo* io) {
  _haltOnly();
  io->report.updateButtons(io->report.context);
}

void _markTakenLine(const LinkIo* io) {
  int taken = gRunLine - 1;
  if (taken >= 1) io->editor.markLine(io->editor.context, taken);
}

void _haltPortFailed(const LinkIo* io) {
  _halt(io);
  _log(io, LOG_PORT);
}

// The first byte that arrives: the acknowledgement of the frame just
// written, or ACK_FAILED / ACK_ENDED.
int _awaitAcknowledgement(const LinkIo* io) {
  const LinkPort& port = io->port;
  while (gRunActive) {
    int n = port.bytesWaiting(port.context, LINK_WAIT_MS);
    if (n < 0) return ACK_FAILED;
    if (n == 0) continue;
    char byte;
    int got = port.read(port.context, &byte, 1);
    if (got < 0) return ACK_FAILED;
    if (got == 1) return static_cast<unsigned char>(byte);
  }
  return ACK_ENDED;
}

// Answer bytes are waiting: collect them and handle a complete answer. A
// ready answer counts only when readyCounts; an error answer halts the run
// unless it is halted already, and makes "m105" due.
void _collectAnswer(const LinkIo* io, int n, bool readyCounts) {
  const LinkPort& port = io->port;
  if (answerOverflows(n)) {
    _log(io, LOG_OVERFLOW);
    _halt(io);
    answerClear();
    // The waiting bytes are dropped too: left in the port, a queue that grew
    // while halted would overflow every following Run at once.
    char scrap[RX_BUFFER_SIZE];
    while (n > 0) {
      int got = port.read(port.context, scrap, n < RX_BUFFER_SIZE ? n : RX_BUFFER_SIZE);
      if (got <= 0) break;
      n -= got;
    }
    return;
  }
  int got = port.read(port.context, gRxBuffer + gRxCount, n);
  if (got < 0) {
    _haltPortFailed(io);
    return;
  }
  gRxCount += got;
  gRxBuffer[gRxCount] = '\0';
  if (!answerComplete()) return;

  int state = gRunState;
  if (state != RUN_IDLE && state != RUN_PAUSED) _log(io, ">> " + _heldText() + "\n");
  int kind = answerKind(gRxBuffer, gRxCount);
  answerClear();
  if (kind == ANSWER_ERROR && state != RUN_HALTED) {
    _markTakenLine(io);
    _halt(io);
    gM105Due = true;
  } else if (kind == ANSWER_READY && readyCounts) {
    runAnswerReady();
  }
}

// Before a frame is written: what is waiting was sent before the controller
// saw the frame, so none of it is the frame's acknowledgement. Complete
// answers are handled, a ready answer counting for nothing; an answer still
// arriving is let finish (bytes at most LINK_WAIT_MS apart), and what is
// left unfinished is dropped, as when a line is taken. 0 when the frame may
// go out, else the SendResult that keeps it back: unless the frame always
// goes ("m105"), an answer that halts the run stops it, and reading stops
// there, so what follows waits in the port for the next Run.
int _settleInput(const LinkIo* io, bool always) {
  const LinkPort& port = io->port;
  unsigned halts = gHalts;
  int result = 0;
  for (;;) {
    if (!gRunActive) {
      result = SEND_ENDED;
      break;
    }
    if (!always && gHalts != halts) {
      result = SEND_HALTED;
      break;
    }
    int n = port.bytesWaiting(port.context, gRxCount > 0 ? LINK_WAIT_MS : 0);
    if (n < 0) {
      _haltPortFailed(io);
      result = SEND_FAILED;
      break;
    }
    if (n == 0) break;
    _collectAnswer(io, n, false);
  }
  answerClear();
  return result;
}

// The controller is ready: take the next line, send it unless it is a
// comment, and log it.
void _takeNextLine(const LinkIo* io) {
  const LinkEditor& editor = io->editor;
  answerClear();  // a partial answer is dropped
  RunTicket ticket;
  if (!runTakeLine(&ticket)) return;
  if (editor.lineCount(editor.context) < ticket.line) {
    if (runFinish(&ticket)) {
      io->report.complete(io->report.context);
      io->report.updateButtons(io->report.context);
    }
    return;
  }
  char* text = editor.lineText(editor.context, ticket.line);
  io->report.setProgress(io->report.context, ticket.line);
  editor.scrollToLine(editor.context, ticket.line);
  if (!text) return;  // taken again after the next ready answer
  if (runCommitLine(&ticket)) {
    if (IsSendableLine(text))
      SendLine(io, text);
    else
      runCommentDone(&ticket);
    _log(io, "[" + std::to_string(ticket.line) + "] " + text + "\n");
  }
  std::free(text);
}

// One frame: written once its input has settled, then resent while the
// controller rejects it. A SendResult.
int _sendFrame(const LinkIo* io, const char* text, bool always) {
  const LinkPort& port = io->port;
  const std::string frame = lineFrame(text);
  for (int attempts = 0;;) {
    if (int kept = _settleInput(io, always)) return kept;
    if (!port.write(port.context, frame.data(), static_cast<int>(frame.size()))) {
      _haltPortFailed(io);
      return SEND_FAILED;
    }
    int ack = _awaitAcknowledgement(io);
    if (ack == 'k') return SEND_ACKED;
    if (ack == ACK_ENDED) return SEND_ENDED;
    if (ack == ACK_FAILED) {
      _haltPortFailed(io);
      return SEND_FAILED;
    }
    _log(io, LOG_PARITY + _heldText());
    port.sleep(port.context, 1);
    if (++attempts < RESEND_LIMIT) continue;
    _haltOnly();
    _log(io, LOG_CRITICAL + _heldText());
    io->report.updateButtons(io->report.context);
    _markTakenLine(io);
    return SEND_LIMIT;
  }
}

// "m105" once for every error answer that halted the run; a failed port or
// the end of the connection ends it.
void _sendDueM105(const LinkIo* io) {
  while (gM105Due) {
    gM105Due = false;
    int result = _sendFrame(io, "m105", true);
    if (result == SEND_FAILED || result == SEND_ENDED) gM105Due = false;
  }
}

}  // namespace

int SendLine(const LinkIo* io, const char* text) {
  int result = _sendFrame(io, text, false);
  _sendDueM105(io);
  return result;
}

int SenderPass(const LinkIo* io) {
  if (!gRunActive) return 0;
  const LinkPort& port = io->port;
  int state = gRunState;
  if (state == RUN_HALTED) {
    port.sleep(port.context, LINK_WAIT_MS);  // the port rests until Run or Stop
    return 1;
  }
  // Ready: a line is due, so only look. Otherwise wait for input a little,
  // coming back at once when it arrives.
  int n = port.bytesWaiting(port.context, state == RUN_READY ? 0 : LINK_WAIT_MS);
  if (n < 0) {
    _haltPortFailed(io);
    return 1;
  }
  if (n > 0) _collectAnswer(io, n, true);
  _sendDueM105(io);
  if (gRunState == RUN_READY) _takeNextLine(io);
  return 1;
}

void SenderLoop(const LinkIo* io) {
  while (SenderPass(io)) {
  }
}
