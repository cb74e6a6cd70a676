#include "cad/editor/editorState.h"

int gMouseState = STATE_IDLE;
Link* gSelObj = nullptr;
Link* gHoverObj = nullptr;
double gDragObjX = 0, gDragObjY = 0;
double gDragX = 0, gDragY = 0;
