// The serial port on Win32: probing, opening at the line settings, the
// input queue, and the port as the streaming protocol uses it.
#pragma once

#include <windows.h>

#include "terminal/link/linkIo.h"

// True when the named port can be opened for exclusive reading and writing
// now; it is closed again at once.
bool canOpenPort(const char* name);

// Opens the named port and sets 115200 baud, 8 data bits, no parity, one
// stop bit and no CTS or DSR output flow control, keeping every other
// setting the driver reports. INVALID_HANDLE_VALUE when it cannot be opened.
HANDLE OpenPort(const char* name);

// Changes the settings OpenPort forces and nothing else.
void applyLineSettings(DCB* dcb);

// Number of bytes in the port's input queue; -1 when the port cannot be
// queried (a USB adapter pulled out). Also clears a pending line error.
int BytesWaiting(HANDLE port);

// An open port as the sender thread drives it. A wait for input reads the
// first byte that arrives (the port's time-outs bound the wait; a read of
// one byte returns as that byte comes, where some drivers end a read of more
// bytes than arrive only at its time-out), then at once what came with it,
// usually the rest of the answer; the bytes are held here until the protocol
// reads them. So an answer costs one wake-up, and the protocol's reads of it
// no calls of the driver.
const int RUN_PORT_INPUT = 1024;
struct RunPort {
  HANDLE handle;
  int waitMs;      // the read time-out set on the port, 0 before the first wait
  int inputStart;  // input[inputStart, inputEnd) is held, not yet read
  int inputEnd;
  char input[RUN_PORT_INPUT];
};

// A run's port over handle, holding nothing yet.
RunPort newRunPort(HANDLE handle);

// The protocol's port over port, which must outlive it.
LinkPort runLinkPort(RunPort* port);
