#include "cad/editor/toolListRows.h"

#include <cstdio>

#include "cad/document/obj.h"
#include "cad/editor/editorState.h"

const char* const TOOL_LIST_HEADER[TOOL_LIST_COLUMNS] = {"Bit ID", "Width", "Depth"};

namespace {

const float COLUMN_WIDTHS[TOOL_LIST_COLUMNS] = {0.25f, 0.375f, 0.375f};

}  // namespace

void figureColumns(const PixelRect& row, PixelRect columns[TOOL_LIST_COLUMNS]) {
  int left = 0;
  for (int i = 0; i < TOOL_LIST_COLUMNS; i++) {
    const int right = static_cast<int>(COLUMN_WIDTHS[i] * row.right + left);
    columns[i] = {left, row.top, right, row.bottom};
    left = right;
  }
}

ToolRowLook toolRowLook(int row, const Tool* entry, bool rowSelected) {
  ToolRowLook look = {};
  if (rowSelected)
    look.background = gSelObj ? Rgb{210, 240, 210} : Rgb{240, 210, 210};
  else
    look.background = row % 2 ? Rgb{255, 255, 255} : Rgb{245, 245, 245};
  look.defaultMark = entry && entry == toolAt(gDefaultTool);
  look.focusRect = rowSelected;
  if (entry) {
    snprintf(look.text[0], TOOL_CELL_SIZE, "%d", entry->bitId);
    snprintf(look.text[1], TOOL_CELL_SIZE, "%.3f", entry->size);
    snprintf(look.text[2], TOOL_CELL_SIZE, "%.3f", entry->depth);
  }
  return look;
}

Effect OnListBoxSelChange(bool rowSelected, const Tool* entry) {
  if (rowSelected) {
    if (Obj* obj = ListToObj(gSelObj)) {
      if (entry) obj->tool = static_cast<uint8_t>(toolIndexFromPtr(entry));
    } else {
      gDefaultTool = static_cast<uint8_t>(toolIndexFromPtr(entry));
    }
  }
  Effect effect;
  effect.invalidateList = true;
  effect.redraw = true;
  return effect;
}

Effect OnListBoxDblClk(bool rowSelected, const Tool* entry) {
  Effect effect;
  if (rowSelected && entry) {
    effect.action = ACTION_TOOL_DIALOG;
    effect.actionTool = toolIndexFromPtr(entry);
  }
  effect.redraw = true;
  return effect;
}
