#pragma once

#include <windows.h>

// The window class of the label panels: white, with a raised outer and a
// raised inner bevel, the caption centred both ways in black. An "&" marks
// the next character as an accelerator. Panels never take the focus.
extern const char* const PanelClassName;

void RegisterPanelClass(HINSTANCE instance);
