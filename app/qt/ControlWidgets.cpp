#include "app/qt/ControlWidgets.h"

#include "app/Controls.h"
#include "app/qt/QtText.h"

#include <QSignalBlocker>
#include <QValidator>

#include <limits>

namespace {
// Holds typing and pasting to the control's typed-character limit. Text the
// program sets is never validated, so it is never cut.
class TypedLimit : public QValidator {
public:
    TypedLimit(const TEdit& edit, QObject* parent)
        : QValidator(parent)
        , edit_(edit)
    {
    }
    State validate(QString& input, int&) const override
    {
        return edit_.AcceptsTyped(FromQString(input)) ? Acceptable : Invalid;
    }

private:
    const TEdit& edit_;
};
}

EditBox::EditBox(TEdit& edit, QWidget* parent)
    : QLineEdit(parent)
    , edit_(edit)
{
    setMaxLength(std::numeric_limits<int>::max());
    setValidator(new TypedLimit(edit_, this));
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) { edit_.UserEdit(FromQString(text)); });
    edit_.OnInvalidate = [this] { Sync(); };
    Sync();
}

void EditBox::Sync()
{
    const QString shown = ToQString(edit_.Text());
    if (text() != shown) {
        const QSignalBlocker blocker(this);
        setText(shown);
    }
    setEnabled(edit_.Enabled());
}

ListBox::ListBox(TComboBox& list, QWidget* parent)
    : QComboBox(parent)
    , list_(list)
{
    for (const auto& item : list_.Items())
        addItem(ToQString(item));
    connect(this, &QComboBox::activated, this, [this](int index) { list_.UserSelect(index); });
    list_.OnInvalidate = [this] { Sync(); };
    Sync();
}

void ListBox::Sync()
{
    const QSignalBlocker blocker(this);
    setCurrentIndex(list_.ItemIndex());
    setEnabled(list_.Enabled());
}

void ListBox::hidePopup()
{
    QComboBox::hidePopup();
    QMetaObject::invokeMethod(this, [this] { list_.UserCloseUp(); }, Qt::QueuedConnection);
}

CheckBox::CheckBox(TCheckBox& check, QWidget* parent)
    : QCheckBox(parent)
    , check_(check)
{
    connect(this, &QCheckBox::clicked, this, [this](bool checked) { check_.UserSetChecked(checked); });
    check_.OnInvalidate = [this] { Sync(); };
    Sync();
}

void CheckBox::Sync()
{
    const QSignalBlocker blocker(this);
    setText(ToQString(check_.Caption()));
    setChecked(check_.Checked());
    setEnabled(check_.Enabled());
}

PushButton::PushButton(TButton& button, QWidget* parent)
    : QPushButton(parent)
    , button_(button)
{
    setAutoDefault(false);
    setDefault(false);
    connect(this, &QPushButton::clicked, this, [this] { button_.Click(); });
    button_.OnInvalidate = [this] { Sync(); };
    Sync();
}

void PushButton::Sync()
{
    setText(ToQString(button_.Caption()));
    setEnabled(button_.Enabled());
}

PanelLabel::PanelLabel(TPanel& panel, QWidget* parent)
    : QLabel(parent)
    , panel_(panel)
{
    setAlignment(Qt::AlignCenter);
    setFocusPolicy(Qt::NoFocus);
    panel_.OnInvalidate = [this] { Sync(); };
    Sync();
}

void PanelLabel::Sync()
{
    setText(ToQString(panel_.Caption()));
    setEnabled(panel_.Enabled());
}
