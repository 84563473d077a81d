#include "WindowFixture.h"

#include "app/StarField.h"
#include "app/qt/ControlWidgets.h"
#include "app/qt/StarFieldWidget.h"

#include <QAbstractItemView>
#include <QFile>
#include <QFontInfo>
#include <QLocale>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

// The window as the user sees it. Every check reads positions in the window's
// own pixels, so the suites hold at any screen scale.

namespace {

struct Placement {
    const char* name;
    QRect geometry;
    bool handCursor;
};

// Where each control sits; a list's height is its least height.
const std::vector<Placement> ExpectedPlacements = {
    {"Button1", {10, 13, 95, 21}, true},
    {"Edit1", {110, 13, 95, 21}, false},
    {"Edit3", {208, 128, 33, 21}, false},
    {"Edit4", {248, 128, 33, 21}, false},
    {"Edit5", {208, 158, 33, 21}, false},
    {"Edit6", {248, 158, 33, 21}, false},
    {"Button3", {215, 13, 106, 21}, true},
    {"ComboBox1", {215, 78, 60, 21}, true},
    {"Edit8", {288, 78, 33, 21}, false},
    {"Edit7", {288, 128, 33, 21}, false},
    {"Edit9", {288, 158, 33, 21}, false},
    {"ComboBox3", {110, 78, 95, 21}, true},
    {"CheckBox1", {215, 52, 13, 13}, true},
    {"ComboBox4", {10, 78, 95, 21}, true},
    {"Panel1", {10, 48, 95, 21}, false},
    {"Panel2", {110, 48, 95, 21}, false},
    {"Panel3", {240, 48, 81, 21}, false},
    {"Panel4", {10, 128, 130, 21}, false},
    {"Panel5", {10, 158, 130, 21}, false},
    {"Edit2", {176, 158, 21, 21}, false},
};

// Every control that takes the focus, in Tab order; the panels take none.
const std::vector<std::string_view> TabOrder = {"ComboBox1", "Edit8", "ComboBox3", "Button1", "Edit1",
    "Button3", "CheckBox1", "Edit3", "Edit4", "Edit7", "Edit5", "Edit6", "Edit9", "ComboBox4", "Edit2"};

const std::vector<std::string_view> Panels = {"Panel1", "Panel2", "Panel3", "Panel4", "Panel5"};

QImage Snapshot(QWidget* widget) { return widget->grab().toImage(); }

// The colour at a point given in the widget's own pixels.
QColor PixelAt(const QImage& image, QPoint point)
{
    const qreal scale = image.devicePixelRatio();
    return image.pixelColor(qRound(point.x() * scale), qRound(point.y() * scale));
}

// The box around the pixels of an area, both in device pixels, that are
// darker than the threshold; none when there are none.
std::optional<QRect> DarkInkIn(const QImage& image, QRect device, int threshold = 110)
{
    std::optional<QRect> ink;
    for (int y = device.top(); y <= device.bottom(); ++y) {
        for (int x = device.left(); x <= device.right(); ++x) {
            if (qGray(image.pixel(x, y)) < threshold)
                ink = ink ? ink->united(QRect(x, y, 1, 1)) : QRect(x, y, 1, 1);
        }
    }
    return ink;
}

// The same for an area in the widget's own pixels.
std::optional<QRect> DarkInk(const QImage& image, QRect area, int threshold = 110)
{
    const qreal scale = image.devicePixelRatio();
    const QRect device(qRound(area.x() * scale), qRound(area.y() * scale), qRound(area.width() * scale),
        qRound(area.height() * scale));
    return DarkInkIn(image, device, threshold);
}

class WindowLayout : public WindowFixture {};

TEST_F(WindowLayout, TheClientAreaIsFixedBlackAndCentredOnTheScreen)
{
    EXPECT_EQ(window->size(), QSize(353, 202));
    EXPECT_EQ(window->minimumSize(), QSize(353, 202)) << "no sizing border";
    EXPECT_EQ(window->maximumSize(), QSize(353, 202));
    const QRect screen = window->screen()->availableGeometry();
    EXPECT_LE((window->geometry().center() - screen.center()).manhattanLength(), 1);
    for (Qt::WindowType hint : {Qt::WindowTitleHint, Qt::WindowSystemMenuHint, Qt::WindowMinimizeButtonHint,
             Qt::WindowMaximizeButtonHint})
        EXPECT_TRUE(window->windowFlags().testFlag(hint)) << hint;

    Widget<QWidget>("Image1")->hide();
    const QImage bare = Snapshot(window.get());
    for (QPoint point : {QPoint(0, 0), QPoint(150, 110), QPoint(352, 201)})
        EXPECT_EQ(PixelAt(bare, point), QColor(Qt::black)) << point.x() << "," << point.y();
}

TEST_F(WindowLayout, EveryControlSitsAtItsPlaceWithItsSizeFixed)
{
    for (const auto& expected : ExpectedPlacements) {
        SCOPED_TRACE(expected.name);
        auto* widget = Widget<QWidget>(expected.name);
        const QRect& want = expected.geometry;
        EXPECT_EQ(widget->pos(), want.topLeft());
        EXPECT_EQ(widget->width(), want.width());
        EXPECT_EQ(widget->minimumWidth(), want.width());
        EXPECT_EQ(widget->maximumWidth(), want.width());
        if (qobject_cast<QComboBox*>(widget)) {
            EXPECT_GE(widget->height(), want.height());
            EXPECT_EQ(widget->minimumHeight(), want.height());
        } else {
            EXPECT_EQ(widget->height(), want.height());
            EXPECT_EQ(widget->minimumHeight(), want.height());
            EXPECT_EQ(widget->maximumHeight(), want.height());
        }
        EXPECT_EQ(widget->cursor().shape() == Qt::PointingHandCursor, expected.handCursor);
        EXPECT_TRUE(widget->isVisible());
    }
}

TEST_F(WindowLayout, EveryControlIsAboveThePicture)
{
    for (const auto& expected : ExpectedPlacements) {
        QWidget* control = Widget<QWidget>(expected.name);
        QWidget* top = window->childAt(expected.geometry.center());
        EXPECT_TRUE(top == control || control->isAncestorOf(top)) << expected.name;
    }
    EXPECT_EQ(Widget<QWidget>("Image1")->geometry(), QRect(0, 0, 353, 202));
}

TEST_F(WindowLayout, TheFocusChainFollowsTheTabOrderAndPassesThePanelsBy)
{
    std::map<QWidget*, std::string_view> names;
    for (const auto& expected : ExpectedPlacements)
        names[window->Widget(expected.name)] = expected.name;
    std::vector<std::string_view> chain;
    QWidget* widget = Widget<QWidget>("ComboBox1");
    do {
        if (names.count(widget) && (widget->focusPolicy() & Qt::TabFocus))
            chain.push_back(names[widget]);
        widget = widget->nextInFocusChain();
    } while (widget != Widget<QWidget>("ComboBox1"));
    EXPECT_EQ(chain, TabOrder);
    for (std::string_view panel : Panels)
        EXPECT_EQ(Widget<QWidget>(panel)->focusPolicy(), Qt::NoFocus) << panel;
    EXPECT_EQ(Widget<QWidget>("Image1")->focusPolicy(), Qt::NoFocus);
}

struct ListCase {
    const char* name;
    int items;
    int rowsShown;
    bool scrolls;
};

TEST_F(WindowLayout, AnOpenListShowsAtMostEightItems)
{
    for (const ListCase& expected : {ListCase{"ComboBox4", 10, 8, true}, ListCase{"ComboBox3", 7, 7, false},
             ListCase{"ComboBox1", 3, 3, false}}) {
        SCOPED_TRACE(expected.name);
        auto* list = Widget<QComboBox>(expected.name);
        ASSERT_EQ(list->count(), expected.items);
        list->showPopup();
        QAbstractItemView* view = list->view();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view->window()));
        EXPECT_EQ(view->viewport()->height() / view->sizeHintForRow(0), expected.rowsShown);
        EXPECT_EQ(view->verticalScrollBar()->maximum() > 0, expected.scrolls);
        EXPECT_EQ(view->verticalScrollBar()->isVisible(), expected.scrolls);
        EXPECT_GE(view->window()->geometry().top(), list->mapToGlobal(QPoint(0, list->height())).y() - 1)
            << "opens below the list";
        QTest::keyClick(view, Qt::Key_Escape);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !view->isVisible(); }));
        QCoreApplication::processEvents();
    }
}

// What a caption shows once "&" has done its work.
QString ShownText(const QString& caption)
{
    QString shown;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size())
            ++i;
        shown += caption[i];
    }
    return shown;
}

// The space inside a button or panel that its caption may use.
QRect CaptionSpace(QWidget* widget)
{
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
        QStyleOptionButton option;
        option.initFrom(button);
        return button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    }
    return widget->contentsRect();
}

TEST_F(WindowLayout, EveryCaptionAndListItemFitsItsControl)
{
    for (std::string_view name : {"Button1", "Button3", "Panel1", "Panel2", "Panel3", "Panel4", "Panel5"}) {
        SCOPED_TRACE(name);
        QWidget* widget = Widget<QWidget>(name);
        const QString caption = ShownText(widget->property("text").toString());
        const QRect space = CaptionSpace(widget);
        EXPECT_LE(widget->fontMetrics().horizontalAdvance(caption), space.width()) << caption.toStdString();
        EXPECT_LE(widget->fontMetrics().height(), space.height());
    }
    for (std::string_view name : {"ComboBox1", "ComboBox3", "ComboBox4"}) {
        SCOPED_TRACE(name);
        auto* list = Widget<QComboBox>(name);
        QStyleOptionComboBox option;
        option.initFrom(list);
        const QRect field = list->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list);
        EXPECT_LE(list->fontMetrics().height(), field.height());
        list->showPopup();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(list->view()->window()));
        for (int i = 0; i < list->count(); ++i) {
            const QSize wanted = list->view()->sizeHintForIndex(list->model()->index(i, 0));
            EXPECT_LE(wanted.width(), list->view()->viewport()->width()) << i;
            EXPECT_LE(list->fontMetrics().height(), wanted.height()) << i;
        }
        list->hidePopup();
        QCoreApplication::processEvents();
    }
}

struct BoxText {
    const char* box;
    const char* widest;
    const char* start; // a shorter text with the same first character
};

// The widest texts a box gets from the catalogue show whole: a box scrolls a
// text that does not fit, so its ink would start left of a short text's.
TEST_F(WindowLayout, TheWidestCoordinatesShowWholeInTheirBoxes)
{
    QTest::mouseClick(Widget<QWidget>("CheckBox1"), Qt::LeftButton);
    ASSERT_FALSE(form.CheckBox1.Checked());
    for (const BoxText& text : {BoxText{"Edit7", "88.88", "8"}, BoxText{"Edit9", "88.88", "8"},
             BoxText{"Edit3", "88", "8"}, BoxText{"Edit2", "-", "-"}, BoxText{"Edit1", "http://archive", "h"}}) {
        SCOPED_TRACE(text.box);
        auto* box = Widget<QLineEdit>(text.box);
        const QRect insideFrame = box->rect().adjusted(2, 2, -2, -2);
        box->setText(text.start);
        const auto shortInk = DarkInk(Snapshot(box), insideFrame);
        box->setText(text.widest);
        const auto ink = DarkInk(Snapshot(box), insideFrame);
        ASSERT_TRUE(shortInk && ink);
        EXPECT_EQ(ink->left(), shortInk->left());
    }
}

class WindowFocus : public WindowFixture {
protected:
    std::string_view FocusName() const
    {
        for (const auto& expected : ExpectedPlacements) {
            if (window->Widget(expected.name) == QApplication::focusWidget())
                return expected.name;
        }
        return "(none)";
    }

    std::vector<std::string_view> TabWalk(int steps) const
    {
        std::vector<std::string_view> walk{FocusName()};
        for (int i = 0; i < steps; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            walk.push_back(FocusName());
        }
        return walk;
    }
};

TEST_F(WindowFocus, TheCatalogueListHasTheFocusWhenTheWindowOpens)
{
    EXPECT_EQ(FocusName(), "ComboBox1");
}

TEST_F(WindowFocus, TabSkipsTheBoxesOfTheModeThatIsOff)
{
    EXPECT_EQ(TabWalk(8), (std::vector<std::string_view>{"ComboBox1", "Edit8", "ComboBox3", "Button1", "Edit1",
                              "Button3", "CheckBox1", "ComboBox4", "ComboBox1"}));

    QTest::mouseClick(Widget<QWidget>("CheckBox1"), Qt::LeftButton);
    ASSERT_FALSE(form.CheckBox1.Checked());
    Widget<QWidget>("ComboBox3")->setFocus();
    EXPECT_EQ(TabWalk(13), (std::vector<std::string_view>{"ComboBox3", "Button1", "Edit1", "Button3", "CheckBox1",
                               "Edit3", "Edit4", "Edit7", "Edit5", "Edit6", "Edit9", "ComboBox4", "Edit2",
                               "ComboBox3"}));
}

TEST_F(WindowFocus, EnterOrEscapeInABoxPressesNoButton)
{
    QSignalSpy generate(Widget<QPushButton>("Button1"), &QPushButton::clicked);
    QSignalSpy open(Widget<QPushButton>("Button3"), &QPushButton::clicked);
    const std::string shownLink = form.Edit1.Text();
    for (bool catalogueMode : {true, false}) {
        if (form.CheckBox1.Checked() != catalogueMode)
            QTest::mouseClick(Widget<QWidget>("CheckBox1"), Qt::LeftButton);
        for (const char* name : {"Edit1", "Edit8", "Edit3", "Edit2"}) {
            auto* box = Widget<QLineEdit>(name);
            if (!box->isEnabled())
                continue;
            SCOPED_TRACE(name);
            box->setFocus();
            for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
                QTest::keyClick(box, key);
            EXPECT_EQ(QApplication::focusWidget(), box);
        }
    }
    EXPECT_EQ(generate.count(), 0);
    EXPECT_EQ(open.count(), 0);
    EXPECT_TRUE(screen.openedShortcuts.empty());
    EXPECT_FALSE(std::filesystem::exists("link.url"));
    EXPECT_EQ(form.Edit1.Text(), shownLink);
    for (std::string_view name : {"Button1", "Button3"}) {
        auto* button = Widget<QPushButton>(name);
        EXPECT_FALSE(button->isDefault() || button->autoDefault()) << name;
    }
}

class WindowLooks : public WindowFixture {};

TEST_F(WindowLooks, EveryControlUsesOneFontThatFitsARow)
{
    const QFontInfo chosen(ControlFont());
    EXPECT_TRUE(chosen.family() == "MS Sans Serif" || chosen.family() == "DejaVu Sans Condensed")
        << chosen.family().toStdString() << ": the font package is missing";
    for (const auto& expected : ExpectedPlacements) {
        SCOPED_TRACE(expected.name);
        QWidget* widget = Widget<QWidget>(expected.name);
        const QFontInfo used(widget->font());
        EXPECT_EQ(used.family(), chosen.family());
        EXPECT_EQ(used.pixelSize(), 11);
        EXPECT_FALSE(used.bold() || used.italic() || used.underline());
        EXPECT_LE(widget->fontMetrics().height(), 21 - 4) << "fits a row inside its frame";
    }
}

struct PanelPixel {
    const char* where;
    int x; // from the left, or from the right when negative
    int y; // from the top, or from the bottom when negative
    QColor colour;
};

TEST_F(WindowLooks, PanelsAreWhiteWithARaisedBevelAndBlackCaption)
{
    const QColor white(Qt::white);
    const QColor shadow(128, 128, 128);
    const std::vector<PanelPixel> pixels = {
        {"face", 3, 3, white},
        {"outer bevel, left", 0, 10, white},
        {"inner bevel, top", 10, 1, white},
        {"outer bevel, right", -1, 10, shadow},
        {"inner bevel, right", -2, 10, shadow},
        {"outer bevel, bottom", 10, -1, shadow},
        {"inner bevel, bottom", 10, -2, shadow},
        {"face beside the right bevel", -3, 10, white},
    };
    for (std::string_view name : Panels) {
        SCOPED_TRACE(name);
        QWidget* panel = Widget<QWidget>(name);
        const QImage image = Snapshot(panel);
        for (const PanelPixel& pixel : pixels) {
            const QPoint at(pixel.x >= 0 ? pixel.x : panel->width() + pixel.x,
                pixel.y >= 0 ? pixel.y : panel->height() + pixel.y);
            EXPECT_EQ(PixelAt(image, at), pixel.colour) << pixel.where;
        }
        const auto caption = DarkInk(image, panel->rect().adjusted(2, 2, -2, -2));
        ASSERT_TRUE(caption) << "a black caption";
        const QPoint centre = caption->center() / image.devicePixelRatio();
        EXPECT_LE(std::abs(centre.x() - panel->width() / 2), 2) << "centred across";
        EXPECT_LE(std::abs(centre.y() - panel->height() / 2), 2) << "centred up and down";
    }
}

TEST_F(WindowLooks, TheIconIsTheSixteenPixelPictureWithItsAlpha)
{
    const QIcon icon = window->windowIcon();
    ASSERT_TRUE(icon.availableSizes().contains(QSize(16, 16)));
    const QImage expected(CELESTRIX_SOURCE_DIR "/resources/icons/celestrix-16.png");
    const QImage shown = icon.pixmap(QSize(16, 16), 1.0).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(shown, expected.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    EXPECT_TRUE(shown.hasAlphaChannel());
}

// Shows a caption on a button or a panel of the window's own kinds, placed
// in the window with the given size.
class CaptionShown {
public:
    CaptionShown(QWidget* parent, bool panel, const std::string& caption, QSize size)
        : button_("Shown", caption)
        , panel_("Shown", caption)
    {
        if (panel)
            widget_ = new PanelLabel(panel_, parent);
        else
            widget_ = new PushButton(button_, parent);
        widget_->setFixedSize(size);
        widget_->show();
    }
    ~CaptionShown() { delete widget_; }
    QWidget* Widget() const { return widget_; }

private:
    TButton button_;
    TPanel panel_;
    QWidget* widget_;
};

struct AcceleratorCase {
    const char* caption;
    const char* shown; // the same text as a plain label shows it
    bool underline;
};

// The captions have no descenders, so an underline adds ink below them.
TEST_F(WindowLooks, AnAmpersandUnderlinesTheNextCharacterAndTwoShowOne)
{
    const std::vector<AcceleratorCase> cases = {
        {"&Field", "Field", true},
        {"Fi&eld", "Field", true},
        {"R&&D", "R&D", false},
        {"&&", "&", false},
        {"Field", "Field", false},
    };
    const QSize size(130, 21);
    const QRect inside = QRect(QPoint(0, 0), size).adjusted(3, 3, -3, -3);
    for (bool panel : {false, true}) {
        for (const AcceleratorCase& c : cases) {
            SCOPED_TRACE(std::string(panel ? "panel " : "button ") + c.caption);
            CaptionShown captioned(window.get(), panel, c.caption, size);
            QLabel literal(QString::fromUtf8(c.shown), window.get());
            literal.setTextFormat(Qt::PlainText);
            literal.setAlignment(Qt::AlignCenter);
            literal.setAutoFillBackground(true);
            literal.setPalette(QPalette(Qt::black, Qt::white));
            literal.setFixedSize(size);
            literal.show();

            const QImage image = Snapshot(captioned.Widget());
            const auto ink = DarkInk(image, inside);
            const auto literalInk = DarkInk(Snapshot(&literal), inside);
            ASSERT_TRUE(ink && literalInk);
            const QRect glyphRows(ink->left(), ink->top(), ink->width(), literalInk->height());
            const auto glyphs = DarkInkIn(image, glyphRows);
            ASSERT_TRUE(glyphs);
            // Glyphs may round to a pixel either way; a shown "&" would add six.
            EXPECT_LE(std::abs(glyphs->width() - literalInk->width()), 2 * qRound(image.devicePixelRatio()))
                << "shows the text without its markers";
            EXPECT_EQ(ink->height() > literalInk->height(), c.underline) << "underlined";
            EXPECT_GE(ink->height(), literalInk->height());
        }
    }
}

// Arabic, a right-to-left locale, from before the window is made.
class ArabicLocale {
protected:
    ArabicLocale() { QLocale::setDefault(QLocale(QLocale::Arabic, QLocale::Egypt)); }
    ~ArabicLocale() { QLocale::setDefault(previous_); }

private:
    QLocale previous_;
};

class WindowRightToLeft : private ArabicLocale, public WindowFixture {
protected:
    // The widget on white, wide enough for a caption.
    static QImage WithCaption(QWidget* widget, const QString& caption)
    {
        widget->setFixedSize(95, 21);
        widget->setAutoFillBackground(true);
        widget->setPalette(QPalette(Qt::black, Qt::white));
        widget->setProperty("text", caption);
        return Snapshot(widget);
    }
};

TEST_F(WindowRightToLeft, OnlyTheButtonsAndTheCheckBoxReadRightToLeft)
{
    for (const auto& expected : ExpectedPlacements) {
        const std::string_view name = expected.name;
        const bool rightToLeft = name == "Button1" || name == "Button3" || name == "CheckBox1";
        EXPECT_EQ(Widget<QWidget>(name)->layoutDirection(), rightToLeft ? Qt::RightToLeft : Qt::LeftToRight) << name;
    }
    EXPECT_EQ(window->layoutDirection(), Qt::LeftToRight);
}

// Where a caption of a letter and trailing dots shows: read right to left,
// the dots come before the letter.
struct LetterAndDots {
    QRect whole;
    QRect letter; // the ink above the dots
};

LetterAndDots InkOfLetterAndDots(const QImage& image, QRect area)
{
    const QRect whole = DarkInk(image, area).value_or(QRect());
    const QRect upperHalf(whole.left(), whole.top(), whole.width(), whole.height() / 2);
    return {whole, DarkInkIn(image, upperHalf).value_or(QRect())};
}

TEST_F(WindowRightToLeft, CaptionsReadRightToLeftWithTheirAlignmentKept)
{
    const QString caption = "A.....";
    for (std::string_view name : {"Button1", "CheckBox1"}) {
        SCOPED_TRACE(name);
        const bool isButton = name == "Button1";
        TButton button("Shown", "");
        TCheckBox check("Shown", "", form.CheckBox1.Checked());
        std::unique_ptr<QWidget> leftToRight(isButton ? static_cast<QWidget*>(new PushButton(button, window.get()))
                                                      : new CheckBox(check, window.get()));
        leftToRight->setLayoutDirection(Qt::LeftToRight);
        leftToRight->show();

        const QImage rtlImage = WithCaption(Widget<QWidget>(name), caption);
        const QImage ltrImage = WithCaption(leftToRight.get(), caption);
        const int pixel = qRound(rtlImage.devicePixelRatio());
        const QRect captionArea = isButton ? QRect(3, 3, 89, 15) : QRect(16, 0, 79, 21);
        const LetterAndDots rtl = InkOfLetterAndDots(rtlImage, captionArea);
        const LetterAndDots ltr = InkOfLetterAndDots(ltrImage, captionArea);
        ASSERT_FALSE(rtl.letter.isEmpty() || ltr.letter.isEmpty());

        EXPECT_LE(std::abs(rtl.letter.right() - rtl.whole.right()), pixel) << "the letter ends the line";
        EXPECT_LE(std::abs(ltr.letter.left() - ltr.whole.left()), pixel) << "the letter starts the line";
        if (isButton) {
            EXPECT_LE(std::abs(rtl.whole.center().x() - rtlImage.width() / 2), 2 * pixel) << "still centred";
        } else {
            EXPECT_LE(std::abs(rtl.whole.left() - ltr.whole.left()), pixel) << "still left-aligned";
            const QRect box(0, 0, 14 * pixel, rtlImage.height());
            EXPECT_EQ(rtlImage.copy(box), ltrImage.copy(box)) << "the box stays on the left";
        }
    }
}

class StarField : public WindowFixture {
protected:
    static RgbImage BuiltInPicture()
    {
        QFile file(StarFieldWidget::BuiltInPicture);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << "the picture is built into the program";
        const QByteArray jpeg = file.readAll();
        auto decoded = DecodeJpeg(reinterpret_cast<const unsigned char*>(jpeg.constData()),
            static_cast<std::size_t>(jpeg.size()));
        EXPECT_TRUE(decoded);
        return decoded.value_or(RgbImage{});
    }
};

bool UnderAControl(QPoint point)
{
    return std::any_of(ExpectedPlacements.begin(), ExpectedPlacements.end(),
        [&](const Placement& placement) { return placement.geometry.adjusted(-1, -1, 1, 1).contains(point); });
}

TEST_F(StarField, ThePictureShowsAtItsOwnSizeFromTheTopLeftBehindTheControls)
{
    const RgbImage picture = BuiltInPicture();
    ASSERT_EQ(picture.Width, 592);
    ASSERT_EQ(picture.Height, 593);
    const QImage shown = Snapshot(window.get());
    int compared = 0;
    for (int y = 0; y < 202; y += 3) {
        for (int x = 0; x < 353; x += 3) {
            if (UnderAControl({x, y}))
                continue;
            const unsigned char* rgb = &picture.Pixels[(static_cast<std::size_t>(y) * picture.Width + x) * 3];
            ASSERT_EQ(PixelAt(shown, {x, y}), QColor(rgb[0], rgb[1], rgb[2])) << x << "," << y;
            ++compared;
        }
    }
    EXPECT_GT(compared, 2000) << "most of the window is picture";
}

TEST_F(StarField, ThePictureIsDecodedWhenFirstPainted)
{
    TForm1 hidden(screen, "celestrix");
    MainWindow notShown(hidden);
    auto* field = dynamic_cast<StarFieldWidget*>(notShown.Widget("Image1"));
    ASSERT_NE(field, nullptr);
    EXPECT_FALSE(field->HasPicture());
    notShown.grab();
    EXPECT_TRUE(field->HasPicture());
}

struct BadPicture {
    const char* what;
    std::function<QByteArray(const QByteArray& good)> make;
};

TEST_F(StarField, APictureThatCannotBeDecodedLeavesTheBackgroundBlackAndSaysNothing)
{
    QFile file(StarFieldWidget::BuiltInPicture);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray good = file.readAll();
    const std::vector<BadPicture> cases = {
        {"empty", [](const QByteArray&) { return QByteArray(); }},
        {"not a JPEG", [](const QByteArray&) { return QByteArray(4096, 'x'); }},
        {"cut short", [](const QByteArray& jpeg) { return jpeg.left(jpeg.size() / 2); }},
        {"header only", [](const QByteArray& jpeg) { return jpeg.left(600); }},
    };
    QWidget background;
    background.setAutoFillBackground(true);
    QPalette black = background.palette();
    black.setColor(QPalette::Window, Qt::black);
    background.setPalette(black);
    background.resize(353, 202);
    for (const BadPicture& bad : cases) {
        SCOPED_TRACE(bad.what);
        folder.Write("picture.jpg", bad.make(good).toStdString());
        testing::internal::CaptureStderr();
        StarFieldWidget field(&background, QStringLiteral("picture.jpg"));
        field.setGeometry(0, 0, 353, 202);
        const QImage image = Snapshot(&background);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        EXPECT_FALSE(field.HasPicture());
        for (QPoint point : {QPoint(0, 0), QPoint(100, 50), QPoint(352, 201)})
            EXPECT_EQ(PixelAt(image, point), QColor(Qt::black));
    }
    StarFieldWidget missing(&background, QStringLiteral("no such picture.jpg"));
    Snapshot(&background);
    EXPECT_FALSE(missing.HasPicture());
}

}
