#include "WindowFixture.h"

#include <QLineEdit>

namespace {

class Editing : public WindowFixture {
protected:
    explicit Editing(const std::string& catalogue = SmallCatalogue)
        : WindowFixture(catalogue)
    {
    }
    QLineEdit* Box(std::string_view name) const { return Widget<QLineEdit>(name); }
};

TEST_F(Editing, TypingANumberLooksUpEachTextAndKeepsTheFocus)
{
    QLineEdit* edit8 = Box("Edit8");
    QTest::mouseClick(edit8, Qt::LeftButton);
    QTest::keyClick(edit8, Qt::Key_End);
    QTest::keyClick(edit8, Qt::Key_Backspace);
    std::vector<std::string> lookups;
    AlsoOnInvalidate(form.Edit3, [&] { lookups.push_back(form.Edit8.Text() + ":" + form.Edit3.Text()); });
    QTest::keyClicks(edit8, "12");
    EXPECT_EQ(lookups, (std::vector<std::string>{"1:05", "12:16"}));
    EXPECT_EQ(edit8->text(), "12");
    EXPECT_EQ(Box("Edit3")->text(), "16");
    EXPECT_EQ(Box("Edit2")->text(), "-");
    EXPECT_EQ(QApplication::focusWidget(), edit8);
    EXPECT_TRUE(edit8->isEnabled());
}

TEST_F(Editing, TypingStopsAtTheLimitAndDeletingAlwaysWorks)
{
    QLineEdit* edit8 = Box("Edit8");
    QTest::mouseClick(edit8, Qt::LeftButton);
    QTest::keyClick(edit8, Qt::Key_End);
    QTest::keyClicks(edit8, "23456");
    EXPECT_EQ(edit8->text(), "1234");
    EXPECT_EQ(form.Edit8.Text(), "1234");
    QTest::keyClick(edit8, Qt::Key_Backspace);
    EXPECT_EQ(form.Edit8.Text(), "123");
}

class LongFields : public Editing {
protected:
    LongFields()
        : Editing("M 1|05|34|31.94|+|22|00|52.15|\r\nEND\r\n")
    {
    }
};

TEST_F(LongFields, TextTheProgramSetsShowsWhole)
{
    EXPECT_EQ(Box("Edit7")->text(), "31.94");
    EXPECT_EQ(Box("Edit9")->text(), "52.15");
    QTest::mouseClick(Widget<QWidget>("CheckBox1"), Qt::LeftButton);
    QLineEdit* edit7 = Box("Edit7");
    ASSERT_TRUE(edit7->isEnabled());
    QTest::mouseClick(edit7, Qt::LeftButton);
    QTest::keyClick(edit7, Qt::Key_End);
    QTest::keyClick(edit7, Qt::Key_5);
    EXPECT_EQ(edit7->text(), "31.94") << "typing cannot make it longer";
    QTest::keyClick(edit7, Qt::Key_Backspace);
    EXPECT_EQ(form.Edit7.Text(), "31.9");
}

TEST_F(Editing, TypedCharactersOutsideWindows1252BecomeQuestionMarks)
{
    QTest::mouseClick(Widget<QWidget>("CheckBox1"), Qt::LeftButton);
    QLineEdit* edit3 = Box("Edit3");
    QTest::mouseClick(edit3, Qt::LeftButton);
    edit3->selectAll();
    for (const QString& character : {QString::fromUtf8("\xCE\xB1"), QString::fromUtf8("\xC3\xA9")}) {
        // QTest's key clicks know ASCII only: send the key event the keyboard would.
        QTest::sendKeyEvent(QTest::KeyAction::Click, edit3, Qt::Key_unknown, character, Qt::NoModifier);
    }
    EXPECT_EQ(form.Edit3.Text(), "?\xE9");
    EXPECT_EQ(edit3->text(), QString::fromUtf8("?\xC3\xA9"));
}

TEST_F(Editing, TheLinkBoxShowsTheDegreeSign)
{
    QTest::mouseClick(Widget<QWidget>("Button1"), Qt::LeftButton);
    EXPECT_EQ(form.Edit1.Text(), M1Url);
    EXPECT_TRUE(Box("Edit1")->text().contains(QString::fromUtf8("22\xC2\xB0%20")));
    EXPECT_EQ(folder.Read("link.url"), ShortcutWith(M1Url));
}

TEST_F(Editing, AHandEditOfTheLinkBoxReachesTheStateButNotTheFile)
{
    QLineEdit* edit1 = Box("Edit1");
    QTest::mouseClick(edit1, Qt::LeftButton);
    QTest::keyClicks(edit1, "by hand");
    EXPECT_EQ(form.Edit1.Text(), "by hand");
    QTest::mouseClick(Widget<QWidget>("Button1"), Qt::LeftButton);
    EXPECT_EQ(edit1->text().toStdString().substr(0, 7), "http://");
    EXPECT_EQ(folder.Read("link.url"), ShortcutWith(M1Url));
}

}
