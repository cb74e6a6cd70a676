#include "terminal/link/serialPort.h"

#include <algorithm>

namespace {

HANDLE _openExclusive(const char* name) {
  return CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
}

// Reads return at once with the bytes waiting; with none, a read waits up to
// ms for the first byte.
bool _setWait(RunPort* port, int ms) {
  if (port->waitMs == ms) return true;
  COMMTIMEOUTS timeouts = {MAXDWORD, MAXDWORD, static_cast<DWORD>(ms), 0, 0};
  if (!SetCommTimeouts(port->handle, &timeouts)) return false;
  port->waitMs = ms;
  return true;
}

int _portWrite(void* context, const char* bytes, int n) {
  RunPort* port = static_cast<RunPort*>(context);
  DWORD written = 0;
  if (n == 0) return 1;
  return WriteFile(port->handle, bytes, static_cast<DWORD>(n), &written, nullptr) &&
         written == static_cast<DWORD>(n);
}

int _portRead(void* context, char* bytes, int n) {
  RunPort* port = static_cast<RunPort*>(context);
  int got = 0;
  if (n > 0 && port->held) {
    bytes[got++] = port->heldByte;
    port->held = 0;
  }
  int queued = BytesWaiting(port->handle);
  if (queued < 0) return got ? got : -1;
  int want = std::min(n - got, queued);
  if (want <= 0) return got;
  DWORD read = 0;
  if (!ReadFile(port->handle, bytes + got, static_cast<DWORD>(want), &read, nullptr)) return got ? got : -1;
  return got + static_cast<int>(read);
}

int _portBytesWaiting(void* context, int waitMs) {
  RunPort* port = static_cast<RunPort*>(context);
  int queued = BytesWaiting(port->handle);
  if (queued < 0) return -1;
  if (queued + port->held > 0 || waitMs <= 0) return queued + port->held;
  if (!_setWait(port, waitMs)) return -1;
  DWORD read = 0;
  if (!ReadFile(port->handle, &port->heldByte, 1, &read, nullptr)) return -1;
  if (read == 0) return 0;
  port->held = 1;
  queued = BytesWaiting(port->handle);
  return queued < 0 ? 1 : queued + 1;
}

void _portSleep(void*, int ms) { Sleep(static_cast<DWORD>(ms)); }

}  // namespace

bool canOpenPort(const char* name) {
  HANDLE port = _openExclusive(name);
  if (port == INVALID_HANDLE_VALUE) return false;
  CloseHandle(port);
  return true;
}

void applyLineSettings(DCB* dcb) {
  dcb->BaudRate = CBR_115200;
  dcb->ByteSize = 8;
  dcb->Parity = NOPARITY;
  dcb->StopBits = ONESTOPBIT;
  dcb->fOutxCtsFlow = FALSE;
  dcb->fOutxDsrFlow = FALSE;
}

HANDLE OpenPort(const char* name) {
  HANDLE port = _openExclusive(name);
  if (port == INVALID_HANDLE_VALUE) return port;
  // A driver that refuses the query or the settings leaves the port as it is.
  DCB dcb;
  ZeroMemory(&dcb, sizeof(dcb));
  dcb.DCBlength = sizeof(dcb);
  if (GetCommState(port, &dcb)) {
    applyLineSettings(&dcb);
    SetCommState(port, &dcb);
  }
  return port;
}

int BytesWaiting(HANDLE port) {
  COMSTAT status;
  ZeroMemory(&status, sizeof(status));
  if (!ClearCommError(port, nullptr, &status)) return -1;
  return static_cast<int>(std::min<DWORD>(status.cbInQue, 0x7FFFFFFF));
}

LinkPort runLinkPort(RunPort* port) { return LinkPort{port, _portWrite, _portRead, _portBytesWaiting, _portSleep}; }
