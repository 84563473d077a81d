// Reads the window tree of the programs running in the same Wine prefix, for
// the end-to-end tests of celestrix.exe. Texts are printed as the ANSI code
// page's bytes, one a line.
//   win_probe windows               every top-level window: visible, owned, title
//   win_probe texts TITLE           the texts of the child windows of the
//                                   visible top-level window titled TITLE
//   win_probe text-at TITLE X Y     the text of its child at client point X, Y
//   win_probe focus TITLE           the client position (left top) of its
//                                   child that has the keyboard focus
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
std::string TextOf(HWND window)
{
    char buffer[4096] = {};
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer),
            SMTO_ABORTIFHUNG, 5000, &copied))
        return {};
    return std::string(buffer, copied);
}

HWND VisibleTopLevel(const char* title)
{
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
        char text[1024] = {};
        GetWindowTextA(window, text, sizeof text);
        if (IsWindowVisible(window) && std::strcmp(text, title) == 0)
            return window;
    }
    return nullptr;
}

BOOL CALLBACK PrintChild(HWND child, LPARAM)
{
    std::printf("%s\n", TextOf(child).c_str());
    return TRUE;
}

int ListWindows()
{
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
        char text[1024] = {};
        GetWindowTextA(window, text, sizeof text);
        std::printf("%d\t%d\t%s\n", IsWindowVisible(window) ? 1 : 0, GetWindow(window, GW_OWNER) ? 1 : 0, text);
    }
    return 0;
}
}

int main(int argc, char* argv[])
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "windows")
        return ListWindows();
    if (argc < 3)
        return 2;
    const HWND window = VisibleTopLevel(argv[2]);
    if (!window)
        return 1;
    if (command == "texts") {
        EnumChildWindows(window, PrintChild, 0);
        return 0;
    }
    if (command == "text-at" && argc == 5) {
        const POINT point{std::atoi(argv[3]), std::atoi(argv[4])};
        const HWND child = ChildWindowFromPointEx(window, point, CWP_SKIPINVISIBLE);
        if (!child || child == window)
            return 1;
        std::printf("%s\n", TextOf(child).c_str());
        return 0;
    }
    if (command == "focus") {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) || !info.hwndFocus)
            return 1;
        RECT area;
        GetWindowRect(info.hwndFocus, &area);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&area), 2);
        std::printf("%ld %ld\n", area.left, area.top);
        return 0;
    }
    return 2;
}
