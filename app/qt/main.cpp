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
    Form1.Create();
    if (Form1.Terminated())
        return 0;
    // The widgets show the state as start-up left it; a copy that is stopped
    // never pays for them.
    MainWindow window(Form1);
    window.ShowCentred();
    return app.exec();
}
