// One program line as it travels to the controller: checksum byte, the text
// exactly as the editor holds it, line feed.
#pragma once

#include <cstddef>
#include <string>

// Sum of the n bytes modulo 256; a sum of 0, 10 or 13 gets 100 added, so the
// checksum byte is never NUL, LF or CR.
unsigned char lineChecksumOf(const char* bytes, size_t n);
unsigned char LineChecksum(const char* text);

// 0 for a comment line (first byte after any bytes 1 to 32 is ';'), else 1.
// Empty and blank lines are sent; bytes 0x80 to 0xFF are not blank.
int IsSendableLine(const char* text);

// Checksum byte, text, LF.
std::string lineFrame(const char* text);

// True when the n bytes (the frame without its LF) are a checksum byte
// followed by text that has that checksum.
bool frameIsIntact(const char* frame, size_t n);
