// Tests of TStrings and TStringList (src/platform/StringList.*).
#include "QXTestSupport.h"

#include <QXInspector/StringList.h>

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace QXPlatform;

namespace {

// Implements only the primitives, over a QStringList and without objects; all else comes from TStrings.
class TPlainStrings : public TStrings
{
    Q_OBJECT
public:
    QStringList lines;
    QList<bool> updateStates; // every SetUpdateState call

    void Insert(int Index, const QString &S) override
    {
        if (Index < 0 || Index > lines.size())
            StringListIndexError(Index);
        lines.insert(Index, S);
    }
    void Delete(int Index) override { lines.removeAt(checked(Index)); }
    void Clear() override { lines.clear(); }

protected:
    QString Get(int Index) const override { return lines.at(checked(Index)); }
    int GetCount() const override { return int(lines.size()); }
    void SetUpdateState(bool Updating) override { updateStates << Updating; }
    int checked(int Index) const
    {
        if (Index < 0 || Index >= lines.size())
            StringListIndexError(Index);
        return Index;
    }
};

// A source whose line failAt cannot be read.
class THostileStrings : public TPlainStrings
{
    Q_OBJECT
public:
    int failAt = 0;

protected:
    QString Get(int Index) const override
    {
        if (Index == failAt)
            throw EListError("unreadable line");
        return TPlainStrings::Get(Index);
    }
};

// Records each notification with the list's contents at that moment, so order and timing both show.
struct ChangeLog
{
    QStringList events;
    bool wrongSender = false;

    explicit ChangeLog(TStringList &list)
    {
        list.SetOnChanging([this, &list](QObject *sender) {
            wrongSender |= sender != &list;
            events << "changing " + list.CommaText();
        });
        list.SetOnChange([this, &list](QObject *sender) {
            wrongSender |= sender != &list;
            events << "changed " + list.CommaText();
        });
    }
};

struct Edit
{
    std::function<void(TStringList &)> run;
};
#define EDIT(code)                                                                                           \
    Edit                                                                                                     \
    {                                                                                                        \
        [](TStringList &l) { code; }                                                                         \
    }

void fill(TStringList &list, const QStringList &lines)
{
    for (const QString &line : lines)
        list.Add(line);
}

} // namespace

Q_DECLARE_METATYPE(Edit)

class tst_StringList : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void localeAwareComparison();

    // Sorted lists
    void findInSortedList_data();
    void findInSortedList();
    void findReturnsFirstOfDuplicates();
    void duplicates_data();
    void duplicates();
    void sortedListRefusesPositionalEdits_data();
    void sortedListRefusesPositionalEdits();
    void objectsFollowTheirLines();
    void customSort();

    // Case rules
    void caseRules_data();
    void caseRules();
    void caseSensitiveSorting();

    // name=value lines
    void namesAndValues_data();
    void namesAndValues();
    void valuesByName();

    // Change notifications and errors
    void notifications_data();
    void notifications();
    void indexOutOfBounds_data();
    void indexOutOfBounds();

    // Text forms
    void text_data();
    void text();
    void commaText_data();
    void commaText();
    void strictDelimitedText();

    // Descendants, hostile sources, files
    void primitivesDriveDerivedOperations();
    void assignEndsBatchWhenSourceRaises();
    void loadSaveRoundTrip();
    void unopenableFilesRaiseFOpenError();
};

void tst_StringList::initTestCase()
{
    // Collation follows the default locale at the first comparison; fix one whose order is known.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void tst_StringList::localeAwareComparison()
{
    QCOMPARE(AnsiCompareText(u"abc", u"ABC"), 0);
    QVERIFY(AnsiCompareStr(u"abc", u"ABC") != 0);
    // Code units would put 'B' before 'a' and 'é' after 'f'.
    QVERIFY(AnsiCompareText(u"a", u"B") < 0);
    QVERIFY(AnsiCompareStr(u"a", u"B") < 0);
    QVERIFY(AnsiCompareText(u"é", u"f") < 0);
    // A zero-width space is ignorable to the collator, but case-sensitive means identical.
    QVERIFY(AnsiCompareStr(u"ab", u"a\u200Bb") != 0);
}

// ---------------------------------------------------------------------------------------------------
// Sorted lists

void tst_StringList::findInSortedList_data()
{
    QTest::addColumn<QString>("search");
    QTest::addColumn<bool>("found");
    QTest::addColumn<int>("index");
    QTest::newRow("before all") << "alpha" << false << 0;
    QTest::newRow("first") << "bravo" << true << 0;
    QTest::newRow("between") << "charlie" << false << 1;
    QTest::newRow("other case") << "DELTA" << true << 1;
    QTest::newRow("last") << "foxtrot" << true << 2;
    QTest::newRow("after all") << "golf" << false << 3;
    QTest::newRow("empty") << "" << false << 0;
}

void tst_StringList::findInSortedList()
{
    QFETCH(QString, search);
    QFETCH(bool, found);
    QFETCH(int, index);
    TStringList list;
    list.SetSorted(true);
    fill(list, { "foxtrot", "bravo", "delta" });
    QCOMPARE(list.CommaText(), "bravo,delta,foxtrot");
    int at = -1;
    QCOMPARE(list.Find(search, at), found);
    QCOMPARE(at, index);
    QCOMPARE(list.IndexOf(search), found ? index : -1);
}

void tst_StringList::findReturnsFirstOfDuplicates()
{
    TStringList list;
    list.SetSorted(true);
    list.SetDuplicates(dupAccept);
    fill(list, { "b", "c", "B", "a", "b", "b" });
    QCOMPARE(list.CommaText().toLower(), "a,b,b,b,b,c");
    int index = -1;
    QVERIFY(list.Find("b", index));
    QCOMPARE(index, 1);
    QVERIFY(list.Find("C", index));
    QCOMPARE(index, 5);
}

void tst_StringList::duplicates_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("caseSensitive");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("error");
    QTest::newRow("ignore") << int(dupIgnore) << false << 1 << "a,b,c"
                            << "";
    QTest::newRow("accept") << int(dupAccept) << false << 1 << "a,B,b,c"
                            << "";
    QTest::newRow("error") << int(dupError) << false << -1 << "a,b,c"
                           << "String list does not allow duplicates";
    // Under case-sensitive rules "B" is a different line, placed after "b".
    QTest::newRow("ignore, case-sensitive") << int(dupIgnore) << true << 2 << "a,b,B,c"
                                            << "";
    QTest::newRow("error, case-sensitive") << int(dupError) << true << 2 << "a,b,B,c"
                                           << "";
}

void tst_StringList::duplicates()
{
    QFETCH(int, mode);
    QFETCH(bool, caseSensitive);
    QFETCH(int, index);
    QFETCH(QString, result);
    QFETCH(QString, error);
    TStringList list;
    list.SetSorted(true);
    list.SetCaseSensitive(caseSensitive);
    list.SetDuplicates(TDuplicates(mode));
    fill(list, { "c", "b", "a" });
    ChangeLog log(list);
    int added = -1;
    const QString message = QXTest::raisedMessage<EStringListError>([&] { added = list.Add("B"); });
    QCOMPARE(message, error.isEmpty() ? "<nothing raised>" : error);
    QCOMPARE(added, index);
    QCOMPARE(list.CommaText(), result);
    QCOMPARE(log.events.size(), list.Count() == 4 ? 2 : 0);
}

void tst_StringList::sortedListRefusesPositionalEdits_data()
{
    QTest::addColumn<Edit>("edit");
    QTest::newRow("Insert") << EDIT(l.Insert(0, "z"));
    QTest::newRow("InsertObject") << EDIT(l.InsertObject(3, "z", &l));
    QTest::newRow("SetStrings") << EDIT(l.SetStrings(0, "z"));
    QTest::newRow("SetValueFromIndex") << EDIT(l.SetValueFromIndex(0, "z"));
    QTest::newRow("Exchange") << EDIT(l.Exchange(0, 2));
    QTest::newRow("Move") << EDIT(l.Move(0, 2));
    QTest::newRow("CustomSort") << EDIT(l.CustomSort([](TStringList *, int, int) { return 0; }));
}

void tst_StringList::sortedListRefusesPositionalEdits()
{
    QFETCH(Edit, edit);
    TStringList list;
    list.SetSorted(true);
    fill(list, { "a", "b", "c" });
    ChangeLog log(list);
    QCOMPARE(QXTest::raisedMessage<EStringListError>([&] { edit.run(list); }),
             "Operation not allowed on sorted list");
    QCOMPARE(list.CommaText(), "a,b,c");
    QVERIFY(log.events.isEmpty());
}

void tst_StringList::objectsFollowTheirLines()
{
    QObject a, b;
    auto *c = new QObject;
    TStringList list;
    list.AddObject("c", c);
    list.AddObject("a", &a);
    list.AddObject("b", &b);
    list.SetSorted(true);
    QCOMPARE(list.CommaText(), "a,b,c");
    QCOMPARE(list.Objects(0), &a);
    QCOMPARE(list.Objects(1), &b);
    QCOMPARE(list.IndexOfObject(c), 2);
    // The list does not own its objects; a destroyed one reads back as null.
    delete c;
    QCOMPARE(list.Objects(2), nullptr);
    // Switching sorting off keeps the order and appends again.
    list.SetSorted(false);
    QCOMPARE(list.Add("0"), 3);
}

void tst_StringList::customSort()
{
    TStringList list;
    fill(list, { "ccc", "a", "bb", "d", "ee" });
    list.CustomSort(
        [](TStringList *l, int i, int j) { return int(l->Strings(i).size() - l->Strings(j).size()); });
    QCOMPARE(list.CommaText(), "a,d,bb,ee,ccc"); // stable: equal lengths keep their order

    // A comparison that raises leaves the list as it was, and unreported.
    ChangeLog log(list);
    int calls = 0;
    const QString message = QXTest::raisedMessage<EConvertError>([&] {
        list.CustomSort([&](TStringList *, int, int) -> int {
            if (++calls == 3)
                throw EConvertError("cannot compare");
            return -1;
        });
    });
    QCOMPARE(message, "cannot compare");
    QCOMPARE(list.CommaText(), "a,d,bb,ee,ccc");
    QVERIFY(log.events.isEmpty());

    // An inconsistent comparison cannot lose or duplicate lines.
    QStringList lines;
    for (int i = 0; i < 100; ++i)
        lines << QString::number(i);
    list.SetStrings(lines);
    quint32 state = 12345;
    list.CustomSort([&](TStringList *, int, int) {
        state = state * 1103515245u + 12345u;
        return int((state >> 16) % 3) - 1;
    });
    QStringList after = list.ToStringList();
    std::sort(after.begin(), after.end());
    std::sort(lines.begin(), lines.end());
    QCOMPARE(after, lines);
}

// ---------------------------------------------------------------------------------------------------
// Case rules

void tst_StringList::caseRules_data()
{
    QTest::addColumn<bool>("sorted");
    QTest::addColumn<bool>("caseSensitive");
    QTest::addColumn<QString>("search");
    QTest::addColumn<int>("index");
    for (bool sorted : { false, true }) {
        const char *kind = sorted ? "sorted" : "unsorted";
        QTest::addRow("%s, ignoring case, other case", kind) << sorted << false << "BETA" << 1;
        QTest::addRow("%s, ignoring case, same case", kind) << sorted << false << "Gamma" << 2;
        QTest::addRow("%s, case-sensitive, other case", kind) << sorted << true << "alpha" << -1;
        QTest::addRow("%s, case-sensitive, same case", kind) << sorted << true << "Alpha" << 0;
        QTest::addRow("%s, missing", kind) << sorted << false << "delta" << -1;
    }
}

void tst_StringList::caseRules()
{
    QFETCH(bool, sorted);
    QFETCH(bool, caseSensitive);
    QFETCH(QString, search);
    QFETCH(int, index);
    TStringList list;
    list.SetCaseSensitive(caseSensitive);
    list.SetSorted(sorted);
    fill(list, { "Alpha", "beta", "Gamma" });
    QCOMPARE(list.IndexOf(search), index);
    int at = -1;
    if (sorted)
        QCOMPARE(list.Find(search, at), index >= 0);
}

void tst_StringList::caseSensitiveSorting()
{
    TStringList list;
    list.SetDuplicates(dupAccept);
    fill(list, { "B", "b", "A", "a" });
    list.SetSorted(true);
    QCOMPARE(list.CommaText(), "A,a,B,b"); // equal ignoring case: they keep their order

    // Switching the rule re-sorts: lower case first among letters that differ only in case.
    list.SetCaseSensitive(true);
    QCOMPARE(list.CommaText(), "a,A,b,B");
    for (const QString &line : list.ToStringList()) {
        int index = -1;
        QVERIFY(list.Find(line, index));
        QCOMPARE(list[index], line);
    }
    QCOMPARE(list.Add("Ab"), 2);

    list.SetCaseSensitive(false);
    int index = -1;
    QVERIFY(list.Find("AB", index));
    QCOMPARE(list[index], "Ab");
}

// ---------------------------------------------------------------------------------------------------
// name=value lines

void tst_StringList::namesAndValues_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::newRow("pair") << "a=1"
                          << "a"
                          << "1";
    QTest::newRow("empty value") << "key="
                                 << "key"
                                 << "";
    QTest::newRow("separator in value") << "c=x=y"
                                        << "c"
                                        << "x=y";
    QTest::newRow("no separator") << "plain"
                                  << ""
                                  << "";
    QTest::newRow("empty name") << "=v"
                                << ""
                                << "v";
    QTest::newRow("spaces kept") << " n = v "
                                 << " n "
                                 << " v ";
}

void tst_StringList::namesAndValues()
{
    QFETCH(QString, line);
    QFETCH(QString, name);
    QFETCH(QString, value);
    TStringList list;
    fill(list, { "other=0", line });
    QCOMPARE(list.Names(1), name);
    QCOMPARE(list.ValueFromIndex(1), value);
    QCOMPARE(list.IndexOfName(name), line.contains(u'=') ? 1 : -1);
}

void tst_StringList::valuesByName()
{
    TStringList list;
    fill(list, { "Host=example.org", "Port=80", "plain", "port=8080" });
    QCOMPARE(list.IndexOfName("PORT"), 1);
    QCOMPARE(list.Values("port"), "80");
    QCOMPARE(list.Values("plain"), "");
    QCOMPARE(list.Values("missing"), "");

    // Setting keeps the line's own spelling of the name; a new name is added; empty deletes.
    list.SetValues("PORT", "81");
    list.SetValues("User", "me");
    list.SetValues("Host", "");
    list.SetValues("nothing", "");
    QCOMPARE(list.CommaText(), "Port=81,plain,port=8080,User=me");
    list.SetValueFromIndex(2, "9");
    list.SetValueFromIndex(0, "");
    QCOMPARE(list.CommaText(), "plain,port=9,User=me");

    list.SetCaseSensitive(true);
    QCOMPARE(list.IndexOfName("user"), -1);
    QCOMPARE(list.IndexOfName("User"), 2);

    list.SetNameValueSeparator(u':');
    list.SetText("a:1\nb=2:3\n");
    QCOMPARE(list.Names(1), "b=2");
    QCOMPARE(list.Values("a"), "1");
}

// ---------------------------------------------------------------------------------------------------
// Change notifications: OnChanging before and OnChange after each edit outside a batch, and one pair for
// a whole batch however many edits and nested batches it holds. Then the errors, which report nothing.

void tst_StringList::notifications_data()
{
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<QString>("after");
    QTest::newRow("Add") << EDIT(l.Add("d")) << "a,b,c,d";
    QTest::newRow("Insert") << EDIT(l.Insert(0, "z")) << "z,a,b,c";
    QTest::newRow("Delete") << EDIT(l.Delete(1)) << "a,c";
    QTest::newRow("SetStrings") << EDIT(l.SetStrings(1, "x")) << "a,x,c";
    QTest::newRow("SetObjects") << EDIT(l.SetObjects(1, &l)) << "a,b,c";
    QTest::newRow("Exchange") << EDIT(l.Exchange(0, 2)) << "c,b,a";
    QTest::newRow("Move") << EDIT(l.Move(0, 2)) << "b,c,a";
    QTest::newRow("Clear") << EDIT(l.Clear()) << "";
    QTest::newRow("SetValues") << EDIT(l.SetValues("n", "v")) << "a,b,c,n=v";
    QTest::newRow("CustomSort") << EDIT(l.CustomSort([](TStringList *, int i, int j) { return j - i; }))
                                << "c,b,a";
    QTest::newRow("SetText") << EDIT(l.SetText("x\ny\nz\n")) << "x,y,z";
    QTest::newRow("SetCommaText") << EDIT(l.SetCommaText("x,y")) << "x,y";
    QTest::newRow("SetStrings list") << EDIT(l.SetStrings(QStringList { "x" })) << "x";
    QTest::newRow("AddStrings") << EDIT(l.AddStrings(QStringList { "x", "y" })) << "a,b,c,x,y";
    QTest::newRow("Assign") << EDIT(TStringList source; source.SetText("p\nq\n"); l.Assign(&source)) << "p,q";
    QTest::newRow("batch") << EDIT(l.BeginUpdate(); l.Add("d"); l.Delete(0); l.SetStrings(0, "x");
                                   l.Exchange(0, 1); l.EndUpdate())
                           << "c,x,d";
    QTest::newRow("nested batches") << EDIT(l.BeginUpdate(); l.BeginUpdate(); l.Add("d"); l.EndUpdate();
                                            l.Delete(0); l.EndUpdate())
                                    << "b,c,d";
    QTest::newRow("empty batch") << EDIT(l.BeginUpdate(); l.EndUpdate()) << "a,b,c";
}

void tst_StringList::notifications()
{
    QFETCH(Edit, edit);
    QFETCH(QString, after);
    TStringList list;
    fill(list, { "a", "b", "c" });
    ChangeLog log(list);
    edit.run(list);
    QCOMPARE(log.events, QStringList({ "changing a,b,c", "changed " + after }));
    QVERIFY(!log.wrongSender);
    QCOMPARE(list.UpdateCount(), 0);
}

void tst_StringList::indexOutOfBounds_data()
{
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<int>("index");
    QTest::newRow("Strings below") << EDIT(l.Strings(-1)) << -1;
    QTest::newRow("Strings above") << EDIT(l[2]) << 2;
    QTest::newRow("SetStrings") << EDIT(l.SetStrings(2, "")) << 2;
    QTest::newRow("Objects") << EDIT(l.Objects(2)) << 2;
    QTest::newRow("SetObjects") << EDIT(l.SetObjects(-1, nullptr)) << -1;
    QTest::newRow("Delete") << EDIT(l.Delete(5)) << 5;
    QTest::newRow("Insert beyond Count") << EDIT(l.Insert(3, "")) << 3;
    QTest::newRow("Insert below") << EDIT(l.Insert(-1, "")) << -1;
    QTest::newRow("Exchange") << EDIT(l.Exchange(0, 2)) << 2;
    QTest::newRow("Move to") << EDIT(l.Move(0, 2)) << 2;
    QTest::newRow("Move from") << EDIT(l.Move(7, 0)) << 7;
    QTest::newRow("Names") << EDIT(l.Names(2)) << 2;
    QTest::newRow("SetValueFromIndex") << EDIT(l.SetValueFromIndex(2, "")) << 2;
}

void tst_StringList::indexOutOfBounds()
{
    QFETCH(Edit, edit);
    QFETCH(int, index);
    TStringList list;
    fill(list, { "a", "b" });
    ChangeLog log(list);
    try {
        edit.run(list);
        QFAIL("no exception");
    } catch (const EListError &e) {
        QCOMPARE(e.Message(), QString("List index out of bounds (%1)").arg(index));
        QCOMPARE(e.ClassName(), "EStringListError");
        QVERIFY(dynamic_cast<const EStringListError *>(&e));
    }
    QCOMPARE(list.CommaText(), "a,b");
    QVERIFY(log.events.isEmpty());
}

// ---------------------------------------------------------------------------------------------------
// Text forms

void tst_StringList::text_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("LF") << "a\nb\n" << QStringList { "a", "b" };
    QTest::newRow("no final break") << "a\nb" << QStringList { "a", "b" };
    QTest::newRow("CRLF") << "a\r\nb\r\n" << QStringList { "a", "b" };
    QTest::newRow("CR") << "a\rb\r" << QStringList { "a", "b" };
    QTest::newRow("mixed") << "a\rb\nc\r\nd" << QStringList { "a", "b", "c", "d" };
    QTest::newRow("empty CRLF line") << "a\r\n\r\nb" << QStringList { "a", "", "b" };
    QTest::newRow("LF CR is two breaks") << "a\n\rb" << QStringList { "a", "", "b" };
    QTest::newRow("empty") << "" << QStringList {};
    QTest::newRow("one empty line") << "\n" << QStringList { "" };
    QTest::newRow("spaces kept") << " x \n" << QStringList { " x " };
}

void tst_StringList::text()
{
    QFETCH(QString, input);
    QFETCH(QStringList, lines);
    TStringList list;
    list.SetText(input);
    QCOMPARE(list.ToStringList(), lines);
    QString expected;
    for (const QString &line : lines)
        expected += line + sLineBreak;
    QCOMPARE(list.Text(), expected);
    TStringList copy;
    copy.SetText(list.Text());
    QVERIFY(copy.Equals(&list));
}

void tst_StringList::commaText_data()
{
    // written: whether CommaText of the lines gives back exactly this text (else it is only read).
    QTest::addColumn<QString>("commaText");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("written");
    QTest::newRow("plain") << "a,b,c" << QStringList { "a", "b", "c" } << true;
    QTest::newRow("space") << "\"a b\",c" << QStringList { "a b", "c" } << true;
    QTest::newRow("tab") << "\"a\tb\"" << QStringList { "a\tb" } << true;
    QTest::newRow("comma") << "\"x,y\"" << QStringList { "x,y" } << true;
    QTest::newRow("quote") << R"("say ""hi""")" << QStringList { "say \"hi\"" } << true;
    QTest::newRow("only line empty") << "\"\"" << QStringList { "" } << true;
    QTest::newRow("last line empty") << "a," << QStringList { "a", "" } << true;
    QTest::newRow("first line empty") << ",a" << QStringList { "", "a" } << true;
    QTest::newRow("two empty lines") << "," << QStringList { "", "" } << true;
    QTest::newRow("no lines") << "" << QStringList {} << true;
    QTest::newRow("spaces around commas") << " a, b ,c " << QStringList { "a", "b", "c" } << false;
    QTest::newRow("space separates") << "a b" << QStringList { "a", "b" } << false;
    QTest::newRow("empty item") << "a,,b" << QStringList { "a", "", "b" } << true;
    QTest::newRow("quoted, spaced") << " \"a,b\" , c" << QStringList { "a,b", "c" } << false;
    QTest::newRow("text after quote") << "\"q\"rest,x" << QStringList { "qrest", "x" } << false;
    QTest::newRow("unterminated quote") << "\"open, end" << QStringList { "open, end" } << false;
}

void tst_StringList::commaText()
{
    QFETCH(QString, commaText);
    QFETCH(QStringList, lines);
    QFETCH(bool, written);
    TStringList list;
    list.SetCommaText(commaText);
    QCOMPARE(list.ToStringList(), lines);
    TStringList back;
    back.SetCommaText(list.CommaText());
    QCOMPARE(back.ToStringList(), lines);
    if (written)
        QCOMPARE(list.CommaText(), commaText);
}

void tst_StringList::strictDelimitedText()
{
    TStringList list;
    list.SetDelimiter(u';');
    list.SetQuoteChar(u'\'');
    list.SetStrictDelimiter(true);
    list.SetDelimitedText("a b; c;'d;e';'it''s'");
    QCOMPARE(list.ToStringList(), QStringList({ "a b", " c", "d;e", "it's" }));
    QCOMPARE(list.DelimitedText(), "a b; c;'d;e';'it''s'");
    QCOMPARE(list.CommaText(), "a b, c,d;e,it's"); // CommaText keeps ',' and '"'
}

// ---------------------------------------------------------------------------------------------------
// Descendants, hostile sources, files

void tst_StringList::primitivesDriveDerivedOperations()
{
    TPlainStrings plain;
    QCOMPARE(plain.Add("alpha"), 0);
    QCOMPARE(plain.Add("Beta=2"), 1);
    plain.Append("gamma");
    QCOMPARE(plain.lines, QStringList({ "alpha", "Beta=2", "gamma" }));
    QCOMPARE(plain.Text(), "alpha\nBeta=2\ngamma\n");
    QCOMPARE(plain.IndexOf("GAMMA"), 2);
    QCOMPARE(plain.Names(1), "Beta");
    QCOMPARE(plain.Values("beta"), "2");

    // Put (by SetValues), Exchange and Move come from TStrings too.
    plain.SetValues("beta", "3");
    plain.SetValues("delta", "4");
    QCOMPARE(plain.lines, QStringList({ "alpha", "Beta=3", "gamma", "delta=4" }));
    plain.Exchange(0, 2);
    plain.Move(0, 3);
    QCOMPARE(plain.lines, QStringList({ "Beta=3", "alpha", "delta=4", "gamma" }));
    QCOMPARE(QXTest::raisedMessage<EStringListError>([&] { plain.Move(0, 4); }),
             "List index out of bounds (4)");
    QCOMPARE(plain.lines.size(), 4);

    // Only the outermost batch reaches SetUpdateState.
    plain.updateStates.clear();
    plain.BeginUpdate();
    plain.SetText("x");
    plain.EndUpdate();
    QCOMPARE(plain.updateStates, QList<bool>({ true, false }));
    QVERIFY(plain.setProperty("Text", "p\r\nq\nr"));
    QCOMPARE(plain.lines, QStringList({ "p", "q", "r" }));
    QCOMPARE(plain.property("Count").toInt(), 3);

    TStringList list;
    list.SetNameValueSeparator(u':');
    list.SetText("k:v\nsecond\n");
    plain.Assign(&list);
    QCOMPARE(plain.lines, QStringList({ "k:v", "second" }));
    QCOMPARE(plain.Values("K"), "v");

    plain.lines << "third";
    list.Assign(&plain);
    QVERIFY(list.Equals(&plain));
    plain.lines[2] = "THIRD";
    QVERIFY(!list.Equals(&plain));

    // Lists are made by class when settings are read.
    QObject *made = TStringList::staticMetaObject.newInstance();
    QVERIFY(qobject_cast<TStringList *>(made));
    FreeObject(made);

    QObject foreign;
    QCOMPARE(QXTest::raisedMessage<EConvertError>([&] { list.Assign(&foreign); }),
             "Cannot assign a QObject to a TStringList");
}

void tst_StringList::assignEndsBatchWhenSourceRaises()
{
    THostileStrings source;
    source.lines = QStringList { "one", "two", "three" };
    source.failAt = 1;

    TStringList list;
    list.Add("old");
    ChangeLog log(list);
    QCOMPARE(QXTest::raisedMessage<EListError>([&] { list.Assign(&source); }), "unreadable line");
    QCOMPARE(list.UpdateCount(), 0);
    QCOMPARE(log.events.size(), 2);
    QCOMPARE(log.events.first(), "changing old");
    // The batch is over: the next edit is reported on its own.
    list.Add("next");
    QCOMPARE(log.events.size(), 4);

    TPlainStrings plain;
    QCOMPARE(QXTest::raisedMessage<EListError>([&] { plain.Assign(&source); }), "unreadable line");
    QCOMPARE(plain.UpdateCount(), 0);
}

void tst_StringList::loadSaveRoundTrip()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("lines.txt");
    TStringList list;
    list.SetStrings({ "Grüße", "日本語", "", "last" });
    list.SaveToFile(path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QString("Grüße\n日本語\n\nlast\n").toUtf8());
    file.close();

    TStringList loaded;
    loaded.Add("replaced");
    ChangeLog log(loaded);
    loaded.LoadFromFile(path);
    QVERIFY(loaded.Equals(&list));
    QCOMPARE(log.events.size(), 2);

    // A byte order mark is not part of the first line; CRLF breaks lines.
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("\xEF\xBB\xBFone\r\ntwo");
    file.close();
    loaded.LoadFromFile(path);
    QCOMPARE(loaded.ToStringList(), QStringList({ "one", "two" }));
}

void tst_StringList::unopenableFilesRaiseFOpenError()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString missing = dir.filePath("missing.txt");
    TStringList list;
    list.Add("kept");
    const QString loadError = QXTest::raisedMessage<EFOpenError>([&] { list.LoadFromFile(missing); });
    QVERIFY2(loadError.startsWith(QString("Cannot open file \"%1\"").arg(QDir::toNativeSeparators(missing))),
             qPrintable(loadError));
    QCOMPARE(list.Text(), "kept\n");

    const QString unwritable = dir.filePath("no/such/dir/out.txt");
    const QString saveError = QXTest::raisedMessage<EFOpenError>([&] { list.SaveToFile(unwritable); });
    QVERIFY2(saveError.startsWith("Cannot create file"), qPrintable(saveError));
    QVERIFY2(saveError.contains(QDir::toNativeSeparators(unwritable)), qPrintable(saveError));
}

QTEST_MAIN(tst_StringList)
#include "tst_stringlist.moc"
