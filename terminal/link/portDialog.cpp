#include "terminal/link/portDialog.h"

#include <cstdlib>

#include "terminal/editor/termWindow.h"
#include "terminal/link/linkIds.h"
#include "terminal/link/portChoice.h"
#include "terminal/link/serialPort.h"

char* gPortName = nullptr;

namespace {

bool _probe(void*, const char* name) { return canOpenPort(name); }

void OnPortOk(HWND dialog) {
  LRESULT index = SendDlgItemMessageA(dialog, IDC_PORT_LIST, CB_GETCURSEL, 0, 0);
  if (index == CB_ERR) {
    MessageBoxA(dialog, "No valid comm port selected!", "Select a comm port", MB_OK);
    return;
  }
  std::free(gPortName);
  gPortName = nullptr;
  LRESULT length = SendDlgItemMessageA(dialog, IDC_PORT_LIST, CB_GETLBTEXTLEN, index, 0);
  char* name = length >= 0 ? static_cast<char*>(std::calloc(length + 1, 1)) : nullptr;
  if (!name) {
    MessageBoxA(dialog, "Unable to allocate space for comm port string", "Error", MB_OK);
    return;
  }
  SendDlgItemMessageA(dialog, IDC_PORT_LIST, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(name));
  gPortName = name;
  EndDialog(dialog, 1);
}

void OnPortCommand(HWND dialog, WPARAM wParam) {
  if (HIWORD(wParam) != 0) return;
  switch (LOWORD(wParam)) {
    case IDC_PORT_OK: OnPortOk(dialog); break;
    case IDC_PORT_CANCEL:
    case IDCANCEL:  // Escape
      EndDialog(dialog, 0);
      break;
    case IDC_PORT_REFRESH: ListPorts(dialog); break;
    default: break;
  }
}

}  // namespace

void ListPorts(HWND dialog) {
  SendDlgItemMessageA(dialog, IDC_PORT_LIST, CB_RESETCONTENT, 0, 0);
  PortProbe probe = {nullptr, _probe};
  std::vector<std::string> ports = availablePorts(probe);
  for (const std::string& port : ports)
    SendDlgItemMessageA(dialog, IDC_PORT_LIST, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(port.c_str()));
  // The entry is found by its name, so the choice holds whatever order the
  // list keeps.
  int selected = preselectedPort(ports, gPortName);
  if (selected < 0) return;
  LRESULT index = SendDlgItemMessageA(dialog, IDC_PORT_LIST, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>(ports[selected].c_str()));
  SendDlgItemMessageA(dialog, IDC_PORT_LIST, CB_SETCURSEL, index, 0);
}

INT_PTR CALLBACK PortDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
  switch (msg) {
    case WM_INITDIALOG: ListPorts(dialog); return 1;
    case WM_CLOSE: EndDialog(dialog, 0); return 1;
    case WM_COMMAND: OnPortCommand(dialog, wParam); return 1;
    default: return 0;
  }
}

int SelectPort() {
  return DialogBoxParamA(gTermInstance, MAKEINTRESOURCEA(IDD_PORT), gTermHWnd, PortDlgProc, 0) == 1 ? 1 : 0;
}
