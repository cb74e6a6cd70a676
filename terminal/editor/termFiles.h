// What the File commands show and decide about names, without the platform:
// the main window's title and where Save As writes.
#pragma once

#include <cstddef>
#include <string>

// The title for the current file name (null for a new text): "KIVO Terminal"
// or "KIVO Terminal [" path "]". windowTitleSize gives the bytes it takes,
// the terminating NUL included.
size_t windowTitleSize(const char* fileName);
void writeWindowTitle(const char* fileName, char* title, size_t size);

// Where Save As writes the name the dialog returned: the name, or the name
// with ".txt" when it is new and has no dot (NeedsTxtExtension). The
// dialog's own overwrite question covered only the name as chosen, so ask
// is set when the appended name is that of an existing file.
struct SaveAsTarget {
  std::string path;
  bool ask;
};
SaveAsTarget saveAsTarget(const char* chosen, bool (*exists)(const char* path));

// The question before Save As overwrites a file the dialog did not ask about.
std::string overwriteQuestion(const std::string& path);
