// Token classes of the G-code colouring, found in one line of text. Pure
// logic without the platform, so it is tested natively and fuzzed.
#pragma once

enum GcodeTokenClass {
  TOKEN_ADDRESS = 1,  // X Y Z P F L E S T: one character
  TOKEN_NUMBER,       // a digit or "." followed by digits and "."
  TOKEN_COMMENT,      // ";" up to the end of the text
  TOKEN_GWORD,        // G followed by digits
  TOKEN_MWORD         // M followed by digits
};

struct GcodeToken {
  int cls;     // a GcodeTokenClass
  int start;   // offset of the first character
  int length;  // characters, at least 1
};

// Tokenises the n bytes of text (no NUL needed) into at most capacity
// tokens, in order of their start; returns the count. A comment token is
// always the last one. n tokens are always enough.
int gcodeTokenise(const char* text, int n, GcodeToken* tokens, int capacity);

// Colour slot of the editor that draws a token class, or -1 for no class.
int gcodeTokenSlot(int cls);

// A run of characters of a line: offset and length.
struct TextRun {
  int start;
  int length;
};

// The words of the n characters at text: runs of bytes 0x21 to 0x7F, in
// order, into at most capacity runs; returns the count. A comment is drawn
// word by word, so the blanks between stay as the control drew them.
int wordRuns(const char* text, int n, TextRun* runs, int capacity);

// True when the character range [c, c + k) overlaps the selection
// [selMin, selMax); an empty selection overlaps nothing.
bool RangesOverlap(int selMin, int selMax, int c, int k);
