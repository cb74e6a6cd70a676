// Selection operations shared by the commands, the keys and the pointer, and
// the editor's part of starting or loading a design.
#pragma once

#include "cad/document/linkedList.h"
#include "cad/editor/effect.h"

// Makes link (or none) the selection. The effect asks the tool list to
// highlight the selected object's tool entry, or gDefaultTool with nothing
// selected (LIST_NONE for an object whose tool lies outside the table).
Effect selectObj(Link* link);
// Deletes the selected object and selects the one before it; redraws.
// Nothing without a selection.
Effect deleteSelectedObj();
// Flips the selected object's fill flag (any kind); redraws. Nothing without
// a selection.
Effect toggleSelectedObjFill();
// Arrow keys: selects the object before / after the selected one (none at
// the ends of the list). No redraw. Nothing without a selection.
Effect selectPrevObj();
Effect selectNextObj();

// New(): idle state, no hover, default settings and tools, no objects, no
// selection; the tool list repaints and the view redraws.
Effect New();
// The editor's part after a design was loaded into memory (loadFromFile):
// idle state, no hover, no selection, the view brought into a usable range
// (sanitizeView); the tool list repaints and the view redraws.
Effect designLoaded();
