// Backslash escapes of the graphics control's texts, shared by the text
// measurement of the control and the string literals of the command
// language: \' \\ \n \q (a double quote) \r, letters in either case.
#pragma once

#include <string>

// What the character after a backslash stands for, or 0 when it starts no
// escape (the end of the text included).
char escapeChar(char c);

// Expands the escapes of a text up to its end or its first unescaped single
// quote. Returns false, leaving `out` unspecified, for an invalid escape.
bool unescapeText(const char* text, std::string* out);

// The text to measure for cmd_getTextW and cmd_getTextH: unescapeText. An
// invalid escape gives false and the "Invalid string escape" box, at most one
// per interval; a null text or no memory for the copy give false alone.
bool getEscapedString(const char* text, std::string* out);

// Tick count of the last "Invalid string escape" box, 0 before the first.
extern unsigned int gEscapeBoxTick;
