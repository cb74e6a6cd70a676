// make-examples OUTDIR: builds the sample designs through the document API
// and saves them as OUTDIR/<name>.cnc.
#include <cstdio>
#include <string>

#include "cad/document/designFile.h"
#include "cad/document/obj.h"
#include "cad/document/settings.h"
#include "cad/document/tools.h"

namespace {

void _setTool(int index, double size, double depth, unsigned speed, int bit, unsigned passes) {
  Tool& t = gTools[index];
  t.size = size;
  t.depth = depth;
  t.millSpeed = speed;
  t.bitId = static_cast<unsigned char>(bit);
  t.passes = passes;
}

// A 60 x 40 mm board: cut out along its outline in four passes, four
// mounting holes drilled through, and a filled pocket in the middle.
void _mountingPlate() {
  newDesign();
  gV.boardWidth = 60;
  gV.boardHeight = 40;
  _setTool(3, 0.8, 0.6, 200, 3, 2);   // pocket
  _setTool(5, 1.0, 1.6, 100, 5, 3);   // mounting holes
  _setTool(9, 1.4, 1.6, 120, 9, 4);   // cut-out
  ObjNewRect(20, 12, 40, 28, 3, 1);
  for (double x : {4.0, 56.0})
    for (double y : {4.0, 36.0}) ObjNewDrill(x, y, 5);
  ObjNewRect(0, 0, 60, 40, 9, 0);
}

// A front panel: round knob recesses, a display window, engraved marks and
// screw holes.
void _frontPanel() {
  newDesign();
  gV.boardWidth = 100;
  gV.boardHeight = 50;
  gV.travelHeight = 3;
  _setTool(0, 0.3, 0.15, 300, 0, 1);  // engraving
  _setTool(2, 1.0, 1.2, 180, 2, 2);   // knob recesses and window
  _setTool(4, 1.5, 2.0, 120, 4, 0);   // screw holes, pass count left 0
  ObjNewRect(60, 40, 92, 18, 2, 1);   // window, drawn right to left, bottom to top
  for (int i = 0; i < 3; i++) {
    double cx = 15 + 17.5 * i;
    ObjNewCircle(cx, 30, 6, 2, 1);
    ObjNewLine(cx, 21, cx, 19, 0);    // scale mark under the knob
    ObjNewCircle(cx, 30, 8.5, 0, 0);  // engraved ring
  }
  for (double x : {3.0, 97.0})
    for (double y : {3.0, 47.0}) ObjNewDrill(x, y, 4);
  ObjNewLine(5, 10, 95, 10, 0);
}

// Every kind and several bits, with two table entries sharing bit 2 and two
// neighbouring entries of the same size (no bit change asked between them).
void _mixedShapes() {
  newDesign();
  gV.boardWidth = 80;
  gV.boardHeight = 80;
  _setTool(5, 0.9, 0.9, 250, 2, 3);   // second entry for bit 2
  _setTool(7, 1.1, 0.5, 170, 7, 2);   // same size as entry 6: no bit change
  ObjNewCircle(40, 40, 20, 6, 0);
  ObjNewCircle(40, 40, 4, 5, 1);
  ObjNewRect(10, 10, 25, 20, 2, 1);
  ObjNewRect(70, 70, 55, 60, 7, 1);
  ObjNewLine(0, 0, 80, 80, 1);
  ObjNewLine(0, 80, 80, 0, 1);
  ObjNewDrill(40, 10, 8);
  ObjNewDrill(40, 70, 8);
  ObjNewCircle(12, 68, 2.5, 7, 1);
  ObjNewRect(60, 5, 75, 15, 0, 0);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    fputs("usage: make-examples OUTDIR\n", stderr);
    return 2;
  }
  struct { const char* name; void (*build)(); } designs[] = {
      {"mounting-plate", _mountingPlate},
      {"front-panel", _frontPanel},
      {"mixed-shapes", _mixedShapes},
  };
  for (auto& d : designs) {
    d.build();
    std::string path = std::string(argv[1]) + "/" + d.name + ".cnc";
    if (!saveToFile(path.c_str())) {
      fprintf(stderr, "make-examples: %s: cannot be written\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
