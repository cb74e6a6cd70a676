// Interpreter of the graphics command language: runs a text of ";"-separated
// drawing statements (for example "fill white;flip") against one graphics
// control through its cmd_* operations.
#pragma once

#include "gfx/graphics.h"

#ifdef _WIN32
#define KIVO_LANG_EXPORT __declspec(dllexport)
#else
#define KIVO_LANG_EXPORT
#endif

#ifdef __cplusplus
extern "C" {
#endif

// Interprets `text` (zero-terminated, not modified) up to its end or its first
// error and returns the value of the last statement that ran, 0 for an empty
// text. Must not be entered again while a text runs: a nested call does
// nothing and returns 0.
KIVO_LANG_EXPORT int graphicCommand(HWND window, const char* text);

#ifdef __cplusplus
}
#endif
