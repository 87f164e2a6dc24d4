// Tests of the design-time collection editor on a real Qt Designer form window (src/design:
// QXFormDesigner, QXCollectionPropertyEditorDcl): what the editor changes reaches the saved form, what
// happens to the form reaches the editor, and the editor's selection updates wait for a burst to end.
#include "QXCollectionPropertyEditorDcl.h"
#include "QXFormDesigner.h"
#include "QXTestSupport.h"
#include "helper_design.h"

#include <QXInspector/QXMessages.h>
#include <QXInspector/QXObjectInspector.h>

#include <QtDesigner/QDesignerComponents>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>
#include <QtDesigner/QDesignerFormWindowManagerInterface>
#include <QtDesigner/QDesignerIntegration>
#include <QtDesigner/QDesignerWidgetDataBaseInterface>
#include <QtDesigner/QExtensionManager>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QSignalSpy>
#include <QTest>
#include <functional>

using namespace QXPlatform;

namespace {

const char *const Form = R"(<ui version="4.0"><class>Form</class><widget class="QWidget" name="Form">
<widget class="TQXObjectInspector" name="inspector"/></widget></ui>)";

using TEditorStep = std::function<void(TfrmCollectionEditorDcl *)>;

// The one registered preset class here, so that a reset gives one preset of it.
class DefaultPreset : public TQXPropertyPreset
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit DefaultPreset(QXPlatform::TCollection *Collection)
        : TQXPropertyPreset(Collection)
    { }
};

} // namespace

Q_DECLARE_METATYPE(TEditorStep)

class tst_FormDesigner : public QObject
{
    Q_OBJECT

    QDesignerFormEditorInterface *m_core = nullptr;
    QDesignerFormWindowInterface *m_form = nullptr;
    TQXObjectInspector *m_inspector = nullptr;

    // The inspector on the form gets Count presets of its own.
    void setPresets(int Count)
    {
        m_inspector->Presets()->Clear();
        for (int i = 0; i < Count; ++i)
            m_inspector->Presets()->Add()->SetAlias(QStringLiteral("Preset%1").arg(i));
    }

    // The design-time editor, opened from the inspector's task menu.
    TfrmCollectionEditorDcl *openEditor()
    {
        auto *menu = qt_extension<QDesignerTaskMenuExtension *>(m_core->extensionManager(), m_inspector);
        auto *presetsMenu = dynamic_cast<TQXPresetsTaskMenu *>(menu);
        TfrmCollectionEditorDcl *editor = presetsMenu ? presetsMenu->EditPresets() : nullptr;
        QXTest::settle();
        return editor;
    }

    TfrmCollectionEditorDcl *editPresets(int Count)
    {
        setPresets(Count);
        return openEditor();
    }

    void selectRows(TfrmCollectionEditorDcl *editor, const QList<int> &rows)
    {
        for (int row : rows)
            editor->ListView()->topLevelItem(row)->setSelected(true);
    }

private slots:
    void initTestCase()
    {
        // Designer finds its plugins in the "designer" folder below each library path.
        QCoreApplication::addLibraryPath(QDir(QStringLiteral(QX_DESIGNER_PLUGIN_DIR "/..")).absolutePath());
        m_core = QDesignerComponents::createFormEditor(this);
        QDesignerComponents::initializePlugins(m_core);
        new QDesignerIntegration(m_core, m_core); // form windows ask the integration for its features
        QVERIFY(m_core->widgetDataBase()->indexOfClassName(QStringLiteral("TQXObjectInspector")) >= 0);
        RegisterPreset(&DefaultPreset::staticMetaObject);
    }

    void cleanupTestCase() { UnregisterPreset(&DefaultPreset::staticMetaObject); }

    void init()
    {
        m_form = m_core->formWindowManager()->createFormWindow(nullptr);
        QVERIFY(m_form->setContents(QString::fromUtf8(Form)));
        m_core->formWindowManager()->setActiveFormWindow(m_form);
        m_inspector = m_form->mainContainer()->findChild<TQXObjectInspector *>(QStringLiteral("inspector"));
        QVERIFY(m_inspector);
        m_form->setDirty(false);
    }

    void cleanup()
    {
        delete m_form;
        QXTest::settle(); // closed editors free themselves
    }

    void formSelectionReachesTheEditor()
    {
        TQXFormWindowDesigner designer(m_form, m_inspector, "PresetsStream");
        QSignalSpy selected(&designer, &TQXDesigner::SelectionChanged);
        QVERIFY(designer.IsActive());
        m_form->clearSelection(false);
        m_form->selectWidget(m_inspector, true);
        QTRY_VERIFY(!selected.isEmpty()); // the form window tells of selections from its event loop
        QCOMPARE(selected.last().first().value<QList<QObject *>>(), QList<QObject *>({ m_inspector }));
    }

    // The design-time editor

    void editPresetsOpensOneEditorPerFormAndCollection()
    {
        auto *menu = qt_extension<QDesignerTaskMenuExtension *>(m_core->extensionManager(), m_inspector);
        QVERIFY(menu);
        QCOMPARE(menu->preferredEditAction()->text(), QStringLiteral("Edit Presets..."));
        QCOMPARE(menu->taskActions(), QList<QAction *>({ menu->preferredEditAction() }));
        setPresets(2);
        menu->preferredEditAction()->trigger();
        TfrmCollectionEditorDcl *editor = openEditor();
        QVERIFY(editor);
        QCOMPARE(openEditor(), editor);

        int editorsOfThePresets = 0;
        {
            TThreadListLocker lock(*CollectionEditors());
            for (TfrmCollectionEditor *open : lock.List())
                editorsOfThePresets += open->Collection() == m_inspector->Presets();
        }
        QCOMPARE(editorsOfThePresets, 1);
        QCOMPARE(editor->Designer()->Form(), m_form);
        QVERIFY(editor->isVisible());
        QCOMPARE(editor->ListView()->topLevelItemCount(), 2);
    }

    void changesMarkTheFormModified_data()
    {
        QTest::addColumn<TEditorStep>("step");
        QTest::newRow("add") << TEditorStep([](auto *editor) { editor->AddItemAction()->trigger(); });
        QTest::newRow("move up") << TEditorStep(
            [](auto *editor) { editor->MoveSelectedUpAction()->trigger(); });
        QTest::newRow("move down") << TEditorStep(
            [](auto *editor) { editor->MoveSelectedDownAction()->trigger(); });
        QTest::newRow("delete") << TEditorStep(
            [](auto *editor) { editor->DeleteSelectedAction()->trigger(); });
        QTest::newRow("reset") << TEditorStep([](auto *editor) { editor->ResetAction()->trigger(); });
        QTest::newRow("edit a preset") << TEditorStep([](auto *editor) {
            TQXObjectInspector *shown = editor->SelectionInspector();
            TQXItemProperty *alias = shown->GetItems()->FindItemByFullPathName(QStringLiteral("Alias"));
            QVERIFY(alias);
            alias->SetStringProperty(QStringLiteral("Renamed"), -1);
            QXTest::settle();
        });
    }

    void changesMarkTheFormModified()
    {
        QFETCH(TEditorStep, step);
        TfrmCollectionEditorDcl *editor = editPresets(3);
        QVERIFY(editor);
        selectRows(editor, { 1 });
        QXTest::settle();
        const QString before = m_inspector->PresetsStream();
        m_form->setDirty(false);

        step(editor);

        QVERIFY(m_form->isDirty());
        QVERIFY(m_inspector->PresetsStream() != before);
        QCOMPARE(presetsStreamIn(m_form->contents()), m_inspector->PresetsStream());
    }

    void editorClosesWithItsWidgetOrForm_data()
    {
        QTest::addColumn<bool>("closeForm");
        QTest::newRow("inspector deleted from the form") << false;
        QTest::newRow("form closed") << true;
    }

    void editorClosesWithItsWidgetOrForm()
    {
        QFETCH(bool, closeForm);
        QPointer<TfrmCollectionEditorDcl> editor = editPresets(1);
        QVERIFY(editor);
        if (closeForm) {
            delete m_form;
            m_form = nullptr;
        } else {
            m_form->clearSelection(false);
            m_form->selectWidget(m_inspector, true);
            QAction *remove
                = m_core->formWindowManager()->action(QDesignerFormWindowManagerInterface::DeleteAction);
            QTRY_VERIFY(remove->isEnabled()); // enabled once the form window tells of its selection
            remove->trigger();
        }
        QXTest::settle();
        QVERIFY(editor.isNull());
    }

    void burstOfRowChangesPushesTheSelectionOnce()
    {
        TfrmCollectionEditorDcl *editor = editPresets(3);
        QVERIFY(editor);
        TQXInspectorObjects *shown = editor->SelectionInspector()->Objects();

        selectRows(editor, { 0, 1, 2 });

        QCOMPARE(WaitingMessageCount(editor, QX_DESIGNUPDATE), 1);
        QVERIFY(shown->Count() <= 1); // nothing pushed yet: at most the collection
        QXTest::settle();
        QCOMPARE(shown->Count(), 3);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(shown->Items(i)->Objects(), m_inspector->Presets()->Items(i));
    }

    void formSelectionOfPresetsSelectsTheirRows()
    {
        TfrmCollectionEditorDcl *editor = editPresets(3);
        QVERIFY(editor);
        TQXPropertyPresets *presets = m_inspector->Presets();
        auto selectedRows = [editor] {
            QList<int> rows;
            for (int i = 0; i < editor->ListView()->topLevelItemCount(); ++i)
                if (editor->ListView()->topLevelItem(i)->isSelected())
                    rows << i;
            return rows;
        };
        selectRows(editor, { 1 });

        emit editor->Designer()->SelectionChanged({ presets->Items(2), presets->Items(0) });
        QCOMPARE(selectedRows(), QList<int>({ 0, 2 }));
        emit editor->Designer()->SelectionChanged({ m_inspector });
        QCOMPARE(selectedRows(), QList<int>());
    }

    void pendingRefreshAndSelectionUpdateStayApart()
    {
        TfrmCollectionEditorDcl *editor = editPresets(3);
        QVERIFY(editor);
        TQXPropertyPresets *presets = m_inspector->Presets();
        selectRows(editor, { 0 });
        TQXPropertyPreset *doomed = presets->Items(2);
        emit editor->Designer()->ItemDeleted(doomed);
        Free(doomed);

        QCOMPARE(WaitingMessageCount(editor, QX_DESIGNUPDATE), 2);
        QXTest::settle();
        QCOMPARE(editor->ListView()->topLevelItemCount(), 2);
        TQXInspectorObjects *shown = editor->SelectionInspector()->Objects();
        QCOMPARE(shown->Count(), 1);
        QCOMPARE(shown->Items(0)->Objects(), presets->Items(0));
    }
};

QTEST_MAIN(tst_FormDesigner)
#include "tst_formdesigner.moc"
