#include "tests/editor/randomEditing.h"

#include "cad/document/obj.h"
#include "cad/document/settings.h"
#include "cad/document/tools.h"
#include "cad/editor/commands.h"
#include "cad/editor/pointer.h"
#include "cad/editor/selection.h"

namespace {

double _uniform(std::mt19937* random, double lo, double hi) {
  return std::uniform_real_distribution<double>(lo, hi)(*random);
}

int _pick(std::mt19937* random, int n) {
  return std::uniform_int_distribution<int>(0, n - 1)(*random);
}

}  // namespace

void makeRandomDesign(std::mt19937* random, int count, double bigBitSize) {
  New();
  gV.zoom = _pick(random, 3) ? 5 : 3.75;
  gV.gridSpacing = _pick(random, 4) ? 2 : 0.7;
  gTools[9].size = bigBitSize;
  for (int i = 0; i < count; i++) {
    const double x = _uniform(random, -5, 75), y = _uniform(random, -5, 105);
    const uint8_t tool = static_cast<uint8_t>(_pick(random, 11));
    const uint8_t fill = static_cast<uint8_t>(_pick(random, 2));
    switch (_pick(random, 4)) {
      case 0: ObjNewLine(x, y, x + _uniform(random, -20, 20), y + _uniform(random, -20, 20), tool); break;
      case 1: ObjNewRect(x, y, x + _uniform(random, -15, 15), y + _uniform(random, -15, 15), tool, fill); break;
      case 2: ObjNewCircle(x, y, _uniform(random, 0.5, 10), tool, fill); break;
      default: ObjNewDrill(x, y, tool); break;
    }
  }
}

Effect randomEditorEvent(std::mt19937* random, RandomPointer* p, int width, int height) {
  const int x = _pick(random, width), y = _pick(random, height);
  Effect effect;
  switch (_pick(random, 10)) {
    case 0:
      effect = OnLButtonDown(x, y);
      p->buttons |= MOUSE_LBUTTON;
      break;
    case 1:
      effect = OnLButtonUp();
      p->buttons &= ~MOUSE_LBUTTON;
      break;
    case 2: effect = OnKeyDown(_pick(random, 3) ? KEY_LEFT : KEY_ESCAPE); break;
    case 3: effect = OnKeyDown(_pick(random, 4) ? (_pick(random, 2) ? KEY_R : KEY_C) : KEY_DELETE); break;
    case 4: effect = runCommand(CMD_FILL); break;
    default: effect = OnMouseMove(p->buttons, x, y); break;
  }
  p->x = x;
  p->y = y;
  return effect;
}
