// The attach probe: a library qx-inspect preloads into a program (LD_PRELOAD). Its static initializer
// runs before the program's main and registers a startup routine with QCoreApplication; once the
// program's QApplication is complete (a queued call from that routine), the probe checks that it runs in a
// Qt Widgets application of the Qt version it was built with and opens its window. The options come
// in the QX_INSPECT_* variables qx-inspect sets; the scripted ones (select, set, screenshot, list, quit)
// run once the program has started.
#include "QXProbeWindow.h"

#include <QXInspector/Exceptions.h>
#include <QXInspector/QXObjectInspector.h>

#include <QApplication>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace QXPlatform;

namespace {

/// What qx-inspect asked for, read from the environment before main.
struct TOptions
{
    std::string Select; ///< object names or classes, comma-separated
    std::string Sets; ///< path=value lines, written in order
    std::string Screenshot; ///< a PNG file of the window
    std::string Chord; ///< the chord that toggles the window
    int WaitMs = 0; ///< how long after the selection the scripted writes, picture and list wait
    bool List = false;
    bool Quit = false;
    bool Hidden = false;
    bool NoPicker = false;
    bool Verbose = false;
};

TOptions options;
// The window, owned here; deleted when the event loop ends, or left to the end of the process for a
// program that never runs one (a widget must not outlive QApplication's destructor).
TQXProbeWindow *window = nullptr;
// How long the script looks for the objects to select before it gives up.
constexpr int SelectTimeoutMs = 10000;
constexpr int PollMs = 50;

void say(const QString &text)
{
    std::fprintf(stderr, "qx-inspect: %s\n", qPrintable(text));
}

std::string take(const char *name)
{
    const char *value = std::getenv(name);
    std::string result = value ? value : "";
    unsetenv(name);
    return result;
}

/// Reads the options and clears them, and gives the program back the LD_PRELOAD it was started with, so
/// that programs it starts run without the probe.
bool readEnvironment()
{
    if (take("QX_INSPECT") != "1")
        return false;
    options.Select = take("QX_INSPECT_SELECT");
    options.Sets = take("QX_INSPECT_SET");
    options.Screenshot = take("QX_INSPECT_SCREENSHOT");
    options.Chord = take("QX_INSPECT_CHORD");
    options.WaitMs = std::atoi(take("QX_INSPECT_WAIT").c_str());
    options.List = take("QX_INSPECT_LIST") == "1";
    options.Quit = take("QX_INSPECT_QUIT") == "1";
    options.Hidden = take("QX_INSPECT_HIDDEN") == "1";
    options.NoPicker = take("QX_INSPECT_NO_PICKER") == "1";
    options.Verbose = take("QX_INSPECT_VERBOSE") == "1";
    const char *saved = std::getenv("QX_INSPECT_LD_PRELOAD");
    if (saved && *saved)
        setenv("LD_PRELOAD", saved, 1);
    else
        unsetenv("LD_PRELOAD");
    unsetenv("QX_INSPECT_LD_PRELOAD");
    return true;
}

QString qs(const std::string &text)
{
    return QString::fromLocal8Bit(text.c_str());
}

/// Ends the program after a scripted run: with the event loop's exit code when it runs one.
void quit(bool ok)
{
    QCoreApplication::exit(ok ? 0 : 1);
}

/// Whether the script ends the program once it has run.
bool scripted()
{
    return options.Quit || options.List || !options.Screenshot.empty();
}

/// The writes, the picture and the list, in that order, then the end of the program when asked. Each
/// step is guarded on its own, so that a scripted run always ends.
void runActions()
{
    bool ok = true;
    for (const QString &line : qs(options.Sets).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const qsizetype at = line.indexOf(QLatin1Char('='));
        const QString path = line.left(at);
        const QString value = at < 0 ? QString() : line.mid(at + 1);
        bool written = false;
        Guarded([&] { written = at > 0 && window->TypeInto(path, value); });
        if (!written)
            say(QStringLiteral("cannot write %1 on %2").arg(path, window->InspectedText()));
        else if (options.Verbose)
            say(QStringLiteral("wrote %1 = %2").arg(path, value));
        ok = ok && written;
    }
    // The picture and the list wait for the refresh a write queues.
    QTimer::singleShot(PollMs, window, [ok]() mutable {
        if (!options.Screenshot.empty()) {
            const QString file = qs(options.Screenshot);
            bool saved = false;
            Guarded([&] { saved = window->grab().save(file, "PNG"); });
            if (!saved)
                say(QStringLiteral("cannot write %1").arg(file));
            else if (options.Verbose)
                say(QStringLiteral("wrote %1").arg(file));
            ok = ok && saved;
        }
        if (options.List)
            ok = Guarded([] {
                     std::fputs(window->TreeText().toLocal8Bit().constData(), stdout);
                     std::fflush(stdout);
                 })
                && ok;
        if (scripted())
            quit(ok);
    });
}

/// Looks for the objects to select until they are all there, selects them, then waits and acts.
void runScript(int waitedMs)
{
    QObjectList found;
    QStringList missing;
    for (const QString &name : qs(options.Select).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        if (QObject *object = window->FindObject(name.trimmed()))
            found << object;
        else
            missing << name.trimmed();
    }
    if (!missing.isEmpty() && waitedMs < SelectTimeoutMs) {
        QTimer::singleShot(PollMs, window, [waitedMs] { Guarded([&] { runScript(waitedMs + PollMs); }); });
        return;
    }
    if (!missing.isEmpty()) {
        say(QStringLiteral("no object named or of class %1").arg(missing.join(QStringLiteral(", "))));
        if (scripted() || !options.Sets.empty())
            quit(false);
        return;
    }
    if (!found.isEmpty())
        window->Select(found);
    QTimer::singleShot(options.WaitMs, window, [] { Guarded(runActions); });
}

/// Puts the window beside the program's first visible window, on the same screen where it fits.
void placeBeside()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget == window || !widget->isVisible())
            continue;
        const QRect frame = widget->frameGeometry();
        const QRect screen = widget->screen() ? widget->screen()->availableGeometry() : QRect();
        QPoint at(frame.right() + 8, frame.top());
        if (screen.isValid() && at.x() + window->width() > screen.right())
            at.setX(std::max(screen.left(), frame.left() - window->width() - 8));
        window->move(at);
        return;
    }
}

void install()
{
    if (std::strcmp(qVersion(), QT_VERSION_STR) != 0) {
        say(QStringLiteral("the program runs Qt %1, the probe was built for Qt %2; the program runs without "
                           "the inspector")
                .arg(QLatin1String(qVersion()), QLatin1String(QT_VERSION_STR)));
        return;
    }
    if (!qobject_cast<QApplication *>(QCoreApplication::instance())) {
        say(QStringLiteral("the program is not a Qt Widgets application (it has no QApplication); it runs "
                           "without the inspector"));
        return;
    }
    // Errors in the probe go to stderr rather than to a message box that would hold up the program;
    // a program that set a handler of its own keeps it.
    if (const TExceptionHandler previous
        = SetExceptionHandler([](const std::exception_ptr &error) { say(ExceptionMessage(error)); }))
        SetExceptionHandler(previous);

    window = new TQXProbeWindow;
    if (!options.Chord.empty())
        window->SetChord(QKeySequence(qs(options.Chord)));
    window->SetPicker(!options.NoPicker);
    if (options.Verbose)
        QObject::connect(window, &TQXProbeWindow::inspectedChanged, window,
                         [](const QString &text) { say(QStringLiteral("inspecting ") + text); });
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, qApp,
                     [] { delete std::exchange(window, nullptr); });
    placeBeside();
    if (!options.Hidden)
        window->show();
    runScript(0);
}

/// The startup routine, called in QCoreApplication's constructor; the window waits for the queued call,
/// when QApplication is complete.
void startup()
{
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [] { Guarded(install); }, Qt::QueuedConnection);
}

/// Registers the startup routine before main when qx-inspect started the program.
struct TProbeLoader
{
    TProbeLoader()
    {
        if (readEnvironment())
            qAddPreRoutine(startup);
    }
} loader;

} // namespace
