// Value adapters: a value-type property opened as an object whose properties write the value back.
#include <QXInspector/Component.h>
#include <QXInspector/TypeInfo.h>
#include <QXInspector/ValueAdapters.h>

#include <QKeySequence>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <QUrl>

using namespace QXPlatform;

namespace {
class Holder : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QStringList Lines MEMBER lines)
    Q_PROPERTY(QMargins Margins MEMBER margins)
public:
    QStringList lines { QStringLiteral("a"), QStringLiteral("b") };
    QMargins margins { 1, 2, 3, 4 };
};
} // namespace

class tst_ValueAdapters : public QObject
{
    Q_OBJECT

private slots:
    void fontAdapterIsStableAndWritesBack()
    {
        QPushButton button;
        QObject *adapter = GetObjectProp(&button, QStringLiteral("font"));
        QVERIFY(adapter);
        QCOMPARE(GetObjectProp(&button, QStringLiteral("font")), adapter); // the same object every time
        QVERIFY(!IsComponent(adapter));
        SetOrdProp(adapter, QStringLiteral("Size"), 21);
        QCOMPARE(button.font().pointSize(), 21);
        SetPropValue(adapter, QStringLiteral("Style"), QStringLiteral("[fsBold,fsItalic]"));
        QVERIFY(button.font().bold());
        QVERIFY(button.font().italic());
        QCOMPARE(GetSetProp(adapter, QStringLiteral("Style"), true), QStringLiteral("[fsBold,fsItalic]"));
        SetOrdProp(adapter, QStringLiteral("Color"), clRed);
        QCOMPARE(button.palette().color(button.foregroundRole()), QColor(255, 0, 0));
        QCOMPARE(PropTypeName(adapter, QStringLiteral("Style")), QStringLiteral("TFontStyles"));
    }
    void geometryAdaptersWriteTheWholeValue()
    {
        QPushButton button;
        button.setGeometry(10, 20, 100, 30);
        QObject *geometry = GetObjectProp(&button, QStringLiteral("geometry"));
        QCOMPARE(GetOrdProp(geometry, QStringLiteral("Width")), 100);
        SetOrdProp(geometry, QStringLiteral("Left"), 15);
        QCOMPARE(button.geometry(), QRect(15, 20, 100, 30));
        QObject *minimum = GetObjectProp(&button, QStringLiteral("minimumSize"));
        SetOrdProp(minimum, QStringLiteral("Height"), 12);
        QCOMPARE(button.minimumSize().height(), 12);
        Holder holder;
        QObject *margins = GetObjectProp(&holder, QStringLiteral("Margins"));
        QVERIFY(margins);
        SetOrdProp(margins, QStringLiteral("Bottom"), 9);
        QCOMPARE(holder.margins, QMargins(1, 2, 3, 9));
    }
    void stringListAdapterFollowsAndWritesBack()
    {
        Holder holder;
        auto *lines = qobject_cast<TStrings *>(GetObjectProp(&holder, QStringLiteral("Lines")));
        QVERIFY(lines);
        QCOMPARE(lines->ToStringList(), holder.lines);
        lines->Add(QStringLiteral("c"));
        QCOMPARE(holder.lines, QStringList({ "a", "b", "c" }));
        holder.lines = { QStringLiteral("x") };
        QCOMPARE(GetObjectProp(&holder, QStringLiteral("Lines")), lines); // reloaded, same object
        QCOMPARE(lines->ToStringList(), QStringList({ "x" }));
    }
    void sizePolicyAndPictureAdapters()
    {
        QPushButton button;
        QObject *policy = GetObjectProp(&button, QStringLiteral("sizePolicy"));
        QVERIFY(policy);
        SetPropValue(policy, QStringLiteral("VerticalPolicy"), QStringLiteral("Expanding"));
        QCOMPARE(button.sizePolicy().verticalPolicy(), QSizePolicy::Expanding);
        SetOrdProp(policy, QStringLiteral("HorizontalStretch"), 3);
        QCOMPARE(button.sizePolicy().horizontalStretch(), 3);
        auto *icon = qobject_cast<TPicture *>(GetObjectProp(&button, QStringLiteral("icon")));
        QVERIFY(icon);
        QVERIFY(icon->IsEmpty());
        QPixmap red(8, 8);
        red.fill(Qt::red);
        icon->SetPixmap(red);
        QVERIFY(!button.icon().isNull());
        QCOMPARE(PropTypeName(&button, QStringLiteral("icon")), QStringLiteral("TPicture"));
    }
    void valueSummaries_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("summary");
        QTest::newRow("rect") << QVariant(QRect(10, 20, 120, 30)) << "[(10, 20), 120 x 30]";
        QTest::newRow("rectF") << QVariant(QRectF(0.5, 2, 3.25, 4)) << "[(0.5, 2), 3.25 x 4]";
        QTest::newRow("size") << QVariant(QSize(120, 30)) << "120 x 30";
        QTest::newRow("largest size") << QVariant(QSize(16777215, 16777215)) << "16777215 x 16777215";
        QTest::newRow("sizeF") << QVariant(QSizeF(1.5, 2)) << "1.5 x 2";
        QTest::newRow("point") << QVariant(QPoint(10, -20)) << "(10, -20)";
        QTest::newRow("pointF") << QVariant(QPointF(0.25, 1)) << "(0.25, 1)";
        QTest::newRow("margins") << QVariant::fromValue(QMargins(1, 2, 3, 4)) << "[1, 2, 3, 4]";
        QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        policy.setHorizontalStretch(2);
        QTest::newRow("size policy") << QVariant::fromValue(policy) << "[Preferred, Fixed, 2, 0]";
        QTest::newRow("key sequence") << QVariant::fromValue(QKeySequence(Qt::CTRL | Qt::Key_S)) << "Ctrl+S";
        QTest::newRow("locale") << QVariant(QLocale(QLocale::German, QLocale::Austria)) << "German, Austria";
        QTest::newRow("url") << QVariant(QUrl(QStringLiteral("https://example.org/a?b=1")))
                             << "https://example.org/a?b=1";
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPointSize(9);
        QTest::newRow("font") << QVariant(font) << "[DejaVu Sans, 9]";
        QTest::newRow("integer: none") << QVariant(3) << QString();
    }
    void valueSummaries()
    {
        QFETCH(QVariant, value);
        QFETCH(QString, summary);
        QCOMPARE(ValueSummary(value, true), summary);
        // Fonts are summed up only when asked for.
        if (value.metaType().id() == QMetaType::QFont)
            QVERIFY(ValueSummary(value, false).isNull());
    }

    void adaptersGoWithTheirObject()
    {
        auto *button = new QPushButton;
        QPointer<QObject> adapter = GetObjectProp(button, QStringLiteral("font"));
        QVERIFY(adapter);
        delete button;
        QVERIFY(adapter.isNull());
        QPushButton other; // a new object at a possibly reused address gets a fresh adapter
        QObject *fresh = GetObjectProp(&other, QStringLiteral("font"));
        QVERIFY(fresh);
        SetOrdProp(fresh, QStringLiteral("Size"), 13);
        QCOMPARE(other.font().pointSize(), 13);
    }
};

QTEST_MAIN(tst_ValueAdapters)
#include "tst_valueadapters.moc"
