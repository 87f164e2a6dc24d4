// Loads the Qt Designer plugin from Qt's designer plugin folder below a scratch root (where the Designer
// package was unpacked), as Designer would: the plugin finds the libraries it needs through its own run
// path, since this program links none of them.
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QPluginLoader>
#include <QTextStream>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: plugin_loader <root>\n";
        return 2;
    }
    const QString file = QDir::cleanPath(QString::fromLocal8Bit(argv[1]) + QLatin1Char('/')
                                         + QLibraryInfo::path(QLibraryInfo::PluginsPath)
                                         + QStringLiteral("/designer/libQXInspectorDesign.so"));
    QPluginLoader loader(file);
    auto *collection = qobject_cast<QDesignerCustomWidgetCollectionInterface *>(loader.instance());
    if (!collection) {
        err << file << ": " << loader.errorString() << '\n';
        return 1;
    }
    QStringList names;
    for (QDesignerCustomWidgetInterface *widget : collection->customWidgets())
        names.append(widget->name());
    const QStringList expected { QStringLiteral("TQXItemListEditor"), QStringLiteral("TQXObjectInspector"),
                                 QStringLiteral("TQXDBInspector") };
    if (names != expected) {
        err << file << " offers " << names.join(QLatin1Char(' ')) << '\n';
        return 1;
    }
    return 0;
}
