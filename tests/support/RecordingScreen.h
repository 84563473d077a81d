#pragma once

#include "app/Screen.h"

#include <string>
#include <vector>

// Writes down what the window state asks of the screen.
class RecordingScreen : public Screen {
public:
    struct Box {
        std::string caption;
        std::string text;
        bool operator==(const Box&) const = default;
    };
    std::vector<Box> errorBoxes;
    std::vector<Box> warningBoxes;
    std::vector<std::string> openedShortcuts;
    // What the desktop shows the guard against a second copy.
    std::vector<TopLevelWindow> windows;

    void ShowErrorBox(const std::string& caption, const std::string& text) override
    {
        errorBoxes.push_back({caption, text});
    }
    void ShowWarningBox(const std::string& caption, const std::string& text) override
    {
        warningBoxes.push_back({caption, text});
    }
    std::vector<TopLevelWindow> TopLevelWindows() override { return windows; }
    void OpenShortcut(const std::string& fileName) override { openedShortcuts.push_back(fileName); }
};
