#include "Fixtures.h"
#include "TempFolder.h"
#include "app/Unit1.h"
#include "app/qt/ApplicationWindow.h"
#include "app/qt/MainWindow.h"
#include "app/qt/QtScreen.h"
#include "app/qt/QtText.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

// The program put together as its entry does, on real widgets offscreen, in a
// folder of bad files: what the error report says, then that the window still
// looks objects up and writes link.url.
namespace {

const std::string M31Url = "http://archive.stsci.edu/cgi-bin/dss_search?v=all&r=00%2042m+%200044.3"
                           "&d=+%2041\xB0%2016'%2009\"&e=J2000&h=5&w=5&f=gif&c=none&fov=NONE&v3=";

std::string Objects(int lines)
{
    std::string text;
    for (int i = 1; i < lines; ++i)
        text += "N " + std::to_string(i) + "|01|02|03|+|04|05|06|\r\n";
    return text + "END\r\n";
}

// Reads and closes every message box the program opens while it runs.
class ErrorReportReader {
public:
    ErrorReportReader()
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            texts.push_back(FromQString(box->windowTitle()) + ": " + FromQString(box->text()));
            QTest::keyClick(box, Qt::Key_Return);
        });
        timer_.start(5);
    }
    std::vector<std::string> texts;

private:
    QTimer timer_;
};

class BadInputAtStart : public ::testing::Test {
protected:
    BadInputAtStart()
    {
        // The guard's per-user lock goes to a runtime folder of this test's
        // own, so that tests running beside it cannot stop its start.
        std::filesystem::create_directory(folder.Path() / "runtime");
        std::filesystem::permissions(folder.Path() / "runtime", std::filesystem::perms::owner_all);
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString((folder.Path() / "runtime").string()));
    }
    ~BadInputAtStart() override { qunsetenv("XDG_RUNTIME_DIR"); }

    // Starts the program as its entry does, with the files as they are now.
    void Start()
    {
        window.reset();
        form.reset();
        screen.reset();
        applicationWindow = std::make_unique<ApplicationWindow>("celestrix");
        screen = std::make_unique<QtScreen>(applicationWindow.get());
        form = std::make_unique<TForm1>(*screen, "celestrix");
        window = std::make_unique<MainWindow>(*form);
        form->Create();
        ASSERT_FALSE(form->Terminated());
        window->ShowCentred();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    // Types the number, presses "Generate link", and reads link.url back.
    std::string LinkFor(const char* number)
    {
        auto* edit8 = dynamic_cast<QLineEdit*>(window->Widget("Edit8"));
        edit8->selectAll();
        QTest::keyClicks(edit8, number);
        QTest::mouseClick(window->Widget("Button1"), Qt::LeftButton);
        if (!std::filesystem::is_regular_file("link.url"))
            return "(none)";
        std::ifstream file("link.url", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }

    TempFolder folder;
    ErrorReportReader reports;
    std::unique_ptr<ApplicationWindow> applicationWindow;
    std::unique_ptr<QtScreen> screen;
    std::unique_ptr<TForm1> form;
    std::unique_ptr<MainWindow> window;
};

TEST_F(BadInputAtStart, ReportsWhyTheCatalogueDidNotLoadAndLooksNothingUp)
{
    struct Case {
        const char* name;
        std::function<void(const TempFolder&)> prepare;
        std::vector<std::string> reports;
        std::string link;
    };
    const auto write = [](std::string bytes) { return [bytes](const TempFolder& f) { f.Write("m_ngc_ic.txt", bytes); }; };
    const Case cases[] = {
        {"missing", [](const TempFolder&) {}, {"celestrix: File not found."}, ShortcutWith("")},
        {"a folder", [](const TempFolder&) { std::filesystem::create_directory("m_ngc_ic.txt"); },
            {"celestrix: File access denied."}, ShortcutWith("")},
        {"20,001 lines", write(Objects(20001)), {"celestrix: m_ngc_ic.txt holds more than 20000 lines."},
            ShortcutWith("")},
        {"exactly 20,000 lines", write(Objects(20000)), {}, ShortcutWith("")},
        {"no end marker", write(SmallCatalogue.substr(0, SmallCatalogue.find("END"))), {}, ShortcutWith(M31Url)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder caseFolder;
        c.prepare(caseFolder);
        reports.texts.clear();
        Start();
        EXPECT_EQ(reports.texts, c.reports);
        EXPECT_EQ(LinkFor("31"), c.link);
        EXPECT_EQ(reports.texts, c.reports) << "no report while looking up and writing";
    }
}

TEST_F(BadInputAtStart, ABadLanguageFileStillLetsTheCatalogueLoad)
{
    const std::string megabyte(1 << 20, 'W');
    struct Case {
        const char* name;
        std::function<void()> prepare;
        std::string firstCaption;
    };
    const Case cases[] = {
        {"a folder", [] { std::filesystem::create_directory("language.txt"); }, "Generate link"},
        {"empty", [this] { folder.Write("language.txt", ""); }, ""},
        {"binary", [this] { folder.Write("language.txt", std::string("\x01\xFF\0\x1A\r\x80 tail\n", 10)); }, "\xFF"},
        {"very long lines", [&] { folder.Write("language.txt", megabyte + "\r\n" + megabyte + "\r\n"); }, megabyte},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all("language.txt");
        folder.Write("m_ngc_ic.txt", SmallCatalogue);
        c.prepare();
        reports.texts.clear();
        Start();
        EXPECT_EQ(reports.texts, std::vector<std::string>{});
        EXPECT_EQ(dynamic_cast<QPushButton*>(window->Widget("Button1"))->text(), ToQString(c.firstCaption));
        EXPECT_EQ(LinkFor("31"), ShortcutWith(M31Url));
    }
}

TEST_F(BadInputAtStart, AFailedWriteOfLinkUrlIsReportedAndTheNextPressWritesIt)
{
    struct Case {
        const char* name;
        std::function<void()> block;
        std::string report;
    };
    const Case cases[] = {
        {"a folder", [] { std::filesystem::create_directory("link.url"); }, "celestrix: File access denied."},
        {"a link to a full device", [] { std::filesystem::create_symlink("/dev/full", "link.url"); },
            "celestrix: Disk full."},
    };
    folder.Write("m_ngc_ic.txt", SmallCatalogue);
    Start();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove("link.url");
        c.block();
        reports.texts.clear();
        LinkFor("31");
        EXPECT_EQ(reports.texts, std::vector<std::string>{c.report});
        EXPECT_EQ(form->Edit1.Text(), M31Url) << "the link box keeps the link";
        std::filesystem::remove("link.url");
        EXPECT_EQ(LinkFor("31"), ShortcutWith(M31Url));
        EXPECT_EQ(reports.texts, std::vector<std::string>{c.report});
    }
}

}
