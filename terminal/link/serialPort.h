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
// first byte that arrives (the port's time-outs bound the wait) and holds
// it until the next read: a read of one byte returns as that byte comes,
// where some drivers end a read of more bytes than arrive only at its
// time-out.
struct RunPort {
  HANDLE handle;
  int waitMs;    // the read time-out set on the port, 0 before the first wait
  int held;      // 1 when heldByte is waiting to be read
  char heldByte;
};

// The protocol's port over port, which must outlive it.
LinkPort runLinkPort(RunPort* port);
