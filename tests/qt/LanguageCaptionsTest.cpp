#include "Fixtures.h"
#include "RecordingScreen.h"
#include "TempFolder.h"
#include "app/Unit1.h"
#include "app/qt/MainWindow.h"

#include <QAbstractButton>
#include <QLabel>

#include <gtest/gtest.h>

namespace {

QString ShownText(const MainWindow& window, std::string_view name)
{
    QWidget* widget = window.Widget(name);
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return button->text();
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text();
    return "(no captioned widget)";
}

// The file's bytes are Windows-1252 text: E9 shows as "é", 80 as "€".
TEST(LanguageCaptions, TheWindowShowsTheFilesLinesAsWindows1252Text)
{
    TempFolder folder;
    folder.Write("m_ngc_ic.txt", SmallCatalogue);
    folder.Write("language.txt", "Cr\xE9" "er le lien\r\nOuvrir\r\n\x80 version\r\nChamp \xB0\r\nCatalogue\r\n"
                                 "\xC0lpha\r\n\xD0\xE9lta \x93\x94\r\n");
    RecordingScreen screen;
    TForm1 form(screen, "celestrix");
    form.Create();
    MainWindow window(form);
    const std::pair<const char*, const char*> shown[] = {
        {"Button1", "Cr\u00e9er le lien"},
        {"Button3", "Ouvrir"},
        {"Panel1", "\u20ac version"},
        {"Panel2", "Champ \u00b0"},
        {"Panel3", "Catalogue"},
        {"Panel4", "\u00c0lpha"},
        {"Panel5", "\u00d0\u00e9lta \u201c\u201d"},
    };
    for (const auto& [name, text] : shown)
        EXPECT_EQ(ShownText(window, name), QString::fromUtf8(text)) << name;
    EXPECT_TRUE(screen.errorBoxes.empty());
}

}
