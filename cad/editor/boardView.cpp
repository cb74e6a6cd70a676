#include "cad/editor/boardView.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "cad/document/settings.h"
#include "cad/document/tools.h"
#include "cad/editor/editorState.h"
#include "cad/editor/functions.h"

namespace {

// Pixels round a stroke's geometry that may be painted: half the pen (GDI
// centres wide pens on the path) and a safety margin for rounding.
int _pad(int penWidth) { return penWidth / 2 + 3; }

PixelRect _box(int x1, int y1, int x2, int y2, int pad) {
  return {std::min(x1, x2) - pad, std::min(y1, y2) - pad, std::max(x1, x2) + pad + 1,
          std::max(y1, y2) + pad + 1};
}

// Cross half-extent of a drill point of the given diameter, in board units.
double _crossHalf(double diameter) { return diameter * 0.5 * 0.707; }

bool _same(const Rgb& a, const Rgb& b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

// The drawing state of a frame: pen colour, fill colour and pen width. A
// lean frame leaves out the calls that would set what is already set.
struct Pen {
  HWND view;
  bool lean;
  bool penKnown = false, fillKnown = false, widthKnown = false;
  Rgb pen = {}, fill = {};
  int width = 0;

  void color(Rgb c) {
    if (lean && penKnown && _same(c, pen)) return;
    cmd_color(view, c.r, c.g, c.b);
    penKnown = true;
    pen = c;
  }
  void backColor(Rgb c) {
    if (lean && fillKnown && _same(c, fill)) return;
    cmd_backColor(view, c.r, c.g, c.b);
    fillKnown = true;
    fill = c;
  }
  void size(int w) {
    if (lean && widthKnown && w == width) return;
    cmd_size(view, w);
    widthKnown = true;
    width = w;
  }
};

// Which items of a frame to draw.
struct Clips {
  const PixelRect* rects;  // null: everything
  int count;
  int right, bottom;       // bounds of the rectangles

  bool meet(const PixelRect& box) const {
    if (!rects) return true;
    for (int i = 0; i < count; i++)
      if (rectsMeet(rects[i], box)) return true;
    return false;
  }
};

Clips _clips(const FrameRequest& q) {
  if (!q.clips) return {nullptr, 0, WHOLE_VIEW.right, WHOLE_VIEW.bottom};
  Clips c = {q.clips, q.clipCount, -PIXEL_LIMIT, -PIXEL_LIMIT};
  for (int i = 0; i < q.clipCount; i++) {
    if (isEmptyRect(q.clips[i])) continue;
    c.right = std::max(c.right, q.clips[i].right);
    c.bottom = std::max(c.bottom, q.clips[i].bottom);
  }
  return c;
}

// Grid line positions along one axis, in pixels: t = spacing, then
// t += |spacing| (accumulated) while extent > t. Positions only grow, so the
// walk stops at the first line at or past `end`. Lines beyond the pixel
// limits all fall on the limit: the first one there is drawn and the walk
// goes on with the first line inside (on the left) or stops (on the right).
template <class DrawLine>
void _gridLines(double spacing, double extent, double offset, int end, DrawLine drawLine) {
  const double zoom = gV.zoom, step = std::fabs(spacing);
  bool farLeftDrawn = false;
  for (double t = spacing; extent > t;) {
    const int p = toPixel((t + offset) * zoom);
    if (p >= end) break;
    if (p > -PIXEL_LIMIT || !farLeftDrawn) drawLine(p);
    if (p >= PIXEL_LIMIT) break;
    if (p == -PIXEL_LIMIT) {
      farLeftDrawn = true;
      const double k = std::floor((-PIXEL_LIMIT / zoom - offset - t) / step);
      if (k > 1) t += (k - 1) * step;
    }
    const double next = t + step;
    if (next == t) break;
    t = next;
  }
}

void _drawBase(Pen* pen, const Clips& clips) {
  HWND view = pen->view;
  cmd_fill(view, 65, 65, 65);
  pen->backColor({255, 255, 255});
  pen->color({0, 0, 0});
  pen->size(1);
  const double zoom = gV.zoom, vx = gV.viewX, vy = gV.viewY;
  const int left = toPixel(vx * zoom), top = toPixel(vy * zoom);
  const int right = toPixel((gV.boardWidth + vx) * zoom);
  const int bottom = toPixel((gV.boardHeight + vy) * zoom);
  if (clips.meet(_box(left, top, right, bottom, _pad(1))))
    cmd_boxFilled(view, left, top, right, bottom);

  // A positive zoom and finite offsets keep the walks below finite.
  if (!(gV.gridSpacing * zoom > 3.0) || !(zoom > 0) || !std::isfinite(vx) || !std::isfinite(vy))
    return;
  pen->color({225, 225, 225});
  const int yFrom = toPixel(vy * zoom + 1), yTo = toPixel((gV.boardHeight + vy) * zoom - 1);
  _gridLines(gV.gridSpacing, gV.boardWidth, vx, clips.right, [&](int x) {
    if (clips.meet(_box(x, yFrom, x, yTo, 1))) cmd_line(view, x, yFrom, x, yTo);
  });
  const int xFrom = toPixel(vx * zoom + 1), xTo = toPixel((gV.boardWidth + vx) * zoom - 1);
  _gridLines(gV.gridSpacing, gV.boardHeight, vy, clips.bottom, [&](int y) {
    if (clips.meet(_box(xFrom, y, xTo, y, 1))) cmd_line(view, xFrom, y, xTo, y);
  });
}

void _drawObj(Pen* pen, const Link* link) {
  HWND view = pen->view;
  const Obj* obj = static_cast<const Obj*>(link->data);
  const ObjColours colours = objColours(link);
  pen->color(colours.pen);
  pen->backColor(colours.fill);
  const double size = objToolSize(obj);
  pen->size(penWidth(size));
  switch (obj->type) {
    case OBJ_LINE: drawLine(view, obj->x1, obj->y1, obj->x2, obj->y2); break;
    case OBJ_RECT: drawRect(view, obj->x1, obj->y1, obj->x2, obj->y2, obj->fill); break;
    case OBJ_CIRCLE: drawCircle(view, obj->x1, obj->y1, obj->radius, obj->fill); break;
    case OBJ_DRILL:
      pen->size(2);
      drawDrill(view, obj->x1, obj->y1, size);
      break;
    default: break;
  }
}

bool _skipped(const FrameRequest& q, const Link* link) {
  for (int i = 0; i < q.skipCount; i++)
    if (q.skip[i] == link) return true;
  return false;
}

void _drawGrip(Pen* pen, double x, double y, int pointerX, int pointerY) {
  pen->size(1);
  if (gripContains(x, y, pointerX, pointerY)) {
    pen->color({0, 255, 0});
    pen->backColor({0, 0, 255});
  } else {
    pen->color({0, 0, 0});
    pen->backColor({125, 125, 255});
  }
  const GripSquare s = gripSquare(x, y);
  cmd_boxFilled(pen->view, toPixel(s.left), toPixel(s.top), toPixel(s.right),
                toPixel(s.bottom));
}

void _drawGripsClipped(Pen* pen, const Link* link, int pointerX, int pointerY,
                       const Clips& clips) {
  Grip grips[MAX_GRIPS];
  const int n = objGrips(static_cast<const Obj*>(link ? link->data : nullptr), grips);
  for (int i = 0; i < n; i++)
    if (clips.meet(gripPixelBox(grips[i].x, grips[i].y)))
      _drawGrip(pen, grips[i].x, grips[i].y, pointerX, pointerY);
}

}  // namespace

ObjColours objColours(const Link* link) {
  const bool selected = link == gSelObj, hovered = link == gHoverObj;
  if (selected && hovered) return {{0, 255, 0}, {0, 128, 0}};
  if (selected) return {{0, 200, 0}, {0, 100, 0}};
  if (hovered) return {{255, 0, 0}, {128, 0, 0}};
  if (static_cast<const Obj*>(link->data)->tool == gDefaultTool)
    return {{200, 100, 20}, {175, 175, 175}};
  return {{0, 0, 0}, {128, 128, 128}};
}

FrameRequest fullFrame(HWND view, int pointerX, int pointerY) {
  FrameRequest q;
  q.view = view;
  q.pointerX = pointerX;
  q.pointerY = pointerY;
  return q;
}

int drawFrame(const FrameRequest& q) {
  const Clips clips = _clips(q);
  Pen pen = {q.view, q.lean};
  if (q.base) _drawBase(&pen, clips);
  if (q.objects) {
    for (const Link* link = q.from ? q.from : gObjList; link; link = link->next) {
      if (_skipped(q, link)) continue;
      if (clips.rects && !clips.meet(objPixelBox(static_cast<const Obj*>(link->data))))
        continue;
      _drawObj(&pen, link);
    }
  }
  if (q.grips) _drawGripsClipped(&pen, gSelObj, q.pointerX, q.pointerY, clips);
  if (q.flip) cmd_flip(q.view);
  return gSelObj ? 1 : 0;
}

void drawLine(HWND view, double x1, double y1, double x2, double y2) {
  cmd_line(view, boardToPixelX(x1), boardToPixelY(y1), boardToPixelX(x2), boardToPixelY(y2));
}

void drawRect(HWND view, double x1, double y1, double x2, double y2, unsigned char fill) {
  const int px1 = boardToPixelX(x1), py1 = boardToPixelY(y1);
  const int px2 = boardToPixelX(x2), py2 = boardToPixelY(y2);
  if (fill)
    cmd_boxFilled(view, px1, py1, px2, py2);
  else
    cmd_box(view, px1, py1, px2, py2);
}

void drawCircle(HWND view, double cx, double cy, double radius, unsigned char fill) {
  const int x = boardToPixelX(cx), y = boardToPixelY(cy), r = lengthToPixels(radius);
  if (fill)
    cmd_circleFilled(view, x, y, r);
  else
    cmd_circle(view, x, y, r);
}

void drawDrill(HWND view, double x, double y, double diameter) {
  cmd_circleFilled(view, boardToPixelX(x), boardToPixelY(y), lengthToPixels(diameter * 0.5));
  const double k = _crossHalf(diameter);
  drawLine(view, x - k, y - k, x + k, y + k);
  drawLine(view, x + k, y - k, x - k, y + k);
}

void drawGrips(HWND view, const Link* link, int pointerX, int pointerY) {
  Pen pen = {view, false};
  _drawGripsClipped(&pen, link, pointerX, pointerY, Clips{nullptr, 0, 0, 0});
}

PixelRect objPixelBox(const Obj* obj) {
  if (!obj) return {0, 0, 0, 0};
  const int pad = _pad(penWidth(objToolSize(obj)));
  const int x1 = boardToPixelX(obj->x1), y1 = boardToPixelY(obj->y1);
  switch (obj->type) {
    case OBJ_LINE:
    case OBJ_RECT:
      return _box(x1, y1, boardToPixelX(obj->x2), boardToPixelY(obj->y2), pad);
    case OBJ_CIRCLE: {
      const int r = std::abs(lengthToPixels(obj->radius));
      return _box(x1 - r, y1 - r, x1 + r, y1 + r, pad);
    }
    case OBJ_DRILL: {
      const double size = objToolSize(obj), k = _crossHalf(size);
      const int r = std::abs(lengthToPixels(size * 0.5));
      const PixelRect disc = _box(x1 - r, y1 - r, x1 + r, y1 + r, _pad(2));
      const PixelRect cross = _box(boardToPixelX(obj->x1 - k), boardToPixelY(obj->y1 - k),
                                   boardToPixelX(obj->x1 + k), boardToPixelY(obj->y1 + k),
                                   _pad(2));
      return unionRect(disc, cross);
    }
    default: return {0, 0, 0, 0};
  }
}

PixelRect gripPixelBox(double x, double y) {
  const GripSquare s = gripSquare(x, y);
  return _box(toPixel(s.left), toPixel(s.top), toPixel(s.right), toPixel(s.bottom), _pad(1));
}
