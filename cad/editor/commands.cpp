#include "cad/editor/commands.h"

#include "cad/document/trimBoard.h"
#include "cad/editor/editorState.h"
#include "cad/editor/selection.h"

const ToolbarButton TOOLBAR_BUTTONS[TOOLBAR_BUTTON_COUNT] = {
    {0, CMD_NEW, "New"},     {1, CMD_OPEN, "Open"},     {2, CMD_SAVE, "Save"},
    {0, 0, nullptr},         {3, CMD_LINE, "Line"},     {4, CMD_RECT, "Rect"},
    {5, CMD_CIRCLE, "Circle"}, {6, CMD_DRILL, "Drill"}, {0, 0, nullptr},
    {7, CMD_FILL, "Fill/No Fill"}};

namespace {

Effect _action(int action) {
  Effect effect;
  effect.action = action;
  return effect;
}

Effect _arm(int state) {
  gMouseState = state;
  return {};
}

Effect _command(int id) {
  switch (id) {
    case CMD_NEW: return _action(ACTION_CONFIRM_NEW);
    case CMD_OPEN: return _action(ACTION_OPEN);
    case CMD_SAVE: return _action(ACTION_SAVE);
    case CMD_SAVE_AS: return _action(ACTION_SAVE_AS);
    case CMD_EXIT: return _action(ACTION_EXIT);
    case CMD_LINE: return _arm(STATE_NEW_LINE);
    case CMD_RECT: return _arm(STATE_NEW_RECT);
    case CMD_CIRCLE: return _arm(STATE_NEW_CIRCLE);
    case CMD_DRILL: return _arm(STATE_NEW_DRILL);
    case CMD_SETTINGS: {
      Effect effect = _action(ACTION_BOARD_SETTINGS);
      effect.redraw = true;
      return effect;
    }
    case CMD_GENERATE: return _action(ACTION_GENERATE);
    case CMD_GRID: return _action(ACTION_GRID_SETTINGS);
    case CMD_TRIM: {
      trimDesign();
      Effect effect;
      effect.redraw = true;
      return effect;
    }
    case CMD_FILL: return toggleSelectedObjFill();
    default: return {};
  }
}

}  // namespace

Effect runCommand(int id) {
  Effect effect = _command(id);
  effect.status = true;
  return effect;
}

Effect OnKeyDown(unsigned key) {
  switch (key) {
    case KEY_ESCAPE: {
      Effect effect = selectObj(nullptr);
      gMouseState = STATE_IDLE;
      effect.redraw = true;
      return effect;
    }
    case KEY_DELETE: return deleteSelectedObj();
    case KEY_LEFT: return selectPrevObj();
    case KEY_RIGHT: return selectNextObj();
    case KEY_C: return _arm(STATE_NEW_CIRCLE);
    case KEY_D: return _arm(STATE_NEW_DRILL);
    case KEY_L: return _arm(STATE_NEW_LINE);
    case KEY_R: return _arm(STATE_NEW_RECT);
    default: return {};
  }
}
