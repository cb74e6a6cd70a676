// A program's lines as the terminal's editor shows them, and which of them
// go to the controller: the expectations of the link's tests and benchmarks,
// written apart from the code they check.
#pragma once

#include <string>
#include <vector>

namespace programlines {

// The text split at CR LF, LF or CR; a text that ends in a line break has an
// empty last line, as the editor shows it.
inline std::vector<std::string> editorLines(const std::string& text) {
  std::vector<std::string> lines(1);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      lines.emplace_back();
    } else {
      lines.back() += text[i];
    }
  }
  return lines;
}

// A comment line: ';' after any bytes 1 to 32. It is logged, not sent.
inline bool isComment(const std::string& line) {
  size_t i = 0;
  while (i < line.size() && line[i] >= 1 && line[i] <= 32) ++i;
  return i < line.size() && line[i] == ';';
}

}  // namespace programlines
