// The least a Qt Widgets program costs to start: it only shows an empty
// window. The start-up figures set the program beside it. Given "--text", the
// window shows one line of text, which is what fonts add to that least.
#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <cstring>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.resize(353, 202);
    if (argc > 1 && std::strcmp(argv[1], "--text") == 0)
        new QLabel(QStringLiteral("Celestrix"), &window);
    window.show();
    return app.exec();
}
