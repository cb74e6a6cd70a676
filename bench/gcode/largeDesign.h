// The large design of the generator benchmarks: 10,000 objects of every
// kind spread over a 300 x 200 mm board, a third of them filled, every tool
// cutting in 2 passes. The same seed gives the same design every time.
#pragma once

enum { LARGE_DESIGN_OBJECTS = 10000 };

// Replaces the design in memory with the large design.
void makeLargeDesign();
