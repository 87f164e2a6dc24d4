// Edit masks: matching texts framed the way the in-place editor frames them, positional matching,
// invalid patterns, and descendants that replace the matching.
#include <QXInspector/GRegularExpression.h>

#include <QTest>

namespace {

QString framed(const QString &text)
{
    return QLatin1Char('\n') + text + QLatin1Char('\r');
}

// Records the calls that reach the overridable match and shifts every result by one.
class ShiftedExpression : public TGRegularExpression
{
public:
    int MatchFrom(const QString &Subject, int Start, int &Length) override
    {
        starts.append(Start);
        const int position = TGRegularExpression::MatchFrom(Subject, Start, Length);
        return position ? position + 1 : 0;
    }
    QList<int> starts;
};

} // namespace

class tst_RegularExpression : public QObject
{
    Q_OBJECT

private slots:
    // Masks against framed texts
    void matchFramedText_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("position");
        QTest::newRow("digits") << "^[0-9]+$" << framed("123") << 2;
        QTest::newRow("digits reject letter") << "^[0-9]+$" << framed("12a") << 0;
        QTest::newRow("digits reject leading letter") << "^[0-9]+$" << framed("a12") << 0;
        QTest::newRow("digits reject empty") << "^[0-9]+$" << framed("") << 0;
        // The frame's LF ends an empty line of its own; a mask that accepts the empty text must not
        // match there and so accept anything.
        QTest::newRow("optional digits reject letter") << "^[0-9]*$" << framed("12a") << 0;
        QTest::newRow("optional digits accept empty") << "^[0-9]*$" << framed("") << 2;
        QTest::newRow("must be empty") << "^$" << framed("abc") << 0;
        QTest::newRow("start anchor") << "^ab" << framed("abc") << 2;
        QTest::newRow("start anchor misses") << "^bc" << framed("abc") << 0;
        QTest::newRow("end anchor") << "bc$" << framed("abc") << 3;
        QTest::newRow("end anchor misses") << "ab$" << framed("abc") << 0;
        QTest::newRow("unanchored") << "b" << framed("abc") << 3;
        QTest::newRow("dot stays inside") << "^.+$" << framed("a b") << 2;
        QTest::newRow("case sensitive") << "^ABC$" << framed("abc") << 0;
        QTest::newRow("case insensitive") << "(?i)^ABC$" << framed("abc") << 2;
        QTest::newRow("alternation") << "^(yes|no)$" << framed("no") << 2;
        QTest::newRow("alternation rejects prefix") << "^(yes|no)$" << framed("nope") << 0;
        QTest::newRow("non-ASCII") << "^ä+$" << framed("ää") << 2;
        QTest::newRow("float") << "^-?[0-9]+(\\.[0-9]+)?$" << framed("-1.25") << 2;
        QTest::newRow("float rejects two points") << "^-?[0-9]+(\\.[0-9]+)?$" << framed("1.2.5") << 0;
        QTest::newRow("empty pattern") << "" << framed("abc") << 0;
        QTest::newRow("unframed") << "^[0-9]+$"
                                  << "123" << 1;
        QTest::newRow("unframed rejects") << "^[0-9]+$"
                                          << "12a" << 0;
    }
    void matchFramedText()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, text);
        QFETCH(int, position);
        TGRegularExpression expression;
        expression.SetExpression(pattern);
        QVERIFY(expression.IsValid());
        QCOMPARE(expression.GetExpression(), pattern);
        QCOMPARE(expression.Match(text), position);
        // A second match uses the same compiled expression and must not depend on the first.
        QCOMPARE(expression.Match(text), position);
    }
    void newExpressionMatchesNothing()
    {
        TGRegularExpression expression;
        QCOMPARE(expression.GetExpression(), QString());
        QVERIFY(expression.IsValid());
        QCOMPARE(expression.Match(framed("abc")), 0);
        QCOMPARE(expression.Match(QString()), 0);
    }
    void changingTheExpressionRecompiles()
    {
        TGRegularExpression expression;
        expression.SetExpression(QStringLiteral("^[0-9]+$"));
        QCOMPARE(expression.Match(framed("abc")), 0);
        expression.SetExpression(QStringLiteral("^[a-z]+$"));
        QCOMPARE(expression.Match(framed("abc")), 2);
        QCOMPARE(expression.Match(framed("123")), 0);
        expression.SetExpression(QString());
        QCOMPARE(expression.Match(framed("abc")), 0);
    }

    // Positional matching
    void matchFrom_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("subject");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("length");
        QTest::newRow("first") << "[0-9]+"
                               << "ab12cd345" << 1 << 3 << 2;
        QTest::newRow("at start") << "[0-9]+"
                                  << "ab12cd345" << 3 << 3 << 2;
        QTest::newRow("inside a match") << "[0-9]+"
                                        << "ab12cd345" << 4 << 4 << 1;
        QTest::newRow("next") << "[0-9]+"
                              << "ab12cd345" << 5 << 7 << 3;
        QTest::newRow("last character") << "[0-9]+"
                                        << "ab12cd345" << 9 << 9 << 1;
        QTest::newRow("past the end") << "[0-9]+"
                                      << "ab12cd345" << 10 << 0 << 0;
        QTest::newRow("far past the end") << "[0-9]+"
                                          << "ab12cd345" << 100 << 0 << 0;
        QTest::newRow("zero counts as one") << "[0-9]+"
                                            << "ab12cd345" << 0 << 3 << 2;
        QTest::newRow("negative counts as one") << "[0-9]+"
                                                << "ab12cd345" << -5 << 3 << 2;
        QTest::newRow("anchor sees text before start") << "^b"
                                                       << "ab" << 2 << 0 << 0;
        QTest::newRow("anchor after line feed") << "^b"
                                                << "a\nb" << 3 << 3 << 1;
        QTest::newRow("look-behind sees text before start") << "(?<=a)b"
                                                            << "ab" << 2 << 2 << 1;
        QTest::newRow("empty match") << "x*"
                                     << "abc" << 2 << 2 << 0;
        QTest::newRow("empty match at end") << "$"
                                            << "abc" << 1 << 4 << 0;
        QTest::newRow("whole framed line") << "^.+$" << framed("a b") << 1 << 2 << 3;
        const QString surrogatePair = QString::fromUtf8("\xF0\x9F\x98\x80"
                                                        "b");
        QTest::newRow("surrogate pair counts two") << "b" << surrogatePair << 1 << 3 << 1;
    }
    void matchFrom()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, subject);
        QFETCH(int, start);
        QFETCH(int, position);
        QFETCH(int, length);
        TGRegularExpression expression;
        expression.SetExpression(pattern);
        int matched = -1;
        QCOMPARE(expression.MatchFrom(subject, start, matched), position);
        QCOMPARE(matched, length);
    }

    // Invalid patterns
    void invalidPatternMatchesNothing_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("offset");
        QTest::newRow("open class") << "[a" << 2;
        QTest::newRow("open group") << "(ab" << 3;
        QTest::newRow("nothing to repeat") << "*a" << 0;
    }
    void invalidPatternMatchesNothing()
    {
        QFETCH(QString, pattern);
        QFETCH(int, offset);
        TGRegularExpression expression;
        expression.SetExpression(pattern);
        QVERIFY(!expression.IsValid());
        QCOMPARE(expression.GetExpression(), pattern);
        QCOMPARE(expression.ErrorOffset(), offset);
        QVERIFY(expression.ErrorString().contains(QStringLiteral("offset %1").arg(offset)));
        QCOMPARE(expression.Match(framed("a")), 0);
        int length = -1;
        QCOMPARE(expression.MatchFrom(QStringLiteral("a"), 1, length), 0);
        QCOMPARE(length, 0);
    }
    void validPatternAfterInvalidOneWorks()
    {
        TGRegularExpression expression;
        expression.SetExpression(QStringLiteral("[a"));
        expression.SetExpression(QStringLiteral("^a$"));
        QVERIFY(expression.IsValid());
        QCOMPARE(expression.ErrorString(), QString());
        QCOMPARE(expression.ErrorOffset(), -1);
        QCOMPARE(expression.Match(framed("a")), 2);
    }

    // Descendants
    void matchGoesThroughMatchFrom()
    {
        ShiftedExpression expression;
        expression.SetExpression(QStringLiteral("^[0-9]+$"));
        QCOMPARE(expression.Match(framed("42")), 3);
        QCOMPARE(expression.Match(QStringLiteral("42")), 2);
        QCOMPARE(expression.Match(framed("4x")), 0);
        // A framed text is searched from after its line feed, any other from its start.
        QCOMPARE(expression.starts, QList<int>({ 2, 1, 2 }));
    }
};

QTEST_MAIN(tst_RegularExpression)
#include "tst_regularexpression.moc"
