#include "app/Unit1.h"
#include "app/qt/ApplicationWindow.h"
#include "app/qt/MainWindow.h"
#include "app/qt/QtScreen.h"
#include "common/AppTitle.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const std::string title = ApplicationTitle(ExecutablePath());
    ApplicationWindow applicationWindow(title);
    QtScreen screen(&applicationWindow);
    TForm1 Form1(screen, title);
    MainWindow window(Form1);
    Form1.Create();
    window.ShowCentred();
    return app.exec();
}
