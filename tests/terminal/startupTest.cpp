// KIVOTerminal.exe started as a program with a path on its command line,
// driven from outside with window messages.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "termTestUtil.h"

using namespace termtest;

namespace {

std::string programPath() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, sizeof(path));
  std::string dir(path);
  return dir.substr(0, dir.find_last_of('\\') + 1) + "KIVOTerminal.exe";
}

// Texts of another process's windows come through WM_GETTEXT.
std::string remoteText(HWND window) {
  char buffer[8192] = "";
  DWORD_PTR result = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof(buffer), reinterpret_cast<LPARAM>(buffer),
                      SMTO_ABORTIFHUNG, 5000, &result);
  return buffer;
}

class Terminal {
 public:
  // Starts the program with the given parameter text in directory dir.
  Terminal(const std::string& parameter, const std::string& dir) {
    std::string commandLine = "\"" + programPath() + "\"  " + parameter;
    STARTUPINFOA si;
    std::memset(&si, 0, sizeof(si));
    si.cb = sizeof(si);
    started_ = CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                              dir.c_str(), &si, &pi_) != 0;
    if (!started_) return;
    WaitForInputIdle(pi_.hProcess, 10000);
    for (int i = 0; i < 250 && !window_; ++i) {
      window_ = findWindow();
      if (!window_) Sleep(20);
    }
    if (window_) editor_ = FindWindowExA(window_, nullptr, "RichEdit20A", nullptr);
  }
  ~Terminal() {
    if (!started_) return;
    if (window_) PostMessageA(window_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi_.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi_.hProcess, 9);
    CloseHandle(pi_.hThread);
    CloseHandle(pi_.hProcess);
  }
  HWND window() const { return window_; }
  HWND editor() const { return editor_; }
  // Closes with the close box and returns the exit code.
  DWORD close() {
    PostMessageA(window_, WM_CLOSE, 0, 0);
    window_ = nullptr;
    DWORD code = 12345;
    if (WaitForSingleObject(pi_.hProcess, 10000) == WAIT_OBJECT_0) GetExitCodeProcess(pi_.hProcess, &code);
    return code;
  }

 private:
  HWND findWindow() {
    struct Search {
      DWORD pid;
      HWND found;
    } search = {pi_.dwProcessId, nullptr};
    EnumWindows(
        [](HWND w, LPARAM lp) -> BOOL {
          Search* s = reinterpret_cast<Search*>(lp);
          DWORD pid = 0;
          GetWindowThreadProcessId(w, &pid);
          char cls[64] = "";
          GetClassNameA(w, cls, sizeof(cls));
          if (pid != s->pid || std::string(cls) != "KIVOTermClass") return TRUE;
          s->found = w;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }
  bool started_ = false;
  PROCESS_INFORMATION pi_ = {};
  HWND window_ = nullptr;
  HWND editor_ = nullptr;
};

std::string tempDir(const std::string& name) {
  std::string dir = tempPath(name);
  CreateDirectoryA(dir.c_str(), nullptr);
  return dir;
}

TEST(TerminalStartup, OpensTheParameterRelativeToTheWorkingDirectory) {
  std::string dir = tempDir("start");
  writeFile(dir + "\\output.txt", "G21\r\nG0 Z5\r\n");
  Terminal t("output.txt", dir);
  ASSERT_TRUE(t.window());
  EXPECT_EQ(remoteText(t.window()), "KIVO Terminal [output.txt]");
  EXPECT_EQ(remoteText(t.editor()), "G21\r\nG0 Z5\r\n");
  EXPECT_EQ(t.close(), 0u);
  std::remove((dir + "\\output.txt").c_str());
  RemoveDirectoryA(dir.c_str());
}

TEST(TerminalStartup, QuotesAreRemovedBlanksAndHighBytesKept) {
  std::string dir = tempDir("quoted");
  std::string path = dir + "\\my  prog \xE4.txt";
  writeFile(path, "M3 S1000\r\n");
  Terminal t("\"" + path + "\"", dir);
  ASSERT_TRUE(t.window());
  EXPECT_EQ(remoteText(t.window()), "KIVO Terminal [" + path + "]");
  EXPECT_EQ(remoteText(t.editor()), "M3 S1000\r\n");
  EXPECT_EQ(t.close(), 0u);
  std::remove(path.c_str());
  RemoveDirectoryA(dir.c_str());
}

TEST(TerminalStartup, WithoutParameterOrWithAMissingFile) {
  std::string dir = tempDir("plain");
  {
    Terminal t("", dir);
    ASSERT_TRUE(t.window());
    EXPECT_EQ(remoteText(t.window()), "KIVO Terminal");
    EXPECT_EQ(remoteText(t.editor()), "");
  }
  {
    // The name is kept for Save, over an empty text.
    Terminal t("new.txt", dir);
    ASSERT_TRUE(t.window());
    EXPECT_EQ(remoteText(t.window()), "KIVO Terminal [new.txt]");
    EXPECT_EQ(remoteText(t.editor()), "");
  }
  RemoveDirectoryA(dir.c_str());
}

}  // namespace
