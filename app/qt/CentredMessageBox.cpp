#include "app/qt/CentredMessageBox.h"

#include <QGuiApplication>
#include <QScreen>

void CentredMessageBox::showEvent(QShowEvent* event)
{
    QMessageBox::showEvent(event);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}
