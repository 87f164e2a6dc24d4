// Tests of the inspector's stored form (src/inspector: DefineProperties of the inspector and its rows):
// presets come back with their classes, rows come back with what they know of their properties and stay
// until the next scan.
#include "ClassRegistry.h"
#include "QXObjectInspector.h"
#include "QXTestSupport.h"
#include "Streaming.h"
#include "helper_fixtures.h"

#include <QApplication>
#include <QTest>

using namespace QXPlatform;
using QXTest::settle;

class HintPreset : public TQXPropertyPreset
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit HintPreset(QXPlatform::TCollection *Collection)
        : TQXPropertyPreset(Collection)
    { }
};

class tst_InspectorStream : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { RegisterClass(&HintPreset::staticMetaObject); }
    void cleanupTestCase() { UnRegisterClass(&HintPreset::staticMetaObject); }

    void rowsAndPresetsComeBackAndStayUntilTheNextScan()
    {
        QWidget form;
        auto *sample = new Sample(&form);
        sample->setObjectName(QStringLiteral("Sample1"));
        sample->Tag = 12;
        auto *source = Create<TQXObjectInspector>();
        auto freeSource = qScopeGuard([source] { Free(source); });
        source->setParent(nullptr);
        source->Objects()->Add(sample);
        auto *preset = static_cast<HintPreset *>(source->Presets()->Add(&HintPreset::staticMetaObject));
        preset->PropNames()->Add(QStringLiteral("Tag"));
        preset->SetHint(QStringLiteral("a number"));
        settle();
        QCOMPARE(source->GetItems()->FindItemByFullPathName(QStringLiteral("Tag"))->Hint(),
                 QStringLiteral("a number"));
        const QByteArray data = WriteComponent(source);

        auto *target = Create<TQXObjectInspector>();
        auto freeTarget = qScopeGuard([target] { Free(target); });
        target->setParent(&form);
        ReadComponent(target, data);

        QCOMPARE(target->Objects()->Count(), 1);
        QCOMPARE(target->Objects()->Items(0)->Objects(), sample);
        const int presets = target->Presets()->Count();
        QVERIFY(qobject_cast<HintPreset *>(target->Presets()->Items(presets - 1)));
        TQXItemProperty *tag = target->GetItems()->FindItemByFullPathName(QStringLiteral("Tag"));
        QVERIFY(tag);
        QCOMPARE(tag->GetValue(), QStringLiteral("12"));
        QCOMPARE(tag->RealPropName(), QStringLiteral("Tag"));
        QCOMPARE(tag->TypeKind(), tkInteger);
        QCOMPARE(tag->TypeName(), QStringLiteral("Integer"));
        QVERIFY(tag->IsRealProperty());
        QVERIFY(tag->IsAllEqual());
        QCOMPARE(tag->Hint(), QStringLiteral("a number"));
        QCOMPARE(target->GetItems()->Count(), source->GetItems()->Count());

        // Nothing was queued while loading: the rows read are the rows shown until a scan is asked for.
        settle();
        QCOMPARE(target->GetItems()->FindItemByFullPathName(QStringLiteral("Tag")), tag);
        target->Rescan();
        QVERIFY(target->GetItems()->FindItemByFullPathName(QStringLiteral("Tag")) != tag);
        QCOMPARE(WriteComponent(target), data);
    }
};

QTEST_MAIN(tst_InspectorStream)
#include "tst_inspectorstream.moc"
