// Resource and control identifiers of the machine link's dialogs, shared by
// the resource script and the code (plain #defines so the resource compiler
// reads them too).
#pragma once

#define IDD_PORT 8003
#define IDD_RUN 8004

// Port dialog
#define IDC_PORT_LIST 1202
#define IDC_PORT_OK 1203
#define IDC_PORT_CANCEL 1204
#define IDC_PORT_REFRESH 1205
#define IDC_PORT_LABEL 4001

// Run dialog
#define IDC_RUN_PROGRESS 5001
#define IDC_RUN_LOG 5002
#define IDC_RUN_RUN 5003
#define IDC_RUN_PAUSE 5004
#define IDC_RUN_STOP 5005
