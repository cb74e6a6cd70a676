// The machine link's view of the outside world: the serial port, the editor
// holding the program and the Run dialog. Each is a record of function
// pointers with a context pointer handed back to every call, so the protocol
// runs unchanged over the Win32 port and dialog, a POSIX descriptor, or the
// scripted stand-ins of the tests.
#pragma once

// The serial port. Only the sender thread uses it.
struct LinkPort {
  void* context;
  // Writes all n bytes; 1 on success, 0 when the port failed.
  int (*write)(void* context, const char* bytes, int n);
  // Reads up to n bytes that are already waiting, without waiting for more;
  // the count read, or -1 when the port failed.
  int (*read)(void* context, char* bytes, int n);
  // Number of bytes waiting in the input queue. With waitMs above 0 it waits
  // up to that long for the first byte and returns as soon as one is there;
  // with 0 it only asks. -1 when the query fails (a device pulled out).
  int (*bytesWaiting)(void* context, int waitMs);
  void (*sleep)(void* context, int ms);
};

// The editor holding the program; lines are numbered from 1. Called from
// the sender thread (lineCount, lineText, markLine, scrollToLine) and from
// the user's commands (lineCount, clearMarks).
struct LinkEditor {
  void* context;
  int (*lineCount)(void* context);
  // Text of line n without its line break, allocated with malloc (the link
  // frees it with free), or null when it cannot be had.
  char* (*lineText)(void* context, int n);
  void (*markLine)(void* context, int n);
  void (*scrollToLine)(void* context, int n);
  void (*clearMarks)(void* context);
};

// The Run dialog: log, progress bar, buttons and the completion box.
struct LinkReport {
  void* context;
  // Appends text at the end of the log.
  void (*appendLog)(void* context, const char* text);
  void (*setProgressRange)(void* context, int low, int high);
  void (*setProgress)(void* context, int position);
  // The run state changed: enable the Run, Pause and Stop buttons as
  // RunButtons gives them for gRunState read when the call is handled. The
  // Win32 dialog handles it on its own thread, after any user command that
  // came before, so the buttons always match the state they show.
  void (*updateButtons)(void* context);
  // Shows "Execution complete" and returns when the user dismissed it. It
  // blocks the sender thread; ending the connection must dismiss it.
  void (*complete)(void* context);
};

struct LinkIo {
  LinkPort port;
  LinkEditor editor;
  LinkReport report;
};
