#pragma once

#include "app/win32/NativeControls.h"
#include "app/win32/StarFieldPainter.h"

#include <windows.h>

#include <map>
#include <memory>
#include <string_view>

class TForm1;

// The main window: a fixed-size window owned by the application window, its
// client area covered by the star field with the controls of the window
// state on top, placed from the layout table.
class MainWindow {
public:
    MainWindow(TForm1& form, HWND applicationWindow);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND Handle() const { return handle_; }
    // The native control showing the named control of the state; null for
    // the picture, which the window paints itself.
    HWND Control(std::string_view name) const;

    // Centres the window on the screen, shows it and gives the first control
    // in the Tab order the focus.
    void ShowCentred();

    // Runs the message loop until the window is closed.
    static int RunMessageLoop(HWND window);

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Notify(WPARAM wParam, LPARAM lParam);
    void RememberFocus(WPARAM wParam);
    void CreateControls();
    void OrderForTab();
    void Paint();
    bool SetHandCursor(HWND over, LPARAM lParam);
    void LimitSize(MINMAXINFO& limits) const;
    void ShowWindowState();

    TForm1& form_;
    HWND handle_ = nullptr;
    HFONT formFont_ = nullptr;
    HFONT controlFont_ = nullptr;
    StarFieldPainter starField_;
    std::map<std::string_view, std::unique_ptr<NativeControl>> controls_;
    std::map<int, NativeControl*> byId_;
    HWND focusOnDeactivate_ = nullptr;
};
