// The two platform services the command language needs. The Windows build
// resolves them to the system's message box and tick count; native test
// builds link a recording stand-in instead.
#pragma once

// Milliseconds since the system started, wrapping at 2^32.
unsigned int langTickCount();

// A modal box with an OK button and no owner window.
void langMessageBox(const char* text, const char* caption);
