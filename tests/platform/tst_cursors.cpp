// The cursor table (src/platform/Cursors.*): idents and numbers in both directions, the table's order, and
// texts that are no cursor.
#include "QXTestSupport.h"

#include <QXInspector/Cursors.h>
#include <QXInspector/Exceptions.h>

#include <QCursor>
#include <QTest>

using namespace QXPlatform;

class tst_Cursors : public QObject
{
    Q_OBJECT

private slots:
    void textsInBothDirections_data()
    {
        QTest::addColumn<int>("cursor");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("typed");
        QTest::newRow("first") << int(Qt::ArrowCursor) << "crArrow"
                               << "crArrow";
        QTest::newRow("any case") << int(Qt::IBeamCursor) << "crIBeam"
                                  << "CRIBEAM";
        QTest::newRow("last") << int(Qt::DragLinkCursor) << "crDragLink"
                              << " crDragLink ";
        QTest::newRow("no ident") << int(Qt::BitmapCursor) << "24"
                                  << "24";
        QTest::newRow("negative") << -3 << "-3"
                                  << "-3";
    }
    void textsInBothDirections()
    {
        QFETCH(int, cursor);
        QFETCH(QString, text);
        QFETCH(QString, typed);
        QCOMPARE(CursorToString(TCursor(cursor)), text);
        QCOMPARE(int(StringToCursor(typed)), cursor);
    }

    void tableFollowsTheShapes()
    {
        // Every standard shape has exactly one ident, reported in the order of the shapes.
        QList<int> shapes;
        GetCursorValues([&shapes](const QString &ident) {
            int cursor = -1;
            QVERIFY(IdentToCursor(ident, cursor));
            shapes.append(cursor);
        });
        QCOMPARE(shapes.size(), int(Qt::LastCursor) + 1);
        for (int i = 0; i < shapes.size(); ++i)
            QCOMPARE(shapes.at(i), i);
    }

    void textsThatAreNoCursor_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("unknown ident") << "crNothing";
        QTest::newRow("too large") << "40000";
        QTest::newRow("empty") << "";
    }
    void textsThatAreNoCursor()
    {
        QFETCH(QString, text);
        QCOMPARE(QXTest::raised([&] { StringToCursor(text); }).first, QStringLiteral("EConvertError"));
    }
};

QTEST_GUILESS_MAIN(tst_Cursors)
#include "tst_cursors.moc"
