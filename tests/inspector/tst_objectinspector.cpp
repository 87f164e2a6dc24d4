// The object inspector end to end: objects in, rows of their common properties out, edits written to
// every object and the rows refreshed, failures reported, and objects dying while they are shown.
#include "QXTestSupport.h"
#include "helper_fixtures.h"

#include <QXInspector/QXInplaceEditList.h>
#include <QXInspector/QXObjectInspector.h>
#include <QXInspector/TypeInfo.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <functional>

using namespace QXPlatform;

namespace {

using QXTest::settle;
/// Gives the sample a value of its own in every kind the value-text tests read.
void fillSample(Sample &sample)
{
    sample.Caption = QStringLiteral("Hello");
    sample.Tag = -5;
    sample.Big = Q_INT64_C(9000000000);
    sample.Align = Sample::alClient;
    sample.Options = Sample::TOptions(Sample::opFirst) | Sample::opThird;
    sample.Any = QStringLiteral("var");
}

QStringList namesOf(TQXItemProperties *rows)
{
    QStringList names;
    for (int i = 0; i < rows->Count(); ++i)
        names << rows->Items(i)->Name();
    return names;
}

/// Holds a line edit (or nothing) in a component-reference property: the object clipboard commands go to.
class EditorHolder : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QLineEdit *Editor READ Editor WRITE SetEditor)
public:
    QLineEdit *Editor() const { return m_editor; }
    void SetEditor(QLineEdit *Value) { m_editor = Value; }

private:
    QPointer<QLineEdit> m_editor;
};

/// Publishes its lines as a string list.
class Memo : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QStringList Lines READ Lines WRITE SetLines)
public:
    explicit Memo(const QStringList &lines = {})
        : m_lines(lines)
    { }
    QStringList Lines() const { return m_lines; }
    void SetLines(const QStringList &Value) { m_lines = Value; }

private:
    QStringList m_lines;
};

/// An enumeration with an alias: Default is another key of Normal.
class Levelled : public QObject
{
    Q_OBJECT
public:
    enum TLevel { Low, Normal, Default = Normal, High };
    Q_ENUM(TLevel)
    Q_PROPERTY(TLevel Level MEMBER Level)
    TLevel Level = Low;
};

/// Counts the refreshes that reach child rows through the overridable operation.
class CountingInspector : public TQXObjectInspector
{
public:
    int childRefreshes = 0;
    bool UpdateProperties(TQXItemProperties *Properties) override
    {
        if (Properties != GetItems())
            ++childRefreshes;
        return TQXObjectInspector::UpdateProperties(Properties);
    }
};

/// A preset class for the registry: gives every Tag row a hint.
class TagHintPreset : public TQXPropertyPreset
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TagHintPreset(QXPlatform::TCollection *Collection)
        : TQXPropertyPreset(Collection)
    { }
    bool Matches(TQXItemProperty *Item) override { return Item->RealPropName() == QLatin1String("Tag"); }
    void CopyPreset(TQXItemProperty *Item) override { Item->SetHint(QStringLiteral("a number")); }
};

} // namespace

class tst_ObjectInspector : public QObject
{
    Q_OBJECT

    TQXObjectInspector *inspector = nullptr;
    QStringList errors;

    TQXItemProperty *row(const QString &path) const
    {
        return inspector->GetItems()->FindItemByFullPathName(path);
    }
    void inspect(std::initializer_list<QObject *> objects)
    {
        for (QObject *object : objects)
            inspector->Objects()->Add(object);
        settle();
    }
    /// The text the grid shows in the value cell of the row at path.
    QString cell(const QString &path, int valueLine = 1) const
    {
        TQXItemProperty *item = row(path);
        const int line = item ? item->GetAbsoluteVIndex() : -1;
        return line < 0 ? QStringLiteral("<hidden>") : inspector->GetCell(valueLine, line + 1);
    }
    /// Types text into the value cell of the row at path and presses Enter.
    void typeInto(const QString &path, const QString &text) { typeInto(row(path), text); }
    void typeInto(TQXItemProperty *item, const QString &text)
    {
        inspector->SetSelected(item);
        inspector->SetGridCount(1, 1);
        inspector->ShowEditor();
        QLineEdit *editor = inspector->InplaceEditor();
        QVERIFY(editor);
        editor->selectAll();
        if (text.isEmpty())
            QTest::keyClick(editor, Qt::Key_Backspace);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
    }

private slots:
    void init()
    {
        inspector = Create<TQXObjectInspector>();
        inspector->resize(400, 900);
        inspector->show();
        QApplication::setActiveWindow(inspector);
        inspector->setFocus();
        errors.clear();
        inspector->OnValidateError
            = [this](QObject *, TQXItemProp *, int, const Exception &E) { errors << E.Message(); };
    }
    void cleanup() { Free(inspector); }

    // Defaults
    void defaults()
    {
        QVERIFY(inspector->IsSorted());
        QCOMPARE(inspector->Color(), clBtnFace);
        QCOMPARE(inspector->ValueFont()->Color(), clNavy);
        QVERIFY(inspector->ValueChangedFont()->Style().testFlag(fsBold));
        QCOMPARE(inspector->ValueChangedFont()->Color(), clNavy);
        QVERIFY(!inspector->DeleteBlanks());
        QVERIFY(inspector->InplaceComponents());
        QVERIFY(!inspector->DisplayKinds().testFlag(tkMethod));
        QVERIFY(inspector->DisplayKinds().testFlag(tkClass));
        QCOMPARE(inspector->CollectionItemFormat(), QStringLiteral("Items[%d]"));
        QCOMPARE(inspector->GetItems()->Categories()->Count(), 62);
        QCOMPARE(inspector->GetItems()->Categories()->Strings(0), QStringLiteral("Action=Action"));
        QCOMPARE(inspector->GetItems()->Categories()->Strings(61), QStringLiteral("Width=Visual"));
        // The value font's later changes reach the changed-value font, which keeps its bold.
        inspector->ValueFont()->SetColor(clRed);
        QCOMPARE(inspector->ValueChangedFont()->Color(), clRed);
        QVERIFY(inspector->ValueChangedFont()->Style().testFlag(fsBold));
    }

    void publishedGridEventsAndDefaults()
    {
        for (const char *name : { "OnClick", "OnDrawCell", "OnSelectCell", "OnGetEditText", "OnSetEditText",
                                  "OnKeyDown", "OnKeyPress", "OnMouseDown", "OnMouseWheelUp" })
            QVERIFY2(GetPropInfo(inspector, QLatin1String(name)).Kind == tkMethod, name);
        QVERIFY(GetPropInfo(inspector, QStringLiteral("FixedRows")));
        QCOMPARE(GetDefaultText(inspector, QStringLiteral("FixedRows")), QStringLiteral("1"));
        QVERIFY(IsDefaultValue(inspector, QStringLiteral("Options")));
        QVERIFY(IsDefaultValue(inspector, QStringLiteral("FixedRows")));
    }

    void displayKindsNeverHoldRecordsOrArrays()
    {
        inspector->SetDisplayKinds(TTypeKinds { tkInteger, tkRecord, tkArray, tkDynArray });
        QCOMPARE(inspector->DisplayKinds(), TTypeKinds(tkInteger));
    }

    // Scanning: which rows
    void valueTextsByKind_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("text");
        QTest::newRow("string") << "Caption"
                                << "Hello";
        QTest::newRow("integer") << "Tag"
                                 << "-5";
        QTest::newRow("64-bit") << "Big"
                                << "9000000000";
        QTest::newRow("character as code") << "Letter"
                                           << "65";
        QTest::newRow("enumeration") << "Align"
                                     << "alClient";
        QTest::newRow("Boolean") << "Flag"
                                 << "False";
        QTest::newRow("float") << "Ratio"
                               << "0.5";
        QTest::newRow("variant") << "Any"
                                 << "var";
        QTest::newRow("set") << "Options"
                             << "[opFirst,opThird]";
        QTest::newRow("set member in") << "Options.opFirst"
                                       << "True";
        QTest::newRow("set member out") << "Options.opSecond"
                                        << "False";
        QTest::newRow("last set member") << "Options.opThird"
                                         << "True";
    }
    void valueTextsByKind()
    {
        QFETCH(QString, path);
        QFETCH(QString, text);
        Sample sample;
        fillSample(sample);
        inspect({ &sample });
        QVERIFY(row(path));
        QCOMPARE(row(path)->GetValue(), text);
    }

    void rowKindsTypeNamesAndReadOnlyRules()
    {
        Sample sample;
        fillSample(sample);
        inspector->Presets()->Clear(); // the inspector's own texts: the built-in date preset shows dates
        inspect({ &sample });
        QCOMPARE(inspector->GetItems()->Count(), namesOf(inspector->GetItems()).size());
        QCOMPARE(namesOf(row("Options")->GetItems()),
                 QStringList({ "opFirst", "opSecond", "opThird" })); // declaration order, not sorted
        QCOMPARE(row("Options")->PropertyKind(), pkSet);
        QVERIFY(row("Options")->IsReadOnly());
        QCOMPARE(row("Options.opSecond")->PropertyKind(), pkSetMember);
        QCOMPARE(row("Options.opSecond")->TypeName(), QStringLiteral("Boolean"));
        QVERIFY(!row("Options.opSecond")->IsRealProperty());
        QVERIFY(row("When")->GetValue().toDouble() > 45000); // dates show as day numbers
        QCOMPARE(row("Color")->TypeName(), QStringLiteral("TColor"));
        QVERIFY(row("ReadOnlyTag")->IsReadOnly());
        QVERIFY(!row("Tag")->IsReadOnly());
    }

    void classPropertiesShowTypeNameOrComponentName()
    {
        Sample sample;
        QPushButton buddy;
        inspect({ &sample });
        QCOMPARE(row("Font")->GetValue(), QStringLiteral("(TFont)"));
        QVERIFY(row("Font")->IsReadOnly());
        QCOMPARE(namesOf(row("Font")->GetItems()), QStringList({ "Color", "Name", "Size", "Style" }));
        // An empty component reference shows nothing and stays editable.
        QCOMPARE(row("Buddy")->GetValue(), QString());
        QVERIFY(!row("Buddy")->IsReadOnly());

        buddy.setObjectName(QStringLiteral("okButton"));
        sample.SetBuddy(&buddy);
        inspector->Rescan();
        QCOMPARE(row("Buddy")->GetValue(), QStringLiteral("okButton"));
        QVERIFY(!row("Buddy")->IsReadOnly());
        // Components are opened in place unless told otherwise.
        QVERIFY(row("Buddy.text"));
        inspector->SetInplaceComponents(false);
        settle();
        QVERIFY(!row("Buddy")->HasChildren());
    }

    void componentReferenceEditedByName()
    {
        QWidget form;
        auto *sample = new Sample(&form);
        auto *ok = new QPushButton(&form);
        ok->setObjectName(QStringLiteral("okButton"));
        auto *cancel = new QPushButton(&form);
        cancel->setObjectName(QStringLiteral("cancelButton"));
        // The inspector's own writer: the built-in component preset looks in the inspector's owner.
        inspector->Presets()->Clear();
        inspect({ sample });
        typeInto("Buddy", QStringLiteral("okButton"));
        QCOMPARE(sample->Buddy(), ok);
        settle();
        QCOMPARE(cell("Buddy"), QStringLiteral("okButton"));
        QCOMPARE(row("Buddy.text")->GetValue(), ok->text());
        typeInto("Buddy", QStringLiteral("cancelButton"));
        QCOMPARE(sample->Buddy(), cancel);
        settle();
        // An empty text clears the reference.
        typeInto("Buddy", QString());
        QCOMPARE(sample->Buddy(), nullptr);
        settle();
        QCOMPARE(cell("Buddy"), QString());
        // A name nobody has is reported and changes nothing.
        typeInto("Buddy", QStringLiteral("nobody"));
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.first().contains(QStringLiteral("There is no component named nobody")),
                 qPrintable(errors.first()));
        QCOMPARE(sample->Buddy(), nullptr);
    }

    void eventPropertiesShowTheirTypeReadOnly()
    {
        Sample sample;
        sample.OnClick = [](QObject *) {};
        inspector->SetDisplayKinds(inspector->DisplayKinds() | tkMethod);
        inspect({ &sample });
        QCOMPARE(row("OnClick")->GetValue(), QStringLiteral("TNotifyEvent"));
        QCOMPARE(row("OnClick")->TypeKind(), tkMethod);
        QVERIFY(row("OnClick")->IsReadOnly());
    }

    void enumerationAliasIsOfferedOnce()
    {
        Levelled levelled;
        inspect({ &levelled });
        QCOMPARE(row("Level")->GetPickList()->ToStringList(), QStringList({ "High", "Low", "Normal" }));
    }

    void enumerationPickListIsSorted()
    {
        Sample sample;
        inspect({ &sample });
        QCOMPARE(row("Align")->GetPickList()->ToStringList(),
                 QStringList({ "alBottom", "alClient", "alLeft", "alNone", "alRight", "alTop" }));
        QCOMPARE(row("Flag")->GetPickList()->ToStringList(), QStringList({ "False", "True" }));
        QCOMPARE(row("Options.opFirst")->GetPickList()->ToStringList(), QStringList({ "False", "True" }));
    }

    void sortedAndDeclarationOrder()
    {
        Sample sample;
        inspect({ &sample });
        QStringList names = namesOf(inspector->GetItems());
        QStringList sorted = names;
        std::sort(sorted.begin(), sorted.end(),
                  [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
        QCOMPARE(names, sorted);
        inspector->SetSorted(false);
        inspector->Rescan();
        names = namesOf(inspector->GetItems());
        QCOMPARE(names.first(), QStringLiteral("objectName"));
        QCOMPARE(names.mid(1, 3), QStringList({ "Align", "Options", "Flag" }));
    }

    void differentClassesShareOnlySameTypedProperties()
    {
        Sample sample;
        OtherSample other;
        inspect({ &sample, &other });
        // Color is an integer colour on one and a string on the other; Align and Hint exist on one only.
        QCOMPARE(namesOf(inspector->GetItems()), QStringList({ "Caption", "objectName", "Tag" }));
    }

    void sameKindButOtherTypeNameIsNotShared()
    {
        Sample sample;
        CaptionedSample captioned;
        inspect({ &sample, &captioned });
        QCOMPARE(namesOf(inspector->GetItems()), QStringList({ "objectName", "Tag" }));
    }

    void sharedSubObjectIsListedOnce()
    {
        Part shared;
        PartHolder first(&shared), second(&shared);
        inspect({ &first, &second });
        QVERIFY(row("Piece"));
        QVERIFY(!row("Piece")->HasChildren());

        PartHolder own1, own2;
        inspector->Objects()->Clear();
        inspect({ &own1, &own2 });
        QCOMPARE(namesOf(row("Piece")->GetItems()), QStringList({ "Size" }));
    }

    void backReferenceShowsNoChildren()
    {
        Node a, b;
        a.Label = QStringLiteral("a");
        b.Label = QStringLiteral("b");
        a.SetNext(&b);
        b.SetNext(&a);
        inspect({ &a });
        QCOMPARE(row("Next.Label")->GetValue(), QStringLiteral("b"));
        QVERIFY(row("Next.Next"));
        QVERIFY(!row("Next.Next")->HasChildren());
    }

    void collectionItemsInPlace()
    {
        Sample sample;
        sample.AddItem(QStringLiteral("first"), 1);
        sample.AddItem(QStringLiteral("second"), 2);
        sample.AddItem(QStringLiteral("third"), 3);
        inspect({ &sample });
        QCOMPARE(row("Items")->PropertyKind(), pkCollection);
        QVERIFY(!row("Items.Items[0]"));

        inspector->SetInplaceCollections(true);
        settle();
        for (int i = 0; i < 3; ++i) {
            TQXItemProperty *item = row(QStringLiteral("Items.Items[%1]").arg(i));
            QVERIFY(item);
            QCOMPARE(item->PropertyKind(), pkCollectionItem);
            QVERIFY(item->IsReadOnly());
            QCOMPARE(item->TypeName(), QStringLiteral("SampleItem"));
            QCOMPARE(item->GetObjectProperty(0), sample.Items()->Items(i));
        }
        QCOMPARE(row("Items.Items[1]")->GetValue(), QStringLiteral("second"));
        QCOMPARE(row("Items.Items[2].Value")->GetValue(), QStringLiteral("3"));

        // An item's property is written through the path of its row.
        TQXItemProperty *value = row("Items.Items[1].Value");
        value->SetValue(QStringLiteral("20"));
        value->Validate();
        QCOMPARE(static_cast<SampleItem *>(sample.Items()->Items(1))->Value, 20);

        inspector->SetCollectionItemFormat(QStringLiteral("Entry %d"));
        settle();
        QVERIFY(row("Items.Entry 2"));
        QVERIFY(!row("Items.Items[2]"));
    }

    void collectionItemsNeedEqualCounts()
    {
        Sample one, two;
        one.AddItem(QStringLiteral("a"));
        one.AddItem(QStringLiteral("b"));
        one.AddItem(QStringLiteral("c"));
        two.AddItem(QStringLiteral("a"));
        two.AddItem(QStringLiteral("b"));
        inspector->SetInplaceCollections(true);
        inspect({ &one, &two });
        QVERIFY(row("Items"));
        QVERIFY(!row("Items.Items[0]"));
    }

    void collectionItemFormatCannotReadMissingArguments()
    {
        Sample sample;
        sample.AddItem(QStringLiteral("a"));
        inspector->SetInplaceCollections(true);
        inspector->SetCollectionItemFormat(QStringLiteral("%s %d %d 100%%"));
        inspect({ &sample });
        QVERIFY(row("Items.%s 0 %d 100%"));
    }

    // Values of several objects
    void differingValuesShowBlankUntilEntered()
    {
        Sample one, two;
        one.Caption = QStringLiteral("one");
        two.Caption = QStringLiteral("two");
        one.Tag = two.Tag = 4;
        inspect({ &one, &two });
        QCOMPARE(cell("Tag"), QStringLiteral("4"));
        QCOMPARE(cell("Caption"), QString());
        inspector->SetSelected(row("Caption"));
        inspector->SetGridCount(1, 1);
        QCOMPARE(cell("Caption"), QStringLiteral("one"));

        typeInto("Caption", QStringLiteral("X"));
        QCOMPARE(one.Caption, QStringLiteral("X"));
        QCOMPARE(two.Caption, QStringLiteral("X"));
        settle();
        inspector->SetSelected(row("Tag"));
        QCOMPARE(cell("Caption"), QStringLiteral("X"));
    }

    void lettersCaseMakesValuesDifferent()
    {
        Sample one, two;
        one.Caption = QStringLiteral("abc");
        two.Caption = QStringLiteral("ABC");
        inspect({ &one, &two });
        QVERIFY(!row("Caption")->IsAllEqual());
        QCOMPARE(cell("Caption"), QString());
    }

    void multiValueLayoutShowsOneLinePerObject()
    {
        Sample one, two;
        one.setObjectName(QStringLiteral("first"));
        two.setObjectName(QStringLiteral("second"));
        one.Tag = 1;
        two.Tag = 2;
        inspector->SetDisplayOptions(inspector->DisplayOptions() | TQXCustomItemListEditor::doMultiColValues);
        inspect({ &one, &two });
        QCOMPARE(inspector->ColCount(), 3);
        QCOMPARE(cell("Tag", 1), QStringLiteral("1"));
        QCOMPARE(cell("Tag", 2), QStringLiteral("2"));
        QCOMPARE(inspector->GetCell(1, 0), QStringLiteral("Value"));
        inspector->SetDynamicTitleCaptions(true);
        QCOMPARE(inspector->GetCell(1, 0), QStringLiteral("first"));
        QCOMPARE(inspector->GetCell(2, 0), QStringLiteral("second"));

        // An edit in the second value line goes to the second object only.
        inspector->SetSelected(row("Tag"));
        inspector->SetGridCount(1, 2);
        row("Tag")->SetValue(QStringLiteral("22"));
        row("Tag")->Validate();
        QCOMPARE(one.Tag, 1);
        QCOMPARE(two.Tag, 22);
    }

    void titleOfAnObjectThatIsNoComponentIsItsClassName()
    {
        PartHolder holder;
        Part part;
        inspector->SetDisplayOptions(inspector->DisplayOptions() | TQXCustomItemListEditor::doMultiColValues);
        inspector->SetDynamicTitleCaptions(true);
        inspector->Objects()->Add(&part);
        settle();
        QCOMPARE(inspector->GetCell(1, 0), QStringLiteral("Part"));
    }

    void emptyEntryDoesNotShiftValueLines()
    {
        Sample one, two;
        one.Tag = 1;
        two.Tag = 2;
        inspector->SetDisplayOptions(inspector->DisplayOptions() | TQXCustomItemListEditor::doMultiColValues);
        inspector->Objects()->BeginUpdate();
        inspector->Objects()->Add(&one);
        inspector->Objects()->Add(); // an entry without an object
        inspector->Objects()->Add(&two);
        inspector->Objects()->EndUpdate();
        settle();
        QCOMPARE(inspector->ShownObjectCount(), 2);
        QCOMPARE(cell("Tag", 2), QStringLiteral("2"));
        // Writing the second value line reaches the second object shown, not the empty entry.
        inspector->SetSelected(row("Tag"));
        inspector->SetGridCount(1, 2);
        row("Tag")->SetValue(QStringLiteral("5"));
        row("Tag")->Validate();
        QCOMPARE(two.Tag, 5);
        QCOMPARE(one.Tag, 1);
        settle();
        QCOMPARE(cell("Tag", 2), QStringLiteral("5"));
    }

    // Writing
    void characterWrittenAsCode()
    {
        Sample sample;
        inspect({ &sample });
        typeInto("Letter", QStringLiteral("66"));
        QCOMPARE(sample.Letter, 'B');
    }

    void setWrittenThroughMemberRows()
    {
        Sample sample;
        sample.Options = Sample::opFirst;
        inspect({ &sample });
        typeInto("Options.opThird", QStringLiteral("True"));
        QCOMPARE(sample.Options, Sample::TOptions(Sample::opFirst) | Sample::opThird);
        settle();
        QCOMPARE(row("Options")->GetValue(), QStringLiteral("[opFirst,opThird]"));
        QCOMPARE(cell("Options.opThird"), QStringLiteral("True"));
    }

    void glyphClickWritesTheTypedText()
    {
        // Text typed without Enter, then the glyph of another row clicked: the focus stays in the editor, so
        // the click itself must take the text to the object.
        QPushButton button(QStringLiteral("OK"));
        inspector->resize(400, 1600);
        inspect({ &button });
        QStringList validated;
        inspector->OnValidated = [&](QObject *, TQXItemProp *Item, int) { validated << Item->Name(); };
        inspector->SetSelected(row("text"));
        inspector->SetGridCount(1, 1);
        inspector->ShowEditor();
        QLineEdit *editor = inspector->InplaceEditor();
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("Hello"));
        const QRect font = inspector->CellRect(0, row("font")->GetAbsoluteVIndex() + 1);
        QVERIFY(!font.isEmpty());
        QTest::mouseClick(inspector->viewport(), Qt::LeftButton, {}, QPoint(font.left() + 4, font.top() + 8));
        QVERIFY(row("font")->IsExpanded());
        settle();
        QCOMPARE(button.text(), QStringLiteral("Hello"));
        QCOMPARE(validated, QStringList({ "text" }));
        QVERIFY(errors.isEmpty());
    }
    void childRowsAreRefreshedThroughTheOverridableOperation()
    {
        auto *counting = Create<CountingInspector>();
        Sample sample;
        counting->Objects()->Add(&sample);
        settle();
        QVERIFY(counting->GetItems()->FindItemByFullPathName(QStringLiteral("Font.Size")));
        counting->childRefreshes = 0;
        counting->RefreshProperties();
        QVERIFY(counting->childRefreshes > 0);
        Free(counting);
    }

    void unconvertibleTextIsReportedAndUndone()
    {
        Sample one, two;
        one.Tag = two.Tag = 3;
        inspect({ &one, &two });
        typeInto("Tag", QStringLiteral("12x"));
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.first().startsWith(QStringLiteral("\"12x\" is not a valid Integer value: ")),
                 qPrintable(errors.first()));
        QCOMPARE(one.Tag, 3);
        QCOMPARE(two.Tag, 3);
        QCOMPARE(inspector->InplaceEditor()->text(), QStringLiteral("3"));
        settle();
        QCOMPARE(cell("Tag"), QStringLiteral("3"));
    }

    void propertyEventsAroundAWrite()
    {
        Sample sample;
        QStringList heard;
        inspector->OnPropertyChanging
            = [&](QObject *, TQXItemProperty *item) { heard << "changing " + item->Name(); };
        inspector->OnPropertyChanged = [&](QObject *, TQXItemProperty *item) {
            heard << "changed " + item->Name() + "=" + item->GetValue();
        };
        inspect({ &sample });
        typeInto("Caption", QStringLiteral("new"));
        QCOMPARE(heard, QStringList({ "changing Caption" })); // the refresh is queued
        settle();
        QCOMPARE(heard, QStringList({ "changing Caption", "changed Caption=new" }));
    }

    void readOnlyPickListIsNoDropDown()
    {
        Sample sample;
        inspect({ &sample });
        TQXItemProperty *align = row("Align");
        const int line = align->GetAbsoluteVIndex() + 1;
        QCOMPARE(inspector->GetEditStyle(1, line), esPickList);
        align->SetReadOnly(true);
        QCOMPARE(inspector->GetEditStyle(1, line), esSimple);
    }

    // Filters and categories
    void filtersRemoveRowsWithTheirChildren()
    {
        Sample sample;
        inspector->Filters()->Add(QStringLiteral("Font"));
        inspect({ &sample });
        QVERIFY(!row("Font"));
        QVERIFY(row("Caption"));

        inspector->SetFilterOptions(TQXCustomItemListEditor::foInclusive);
        inspector->Filters()->SetText(QStringLiteral("Font\nSize\nCaption"));
        settle();
        QCOMPARE(namesOf(inspector->GetItems()), QStringList({ "Caption", "Font" }));
        QCOMPARE(namesOf(row("Font")->GetItems()), QStringList({ "Size" }));
        inspector->SetFiltersEnabled(false);
        settle();
        QVERIFY(row("Tag"));
    }

    void filtersCanBeCaseSensitive()
    {
        Sample sample;
        inspector->Filters()->Add(QStringLiteral("caption"));
        inspect({ &sample });
        QVERIFY(!row("Caption"));
        inspector->SetFilterOptions(TQXCustomItemListEditor::foCaseSensitive);
        settle();
        QVERIFY(row("Caption"));
    }

    void arrangedByCategory()
    {
        Sample sample;
        inspector->SetArrangeByCategory(true);
        inspect({ &sample });
        TQXItemProperties *top = inspector->GetItems();
        for (int i = 0; i < top->Count(); ++i)
            QVERIFY2(top->Items(i)->Category(), qPrintable(top->Items(i)->Name()));
        // Categories are made while the row that asks for one is still unnamed at the end of the list:
        // they come out sorted all the same.
        const QStringList categories = namesOf(top);
        QStringList sorted = categories;
        std::sort(sorted.begin(), sorted.end());
        QCOMPARE(categories, sorted);
        QVERIFY(categories.contains("Miscellaneous"));
        // Font is listed under Localizable and Visual; sub-properties stay under their property.
        QVERIFY(row("Localizable.Font"));
        QVERIFY(row("Visual.Font"));
        QVERIFY(row("Visual.Font.Size"));
        QVERIFY(row("Action.Caption"));
        QVERIFY(row("Miscellaneous.Tag"));
        QVERIFY(row("Visual.Color"));
        // Rows under categories are written like any other.
        typeInto("Visual.Font.Size", QStringLiteral("21"));
        QCOMPARE(sample.Font().pointSize(), 21);
    }

    // Rescans
    void selectionSurvivesRescan()
    {
        Sample sample;
        inspect({ &sample });
        inspector->SetSelected(row("Tag"));
        inspector->Rescan();
        QCOMPARE(inspector->GetSelected(), row("Tag"));
        // Also through a change of the objects, which drops every row first.
        Sample other;
        inspector->Objects()->Add(&other);
        settle();
        QCOMPARE(inspector->GetSelected(), row("Tag"));
    }

    void vetoedScanLeavesNoRowsAndBalancedCounters()
    {
        Sample sample;
        QList<TQXItemProperty *> after;
        inspector->OnBeforeScan
            = [](QObject *, TQXItemProperty *item, bool &result) { result = item != nullptr; };
        inspector->OnAfterScan = [&](QObject *, TQXItemProperty *item) { after << item; };
        inspect({ &sample });
        QCOMPARE(inspector->GetItems()->Count(), 0);
        QCOMPARE(inspector->EditUpdateCount(), 0);
        QCOMPARE(inspector->GetItems()->UpdateCount(), 0);
        QVERIFY(after.contains(nullptr));
        QVERIFY(!inspector->IsScanning());
    }

    void vetoForOneRowLeavesItWithoutChildren()
    {
        Sample sample;
        inspector->OnBeforeScan = [](QObject *, TQXItemProperty *item, bool &result) {
            result = !item || item->Name() != QLatin1String("Font");
        };
        inspect({ &sample });
        QVERIFY(row("Font"));
        QVERIFY(!row("Font")->HasChildren());
    }

    void failingGetterEndsScanCleanly()
    {
        Sample sample;
        inspect({ &sample });
        inspector->OnBeforeScan = [](QObject *, TQXItemProperty *item, bool &result) {
            if (item)
                throw EAbort(QStringLiteral("stop"));
            result = true;
        };
        QVERIFY_THROWS_EXCEPTION(EAbort, inspector->Rescan());
        QCOMPARE(inspector->EditUpdateCount(), 0);
        QCOMPARE(inspector->GetItems()->UpdateCount(), 0);
        QVERIFY(!inspector->IsScanning());
        QVERIFY(inspector->GetItemCount() > 0); // the rows built so far stay
    }

    // Objects going away
    void destroyedObjectLeavesAtNextRescan()
    {
        auto *one = new QPushButton(QStringLiteral("one"));
        QPushButton two(QStringLiteral("two"));
        inspect({ one, &two });
        QCOMPARE(inspector->ShownObjectCount(), 2);
        delete one;
        QCOMPARE(inspector->Objects()->Count(), 1);
        QCOMPARE(inspector->GetItems()->Count(), 0); // rows dropped at once
        settle();
        QCOMPARE(inspector->ShownObjectCount(), 1);
        QCOMPARE(row("text")->GetValue(), QStringLiteral("two"));
    }

    void writeSkipsAReplacedSubObject()
    {
        Node a1, a2, b1, b2;
        a1.SetNext(&b1);
        a2.SetNext(&b2);
        b1.Label = b2.Label = QStringLiteral("b");
        inspect({ &a1, &a2 });
        TQXItemProperty *label = row("Next.Label");
        QVERIFY(label);
        // The first object's sub-object is gone since the scan: the write must leave it alone.
        a1.SetNext(nullptr);
        QVERIFY(!inspector->SetPropertyValue(inspector->ShownObject(0), label, QStringLiteral("x")));
        typeInto("Next.Label", QStringLiteral("x"));
        QCOMPARE(b1.Label, QStringLiteral("b"));
        QCOMPARE(b2.Label, QStringLiteral("x"));
        // The refresh after the write finds the broken path and rebuilds the rows.
        settle();
        QVERIFY(row("Next"));
        QVERIFY(!row("Next.Label"));
    }

    void replacedSubObjectQueuesRescan()
    {
        Node a, b, c;
        b.Label = QStringLiteral("b");
        c.Label = QStringLiteral("c");
        a.SetNext(&b);
        inspect({ &a });
        QCOMPARE(row("Next.Label")->GetValue(), QStringLiteral("b"));
        a.SetNext(nullptr);
        QVERIFY(!row("Next.Label")->RefreshValue());
        inspector->RefreshProperties();
        a.SetNext(&c);
        settle();
        QCOMPARE(row("Next.Label")->GetValue(), QStringLiteral("c"));
    }

    void componentProperty()
    {
        Sample one, two, three;
        inspector->SetComponent(&one);
        QCOMPARE(inspector->Objects()->Count(), 1);
        QCOMPARE(inspector->GetComponent(), &one);
        inspector->Objects()->Add(&two);
        inspector->SetComponent(&three);
        QCOMPARE(inspector->Objects()->Count(), 2);
        QCOMPARE(inspector->Objects()->Items(0)->Objects(), &three);
        QCOMPARE(inspector->Objects()->Items(1)->Objects(), &two);
        inspector->Objects()->Delete(1);
        inspector->SetComponent(nullptr);
        QCOMPARE(inspector->Objects()->Count(), 0);
    }

    void rescansAreQueuedOncePerRequest()
    {
        Sample sample;
        inspector->Objects()->Add(&sample);
        QCOMPARE(WaitingMessageCount(inspector, 2476), 1);
        inspector->InvalidateScan();
        QCOMPARE(WaitingMessageCount(inspector, 2476), 2);
        inspector->Loading();
        inspector->InvalidateScan();
        QCOMPARE(WaitingMessageCount(inspector, 2476), 2);
        inspector->Loaded();
        settle();
        QCOMPARE(WaitingMessageCount(inspector, 2476), 0);
    }

    void queuedRescansScanOnceForWhatCameBefore()
    {
        // Requests queued before a scan started are covered by it; one made during a scan is not.
        Sample sample;
        int scans = 0;
        connect(inspector, &TQXCustomObjectInspector::scanned, this, [&] { ++scans; });
        inspector->SetInplaceCollections(true);
        inspector->SetInplaceTStrings(true);
        inspector->Objects()->Add(&sample);
        settle();
        QCOMPARE(scans, 1);
        QVERIFY(row("Items"));
        bool requested = false;
        inspector->OnAfterScan = [&](QObject *, auto *Item) {
            if (!Item && !std::exchange(requested, true))
                inspector->InvalidateScan();
        };
        inspector->InvalidateScan();
        settle();
        QCOMPARE(scans, 3);
    }

    // String lists in place
    void stringListLinesAsRows()
    {
        Memo memo({ "a", "b" });
        inspector->SetInplaceTStrings(true);
        inspect({ &memo });
        QCOMPARE(row("Lines.Items[0]")->GetValue(), QStringLiteral("a"));
        QCOMPARE(row("Lines.Items[1]")->GetValue(), QStringLiteral("b"));
        QCOMPARE(row("Lines.Items[1]")->TypeName(), QStringLiteral("TStrings Item"));
        typeInto("Lines.Items[1]", QStringLiteral("c"));
        QCOMPARE(memo.Lines(), QStringList({ "a", "c" }));
        QVERIFY(IsMessageWaiting(inspector, 2476));
        settle();
        QCOMPARE(cell("Lines.Items[1]"), QStringLiteral("c"));
        // Without the option the list shows no line rows.
        inspector->SetInplaceTStrings(false);
        settle();
        QVERIFY(!row("Lines.Items[0]"));
    }

    void stringListNameValueLines()
    {
        Memo memo({ "Left=10", "Top=20", "Font.Size=8", "plain", "" });
        inspector->SetInplaceTStrings(true);
        inspector->SetInplaceTStringsOptions(TQXCustomObjectInspector::isUseNameValue);
        inspect({ &memo });
        QCOMPARE(row("Lines.Left")->GetValue(), QStringLiteral("10"));
        QCOMPARE(row("Lines.Top")->GetValue(), QStringLiteral("20"));
        QCOMPARE(row("Lines.Font.Size")->GetValue(), QStringLiteral("8"));
        QCOMPARE(row("Lines.Font")->GetValue(), QString());
        QCOMPARE(row("Lines.Items[3]")->GetValue(), QStringLiteral("plain"));
        QVERIFY(row("Lines.")); // the empty line: a row without a name

        typeInto("Lines.Left", QStringLiteral("15"));
        QCOMPARE(memo.Lines().first(), QStringLiteral("Left=15"));
        settle();
        typeInto("Lines.Font.Size", QStringLiteral("9"));
        QCOMPARE(memo.Lines().at(2), QStringLiteral("Font.Size=9"));
        settle();
        typeInto("Lines.Font", QStringLiteral("x"));
        QCOMPARE(memo.Lines().last(), QStringLiteral("Font=x"));
    }

    void stringListEditChangesTheLineItShows_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("expected");
        const QStringList keyFirst { "Font=x", "Font.Size=8" };
        QTest::newRow("key line before its sub-keys")
            << keyFirst << 0 << "y" << QStringList { "Font=y", "Font.Size=8" };
        QTest::newRow("sub-key after its key line")
            << keyFirst << 1 << "9" << QStringList { "Font=x", "Font.Size=9" };
        QTest::newRow("paths differing in case")
            << QStringList { "font.Size=8", "Font.Color=red" } << 1 << "blue"
            << QStringList { "font.Size=8", "Font.Color=blue" };
    }

    void stringListEditChangesTheLineItShows()
    {
        QFETCH(QStringList, lines);
        QFETCH(int, line);
        Memo memo(lines);
        inspector->SetInplaceTStrings(true);
        inspector->SetInplaceTStringsOptions(TQXCustomObjectInspector::isUseNameValue);
        inspect({ &memo });
        // The row that holds the line (row paths are looked up ignoring case, so find it by its line).
        std::function<TQXItemProperty *(TQXItemProperties *)> rowOfLine = [&](TQXItemProperties *rows) {
            TQXItemProperty *found = nullptr;
            for (int i = 0; i < rows->Count() && !found; ++i) {
                TQXItemProperty *item = rows->Items(i);
                const bool lineRow
                    = item->TypeName() == QLatin1String("TStrings Item") && item->RealValues(0) == line;
                found = lineRow ? item : rowOfLine(item->GetItems());
            }
            return found;
        };
        TQXItemProperty *item = rowOfLine(row("Lines")->GetItems());
        QVERIFY(item);
        QCOMPARE(item->GetValue(), memo.Lines().at(line).section(u'=', 1));
        QFETCH(QString, value);
        typeInto(item, value);
        QTEST(memo.Lines(), "expected");
    }

    void stringListRowsSortedKeepTheirLines()
    {
        Memo memo({ "b=2", "a=1" });
        inspector->SetInplaceTStrings(true);
        inspector->SetInplaceTStringsOptions(
            TQXCustomObjectInspector::TInplaceTStringsOptions(TQXCustomObjectInspector::isSort)
            | TQXCustomObjectInspector::isUseNameValue);
        inspect({ &memo });
        const QStringList names = namesOf(row("Lines")->GetItems());
        QVERIFY(names.indexOf("a") >= 0 && names.indexOf("a") < names.indexOf("b"));
        QCOMPARE(row("Lines.a")->GetValue(), QStringLiteral("1"));
        typeInto("Lines.a", QStringLiteral("3"));
        QCOMPARE(memo.Lines(), QStringList({ "b=2", "a=3" }));

        inspector->SetInplaceTStringsOptions({});
        inspector->SetStringsItemFormat(QStringLiteral("Line %d"));
        settle();
        QCOMPARE(row("Lines.Line 1")->GetValue(), QStringLiteral("a=3"));
    }

    void sharedLineRowsReachEveryObjectsList()
    {
        // A line shown once for two objects is written to each object's list, and a row that is only a
        // step of a path appends one line to each list, not two to the first. (A list two objects share
        // gets no line rows: the scan opens an object once.)
        Memo one({ "a", "Font.Size=8" }), two({ "a", "Font.Size=8" });
        inspector->SetInplaceTStrings(true);
        inspector->SetInplaceTStringsOptions(TQXCustomObjectInspector::isUseNameValue);
        inspect({ &one, &two });
        typeInto("Lines.Items[0]", QStringLiteral("c"));
        QCOMPARE(one.Lines(), QStringList({ "c", "Font.Size=8" }));
        QCOMPARE(two.Lines(), one.Lines());
        settle();
        typeInto("Lines.Font", QStringLiteral("x"));
        QCOMPARE(one.Lines(), QStringList({ "c", "Font.Size=8", "Font=x" }));
        QCOMPARE(two.Lines(), one.Lines());
    }

    void stringListsOfDifferentLengthGiveNoLineRows()
    {
        Memo one({ "a", "b" }), two({ "a" }), empty;
        inspector->SetInplaceTStrings(true);
        inspect({ &one, &two });
        QVERIFY(row("Lines"));
        QVERIFY(!row("Lines.Items[0]"));
        inspector->Objects()->Clear();
        inspect({ &empty });
        QVERIFY(!row("Lines.Items[0]"));
    }

    // Presets
    void registeredPresetsApplyAfterEachScan()
    {
        RegisterPreset(&TagHintPreset::staticMetaObject);
        const auto unregister = qScopeGuard([] { UnregisterPreset(&TagHintPreset::staticMetaObject); });
        // The library's own presets come first; the one registered here is the last.
        const int registered = [] {
            TThreadListLocker<const QMetaObject *> lock(*RegisteredPresets());
            return int(lock.List().size());
        }();
        const int tagHint = registered - 1;
        TQXObjectInspector *other = Create<TQXObjectInspector>();
        const auto freeOther = qScopeGuard([&] { Free(other); });
        QCOMPARE(other->Presets()->Count(), registered);
        QCOMPARE(other->Presets()->IndexOf(&TagHintPreset::staticMetaObject), tagHint);
        QCOMPARE(other->Presets()->IndexOf(&TQXPropertyPreset::staticMetaObject), -1);
        other->ResetDefaultPresets(); // one per class, however often asked
        QCOMPARE(other->Presets()->Count(), registered);
        QVERIFY_THROWS_EXCEPTION(EInvalidCast, other->Presets()->Add(&QObject::staticMetaObject));
        QCOMPARE(other->Presets()->Count(), registered);

        Sample sample;
        other->Objects()->Add(&sample);
        settle();
        QCOMPARE(other->GetItems()->FindItemByFullPathName("Tag")->Hint(), QStringLiteral("a number"));
        QCOMPARE(other->GetItems()->FindItemByFullPathName("Caption")->Hint(), QString());
        // An inactive preset leaves the rows alone.
        other->Presets()->Items(tagHint)->SetActive(false);
        other->Rescan();
        QCOMPARE(other->GetItems()->FindItemByFullPathName("Tag")->Hint(), QString());
    }

    // Clipboard
    void pasteGoesOnlyToAssignedObjects()
    {
        QLineEdit editor;
        EditorHolder withEditor, without;
        withEditor.SetEditor(&editor);
        inspect({ &withEditor, &without });
        QGuiApplication::clipboard()->setText(QStringLiteral("pasted"));
        inspector->SetSelected(row("Editor"));
        inspector->PasteFromClipboard();
        QCOMPARE(editor.text(), QStringLiteral("pasted"));
        editor.setText(QStringLiteral("copied"));
        editor.selectAll();
        inspector->CopyToClipboard(); // the first object's editor
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("copied"));
    }

    void clipboardCommandsIgnoreRowsWithoutObject()
    {
        // The first object's row holds no editor: the commands go nowhere, not even to the second's.
        QLineEdit editor;
        editor.setText(QStringLiteral("kept"));
        EditorHolder without, withEditor;
        withEditor.SetEditor(&editor);
        inspect({ &without, &withEditor });
        QGuiApplication::clipboard()->setText(QStringLiteral("on the clipboard"));
        inspector->SetSelected(row("Editor"));
        inspector->PasteFromClipboard();
        QCOMPARE(editor.text(), QStringLiteral("kept"));
        editor.selectAll();
        inspector->CopyToClipboard();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("on the clipboard"));
    }
};

QTEST_MAIN(tst_ObjectInspector)
#include "tst_objectinspector.moc"
