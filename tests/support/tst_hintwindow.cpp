// The hint window: where and how it shows a text, how big it makes itself, hiding, and its place as a
// sub-component of its owner.
#include <QXInspector/QXHintWindow.h>

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QToolTip>

using namespace QXPlatform;

namespace {

const QString longText = QStringLiteral(
    "A property value long enough to need several lines when the hint may only be a hundred pixels wide");

} // namespace

class tst_HintWindow : public QObject
{
    Q_OBJECT

private:
    QWidget *owner = nullptr;
    TQXHintWindow *hint = nullptr;

private slots:
    void init()
    {
        owner = new QWidget;
        owner->setGeometry(50, 50, 300, 200);
        hint = Create<TQXHintWindow>(owner);
    }
    void cleanup()
    {
        FreeAndNil(hint);
        delete owner;
        owner = nullptr;
    }

    // Showing
    void activatePlacesTopLeftAndShowsText_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QString>("text");
        QTest::newRow("short") << QPoint(100, 120) << QStringLiteral("Width = 100");
        QTest::newRow("long") << QPoint(10, 30) << longText;
        QTest::newRow("markup shown as text") << QPoint(200, 5) << QStringLiteral("<b>bold</b>");
    }
    void activatePlacesTopLeftAndShowsText()
    {
        QFETCH(QPoint, point);
        QFETCH(QString, text);
        QVERIFY(!hint->IsHintVisible());
        hint->ActivateHint(point, text);
        QVERIFY(hint->IsHintVisible());
        QCOMPARE(hint->text(), text);
        QCOMPARE(hint->pos(), point);
        QCOMPARE(hint->geometry().topLeft(), point);
        QCOMPARE(hint->textFormat(), Qt::PlainText);
        // The window is big enough for the wrapped text it shows.
        QVERIFY(hint->width() >= hint->CalcHintRect(hint->width(), text).width());
        const int needed = hint->heightForWidth(hint->width());
        QVERIFY2(hint->height() >= needed,
                 qPrintable(QStringLiteral("%1 < %2").arg(hint->height()).arg(needed)));
    }
    void activateAgainMovesAndRetexts()
    {
        hint->ActivateHint(QPoint(10, 10), longText);
        const QSize longSize = hint->size();
        hint->ActivateHint(QPoint(300, 400), QStringLiteral("x"));
        QCOMPARE(hint->pos(), QPoint(300, 400));
        QCOMPARE(hint->text(), QStringLiteral("x"));
        QVERIFY(hint->width() < longSize.width());
    }
    void showsAsToolTipWithoutTakingFocus()
    {
        owner->show();
        owner->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(owner));
        hint->ActivateHint(QPoint(400, 300), QStringLiteral("value"));
        QVERIFY(hint->isWindow());
        QCOMPARE(hint->windowType(), Qt::ToolTip);
        QVERIFY(hint->testAttribute(Qt::WA_ShowWithoutActivating));
        QCOMPARE(hint->focusPolicy(), Qt::NoFocus);
        QCoreApplication::processEvents();
        QCOMPARE(QApplication::activeWindow(), owner);
        QVERIFY(!hint->isActiveWindow());
    }
    void looksLikeAToolTip()
    {
        const QPalette toolTip = QToolTip::palette();
        QCOMPARE(hint->palette().color(QPalette::ToolTipBase), toolTip.color(QPalette::ToolTipBase));
        QCOMPARE(hint->palette().color(QPalette::ToolTipText), toolTip.color(QPalette::ToolTipText));
        QCOMPARE(hint->font(), QToolTip::font());
        QVERIFY(hint->wordWrap());
        QVERIFY(hint->margin() > 0);
    }

    // Hiding
    void releaseHides()
    {
        hint->ActivateHint(QPoint(20, 20), QStringLiteral("value"));
        hint->ReleaseHint();
        QVERIFY(!hint->IsHintVisible());
        hint->ReleaseHint();
        QVERIFY(!hint->IsHintVisible());
        hint->ActivateHint(QPoint(30, 40), QStringLiteral("again"));
        QVERIFY(hint->IsHintVisible());
        QCOMPARE(hint->pos(), QPoint(30, 40));
    }

    // Measuring
    void calcHintRectWrapsUnderNarrowWidth()
    {
        const QRect oneLine = hint->CalcHintRect(5000, longText);
        const QRect narrow = hint->CalcHintRect(100, longText);
        const QRect shortText = hint->CalcHintRect(5000, QStringLiteral("x"));
        QCOMPARE(oneLine.topLeft(), QPoint(0, 0));
        QCOMPARE(narrow.topLeft(), QPoint(0, 0));
        QCOMPARE(oneLine.height(), shortText.height());
        QVERIFY(narrow.height() >= 3 * (oneLine.height() - 2 * hint->margin()));
        QVERIFY(narrow.width() <= 100 + 2 * hint->margin());
        QVERIFY(oneLine.width() > narrow.width());
        // One line is as wide as the text (its advance, give or take the rounding) plus the margins.
        const int advance = QFontMetrics(hint->font()).horizontalAdvance(longText) + 2 * hint->margin();
        QVERIFY2(qAbs(oneLine.width() - advance) <= 1, qPrintable(QString::number(oneLine.width())));
    }
    void calcHintRectCountsLineBreaks()
    {
        const QRect one = hint->CalcHintRect(5000, QStringLiteral("line"));
        const QRect three = hint->CalcHintRect(5000, QStringLiteral("line\nline\nline"));
        QCOMPARE(three.width(), one.width());
        QVERIFY(three.height() > 2 * one.height() - 4 * hint->margin());
    }
    void calcHintRectUsesGivenFont()
    {
        QFont big = hint->font();
        big.setPointSize(big.pointSize() * 3);
        const QRect own = hint->CalcHintRect(5000, QStringLiteral("value"));
        const QRect bigger = hint->CalcHintRect(5000, QStringLiteral("value"), &big);
        QVERIFY(bigger.width() > own.width());
        QVERIFY(bigger.height() > own.height());
    }

    // Settings and ownership
    void intervalIsStoredOnly()
    {
        QCOMPARE(hint->Interval(), 0);
        hint->SetInterval(500);
        QCOMPARE(hint->Interval(), 500);
        hint->ActivateHint(QPoint(0, 0), QStringLiteral("at once"));
        QVERIFY(hint->IsHintVisible());
        hint->SetInterval(0);
        QCOMPARE(hint->Interval(), 0);
    }
    void isSubComponentOfItsOwner()
    {
        QVERIFY(!hint->IsSubComponent());
        hint->SetSubComponent(true);
        QVERIFY(hint->IsSubComponent());
        QCOMPARE(hint->Owner(), owner);
        QCOMPARE(hint->parentWidget(), owner);
        QCOMPARE(AsComponent(hint), static_cast<TComponent *>(hint));
        QVERIFY(IsComponent(hint));
    }
    void goesWithItsOwner()
    {
        QPointer<TQXHintWindow> watched = hint;
        hint = nullptr;
        delete owner;
        owner = nullptr;
        QVERIFY(watched.isNull());
    }
    void exceptionInPaintIsHandled()
    {
        // A hostile subclass whose painting raises: the exception must reach the application handler,
        // not Qt's event loop.
        class ThrowingHint : public TQXHintWindow
        {
        public:
            using TQXHintWindow::TQXHintWindow;

        protected:
            void paintEvent(QPaintEvent *) override { throw EAbort(); }
        };
        int handled = 0;
        const TExceptionHandler previous = SetExceptionHandler([&](std::exception_ptr) { ++handled; });
        auto *throwing = Create<ThrowingHint>(owner);
        throwing->ActivateHint(QPoint(5, 5), QStringLiteral("boom"));
        const bool exposed = QTest::qWaitForWindowExposed(throwing);
        throwing->repaint();
        SetExceptionHandler(previous);
        Free(throwing);
        QVERIFY(exposed);
        QVERIFY(handled > 0);
    }
};

QTEST_MAIN(tst_HintWindow)
#include "tst_hintwindow.moc"
