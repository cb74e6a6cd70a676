#include "terminal/editor/programText.h"

ProgramTextCheck checkProgramText(const char* bytes, size_t n) {
  size_t line = 1;
  size_t at = 0;
  while (at < n) {
    size_t end = at;
    bool nul = false;
    for (; end < n && bytes[end] != '\r' && bytes[end] != '\n'; ++end)
      if (bytes[end] == '\0') nul = true;
    size_t length = end - at;
    if (nul) return {TEXT_NUL_BYTE, line, length};
    if (length > LONGEST_PROGRAM_LINE) return {TEXT_LONG_LINE, line, length};
    if (end < n && bytes[end] == '\r' && end + 1 < n && bytes[end + 1] == '\n') ++end;
    at = end + 1;
    ++line;
  }
  return {PROGRAM_TEXT, 0, 0};
}

std::string groupedNumber(size_t n) {
  std::string digits = std::to_string(n);
  std::string out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

std::string nonProgramQuestion(const std::string& path, const ProgramTextCheck& check) {
  std::string reason;
  if (check.kind == TEXT_NUL_BYTE)
    reason = "line " + groupedNumber(check.line) + " holds a NUL byte, as binary files do.";
  else
    reason = "line " + groupedNumber(check.line) + " is " + groupedNumber(check.length) +
             " characters long; program lines are at most " + groupedNumber(LONGEST_PROGRAM_LINE) + ".";
  return path + "\n\nThis file does not look like a G-code program: " + reason +
         "\n\nSuch a file can take minutes to open, and the window does not answer meanwhile. Open it anyway?";
}
