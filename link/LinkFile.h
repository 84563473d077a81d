#pragma once

#include <optional>
#include <string>
#include <string_view>

inline constexpr const char* LinkFileName = "link.url";

// Writes the Internet shortcut: "[InternetShortcut]" and "URL=" with the url,
// byte for byte. Creates or truncates the file; raises IoError at the failing
// step, and the file is closed on every path.
void WriteLinkFile(std::string_view url, const std::string& fileName = LinkFileName);

// The URL of an Internet shortcut: the text after "URL=" on its first such
// line; none when the file has no such line.
std::optional<std::string> UrlOfShortcut(const std::string& fileName = LinkFileName);

// The url with every byte of 80 hex and above percent-encoded (B0 → %B0), as
// a browser takes it.
std::string PercentEncodeHighBytes(std::string_view url);
