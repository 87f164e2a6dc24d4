// Tests of the designer of a Qt Designer form window (src/design/QXFormDesigner): on a real form window
// of Designer's components, what the collection editor tells it reaches the saved form, and what
// happens to the form reaches the editor.
#include "QXFormDesigner.h"
#include "QXObjectInspector.h"

#include <QtDesigner/QDesignerComponents>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>
#include <QtDesigner/QDesignerFormWindowManagerInterface>
#include <QtDesigner/QDesignerIntegration>
#include <QtDesigner/QDesignerWidgetDataBaseInterface>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QSignalSpy>
#include <QTest>
#include <QXmlStreamReader>

using namespace QXPlatform;

namespace {

const char *const Form = R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0">
 <class>Form</class>
 <widget class="QWidget" name="Form">
  <property name="geometry"><rect><x>0</x><y>0</y><width>400</width><height>300</height></rect></property>
  <widget class="TQXObjectInspector" name="inspector">
   <property name="geometry"><rect><x>10</x><y>10</y><width>240</width><height>280</height></rect></property>
  </widget>
  <widget class="QLabel" name="label">
   <property name="geometry"><rect><x>260</x><y>10</y><width>100</width><height>20</height></rect></property>
  </widget>
 </widget>
</ui>
)";

// The text of the PresetsStream property in a form's contents; a null string when the form has none.
QString presetsStreamIn(const QString &contents)
{
    QXmlStreamReader reader(contents);
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == QLatin1String("property")
            && reader.attributes().value(QLatin1String("name")) == QLatin1String("PresetsStream")
            && reader.readNextStartElement())
            return reader.readElementText();
    }
    return QString();
}

} // namespace

class tst_FormDesigner : public QObject
{
    Q_OBJECT

    QDesignerFormEditorInterface *m_core = nullptr;
    QDesignerFormWindowInterface *m_form = nullptr;
    TQXObjectInspector *m_inspector = nullptr;

private slots:
    void initTestCase()
    {
        // Designer finds its plugins in the "designer" folder below each library path.
        QCoreApplication::addLibraryPath(QDir(QStringLiteral(QX_DESIGNER_PLUGIN_DIR "/..")).absolutePath());
        m_core = QDesignerComponents::createFormEditor(this);
        QDesignerComponents::initializePlugins(m_core);
        new QDesignerIntegration(m_core, m_core); // form windows ask the integration for its features
        QVERIFY(m_core->widgetDataBase()->indexOfClassName(QStringLiteral("TQXObjectInspector")) >= 0);
    }

    void init()
    {
        m_form = m_core->formWindowManager()->createFormWindow(nullptr);
        QVERIFY(m_form->setContents(QString::fromUtf8(Form)));
        m_core->formWindowManager()->setActiveFormWindow(m_form);
        m_inspector = m_form->mainContainer()->findChild<TQXObjectInspector *>(QStringLiteral("inspector"));
        QVERIFY(m_inspector);
        m_form->setDirty(false);
    }

    void cleanup() { delete m_form; }

    void modifiedFormSavesThePresets()
    {
        TQXFormWindowDesigner designer(m_form, m_inspector, "PresetsStream");
        QVERIFY(presetsStreamIn(m_form->contents()).isNull());
        m_inspector->Presets()->Clear();
        m_inspector->Presets()->Add()->SetHint(QStringLiteral("saved with the form"));

        designer.Modified();

        QVERIFY(m_form->isDirty());
        QCOMPARE(presetsStreamIn(m_form->contents()), m_inspector->PresetsStream());
    }

    void formNewsReachTheEditor()
    {
        TQXFormWindowDesigner designer(m_form, m_inspector, "PresetsStream");
        QSignalSpy selected(&designer, &TQXDesigner::SelectionChanged);
        QSignalSpy deleted(&designer, &TQXDesigner::ItemDeleted);
        QSignalSpy closed(&designer, &TQXDesigner::DesignerClosed);
        QVERIFY(designer.IsActive());

        m_form->clearSelection(false);
        m_form->selectWidget(m_inspector, true);
        QTRY_VERIFY(!selected.isEmpty()); // the form window tells of selections from its event loop
        QCOMPARE(selected.last().first().value<QList<QObject *>>(), QList<QObject *>({ m_inspector }));
        QCOMPARE(designer.GetSelections(), QList<QObject *>({ m_inspector }));

        m_core->formWindowManager()->action(QDesignerFormWindowManagerInterface::DeleteAction)->trigger();
        QCOMPARE(deleted.size(), 1);
        QCOMPARE(deleted.first().first().value<QObject *>(), m_inspector);
        QCOMPARE(closed.size(), 0);

        delete m_form;
        m_form = nullptr;
        QCOMPARE(closed.size(), 1);
        QVERIFY(!designer.IsActive());
    }
};

QTEST_MAIN(tst_FormDesigner)
#include "tst_formdesigner.moc"
