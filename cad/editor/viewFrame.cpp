#include "cad/editor/viewFrame.h"

#include <vector>

#include "cad/editor/boardView.h"
#include "cad/editor/editorState.h"
#include "gfx/gfxClip.h"

namespace {

// What the view shows: the state and pointer its frame was painted for, and
// the client size it covers.
struct ShownFrame {
  HWND view;
  PixelRect client;
  int pointerX, pointerY;
  FrameSnapshot state;
  FramePaint how;
};
ShownFrame gShownFrame = {};

PixelRect _client(HWND view) {
  RECT rc = {};
  GetClientRect(view, &rc);
  return {0, 0, static_cast<int>(rc.right), static_cast<int>(rc.bottom)};
}

bool _sameRect(const PixelRect& a, const PixelRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

void _shown(HWND view, const PixelRect& client, int px, int py, const FrameSnapshot& state,
            FramePaint how) {
  gShownFrame.how = how;
  gShownFrame.view = view;
  gShownFrame.client = client;
  gShownFrame.pointerX = px;
  gShownFrame.pointerY = py;
  gShownFrame.state = state;
}

// Repaints the rectangles over the frame in the back buffer; false when the
// buffer could not be clipped (nothing is drawn then).
bool _paintRects(HWND view, const std::vector<PixelRect>& rects, int px, int py) {
  std::vector<RECT> clip;
  clip.reserve(rects.size());
  for (const PixelRect& r : rects) clip.push_back({r.left, r.top, r.right, r.bottom});
  if (!gfxClipTo(view, clip.data(), static_cast<int>(clip.size()))) return false;
  FrameRequest request = fullFrame(view, px, py);
  request.clips = rects.data();
  request.clipCount = static_cast<int>(rects.size());
  request.lean = true;
  request.flip = false;
  drawFrame(request);
  gfxClipOff(view);
  return true;
}

}  // namespace

int paintWholeFrame(HWND view, int px, int py) {
  // Only items that reach the client area are drawn: the same pixels there,
  // and absurd boards or far-away objects cost nothing.
  const PixelRect client = _client(view);
  FrameRequest request = fullFrame(view, px, py);
  request.clips = &client;
  request.clipCount = 1;
  request.lean = true;
  const int selected = drawFrame(request);
  _shown(view, client, px, py, takeFrameSnapshot(px, py), PAINT_WHOLE);
  return selected;
}

FrameSnapshot viewEventStart() {
  return takeFrameSnapshot(gShownFrame.pointerX, gShownFrame.pointerY);
}

int paintFrameChanges(HWND view, const FrameSnapshot& start, int px, int py) {
  const PixelRect client = _client(view);
  if (view != gShownFrame.view || !_sameRect(client, gShownFrame.client))
    return paintWholeFrame(view, px, py);
  const FrameSnapshot after = takeFrameSnapshot(px, py);
  std::vector<PixelRect> rects;
  if (!eventFrameChanges(gShownFrame.state, start, after, client, &rects))
    return paintWholeFrame(view, px, py);
  if (!rects.empty()) {
    if (!_paintRects(view, rects, px, py)) return paintWholeFrame(view, px, py);
    cmd_flip(view);
  }
  _shown(view, client, px, py, after, rects.empty() ? PAINT_NOTHING : PAINT_CHANGES);
  return gSelObj ? 1 : 0;
}

FramePaint lastFramePaint() { return gShownFrame.how; }
