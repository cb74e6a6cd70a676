// Trim Size: fit the board to the objects.
#pragma once

// Shifts every object so the minimum corner of the design's extent lies at
// (0, 0) and sets the board size to the extent. The editor's Trim Size
// command calls this and then redraws.
void trimDesign();
