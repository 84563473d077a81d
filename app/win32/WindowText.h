#pragma once

#include <windows.h>

#include <string>

// A window's text as the ANSI code page's bytes, unconverted.
std::string WindowText(HWND window);
