#include "cad/editor/effect.h"

void mergeEffect(Effect* effect, const Effect& later) {
  effect->focusView = effect->focusView || later.focusView;
  if (later.action != ACTION_NONE) {
    effect->action = later.action;
    effect->actionTool = later.actionTool;
  }
  if (later.listTool != LIST_KEEP) effect->listTool = later.listTool;
  if (later.capture != CAPTURE_KEEP) effect->capture = later.capture;
  if (later.cursor != CURSOR_KEEP) effect->cursor = later.cursor;
  effect->invalidateList = effect->invalidateList || later.invalidateList;
  effect->redraw = effect->redraw || later.redraw;
  effect->status = effect->status || later.status;
}
