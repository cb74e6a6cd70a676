// What the editor draws over the control's own paint: the G-code colouring
// of the visible lines and the gutter with line numbers, selection and
// marks.
#pragma once

#include <windows.h>

struct EditorInfo;
struct EditorView;

void ColourLines(HWND editor, EditorInfo* info, const EditorView& view);
void DrawGutterView(HWND editor, EditorInfo* info, const EditorView& view);

// The gutter alone, after a key or click that moved the caret.
void DrawGutter(HWND editor, EditorInfo* info);
