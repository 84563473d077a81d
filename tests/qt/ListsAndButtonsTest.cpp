#include "WindowFixture.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include <filesystem>

namespace {

class ListsAndButtons : public WindowFixture {
protected:
    ListsAndButtons()
    {
        form.OnInvalidate = [this] {
            if (!form.Enabled())
                ++lookups;
        };
    }

    // Opens the list, moves in it with the keys and closes it as the user does.
    void ChooseInOpenList(QComboBox* list, std::initializer_list<Qt::Key> keys)
    {
        list->showPopup();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(list->view()->window()));
        for (Qt::Key key : keys)
            QTest::keyClick(list->view(), key);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !list->view()->isVisible(); }));
        QCoreApplication::processEvents();
    }

    void TypeNumber(const char* number)
    {
        auto* edit8 = Widget<QLineEdit>("Edit8");
        edit8->selectAll();
        QTest::keyClicks(edit8, number);
    }

    int lookups = 0;
};

TEST_F(ListsAndButtons, ClosingTheCatalogueListLooksUpTheChosenCatalogue)
{
    TypeNumber("224");
    ASSERT_TRUE(form.Scan.NotFound) << "M 224 is not in the catalogue";
    auto* list = Widget<QComboBox>("ComboBox1");
    ChooseInOpenList(list, {Qt::Key_Down, Qt::Key_Return});
    EXPECT_EQ(form.ComboBox1.Text(), "NGC");
    EXPECT_FALSE(form.Scan.NotFound);
    EXPECT_EQ(form.Edit5.Text(), "41");
    EXPECT_EQ(Widget<QLineEdit>("Edit5")->text(), "41");
}

TEST_F(ListsAndButtons, ClosingTheListWithoutAChangeStillLooksUp)
{
    const int before = lookups;
    ChooseInOpenList(Widget<QComboBox>("ComboBox1"), {Qt::Key_Escape});
    EXPECT_EQ(lookups, before + 1);
    EXPECT_EQ(form.ComboBox1.Text(), "M");
}

TEST_F(ListsAndButtons, ArrowKeysOnTheClosedCatalogueListRunNoLookup)
{
    auto* list = Widget<QComboBox>("ComboBox1");
    list->setFocus();
    const int before = lookups;
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(form.ComboBox1.Text(), "NGC");
    EXPECT_EQ(lookups, before);
    EXPECT_EQ(form.Edit3.Text(), "05") << "still M 1";
}

TEST_F(ListsAndButtons, ChoosingASurveyOrFieldEmptiesTheLinkBox)
{
    for (const char* name : {"ComboBox4", "ComboBox3"}) {
        SCOPED_TRACE(name);
        QTest::mouseClick(Widget<QWidget>("Button1"), Qt::LeftButton);
        ASSERT_FALSE(Widget<QLineEdit>("Edit1")->text().isEmpty());
        const std::string written = folder.Read("link.url");
        auto* list = Widget<QComboBox>(name);
        ChooseInOpenList(list, {Qt::Key_Down, Qt::Key_Return});
        EXPECT_TRUE(Widget<QLineEdit>("Edit1")->text().isEmpty());
        EXPECT_EQ(folder.Read("link.url"), written) << "the file keeps the old link";
    }
    QTest::mouseClick(Widget<QWidget>("Button1"), Qt::LeftButton);
    EXPECT_NE(form.Edit1.Text().find("v=quickv&"), std::string::npos);
    EXPECT_NE(form.Edit1.Text().find("&h=10&w=10&"), std::string::npos);
}

TEST_F(ListsAndButtons, TheCheckBoxSwitchesModesByClickAndSpace)
{
    auto* check = Widget<QCheckBox>("CheckBox1");
    QTest::mouseClick(check, Qt::LeftButton);
    EXPECT_FALSE(form.CheckBox1.Checked());
    EXPECT_TRUE(Widget<QLineEdit>("Edit3")->isEnabled());
    EXPECT_TRUE(Widget<QLineEdit>("Edit2")->isEnabled());
    EXPECT_FALSE(Widget<QComboBox>("ComboBox1")->isEnabled());
    EXPECT_FALSE(Widget<QLineEdit>("Edit8")->isEnabled());
    EXPECT_EQ(Widget<QLineEdit>("Edit3")->text(), "05") << "the last coordinates stay";

    check->setFocus();
    const int before = lookups;
    QTest::keyClick(check, Qt::Key_Space);
    EXPECT_TRUE(form.CheckBox1.Checked());
    EXPECT_EQ(lookups, before + 1);
    EXPECT_FALSE(Widget<QLineEdit>("Edit3")->isEnabled());
    EXPECT_TRUE(Widget<QComboBox>("ComboBox1")->isEnabled());
}

TEST_F(ListsAndButtons, AFailedWriteIsReportedAndTheWindowGoesOn)
{
    std::filesystem::create_directory("link.url");
    QTest::mouseClick(Widget<QWidget>("Button1"), Qt::LeftButton);
    ASSERT_EQ(screen.errorBoxes.size(), 1u);
    EXPECT_EQ(screen.errorBoxes[0].text, "File access denied.");
    EXPECT_EQ(Widget<QLineEdit>("Edit1")->text().left(7), "http://");
    std::filesystem::remove("link.url");
    QTest::mouseClick(Widget<QWidget>("Button1"), Qt::LeftButton);
    EXPECT_EQ(folder.Read("link.url"), ShortcutWith(M1Url));
}

TEST_F(ListsAndButtons, OpenLinkAsksTheScreenToOpenTheShortcut)
{
    QTest::mouseClick(Widget<QWidget>("Button3"), Qt::LeftButton);
    EXPECT_EQ(screen.openedShortcuts, std::vector<std::string>{"link.url"});
}

}
