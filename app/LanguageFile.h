#pragma once

#include "app/Controls.h"

#include <span>
#include <string>

inline constexpr const char* LanguageFileName = "language.txt";

// Whether a plain file of that name exists; a folder (or a pipe, or a
// device) of that name does not count.
bool LanguageFileExists(const std::string& fileName = LanguageFileName);

// Gives each control, in order, the next line of the file, trimmed, as its
// caption; lines past the end of the file are empty, lines past the last
// control are not read. Raises IoError at the failing step, leaving the
// captions already given.
void ReadCaptions(std::span<TCaptionedControl* const> controls, const std::string& fileName = LanguageFileName);
