// The editor's file and document commands with their questions, dialogs and
// messages: Open, Save, Save As, Exit, the three settings dialogs, Generate
// GCode. Win32 glue over the design file, the dialogs and the generator.
#pragma once

#include <windows.h>

#include "cad/document/tools.h"

// Path of the current design file, or null; owned here.
extern char* gFileName;

// Carries out an editor core action (ACTION_*); tool is the entry of the
// "Modify Tool" action.
void runAction(int action, int tool);

void NewCommand();
void Open();
void Save();
void SaveAs();
void ExitCommand();
void BoardSettings();
void GridDialog();
void ToolDialog(Tool* entry);
void GenerateGCode();

// Loads the design at path in place of the current one; on failure tells
// the user why, naming the file, and keeps the current design. 1 on success.
int openDesign(const char* path);
// Opens the design a start-up command line names (one path, quotes
// allowed); nothing for an empty line.
void OpenFromCommandLine(const char* commandLine);

// The common file dialogs; buffer holds at least 260 characters. They return
// non-zero when the user chose a file.
int GetOpenFileDlg(HWND owner, const char* filter, DWORD flags, char* buffer);
int GetSaveFileDlg(HWND owner, const char* filter, DWORD flags, char* buffer);
