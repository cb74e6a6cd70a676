// Which band each line number in the editor's gutter gets: a marked line
// (where a run halted) the mark band, else a line of the selection (or the
// caret's line) the selection band, else none.
#pragma once

enum GutterBand { BAND_PLAIN = 0, BAND_SELECTED, BAND_MARKED };

// Bands of the lines first to last into bands (last - first + 1 entries).
// selFirst and selLast: the lines of the selection's first and last
// character. marks: 0-based marked lines in the order they were marked. The
// marks are walked with one cursor that only moves forward, from the first
// mark not above first: marks made in ascending order, as a run makes them,
// all show; one made below an earlier, higher one does not.
void gutterBands(int first, int last, int selFirst, int selLast, const int* marks, int markCount,
                 GutterBand* bands);
