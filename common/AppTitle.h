#pragma once

#include <string>
#include <string_view>

// The application title: the executable's file name (Windows-1252 bytes)
// without its folder, cut at its first ".", every character but the first
// lower-cased. "C:\Tools\CELESTRIX.EXE" and "/usr/bin/celestrix" give
// "Celestrix" and "celestrix".
std::string ApplicationTitle(std::string_view executablePath);
