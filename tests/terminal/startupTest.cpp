// KIVOTerminal.exe started as a program with a parameter, read from outside.
#include <string>

#include "termTestUtil.h"

using namespace termtest;

namespace {

// Texts of another process's windows come through WM_GETTEXT.
std::string remoteText(HWND window) {
  char buffer[8192] = "";
  DWORD_PTR result = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof(buffer), reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG,
                      5000, &result);
  return buffer;
}

// Starts KIVOTerminal.exe (next to this program) with the parameter in the
// folder dir; types into its editor, reads its title and text, closes it
// with the close box and returns its exit code.
DWORD runTerminal(const std::string& parameter, const std::string& dir, std::string* title,
                  std::string* text, const std::string& typed = "") {
  std::string commandLine = "\"" + siblingProgram("KIVOTerminal.exe") + "\"  " + parameter;
  STARTUPINFOA si = {};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi))
    return 1000;
  WaitForInputIdle(pi.hProcess, 10000);
  HWND window = nullptr;
  for (int i = 0; i < 250 && !window; ++i, Sleep(20))
    window = findWindowOf(pi.dwProcessId, "KIVOTermClass", nullptr);
  DWORD code = 1001;
  if (window) {
    HWND editor = FindWindowExA(window, nullptr, "RichEdit20A", nullptr);
    for (char c : typed) PostMessageA(editor, WM_CHAR, static_cast<unsigned char>(c), 1);
    // A sent WM_GETTEXT overtakes posted characters: wait until they are in.
    *text = remoteText(editor);
    for (int i = 0; i < 100 && !typed.empty() && text->find(typed) == std::string::npos; ++i, Sleep(20))
      *text = remoteText(editor);
    *title = remoteText(window);
    PostMessageA(window, WM_CLOSE, 0, 0);
  }
  if (WaitForSingleObject(pi.hProcess, 10000) == WAIT_OBJECT_0) GetExitCodeProcess(pi.hProcess, &code);
  else TerminateProcess(pi.hProcess, code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return code;
}

TEST(TerminalStartup, OpensItsParameter) {
  std::string dir = tempPath("start"), title, text;
  CreateDirectoryA(dir.c_str(), nullptr);
  ASSERT_TRUE(writeFile(dir + "\\output.txt", "G21\r\nG0 Z5\r\n"));
  // Relative to the working directory, as the CAD program starts it.
  EXPECT_EQ(runTerminal("output.txt", dir, &title, &text), 0u);
  EXPECT_EQ(title, "KIVO Terminal [output.txt]");
  EXPECT_EQ(text, "G21\r\nG0 Z5\r\n");

  // Quotes removed, blanks and bytes 0x80 to 0xFF kept.
  std::string path = dir + "\\my  prog \xE4.txt";
  ASSERT_TRUE(writeFile(path, "M3 S1000\r\n"));
  EXPECT_EQ(runTerminal("\"" + path + "\"", dir, &title, &text), 0u);
  EXPECT_EQ(title, "KIVO Terminal [" + path + "]");
  EXPECT_EQ(text, "M3 S1000\r\n");

  // No parameter: an empty editor that takes what the user types. A
  // missing file's name is kept for Save, over an empty text.
  EXPECT_EQ(runTerminal("", dir, &title, &text, "g1 x5"), 0u);
  EXPECT_EQ(title, "KIVO Terminal");
  EXPECT_EQ(text, "g1 x5");
  EXPECT_EQ(runTerminal("new.txt", dir, &title, &text), 0u);
  EXPECT_EQ(title, "KIVO Terminal [new.txt]");
  EXPECT_EQ(text, "");
  std::remove(path.c_str());
  std::remove((dir + "\\output.txt").c_str());
  RemoveDirectoryA(dir.c_str());
}

}  // namespace
