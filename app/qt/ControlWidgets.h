#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

class TButton;
class TCheckBox;
class TComboBox;
class TEdit;
class TPanel;

// Each widget shows one control of the window state and forwards the user's
// actions to it; what the state changes comes back through Sync().

class EditBox : public QLineEdit {
public:
    EditBox(TEdit& edit, QWidget* parent);
    void Sync();

private:
    TEdit& edit_;
};

// A drop-down list whose close-up reaches the state after the chosen item is
// committed: Qt hides the popup before it commits the item.
class ListBox : public QComboBox {
public:
    ListBox(TComboBox& list, QWidget* parent);
    void Sync();
    void hidePopup() override;

private:
    TComboBox& list_;
};

class CheckBox : public QCheckBox {
public:
    CheckBox(TCheckBox& check, QWidget* parent);
    void Sync();

private:
    TCheckBox& check_;
};

class PushButton : public QPushButton {
public:
    PushButton(TButton& button, QWidget* parent);
    void Sync();

private:
    TButton& button_;
};

class PanelLabel : public QLabel {
public:
    PanelLabel(TPanel& panel, QWidget* parent);
    void Sync();

private:
    TPanel& panel_;
};
