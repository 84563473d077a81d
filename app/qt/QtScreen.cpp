#include "app/qt/QtScreen.h"

#include "app/qt/CentredMessageBox.h"
#include "app/qt/QtText.h"
#include "common/IoError.h"
#include "link/LinkFile.h"

#include <QProcess>

QtScreen::QtScreen(QWidget* applicationWindow)
    : applicationWindow_(applicationWindow)
{
}

void QtScreen::ShowErrorBox(const std::string& caption, const std::string& text)
{
    CentredMessageBox box(QMessageBox::Critical, ToQString(caption), ToQString(text), QMessageBox::Ok, applicationWindow_);
    box.exec();
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
