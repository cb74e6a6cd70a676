// Arbitrary bytes as a design file opened in the editor: the view is
// brought into range, then the board view is drawn (full, lean and
// partial frames), the status texts written, and the pointer and keys work
// on the design. Under UBSan every conversion of a damaged value to pixels
// or to an integer must stay defined; no grid walk may run away.
#include <cstdint>
#include <cstring>

#include "cad/document/designFile.h"
#include "cad/document/obj.h"
#include "cad/document/settings.h"
#include "cad/editor/boardView.h"
#include "cad/editor/commands.h"
#include "cad/editor/editorState.h"
#include "cad/editor/frameChange.h"
#include "cad/editor/functions.h"
#include "cad/editor/pointer.h"
#include "cad/editor/selection.h"
#include "cad/editor/statusText.h"
#include "cad/editor/zoom.h"
#include "tests/support/drawRecorder.h"

namespace {

HWND const VIEW = reinterpret_cast<HWND>(1);
const PixelRect VIEW_RECT = {0, 0, 800, 600};
// Grid walks and drawing are bounded by the view; a frame of a damaged
// design must not take more calls than this.
const long long CALL_LIMIT = 2000000;

void _frame(int px, int py, bool lean) {
  FrameRequest request = fullFrame(VIEW, px, py);
  request.clips = &VIEW_RECT;
  request.clipCount = 1;
  request.lean = lean;
  gRecorder.count = 0;
  drawFrame(request);
  if (gRecorder.count > CALL_LIMIT) __builtin_trap();
}

void _texts() {
  char text[100];
  formatSelObjText(text, sizeof text);
  formatZoomText(text, sizeof text);
  if (!memchr(text, 0, sizeof text)) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  recorderReset();
  gRecorder.logging = false;
  if (loadFromBytes(data, size) != DESIGN_OK) return 0;
  designLoaded();
  if (!(gV.zoom >= ZOOM_MIN && gV.zoom <= ZOOM_MAX)) __builtin_trap();
  // Pointer positions and a few objects' grips taken from the input's tail.
  const int px = size > 2 ? data[size - 1] * 3 : 0, py = size > 2 ? data[size - 2] * 2 : 0;
  _frame(px, py, false);
  for (Link* link = gObjList; link; link = link->next) {
    Obj* obj = ListToObj(link);
    objPixelBox(obj);
    hitTestObj(obj, obj->x1, obj->y1);
    selectObj(link);
    hitTestGrips(link, px, py);
    _texts();
  }
  OnMouseMove(0, px, py);
  FrameSnapshot before = takeFrameSnapshot(px, py);
  OnLButtonDown(px, py);
  OnMouseMove(MOUSE_LBUTTON, py, px);
  std::vector<PixelRect> rects;
  frameChanges(before, takeFrameSnapshot(py, px), &rects);
  _frame(py, px, true);
  OnLButtonUp();
  OnKeyDown(KEY_C);
  OnLButtonDown(px, py);
  OnMouseMove(MOUSE_LBUTTON, px + 7, py + 3);
  OnLButtonUp();
  OnKeyDown(KEY_DELETE);
  OnRButtonDown(px, py);
  OnMouseMove(MOUSE_RBUTTON, py, px);
  OnRButtonUp();
  OnMouseWheel(size % 2 ? 3 : -3, px, py);
  runCommand(CMD_TRIM);
  _frame(px, py, true);
  _texts();
  New();
  resetObjs();
  return 0;
}
