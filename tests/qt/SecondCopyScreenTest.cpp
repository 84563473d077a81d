#include "TempFolder.h"
#include "app/qt/QtScreen.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace {

struct SeenWarning {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
    bool okIsDefault = false;
    bool okIsEscape = false;
    QWidget* parent = nullptr;
    QPoint centre;
    bool closed = false;
};

TEST(QtScreen, WarningBoxIsCentredWithExclamationIconAndOneOkForEnterAndEsc)
{
    QWidget applicationWindow;
    applicationWindow.setWindowTitle("celestrix");
    QtScreen screen(&applicationWindow);
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        SCOPED_TRACE(key == Qt::Key_Return ? "Enter" : "Esc");
        SeenWarning seen;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            seen.title = box->windowTitle();
            seen.text = box->text();
            seen.icon = box->icon();
            for (QAbstractButton* button : box->buttons())
                seen.buttons << button->text().remove('&');
            QAbstractButton* ok = box->button(QMessageBox::Ok);
            seen.okIsDefault = ok && box->defaultButton() == ok;
            seen.okIsEscape = ok && box->escapeButton() == ok;
            seen.parent = box->parentWidget();
            seen.centre = box->frameGeometry().center();
            QTest::keyClick(box, key);
        });
        screen.ShowWarningBox("Warning", "Celestrix is already running!");
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the key closed the box";
        EXPECT_EQ(seen.title, "Warning");
        EXPECT_EQ(seen.text, "Celestrix is already running!");
        EXPECT_EQ(seen.icon, QMessageBox::Warning);
        EXPECT_EQ(seen.buttons, QStringList{"OK"});
        EXPECT_TRUE(seen.okIsDefault);
        EXPECT_TRUE(seen.okIsEscape);
        EXPECT_EQ(seen.parent, &applicationWindow);
        const QPoint screenCentre = QGuiApplication::primaryScreen()->geometry().center();
        EXPECT_LE((seen.centre - screenCentre).manhattanLength(), 4);
    }
}

// Without X11 (here the offscreen platform) a running copy is known by the
// per-user lock named after its application title.
class WithoutX11 : public ::testing::Test {
protected:
    WithoutX11()
        : previousRuntimeFolder_(qgetenv("XDG_RUNTIME_DIR"))
    {
        std::filesystem::create_directory(runtimeFolder_);
        std::filesystem::permissions(runtimeFolder_, std::filesystem::perms::owner_all);
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(runtimeFolder_.string()));
    }
    ~WithoutX11() override { qputenv("XDG_RUNTIME_DIR", previousRuntimeFolder_); }

    // A copy of the program as the guard sees it: its application window and screen.
    struct Copy {
        explicit Copy(const char* title)
        {
            applicationWindow.setWindowTitle(title);
        }
        QWidget applicationWindow;
        QtScreen screen{&applicationWindow};
    };

    TempFolder folder;

private:
    std::filesystem::path runtimeFolder_ = folder.Path() / "runtime";
    QByteArray previousRuntimeFolder_;
};

TEST_F(WithoutX11, ACopyHoldsItsTitlesLockWhileItRuns)
{
    ASSERT_NE(QGuiApplication::platformName(), "xcb");
    auto first = std::make_unique<Copy>("celestrix");
    EXPECT_TRUE(first->screen.TopLevelWindows().empty());

    Copy second("celestrix");
    const std::vector<TopLevelWindow> seen = second.screen.TopLevelWindows();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_FALSE(seen[0].BelongsToThisCopy);
    EXPECT_FALSE(seen[0].HasOwner);
    EXPECT_EQ(seen[0].Title, "celestrix");

    Copy otherTitle("Celestrix");
    EXPECT_TRUE(otherTitle.screen.TopLevelWindows().empty());

    first.reset();
    Copy afterTheFirstEnded("celestrix");
    EXPECT_TRUE(afterTheFirstEnded.screen.TopLevelWindows().empty());
}

}
