#include "app/win32/PanelClass.h"

#include "app/win32/WindowText.h"

#include <stdexcept>

const char* const PanelClassName = "CelestrixPanel";

namespace {
void Paint(HWND panel)
{
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(panel, &paint);
    RECT area;
    GetClientRect(panel, &area);
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawEdge(dc, &area, EDGE_RAISED, BF_RECT | BF_ADJUST);
    const auto font = reinterpret_cast<HFONT>(GetWindowLongPtrA(panel, GWLP_USERDATA));
    const HGDIOBJ previous = font ? SelectObject(dc, font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    const std::string caption = WindowText(panel);
    DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &area,
        DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (previous)
        SelectObject(dc, previous);
    EndPaint(panel, &paint);
}

LRESULT CALLBACK PanelProcedure(HWND panel, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        Paint(panel);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETFONT:
        SetWindowLongPtrA(panel, GWLP_USERDATA, static_cast<LONG_PTR>(wParam));
        if (LOWORD(lParam))
            InvalidateRect(panel, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return GetWindowLongPtrA(panel, GWLP_USERDATA);
    case WM_SETTEXT: {
        const LRESULT result = DefWindowProcA(panel, message, wParam, lParam);
        InvalidateRect(panel, nullptr, TRUE);
        return result;
    }
    default:
        return DefWindowProcA(panel, message, wParam, lParam);
    }
}
}

void RegisterPanelClass(HINSTANCE instance)
{
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = PanelProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = PanelClassName;
    if (!RegisterClassExA(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw std::runtime_error("cannot register the panel window class");
}
