// Tests of the inspector's stored form (src/inspector: DefineProperties of the inspector and its rows):
// presets come back with their classes, rows come back with what they know of their properties and stay
// until the next scan; the presets also travel alone, as the text that form files keep.
#include "QXTestSupport.h"
#include "helper_fixtures.h"

#include <QXInspector/ClassRegistry.h>
#include <QXInspector/QXItemListEditor.h>
#include <QXInspector/QXObjectInspector.h>
#include <QXInspector/Streaming.h>

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTest>

#include <functional>

using namespace QXPlatform;
using QXTest::raisedMessage;
using QXTest::settle;

class HintPreset : public TQXPropertyPreset
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit HintPreset(QXPlatform::TCollection *Collection)
        : TQXPropertyPreset(Collection)
    { }
};

/// A preset class that declares the default of its Actions, as built-in presets do: unchanged Actions are
/// not stored.
class QuietPreset : public TQXPropertyPreset
{
    Q_OBJECT
    QX_DEFAULT(Actions, "[]")
public:
    Q_INVOKABLE explicit QuietPreset(QXPlatform::TCollection *Collection)
        : TQXPropertyPreset(Collection)
    { }
};

using Configure = std::function<void(TQXPropertyPreset *)>;
Q_DECLARE_METATYPE(Configure)

class tst_InspectorStream : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        RegisterClasses({ &HintPreset::staticMetaObject, &QuietPreset::staticMetaObject });
    }
    void cleanupTestCase()
    {
        UnRegisterClasses({ &HintPreset::staticMetaObject, &QuietPreset::staticMetaObject });
    }

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
        // The rows read back write the document they were read from.
        QCOMPARE(WriteComponent(target), data);

        // Nothing was queued while loading: the rows read are the rows shown until a scan is asked for.
        settle();
        QCOMPARE(target->GetItems()->FindItemByFullPathName(QStringLiteral("Tag")), tag);
        target->Rescan();
        QVERIFY(target->GetItems()->FindItemByFullPathName(QStringLiteral("Tag")) != tag);
        QCOMPARE(WriteComponent(target), data);
    }

    // What is written is what is read
    void rowsReadBackHoldTheValuesWritten_data()
    {
        QTest::addColumn<QString>("path");
        for (const char *path : { "Tag", "Big", "Ratio", "Flag", "Letter", "Caption", "Align", "Options",
                                  "When", "Color", "Font", "Items", "Buddy" })
            QTest::newRow(path) << QString::fromLatin1(path);
    }
    void rowsReadBackHoldTheValuesWritten()
    {
        QFETCH(QString, path);
        QWidget form;
        auto *sample = new Sample(&form);
        sample->setObjectName(QStringLiteral("Sample1"));
        auto *buddy = new Sample(&form);
        buddy->setObjectName(QStringLiteral("Buddy1"));
        sample->SetBuddy(buddy);
        sample->Big = 7;
        TQXObjectInspector *source = Create<TQXObjectInspector>(&form);
        auto freeSource = qScopeGuard([source] { Free(source); });
        source->Objects()->Add(sample);
        settle();
        const QVariant written = source->GetItems()->FindItemByFullPathName(path)->RealValues(0);
        QVERIFY(written.isValid());

        TQXObjectInspector *target = Create<TQXObjectInspector>(&form);
        auto freeTarget = qScopeGuard([target] { Free(target); });
        ReadComponent(target, WriteComponent(source));
        const QVariant read = target->GetItems()->FindItemByFullPathName(path)->RealValues(0);
        QCOMPARE(read.metaType(), written.metaType());
        QCOMPARE(read, written);
    }

    void readBackWritesTheSameDocument_data()
    {
        QTest::addColumn<Configure>("configure");
        QTest::addColumn<bool>("presetsStream");
        QTest::addColumn<bool>("newFont"); // the application's font changes before the document is read
        const Configure defaults = [](TQXPropertyPreset *) {};
        const Configure fullName = [](TQXPropertyPreset *p) {
            p->PropNames()->Add(QStringLiteral("Font.Size"));
            p->SetMatchTypes(mtFullPropertyName);
        };
        const Configure parentFullName = [](TQXPropertyPreset *p) {
            p->ParentPropNames()->Add(QStringLiteral("Font"));
            p->SetMatchTypes(mtParentFullPropertyName);
        };
        const Configure simpleBesidePickList = [](TQXPropertyPreset *p) {
            p->PickList()->Add(QStringLiteral("one"));
            p->SetEditStyle(esSimple);
        };
        const Configure fonts = [](TQXPropertyPreset *p) {
            p->Font()->SetStyle(fsItalic);
            p->ValueFont()->SetStyle(fsBold);
            p->ValueFont()->SetColor(clWindowText);
        };
        const Configure fontWithoutAction = [](TQXPropertyPreset *p) {
            p->Font()->SetStyle(fsItalic);
            p->SetActions(p->Actions() & ~TQXPropertyPresetTypes(pftFont));
        };
        const std::pair<const char *, Configure> cases[]
            = { { "built-in presets", defaults },
                { "own font, action taken off", fontWithoutAction },
                { "full name only", fullName },
                { "parent full name only", parentFullName },
                { "simple style, pick list", simpleBesidePickList },
                { "own font attributes", fonts } };
        for (const auto &[name, configure] : cases)
            for (const bool presetsStream : { false, true })
                for (const bool newFont : { false, true })
                    QTest::addRow("%s, %s%s", name, presetsStream ? "presets stream" : "form",
                                  newFont ? ", new application font" : "")
                        << configure << presetsStream << newFont;
    }
    void readBackWritesTheSameDocument()
    {
        QFETCH(Configure, configure);
        QFETCH(bool, presetsStream);
        QFETCH(bool, newFont);
        const QFont applicationFont = QApplication::font();
        auto restoreFont = qScopeGuard([applicationFont] { QApplication::setFont(applicationFont); });
        TQXObjectInspector *source = Create<TQXObjectInspector>();
        auto freeSource = qScopeGuard([source] { Free(source); });
        configure(source->Presets()->Add(&QuietPreset::staticMetaObject));
        const auto document = [presetsStream](TQXObjectInspector *inspector) {
            return presetsStream ? inspector->PresetsStream().toUtf8() : WriteComponent(inspector);
        };
        const QByteArray written = document(source);
        if (newFont) {
            QFont font = applicationFont;
            font.setFamily(applicationFont.family() == QLatin1String("Courier") ? QStringLiteral("Serif")
                                                                                : QStringLiteral("Courier"));
            font.setPointSize(applicationFont.pointSize() + 6);
            QApplication::setFont(font);
        }

        TQXObjectInspector *target = Create<TQXObjectInspector>();
        auto freeTarget = qScopeGuard([target] { Free(target); });
        if (presetsStream)
            target->setPresetsStream(QString::fromUtf8(written));
        else
            ReadComponent(target, written);

        QCOMPARE(document(target), written);
        const int last = target->Presets()->Count() - 1;
        QCOMPARE(target->Presets()->Items(last)->MatchTypes(), source->Presets()->Items(last)->MatchTypes());
        QCOMPARE(target->Presets()->Items(last)->EditStyle(), source->Presets()->Items(last)->EditStyle());
        QCOMPARE(target->Presets()->Items(last)->Actions(), source->Presets()->Items(last)->Actions());
        // What a preset does not change of the inspector's font follows the font of the inspector read into.
        const TFont *maroon = target->Presets()->Items(0)->Font();
        QCOMPARE(maroon->Size(), target->Font()->Size());
        QCOMPARE(maroon->Name(), target->Font()->Name());
        QCOMPARE(maroon->Color(), clMaroon);
    }

    // A failed read changes nothing

    void failedReadLeavesTheInspectorAsItWas()
    {
        QWidget form;
        auto *sample = new Sample(&form);
        sample->setObjectName(QStringLiteral("Sample1"));
        auto *other = new Sample(&form);
        other->setObjectName(QStringLiteral("Sample2"));
        auto *source = Create<TQXObjectInspector>(&form);
        auto freeSource = qScopeGuard([source] { Free(source); });
        source->setObjectName(QStringLiteral("Source"));
        source->Objects()->Add(sample);
        source->Filters()->Add(QStringLiteral("Big"));
        source->SetDisplayOptions(source->DisplayOptions() | TQXCustomItemListEditor::doMultiColValues);
        source->Presets()->Add(&HintPreset::staticMetaObject)->SetHint(QStringLiteral("a number"));
        settle();
        // A row with a property no row has: only the reader of the defined rows can find it.
        QJsonObject document = QJsonDocument::fromJson(WriteComponent(source)).object();
        QJsonObject defined = document.value(QStringLiteral("@defined")).toObject();
        QJsonObject rows = defined.value(QStringLiteral("HItems")).toArray().first().toObject();
        QJsonArray items = rows.value(QStringLiteral("collection")).toArray();
        QVERIFY(!items.isEmpty());
        QJsonObject row = items.first().toObject();
        QVERIFY(row.contains(QStringLiteral("Name")));
        row.insert(QStringLiteral("Na|me"), row.take(QStringLiteral("Name")));
        items.replace(0, row);
        rows.insert(QStringLiteral("collection"), items);
        defined.insert(QStringLiteral("HItems"), QJsonArray { rows });
        document.insert(QStringLiteral("@defined"), defined);

        auto *target = Create<TQXObjectInspector>(&form);
        auto freeTarget = qScopeGuard([target] { Free(target); });
        target->setObjectName(QStringLiteral("Target"));
        target->Objects()->Add(other);
        target->Filters()->Add(QStringLiteral("Tag"));
        settle();
        const QByteArray before = WriteComponent(target);

        QVERIFY(!raisedMessage<EReadError>([&] {
                     ReadComponent(target, QJsonDocument(document).toJson());
                 }).startsWith(QStringLiteral("<nothing")));

        QCOMPARE(target->objectName(), QStringLiteral("Target"));
        QCOMPARE(target->Objects()->Count(), 1);
        QCOMPARE(target->Objects()->Items(0)->Objects(), other);
        QCOMPARE(WriteComponent(target), before);
    }

    // Damaged documents of every kind: each one that is refused leaves the settings as they were.
    void damagedDocumentsNeverChangeTheTarget_data()
    {
        QTest::addColumn<bool>("presetsStream");
        QTest::newRow("settings document") << false;
        QTest::newRow("presets stream") << true;
    }

    void damagedDocumentsNeverChangeTheTarget()
    {
        QFETCH(bool, presetsStream);
        QWidget form;
        auto *sample = new Sample(&form);
        sample->setObjectName(QStringLiteral("Sample1"));
        auto *source = Create<TQXObjectInspector>(&form);
        auto freeSource = qScopeGuard([source] { Free(source); });
        source->Objects()->Add(sample);
        source->Filters()->Add(QStringLiteral("Big"));
        // Two presets, not the built-in ones: the documents stay small enough to damage by the thousand.
        source->Presets()->Clear();
        source->Presets()->Add(&HintPreset::staticMetaObject)->PropNames()->Add(QStringLiteral("Tag"));
        source->Presets()->Add()->SetAlias(QStringLiteral("Label"));
        settle();
        const QByteArray good = presetsStream ? source->PresetsStream().toUtf8() : WriteComponent(source);

        auto *target = Create<TQXObjectInspector>(&form);
        auto freeTarget = qScopeGuard([target] { Free(target); });
        target->setObjectName(QStringLiteral("Target"));
        target->Filters()->Add(QStringLiteral("Caption"));
        target->Presets()->Clear();
        const auto settings
            = [&] { return presetsStream ? target->PresetsStream().toUtf8() : WriteComponent(target); };
        bool refused = false;
        const TExceptionHandler previous
            = SetExceptionHandler([&refused](std::exception_ptr) { refused = true; });
        auto restore = qScopeGuard([previous] { SetExceptionHandler(previous); });

        QRandomGenerator random(20261209);
        QByteArray before = settings();
        int refusals = 0;
        for (int round = 0; round < 1500; ++round) {
            QByteArray bad = good;
            const qsizetype at = random.bounded(bad.size());
            switch (round % 4) {
            case 0:
                bad[at] = char(bad.at(at) ^ (1 << random.bounded(8)));
                break;
            case 1:
                bad.truncate(at);
                break;
            case 2:
                bad.insert(at, "\"|\",{}[]0-."[random.bounded(11)]);
                break;
            default:
                bad.insert(at, QByteArray(80, '[') + QByteArray(80, ']'));
                break;
            }
            refused = false;
            if (presetsStream) {
                target->setPresetsStream(QString::fromUtf8(bad));
            } else {
                try {
                    ReadComponent(target, bad);
                } catch (const EReadError &) {
                    refused = true;
                }
            }
            if (!refused) {
                before = settings();
                continue;
            }
            ++refusals;
            QVERIFY2(settings() == before,
                     qPrintable(QStringLiteral("round %1 changed the target").arg(round)));
        }
        QVERIFY(refusals > 1000);
    }

    // The presets as one text (PresetsStream)

    void presetsStreamCarriesThePresetsToAnotherInspector()
    {
        QWidget form;
        auto *sample = new Sample(&form);
        auto *source = Create<TQXObjectInspector>(&form);
        auto freeSource = qScopeGuard([source] { Free(source); });
        auto *preset = source->Presets()->Add(&HintPreset::staticMetaObject);
        preset->PropNames()->Add(QStringLiteral("Tag"));
        preset->SetHint(QStringLiteral("a number"));
        const QString text = source->PresetsStream();

        auto *target = Create<TQXObjectInspector>(&form);
        auto freeTarget = qScopeGuard([target] { Free(target); });
        target->Objects()->Add(sample);
        target->setPresetsStream(text);
        settle();

        QCOMPARE(target->Presets()->Count(), source->Presets()->Count());
        QVERIFY(qobject_cast<HintPreset *>(target->Presets()->Items(target->Presets()->Count() - 1)));
        QCOMPARE(target->GetItems()->FindItemByFullPathName(QStringLiteral("Tag"))->Hint(),
                 QStringLiteral("a number"));
        QCOMPARE(target->PresetsStream(), text);
        // The inspector's own settings keep the presets once, as "HPresets".
        const QJsonObject settings = QJsonDocument::fromJson(WriteComponent(source)).object();
        QVERIFY(!settings.contains(QStringLiteral("PresetsStream")));
    }

    // The Qt-typed twins (valueFont, titleCaptions, ...) are for form designers: set through the meta
    // object as a form sets them, they change the published object they stand for, and the type layer
    // neither lists nor stores them.
    void formOnlyTwinsAreNeitherPublishedNorStored_data()
    {
        QTest::addColumn<bool>("inspector");
        QTest::addColumn<QByteArray>("twin"); // the published property has the same name, capitalised
        QTest::addColumn<QVariant>("value");
        QFont font = TFont::DefaultFont();
        font.setPointSize(font.pointSize() + 5);
        const QVariant values[] = { font, QStringList { QStringLiteral("Name"), QStringLiteral("Setting") },
                                    QColor(0x12, 0x34, 0x56) };
        // The item list editor has the first six; the inspector has all.
        const std::pair<const char *, int> twins[]
            = { { "valueFont", 0 },     { "categoryFont", 0 },    { "titleCaptionFont", 0 },
                { "titleCaptions", 1 }, { "color", 2 },           { "fixedColor", 2 },
                { "filters", 1 },       { "valueChangedFont", 0 } };
        for (const bool inspector : { false, true })
            for (int i = 0; i < (inspector ? 8 : 6); ++i)
                QTest::addRow("%s %s", inspector ? "inspector" : "item list editor", twins[i].first)
                    << inspector << QByteArray(twins[i].first) << values[twins[i].second];
    }

    void formOnlyTwinsAreNeitherPublishedNorStored()
    {
        QFETCH(bool, inspector);
        QFETCH(QByteArray, twin);
        QFETCH(QVariant, value);
        const QString published = QChar(twin.at(0)).toUpper() + QString::fromLatin1(twin.mid(1));
        QObject *editor = inspector ? static_cast<QObject *>(Create<TQXObjectInspector>())
                                    : static_cast<QObject *>(Create<TQXItemListEditor>());
        auto freeEditor = qScopeGuard([editor] { FreeObject(editor); });

        QVERIFY(editor->setProperty(twin.constData(), value));
        const QVariant stored = editor->property(published.toLatin1().constData());
        if (auto *font = qobject_cast<const TFont *>(stored.value<QObject *>()))
            QCOMPARE(font->Size(), value.value<QFont>().pointSize());
        else if (auto *strings = qobject_cast<const TStrings *>(stored.value<QObject *>()))
            QCOMPARE(strings->ToStringList(), value.toStringList());
        else
            QCOMPARE(stored.value<TColor>(), QColorToColor(value.value<QColor>()));

        QStringList names;
        for (const TPropInfo &info : GetPropList(editor))
            names.append(info.Name);
        QVERIFY(names.contains(published));
        QVERIFY(!names.contains(QString::fromLatin1(twin)));
        QCOMPARE(GetPropInfo(editor, QString::fromLatin1(twin)).Name, published);
        const QJsonObject settings = QJsonDocument::fromJson(WriteComponent(editor)).object();
        QVERIFY(settings.contains(published));
        QVERIFY(!settings.contains(QString::fromLatin1(twin)));
    }

    void emptyPresetsStreamRestoresTheDefaults()
    {
        RegisterPreset(&HintPreset::staticMetaObject);
        auto unregister = qScopeGuard([] { UnregisterPreset(&HintPreset::staticMetaObject); });
        auto *fresh = Create<TQXObjectInspector>();
        auto freeFresh = qScopeGuard([fresh] { Free(fresh); });
        auto *inspector = Create<TQXObjectInspector>();
        auto freeInspector = qScopeGuard([inspector] { Free(inspector); });
        inspector->Presets()->Clear();

        inspector->setPresetsStream(QString());

        QVERIFY(inspector->Presets()->IndexOf(&HintPreset::staticMetaObject) >= 0);
        QCOMPARE(inspector->PresetsStream(), fresh->PresetsStream());
    }

    void unreadablePresetsStreamChangesNothing_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::newRow("cut short") << QStringLiteral("}") << QString();
        QTest::newRow("another class's document")
            << QStringLiteral("TQXPresetsDocument") << QStringLiteral("TQXObjectInspector");
        QTest::newRow("unregistered preset class")
            << QStringLiteral("\"HintPreset\"") << QStringLiteral("\"NoSuchPreset\"");
        QTest::newRow("value of the wrong kind") << QStringLiteral("\"a number\"") << QStringLiteral("[1]");
    }

    void unreadablePresetsStreamChangesNothing()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        auto *inspector = Create<TQXObjectInspector>();
        auto freeInspector = qScopeGuard([inspector] { Free(inspector); });
        inspector->Presets()->Add(&HintPreset::staticMetaObject)->SetHint(QStringLiteral("a number"));
        const QString before = inspector->PresetsStream();
        QString bad = before;
        QVERIFY(bad.contains(from));
        bad.replace(from, to);
        QStringList reported;
        const TExceptionHandler previous = SetExceptionHandler(
            [&reported](std::exception_ptr error) { reported.append(ExceptionMessage(error)); });
        auto restore = qScopeGuard([previous] { SetExceptionHandler(previous); });

        inspector->setPresetsStream(bad);

        QCOMPARE(reported.size(), 1);
        QVERIFY2(reported.first().startsWith(QStringLiteral("Error reading")), qPrintable(reported.first()));
        QCOMPARE(inspector->PresetsStream(), before);
    }
};

QTEST_MAIN(tst_InspectorStream)
#include "tst_inspectorstream.moc"
