#include "common/Trim.h"

namespace {
bool IsTrimmed(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}
}

std::string_view TrimmedView(std::string_view text)
{
    while (!text.empty() && IsTrimmed(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsTrimmed(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string Trim(std::string_view text)
{
    return std::string(TrimmedView(text));
}
