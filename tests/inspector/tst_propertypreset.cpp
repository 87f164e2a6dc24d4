// Tests of the preset rules (src/inspector/QXPropertyPreset.*): the setters' invariants, which rows a
// rule matches, what it copies onto them, the registry, and a stored preset coming back.
#include "QXTestSupport.h"
#include "helper_fixtures.h"

#include <QXInspector/ClassRegistry.h>
#include <QXInspector/GSpecialFiler.h>
#include <QXInspector/QXObjectInspector.h>
#include <QXInspector/Streaming.h>

#include <QApplication>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>

#include <functional>

using namespace QXPlatform;
using QXTest::settle;

/// A preset class whose constructor fills its type names, as built-in presets do.
class FilledPreset : public TQXPropertyPreset
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit FilledPreset(QXPlatform::TCollection *Collection)
        : TQXPropertyPreset(Collection)
    {
        TypeNames()->Add(QStringLiteral("TColor"));
    }
};

class DerivedPreset : public FilledPreset
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit DerivedPreset(QXPlatform::TCollection *Collection)
        : FilledPreset(Collection)
    { }
};

/// Keeps presets of several classes as a defined property, the way the inspector stores its own.
class PresetHolder : public QObject, public TComponent
{
    Q_OBJECT
public:
    PresetHolder()
        : TComponent(this, nullptr)
    { }
    ~PresetHolder() override { Free(presets); }
    void DefineProperties(TFiler *Filer) override
    {
        Filer->DefineProperty(
            QStringLiteral("Presets"),
            [this](TReader *Reader) { TGSpecialFiler(Reader).ReadCollection(presets); },
            [this](TWriter *Writer) { TGSpecialFiler(Writer).WriteCollection(presets); }, true);
    }
    TQXPropertyPresets *presets = Create<TQXPropertyPresets>(nullptr);
};

/// A class of the registry that rows are given as their type name, and its ancestor.
class Box : public QObject
{
    Q_OBJECT
};

class WideBox : public Box
{
    Q_OBJECT
};

using Configure = std::function<void(TQXPropertyPreset *)>;
Q_DECLARE_METATYPE(Configure)

class tst_PropertyPreset : public QObject
{
    Q_OBJECT

    TQXObjectInspector *inspector = nullptr;
    Sample *sample = nullptr;

    TQXItemProperty *row(const QString &path) const
    {
        return inspector->GetItems()->FindItemByFullPathName(path);
    }

private slots:
    void init()
    {
        inspector = Create<TQXObjectInspector>();
        sample = new Sample;
        sample->setObjectName(QStringLiteral("Sample1"));
        inspector->Objects()->Add(sample);
        settle();
        row(QStringLiteral("Font"))->SetExpanded(true);
        settle();
    }
    void cleanup()
    {
        Free(inspector);
        delete sample;
    }

    void settersKeepMatchTypesAndActionsInStep()
    {
        TQXPropertyPreset *preset = inspector->Presets()->Add();
        QCOMPARE(preset->Actions(), TQXPropertyPresetTypes());

        preset->TypeNames()->Add(QStringLiteral("Integer"));
        QCOMPARE(preset->MatchTypes(), TQXPresetMatchTypes(mtPropertyType));
        preset->TypeNames()->Clear();
        QCOMPARE(preset->MatchTypes(), TQXPresetMatchTypes());

        preset->SetHint(QStringLiteral("a hint"));
        QCOMPARE(preset->Actions(), TQXPropertyPresetTypes(pftHint));
        preset->SetHint(QString());
        QCOMPARE(preset->Actions(), TQXPropertyPresetTypes());

        preset->SetActions(pftReadOnly | pftWritable);
        QCOMPARE(preset->Actions(), TQXPropertyPresetTypes());
        preset->SetActions(pftVisible | pftHidden);
        QCOMPARE(preset->Actions(), TQXPropertyPresetTypes());

        preset->PickList()->Add(QStringLiteral("one"));
        QCOMPARE(preset->EditStyle(), esPickList);
        preset->PickList()->Clear();
        QCOMPARE(preset->EditStyle(), esSimple);
        QVERIFY(preset->Actions().testFlag(pftEditStyle));

        QVERIFY(!preset->Actions().testFlag(pftFont)); // taking the inspector's font added nothing
        preset->Font()->SetSize(preset->Font()->Size() + 3);
        QVERIFY(preset->Actions().testFlag(pftFont));
    }

    void matches_data()
    {
        QTest::addColumn<Configure>("configure");
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("matches");
        const Configure none = [](TQXPropertyPreset *) {};
        QTest::newRow("no tests") << none << "Tag" << false;
        const Configure exclusive = [](TQXPropertyPreset *p) { p->SetInclusive(false); };
        QTest::newRow("no tests, exclusive") << exclusive << "Tag" << true;
        const Configure notCaption = [](TQXPropertyPreset *p) {
            p->SetInclusive(false);
            p->PropNames()->Add(QStringLiteral("Caption"));
        };
        QTest::newRow("all but Caption: Tag") << notCaption << "Tag" << true;
        QTest::newRow("all but Caption: caption") << notCaption << "Caption" << false;
        const Configure byName = [](TQXPropertyPreset *p) { p->PropNames()->Add(QStringLiteral("tag")); };
        QTest::newRow("name, any case") << byName << "Tag" << true;
        QTest::newRow("name elsewhere") << byName << "Caption" << false;
        const Configure fullName = [](TQXPropertyPreset *p) {
            p->PropNames()->Add(QStringLiteral("Font.Size"));
            p->SetMatchTypes(mtFullPropertyName);
        };
        QTest::newRow("full name") << fullName << "Font.Size" << true;
        const Configure integers = [](TQXPropertyPreset *p) {
            p->SetTypeKinds(tkInteger);
            p->SetMatchTypes(mtPropertyType);
        };
        QTest::newRow("kind, no type names") << integers << "Tag" << true;
        QTest::newRow("other kind") << integers << "Caption" << false;
        const Configure anyKind = [](TQXPropertyPreset *p) {
            p->SetTypeKinds(tkUnknown);
            p->TypeNames()->Add(QStringLiteral("Nothing"));
        };
        QTest::newRow("unknown kind passes all") << anyKind << "Caption" << true;
        const Configure noKinds
            = [](TQXPropertyPreset *p) { p->TypeNames()->Add(QStringLiteral("Integer")); };
        QTest::newRow("no kinds never pass") << noKinds << "Tag" << false;
        const Configure ancestor = [](TQXPropertyPreset *p) {
            p->SetTypeKinds(tkClass);
            p->TypeNames()->Add(QStringLiteral("QObject"));
        };
        QTest::newRow("class type by ancestor") << ancestor << "Items" << true;
        const Configure fontParts = [](TQXPropertyPreset *p) {
            p->SetParentTypeKinds(tkClass);
            p->ParentTypeNames()->Add(QStringLiteral("TFont"));
        };
        QTest::newRow("sub-property of a font") << fontParts << "Font.Size" << true;
        QTest::newRow("top-level row has no parent") << fontParts << "Tag" << false;
        const Configure parentName
            = [](TQXPropertyPreset *p) { p->ParentPropNames()->Add(QStringLiteral("font")); };
        QTest::newRow("parent name") << parentName << "Font.Name" << true;
        const Configure objectClass
            = [](TQXPropertyPreset *p) { p->ParentClassNames()->Add(QStringLiteral("qobject")); };
        QTest::newRow("inspected class by ancestor") << objectClass << "Tag" << true;
        const Configure widgets
            = [](TQXPropertyPreset *p) { p->ParentClassNames()->Add(QStringLiteral("QWidget")); };
        QTest::newRow("inspected class elsewhere") << widgets << "Tag" << false;
        const Configure vetoed = [](TQXPropertyPreset *p) {
            p->PropNames()->Add(QStringLiteral("Tag"));
            p->OnMatchPreset = [](QObject *, TQXItemProperty *, bool &Result) { Result = false; };
        };
        QTest::newRow("event has the last word") << vetoed << "Tag" << false;
    }
    void matches()
    {
        QFETCH(Configure, configure);
        QFETCH(QString, path);
        QFETCH(bool, matches);
        TQXPropertyPreset *preset = inspector->Presets()->Add();
        configure(preset);
        QVERIFY(row(path));
        QCOMPARE(preset->Matches(row(path)), matches);
    }

    void laterRowsSeeWhatAnAppliedPresetChanged()
    {
        // Applying a preset runs the application's code, which may change what the later rows' tests
        // read: here the first sub-row of Font renames Font's type, and the parent test of every later
        // sub-row sees the new name, not what it found for the first.
        RegisterClasses({ &WideBox::staticMetaObject });
        const auto unregister = qScopeGuard([] { UnRegisterClasses({ &WideBox::staticMetaObject }); });
        TQXPropertyPreset *inBox = inspector->Presets()->Add();
        inBox->SetParentTypeKinds(tkClass);
        inBox->ParentTypeNames()->Add(QStringLiteral("Box"));
        inBox->SetHint(QStringLiteral("in a box"));
        TQXPropertyPreset *rename = inspector->Presets()->Add();
        rename->ParentPropNames()->Add(QStringLiteral("Font"));
        rename->SetActions(pftCustom);
        rename->OnCustomPreset = [](QObject *, TQXItemProperty *Item) {
            Item->GetParent()->SetTypeName(QStringLiteral("WideBox"));
        };
        settle();
        TQXItemProperties *parts = row(QStringLiteral("Font"))->GetItems();
        QVERIFY(parts->Count() > 2);
        QCOMPARE(parts->Items(0)->Hint(), QString());
        QCOMPARE(parts->Items(parts->Count() - 1)->Hint(), QStringLiteral("in a box"));
    }

    void laterPresetWinsAndAliasesStay()
    {
        TQXPropertyPreset *first = inspector->Presets()->Add();
        first->PropNames()->Add(QStringLiteral("Caption"));
        first->SetEditStyle(esEllipsis);
        first->SetHint(QStringLiteral("shown text"));
        TQXPropertyPreset *second = inspector->Presets()->Add();
        second->PropNames()->Add(QStringLiteral("Caption"));
        second->SetEditStyle(esPickList);
        second->SetAlias(QStringLiteral("Title"));
        settle();

        TQXItemProperty *caption = inspector->GetItems()->FindItemByFullPathName(QStringLiteral("Title"));
        QVERIFY(caption);
        QCOMPARE(caption->RealPropName(), QStringLiteral("Caption"));
        QCOMPARE(caption->EditStyle(), esPickList);
        QCOMPARE(caption->Hint(), QStringLiteral("shown text"));

        // Applied again without a scan (a preset changed): the row is named Title now, so name tests for
        // Caption no longer match it.
        first->SetHint(QStringLiteral("changed"));
        QCOMPARE(caption->Hint(), QStringLiteral("shown text"));
    }

    void valueFontGoesToMatchingRowsOnly()
    {
        // Tag and Caption both differ from their defaults, so both show in the shared changed-value font.
        sample->Tag = 5;
        sample->Caption = QStringLiteral("changed");
        inspector->Rescan();
        const TColor changedColor = inspector->ValueChangedFont()->Color();
        TQXPropertyPreset *preset = inspector->Presets()->Add();
        preset->PropNames()->Add(QStringLiteral("Tag"));
        preset->ValueFont()->SetColor(0x008000);
        settle();
        QCOMPARE(inspector->ValueChangedFont()->Color(), changedColor);
        QCOMPARE(row(QStringLiteral("Caption"))->GetIndividualValueFont(0)->Color(), changedColor);
        // Drawn without the changed-value font, the matching row shows the preset's value font.
        inspector->SetShowValueChangedFont(false);
        QCOMPARE(row(QStringLiteral("Tag"))->GetIndividualValueFont(0)->Color(), TColor(0x008000));
        QCOMPARE(row(QStringLiteral("Caption"))->GetIndividualValueFont(0)->Color(),
                 inspector->ValueFont()->Color());
    }

    void presetFontsFollowTheInspectorsFonts()
    {
        // A preset changes one attribute of the inspector's value font and follows it in all others.
        inspector->SetShowValueChangedFont(false);
        TQXPropertyPreset *preset = inspector->Presets()->Add();
        preset->PropNames()->Add(QStringLiteral("Tag"));
        preset->ValueFont()->SetStyle(fsBold);
        settle();
        inspector->ValueFont()->SetColor(clRed);
        inspector->Font()->SetSize(inspector->Font()->Size() + 4);
        settle();
        const TFont *value = row(QStringLiteral("Tag"))->GetIndividualValueFont(0);
        QCOMPARE(value->Color(), clRed);
        QCOMPARE(value->Style(), TFontStyles(fsBold));
        // Following is not a change of the preset's own: it adds no action.
        QCOMPARE(preset->Actions(), TQXPropertyPresetTypes(pftValueFont));
    }

    void assignSendsOneNotification()
    {
        TQXPropertyPresets *presets = inspector->Presets();
        TQXPropertyPreset *source = presets->Add();
        source->PropNames()->Add(QStringLiteral("Caption"));
        source->TypeNames()->Add(QStringLiteral("Integer"));
        source->ParentPropNames()->Add(QStringLiteral("Font"));
        source->PickList()->Add(QStringLiteral("one"));
        source->Font()->SetSize(source->Font()->Size() + 3);
        source->ValueFont()->SetColor(0x008000);
        source->SetActions(source->Actions() | pftReadOnly);
        TQXPropertyPreset *copy = presets->Add();
        QSignalSpy changes(presets, &TCollection::changed);
        copy->Assign(source);
        QCOMPARE(changes.count(), 1);
        QCOMPARE(copy->MatchTypes(), source->MatchTypes());
        QCOMPARE(copy->Actions(), source->Actions());
        QCOMPARE(copy->EditStyle(), esPickList);
        QCOMPARE(copy->Font()->Size(), source->Font()->Size());
    }

    void indexOfTakesExactClassesAndCase()
    {
        TQXPropertyPresets *presets = inspector->Presets();
        const int before = presets->Count();
        presets->Add(&DerivedPreset::staticMetaObject)->SetName(QStringLiteral("Colours"));
        QCOMPARE(presets->IndexOf(&FilledPreset::staticMetaObject), -1);
        QCOMPARE(presets->IndexOf(&DerivedPreset::staticMetaObject), before);
        QCOMPARE(presets->IndexOf(QStringLiteral("Colours")), before);
        QCOMPARE(presets->IndexOf(QStringLiteral("colours")), -1);
    }

    void registeringEntersUnregisteredAncestors()
    {
        RegisterPreset(&DerivedPreset::staticMetaObject);
        auto registered = [] {
            TThreadListLocker<const QMetaObject *> lock(*RegisteredPresets());
            return lock.List();
        };
        QList<const QMetaObject *> list = registered();
        const qsizetype derived = list.indexOf(&DerivedPreset::staticMetaObject);
        QVERIFY(derived >= 0);
        QCOMPARE(list.value(derived + 1), &FilledPreset::staticMetaObject);
        QVERIFY(!list.contains(&TQXPropertyPreset::staticMetaObject));
        QCOMPARE(GetClass(QStringLiteral("DerivedPreset")), &DerivedPreset::staticMetaObject);
        RegisterPreset(&DerivedPreset::staticMetaObject);
        QCOMPARE(registered(), list);

        UnregisterPreset(&DerivedPreset::staticMetaObject);
        QVERIFY(!registered().contains(&FilledPreset::staticMetaObject));
        UnRegisterClass(&DerivedPreset::staticMetaObject);
        UnRegisterClass(&FilledPreset::staticMetaObject);
    }

    void storedPresetKeepsItsEmptiedList()
    {
        RegisterClasses({ &FilledPreset::staticMetaObject });
        PresetHolder source;
        auto *emptied = static_cast<FilledPreset *>(source.presets->Add(&FilledPreset::staticMetaObject));
        emptied->TypeNames()->Clear();
        auto *kept = static_cast<FilledPreset *>(source.presets->Add(&FilledPreset::staticMetaObject));
        kept->PropNames()->Add(QStringLiteral("Color"));
        kept->SetHint(QStringLiteral("a colour"));
        kept->SetInclusive(false);

        PresetHolder target;
        ReadComponent(&target, WriteComponent(&source));
        UnRegisterClasses({ &FilledPreset::staticMetaObject });
        QCOMPARE(target.presets->Count(), 2);
        QVERIFY(qobject_cast<FilledPreset *>(target.presets->Items(0)));
        QCOMPARE(target.presets->Items(0)->TypeNames()->Count(), 0);
        QCOMPARE(target.presets->Items(0)->MatchTypes(), TQXPresetMatchTypes());
        TQXPropertyPreset *read = target.presets->Items(1);
        QCOMPARE(read->TypeNames()->Text(), kept->TypeNames()->Text());
        QCOMPARE(read->PropNames()->Text(), kept->PropNames()->Text());
        QCOMPARE(read->MatchTypes(), kept->MatchTypes());
        QCOMPARE(read->Actions(), kept->Actions());
        QCOMPARE(read->Inclusive(), false);
    }
};

QTEST_MAIN(tst_PropertyPreset)
#include "tst_propertypreset.moc"
