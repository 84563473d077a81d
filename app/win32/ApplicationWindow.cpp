#include "app/win32/ApplicationWindow.h"

#include "common/AppTitle.h"

#include <stdexcept>
#include <vector>

namespace {
constexpr const char* ClassName = "CelestrixApplication";

void RegisterApplicationClass(HINSTANCE instance)
{
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = ClassName;
    if (!RegisterClassExA(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw std::runtime_error("cannot register the application window class");
}

std::string ExecutablePath()
{
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size())
            return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}
}

// Zero-sized at the centre of the screen, so that whatever Windows places
// relative to it lands in the middle.
ApplicationWindow::ApplicationWindow(const std::string& title)
{
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    RegisterApplicationClass(instance);
    handle_ = CreateWindowExA(0, ClassName, title.c_str(),
        WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
        GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0,
        nullptr, nullptr, instance, nullptr);
    if (!handle_)
        throw std::runtime_error("cannot create the application window");
}

ApplicationWindow::~ApplicationWindow()
{
    DestroyWindow(handle_);
}

std::string ApplicationTitleOfThisProgram()
{
    std::string path = ExecutablePath();
    OemToCharA(path.c_str(), path.data());
    return ApplicationTitle(path);
}
