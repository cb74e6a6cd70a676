// The port dialog "Select COMM port" in the test's own process over the real
// main window, answered from a second thread; the ports A and B of
// comPort.sh pair are on the line.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "terminal/link/linkIds.h"
#include "terminal/link/portDialog.h"
#include "tests/link/linkWinTest.h"
#include "tests/terminal/termTestUtil.h"

namespace {

using namespace linktest;
using namespace termtest;

// The entries of the dialog's list and the selected one ("" for none).
struct Listed {
  std::vector<std::string> entries;
  std::string selected;
};

Listed listed(HWND dialog) {
  Listed l;
  HWND list = GetDlgItem(dialog, IDC_PORT_LIST);
  int count = static_cast<int>(SendMessageA(list, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char text[128] = "";
    SendMessageA(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    l.entries.push_back(text);
  }
  int selected = static_cast<int>(SendMessageA(list, CB_GETCURSEL, 0, 0));
  if (selected >= 0) l.selected = l.entries[selected];
  return l;
}

bool lists(const Listed& l, const std::string& port) {
  for (const std::string& entry : l.entries)
    if (entry == port) return true;
  return false;
}

void choose(HWND dialog, const std::string& port) {
  SendDlgItemMessageA(dialog, IDC_PORT_LIST, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                      reinterpret_cast<LPARAM>(port.c_str()));
}

void remember(const char* port) {
  std::free(gPortName);
  gPortName = port ? _strdup(port) : nullptr;
}

std::string remembered() { return gPortName ? gPortName : "(none)"; }

class PortDialogTest : public TermWindowTest {
 protected:
  void TearDown() override {
    remember(nullptr);
    TermWindowTest::TearDown();
  }
};

TEST_F(PortDialogTest, ListsThePortsThatOpenSortedAsTextAndConfirmsTheChoice) {
  remember(nullptr);
  Listed seen;
  Answer answer("Select COMM port", IDC_PORT_LIST, [&](HWND dialog) {
    seen = listed(dialog);
    choose(dialog, portB());
    click(dialog, IDC_PORT_OK);
  });
  EXPECT_EQ(SelectPort(), 1);
  ASSERT_TRUE(answer.seen());
  EXPECT_TRUE(lists(seen, portA()));
  EXPECT_TRUE(lists(seen, portB()));
  EXPECT_FALSE(lists(seen, "\\\\.\\COM97"));
  // The list keeps the text order of the choices; with no port remembered
  // the first entry is preselected.
  for (size_t i = 1; i < seen.entries.size(); ++i)
    EXPECT_LT(_stricmp(seen.entries[i - 1].c_str(), seen.entries[i].c_str()), 0) << seen.entries[i];
  EXPECT_EQ(seen.selected, seen.entries.front());
  EXPECT_EQ(remembered(), portB());
}

TEST_F(PortDialogTest, PreselectsTheRememberedPortAlsoAfterRefresh) {
  remember(portB().c_str());
  Listed first, refreshed;
  Answer answer("Select COMM port", IDC_PORT_LIST, [&](HWND dialog) {
    first = listed(dialog);
    choose(dialog, portA());
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_PORT_REFRESH, BN_CLICKED), 0);
    refreshed = listed(dialog);
    click(dialog, IDC_PORT_OK);
  });
  EXPECT_EQ(SelectPort(), 1);
  ASSERT_TRUE(answer.seen());
  EXPECT_EQ(first.selected, portB());
  EXPECT_EQ(refreshed.entries, first.entries);
  EXPECT_EQ(refreshed.selected, portB());
  EXPECT_EQ(remembered(), portB());
}

TEST_F(PortDialogTest, CancelCloseAndEscapeKeepTheRememberedPort) {
  remember(portA().c_str());
  for (auto dismiss : {std::function<void(HWND)>([](HWND d) { click(d, IDC_PORT_CANCEL); }),
                       std::function<void(HWND)>([](HWND d) { PostMessageA(d, WM_CLOSE, 0, 0); }),
                       std::function<void(HWND)>([](HWND d) { click(d, IDCANCEL); })}) {
    Answer answer("Select COMM port", IDC_PORT_LIST, [&](HWND dialog) {
      choose(dialog, portB());
      dismiss(dialog);
    });
    EXPECT_EQ(SelectPort(), 0);
    EXPECT_TRUE(answer.seen());
    EXPECT_EQ(remembered(), portA());
  }
}

TEST_F(PortDialogTest, OkWithoutASelectedPortSaysSoAndStaysOpen) {
  remember(portA().c_str());
  std::string boxText;
  bool stayedOpen = false;
  Answer answer("Select COMM port", IDC_PORT_LIST, [&](HWND dialog) {
    SendDlgItemMessageA(dialog, IDC_PORT_LIST, CB_RESETCONTENT, 0, 0);  // as with no port at all
    click(dialog, IDC_PORT_OK);
    HWND box = nullptr;
    waitUntil([&] { return (box = findOwnWindow("#32770", "Select a comm port")) != nullptr; });
    if (box) {
      char text[256] = "";
      GetDlgItemTextA(box, MESSAGE_TEXT, text, sizeof(text));
      boxText = text;
      PostMessageA(box, WM_COMMAND, IDOK, 0);
      waitUntil([&] { return !IsWindow(box); });
    }
    stayedOpen = IsWindowVisible(dialog) != FALSE;
    click(dialog, IDC_PORT_CANCEL);
  });
  EXPECT_EQ(SelectPort(), 0);
  ASSERT_TRUE(answer.seen());
  EXPECT_EQ(boxText, "No valid comm port selected!");
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(remembered(), portA());
}

}  // namespace
