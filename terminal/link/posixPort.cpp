#include "terminal/link/posixPort.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

namespace {

int _fd(void* context) { return *static_cast<int*>(context); }

int _write(void* context, const char* bytes, int n) {
  while (n > 0) {
    ssize_t done = ::write(_fd(context), bytes, n);
    if (done < 0 && errno == EINTR) continue;
    if (done < 0 && errno == EAGAIN) {
      pollfd p = {_fd(context), POLLOUT, 0};
      if (poll(&p, 1, 1000) < 0 && errno != EINTR) return 0;
      continue;
    }
    if (done <= 0) return 0;
    bytes += done;
    n -= static_cast<int>(done);
  }
  return 1;
}

int _read(void* context, char* bytes, int n) {
  for (;;) {
    ssize_t got = ::read(_fd(context), bytes, n);
    if (got >= 0) return static_cast<int>(got);
    if (errno == EINTR) continue;
    return errno == EAGAIN ? 0 : -1;
  }
}

int _bytesWaiting(void* context, int waitMs) {
  pollfd p = {_fd(context), POLLIN, 0};
  int ready = poll(&p, 1, waitMs);
  if (ready < 0) return errno == EINTR ? 0 : -1;
  if (p.revents & (POLLERR | POLLNVAL)) return -1;
  int n = 0;
  if (ioctl(_fd(context), FIONREAD, &n) < 0) return -1;
  // A hang-up with nothing left to read: the other end has gone.
  if (n == 0 && (p.revents & POLLHUP)) return -1;
  return n;
}

void _sleep(void*, int ms) {
  timespec t = {ms / 1000, (ms % 1000) * 1000000L};
  while (nanosleep(&t, &t) < 0 && errno == EINTR) {
  }
}

}  // namespace

void makeRawLine(int fd) {
  termios t;
  if (tcgetattr(fd, &t) != 0) return;
  cfmakeraw(&t);
  cfsetispeed(&t, B115200);
  cfsetospeed(&t, B115200);
  t.c_cflag |= CLOCAL | CREAD;
  tcsetattr(fd, TCSANOW, &t);
}

int openPosixPort(const char* path) {
  int fd = open(path, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd >= 0) makeRawLine(fd);
  return fd;
}

LinkPort posixLinkPort(int* fd) {
  LinkPort port;
  port.context = fd;
  port.write = _write;
  port.read = _read;
  port.bytesWaiting = _bytesWaiting;
  port.sleep = _sleep;
  return port;
}
