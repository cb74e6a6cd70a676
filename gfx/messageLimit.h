// Message boxes of the graphics control and its command language, at most
// one of each kind per interval. A kind is its time stamp: the tick count of
// the last box shown, 0 before the first. Boxes and the tick count come from
// the platform seam of gfx/lang/langPlatform.h.
#pragma once

// Milliseconds that must pass before another box of the same kind shows.
constexpr unsigned int MESSAGE_BOX_INTERVAL = 10000;

// Shows the box unless one of the same kind was shown within the interval;
// returns 1 when it was shown. The comparison survives the tick count's
// wrap after 49.7 days.
int limitedMessageBox(const char* text, const char* caption, unsigned int* lastTick);
