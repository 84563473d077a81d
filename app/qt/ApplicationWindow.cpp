#include "app/qt/ApplicationWindow.h"

#include "app/qt/QtText.h"
#include "app/qt/X11WindowWalk.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

ApplicationWindow::ApplicationWindow(const std::string& title)
{
    setWindowTitle(ToQString(title));
    winId(); // makes the native window now, without showing it
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        SetX11WindowName(winId(), title);
}

std::string ExecutablePath()
{
    const QString path = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
    return FromQString(path.isEmpty() ? QCoreApplication::applicationFilePath() : path);
}
