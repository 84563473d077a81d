#pragma once

#include <string>

// What the window state asks of the screen; each toolkit layer answers in its
// own way, and the state's tests answer with a recorder.
class Screen {
public:
    virtual ~Screen() = default;

    // A modal message box owned by the application window, centred on the
    // screen: the caption, the text, a stop icon and one OK button.
    virtual void ShowErrorBox(const std::string& caption, const std::string& text) = 0;

    // Hands the Internet-shortcut file to the desktop to open with its default
    // action. The result is not examined.
    virtual void OpenShortcut(const std::string& fileName) = 0;
};
