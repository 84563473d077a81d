// The translations shipped in data/languages/: each is a language.txt a user
// copies beside the catalogue. The file's bytes, what the window does with
// it, and whether every caption fits its control in the window's font.

#include "Fixtures.h"
#include "RecordingScreen.h"
#include "TempFolder.h"
#include "app/Layout.h"
#include "app/Unit1.h"
#include "app/qt/ControlWidgets.h"
#include "app/qt/MainWindow.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <sstream>
#include <string>

namespace {

// The controls a language file relabels, in the order of its lines.
constexpr std::array<const char*, 7> RelabelledControls = {
    "Button1", "Button3", "Panel1", "Panel2", "Panel3", "Panel4", "Panel5"};

// The captions as Windows-1252 bytes, in the order of the file's lines.
struct Language {
    const char* folder; // under data/languages/; empty: the built-in captions
    std::array<std::string, 7> captions;
};

const Language BuiltIn = {"",
    {"Generate link", "Open link", "Version", "Field of view", "Catalog", "Alpha (H,M,S):",
        "Delta (+ or -, \xB0, ', \"):"}};

const Language Shipped[] = {
    {"de",
        {"Link erzeugen", "Link \xF6" "ffnen", "Version", "Bildfeld", "Katalog", "Alpha (h,m,s):",
            "Delta (+ oder -, \xB0, ', \"):"}},
    {"fr",
        {"G\xE9n\xE9rer le lien", "Ouvrir le lien", "Version", "Champ de vue", "Catalogue", "Alpha (h,m,s) :",
            "Delta (+ ou -, \xB0, ', \") :"}},
    {"es",
        {"Generar enlace", "Abrir enlace", "Versi\xF3n", "Campo visual", "Cat\xE1logo", "Alfa (h,m,s):",
            "Delta (+ o -, \xB0, ', \"):"}},
};

const char* NameOf(const Language& language)
{
    return *language.folder ? language.folder : "builtin";
}

void PrintTo(const Language& language, std::ostream* out)
{
    *out << NameOf(language);
}

std::string ShippedFile(const Language& language)
{
    const std::string path = std::string(CELESTRIX_SOURCE_DIR) + "/data/languages/" + language.folder + "/language.txt";
    std::ifstream file(path, std::ios::binary);
    EXPECT_TRUE(file) << path;
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

std::array<std::string, 7> CaptionsOf(const TForm1& form)
{
    return {form.Button1.Caption(), form.Button3.Caption(), form.Panel1.Caption(), form.Panel2.Caption(),
        form.Panel3.Caption(), form.Panel4.Caption(), form.Panel5.Caption()};
}

// The window state started in a folder with a catalogue and, unless the
// built-in captions are wanted, the shipped language file.
class StartedWithLanguage {
public:
    explicit StartedWithLanguage(const Language& language)
    {
        folder.Write("m_ngc_ic.txt", SmallCatalogue);
        if (*language.folder)
            folder.Write("language.txt", ShippedFile(language));
        form.Create();
    }

    TempFolder folder;
    RecordingScreen screen;
    TForm1 form{screen, "celestrix"};
};

std::string TestNameOf(const ::testing::TestParamInfo<Language>& info)
{
    return NameOf(info.param);
}

// Where a widget draws its caption, and the caption as shown.
QRect CaptionArea(const QWidget* widget)
{
    if (const auto* button = qobject_cast<const QPushButton*>(widget)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        return button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    }
    return widget->contentsRect();
}

QString CaptionShown(const QWidget* widget)
{
    if (const auto* button = qobject_cast<const QPushButton*>(widget))
        return button->text();
    return qobject_cast<const QLabel*>(widget)->text();
}

class ShippedLanguageFile : public ::testing::TestWithParam<Language> {};

TEST_P(ShippedLanguageFile, HoldsSevenWindows1252LinesEndingInCrLf)
{
    std::string expected;
    for (const auto& caption : GetParam().captions)
        expected += caption + "\r\n";
    EXPECT_EQ(ShippedFile(GetParam()), expected);
}

TEST_P(ShippedLanguageFile, RelabelsTheSevenControlsAndTheCatalogueStillLoads)
{
    StartedWithLanguage started(GetParam());
    EXPECT_TRUE(started.screen.errorBoxes.empty());
    EXPECT_EQ(CaptionsOf(started.form), GetParam().captions);
    EXPECT_EQ(started.form.Edit3.Text(), "05");
    EXPECT_EQ(started.form.Edit5.Text(), "22");
}

INSTANTIATE_TEST_SUITE_P(Languages, ShippedLanguageFile, ::testing::ValuesIn(Shipped), TestNameOf);

class CaptionsInTheWindow : public ::testing::TestWithParam<Language> {};

TEST_P(CaptionsInTheWindow, EachFitsItsTwentyOnePixelControlInTheWindowsFont)
{
    StartedWithLanguage started(GetParam());
    MainWindow window(started.form);
    const QStringList families = ControlFont().families();
    for (const char* name : RelabelledControls) {
        const QWidget* widget = window.Widget(name);
        ASSERT_EQ(widget->height(), PlacementOf(name).Height) << name;
        ASSERT_TRUE(families.contains(QFontInfo(widget->font()).family()))
            << name << " is drawn in " << QFontInfo(widget->font()).family().toStdString()
            << ", none of the window's fonts is installed";

        const QRect area = CaptionArea(widget);
        const QSize text = QFontMetrics(widget->font()).size(Qt::TextSingleLine | Qt::TextShowMnemonic,
            CaptionShown(widget));
        EXPECT_LE(text.width(), area.width()) << name << " \"" << CaptionShown(widget).toStdString() << "\"";
        EXPECT_LE(text.height(), area.height()) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, CaptionsInTheWindow,
    ::testing::Values(BuiltIn, Shipped[0], Shipped[1], Shipped[2]), TestNameOf);

}
