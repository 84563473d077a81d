#include "app/win32/Win32Screen.h"

#include "app/InstanceGuard.h"

#include <shellapi.h>

Win32Screen::Win32Screen(HWND applicationWindow)
    : applicationWindow_(applicationWindow)
{
}

void Win32Screen::ShowErrorBox(const std::string& caption, const std::string& text)
{
    MessageBoxA(applicationWindow_, text.c_str(), caption.c_str(), MB_ICONERROR | MB_OK);
}

// A message box with only an OK button closes with Enter and with Esc.
void Win32Screen::ShowWarningBox(const std::string& caption, const std::string& text)
{
    MessageBoxA(applicationWindow_, text.c_str(), caption.c_str(), MB_ICONWARNING | MB_OK);
}

// The windows of the main window's level, the top-level windows, in Z order.
std::vector<TopLevelWindow> Win32Screen::TopLevelWindows()
{
    std::vector<TopLevelWindow> windows;
    for (HWND window = GetWindow(mainWindow_, GW_HWNDFIRST); window; window = GetWindow(window, GW_HWNDNEXT)) {
        TopLevelWindow seen;
        seen.BelongsToThisCopy = window == applicationWindow_;
        seen.HasOwner = GetWindow(window, GW_OWNER) != nullptr;
        if (!seen.BelongsToThisCopy && !seen.HasOwner) {
            char title[TitleBufferSize] = {};
            GetWindowTextA(window, title, static_cast<int>(sizeof title));
            seen.Title = title;
        }
        windows.push_back(std::move(seen));
    }
    return windows;
}

void Win32Screen::OpenShortcut(const std::string& fileName)
{
    ShellExecuteA(mainWindow_, nullptr, fileName.c_str(), nullptr, nullptr, SW_RESTORE);
}
