// Tests of the Qt Designer plugin (src/design): the collection that Designer loads, its widgets'
// descriptions and the widgets it makes, with a real form editor core from Designer's components.
#include "QXTestSupport.h"

#include <QXInspector/Component.h>
#include <QXInspector/QXDBInspector.h>
#include <QXInspector/QXItemListEditor.h>
#include <QXInspector/QXObjectInspector.h>

#include <QtDesigner/QDesignerComponents>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <QApplication>
#include <QImage>
#include <QPluginLoader>
#include <QPointer>
#include <QRegularExpression>
#include <QTest>
#include <QXmlStreamReader>

using namespace QXPlatform;

class tst_DesignPlugin : public QObject
{
    Q_OBJECT

    QPluginLoader m_loader { QStringLiteral(QX_DESIGNER_PLUGIN_FILE) };
    QDesignerCustomWidgetCollectionInterface *m_collection = nullptr;
    QDesignerFormEditorInterface *m_core = nullptr;

    QDesignerCustomWidgetInterface *widget(const QString &name) const
    {
        for (QDesignerCustomWidgetInterface *candidate : m_collection->customWidgets())
            if (candidate->name() == name)
                return candidate;
        return nullptr;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(m_loader.load(), qPrintable(m_loader.errorString()));
        m_collection = qobject_cast<QDesignerCustomWidgetCollectionInterface *>(m_loader.instance());
        QVERIFY(m_collection);
        m_core = QDesignerComponents::createFormEditor(this);
        QVERIFY(m_core);
        for (QDesignerCustomWidgetInterface *candidate : m_collection->customWidgets())
            candidate->initialize(m_core);
    }

    void widgetsComeInOrderWithIconsOfTheirOwn()
    {
        QStringList names;
        QList<QImage> icons;
        for (QDesignerCustomWidgetInterface *candidate : m_collection->customWidgets()) {
            names.append(candidate->name());
            icons.append(candidate->icon().pixmap(24, 24).toImage());
        }
        QCOMPARE(names,
                 QStringList({ QStringLiteral("TQXItemListEditor"), QStringLiteral("TQXObjectInspector"),
                               QStringLiteral("TQXDBInspector") }));
        for (qsizetype i = 0; i < icons.size(); ++i)
            for (qsizetype j = i + 1; j < icons.size(); ++j)
                QVERIFY2(icons.at(i) != icons.at(j),
                         qPrintable(names.at(i) + QStringLiteral(" and ") + names.at(j)));
    }

    void widgetDescribesItself_data()
    {
        QTest::addColumn<QString>("className");
        QTest::newRow("item list editor") << QStringLiteral("TQXItemListEditor");
        QTest::newRow("object inspector") << QStringLiteral("TQXObjectInspector");
        QTest::newRow("data-aware inspector") << QStringLiteral("TQXDBInspector");
    }

    void widgetDescribesItself()
    {
        QFETCH(QString, className);
        QDesignerCustomWidgetInterface *description = widget(className);
        QVERIFY(description);
        QCOMPARE(description->group(), QStringLiteral("VESK"));
        QVERIFY(description->isInitialized());
        QVERIFY(!description->isContainer());
        QVERIFY(description->includeFile().contains(className.mid(1) + QStringLiteral(".h")));

        const QImage icon
            = description->icon().pixmap(24, 24).toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(icon.size(), QSize(24, 24));
        int painted = 0;
        for (int y = 0; y < icon.height(); ++y)
            for (int x = 0; x < icon.width(); ++x)
                painted += qAlpha(icon.pixel(x, y)) > 0;
        QVERIFY2(painted > 24 * 24 / 2, qPrintable(QString::number(painted)));

        const QString xml = description->domXml();
        QXmlStreamReader reader(xml);
        while (!reader.atEnd())
            reader.readNext();
        QVERIFY2(!reader.hasError(), qPrintable(reader.errorString()));
        QVERIFY(xml.contains(QStringLiteral("<widget class=\"%1\"").arg(className)));
        const QRegularExpressionMatch size
            = QRegularExpression(QStringLiteral("<width>(\\d+)</width><height>(\\d+)</height>")).match(xml);
        QVERIFY(size.hasMatch() && size.captured(1).toInt() >= 100 && size.captured(2).toInt() >= 100);

        // Made by the plugin that Designer's core initialized: in design state.
        QWidget form;
        QPointer<QWidget> made = description->createWidget(&form);
        QVERIFY(made);
        QCOMPARE(QString::fromLatin1(made->metaObject()->className()), className);
        const TComponent *component = AsComponent(made);
        QVERIFY(component && (component->ComponentState() & csDesigning));
        delete made; // as Designer deletes a widget removed from a form
    }

    // The inspector the plugin makes works.

    void createdObjectInspectorWorks()
    {
        QWidget form;
        auto *inspected = new QObject(&form);
        inspected->setObjectName(QStringLiteral("Inspected"));
        QPointer<QWidget> made = widget(QStringLiteral("TQXObjectInspector"))->createWidget(&form);
        auto *inspector = qobject_cast<TQXObjectInspector *>(made);
        QVERIFY(inspector);
        inspector->Objects()->Add(inspected);
        QXTest::settle();
        TQXItemProperty *name = inspector->GetItems()->FindItemByFullPathName(QStringLiteral("objectName"));
        QVERIFY(name);
        QCOMPARE(name->GetValue(), QStringLiteral("Inspected"));
        delete made;
    }
};

QTEST_MAIN(tst_DesignPlugin)
#include "tst_designplugin.moc"
