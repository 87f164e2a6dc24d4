// Tests of forms that hold an object inspector with presets of its own (presetsform.ui): read at run time
// through QUiLoader and the plugin, or compiled by uic, the form sets up the inspector with those presets,
// and with the font, title captions, colour and filters the form gives as Qt values.
#include "QXTestSupport.h"
#include "helper_design.h"
#include "ui_presetsform.h"

#include <QXInspector/Component.h>
#include <QXInspector/QXObjectInspector.h>

#include <QApplication>
#include <QFile>
#include <QTest>
#include <QUiLoader>
#include <memory>

using namespace QXPlatform;

class tst_Forms : public QObject
{
    Q_OBJECT

    QString m_formFile = QStringLiteral(QX_DESIGN_TEST_DIR "/presetsform.ui");
    QString m_expected; // the form's presets, as an inspector that read them writes them

    // The form's Qt-typed values reach the inspector's own font and string-list objects and its colour.
    static void checkFormValues(TQXObjectInspector *inspector)
    {
        QCOMPARE(inspector->ValueFont()->Size(), 13);
        QCOMPARE(inspector->TitleCaptions()->ToStringList(),
                 QStringList({ QStringLiteral("Setting"), QStringLiteral("Current value") }));
        QCOMPARE(inspector->Filters()->ToStringList(), QStringList(QStringLiteral("toolTip")));
        QCOMPARE(inspector->Color(), QColorToColor(QColor(240, 248, 255)));
    }

private slots:
    void initTestCase()
    {
        QFile file(m_formFile);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString inForm = presetsStreamIn(&file);
        auto *reference = Create<TQXObjectInspector>();
        auto freeReference = qScopeGuard([reference] { Free(reference); });
        const QString defaults = reference->PresetsStream();
        reference->setPresetsStream(inForm);
        m_expected = reference->PresetsStream();
        QVERIFY(m_expected != defaults); // the form holds presets of its own
    }

    void formReadThroughThePluginGetsItsPresetsAndValues()
    {
        QUiLoader loader;
        loader.clearPluginPaths();
        loader.addPluginPath(QStringLiteral(QX_DESIGNER_PLUGIN_DIR));
        QFile form(m_formFile);
        const std::unique_ptr<QWidget> root(loader.load(&form));
        QVERIFY2(root, qPrintable(loader.errorString()));

        auto *inspector = root->findChild<TQXObjectInspector *>(QStringLiteral("inspector"));
        QVERIFY(inspector);
        QCOMPARE(inspector->PresetsStream(), m_expected);
        QVERIFY(!(inspector->ComponentState() & csDesigning)); // a program's form is not being designed
        checkFormValues(inspector);
    }

    void formCompiledByUicGetsItsPresetsAndValues()
    {
        QWidget form;
        Ui::PresetsForm ui;
        ui.setupUi(&form);
        ui.inspector->Objects()->Add(ui.nameEdit);
        QXTest::settle();

        QCOMPARE(ui.inspector->PresetsStream(), m_expected);
        TQXItemProperty *row = ui.inspector->GetItems()->FindItemByFullPathName(QStringLiteral("objectName"));
        QVERIFY(row);
        QCOMPARE(row->Hint(), QStringLiteral("How the code finds the widget"));
        checkFormValues(ui.inspector);
    }
};

QTEST_MAIN(tst_Forms)
#include "tst_forms.moc"
