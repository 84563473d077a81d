#include "Fixtures.h"
#include "TempFolder.h"
#include "app/qt/QtScreen.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    QPoint centre;
    QWidget* parent = nullptr;
};

// Reads the modal box that is open, then closes it with Enter.
SeenBox ReadAndCloseBox(const std::function<void()>& open)
{
    SeenBox seen;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = {box->windowTitle(), box->text(), box->icon(), static_cast<int>(box->buttons().size()),
            box->frameGeometry().center(), box->parentWidget()};
        QTest::keyClick(box, Qt::Key_Return);
    });
    open();
    return seen;
}

TEST(QtScreen, ErrorBoxIsCentredWithStopIconAndOneButton)
{
    QWidget applicationWindow;
    applicationWindow.setWindowTitle("celestrix");
    QtScreen screen(&applicationWindow);
    const SeenBox seen = ReadAndCloseBox([&] { screen.ShowErrorBox("celestrix", "Ends high \xE9."); });
    EXPECT_EQ(seen.title, "celestrix");
    EXPECT_EQ(seen.text, QString::fromUtf8("Ends high \xC3\xA9."));
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_EQ(seen.buttons, 1);
    EXPECT_EQ(seen.parent, &applicationWindow);
    const QPoint screenCentre = QGuiApplication::primaryScreen()->geometry().center();
    EXPECT_LE((seen.centre - screenCentre).manhattanLength(), 4);
}

// A stand-in for the desktop's opener, first on PATH: it writes down each
// call's arguments.
class StandInOpener : public ::testing::Test {
protected:
    StandInOpener()
        : previousPath_(qgetenv("PATH"))
    {
        std::filesystem::create_directory(bin_);
        std::filesystem::create_directory(calls_);
        std::ofstream script(bin_ / "xdg-open");
        script << "#!/bin/sh\n"
                  "out=\"" << calls_.string() << "/call.$$\"\n"
                  "printf '%s\\n%s' \"$#\" \"$1\" > \"$out.tmp\" && mv \"$out.tmp\" \"$out\"\n";
        script.close();
        std::filesystem::permissions(bin_ / "xdg-open", std::filesystem::perms::owner_all);
        qputenv("PATH", QByteArray::fromStdString(bin_.string()) + ":" + previousPath_);
    }
    ~StandInOpener() override { qputenv("PATH", previousPath_); }

    // The argument lists of the calls written down so far.
    std::vector<std::string> Calls() const
    {
        std::vector<std::string> calls;
        for (const auto& entry : std::filesystem::directory_iterator(calls_)) {
            if (entry.path().extension() != ".tmp")
                calls.push_back(folder.Read((std::filesystem::path("calls") / entry.path().filename()).string()));
        }
        return calls;
    }

    std::vector<std::string> WaitForCalls() const
    {
        EXPECT_TRUE(QTest::qWaitFor([&] { return !Calls().empty(); }, 10000));
        return Calls();
    }

    TempFolder folder;
    QtScreen screen{nullptr};

private:
    std::filesystem::path bin_ = folder.Path() / "bin";
    std::filesystem::path calls_ = folder.Path() / "calls";
    QByteArray previousPath_;
};

TEST_F(StandInOpener, HandsTheUrlOverAsOneArgument)
{
    const std::pair<std::string, std::string> cases[] = {
        {M1Url, "http://archive.stsci.edu/cgi-bin/dss_search?v=all&r=05%2034m+%200031.97"
                "&d=+%2022%B0%2000'%2052.1\"&e=J2000&h=5&w=5&f=gif&c=none&fov=NONE&v3="},
        {"http://h/?a=\"x y\";$(touch pwned)`id` &b='c'", "http://h/?a=\"x y\";$(touch pwned)`id` &b='c'"},
    };
    for (const auto& [url, argument] : cases) {
        std::filesystem::remove_all("calls");
        std::filesystem::create_directory("calls");
        folder.Write("link.url", ShortcutWith(url));
        screen.OpenShortcut("link.url");
        EXPECT_EQ(WaitForCalls(), std::vector<std::string>{"1\n" + argument});
    }
    EXPECT_FALSE(std::filesystem::exists("pwned"));
}

TEST_F(StandInOpener, OpensNothingWithoutAUrl)
{
    std::filesystem::create_directory("folder.url");
    folder.Write("no-url.url", "[InternetShortcut]\r\n");
    folder.Write("empty.url", ShortcutWith(""));
    for (const char* name : {"missing.url", "folder.url", "no-url.url", "empty.url"})
        screen.OpenShortcut(name);
    folder.Write("link.url", ShortcutWith("http://last/"));
    screen.OpenShortcut("link.url");
    EXPECT_EQ(WaitForCalls(), std::vector<std::string>{"1\nhttp://last/"}) << "only the last call opened anything";
}

}
