#include "app/win32/MainWindow.h"

#include "app/Layout.h"
#include "app/Unit1.h"
#include "app/win32/PanelClass.h"
#include "app/win32/Resources.h"
#include "app/win32/WindowText.h"
#include "common/ErrorReport.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace {
constexpr const char* ClassName = "CelestrixMainWindow";
// A single fixed border; minimise and maximise buttons. Owned windows get no
// taskbar button of their own unless they ask for one.
constexpr DWORD Style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD ExtendedStyle = WS_EX_APPWINDOW;
constexpr int FirstControlId = 100;  // clear of IDOK and IDCANCEL, which the dialog keys send
constexpr int FontHeight = -11;      // 8 points at 96 pixels per inch

HFONT MakeFont(DWORD charset, DWORD pitch)
{
    return CreateFontA(FontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, charset, OUT_DEFAULT_PRECIS,
        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, pitch | FF_DONTCARE, "MS Sans Serif");
}

HICON LoadProgramIcon(HINSTANCE instance, int size)
{
    return static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(CELESTRIX_ICON), IMAGE_ICON, size, size, 0));
}

void RegisterMainWindowClass(HINSTANCE instance, WNDPROC procedure)
{
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadProgramIcon(instance, GetSystemMetrics(SM_CXICON));
    windowClass.hIconSm = LoadProgramIcon(instance, GetSystemMetrics(SM_CXSMICON));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = ClassName;
    if (!RegisterClassExA(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw std::runtime_error("cannot register the main window class");
}

RECT AreaOf(const ControlPlacement& placement)
{
    return {placement.Left, placement.Top, placement.Left + placement.Width, placement.Top + placement.Height};
}

SIZE WindowSizeForClient()
{
    RECT frame{0, 0, ClientWidth, ClientHeight};
    AdjustWindowRectEx(&frame, Style, FALSE, ExtendedStyle);
    return {frame.right - frame.left, frame.bottom - frame.top};
}
}

MainWindow::MainWindow(TForm1& form, HWND applicationWindow)
    : form_(form)
    , starField_(AreaOf(PlacementOf("Image1")))
{
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    RegisterPanelClass(instance);
    RegisterMainWindowClass(instance, Procedure);
    formFont_ = MakeFont(DEFAULT_CHARSET, DEFAULT_PITCH);
    // Asked for by name at its own pitch: a request for a fixed pitch lets
    // Wine's font mapper pick a monospaced face, which cuts the labels.
    controlFont_ = MakeFont(ANSI_CHARSET, DEFAULT_PITCH);
    const SIZE size = WindowSizeForClient();
    handle_ = CreateWindowExA(ExtendedStyle, ClassName, form_.Caption().c_str(), Style, CW_USEDEFAULT,
        CW_USEDEFAULT, size.cx, size.cy, applicationWindow, nullptr, instance, this);
    if (!handle_)
        throw std::runtime_error("cannot create the main window");
    CreateControls();
    OrderForTab();
    form_.OnInvalidate = [this] { ShowWindowState(); };
}

MainWindow::~MainWindow()
{
    for (TControl* control : form_.Controls())
        control->OnInvalidate = nullptr;
    form_.OnInvalidate = nullptr;
    if (IsWindow(handle_))
        DestroyWindow(handle_);
    DeleteObject(formFont_);
    DeleteObject(controlFont_);
}

// In the layout table's creation order; the picture is painted by the window
// itself, beneath every control.
void MainWindow::CreateControls()
{
    int id = FirstControlId;
    auto add = [&](std::string_view name, auto make) {
        auto control = make(PlacementOf(name), id);
        byId_[id++] = control.get();
        controls_[name] = std::move(control);
    };
    auto edit = [&](TEdit& state) {
        return [&](const ControlPlacement& p, int n) { return std::make_unique<NativeEdit>(state, p, handle_, n, formFont_); };
    };
    auto list = [&](TComboBox& state) {
        return [&](const ControlPlacement& p, int n) { return std::make_unique<NativeList>(state, p, handle_, n, controlFont_); };
    };
    auto button = [&](TButton& state) {
        return [&](const ControlPlacement& p, int n) { return std::make_unique<NativeButton>(state, p, handle_, n, controlFont_); };
    };
    auto panel = [&](TPanel& state) {
        return [&](const ControlPlacement& p, int n) { return std::make_unique<NativePanel>(state, p, handle_, n, controlFont_); };
    };
    auto checkBox = [&](TCheckBox& state) {
        return [&](const ControlPlacement& p, int n) { return std::make_unique<NativeCheckBox>(state, p, handle_, n, controlFont_); };
    };
    add("Button1", button(form_.Button1));
    add("Edit1", edit(form_.Edit1));
    add("Edit3", edit(form_.Edit3));
    add("Edit4", edit(form_.Edit4));
    add("Edit5", edit(form_.Edit5));
    add("Edit6", edit(form_.Edit6));
    add("Button3", button(form_.Button3));
    add("ComboBox1", list(form_.ComboBox1));
    add("Edit8", edit(form_.Edit8));
    add("Edit7", edit(form_.Edit7));
    add("Edit9", edit(form_.Edit9));
    add("ComboBox3", list(form_.ComboBox3));
    add("CheckBox1", checkBox(form_.CheckBox1));
    add("ComboBox4", list(form_.ComboBox4));
    add("Panel1", panel(form_.Panel1));
    add("Panel2", panel(form_.Panel2));
    add("Panel3", panel(form_.Panel3));
    add("Panel4", panel(form_.Panel4));
    add("Panel5", panel(form_.Panel5));
    add("Edit2", edit(form_.Edit2));
}

// Tab walks the controls in their Z order, so they are stacked in the Tab
// order of the layout table. No two controls overlap.
void MainWindow::OrderForTab()
{
    std::vector<ControlPlacement> inTabOrder;
    std::copy_if(Placements.begin(), Placements.end(), std::back_inserter(inTabOrder),
        [](const ControlPlacement& p) { return p.TabOrder >= 0; });
    std::sort(inTabOrder.begin(), inTabOrder.end(),
        [](const ControlPlacement& a, const ControlPlacement& b) { return a.TabOrder < b.TabOrder; });
    HWND above = HWND_TOP;
    for (const auto& placement : inTabOrder) {
        const HWND control = Control(placement.Name);
        SetWindowPos(control, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        above = control;
    }
}

HWND MainWindow::Control(std::string_view name) const
{
    const auto found = controls_.find(name);
    return found == controls_.end() ? nullptr : found->second->Handle();
}

void MainWindow::ShowCentred()
{
    RECT frame;
    GetWindowRect(handle_, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetWindowPos(handle_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
        (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(handle_, SW_SHOWNORMAL);
    UpdateWindow(handle_);
    for (const auto& placement : Placements) {
        if (placement.TabOrder == 0)
            SetFocus(Control(placement.Name));
    }
}

// Tab, Shift+Tab and the accelerators move between the controls as in a
// dialog. Enter and Esc reach the window as IDOK and IDCANCEL, which no
// control answers: the window has no default or cancel button.
int MainWindow::RunMessageLoop(HWND window)
{
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (IsWindow(window) && IsDialogMessageA(window, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

// The window state's handlers report their own errors; this catches what
// escapes the layer itself, so that no exception crosses into Windows.
LRESULT CALLBACK MainWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        auto* created = static_cast<MainWindow*>(creation->lpCreateParams);
        created->handle_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcA(window, message, wParam, lParam);
    try {
        return self->OnMessage(message, wParam, lParam);
    } catch (const std::exception& error) {
        const std::string text = ErrorReportText(error.what());
        MessageBoxA(GetWindow(window, GW_OWNER), text.c_str(), self->form_.ApplicationTitle().c_str(),
            MB_ICONERROR | MB_OK);
        return 0;
    }
}

LRESULT MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        Notify(wParam, lParam);
        return 0;
    case WM_PAINT:
        Paint();
        return 0;
    case WM_SETCURSOR:
        if (SetHandCursor(reinterpret_cast<HWND>(wParam), lParam))
            return TRUE;
        break;
    case WM_GETMINMAXINFO:
        LimitSize(*reinterpret_cast<MINMAXINFO*>(lParam));
        return 0;
    case WM_ACTIVATE:
        RememberFocus(wParam);
        if (LOWORD(wParam) != WA_INACTIVE && focusOnDeactivate_) {
            SetFocus(focusOnDeactivate_);
            return 0;
        }
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(handle_, message, wParam, lParam);
}

void MainWindow::Notify(WPARAM wParam, LPARAM lParam)
{
    if (!lParam)
        return;
    const auto found = byId_.find(LOWORD(wParam));
    if (found != byId_.end())
        found->second->Notify(HIWORD(wParam));
}

// The focused control gets the focus back when the window is activated again.
void MainWindow::RememberFocus(WPARAM wParam)
{
    if (LOWORD(wParam) != WA_INACTIVE)
        return;
    const HWND focus = GetFocus();
    focusOnDeactivate_ = focus && IsChild(handle_, focus) ? focus : nullptr;
}

void MainWindow::Paint()
{
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(handle_, &paint);
    starField_.Paint(dc);
    EndPaint(handle_, &paint);
}

bool MainWindow::SetHandCursor(HWND over, LPARAM lParam)
{
    if (LOWORD(lParam) != HTCLIENT)
        return false;
    for (const auto& placement : Placements) {
        if (placement.HandCursor && over && over == Control(placement.Name)) {
            SetCursor(LoadCursorA(nullptr, IDC_HAND));
            return true;
        }
    }
    return false;
}

// The window keeps its size; maximised too.
void MainWindow::LimitSize(MINMAXINFO& limits) const
{
    const SIZE size = WindowSizeForClient();
    limits.ptMaxSize = {size.cx, size.cy};
    limits.ptMinTrackSize = {size.cx, size.cy};
    limits.ptMaxTrackSize = {size.cx, size.cy};
}

void MainWindow::ShowWindowState()
{
    if (!IsWindowEnabled(handle_) != !form_.Enabled())
        EnableWindow(handle_, form_.Enabled());
    if (WindowText(handle_) != form_.Caption())
        SetWindowTextA(handle_, form_.Caption().c_str());
}
