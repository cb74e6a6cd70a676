// The tool list panel's decisions: its columns, what each row looks like,
// and what a click or double click on a row does. Row 0 is the header; row
// i + 1 shows tool entry i and carries the entry's address as item data.
#pragma once

#include <cstddef>

#include "cad/document/tools.h"
#include "cad/editor/effect.h"
#include "cad/editor/viewMap.h"

enum { TOOL_LIST_COLUMNS = 3, TOOL_CELL_SIZE = 100 };

struct Rgb {
  int r, g, b;
};

extern const char* const TOOL_LIST_HEADER[TOOL_LIST_COLUMNS];

// The three column rectangles of a row rectangle: widths 0.25, 0.375, 0.375
// of the row's right edge, each the row's full height.
void figureColumns(const PixelRect& row, PixelRect columns[TOOL_LIST_COLUMNS]);

// How a tool row is painted.
struct ToolRowLook {
  Rgb background;                 // whole row
  bool defaultMark;               // "Bit ID" cell painted in DEFAULT_TOOL_MARK
  bool focusRect;                 // focus rectangle round the row (selected rows)
  char text[TOOL_LIST_COLUMNS][TOOL_CELL_SIZE];  // bit id, width, depth ("" without entry)
};
constexpr Rgb DEFAULT_TOOL_MARK = {240, 210, 210};
// Look of row `row` whose item data is `entry` (null for none), selected in
// the list or not; reads gSelObj and gDefaultTool.
ToolRowLook toolRowLook(int row, const Tool* entry, bool rowSelected);

// LBN_SELCHANGE: `rowSelected` is false when the list has no selection;
// `entry` is the selected row's item data (null for the header, or when it
// cannot be read). With an object selected, a tool row gives the object that
// entry; with none, the entry (entry 0 for the header) becomes the default
// tool. Repaints the list and redraws.
Effect OnListBoxSelChange(bool rowSelected, const Tool* entry);
// LBN_DBLCLK: a tool row opens "Modify Tool" for its entry; redraws after.
Effect OnListBoxDblClk(bool rowSelected, const Tool* entry);
