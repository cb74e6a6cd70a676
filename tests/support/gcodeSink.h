// Helpers of the G-code tests: programs and toolpaths as lists of lines.
#pragma once

#include <string>
#include <vector>

typedef std::vector<std::string> Lines;

// Splits CR LF text into lines; fails the test on a bare LF or CR, or a
// missing final line end.
Lines splitLines(const std::string& text);
// etchTo into memory; expects success.
std::string programText();
Lines program();
// The program without its fixed start and end (both checked) and, when
// dropFeeds is set, without the ten "f" lines.
Lines programBody(bool dropFeeds);
// What the toolpath writers called in draw() write.
Lines toolpath(void (*draw)());
// A travel to (x, y) with travel height 5 and a plunge to z.
Lines travelAndPlunge(const char* x, const char* y, const char* z);
// Concatenation.
Lines operator+(Lines a, const Lines& b);
