#pragma once

#include "app/Screen.h"

class QWidget;

// Answers the window state's requests with Qt: message boxes owned by the
// hidden application window, and the browser for the Internet shortcut.
class QtScreen : public Screen {
public:
    explicit QtScreen(QWidget* applicationWindow);

    void ShowErrorBox(const std::string& caption, const std::string& text) override;
    void OpenShortcut(const std::string& fileName) override;

private:
    QWidget* applicationWindow_;
};
