#pragma once

#include "app/Controls.h"
#include "app/Layout.h"

#include <windows.h>

// A standard Windows control showing one control of the window state. It
// shows every change of the state (texts through the A functions, so the
// program's bytes reach it unconverted) without raising events back, and
// forwards the user's actions from the control's notifications.
class NativeControl {
public:
    virtual ~NativeControl() = default;
    NativeControl(const NativeControl&) = delete;
    NativeControl& operator=(const NativeControl&) = delete;

    HWND Handle() const { return handle_; }

    // Brings the native control up to the state.
    virtual void Show() = 0;
    // A WM_COMMAND notification code from the control.
    virtual void Notify(WORD code) = 0;

protected:
    NativeControl() = default;
    // Creates the native control as a child of parent; the state's changes
    // are shown from then on.
    void Create(TControl& control, const char* className, DWORD style, DWORD extendedStyle,
        const ControlPlacement& placement, HWND parent, int id, HFONT font);

    HWND handle_ = nullptr;
};

class NativeEdit : public NativeControl {
public:
    NativeEdit(TEdit& edit, const ControlPlacement& placement, HWND parent, int id, HFONT font);
    void Show() override;
    void Notify(WORD code) override;

private:
    TEdit& edit_;
    bool settingText_ = false;
};

class NativeList : public NativeControl {
public:
    NativeList(TComboBox& list, const ControlPlacement& placement, HWND parent, int id, HFONT font);
    void Show() override;
    void Notify(WORD code) override;

private:
    void FitDroppedHeight(const ControlPlacement& placement);
    void TakeSelection();

    TComboBox& list_;
};

class NativeCheckBox : public NativeControl {
public:
    NativeCheckBox(TCheckBox& checkBox, const ControlPlacement& placement, HWND parent, int id, HFONT font);
    void Show() override;
    void Notify(WORD code) override;

private:
    TCheckBox& checkBox_;
};

class NativeButton : public NativeControl {
public:
    NativeButton(TButton& button, const ControlPlacement& placement, HWND parent, int id, HFONT font);
    void Show() override;
    void Notify(WORD code) override;

private:
    TButton& button_;
};

class NativePanel : public NativeControl {
public:
    NativePanel(TPanel& panel, const ControlPlacement& placement, HWND parent, int id, HFONT font);
    void Show() override;
    void Notify(WORD) override {}

private:
    TPanel& panel_;
};
