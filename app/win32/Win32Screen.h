#pragma once

#include "app/Screen.h"

#include <windows.h>

// Answers the window state's requests with the Windows API: message boxes
// owned by the application window, the walk over the top-level windows, and
// the shell for the Internet shortcut.
class Win32Screen : public Screen {
public:
    explicit Win32Screen(HWND applicationWindow);

    // The main window is made after the screen; the walk over the top-level
    // windows and the shell need it.
    void SetMainWindow(HWND mainWindow) { mainWindow_ = mainWindow; }

    void ShowErrorBox(const std::string& caption, const std::string& text) override;
    void ShowWarningBox(const std::string& caption, const std::string& text) override;
    std::vector<TopLevelWindow> TopLevelWindows() override;
    void OpenShortcut(const std::string& fileName) override;

private:
    HWND applicationWindow_;
    HWND mainWindow_ = nullptr;
};
