// Whole-file helpers of the tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#ifdef _WIN32
#include <process.h>
#define KIVO_TEST_PID _getpid()
#else
#include <unistd.h>
#define KIVO_TEST_PID getpid()
#endif

// A path in the temporary folder unique to this process: ctest runs each test
// in a process of its own, several at a time.
inline std::string tempPath(const std::string& name) {
  return ::testing::TempDir() + "kivo_" + std::to_string(KIVO_TEST_PID) + "_" + name;
}

inline std::string readFile(const std::string& path) {
  std::string out;
  FILE* f = fopen(path.c_str(), "rb");
  if (!f) return out;
  char buf[8192];
  size_t n;
  while ((n = fread(buf, 1, sizeof(buf), f)) > 0) out.append(buf, n);
  fclose(f);
  return out;
}

inline bool writeFile(const std::string& path, const std::string& bytes) {
  FILE* f = fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return fclose(f) == 0 && ok;
}

inline bool fileExists(const std::string& path) {
  FILE* f = fopen(path.c_str(), "rb");
  if (f) fclose(f);
  return f != nullptr;
}
