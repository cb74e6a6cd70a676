// The editor's view for its paint and gutter: which lines are visible,
// where they stand and their text, taken from the control with as few
// questions as a long text allows (see paintView.h), and the note of what
// each message to the control may have changed.
#pragma once

#include <windows.h>

#include "terminal/editor/paintView.h"

struct EditorInfo;

struct EditorView {
  RECT rc;                   // formatting rectangle
  PaintSpan span;            // lines to paint
  long textTop;              // top of line 0
  long lineLeft;             // left of the first character of every line
  int lineHeight;            // 0 for a text of one line
  const LineWindow* window;  // holds the span's lines whole
};

// The view as it stands now; false when the text of its lines cannot be
// had, and nothing is then coloured.
bool GetEditorView(HWND editor, EditorInfo* info, EditorView* view);

// The first visible line, as EM_GETFIRSTVISIBLELINE counts it, without a
// walk through the text.
int EditorFirstVisibleLine(HWND editor, EditorInfo* info);

// How a message may change the control's text (a TextChange).
int TextChangeOf(UINT msg, WPARAM wParam, LPARAM lParam);
