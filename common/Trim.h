#pragma once

#include <string>
#include <string_view>

// Trimming drops every leading and trailing character whose code is 32 or
// less; bytes 7F and above (the non-breaking space A0 too) stay.
std::string_view TrimmedView(std::string_view text);
std::string Trim(std::string_view text);
