#pragma once

#include <QWidget>

#include <string>

// The hidden application window: a real top-level window, never shown, that
// bears the application title and owns the program's dialogs. A second copy
// recognises a running one by it; on X11 its WM_NAME holds the title's bytes
// exactly as they are.
class ApplicationWindow : public QWidget {
public:
    explicit ApplicationWindow(const std::string& title);
};

// The file name of the running executable, as Windows-1252 bytes.
std::string ExecutablePath();
