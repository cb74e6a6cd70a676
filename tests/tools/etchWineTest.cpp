// kivo-etch.exe writes the same bytes as the native kivo-etch, to a file
// and to standard output (which must not turn LF into CR LF again).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <sstream>
#include <string>

#include "tests/support/testFiles.h"

namespace {

// kivo-etch.exe lies next to this test program.
std::string _etchExe() {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, sizeof(path));
  std::string dir(path, n);
  return dir.substr(0, dir.find_last_of("\\/") + 1) + "kivo-etch.exe";
}

// Runs commandLine with standard output going to the file stdoutPath;
// returns the exit code, or -1 if the program could not be started.
int _run(const std::string& commandLine, const std::string& stdoutPath) {
  SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, TRUE};
  HANDLE out = CreateFileA(stdoutPath.c_str(), GENERIC_WRITE, 0, &sa, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (out == INVALID_HANDLE_VALUE) return -1;
  STARTUPINFOA si = {};
  si.cb = sizeof(si);
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = out;
  si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION pi = {};
  std::string cmd = commandLine;
  BOOL started = CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                &si, &pi);
  CloseHandle(out);
  if (!started) return -1;
  WaitForSingleObject(pi.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  return static_cast<int>(code);
}

}  // namespace

TEST(EtchWine, SameBytesAsTheNativeBuild) {
  std::string exe = _etchExe();
  std::string tmp = tempPath("");
  std::stringstream designs(KIVO_DESIGNS);
  std::string design;
  int compared = 0;
  while (std::getline(designs, design, ',')) {
    size_t slash = design.find_last_of("\\/") + 1;
    std::string name = design.substr(slash, design.rfind('.') - slash);
    std::string native = readFile(std::string(KIVO_REFS) + "/native-" + name + ".txt");
    ASSERT_GT(native.size(), 1000u) << name;
    std::string file = tmp + "kivo_etch_wine_" + name + ".txt";
    std::string piped = tmp + "kivo_etch_wine_" + name + ".stdout";
    EXPECT_EQ(_run("\"" + exe + "\" \"" + design + "\" -o \"" + file + "\"", tmp + "kivo_etch_wine.log"), 0);
    EXPECT_TRUE(readFile(file) == native) << name << ": -o output differs";
    EXPECT_EQ(_run("\"" + exe + "\" \"" + design + "\"", piped), 0);
    EXPECT_TRUE(readFile(piped) == native) << name << ": standard output differs";
    remove(file.c_str());
    remove(piped.c_str());
    compared++;
  }
  remove((tmp + "kivo_etch_wine.log").c_str());
  EXPECT_GT(compared, 0);  // the list of designs reached the test
}
