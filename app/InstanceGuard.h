#pragma once

#include "app/Screen.h"

#include <cstddef>
#include <string>
#include <vector>

inline constexpr const char* AlreadyRunningCaption = "Warning";
inline constexpr const char* AlreadyRunningText = "Celestrix is already running!";

// A window title is read into a buffer of this many bytes, its last one the
// terminating zero, so at most 127 characters take part in the comparison.
inline constexpr std::size_t TitleBufferSize = 128;

// Whether the window is another copy's application window: not this copy's,
// without an owner, and titled exactly with the application title.
bool IsRunningCopy(const TopLevelWindow& window, const std::string& applicationTitle);

bool AnotherCopyRunning(const std::vector<TopLevelWindow>& windows, const std::string& applicationTitle);
