#pragma once

#include <string>
#include <string_view>
#include <vector>

// The least the program's work can cost, done directly on the file's bytes;
// each figure is set beside one of these.

// Reads the file's bytes with one open, read and close, and splits them into
// lines with memchr (a CR before the LF is left out).
void ReadAndSplit(const char* path, std::string& bytes, std::vector<std::string_view>& lines);

// Walks the bytes line by line with memchr and compares each line's start
// with linePrefix; the 1-based number of the first line that starts with it,
// or 0.
int ScanForLine(std::string_view bytes, std::string_view linePrefix);
