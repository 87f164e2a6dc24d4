// A small Qt Widgets program to try qx-inspect on (its tests run it): a form of named widgets that prints
// each change of their values on stdout, so that a write made from the inspector shows.
//   qx-attach-sample [--delete NAME MS] [--quit-after MS]
// --delete deletes the widget of that name MS milliseconds after the start, while an inspector may show
// it; --quit-after ends the program on its own.
#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

#include <cstdio>

namespace {

void print(const QString &text)
{
    std::printf("%s\n", qPrintable(text));
    std::fflush(stdout);
}

/// Prints the point size of the widget's font each time the font changes (a write to a part of a value,
/// which the inspector makes as a row below the font).
class TFontPrinter : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::FontChange)
            print(QStringLiteral("%1.font.pointSize=%2")
                      .arg(watched->objectName())
                      .arg(static_cast<QWidget *>(watched)->font().pointSize()));
        return false;
    }
};

template<class W> W *named(W *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("qx-attach-sample"));
    // An object the application owns that is no widget.
    named(new QObject(&app), "SampleSettings");

    QWidget window;
    window.setObjectName(QStringLiteral("SampleWindow"));
    window.setWindowTitle(QStringLiteral("qx-attach-sample"));
    auto *form = new QFormLayout(&window);
    auto *name = named(new QLineEdit, "NameEdit");
    auto *city = named(new QLineEdit, "CityEdit");
    auto *count = named(new QSpinBox, "CountSpin");
    auto *subscribe = named(new QCheckBox(QStringLiteral("Subscribe")), "SubscribeBox");
    auto *send = named(new QPushButton(QStringLiteral("Send")), "SendButton");
    form->addRow(QStringLiteral("Name"), name);
    form->addRow(QStringLiteral("City"), city);
    form->addRow(QStringLiteral("Copies"), count);
    form->addRow(subscribe);
    form->addRow(send);

    QObject::connect(name, &QLineEdit::textChanged,
                     [](const QString &text) { print("NameEdit.text=" + text); });
    name->installEventFilter(new TFontPrinter(name));
    QObject::connect(city, &QLineEdit::textChanged,
                     [](const QString &text) { print("CityEdit.text=" + text); });
    QObject::connect(count, &QSpinBox::valueChanged,
                     [](int value) { print(QStringLiteral("CountSpin.value=%1").arg(value)); });
    QObject::connect(subscribe, &QCheckBox::toggled,
                     [](bool on) { print(QStringLiteral("SubscribeBox.checked=%1").arg(on)); });
    QObject::connect(send, &QPushButton::clicked, [] { print(QStringLiteral("SendButton clicked")); });

    const QStringList args = QApplication::arguments();
    const qsizetype remove = args.indexOf(QStringLiteral("--delete"));
    if (remove > 0 && remove + 2 < args.size()) {
        const QString victim = args.at(remove + 1);
        QTimer::singleShot(args.at(remove + 2).toInt(), &window, [&window, victim] {
            delete window.findChild<QWidget *>(victim);
            print("deleted " + victim);
        });
    }
    const qsizetype quit = args.indexOf(QStringLiteral("--quit-after"));
    if (quit > 0 && quit + 1 < args.size())
        QTimer::singleShot(args.at(quit + 1).toInt(), &app, &QCoreApplication::quit);

    window.show();
    return app.exec();
}
