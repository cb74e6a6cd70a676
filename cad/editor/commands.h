// The main window's commands (menu and toolbar) and the board view's keys.
#pragma once

#include "cad/editor/effect.h"

enum {
  CMD_NEW = 6002,
  CMD_OPEN = 6003,
  CMD_SAVE = 6004,
  CMD_SAVE_AS = 6005,
  CMD_EXIT = 6006,
  CMD_LINE = 6007,
  CMD_RECT = 6008,
  CMD_CIRCLE = 6009,
  CMD_DRILL = 6010,
  CMD_SETTINGS = 6011,
  CMD_GENERATE = 6012,
  CMD_GRID = 6013,
  CMD_TRIM = 6014,
  CMD_FILL = 6015
};

// Virtual-key codes the board view answers.
enum {
  KEY_ESCAPE = 27,
  KEY_LEFT = 37,
  KEY_RIGHT = 39,
  KEY_DELETE = 46,
  KEY_C = 67,
  KEY_D = 68,
  KEY_L = 76,
  KEY_R = 82
};

// One toolbar button; a separator has command 0 and no text.
struct ToolbarButton {
  int image;
  int command;
  const char* text;
};
enum { TOOLBAR_BUTTON_COUNT = 10 };
extern const ToolbarButton TOOLBAR_BUTTONS[TOOLBAR_BUTTON_COUNT];

// A menu or toolbar command (WM_COMMAND, notification 0). Every id, known or
// not, asks for a status bar refresh.
Effect runCommand(int id);
// A key pressed while the board view has the focus.
Effect OnKeyDown(unsigned key);
