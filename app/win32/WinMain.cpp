#include "app/Unit1.h"
#include "app/win32/ApplicationWindow.h"
#include "app/win32/MainWindow.h"
#include "app/win32/Win32Screen.h"
#include "common/ErrorReport.h"

#include <windows.h>

#include <exception>

namespace {
// The application window with the application title, the main window with the
// window state, the start-up sequence while the window is still hidden, then
// the window and its message loop until it is closed.
int RunProgram()
{
    const std::string title = ApplicationTitleOfThisProgram();
    ApplicationWindow applicationWindow(title);
    Win32Screen screen(applicationWindow.Handle());
    TForm1 Form1(screen, title);
    MainWindow window(Form1, applicationWindow.Handle());
    screen.SetMainWindow(window.Handle());
    Form1.Create();
    if (Form1.Terminated())
        return 0;
    window.ShowCentred();
    return MainWindow::RunMessageLoop(window.Handle());
}
}

// The window state reports its handlers' errors itself; what is left is the
// windows failing to be made at all.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    try {
        return RunProgram();
    } catch (const std::exception& error) {
        MessageBoxA(nullptr, ErrorReportText(error.what()).c_str(), "Celestrix", MB_ICONERROR | MB_OK);
        return 1;
    }
}
