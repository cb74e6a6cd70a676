#include "cad/document/designSave.h"

#include <cstdio>
#include <cstring>

#include "cad/document/designFile.h"

int needsCncExtension(const char* path) {
  return path && *path && !std::strchr(path, '.');
}

std::string designTempPath(const char* path) {
  return std::string(path ? path : "") + ".saving";
}

int saveDesignReplacing(const char* path, FileReplaceFn replace) {
  if (!path || !*path || !replace) return 0;
  std::string temp = designTempPath(path);
  if (!saveToFile(temp.c_str())) {
    std::remove(temp.c_str());
    return 0;
  }
  if (!replace(temp.c_str(), path)) {
    std::remove(temp.c_str());
    return 0;
  }
  return 1;
}

int replaceByRename(const char* from, const char* to) {
  return std::rename(from, to) == 0;
}
