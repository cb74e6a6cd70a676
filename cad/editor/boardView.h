// The board view's frame as calls of the graphics control's cmd_*
// operations: background, board, grid, the objects in list order in their
// colours, the selection's grips, flip.
//
// The full frame (fullFrame) makes exactly the calls of a complete redraw
// (a lean one leaves out repeated colour and width calls).
// For a fast redraw the window layer can draw parts of a frame: only what
// meets given pixel rectangles (with the device clipped to them, the pixels
// there come out exactly as in the full frame, since every item that can
// paint a pixel inside is drawn, in the same order and state), without given
// objects, or from a given object on. frameChanges (frameChange.h) tells
// which rectangles a pointer event changed.
#pragma once

#include "cad/document/obj.h"
#include "cad/editor/toolListRows.h"
#include "cad/editor/viewMap.h"
#include "gfx/graphics.h"

// Pen and fill colour of an object in the frame.
struct ObjColours {
  Rgb pen, fill;
};
ObjColours objColours(const Link* link);

struct FrameRequest {
  HWND view = nullptr;
  // Pointer position in view pixels: the grip under it is highlighted.
  int pointerX = -PIXEL_LIMIT, pointerY = -PIXEL_LIMIT;
  // Draw only items whose pixel box meets one of these rectangles; none
  // given (null) means WHOLE_VIEW, every item.
  const PixelRect* clips = nullptr;
  int clipCount = 0;
  // Background fill, board and grid.
  bool base = true;
  // Objects from this one (null: the head) to the tail, leaving out those
  // listed in skip.
  bool objects = true;
  Link* from = nullptr;
  Link* const* skip = nullptr;
  int skipCount = 0;
  bool grips = true;  // the selection's grips
  bool flip = true;   // cmd_flip at the end
  // Leave out the colour and width calls that would set what this frame has
  // already set: the same pixels with fewer calls of the control.
  bool lean = false;
};

// A complete frame: every item, grips under the pointer lit, flipped.
FrameRequest fullFrame(HWND view, int pointerX, int pointerY);
// Draws what the request asks; returns 1 when an object is selected (the
// window layer then gives the board view the keyboard focus, as on every
// frame with a selection), else 0.
int drawFrame(const FrameRequest& request);

// Shape painters in board units with the current pen and fill.
void drawLine(HWND view, double x1, double y1, double x2, double y2);
void drawRect(HWND view, double x1, double y1, double x2, double y2, unsigned char fill);
void drawCircle(HWND view, double cx, double cy, double radius, unsigned char fill);
void drawDrill(HWND view, double x, double y, double diameter);
// The grips of link's object, the one under the pointer lit.
void drawGrips(HWND view, const Link* link, int pointerX, int pointerY);

// Pixels an object paints (half its pen width and a margin included); empty
// for a kind that is not drawn.
PixelRect objPixelBox(const Obj* obj);
// Pixels a grip square paints.
PixelRect gripPixelBox(double x, double y);
