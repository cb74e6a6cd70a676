// The terminal's G-code editor: a "RichEdit20A" control in plain-text mode,
// subclassed for a gutter with line numbers and marks, G-code colouring, a
// context menu and a zoom guard; plus its line and file operations.
#pragma once

#include <windows.h>
#include <richedit.h>

#include <string>

struct LineCache;

const int GUTTER_HEIGHT = 2160;  // height of the gutter bitmap, the tallest gutter drawn

// Per-editor record, the control's user data.
struct EditorInfo {
  HWND editor;
  WNDPROC baseProc;
  int gutterWidth;
  HFONT font;
  HDC gutterDC;
  HBITMAP gutterBitmap;
  COLORREF slot2;  // gutter number colour of selected lines
  COLORREF slot3;  // gutter band of selected lines
  COLORREF slot1;  // gutter number colour
  COLORREF slot4;  // gutter background
  COLORREF background;
  COLORREF slot0;  // default text colour
  COLORREF slot5;  // G words
  COLORREF slot6;  // M words
  COLORREF slot8;  // numbers
  COLORREF slot7;  // comments
  COLORREF slot9;  // address letters
  int* marks;      // 0-based indexes of marked lines, in marking order
  int markCount;
  int markCapacity;
  COLORREF slot10;  // gutter band of marked lines
  HWND findDialog;
  int findDialogOpen;
  LineCache* lineCache;  // owned: the text the paint keeps (editorView.h)
};

HWND CreateEditor(HWND parent, int x, int y, int width, int height);
// An empty control in place of editor, set up as the user left it: font,
// colour slots, background, gutter, read-only state, event mask, window
// procedure and focus; an open find dialog moves over to it. Dropping a long
// text with its control takes a fraction of a second where emptying the
// control can take minutes. Returns the new control, or editor emptied when
// no new one could be made.
HWND RenewEditor(HWND editor);
LRESULT CALLBACK EditorProc(HWND editor, UINT msg, WPARAM wParam, LPARAM lParam);
EditorInfo* GetEditorInfo(HWND editor);

COLORREF SetEditorColor(HWND editor, int slot, int set, COLORREF value);
COLORREF EditorSlotColour(const EditorInfo* info, int slot);  // 0 for no such slot; no redraw
void SetEditorBackground(HWND editor, COLORREF colour);
void SetGutterWidth(HWND editor, int width);
int SetEditorFont(HWND editor, int points, const char* faceName);
int SetEditorFontIndirect(HWND editor, const LOGFONTA* logFont);
void ChooseEditorFont(HWND editor);

void MarkLine(HWND editor, int n);
void ClearMarks(HWND editor);

// Line operations of the streaming; n is 1-based.
void ScrollToLine(HWND editor, int n);
char* GetLineText(HWND editor, int n);  // heap text, caller frees; or null
int GetEditorLineCount(HWND editor);
CHARRANGE GetEditorSelection(HWND editor);  // {0, 0} when the control answers nothing
void SetEditorReadOnly(HWND editor, int readOnly);
// Programs change a read-only control's text all the same (EM_REPLACESEL):
// commands that edit ask first.
bool IsEditorReadOnly(HWND editor);
char* GetTextRange(HWND editor, int a, int b, int* length);  // caller frees

// Whole-text file transfer; 1 on success, 0 when the file cannot be opened,
// read or written completely. A file is read whole before any editor is
// touched, so one that fails half-way leaves the old text in place.
int ReadTextFile(const char* path, std::string* bytes);
int StreamTextIn(HWND editor, const std::string& bytes);  // replaces the text
int SaveTextFile(HWND editor, const char* path);
