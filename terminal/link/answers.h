// The controller's answers, collected byte by byte on the sender thread.
// An answer is complete once a CR or LF is held; everything held is then
// handled as one answer.
#pragma once

const int RX_BUFFER_SIZE = 1024;
// gRxCount + n reaching this many bytes overflows the answer buffer.
const int RX_OVERFLOW = 1021;

// Bytes held so far (0 to 1020), kept NUL-terminated. Sender thread only.
extern char gRxBuffer[RX_BUFFER_SIZE];
extern int gRxCount;

enum AnswerKind {
  ANSWER_OTHER = 0,  // logged only
  ANSWER_READY,      // begins with 'r' and holds no "error"
  ANSWER_ERROR       // holds "error" in any mix of case
};

void answerClear();
// True when n more bytes would overflow the buffer.
bool answerOverflows(int n);
// Appends n bytes; false, holding nothing new, when they would overflow.
bool answerAppend(const char* bytes, int n);
// A CR or LF is among the bytes held.
bool answerComplete();
// Kind of the n bytes of an answer. All n bytes count, NUL bytes of a noisy
// line included.
int answerKind(const char* bytes, int n);
