// Tests of forms that hold the library's widgets (src/design with the object inspector's PresetsStream):
// a form read at run time through QUiLoader and the plugin, and a form compiled by uic, set the presets
// the form file holds.
#include "Component.h"
#include "QXObjectInspector.h"
#include "QXTestSupport.h"
#include "ui_presetsform.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QTest>
#include <QUiLoader>
#include <QXmlStreamReader>
#include <memory>

using namespace QXPlatform;

namespace {

// The text of the PresetsStream property in a form file.
QString presetsStreamIn(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    QXmlStreamReader reader(&file);
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == QLatin1String("property")
            && reader.attributes().value(QLatin1String("name")) == QLatin1String("PresetsStream")
            && reader.readNextStartElement())
            return reader.readElementText();
    }
    return QString();
}

// A form as Designer saves it: one object inspector with the given presets text.
QByteArray formWithPresets(const QString &presetsStream)
{
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<ui version=\"4.0\">\n"
                          " <class>Form</class>\n"
                          " <widget class=\"QWidget\" name=\"Form\">\n"
                          "  <widget class=\"TQXObjectInspector\" name=\"inspector\">\n"
                          "   <property name=\"PresetsStream\">\n"
                          "    <string notr=\"true\">%1</string>\n"
                          "   </property>\n"
                          "  </widget>\n"
                          " </widget>\n"
                          " <customwidgets>\n"
                          "  <customwidget>\n"
                          "   <class>TQXObjectInspector</class>\n"
                          "   <extends>QWidget</extends>\n"
                          "   <header location=\"global\">QXInspector/QXObjectInspector.h</header>\n"
                          "  </customwidget>\n"
                          " </customwidgets>\n"
                          "</ui>\n")
        .arg(presetsStream.toHtmlEscaped())
        .toUtf8();
}

} // namespace

class tst_Forms : public QObject
{
    Q_OBJECT

private slots:
    void formReadThroughThePluginGetsItsPresets()
    {
        auto *source = Create<TQXObjectInspector>();
        auto freeSource = qScopeGuard([source] { Free(source); });
        source->Presets()->Clear();
        TQXPropertyPreset *preset = source->Presets()->Add();
        preset->PropNames()->Add(QStringLiteral("objectName"));
        preset->SetHint(QStringLiteral("how code finds it"));
        source->Presets()->Add()->SetEditMask(QStringLiteral("[0-9]*"));
        QBuffer form;
        form.setData(formWithPresets(source->PresetsStream()));

        QUiLoader loader;
        loader.clearPluginPaths();
        loader.addPluginPath(QStringLiteral(QX_DESIGNER_PLUGIN_DIR));
        QVERIFY(loader.availableWidgets().contains(QStringLiteral("TQXObjectInspector")));
        const std::unique_ptr<QWidget> root(loader.load(&form));
        QVERIFY2(root, qPrintable(loader.errorString()));

        auto *inspector = root->findChild<TQXObjectInspector *>(QStringLiteral("inspector"));
        QVERIFY(inspector);
        QCOMPARE(inspector->Presets()->Count(), 2);
        QCOMPARE(inspector->PresetsStream(), source->PresetsStream());
        // A program's form is not being designed.
        QVERIFY(!(inspector->ComponentState() & csDesigning));
    }

    void formCompiledByUicGetsItsPresets()
    {
        const QString inFile = presetsStreamIn(QStringLiteral(QX_DESIGN_TEST_DIR "/presetsform.ui"));
        QVERIFY(!inFile.isEmpty());
        auto *fresh = Create<TQXObjectInspector>();
        auto freeFresh = qScopeGuard([fresh] { Free(fresh); });
        const QString defaults = fresh->PresetsStream();
        fresh->setPresetsStream(inFile);
        QVERIFY(fresh->PresetsStream() != defaults); // the form holds presets of its own

        QWidget form;
        Ui::PresetsForm ui;
        ui.setupUi(&form);
        ui.inspector->Objects()->Add(ui.nameEdit);
        QXTest::settle();

        QCOMPARE(ui.inspector->PresetsStream(), fresh->PresetsStream());
        TQXItemProperty *row = ui.inspector->GetItems()->FindItemByFullPathName(QStringLiteral("objectName"));
        QVERIFY(row);
        QCOMPARE(row->Hint(), QStringLiteral("How the code finds the widget"));
    }
};

QTEST_MAIN(tst_Forms)
#include "tst_forms.moc"
