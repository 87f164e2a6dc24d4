// qx-typeinfo: prints every published property of a class of ours or of Qt, with its kind, type name,
// value text and whether the value differs from the declared default. Object-kind properties that lead
// to an object are opened into their sub-properties.
//   qx-typeinfo QPushButton
#include <QXInspector/Component.h>
#include <QXInspector/Graphics.h>
#include <QXInspector/QXItemListEditor.h>
#include <QXInspector/TypeInfo.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTextEdit>

#include <cstdio>
#include <functional>
#include <map>
#include <memory>

using namespace QXPlatform;

namespace {

using Factory = std::function<QObject *()>;

const std::map<QString, Factory> &factories()
{
    static const std::map<QString, Factory> table = {
        { QStringLiteral("QWidget"), [] { return new QWidget; } },
        { QStringLiteral("QPushButton"), [] { return new QPushButton(QStringLiteral("OK")); } },
        { QStringLiteral("QLineEdit"), [] { return new QLineEdit; } },
        { QStringLiteral("QCheckBox"), [] { return new QCheckBox; } },
        { QStringLiteral("QSpinBox"), [] { return new QSpinBox; } },
        { QStringLiteral("QLabel"), [] { return new QLabel; } },
        { QStringLiteral("QListWidget"), [] { return new QListWidget; } },
        { QStringLiteral("QComboBox"), [] { return new QComboBox; } },
        { QStringLiteral("QTextEdit"), [] { return new QTextEdit; } },
        { QStringLiteral("TFont"), [] { return Create<TFont>(); } },
        { QStringLiteral("TQXItemListEditor"), [] { return Create<TQXItemListEditor>(); } },
    };
    return table;
}

void print(const QObject *object, const QString &indent, int depth)
{
    for (const TPropInfo &info : GetPropList(object, tkProperties, false)) {
        // A sub-object has no name of its own: objectName belongs to components.
        if (!IsComponent(object) && info.Name == QLatin1String("objectName"))
            continue;
        QString value;
        QString differs = QStringLiteral("-");
        try {
            value = info.Kind == tkClass ? QStringLiteral("(%1)").arg(info.TypeName)
                                         : GetPropText(object, info.Name);
            differs
                = IsDefaultValue(object, info.Name) ? QStringLiteral("default") : QStringLiteral("changed");
        } catch (const Exception &e) {
            value = QStringLiteral("<%1>").arg(e.Message());
        }
        std::printf("%s%-28s %-14s %-18s %-9s %s\n", qPrintable(indent), qPrintable(info.Name),
                    qPrintable(TypeKindName(info.Kind)), qPrintable(info.TypeName), qPrintable(differs),
                    qPrintable(value));
        if (info.Kind == tkClass && depth < 3)
            if (const QObject *sub = GetObjectProp(object, info.Name))
                print(sub, indent + QStringLiteral("  "), depth + 1);
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString name = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("QPushButton");
    const auto found = factories().find(name);
    if (found == factories().end()) {
        std::fprintf(stderr, "qx-typeinfo: unknown class %s; known:", qPrintable(name));
        for (const auto &[known, make] : factories())
            std::fprintf(stderr, " %s", qPrintable(known));
        std::fprintf(stderr, "\n");
        return 1;
    }
    QObject *object = found->second();
    std::printf("%s\n%-28s %-14s %-18s %-9s %s\n", qPrintable(name), "property", "kind", "type", "default",
                "value");
    print(object, QString(), 0);
    FreeObject(object);
    return 0;
}
