#include "terminal/link/serialPort.h"

#include <algorithm>
#include <cstring>

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

int _held(const RunPort* port) { return port->inputEnd - port->inputStart; }

// Held bytes first; with none held, what waits in the queue, without waiting.
int _portRead(void* context, char* bytes, int n) {
  RunPort* port = static_cast<RunPort*>(context);
  if (n <= 0) return 0;
  if (int held = std::min(n, _held(port))) {
    std::memcpy(bytes, port->input + port->inputStart, static_cast<size_t>(held));
    port->inputStart += held;
    return held;
  }
  int queued = BytesWaiting(port->handle);
  if (queued < 0) return -1;
  int want = std::min(n, queued);
  if (want == 0) return 0;
  DWORD read = 0;
  if (!ReadFile(port->handle, bytes, static_cast<DWORD>(want), &read, nullptr)) return -1;
  return static_cast<int>(read);
}

// What is held and queued; with nothing held, a wait is the read that fills
// the held bytes.
int _portBytesWaiting(void* context, int waitMs) {
  RunPort* port = static_cast<RunPort*>(context);
  if (_held(port) > 0 || waitMs <= 0) {
    int queued = BytesWaiting(port->handle);
    return queued < 0 ? -1 : _held(port) + queued;
  }
  if (!_setWait(port, waitMs)) return -1;
  DWORD read = 0;
  if (!ReadFile(port->handle, port->input, 1, &read, nullptr)) return -1;
  port->inputStart = 0;
  port->inputEnd = static_cast<int>(read);
  // Nothing came: a line that has gone also reads nothing, so ask the port.
  if (read == 0) return BytesWaiting(port->handle) < 0 ? -1 : 0;
  // What came with the first byte is taken in the same wake-up.
  int queued = BytesWaiting(port->handle);
  int more = std::min(queued, RUN_PORT_INPUT - 1);
  if (more > 0 && ReadFile(port->handle, port->input + 1, static_cast<DWORD>(more), &read, nullptr))
    port->inputEnd += static_cast<int>(read);
  return queued < 0 ? _held(port) : _held(port) + (queued - std::min(queued, more));
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

RunPort newRunPort(HANDLE handle) {
  RunPort port;
  port.handle = handle;
  port.waitMs = 0;
  port.inputStart = port.inputEnd = 0;
  return port;
}

LinkPort runLinkPort(RunPort* port) { return LinkPort{port, _portWrite, _portRead, _portBytesWaiting, _portSleep}; }
