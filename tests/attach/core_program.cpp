// A Qt program with no QApplication, though it links Qt Widgets: qx-inspect preloads the probe, which
// must leave it alone. It runs its event loop for a moment and exits with code 5.
#include <QApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // A use of Qt Widgets, so that the linker keeps the library among the program's dependencies.
    std::printf("core program, not a %s\n", QApplication::staticMetaObject.className());
    std::fflush(stdout);
    QTimer::singleShot(300, &app, [] { QCoreApplication::exit(5); });
    return app.exec();
}
