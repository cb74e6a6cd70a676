// Ranges the graphics control keeps its buffers and the platform's calls
// within, so that no argument a caller passes can break the control: the
// size of the buffers and the scroll extents they are sized for, centring
// arithmetic, and the format flags of drawn text. (The range of the curved
// shapes is in largeCurves.h.)
#pragma once

// ---- Buffers and scroll extents ----
//
// Both buffers are as large as the largest of the client area, the largest
// monitor and the scroll extents in use (an extent whose bar is off does not
// count). A size is accepted up to MAX_BUFFER_SIDE pixels on each side and
// MAX_BUFFER_PIXELS in all: 128 MiB per buffer at 32 bits per pixel, which
// Wine makes and copies, or fills, in about 0.4 s. A scroll extent is
// accepted only together with the largest monitor, so the control can still
// grow to full screen with it; without extents, a monitor too large for the
// buffers is left out (it only spares later reallocations). A size that is
// refused, or that the platform fails to make, leaves the control with the
// buffers it has.
constexpr int MAX_BUFFER_SIDE = 65536;
constexpr long long MAX_BUFFER_PIXELS = 1LL << 25;

struct BufferSize {
  int width, height;
};

bool bufferSizeAccepted(BufferSize size);

// The size of the buffers for a client area, the largest monitor and the
// extents of the bars that are on (0 for a bar that is off); false when it
// is refused.
bool chooseBufferSize(int clientW, int clientH, int monitorW, int monitorH, int scrollW,
                      int scrollH, BufferSize* size);

// ---- Pens ----
//
// Wine's time for a line grows with the pen's width: under a second up to
// 1,048,576 pixels, over 30 s (without end in sight) from 4,194,304 on.
// Curves are slower still: a 500-pixel circle takes 0.2 s with a 1,024-pixel
// pen, 1.7 s at 4,000, 17 s at 60,000 and 44 s at 262,144. Pens are
// therefore made at most MAX_PEN_WIDTH pixels wide (either sign); a wider
// request gets a pen of that width. A stroke drawn so is already wider than
// the diagonal of a 1600 x 1200 buffer; it differs from the wider one asked
// for only more than 2,048 pixels away from its line.
constexpr int MAX_PEN_WIDTH = 4096;
int penWidthFor(int width);

// ---- Centring ----
//
// The scroll position that puts surface coordinate `at` in the middle of the
// visible part of a client `client` pixels long, a bar of thickness t taking
// its far edge when `otherBar` is set: at - client / 2 + t / 2 (halves
// truncated), saturated to the int range instead of wrapping.
int centredScrollPos(int at, int client, int thickness, bool otherBar);

// ---- Text ----
//
// The platform's DrawText flags for a caller's text: no prefix processing,
// and never DT_MODIFYSTRING, with which the platform writes an ellipsis into
// the text itself (a crash on a read-only text, a heap overrun on a short
// one). The text is always drawn as it is.
constexpr unsigned TEXT_FLAG_NOPREFIX = 0x800;         // DT_NOPREFIX
constexpr unsigned TEXT_FLAG_MODIFYSTRING = 0x10000;   // DT_MODIFYSTRING
unsigned textDrawFormat(unsigned format);
