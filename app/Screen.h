#pragma once

#include <string>
#include <vector>

// A top-level window as the guard against a second copy sees it.
struct TopLevelWindow {
    // This copy's own application window, or another window its toolkit made.
    bool BelongsToThisCopy = false;
    bool HasOwner = false;
    // The title's bytes as read; a layer need not read more than 128.
    std::string Title;
};

// What the window state asks of the screen; each toolkit layer answers in its
// own way, and the state's tests answer with a recorder.
class Screen {
public:
    virtual ~Screen() = default;

    // A modal message box owned by the application window, centred on the
    // screen: the caption, the text, a stop icon and one OK button.
    virtual void ShowErrorBox(const std::string& caption, const std::string& text) = 0;

    // The same, with an exclamation icon; its one OK button is both the
    // default and the cancel button.
    virtual void ShowWarningBox(const std::string& caption, const std::string& text) = 0;

    // The desktop's top-level windows, from the top of the stacking order
    // down, where a running copy shows itself by its application window.
    virtual std::vector<TopLevelWindow> TopLevelWindows() = 0;

    // Hands the Internet-shortcut file to the desktop to open with its default
    // action. The result is not examined.
    virtual void OpenShortcut(const std::string& fileName) = 0;
};
