#include "cad/document/tools.h"

#include <cstring>

Tool gTools[TOOL_COUNT];
uint8_t gDefaultTool = 0;

int resetTools() {
  for (int i = 0; i < TOOL_COUNT; i++) {
    Tool& t = gTools[i];
    memset(&t, 0, sizeof(Tool));
    t.size = 0.5 + 0.1 * i;
    t.depth = 0.1 + 0.1 * i;
    t.millSpeed = 150;
    t.bitId = static_cast<uint8_t>(i);
    t.passes = 1;
  }
  return TOOL_COUNT;
}

int toolIndexFromPtr(const Tool* entry) {
  for (int i = 0; i < TOOL_COUNT; i++)
    if (entry == &gTools[i]) return i;
  return 0;
}

Tool* toolAt(unsigned index) {
  return index < TOOL_COUNT ? &gTools[index] : nullptr;
}
