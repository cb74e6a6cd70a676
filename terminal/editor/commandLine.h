// Start-up parameter and file-name rules of the terminal, without the platform.
#pragma once

// Removes control characters (below 0x20) and double quotes from the
// NUL-terminated text in place; bytes 0x80 to 0xFF are kept. Returns 1 when
// something remains, 0 otherwise (the text is then left as it was).
int CleanCommandLine(char* text);

// True when Save As appends ".txt" to path: the path is not an existing
// file, contains no "." anywhere and is shorter than 255 characters.
bool NeedsTxtExtension(const char* path, bool exists);
