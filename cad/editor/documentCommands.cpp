#include "cad/editor/documentCommands.h"

#include <commdlg.h>
#include <shellapi.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "cad/document/designFile.h"
#include "cad/document/designSave.h"
#include "cad/document/documentDialogs.h"
#include "cad/editor/effect.h"
#include "cad/editor/mainWindow.h"
#include "cad/editor/selection.h"
#include "cad/editor/viewGlue.h"
#include "cad/gcode/generate.h"

char* gFileName = nullptr;

namespace {

const char DESIGN_FILTER[] = "KIVO\0*.cnc\0";
const int PATH_BUFFER = 265;  // a 260-character name and ".cnc"
const int PATH_CAPACITY = 260;
const char OUTPUT_FILE[] = "output.txt";
const char TERMINAL[] = "KIVOTerminal.exe";

bool _askSaved(const char* question) {
  return MessageBoxA(gMainHWnd, question, "Did you save?",
                     MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2) == IDOK;
}

void _warn(const std::string& text, const char* caption) {
  MessageBoxA(gMainHWnd, text.c_str(), caption, MB_OK | MB_ICONWARNING);
}

char* _copy(const char* text) {
  size_t n = std::strlen(text) + 1;
  char* copy = static_cast<char*>(std::malloc(n));
  if (copy) std::memcpy(copy, text, n);
  return copy;
}

// The name Save writes to afterwards; null (Save then asks for a name) when
// the copy cannot be made, never a name the design did not come from.
void _setFileName(const char* path) {
  std::free(gFileName);
  gFileName = _copy(path);
}

bool _fileExists(const char* path) {
  DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Writes the design to path through a temporary file; tells the user when
// that fails. The design in memory is kept either way.
bool _saveTo(const char* path) {
  if (saveDesignReplacing(path, replaceFileWin)) return true;
  _warn(std::string("Unable to write the design file\n") + path +
            "\nThe design is still open; save it under another name.",
        "Save");
  return false;
}

int _fileDialog(BOOL(WINAPI* run)(LPOPENFILENAMEA), HWND owner, const char* filter, DWORD flags,
                char* buffer) {
  OPENFILENAMEA ofn = {};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter;
  ofn.nFilterIndex = 0;
  ofn.lpstrFile = buffer;
  ofn.nMaxFile = PATH_CAPACITY;
  ofn.Flags = flags;
  return run(&ofn);
}

}  // namespace

int GetOpenFileDlg(HWND owner, const char* filter, DWORD flags, char* buffer) {
  buffer[0] = '\0';
  return _fileDialog(GetOpenFileNameA, owner, filter, flags, buffer);
}

int GetSaveFileDlg(HWND owner, const char* filter, DWORD flags, char* buffer) {
  return _fileDialog(GetSaveFileNameA, owner, filter, flags, buffer);
}

void runAction(int action, int tool) {
  switch (action) {
    case ACTION_CONFIRM_NEW: NewCommand(); break;
    case ACTION_OPEN: Open(); break;
    case ACTION_SAVE: Save(); break;
    case ACTION_SAVE_AS: SaveAs(); break;
    case ACTION_EXIT: ExitCommand(); break;
    case ACTION_BOARD_SETTINGS: BoardSettings(); break;
    case ACTION_GENERATE: GenerateGCode(); break;
    case ACTION_GRID_SETTINGS: GridDialog(); break;
    case ACTION_TOOL_DIALOG: ToolDialog(toolAt(static_cast<unsigned>(tool))); break;
    default: break;
  }
}

void NewCommand() {
  if (_askSaved("Are you sure you want to start a new file?")) applyEffect(New());
}

int openDesign(const char* path) {
  int status = loadFromFile(path);
  if (status != DESIGN_OK) {
    _warn(std::string("Unable to open the design file\n") + path + "\n" +
              designErrorText(status) + ".\nThe current design is kept.",
          "Open design");
    return 0;
  }
  _setFileName(path);
  applyEffect(designLoaded());
  return 1;
}

void Open() {
  if (!_askSaved("Are you sure you want to open a file?")) return;
  char buffer[PATH_BUFFER];
  if (!GetOpenFileDlg(gMainHWnd, DESIGN_FILTER, OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST, buffer))
    return;
  openDesign(buffer);
}

void SaveAs() {
  char buffer[PATH_BUFFER] = "";
  if (gFileName) std::strncpy(buffer, gFileName, PATH_CAPACITY - 1);
  if (!GetSaveFileDlg(gMainHWnd, DESIGN_FILTER, OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT, buffer))
    return;
  if (needsCncExtension(buffer)) {
    std::strcat(buffer, ".cnc");
    // The dialog asked about the name as typed, not about the longer one.
    if (_fileExists(buffer)) {
      std::string question = std::string(buffer) + " already exists.\nDo you want to replace it?";
      if (MessageBoxA(gMainHWnd, question.c_str(), "Save As", MB_YESNO | MB_ICONWARNING) != IDYES)
        return;
    }
  }
  if (_saveTo(buffer)) _setFileName(buffer);
}

void Save() {
  if (gFileName)
    _saveTo(gFileName);
  else
    SaveAs();
}

void ExitCommand() {
  if (_askSaved("Are you sure you want to exit?")) DestroyWindow(gMainHWnd);
}

// The command's effect redraws the view afterwards, whatever the outcome.
void BoardSettings() { runBoardDialog(gMainHWnd); }

void GridDialog() { runGridDialog(gMainHWnd); }

void ToolDialog(Tool* entry) {
  if (!entry) return;
  runToolDialog(gMainHWnd, entry);
  if (gToolList) InvalidateRect(gToolList, nullptr, TRUE);
}

void GenerateGCode() {
  if (!writeProgramFile(OUTPUT_FILE)) {
    _warn(std::string(OUTPUT_FILE) + " was not written: " + etchError() +
              ".\nThe terminal is not started.",
          "Generate GCode");
    return;
  }
  HINSTANCE started = ShellExecuteA(nullptr, nullptr, TERMINAL, OUTPUT_FILE, nullptr, SW_SHOWNORMAL);
  if (reinterpret_cast<INT_PTR>(started) <= 32)
    _warn(std::string(OUTPUT_FILE) + " was written, but " + TERMINAL + " could not be started.",
          "Generate GCode");
}

void OpenFromCommandLine(const char* commandLine) {
  if (!commandLine) return;
  std::string path(commandLine);
  size_t first = path.find_first_not_of(" \t");
  if (first == std::string::npos) return;
  path.erase(0, first);
  if (path[0] == '"') {
    size_t close = path.find('"', 1);
    path = path.substr(1, close == std::string::npos ? std::string::npos : close - 1);
  } else {
    path.erase(path.find_last_not_of(" \t\r\n") + 1);
  }
  if (!path.empty()) openDesign(path.c_str());
}
