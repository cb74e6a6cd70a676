// KIVO.exe as a program: its export table, and starting it with a design
// named on the command line, driven from outside.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "resources/kivoIds.h"
#include "tests/support/exportedNames.h"
#include "tests/support/testFiles.h"
#include "tests/support/winTest.h"

using namespace wintest;

namespace {

std::string kivoPath() { return siblingProgram("KIVO.exe"); }

// Other programs load KIVO.exe and draw with its control through these.
TEST(KivoProgram, ExportsTheControlAndTheLanguageByName) {
  HMODULE kivo = LoadLibraryA(kivoPath().c_str());
  ASSERT_NE(kivo, nullptr) << GetLastError();
  for (const char* name : GFX_EXPORTS) EXPECT_NE(GetProcAddress(kivo, name), nullptr) << name;
  EXPECT_NE(GetProcAddress(kivo, LANG_EXPORT), nullptr);
  using VersionFn = int (*)();
  auto version = reinterpret_cast<VersionFn>(reinterpret_cast<void*>(GetProcAddress(kivo, "getVersion")));
  ASSERT_NE(version, nullptr);
  EXPECT_EQ(version(), 8);
  FreeLibrary(kivo);
}

std::string remoteText(HWND window) {
  char buffer[1024] = "";
  DWORD_PTR result = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof(buffer), reinterpret_cast<LPARAM>(buffer),
                      SMTO_ABORTIFHUNG, 5000, &result);
  return buffer;
}

struct Started {
  PROCESS_INFORMATION pi = {};
  HWND window = nullptr;
};

Started startKivo(const std::string& parameter) {
  Started s;
  std::string commandLine = "\"" + kivoPath() + "\" " + parameter;
  STARTUPINFOA si = {};
  si.cb = sizeof(si);
  if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                      &s.pi))
    return s;
  WaitForInputIdle(s.pi.hProcess, 10000);
  for (int i = 0; i < 500 && !s.window; ++i, Sleep(20))
    s.window = findWindowOf(s.pi.dwProcessId, "ORBEClass", "KIVO CAD");
  return s;
}

DWORD closeKivo(Started& s) {
  DWORD code = 1001;
  if (s.window) PostMessageA(s.window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(s.pi.hProcess, 10000) == WAIT_OBJECT_0)
    GetExitCodeProcess(s.pi.hProcess, &code);
  else
    TerminateProcess(s.pi.hProcess, code);
  CloseHandle(s.pi.hThread);
  CloseHandle(s.pi.hProcess);
  return code;
}

TEST(KivoProgram, OpensTheDesignNamedOnItsCommandLine) {
  std::string design = tempPath("start design.cnc");
  // A design of one line, zoom 4 and an all-zero tool table: nothing like
  // the new design the program starts with.
  std::string bytes(404 + 56, '\0');
  double zoom = 4, width = 70, height = 100, x2 = 10;
  memcpy(&bytes[0], &zoom, 8);
  memcpy(&bytes[40], &width, 8);
  memcpy(&bytes[48], &height, 8);
  bytes[400] = 1;
  memcpy(&bytes[404 + 24], &x2, 8);
  ASSERT_TRUE(writeFile(design, bytes));

  Started s = startKivo("\"" + design + "\"");
  ASSERT_NE(s.window, nullptr);
  HWND status = FindWindowExA(s.window, nullptr, "msctls_statusbar32", nullptr);
  // Loaded as Open loads it: Save writes it back under its name, unchanged.
  EXPECT_EQ(remoteText(status), "Nothing going on.");
  ASSERT_EQ(std::remove(design.c_str()), 0);
  DWORD_PTR result = 0;
  SendMessageTimeoutA(s.window, WM_COMMAND, IDM_SAVE, 0, SMTO_ABORTIFHUNG, 5000, &result);
  EXPECT_EQ(readFile(design), bytes);
  EXPECT_EQ(closeKivo(s), 0u);
  std::remove(design.c_str());

  // A file that is no design: the program says so, naming it, and starts
  // with an empty design.
  std::string damaged = tempPath("damaged.cnc");
  ASSERT_TRUE(writeFile(damaged, "not a design"));
  s = startKivo(damaged);
  ASSERT_NE(s.window, nullptr);
  HWND box = nullptr;
  for (int i = 0; i < 250 && !box; ++i, Sleep(20))
    box = findWindowOf(s.pi.dwProcessId, "#32770", "Open design");
  ASSERT_NE(box, nullptr);
  std::string text = remoteText(GetDlgItem(box, MESSAGE_TEXT));
  EXPECT_NE(text.find(damaged), std::string::npos) << text;
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(closeKivo(s), 0u);
  std::remove(damaged.c_str());
}

}  // namespace
