#include "Fixtures.h"
#include "RecordingScreen.h"
#include "TempFolder.h"
#include "app/InstanceGuard.h"
#include "app/Unit1.h"

#include <gtest/gtest.h>

namespace {

TopLevelWindow Unowned(std::string title)
{
    return {false, false, std::move(title)};
}

TEST(InstanceGuard, OnlyAnUnownedWindowOfAnotherProgramTitledExactlySoMatches)
{
    const std::string long127 = "C" + std::string(126, 'x');
    const std::string long128 = "C" + std::string(127, 'x');
    struct Case {
        const char* name;
        TopLevelWindow window;
        std::string applicationTitle;
        bool matches;
    };
    const Case cases[] = {
        {"another copy's application window", Unowned("celestrix"), "celestrix", true},
        {"this copy's own window", {true, false, "celestrix"}, "celestrix", false},
        {"an owned window", {false, true, "celestrix"}, "celestrix", false},
        {"other case", Unowned("Celestrix"), "celestrix", false},
        {"longer title", Unowned("celestrix2"), "celestrix", false},
        {"shorter title", Unowned("celestri"), "celestrix", false},
        {"blank after the title", Unowned("celestrix "), "celestrix", false},
        {"a main window's caption", Unowned("Celestrix v.3"), "Celestrix", false},
        {"Windows-1252 bytes alike", Unowned("Caf\xE9"), "Caf\xE9", true},
        {"the same letters in UTF-8", Unowned("Caf\xC3\xA9"), "Caf\xE9", false},
        {"127 characters", Unowned(long127), long127, true},
        {"a window title cut after 127 characters", Unowned(long127 + "yz"), long127, true},
        {"128 characters never match", Unowned(long128), long128, false},
        {"the title ends at a zero byte", Unowned(std::string("celestrix\0rest", 14)), "celestrix", true},
        {"an empty title never matches", Unowned(""), "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(IsRunningCopy(c.window, c.applicationTitle), c.matches);
    }
}

struct StartCase {
    const char* name;
    std::vector<TopLevelWindow> windows;
    bool stopped;
};

std::vector<StartCase> StartCases()
{
    return {
        {"no windows", {}, false},
        {"only this copy's windows and owned ones",
            {{true, false, "celestrix"}, {false, true, "celestrix"}, Unowned("Celestrix v.3")}, false},
        {"another copy below other windows",
            {{false, true, "celestrix"}, Unowned("xterm"), {true, false, "celestrix"}, Unowned("celestrix")}, true},
        {"any unowned window with the title", {Unowned("celestrix")}, true},
    };
}

// The guard comes first: when it stops the start, neither the language file
// nor the catalogue is read, and the window is never to be shown.
TEST(TForm1, AnotherCopyRunningStopsTheStartWithAWarning)
{
    for (const auto& c : StartCases()) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        folder.Write("m_ngc_ic.txt", SmallCatalogue);
        folder.Write("language.txt", "Go\r\n");
        RecordingScreen screen;
        screen.windows = c.windows;
        TForm1 form(screen, "celestrix");
        form.Create();
        EXPECT_TRUE(screen.errorBoxes.empty());
        EXPECT_EQ(form.Terminated(), c.stopped);
        if (c.stopped) {
            EXPECT_EQ(screen.warningBoxes,
                (std::vector<RecordingScreen::Box>{{"Warning", "Celestrix is already running!"}}));
            EXPECT_EQ(form.Button1.Caption(), "Generate link");
            EXPECT_EQ(form.Catalogue.LineCount, 0);
            EXPECT_EQ(form.Edit3.Text(), "");
        } else {
            EXPECT_TRUE(screen.warningBoxes.empty());
            EXPECT_EQ(form.Button1.Caption(), "Go");
            EXPECT_EQ(form.Catalogue.LineCount, 7);
            EXPECT_EQ(form.Edit3.Text(), "05");
        }
    }
}

}
