// The tool table: ten milling bits and their cutting parameters.
#pragma once

#include <cstddef>
#include <cstdint>

enum { TOOL_COUNT = 10 };

// One tool-table entry; its 32-byte image is stored in the design file.
struct Tool {
  double size;         // bit size (cutting width); fills step by size / OVERLAPFACTOR
  double depth;        // total cutting depth below the surface, positive
  uint32_t millSpeed;  // feed rate (F word)
  uint8_t bitId;       // bit number; cutting goes bit by bit in this order
  uint8_t pad0[3];
  uint32_t passes;     // depth passes; 0 is cut as 1
  uint8_t pad1[4];
};
static_assert(sizeof(Tool) == 32, "Tool is the 32-byte file record");
static_assert(offsetof(Tool, depth) == 8 && offsetof(Tool, millSpeed) == 16 &&
              offsetof(Tool, bitId) == 20 && offsetof(Tool, passes) == 24,
              "Tool field offsets");

extern Tool gTools[TOOL_COUNT];
// Entry given to newly drawn objects; not reset by a new design.
extern uint8_t gDefaultTool;

// Sets all entries to their defaults; returns TOOL_COUNT.
int resetTools();
// Index of the entry at address entry; 0 if it is not one of the table's.
int toolIndexFromPtr(const Tool* entry);
// The entry an object's tool index names, or null for an index outside the
// table (loaded designs may carry any byte there).
Tool* toolAt(unsigned index);
