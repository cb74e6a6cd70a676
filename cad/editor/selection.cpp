#include "cad/editor/selection.h"

#include "cad/document/designFile.h"
#include "cad/document/obj.h"
#include "cad/document/settings.h"
#include "cad/document/tools.h"
#include "cad/editor/editorState.h"
#include "cad/editor/viewMap.h"

Effect selectObj(Link* link) {
  gSelObj = link;
  Effect effect;
  const Obj* obj = ListToObj(link);
  if (!obj)
    effect.listTool = gDefaultTool;
  else
    effect.listTool = toolAt(obj->tool) ? static_cast<int>(obj->tool) : int(LIST_NONE);
  return effect;
}

Effect deleteSelectedObj() {
  if (!gSelObj) return {};
  Link* old = gSelObj;
  Effect effect = selectObj(old->prev);
  if (gHoverObj == old) gHoverObj = nullptr;
  deleteObj(old);
  effect.redraw = true;
  return effect;
}

Effect toggleSelectedObjFill() {
  Obj* obj = ListToObj(gSelObj);
  if (!obj) return {};
  obj->fill = obj->fill == 0 ? 1 : 0;
  Effect effect;
  effect.redraw = true;
  return effect;
}

Effect selectPrevObj() { return gSelObj ? selectObj(gSelObj->prev) : Effect(); }
Effect selectNextObj() { return gSelObj ? selectObj(gSelObj->next) : Effect(); }

namespace {

// Forgets every link into the old list before it is freed or replaced.
Effect _freshDesignState() {
  gMouseState = STATE_IDLE;
  gHoverObj = nullptr;
  Effect effect = selectObj(nullptr);
  effect.invalidateList = true;
  effect.redraw = true;
  return effect;
}

}  // namespace

Effect New() {
  Effect effect = _freshDesignState();
  newDesign();
  return effect;
}

Effect designLoaded() {
  Effect effect = _freshDesignState();
  sanitizeView(&gV);
  return effect;
}
