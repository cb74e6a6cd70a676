// Random designs and random editing for the tests of the fast redraw: both
// the native check on the software canvas and the one with the real control
// under Wine drive the editor core the same way.
#pragma once

#include <random>

#include "cad/editor/effect.h"

// Replaces the design with a new one of `count` objects of every kind, on
// tools 0..10 (10 lies past the table), some filled, at zoom 5 or 3.75.
void makeRandomDesign(std::mt19937* random, int count, double bigBitSize);

// The pointer and buttons between events.
struct RandomPointer {
  int x = 0, y = 0;
  unsigned buttons = 0;
};

// One random event within a view of width x height pixels: mostly pointer
// movement, also presses, releases, arrow keys, Escape, Delete, armed
// creation and Fill/No Fill. Returns what the event asks of the window
// layer (arrows and arming keys do not redraw).
Effect randomEditorEvent(std::mt19937* random, RandomPointer* pointer, int width, int height);
