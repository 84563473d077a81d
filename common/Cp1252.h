#pragma once

#include <string>
#include <string_view>

// The program holds every text as 8-bit Windows-1252 bytes. These convert
// between those bytes and Unicode code points without loss: each of the 256
// bytes has its own code point (the five bytes Windows-1252 leaves undefined
// stand for the C1 controls of the same value).
char32_t Cp1252ToUnicode(unsigned char byte);

// The Windows-1252 byte for a code point, or '?' where there is none.
unsigned char UnicodeToCp1252(char32_t codePoint);

// Windows-1252 bytes to UTF-8 and back ('?' for what Windows-1252 cannot hold).
std::string Cp1252ToUtf8(std::string_view bytes);
std::string Utf8ToCp1252(std::string_view utf8);

// Lower-cases a Windows-1252 byte as the ANSI code page does.
unsigned char Cp1252ToLower(unsigned char byte);
