// The design file: settings record, tool table, object count and object
// records, 404 + 56 x N bytes of raw little-endian images, no magic number.
// The editor's New, Open, Save and SaveAs commands are built on these calls.
#pragma once

#include <cstddef>
#include <vector>

enum {
  DESIGN_HEADER_SIZE = 404,  // settings (80) + tool table (320) + count (4)
  DESIGN_RECORD_SIZE = 56
};

// Results of loading a design.
enum {
  DESIGN_OK = 0,
  DESIGN_CANNOT_OPEN,  // errno tells why
  DESIGN_READ_ERROR,
  DESIGN_TOO_SHORT,    // fewer bytes than the header
  DESIGN_BAD_COUNT,    // negative object count
  DESIGN_TRUNCATED,    // fewer object records than the count
  DESIGN_EXTRA_BYTES,  // bytes after the last record
  DESIGN_NO_MEMORY
};

// One line describing a load result, e.g. for "<file>: <text>".
const char* designErrorText(int status);

// Starts an empty design: settings defaults (reserved bytes kept), default
// tools, no objects.
void newDesign();

// Replace the current design with the one in the file or bytes. The design
// is only replaced when the whole input is a well-formed design file; on any
// other result the current design is untouched. Records are taken as they
// stand: tool indexes and kinds are not checked (the users of the list guard
// their own lookups).
int loadFromFile(const char* path);
int loadFromBytes(const unsigned char* bytes, size_t size);

// The file image of the current design.
std::vector<unsigned char> designBytes();
// Writes the current design to path; 0 if the file cannot be created or
// written, 1 on success.
int saveToFile(const char* path);
