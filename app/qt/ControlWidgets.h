#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleOptionButton>

class TButton;
class TCheckBox;
class TComboBox;
class TEdit;
class TPanel;

// The font of every control: "MS Sans Serif" at 11 pixels (8 points at 96
// pixels per inch) where it is installed, else DejaVu Sans Condensed, whose
// 13-pixel line and 5-pixel average width are the closest to it.
QFont ControlFont();

// Right to left where the locale reads that way; the buttons and the check
// box take it for their captions' reading order, never for their alignment.
Qt::LayoutDirection CaptionReadingDirection();

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
    // Opens the list below the box, widened where an item needs more room.
    void showPopup() override;
    void hidePopup() override;

private:
    TComboBox& list_;
};

// Its box stays on the left whatever the reading order of its caption.
class CheckBox : public QCheckBox {
public:
    CheckBox(TCheckBox& check, QWidget* parent);
    void Sync();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    QStyleOptionButton LeftToRightOption() const;

    TCheckBox& check_;
};

class PushButton : public QPushButton {
public:
    PushButton(TButton& button, QWidget* parent);
    void Sync();

private:
    TButton& button_;
};

// A white label with a raised two-pixel bevel and its caption centred; "&"
// underlines the next character and "&&" shows one "&", as on a button.
class PanelLabel : public QLabel {
public:
    PanelLabel(TPanel& panel, QWidget* parent);
    void Sync();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TPanel& panel_;
};
