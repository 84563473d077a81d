#pragma once

#include <windows.h>

#include <string>

// The program's hidden, unowned top-level window. It bears the application
// title, by which a second copy recognises this one, and owns the main
// window and every message box.
class ApplicationWindow {
public:
    explicit ApplicationWindow(const std::string& title);
    ~ApplicationWindow();
    ApplicationWindow(const ApplicationWindow&) = delete;
    ApplicationWindow& operator=(const ApplicationWindow&) = delete;

    HWND Handle() const { return handle_; }

private:
    HWND handle_;
};

// The application title of this program, from its executable's file name as
// Windows gives it, converted from the OEM to the ANSI code page.
std::string ApplicationTitleOfThisProgram();
