// What a decision of the editor asks of the window layer. The portable core
// never calls the platform: its handlers change the design and the
// interaction state, and return one of these records, which the Win32 layer
// carries out in this order: focus, action (a dialog, a file command), list
// highlight, capture, cursor, list repaint, redraw, status bar.
#pragma once

// Cursor to set (the editor's six system cursors).
enum {
  CURSOR_KEEP = 0,  // leave the cursor alone
  CURSOR_NWSE,
  CURSOR_NS,
  CURSOR_NESW,
  CURSOR_WE,
  CURSOR_MOVE,
  CURSOR_CROSSHAIR
};

// Pointer capture for the board view.
enum { CAPTURE_KEEP = 0, CAPTURE_TAKE, CAPTURE_RELEASE };

// Tool list highlight: a tool entry 0..9, or one of these.
enum {
  LIST_KEEP = -1,  // leave the list's selection alone
  LIST_NONE = -2   // no row (the selected object names no tool entry)
};

// Work only the window layer can do (message boxes, dialogs, files, the
// generator). It runs before the redraw the same record asks for.
enum {
  ACTION_NONE = 0,
  ACTION_CONFIRM_NEW,     // "Did you save?" question; OK goes on to New()
  ACTION_OPEN,            // Open command
  ACTION_SAVE,            // Save command
  ACTION_SAVE_AS,         // Save As command
  ACTION_EXIT,            // close the main window
  ACTION_BOARD_SETTINGS,  // "Board Settings" dialog, then a redraw
  ACTION_GENERATE,        // "Generate GCode"
  ACTION_GRID_SETTINGS,   // "Grid Settings" dialog (no redraw)
  ACTION_TOOL_DIALOG      // "Modify Tool" for entry actionTool
};

struct Effect {
  bool focusView = false;       // give the keyboard focus to the board view
  int action = ACTION_NONE;     // ACTION_*
  int actionTool = 0;           // tool entry of ACTION_TOOL_DIALOG
  int listTool = LIST_KEEP;     // LIST_KEEP, LIST_NONE or the entry to highlight
  int capture = CAPTURE_KEEP;   // CAPTURE_*
  int cursor = CURSOR_KEEP;     // CURSOR_*
  bool invalidateList = false;  // repaint the tool list (colours, default mark)
  bool redraw = false;          // paint a new frame of the board view
  bool status = false;          // rewrite the status bar (a frame does it too)
};

// Adds what `later` asks to `effect`: flags accumulate, the later choice of
// cursor, capture, highlight and action wins.
void mergeEffect(Effect* effect, const Effect& later);
