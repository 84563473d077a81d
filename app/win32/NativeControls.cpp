#include "app/win32/NativeControls.h"

#include "app/win32/PanelClass.h"
#include "app/win32/WindowText.h"

#include <algorithm>
#include <stdexcept>

namespace {
// Buttons and the check box read right to left on a right-to-left system,
// keeping their alignment.
DWORD CaptionReadingOrder()
{
    return GetSystemMetrics(SM_MIDEASTENABLED) ? WS_EX_RTLREADING : 0;
}

void ShowCaption(HWND handle, const std::string& caption)
{
    if (WindowText(handle) != caption)
        SetWindowTextA(handle, caption.c_str());
}

void ShowEnabled(HWND handle, bool enabled)
{
    if (!IsWindowEnabled(handle) != !enabled)
        EnableWindow(handle, enabled);
}
}

void NativeControl::Create(TControl& control, const char* className, DWORD style, DWORD extendedStyle,
    const ControlPlacement& placement, HWND parent, int id, HFONT font)
{
    handle_ = CreateWindowExA(extendedStyle, className, "", WS_CHILD | WS_VISIBLE | style,
        placement.Left, placement.Top, placement.Width, placement.Height, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    if (!handle_)
        throw std::runtime_error("cannot create the control " + control.Name());
    SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    control.OnInvalidate = [this] { Show(); };
}

NativeEdit::NativeEdit(TEdit& edit, const ControlPlacement& placement, HWND parent, int id, HFONT font)
    : edit_(edit)
{
    Create(edit, "EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, placement, parent, id, font);
    // The limit holds typing and pasting only; text the program sets is never cut.
    SendMessageA(handle_, EM_LIMITTEXT, static_cast<WPARAM>(edit.MaxLength()), 0);
    Show();
}

// Setting the text makes the control report a change of its own; that one is
// the program's, not the user's.
void NativeEdit::Show()
{
    ShowEnabled(handle_, edit_.Enabled());
    if (WindowText(handle_) == edit_.Text())
        return;
    settingText_ = true;
    SetWindowTextA(handle_, edit_.Text().c_str());
    settingText_ = false;
}

void NativeEdit::Notify(WORD code)
{
    if (code == EN_CHANGE && !settingText_)
        edit_.UserEdit(WindowText(handle_));
}

NativeList::NativeList(TComboBox& list, const ControlPlacement& placement, HWND parent, int id, HFONT font)
    : list_(list)
{
    Create(list, "COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, placement, parent, id, font);
    for (const auto& item : list.Items())
        SendMessageA(handle_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    FitDroppedHeight(placement);
    Show();
}

// A drop-down list's window height is its closed field and its open list
// together: the list shows at most ListVisibleItems items and scrolls.
void NativeList::FitDroppedHeight(const ControlPlacement& placement)
{
    RECT closed;
    GetWindowRect(handle_, &closed);
    const int fieldHeight = std::max<int>(placement.Height, closed.bottom - closed.top);
    const int itemHeight = static_cast<int>(SendMessageA(handle_, CB_GETITEMHEIGHT, 0, 0));
    const int shown = std::min<int>(ListVisibleItems, static_cast<int>(list_.Items().size()));
    SetWindowPos(handle_, nullptr, 0, 0, placement.Width, fieldHeight + shown * itemHeight + 2,
        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void NativeList::Show()
{
    ShowEnabled(handle_, list_.Enabled());
    if (SendMessageA(handle_, CB_GETCURSEL, 0, 0) != list_.ItemIndex())
        SendMessageA(handle_, CB_SETCURSEL, static_cast<WPARAM>(list_.ItemIndex()), 0);
}

void NativeList::TakeSelection()
{
    list_.UserSelect(static_cast<int>(SendMessageA(handle_, CB_GETCURSEL, 0, 0)));
}

// A choice made with the mouse may report its selection change only after
// the list has closed, so the close-up takes the selection first: the lookup
// that runs on closing must see the chosen item.
void NativeList::Notify(WORD code)
{
    if (code == CBN_SELCHANGE) {
        TakeSelection();
    } else if (code == CBN_CLOSEUP) {
        TakeSelection();
        list_.UserCloseUp();
    }
}

NativeCheckBox::NativeCheckBox(TCheckBox& checkBox, const ControlPlacement& placement, HWND parent, int id, HFONT font)
    : checkBox_(checkBox)
{
    Create(checkBox, "BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, CaptionReadingOrder(), placement, parent, id, font);
    Show();
}

void NativeCheckBox::Show()
{
    ShowEnabled(handle_, checkBox_.Enabled());
    ShowCaption(handle_, checkBox_.Caption());
    const WPARAM mark = checkBox_.Checked() ? BST_CHECKED : BST_UNCHECKED;
    if (static_cast<WPARAM>(SendMessageA(handle_, BM_GETCHECK, 0, 0)) != mark)
        SendMessageA(handle_, BM_SETCHECK, mark, 0);
}

void NativeCheckBox::Notify(WORD code)
{
    if (code == BN_CLICKED)
        checkBox_.UserSetChecked(SendMessageA(handle_, BM_GETCHECK, 0, 0) == BST_CHECKED);
}

NativeButton::NativeButton(TButton& button, const ControlPlacement& placement, HWND parent, int id, HFONT font)
    : button_(button)
{
    Create(button, "BUTTON", WS_TABSTOP | BS_PUSHBUTTON, CaptionReadingOrder(), placement, parent, id, font);
    Show();
}

void NativeButton::Show()
{
    ShowEnabled(handle_, button_.Enabled());
    ShowCaption(handle_, button_.Caption());
}

void NativeButton::Notify(WORD code)
{
    if (code == BN_CLICKED)
        button_.Click();
}

NativePanel::NativePanel(TPanel& panel, const ControlPlacement& placement, HWND parent, int id, HFONT font)
    : panel_(panel)
{
    Create(panel, PanelClassName, 0, 0, placement, parent, id, font);
    Show();
}

void NativePanel::Show()
{
    ShowEnabled(handle_, panel_.Enabled());
    ShowCaption(handle_, panel_.Caption());
}
