#include "Fixtures.h"
#include "RecordingScreen.h"
#include "TempFolder.h"
#include "app/Unit1.h"

#include <gtest/gtest.h>

namespace {

TEST(TEdit, ChangeFiresOnceForEveryActualChange)
{
    TEdit edit("Edit3", 4);
    int changes = 0;
    edit.OnChange = [&] { ++changes; };
    edit.SetText("12");
    edit.SetText("12");
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(edit.UserEdit("123"));
    EXPECT_TRUE(edit.UserEdit("123"));
    EXPECT_EQ(changes, 2);
    edit.SetText("");
    EXPECT_EQ(changes, 3);
}

TEST(TEdit, TypedCharacterLimitHoldsTypingOnly)
{
    struct Case {
        const char* name;
        std::string before;
        std::string proposed;
        bool accepted;
    };
    const Case cases[] = {
        {"typing up to the limit", "123", "1234", true},
        {"typing past the limit", "1234", "12345", false},
        {"pasting past the limit", "", "123456", false},
        {"deleting from a longer text", "31.94", "31.9", true},
        {"typing into a longer text", "31.94", "31.945", false},
        {"replacing within a longer text", "31.94", "x", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TEdit edit("Edit7", 4);
        edit.SetText(c.before);
        EXPECT_EQ(edit.UserEdit(c.proposed), c.accepted);
        EXPECT_EQ(edit.Text(), c.accepted ? c.proposed : c.before);
    }
    TEdit edit("Edit7", 4);
    edit.SetText("31.94");
    EXPECT_EQ(edit.Text(), "31.94");
    TEdit unlimited("Edit1", 0);
    EXPECT_TRUE(unlimited.UserEdit(std::string(100000, 'u')));
}

TEST(TComboBox, SelectionChangeFiresForTheUsersChangesOnly)
{
    TComboBox list("ComboBox3", {"a", "b", "c"}, 0);
    std::vector<std::string> events;
    list.OnChange = [&] { events.push_back("change:" + list.Text()); };
    list.OnCloseUp = [&] { events.push_back("closeup:" + list.Text()); };
    list.SetItemIndex(2);
    list.UserSelect(1);
    list.UserSelect(1);
    list.UserCloseUp();
    list.UserCloseUp();
    EXPECT_EQ(events, (std::vector<std::string>{"change:b", "closeup:b", "closeup:b"}));
    list.SetItemIndex(-1);
    EXPECT_EQ(list.Text(), "");
    list.SetItemIndex(7);
    EXPECT_EQ(list.ItemIndex(), -1);
}

TEST(TCheckBox, ClickFiresWhenTheUserChangesTheMark)
{
    TCheckBox box("CheckBox1", "CheckBox1", true);
    int clicks = 0;
    box.OnClick = [&] { ++clicks; };
    box.SetChecked(false);
    EXPECT_EQ(clicks, 0);
    box.UserSetChecked(true);
    box.UserSetChecked(true);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(box.Checked());
}

class StartedForm : public ::testing::Test {
protected:
    StartedForm()
    {
        folder.Write("m_ngc_ic.txt", SmallCatalogue);
        form.Create();
    }
    TempFolder folder;
    RecordingScreen screen;
    TForm1 form{screen, "celestrix"};
};

TEST_F(StartedForm, WindowTakesNoInputWhileALookupWritesTheBoxes)
{
    std::vector<bool> enabledDuringWrites;
    form.Edit3.OnInvalidate = [&] { enabledDuringWrites.push_back(form.Enabled()); };
    form.Edit8.UserEdit("12");
    EXPECT_EQ(enabledDuringWrites, std::vector<bool>{false});
    EXPECT_TRUE(form.Enabled());
    EXPECT_TRUE(form.Edit8.Enabled());
    EXPECT_FALSE(form.Edit3.Enabled());
    form.Edit8.UserEdit("999");
    EXPECT_TRUE(form.Enabled());
}

TEST_F(StartedForm, TypingANumberLooksUpEachTextAsItStands)
{
    std::vector<std::string> lookedUp;
    form.Edit3.OnInvalidate = [&] { lookedUp.push_back(form.Edit8.Text() + ":" + form.Edit3.Text()); };
    form.Edit8.UserEdit("");
    form.Edit8.UserEdit("1");
    form.Edit8.UserEdit("12");
    EXPECT_EQ(lookedUp, (std::vector<std::string>{":", "1:05", "12:16"}));
    EXPECT_EQ(form.Edit2.Text(), "-");
}

TEST_F(StartedForm, ChangesTheLookupMakesEmptyTheLinkBox)
{
    form.Edit1.SetText("typed by hand");
    form.Edit8.UserEdit("1");
    EXPECT_EQ(form.Edit1.Text(), "typed by hand") << "no coordinate changed";
    form.Edit8.UserEdit("12");
    EXPECT_EQ(form.Edit1.Text(), "");
}

TEST_F(StartedForm, ErrorsOfNestedHandlersAreReportedOnceByTheOutermost)
{
    std::filesystem::create_directory("link.url");
    form.Button1.Click();
    ASSERT_EQ(screen.errorBoxes.size(), 1u);
    EXPECT_EQ(screen.errorBoxes[0].text, "File access denied.");
    EXPECT_EQ(screen.errorBoxes[0].caption, "celestrix");
}

}
