// A bare Qt Widgets window started and ended like the programmer in the start-up
// benchmark: the yardstick the programmer's start-up is compared with. With
// --with-text it also shows a menu bar, so that it loads the fonts as every
// window that shows text must.

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(884, 542);
    if (app.arguments().contains(QStringLiteral("--with-text")))
        window.menuBar()->addMenu(QStringLiteral("&File"));
    window.show();
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return app.exec();
}
