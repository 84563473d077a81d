#include "Fixtures.h"
#include "RecordingScreen.h"
#include "TempFolder.h"
#include "app/Unit1.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class Handlers : public ::testing::Test {
protected:
    Handlers()
    {
        folder.Write("m_ngc_ic.txt", SmallCatalogue);
        form.Create();
    }
    std::string LinkFile() const { return folder.Read("link.url"); }

    TempFolder folder;
    RecordingScreen screen;
    TForm1 form{screen, "celestrix"};
};

TEST_F(Handlers, GenerateLinkShowsAndWritesTheQuery)
{
    form.Button1.Click();
    EXPECT_EQ(form.Edit1.Text(), M1Url);
    EXPECT_EQ(LinkFile(), ShortcutWith(M1Url));
    EXPECT_EQ(form.SignText, "+");
    EXPECT_EQ(form.SurveyText, "all");
    EXPECT_EQ(form.SizeText, "5");
    form.Button1.Click();
    EXPECT_EQ(LinkFile(), ShortcutWith(M1Url));
    EXPECT_TRUE(screen.errorBoxes.empty());
}

TEST_F(Handlers, NotFoundInCatalogueModeWritesAnEmptyLink)
{
    form.Edit8.UserEdit("2");
    form.Button1.Click();
    EXPECT_EQ(form.Edit1.Text(), "");
    EXPECT_EQ(LinkFile(), ShortcutWith(""));
    EXPECT_FALSE(form.Scan.NotFound);
    form.Edit8.UserEdit("1");
    form.Button1.Click();
    EXPECT_EQ(form.Edit1.Text(), M1Url);
}

TEST_F(Handlers, ManualModeComposesFromTheTypedBoxes)
{
    form.Edit8.UserEdit("2");
    ASSERT_TRUE(form.Scan.NotFound);
    form.CheckBox1.UserSetChecked(false);
    const std::pair<TEdit*, const char*> typed[] = {
        {&form.Edit3, " 05"}, {&form.Edit4, "34 "}, {&form.Edit7, "31.9"}, {&form.Edit2, " "},
        {&form.Edit5, "22"}, {&form.Edit6, "00"}, {&form.Edit9, "52"},
    };
    for (const auto& [box, text] : typed)
        ASSERT_TRUE(box->UserEdit(text)) << box->Name();
    form.ComboBox3.UserSelect(6);
    form.Button1.Click();
    const std::string url = "http://archive.stsci.edu/cgi-bin/dss_search?v=all&r=05%2034m+%200031.9"
                            "&d= %2022\xB0%2000'%2052\"&e=J2000&h=75&w=75&f=gif&c=none&fov=NONE&v3=";
    EXPECT_EQ(form.Edit1.Text(), url);
    EXPECT_EQ(LinkFile(), ShortcutWith(url));
}

TEST_F(Handlers, ModeSwitchKeepsCoordinatesThenLooksUpAgain)
{
    // What each control shows, as it changes: its name and enabled flag.
    std::vector<std::string> enabling;
    for (TControl* control : form.Controls())
        control->OnInvalidate = [&, control] {
            enabling.push_back(control->Name() + (control->Enabled() ? "+" : "-"));
        };
    form.Button1.Click();
    enabling.clear();
    form.CheckBox1.UserSetChecked(false);
    EXPECT_EQ(enabling, (std::vector<std::string>{"CheckBox1+", "ComboBox1-", "Edit8-", "Edit3+", "Edit4+", "Edit7+",
                            "Edit5+", "Edit6+", "Edit9+", "Edit2+", "Edit1+"}));
    EXPECT_EQ(form.Edit3.Text(), "05");
    EXPECT_EQ(form.Edit1.Text(), "");
    form.Edit3.UserEdit("11");
    enabling.clear();
    form.CheckBox1.UserSetChecked(true);
    EXPECT_EQ(enabling, (std::vector<std::string>{"CheckBox1+", "ComboBox1+", "Edit8+", "Edit3+", "Edit3-", "Edit4-",
                            "Edit7-", "Edit5-", "Edit6-", "Edit9-", "Edit2-"}));
    EXPECT_EQ(form.Edit3.Text(), "05");
}

TEST_F(Handlers, SurveyOrFieldChangeEmptiesTheLinkBoxButNotTheFile)
{
    const std::pair<const char*, TComboBox*> lists[] = {{"survey", &form.ComboBox4}, {"field", &form.ComboBox3}};
    for (const auto& [name, list] : lists) {
        SCOPED_TRACE(name);
        form.Button1.Click();
        list->UserSelect(list->ItemIndex() == 1 ? 2 : 1);
        EXPECT_EQ(form.Edit1.Text(), "");
        EXPECT_EQ(LinkFile(), ShortcutWith(M1Url));
        form.ComboBox4.SetItemIndex(6);
        form.ComboBox3.SetItemIndex(0);
    }
}

TEST_F(Handlers, ArrowKeysOnTheClosedCatalogueListRunNoLookup)
{
    form.Edit8.UserEdit("224");
    ASSERT_TRUE(form.Scan.NotFound);
    form.ComboBox1.UserSelect(1);
    EXPECT_EQ(form.Edit3.Text(), "") << "the boxes still show the previous lookup";
    form.Button1.Click();
    EXPECT_EQ(form.Edit3.Text(), "00");
    EXPECT_NE(form.Edit1.Text(), "");
    form.ComboBox1.UserSelect(2);
    form.ComboBox1.UserCloseUp();
    EXPECT_TRUE(form.Scan.NotFound) << "IC 224 is not in the catalogue";
}

TEST_F(Handlers, AHandEditOfTheLinkBoxNeverReachesTheFile)
{
    form.Edit1.UserEdit("http://example.invalid/");
    form.Button1.Click();
    EXPECT_EQ(LinkFile(), ShortcutWith(M1Url));
    form.Edit8.UserEdit("3");
    form.Edit1.UserEdit("http://example.invalid/");
    form.Button1.Click();
    EXPECT_EQ(LinkFile(), ShortcutWith(""));
}

TEST_F(Handlers, AFailedWriteIsReportedAndTheNextOneSucceeds)
{
    struct Case {
        const char* name;
        void (*make)();
        const char* report;
    };
    const Case cases[] = {
        {"folder", [] { std::filesystem::create_directory("link.url"); }, "File access denied."},
#ifndef _WIN32 // Windows has no device that is always full.
        {"full disk", [] { std::filesystem::create_symlink("/dev/full", "link.url"); }, "Disk full."},
#endif
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        screen.errorBoxes.clear();
        form.Edit8.UserEdit("2");
        c.make();
        form.Button1.Click();
        EXPECT_EQ(screen.errorBoxes, (std::vector<RecordingScreen::Box>{{"celestrix", c.report}}));
        form.Edit8.UserEdit("1");
        form.Button1.Click();
        EXPECT_EQ(form.Edit1.Text(), M1Url);
        EXPECT_FALSE(form.Scan.NotFound);
        std::filesystem::remove("link.url");
        form.Button1.Click();
        EXPECT_EQ(LinkFile(), ShortcutWith(M1Url));
        EXPECT_EQ(screen.errorBoxes.size(), 2u);
        std::filesystem::remove("link.url");
    }
}

#ifndef _WIN32
TEST_F(Handlers, ALinkUrlLeadingToAnInputFileNeverOverwritesIt)
{
    folder.Write("language.txt", "Generate link\r\n");
    for (const char* input : {"m_ngc_ic.txt", "language.txt"}) {
        SCOPED_TRACE(input);
        screen.errorBoxes.clear();
        const std::string before = folder.Read(input);
        std::filesystem::create_symlink(input, "link.url");
        form.Button1.Click();
        EXPECT_EQ(screen.errorBoxes, (std::vector<RecordingScreen::Box>{{"celestrix", "File access denied."}}));
        EXPECT_EQ(folder.Read(input), before);
        EXPECT_EQ(form.Edit1.Text(), M1Url);
        std::filesystem::remove("link.url");
    }
    std::filesystem::create_symlink("elsewhere.url", "link.url");
    form.Button1.Click();
    EXPECT_EQ(folder.Read("elsewhere.url"), ShortcutWith(M1Url)) << "other links are followed";
}
#endif

TEST_F(Handlers, OpenLinkHandsTheShortcutToTheDesktop)
{
    form.Button3.Click();
    EXPECT_EQ(screen.openedShortcuts, std::vector<std::string>{"link.url"});
    EXPECT_TRUE(screen.errorBoxes.empty());
}

}
