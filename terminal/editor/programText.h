// Whether a file's bytes look like a G-code program, decided before they go
// into the editor. The editor's control lays a long line out in one call
// whose time grows with the square of the line's length (a line of two
// million characters holds the window for minutes), and binary data is no
// program at all; such a file is opened only when the user says so.
#pragma once

#include <cstddef>
#include <string>

enum ProgramTextKind {
  PROGRAM_TEXT = 0,  // looks like a program
  TEXT_NUL_BYTE,     // holds a NUL byte, as binary files do
  TEXT_LONG_LINE     // holds a line longer than LONGEST_PROGRAM_LINE
};

// Program lines are a few dozen characters; a long comment may run to a few
// hundred. A line of 4,096 characters still lays out in a tenth of a second.
const size_t LONGEST_PROGRAM_LINE = 4096;

struct ProgramTextCheck {
  int kind;       // a ProgramTextKind
  size_t line;    // 1-based line of the first NUL byte or over-long line; 0 for a program
  size_t length;  // that line's length in bytes, without its line break
};

// Looks at the n bytes of a file; lines end at CR, LF or CR LF. The first
// line that holds a NUL byte or is too long decides.
ProgramTextCheck checkProgramText(const char* bytes, size_t n);

// The question put to the user before a file that is not PROGRAM_TEXT is
// opened: it names the file and the reason.
std::string nonProgramQuestion(const std::string& path, const ProgramTextCheck& check);

// n with a comma between groups of three digits: 2,000,000.
std::string groupedNumber(size_t n);
