// The link's port over a POSIX terminal device (a pseudo-terminal or a
// serial line), for native runs of the sender against kivo-sim.
#pragma once

#include "terminal/link/linkIo.h"

// Opens path for reading and writing in raw mode; the descriptor, or -1.
int openPosixPort(const char* path);
// Puts a terminal device in raw mode at 115200 baud, as the controller's
// line runs; nothing when fd is no terminal.
void makeRawLine(int fd);
// A LinkPort over the descriptor; fd must outlive it. A hang-up or error on
// the descriptor makes bytesWaiting fail.
LinkPort posixLinkPort(int* fd);
