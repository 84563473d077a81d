#include "app/qt/QtScreen.h"

#include "app/qt/CentredMessageBox.h"
#include "app/qt/InstanceLock.h"
#include "app/qt/QtText.h"
#include "app/qt/X11WindowWalk.h"
#include "common/IoError.h"
#include "link/LinkFile.h"

#include <QGuiApplication>
#include <QProcess>

QtScreen::QtScreen(QWidget* applicationWindow)
    : applicationWindow_(applicationWindow)
{
}

QtScreen::~QtScreen() = default;

void QtScreen::ShowErrorBox(const std::string& caption, const std::string& text)
{
    CentredMessageBox box(QMessageBox::Critical, ToQString(caption), ToQString(text), QMessageBox::Ok, applicationWindow_);
    box.exec();
}

void QtScreen::ShowWarningBox(const std::string& caption, const std::string& text)
{
    CentredMessageBox box(QMessageBox::Warning, ToQString(caption), ToQString(text), QMessageBox::Ok, applicationWindow_);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
}

// Without X11 there are no other programs' windows to walk. This copy takes
// the per-user lock named after its application title instead and keeps it
// while it runs; a lock another process holds stands for that copy's
// application window.
std::vector<TopLevelWindow> QtScreen::TopLevelWindows()
{
    if (!applicationWindow_)
        return {};
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        return WalkX11TopLevelWindows(applicationWindow_->winId());
    const std::string title = FromQString(applicationWindow_->windowTitle());
    if (!instanceLock_)
        instanceLock_ = std::make_unique<InstanceLock>(title);
    if (!instanceLock_->HeldByAnother())
        return {};
    return {{false, false, title}};
}

// Linux has no shell that opens Internet-shortcut files: the URL is read back
// from the file as it stands on disk and handed to the desktop's opener as one
// argument, never through a command line. A file that cannot be read, or that
// holds no URL, opens nothing, as a shell that cannot open it would.
void QtScreen::OpenShortcut(const std::string& fileName)
{
    std::optional<std::string> url;
    try {
        url = UrlOfShortcut(fileName);
    } catch (const IoError&) {
        return;
    }
    if (!url || url->empty())
        return;
    QProcess::startDetached(QStringLiteral("xdg-open"), {QString::fromLatin1(PercentEncodeHighBytes(*url))});
}
