// What a pointer event changed in the board view's frame. The window layer
// takes a snapshot before handling an event and one after; frameChanges then
// gives the pixel rectangles to redraw (drawFrame with those clips over the
// previous frame gives the new full frame), or asks for a full redraw.
#pragma once

#include <vector>

#include "cad/document/obj.h"
#include "cad/document/settings.h"
#include "cad/document/tools.h"
#include "cad/editor/functions.h"
#include "cad/editor/viewMap.h"

struct FrameSnapshot {
  DesignSettings view;     // zoom, offsets, board, grid, grip size
  Tool tools[TOOL_COUNT];  // pen widths
  unsigned char defaultTool;
  Link* head;              // first object (a changed head means a new list)
  Link* sel;
  Link* hover;
  Obj selObj, hoverObj;    // copies, valid for non-null links
  int gripCount;
  Grip grips[MAX_GRIPS];
  bool gripLit[MAX_GRIPS];
};

// The state a frame depends on, with the pointer at view pixel (px, py).
FrameSnapshot takeFrameSnapshot(int px, int py);
// True when only the returned rectangles differ between the frames of the
// two snapshots (none: nothing to redraw); false when the whole frame must be
// redrawn (the view, the tools or the default tool changed, or the list was
// replaced). Valid when only the selected object's geometry changed between
// them, as for every pointer event and key.
bool frameChanges(const FrameSnapshot& before, const FrameSnapshot& after,
                  std::vector<PixelRect>* rects);

// The rectangles to repaint after one pointer event or key, while the view
// shows the frame of `shown`: `start` is the state when the event began,
// `after` the state it left. Between `shown` and `start` lie the changes that
// were not drawn (the arrow keys select without a redraw; a new selection
// may then be dragged at once, so its old place must be repainted too).
// The rectangles are cut to `client` (empty ones dropped); false when the
// whole frame must be painted.
bool eventFrameChanges(const FrameSnapshot& shown, const FrameSnapshot& start,
                       const FrameSnapshot& after, const PixelRect& client,
                       std::vector<PixelRect>* rects);
