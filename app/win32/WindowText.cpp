#include "app/win32/WindowText.h"

#include <vector>

std::string WindowText(HWND window)
{
    const int length = GetWindowTextLengthA(window);
    if (length <= 0)
        return {};
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    const int copied = GetWindowTextA(window, buffer.data(), static_cast<int>(buffer.size()));
    return std::string(buffer.data(), static_cast<std::size_t>(copied > 0 ? copied : 0));
}
