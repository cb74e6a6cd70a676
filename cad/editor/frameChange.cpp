#include "cad/editor/frameChange.h"

#include <algorithm>
#include <cstring>

#include "cad/editor/boardView.h"
#include "cad/editor/editorState.h"

FrameSnapshot takeFrameSnapshot(int px, int py) {
  FrameSnapshot s;
  memset(&s, 0, sizeof s);
  s.view = gV;
  memcpy(s.tools, gTools, sizeof s.tools);
  s.defaultTool = gDefaultTool;
  s.head = gObjList;
  s.sel = gSelObj;
  s.hover = gHoverObj;
  if (gSelObj) s.selObj = *ListToObj(gSelObj);
  if (gHoverObj) s.hoverObj = *ListToObj(gHoverObj);
  s.gripCount = gSelObj ? objGrips(&s.selObj, s.grips) : 0;
  for (int i = 0; i < s.gripCount; i++)
    s.gripLit[i] = gripContains(s.grips[i].x, s.grips[i].y, px, py);
  return s;
}

namespace {

// Whether the two settings draw the same base and map points alike
// (compared bit for bit, so a NaN equals itself).
bool _sameView(const DesignSettings& a, const DesignSettings& b) {
  return memcmp(&a.zoom, &b.zoom, sizeof(double)) == 0 &&
         memcmp(&a.viewX, &b.viewX, sizeof(double)) == 0 &&
         memcmp(&a.viewY, &b.viewY, sizeof(double)) == 0 &&
         memcmp(&a.gridSpacing, &b.gridSpacing, sizeof(double)) == 0 &&
         memcmp(&a.boardWidth, &b.boardWidth, sizeof(double)) == 0 &&
         memcmp(&a.boardHeight, &b.boardHeight, sizeof(double)) == 0 &&
         memcmp(&a.gripSize, &b.gripSize, sizeof(double)) == 0;
}

bool _sameToolSizes(const Tool* a, const Tool* b) {
  for (int i = 0; i < TOOL_COUNT; i++)
    if (memcmp(&a[i].size, &b[i].size, sizeof(double)) != 0) return false;
  return true;
}

bool _sameObj(Link* linkA, const Obj& a, Link* linkB, const Obj& b) {
  return linkA == linkB && (!linkA || memcmp(&a, &b, sizeof(Obj)) == 0);
}

void _add(std::vector<PixelRect>* rects, const PixelRect& r) {
  if (!isEmptyRect(r)) rects->push_back(r);
}

// The old and the new look of an object that changed its identity, shape or
// colour: both boxes.
void _addObj(std::vector<PixelRect>* rects, const FrameSnapshot& before,
             const FrameSnapshot& after, Link* FrameSnapshot::*link,
             Obj FrameSnapshot::*obj) {
  if (_sameObj(before.*link, before.*obj, after.*link, after.*obj)) return;
  if (before.*link) _add(rects, objPixelBox(&(before.*obj)));
  if (after.*link) _add(rects, objPixelBox(&(after.*obj)));
}

}  // namespace

bool frameChanges(const FrameSnapshot& before, const FrameSnapshot& after,
                  std::vector<PixelRect>* rects) {
  rects->clear();
  if (!_sameView(before.view, after.view) || !_sameToolSizes(before.tools, after.tools) ||
      before.defaultTool != after.defaultTool || before.head != after.head)
    return false;
  _addObj(rects, before, after, &FrameSnapshot::sel, &FrameSnapshot::selObj);
  _addObj(rects, before, after, &FrameSnapshot::hover, &FrameSnapshot::hoverObj);
  // A selection that changed, moved or reshaped repaints all its old and new
  // grips; otherwise only the grips whose highlight changed.
  const bool sameSel = _sameObj(before.sel, before.selObj, after.sel, after.selObj);
  for (int i = 0; i < before.gripCount; i++)
    if (!sameSel || before.gripLit[i] != after.gripLit[i])
      _add(rects, gripPixelBox(before.grips[i].x, before.grips[i].y));
  if (!sameSel)
    for (int i = 0; i < after.gripCount; i++)
      _add(rects, gripPixelBox(after.grips[i].x, after.grips[i].y));
  return true;
}

bool eventFrameChanges(const FrameSnapshot& shown, const FrameSnapshot& start,
                       const FrameSnapshot& after, const PixelRect& client,
                       std::vector<PixelRect>* rects) {
  std::vector<PixelRect> during;
  if (!frameChanges(shown, start, rects) || !frameChanges(start, after, &during)) return false;
  rects->insert(rects->end(), during.begin(), during.end());
  size_t kept = 0;
  for (const PixelRect& r : *rects) {
    const PixelRect cut = {std::max(r.left, client.left), std::max(r.top, client.top),
                           std::min(r.right, client.right), std::min(r.bottom, client.bottom)};
    if (!isEmptyRect(cut)) (*rects)[kept++] = cut;
  }
  rects->resize(kept);
  return true;
}
