// Texts of the status bar: interaction state, selected object, zoom.
#pragma once

#include <cstddef>

#include "cad/editor/editorState.h"

extern const char* const gszMouseState[STATE_COUNT];

// Status bar text of a state ("" for a value outside 0..14).
const char* mouseStateText(int state);
// Description of the selected object into buffer (at most size bytes,
// always terminated when size > 0), e.g. "X: 1.0   Y: 2.0   Radius: 3.0".
void formatSelObjText(char* buffer, size_t size);
// "Zoom: 500%" for zoom 5.
void formatZoomText(char* buffer, size_t size);
