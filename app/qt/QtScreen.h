#pragma once

#include "app/Screen.h"

#include <memory>

class InstanceLock;
class QWidget;

// Answers the window state's requests with Qt: message boxes owned by the
// hidden application window, the desktop's windows, and the browser for the
// Internet shortcut.
class QtScreen : public Screen {
public:
    explicit QtScreen(QWidget* applicationWindow);
    ~QtScreen() override;

    void ShowErrorBox(const std::string& caption, const std::string& text) override;
    void ShowWarningBox(const std::string& caption, const std::string& text) override;
    std::vector<TopLevelWindow> TopLevelWindows() override;
    void OpenShortcut(const std::string& fileName) override;

private:
    QWidget* applicationWindow_;
    std::unique_ptr<InstanceLock> instanceLock_;
};
