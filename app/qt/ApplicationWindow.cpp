#include "app/qt/ApplicationWindow.h"

#include "app/qt/QtText.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

ApplicationWindow::ApplicationWindow(const std::string& title)
{
    setWindowTitle(ToQString(title));
    winId(); // makes the native window now, without showing it
}

std::string ExecutablePath()
{
    const QString path = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
    return FromQString(path.isEmpty() ? QCoreApplication::applicationFilePath() : path);
}
