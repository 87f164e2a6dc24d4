// The demo: a window that grows with the library. With no display (QT_QPA_PLATFORM=offscreen, or no
// DISPLAY) it renders itself to a PNG and prints the path instead of running the event loop.
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdio>

int main(int argc, char **argv)
{
    const bool headless = qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (headless && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QX Inspector demo"));

    QWidget window;
    window.setWindowTitle(QStringLiteral("QX Inspector demo"));
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("QX Inspector: the item list editor arrives here."), &window));
    window.resize(480, 320);
    window.show();

    if (QGuiApplication::platformName() == QLatin1String("offscreen") || app.arguments().contains("--screenshot")) {
        const QString path = QDir::current().absoluteFilePath(QStringLiteral("qxdemo.png"));
        window.grab().save(path);
        std::printf("%s\n", qPrintable(path));
        return 0;
    }
    return app.exec();
}
