#include "bench/gcode/largeDesign.h"

#include <cstdint>

#include "cad/document/designFile.h"
#include "cad/document/obj.h"
#include "cad/document/tools.h"

void makeLargeDesign() {
  newDesign();
  for (int i = 0; i < TOOL_COUNT; i++) gTools[i].passes = 2;
  uint32_t seed = 1;
  auto next = [&seed](double range) {
    seed = seed * 1664525u + 1013904223u;
    return (seed >> 8) / double(1 << 24) * range;
  };
  for (int i = 0; i < LARGE_DESIGN_OBJECTS; i++) {
    uint8_t tool = static_cast<uint8_t>(i % TOOL_COUNT);
    double x = next(300), y = next(200);
    // Kinds in turn; of every six objects two (a rectangle and a circle)
    // are filled.
    switch (i % 6) {
      case 0: ObjNewLine(x, y, x + next(50), y + next(50), tool); break;
      case 1: ObjNewDrill(x, y, tool); break;
      case 2: ObjNewRect(x, y, x + 1 + next(4), y + 1 + next(4), tool, 1); break;
      case 3: ObjNewCircle(x, y, 0.5 + next(2), tool, 1); break;
      case 4: ObjNewRect(x, y, x + 1 + next(14), y + 1 + next(14), tool, 0); break;
      case 5: ObjNewCircle(x, y, 0.5 + next(7.5), tool, 0); break;
    }
  }
}
