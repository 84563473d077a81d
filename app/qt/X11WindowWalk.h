#pragma once

#include "app/Screen.h"

#include <QWindow>

#include <string>
#include <vector>

// The X11 side of the guard against a second copy. Only for Qt's xcb platform.

// Sets the window's WM_NAME to the title's bytes as they are, so that every
// copy reads back exactly the bytes it compares with.
void SetX11WindowName(WId window, const std::string& title);

// The children of the root window, from the top of the stacking order down:
// whether this connection made them, whether they carry WM_TRANSIENT_FOR, and
// the first 128 bytes of their WM_NAME. A window that goes away while it is
// read is left out.
std::vector<TopLevelWindow> WalkX11TopLevelWindows(WId applicationWindow);
