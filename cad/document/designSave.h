// Saving a design under a user's name: the ".cnc" rule for names without an
// extension, and a save that never leaves a half-written design behind.
#pragma once

#include <string>

// Moves the file from over the file to, replacing it; 1 on success. The
// platform supplies it (POSIX rename, or the Win32 move that replaces).
typedef int (*FileReplaceFn)(const char* from, const char* to);

// 1 when a chosen name gets ".cnc" appended: it has no '.' anywhere, folder
// part included.
int needsCncExtension(const char* path);

// The temporary file a save of path writes first, in the same folder.
std::string designTempPath(const char* path);

// Writes the current design to designTempPath(path) and then replaces path
// with it. On any failure the temporary file is removed and path is left as
// it was. 1 on success, 0 on failure (errno may tell why).
int saveDesignReplacing(const char* path, FileReplaceFn replace);

// rename(2): replaces the target atomically on POSIX systems.
int replaceByRename(const char* from, const char* to);
