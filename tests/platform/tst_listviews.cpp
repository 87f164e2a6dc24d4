// List and tree views in the library's terms: the adapters over Qt's widgets, published as Items.
#include "QXTestSupport.h"

#include <QXInspector/ListViews.h>
#include <QXInspector/StringList.h>
#include <QXInspector/TypeInfo.h>

#include <QListWidget>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using namespace QXPlatform;

namespace {

/// The tree as indented text, one node per line, two spaces per level.
QString outline(const QTreeWidget &tree)
{
    QString text;
    std::function<void(const QTreeWidgetItem *, int)> walk = [&](const QTreeWidgetItem *node, int depth) {
        text += QString(depth * 2, QLatin1Char(' ')) + node->text(0) + QLatin1Char('\n');
        for (int i = 0; i < node->childCount(); ++i)
            walk(node->child(i), depth + 1);
    };
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        walk(tree.topLevelItem(i), 0);
    return text;
}

} // namespace

class tst_ListViews : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void itemsPublishedOnListAndTreeWidgets_data()
    {
        QTest::addColumn<bool>("tree");
        QTest::addColumn<QString>("typeName");
        QTest::newRow("QListWidget") << false << "TListItems";
        QTest::newRow("QTreeWidget") << true << "TTreeNodes";
    }
    void itemsPublishedOnListAndTreeWidgets()
    {
        QFETCH(bool, tree);
        QFETCH(QString, typeName);
        auto *view = tree ? static_cast<QAbstractItemView *>(new QTreeWidget) : new QListWidget;
        QCOMPARE(PropTypeName(view, QStringLiteral("items")), typeName);
        QCOMPARE(PropType(view, QStringLiteral("Items")), tkClass);
        QVERIFY(GetPropList(view).end()
                != std::find_if(GetPropList(view).begin(), GetPropList(view).end(),
                                [&](const TPropInfo &info) { return info.TypeName == typeName; }));
        QObject *adapter = GetObjectProp(view, QStringLiteral("Items"));
        QObject *expected = tree ? static_cast<QObject *>(TreeNodesOf(static_cast<QTreeWidget *>(view)))
                                 : ListItemsOf(view);
        QVERIFY(adapter);
        QCOMPARE(adapter, expected);
        QCOMPARE(GetObjectProp(view, QStringLiteral("Items")), adapter);
        QVERIFY(!IsStoredProp(view, QStringLiteral("Items")));
        const QPointer<QObject> watch(adapter);
        delete view;
        QVERIFY(!watch);
        QVERIFY(!IsPublishedProp(&QAbstractItemView::staticMetaObject, QStringLiteral("Items")));
    }

    void treeLoadedFromIndentedText()
    {
        QTemporaryDir dir;
        const QString fileName = dir.filePath(QStringLiteral("tree.txt"));
        TStringList lines;
        lines.SetStrings({ "Europe", "\tLyon", "\t\tCroix-Rousse", "  Porto", "", "Asia", "\t\t\tOsaka" });
        lines.SaveToFile(fileName);
        QTreeWidget tree;
        TreeNodesOf(&tree)->LoadFromFile(fileName);
        QCOMPARE(outline(tree),
                 QStringLiteral("Europe\n  Lyon\n    Croix-Rousse\n    Porto\nAsia\n  Osaka\n"));
        QCOMPARE(TreeNodesOf(&tree)->Count(), 6);

        const QPair<QString, QString> error = QXTest::raised(
            [&] { TreeNodesOf(&tree)->LoadFromFile(dir.filePath(QStringLiteral("none.txt"))); });
        QCOMPARE(error.first, QStringLiteral("EFOpenError"));
        QVERIFY(error.second.contains(QStringLiteral("none.txt")));
        QCOMPARE(TreeNodesOf(&tree)->Count(), 6);
    }

    void treeIndentUnitDetected_data()
    {
        QTest::addColumn<QString>("indent");
        QTest::newRow("tab") << "\t";
        QTest::newRow("two spaces") << "  ";
        QTest::newRow("four spaces") << "    ";
        QTest::newRow("three spaces") << "   ";
    }
    void treeIndentUnitDetected()
    {
        QFETCH(QString, indent);
        QTemporaryDir dir;
        const QString fileName = dir.filePath(QStringLiteral("tree.txt"));
        TStringList lines;
        lines.SetStrings({ "Europe", indent + "France", indent.repeated(2) + "Lyon", indent + "Spain", "Asia",
                           indent + "Japan" });
        lines.SaveToFile(fileName);
        QTreeWidget tree;
        TreeNodesOf(&tree)->LoadFromFile(fileName);
        QCOMPARE(outline(tree), QStringLiteral("Europe\n  France\n    Lyon\n  Spain\nAsia\n  Japan\n"));
    }
};

QTEST_MAIN(tst_ListViews)
#include "tst_listviews.moc"
