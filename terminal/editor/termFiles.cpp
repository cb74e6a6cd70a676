#include "terminal/editor/termFiles.h"

#include <cstdio>
#include <cstring>

#include "terminal/editor/commandLine.h"

size_t windowTitleSize(const char* fileName) {
  return fileName ? std::strlen(fileName) + 17 : sizeof("KIVO Terminal");
}

void writeWindowTitle(const char* fileName, char* title, size_t size) {
  if (fileName)
    std::snprintf(title, size, "KIVO Terminal [%s]", fileName);
  else
    std::snprintf(title, size, "KIVO Terminal");
}

SaveAsTarget saveAsTarget(const char* chosen, bool (*exists)(const char* path)) {
  if (!NeedsTxtExtension(chosen, exists(chosen))) return {chosen, false};
  std::string path = std::string(chosen) + ".txt";
  return {path, exists(path.c_str())};
}

std::string overwriteQuestion(const std::string& path) {
  return path + " already exists.\nDo you want to replace it?";
}
