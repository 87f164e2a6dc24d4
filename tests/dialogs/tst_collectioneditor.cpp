// The collection editor driven as a user drives it: its actions, its list and the inspector beside it.
#include "QXTestSupport.h"

#include <QXInspector/CommonDialogs.h>
#include <QXInspector/QXObjectInspector.h>
#include <QXInspector/QXTCollectionEditor.h>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QProcess>
#include <QTest>

using namespace QXPlatform;

namespace {

class NamedItem : public TCollectionItem
{
    Q_OBJECT
    Q_PROPERTY(QString Name MEMBER Name)
public:
    Q_INVOKABLE explicit NamedItem(QXPlatform::TCollection *Collection)
        : TCollectionItem(Collection)
    { }
    QString GetDisplayName() const override { return Name; }
    QString Name;
};

/// Publishes a collection of named items that it owns.
class Holder : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QXPlatform::TCollection *Items READ Items)
public:
    explicit Holder(const QStringList &names = {})
        : m_items(Create<TOwnedCollection>(this, &NamedItem::staticMetaObject))
    {
        for (const QString &name : names)
            static_cast<NamedItem *>(m_items->Add())->Name = name;
    }
    ~Holder() override { Free(m_items); }
    TCollection *Items() const { return m_items; }

private:
    TOwnedCollection *m_items;
};

class ColourRule : public TQXPropertyPreset
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit ColourRule(QXPlatform::TCollection *Collection)
        : TQXPropertyPreset(Collection)
    { }
};

class FontRule : public TQXPropertyPreset
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit FontRule(QXPlatform::TCollection *Collection)
        : TQXPropertyPreset(Collection)
    { }
};

QStringList namesOf(const TCollection *collection)
{
    QStringList names;
    for (TCollectionItem *item : collection->ItemList())
        names << item->GetDisplayName();
    return names;
}

QStringList rowTexts(const TfrmCollectionEditor *editor)
{
    QStringList texts;
    for (int i = 0; i < editor->ListView()->topLevelItemCount(); ++i)
        texts << editor->ListView()->topLevelItem(i)->text(0);
    return texts;
}

/// Selects the rows whose captions end with one of names (letters "A", "B", ...).
void selectRows(TfrmCollectionEditor *editor, const QString &names)
{
    editor->ListView()->clearSelection();
    for (int i = 0; i < editor->ListView()->topLevelItemCount(); ++i) {
        QTreeWidgetItem *row = editor->ListView()->topLevelItem(i);
        if (names.contains(row->text(0).right(1)))
            row->setSelected(true);
    }
}

QList<QObject *> inspected(const TQXCustomObjectInspector *inspector)
{
    QList<QObject *> objects;
    for (int i = 0; i < inspector->Objects()->Count(); ++i)
        objects << inspector->Objects()->Items(i)->Objects();
    return objects;
}

} // namespace

class tst_CollectionEditor : public QObject
{
    Q_OBJECT

    TQXObjectInspector *inspector = nullptr;
    Holder *holder = nullptr;
    QList<QPointer<TfrmCollectionEditor>> editors;
    QList<const QMetaObject *> libraryPresets;

    TfrmCollectionEditor *open(bool reuse = true)
    {
        TfrmCollectionEditor *editor
            = ShowCollectionEditor(inspector, holder->Items(), QStringLiteral("Items"), reuse);
        editors << editor;
        return editor;
    }

private Q_SLOTS:
    void initTestCase()
    {
        // Only this test's rules: the library's own presets stay out of the inspectors made here.
        {
            TThreadListLocker<const QMetaObject *> lock(*RegisteredPresets());
            libraryPresets = lock.List();
        }
        for (const QMetaObject *preset : std::as_const(libraryPresets))
            UnregisterPreset(preset);
        RegisterPresets({ &ColourRule::staticMetaObject, &FontRule::staticMetaObject });
    }
    void cleanupTestCase()
    {
        UnregisterPresets({ &ColourRule::staticMetaObject, &FontRule::staticMetaObject });
        for (const QMetaObject *preset : std::as_const(libraryPresets))
            RegisterPreset(preset);
    }
    void init()
    {
        holder = new Holder({ "A", "B", "C", "D", "E" });
        inspector = Create<TQXObjectInspector>();
        inspector->Objects()->Add(holder);
    }
    void cleanup()
    {
        for (const QPointer<TfrmCollectionEditor> &editor : std::exchange(editors, {}))
            Free(editor.data());
        Free(inspector);
        delete holder;
    }

    // Opening and the registry
    void registryJoinedOnlyOnceRequestedAndReused()
    {
        // The registry is process-wide: whether it exists before the first request for reuse is seen
        // only in a fresh process, so this test runs itself once more in one, whatever ran before here.
        if (qEnvironmentVariableIsSet("QX_TST_FRESH_REGISTRY")) {
            QVERIFY(!CollectionEditors());
            TfrmCollectionEditor *loose = open(false);
            QVERIFY(!CollectionEditors());
            QCOMPARE(loose->windowTitle(), QStringLiteral("Editing Items"));
            QVERIFY(loose->isVisible());
            QVERIFY(open(true) != loose);
            QVERIFY(CollectionEditors());
            QVERIFY(!CollectionEditors()->Snapshot().contains(loose));
            return;
        }
        QProcess fresh;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QX_TST_FRESH_REGISTRY"), QStringLiteral("1"));
        fresh.setProcessEnvironment(environment);
        fresh.start(QCoreApplication::applicationFilePath(),
                    { QStringLiteral("registryJoinedOnlyOnceRequestedAndReused") });
        QVERIFY(fresh.waitForFinished(60000));
        QVERIFY2(fresh.exitStatus() == QProcess::NormalExit && fresh.exitCode() == 0,
                 fresh.readAllStandardOutput().constData());

        TfrmCollectionEditor *first = open(true);
        QVERIFY(CollectionEditors());
        first->setWindowTitle(QStringLiteral("Mine"));
        QCOMPARE(open(true), first);
        QCOMPARE(first->windowTitle(), QStringLiteral("Mine"));

        TfrmCollectionEditor *third = open(false);
        QVERIFY(third != first);
        QVERIFY(CollectionEditors()->Snapshot().contains(third));
        Free(third);
        QVERIFY(!CollectionEditors()->Snapshot().contains(third));
        // A closed editor lets go of its collection, so the next request makes another one.
        first->close();
        QVERIFY(!first->isVisible());
        QVERIFY(!first->Collection());
        QVERIFY(open(true) != first);
    }

    void registryLeftHoweverFreed_data()
    {
        QTest::addColumn<int>("way");
        QTest::newRow("delete") << 0;
        QTest::newRow("deleteLater") << 1;
        QTest::newRow("WA_DeleteOnClose") << 2;
    }
    void registryLeftHoweverFreed()
    {
        QFETCH(int, way);
        QPointer<TfrmCollectionEditor> editor = open(true);
        const TfrmCollectionEditor *address = editor.data();
        QVERIFY(CollectionEditors()->Snapshot().contains(editor.data()));
        if (way == 0) {
            delete editor.data();
        } else if (way == 1) {
            editor->deleteLater();
            QTRY_VERIFY(!editor);
        } else {
            editor->setAttribute(Qt::WA_DeleteOnClose);
            editor->close();
            QTRY_VERIFY(!editor);
        }
        QVERIFY(!editor);
        QVERIFY(!CollectionEditors()->Snapshot().contains(address));
        // The next request searches the registry: it must meet no freed editor.
        TfrmCollectionEditor *next = open(true);
        QCOMPARE(next->Collection(), holder->Items());
    }

    void rowsCaptionItemsAndOpenWithoutSelection()
    {
        TfrmCollectionEditor *editor = open();
        QCOMPARE(rowTexts(editor), QStringList({ "0 - A", "1 - B", "2 - C", "3 - D", "4 - E" }));
        QVERIFY(editor->ListView()->selectedItems().isEmpty());
        QCOMPARE(inspected(inspector), QList<QObject *>({ holder }));
        QCOMPARE(editor->ObjectSnapshot()->Count(), 1);

        selectRows(editor, "BD");
        QCOMPARE(inspected(inspector),
                 QList<QObject *>({ holder->Items()->Items(1), holder->Items()->Items(3) }));
        editor->SelectNoneAction()->trigger();
        QVERIFY(inspected(inspector).isEmpty());
    }

    void actionsFollowSelectionAndRows()
    {
        TfrmCollectionEditor *editor = open();
        auto enabled = [editor] {
            return QList<bool>(
                { editor->AddItemAction()->isEnabled(), editor->DeleteSelectedAction()->isEnabled(),
                  editor->MoveSelectedUpAction()->isEnabled(), editor->MoveSelectedDownAction()->isEnabled(),
                  editor->SelectAllAction()->isEnabled(), editor->SelectNoneAction()->isEnabled() });
        };
        QCOMPARE(enabled(), QList<bool>({ true, false, false, false, true, false }));
        selectRows(editor, "C");
        QCOMPARE(enabled(), QList<bool>({ true, true, true, true, true, true }));
        editor->SelectAllAction()->trigger();
        editor->DeleteSelectedAction()->trigger();
        QCOMPARE(holder->Items()->Count(), 0);
        QVERIFY(inspected(inspector).isEmpty());
        QCOMPARE(enabled(), QList<bool>({ true, false, false, false, false, false }));
    }

    void actionsShowPicturesOfTheirOwn()
    {
        TfrmCollectionEditor *editor = open();
        const QList<QAction *> actions { editor->MoveSelectedUpAction(), editor->MoveSelectedDownAction(),
                                         editor->DeleteSelectedAction(), editor->AddItemAction(),
                                         editor->ResetAction() };
        QList<QImage> pictures;
        for (QAction *action : actions) {
            const QString name = action->objectName();
            const QImage picture
                = action->icon().pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
            int painted = 0;
            for (int y = 0; y < picture.height(); ++y)
                for (int x = 0; x < picture.width(); ++x)
                    painted += qAlpha(picture.pixel(x, y)) > 0;
            QVERIFY2(painted > 16, qPrintable(name));
            QVERIFY2(!pictures.contains(picture), qPrintable(name));
            pictures.append(picture);
        }
    }

    // Reordering
    void moveSelected_data()
    {
        QTest::addColumn<QString>("selected");
        QTest::addColumn<bool>("up");
        QTest::addColumn<QString>("order");
        QTest::newRow("A and B up") << "AB" << true << "BACDE";
        QTest::newRow("B up") << "B" << true << "BACDE";
        QTest::newRow("first and third up") << "AC" << true << "ACBDE";
        QTest::newRow("D and E down") << "DE" << false << "ABCED";
        QTest::newRow("B and D down") << "BD" << false << "ACBED";
    }
    void moveSelected()
    {
        QFETCH(QString, selected);
        QFETCH(bool, up);
        QFETCH(QString, order);
        TfrmCollectionEditor *editor = open();
        selectRows(editor, selected);
        (up ? editor->MoveSelectedUpAction() : editor->MoveSelectedDownAction())->trigger();
        QCOMPARE(namesOf(holder->Items()).join(QString()), order);
        QCOMPARE(rowTexts(editor).at(0), QStringLiteral("0 - ") + order.at(0));
        QStringList stillSelected;
        for (QTreeWidgetItem *row : editor->ListView()->selectedItems())
            stillSelected << row->text(0).right(1);
        stillSelected.sort();
        QCOMPARE(stillSelected.join(QString()), selected);
    }

    void actionsReachTheRowsOwnItems_data()
    {
        QTest::addColumn<bool>("remove");
        QTest::addColumn<QString>("order");
        QTest::newRow("delete") << true << "BCE";
        QTest::newRow("move up") << false << "BDCE";
    }
    void actionsReachTheRowsOwnItems()
    {
        // The collection loses its first item behind the editor's back: the rows still show A to E, and
        // the action on row D must reach D, not the item now at D's old index.
        QFETCH(bool, remove);
        QFETCH(QString, order);
        TfrmCollectionEditor *editor = open();
        holder->Items()->Delete(0);
        selectRows(editor, "D");
        (remove ? editor->DeleteSelectedAction() : editor->MoveSelectedUpAction())->trigger();
        QCOMPARE(namesOf(holder->Items()).join(QString()), order);
    }

    void dropSelected_data()
    {
        QTest::addColumn<QString>("selected");
        QTest::addColumn<int>("target");
        QTest::addColumn<QString>("order");
        QTest::newRow("D, E on B") << "DE" << 1 << "ADEBC";
        QTest::newRow("A, B on D") << "AB" << 3 << "CDABE";
        QTest::newRow("outside every row") << "AB" << -1 << "ABCDE";
    }
    void dropSelected()
    {
        QFETCH(QString, selected);
        QFETCH(int, target);
        QFETCH(QString, order);
        TfrmCollectionEditor *editor = open();
        selectRows(editor, selected);
        editor->DropSelected(target);
        QCOMPARE(namesOf(holder->Items()).join(QString()), order);
        QCOMPARE(rowTexts(editor).last(), QStringLiteral("4 - ") + order.at(4));
    }

    // Adding
    void newItemSelectedAloneInInspector()
    {
        TfrmCollectionEditor *editor = open();
        selectRows(editor, "AC");
        editor->AddItemAction()->trigger();
        QCOMPARE(holder->Items()->Count(), 6);
        TCollectionItem *added = holder->Items()->Items(5);
        QCOMPARE(editor->ListView()->selectedItems().size(), 1);
        QCOMPARE(editor->ListView()->RowItem(editor->ListView()->selectedItems().first()), added);
        QCOMPARE(inspected(inspector), QList<QObject *>({ added }));
    }

    void presetsGetAddMenuAndReset_data()
    {
        QTest::addColumn<bool>("presets");
        QTest::newRow("presets of an inspector") << true;
        QTest::newRow("plain collection") << false;
    }
    void presetsGetAddMenuAndReset()
    {
        QFETCH(bool, presets);
        TCollection *collection
            = presets ? static_cast<TCollection *>(inspector->Presets()) : holder->Items();
        auto *editor = ShowCollectionEditor(inspector, collection, QString(), false);
        editors << editor;
        QCOMPARE(editor->ResetAction()->isVisible(), presets);
        QStringList entries;
        for (QAction *entry : editor->AddMenu()->actions())
            entries << entry->text();
        QCOMPARE(entries,
                 presets ? QStringList({ "Add Item", "Add ColourRule", "Add FontRule" }) : QStringList());
        if (!presets)
            return;
        QCOMPARE(rowTexts(editor), QStringList({ "0 - ColourRule (ColourRule)", "1 - FontRule (FontRule)" }));
        editor->AddMenu()->actions().at(2)->trigger();
        QCOMPARE(rowTexts(editor).last(), QStringLiteral("2 - FontRule (FontRule)"));
        inspector->Presets()->Delete(0);
        editor->ResetAction()->trigger();
        QCOMPARE(rowTexts(editor),
                 QStringList({ "0 - FontRule (FontRule)", "1 - FontRule (FontRule)",
                               "2 - ColourRule (ColourRule)" }));
    }

    void helpAsksForContext26000_data()
    {
        QTest::addColumn<bool>("key");
        QTest::newRow("F1") << true;
        QTest::newRow("Help entry") << false;
    }
    void helpAsksForContext26000()
    {
        QFETCH(bool, key);
        int asked = 0;
        const THelpHandler previous = SetHelpHandler([&asked](int context) { asked = context; });
        const auto restore = qScopeGuard([&] { SetHelpHandler(previous); });
        TfrmCollectionEditor *editor = open();
        if (key) {
            QApplication::setActiveWindow(editor);
            QVERIFY(QTest::qWaitForWindowActive(editor));
            QTest::keyClick(editor->ListView(), Qt::Key_F1);
        } else {
            QCOMPARE(editor->ListMenu()->actions().last(), editor->HelpAction());
            editor->HelpAction()->trigger();
        }
        QCOMPARE(asked, 26000);
    }

    // Objects going away
    void goneObjectDetaches_data()
    {
        QTest::addColumn<QString>("gone");
        QTest::newRow("inspector") << "inspector";
        QTest::newRow("owning component") << "owner";
        QTest::newRow("snapshot object") << "snapshot";
        QTest::newRow("collection without component owner") << "collection";
    }
    void goneObjectDetaches()
    {
        QFETCH(QString, gone);
        auto *snapshotObject = new QObject;
        inspector->Objects()->Add(snapshotObject);
        // A collection with no component on its owner chain, and one that outlives its owning component.
        auto *owner = new QObject;
        TCollection *loose = Create<TCollection>(&NamedItem::staticMetaObject);
        TCollection *owned = Create<TOwnedCollection>(owner, &NamedItem::staticMetaObject);
        const auto cleanup = qScopeGuard([&] {
            Free(loose);
            Free(owned);
            delete owner;
            delete snapshotObject;
        });
        TCollection *edited = gone == "collection" ? loose : gone == "owner" ? owned : holder->Items();
        edited->Add();
        TfrmCollectionEditor *editor = ShowCollectionEditor(inspector, edited, QString(), false);
        editors << editor;
        QVERIFY(editor->ListView()->topLevelItemCount() > 0);
        if (gone == "inspector")
            FreeAndNil(inspector);
        else if (gone == "owner")
            FreeAndNil(owner);
        else if (gone == "collection")
            FreeAndNil(loose);
        else
            FreeAndNil(snapshotObject);
        QVERIFY(!editor->Collection());
        QCOMPARE(editor->ListView()->topLevelItemCount(), 0);
        QVERIFY(!editor->AddItemAction()->isEnabled());
        QCOMPARE(editor->Inspector() == nullptr, gone == "inspector");
    }
};

QTEST_MAIN(tst_CollectionEditor)
#include "tst_collectioneditor.moc"
