#include "app/qt/ControlWidgets.h"

#include "app/Controls.h"
#include "app/Layout.h"
#include "app/qt/QtText.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLocale>
#include <QPainter>
#include <QProxyStyle>
#include <QScreen>
#include <QSignalBlocker>
#include <QStylePainter>
#include <QValidator>
#include <qdrawutil.h>

#include <algorithm>
#include <limits>

namespace {
constexpr int FontPixelSize = 11;
constexpr int CheckBoxIndicatorSize = 13;
constexpr int PanelBevelWidth = 1;

// The application's style with the lists' and the check box's classic
// behaviour: a list opens below itself as a scrolling list of at most its
// visible-item count (not as a menu over itself showing every item), and the
// check box's box fits its 13 x 13 pixels.
class ClassicControlStyle : public QProxyStyle {
public:
    explicit ClassicControlStyle(QWidget* owner)
        : QProxyStyle(QApplication::style()->name())
    {
        setParent(owner);
    }
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
        QStyleHintReturn* returnData) const override
    {
        if (hint == SH_ComboBox_Popup)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (metric == PM_IndicatorWidth || metric == PM_IndicatorHeight)
            return CheckBoxIndicatorSize;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

void SetTextColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

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

QFont ControlFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans Condensed"),
        QStringLiteral("DejaVu Sans")});
    font.setPixelSize(FontPixelSize);
    return font;
}

Qt::LayoutDirection CaptionReadingDirection()
{
    return QLocale().textDirection();
}

EditBox::EditBox(TEdit& edit, QWidget* parent)
    : QLineEdit(parent)
    , edit_(edit)
{
    // A pixel less beside the text than Qt's default, as a classic edit box
    // leaves: a catalogue's seconds ("31.97") then fit a 33-pixel box unscrolled.
    setTextMargins(-1, 0, -1, 0);
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
    // The style before anything that makes the popup: it keeps the scrolling
    // of the style it was made under.
    setStyle(new ClassicControlStyle(this));
    setFont(ControlFont());
    setMaxVisibleItems(ListVisibleItems);
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

void ListBox::showPopup()
{
    QComboBox::showPopup();
    QWidget* popup = view()->window();
    const int besideItems = popup->width() - view()->viewport()->width();
    const int wanted = view()->sizeHintForColumn(0) + besideItems;
    if (wanted <= popup->width())
        return;
    QRect widened(popup->pos(), QSize(wanted, popup->height()));
    if (const QScreen* screen = popup->screen())
        widened.moveRight(std::min(widened.right(), screen->availableGeometry().right()));
    popup->setGeometry(widened);
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
    setFont(ControlFont());
    setStyle(new ClassicControlStyle(this));
    SetTextColour(this, Qt::black);
    setLayoutDirection(CaptionReadingDirection());
    connect(this, &QCheckBox::clicked, this, [this](bool checked) { check_.UserSetChecked(checked); });
    check_.OnInvalidate = [this] { Sync(); };
    Sync();
}

QStyleOptionButton CheckBox::LeftToRightOption() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    option.direction = Qt::LeftToRight;
    return option;
}

// Draws the box where a left-to-right check box has it and the caption after
// it, left-aligned but in the widget's reading order.
void CheckBox::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option = LeftToRightOption();
    QStyleOptionButton box = option;
    box.rect = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
    painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, box);

    const QRect captionRect = style()->subElementRect(QStyle::SE_CheckBoxContents, &option, this);
    painter.setLayoutDirection(layoutDirection());
    painter.drawItemText(captionRect, Qt::AlignLeft | Qt::AlignAbsolute | Qt::AlignVCenter | Qt::TextShowMnemonic,
        palette(), isEnabled(), text(), QPalette::WindowText);

    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.direction = Qt::LeftToRight;
        focus.rect = style()->subElementRect(QStyle::SE_CheckBoxFocusRect, &option, this);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

bool CheckBox::hitButton(const QPoint& pos) const
{
    const QStyleOptionButton option = LeftToRightOption();
    return style()->subElementRect(QStyle::SE_CheckBoxClickRect, &option, this).contains(pos);
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
    setFont(ControlFont());
    setLayoutDirection(CaptionReadingDirection());
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
    setFont(ControlFont());
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    colours.setColor(QPalette::WindowText, Qt::black);
    colours.setColor(QPalette::Light, Qt::white);
    colours.setColor(QPalette::Dark, QColor(128, 128, 128));
    setPalette(colours);
    setContentsMargins(2 * PanelBevelWidth, 2 * PanelBevelWidth, 2 * PanelBevelWidth, 2 * PanelBevelWidth);
    setAlignment(Qt::AlignCenter);
    setFocusPolicy(Qt::NoFocus);
    panel_.OnInvalidate = [this] { Sync(); };
    Sync();
}

void PanelLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    // A raised outer and a raised inner bevel: light above and left, dark below and right.
    qDrawShadePanel(&painter, rect(), palette(), false, 2 * PanelBevelWidth);
    painter.setClipRect(contentsRect());
    style()->drawItemText(&painter, contentsRect(), Qt::AlignCenter | Qt::TextShowMnemonic, palette(), isEnabled(),
        text(), QPalette::WindowText);
}

void PanelLabel::Sync()
{
    setText(ToQString(panel_.Caption()));
    setEnabled(panel_.Enabled());
}
