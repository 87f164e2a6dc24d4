// Tests of the component stream (src/platform/Streaming.*): what is written, what comes back, and that a
// document the reader cannot take leaves the component exactly as it was.
#include "QXTestSupport.h"

#include <QXInspector/ClassRegistry.h>
#include <QXInspector/Collection.h>
#include <QXInspector/Component.h>
#include <QXInspector/Events.h>
#include <QXInspector/Graphics.h>
#include <QXInspector/Streaming.h>
#include <QXInspector/StringList.h>
#include <QXInspector/TypeInfo.h>

#include <QBuffer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <limits>

using namespace QXPlatform;

class StreamItem : public TCollectionItem
{
    Q_OBJECT
    Q_PROPERTY(QString Title MEMBER Title)
    Q_PROPERTY(int Count MEMBER Count)
    QX_DEFAULT(Count, "0")
public:
    Q_INVOKABLE explicit StreamItem(QXPlatform::TCollection *Collection)
        : TCollectionItem(Collection)
    { }
    QString Title;
    int Count = 0;
};

/// Publishes one stored property of each kind the stream writes, one that is not stored, an event, and a
/// defined property holding a list of values.
class StreamSample : public QObject, public TComponent
{
    Q_OBJECT
public:
    enum TShape { shCircle, shSquare, shTriangle };
    Q_ENUM(TShape)
    enum TSide { sdLeft = 0x1, sdTop = 0x2, sdRight = 0x4 };
    Q_DECLARE_FLAGS(TSides, TSide)
    Q_FLAG(TSides)

private:
    Q_PROPERTY(TShape Shape MEMBER Shape)
    Q_PROPERTY(TSides Sides READ GetSides WRITE SetSides)
    Q_PROPERTY(bool Flag MEMBER Flag)
    Q_PROPERTY(int Count MEMBER Count)
    Q_PROPERTY(qint64 Big MEMBER Big)
    Q_PROPERTY(double Ratio MEMBER Ratio)
    Q_PROPERTY(QString Caption MEMBER Caption)
    Q_PROPERTY(QVariant Any MEMBER Any)
    Q_PROPERTY(QXPlatform::TFont *Font READ Font WRITE SetFont)
    Q_PROPERTY(QXPlatform::TStrings *Lines READ Lines WRITE SetLines)
    Q_PROPERTY(QXPlatform::TCollection *Items READ Items)
    Q_PROPERTY(QObject *Buddy MEMBER Buddy)
    Q_PROPERTY(int Scratch MEMBER Scratch STORED false)
    Q_PROPERTY(QXPlatform::TNotifyEvent OnClick MEMBER OnClick)
    QX_DEFAULT(Shape, "shCircle")
    QX_DEFAULT(Sides, "[sdLeft]")
    QX_DEFAULT(Flag, "False")
    QX_DEFAULT(Count, "0")
    QX_DEFAULT(Big, "0")
    QX_DEFAULT(Ratio, "0")

public:
    explicit StreamSample(QObject *parent = nullptr)
        : TComponent(this, parent)
    {
        setParent(parent);
    }
    ~StreamSample() override
    {
        Free(m_items);
        Free(m_lines);
        Free(m_font);
    }
    TFont *Font() const { return m_font; }
    void SetFont(TFont *Value) { m_font->Assign(Value); }
    TStrings *Lines() const { return m_lines; }
    void SetLines(TStrings *Value) { m_lines->Assign(Value); }
    TCollection *Items() const { return m_items; }
    TSides GetSides() const { return Sides; }
    void SetSides(TSides Value) { Sides = Value; }

    void DefineProperties(TFiler *Filer) override
    {
        Filer->DefineProperty(
            QStringLiteral("Extra"),
            [this](TReader *Reader) {
                QVariantList values;
                Reader->ReadListBegin();
                while (!Reader->EndOfList())
                    values.append(Reader->ReadVariant());
                Reader->ReadListEnd();
                if (!Reader->Checking())
                    Extra = values;
            },
            [this](TWriter *Writer) {
                Writer->WriteListBegin();
                for (const QVariant &value : std::as_const(Extra))
                    Writer->WriteVariant(value);
                Writer->WriteListEnd();
            },
            !Extra.isEmpty());
    }
    void Loaded() override
    {
        TComponent::Loaded();
        ++loadedCount;
        if (refuseLoaded)
            throw Exception(QStringLiteral("not ready"));
    }

    TShape Shape = shCircle;
    TSides Sides = sdLeft;
    bool Flag = false;
    int Count = 0;
    qint64 Big = 0;
    double Ratio = 0;
    QString Caption;
    QVariant Any;
    QObject *Buddy = nullptr;
    int Scratch = 0;
    TNotifyEvent OnClick;
    QVariantList Extra;
    int loadedCount = 0;
    bool refuseLoaded = false;

private:
    TFont *m_font = Create<TFont>();
    TStringList *m_lines = Create<TStringList>();
    TOwnedCollection *m_items = Create<TOwnedCollection>(this, &StreamItem::staticMetaObject);
};

/// A sample whose last property refuses negative values: the refusal comes only when the document is
/// applied, after the properties before it were set.
class PickySample : public StreamSample
{
    Q_OBJECT
    Q_PROPERTY(int Picky READ GetPicky WRITE SetPicky)
public:
    int GetPicky() const { return m_picky; }
    void SetPicky(int Value)
    {
        if (Value < 0)
            throw Exception(QStringLiteral("no negative values"));
        m_picky = Value;
    }

private:
    int m_picky = 0;
};

namespace {

QJsonObject parsed(const QByteArray &data)
{
    return QJsonDocument::fromJson(data).object();
}

/// A sample with a value of its own in every stored property.
void fill(StreamSample &sample, QObject *buddy)
{
    sample.setObjectName(QStringLiteral("Sample"));
    sample.Shape = StreamSample::shTriangle;
    sample.Sides = StreamSample::TSides(StreamSample::sdTop) | StreamSample::sdRight;
    sample.Flag = true;
    sample.Count = -7;
    sample.Big = std::numeric_limits<qint64>::max();
    sample.Ratio = 0.1 + 0.2;
    sample.Caption = QStringLiteral("Größe \"1\"\nzwei");
    sample.Any = 42;
    sample.Font()->SetName(QStringLiteral("Courier"));
    sample.Font()->SetSize(13);
    sample.Lines()->Add(QStringLiteral("first"));
    sample.Lines()->Add(QStringLiteral("second=2"));
    auto *item = static_cast<StreamItem *>(sample.Items()->Add());
    item->Title = QStringLiteral("one");
    item->Count = 3;
    static_cast<StreamItem *>(sample.Items()->Add())->Title = QStringLiteral("two");
    sample.Buddy = buddy;
    sample.Scratch = 99;
    sample.OnClick = [](QObject *) {};
    sample.Extra = { 5, QStringLiteral("text"), 2.5, true };
}

} // namespace

class tst_Streaming : public QObject
{
    Q_OBJECT

private slots:
    void everyKindComesBackAndDefaultsAreLeftOut()
    {
        QObject form;
        QObject buddy(&form);
        buddy.setObjectName(QStringLiteral("Buddy1"));
        StreamSample source(&form);
        fill(source, &buddy);

        const QByteArray data = WriteComponent(&source);
        const QJsonObject document = parsed(data);
        QCOMPARE(document.value(QStringLiteral("@version")).toInt(), StreamFormatVersion);
        QCOMPARE(document.value(QStringLiteral("Big")).toString(), QStringLiteral("9223372036854775807"));
        QCOMPARE(document.value(QStringLiteral("Shape")).toString(), QStringLiteral("shTriangle"));
        QCOMPARE(document.value(QStringLiteral("Sides")).toArray(), QJsonArray({ "sdTop", "sdRight" }));
        QVERIFY(!document.contains(QStringLiteral("Scratch"))); // not stored
        QVERIFY(!document.contains(QStringLiteral("OnClick"))); // events have no stored form

        StreamSample target(&form);
        target.Scratch = 5;
        ReadComponent(&target, data);
        QCOMPARE(target.objectName(), QStringLiteral("Sample"));
        QCOMPARE(target.Shape, StreamSample::shTriangle);
        QCOMPARE(target.Sides, source.Sides);
        QCOMPARE(target.Flag, true);
        QCOMPARE(target.Count, -7);
        QCOMPARE(target.Big, std::numeric_limits<qint64>::max());
        QCOMPARE(target.Ratio, 0.1 + 0.2); // exactly
        QCOMPARE(target.Caption, source.Caption);
        QCOMPARE(target.Any, QVariant(42));
        QCOMPARE(target.Font()->Name(), QStringLiteral("Courier"));
        QCOMPARE(target.Font()->Size(), 13);
        QCOMPARE(target.Lines()->Text(), source.Lines()->Text());
        QCOMPARE(target.Items()->Count(), 2);
        QCOMPARE(static_cast<StreamItem *>(target.Items()->Items(0))->Count, 3);
        QCOMPARE(static_cast<StreamItem *>(target.Items()->Items(1))->Title, QStringLiteral("two"));
        QCOMPARE(target.Buddy, &buddy);
        QCOMPARE(target.Scratch, 5);
        QCOMPARE(target.Extra, source.Extra);
        QCOMPARE(target.loadedCount, 1);
        QVERIFY(!(target.ComponentState() & csLoading));

        // Written again, the copy gives the same document: nothing was lost or added on the way.
        QCOMPARE(WriteComponent(&target), data);

        StreamSample plain;
        const QJsonObject defaults = parsed(WriteComponent(&plain));
        QCOMPARE(defaults.keys(),
                 QStringList({ "@class", "@format", "@version", "Any", "Caption", "Font", "Items" }));
    }

    void writerStepsServeDescendantWriters()
    {
        // A writer that leaves out the ratio and writes texts in capitals, within sub-objects too.
        class ShoutingWriter : public TWriter
        {
        public:
            using TWriter::TWriter;

        protected:
            bool IsWrittenProperty(const QObject *Instance, const TPropInfo &Info) const override
            {
                return Info.Name != QLatin1String("Ratio") && TWriter::IsWrittenProperty(Instance, Info);
            }
            QJsonValue WriteProperty(const QObject *Instance, const TPropInfo &Info) override
            {
                const QJsonValue value = TWriter::WriteProperty(Instance, Info);
                return Info.Property.metaType().id() == QMetaType::QString
                    ? QJsonValue(value.toString().toUpper())
                    : value;
            }
        };
        QObject form;
        StreamSample source(&form);
        fill(source, nullptr);
        ShoutingWriter writer(&source);
        const QJsonObject node = writer.WriteObject(&source);
        QVERIFY(node.contains(QStringLiteral("Count")));
        QVERIFY(!node.contains(QStringLiteral("Ratio")));
        QCOMPARE(node.value(QStringLiteral("Caption")).toString(), source.Caption.toUpper());
        const QJsonArray items = node.value(QStringLiteral("Items")).toArray();
        QCOMPARE(items.at(0).toObject().value(QStringLiteral("Title")).toString(), QStringLiteral("ONE"));
    }

    void numbersKeepEveryBit_data()
    {
        QTest::addColumn<qint64>("big");
        QTest::addColumn<double>("ratio");
        QTest::newRow("largest exact double") << (qint64(1) << 53) << 1e308;
        QTest::newRow("one past it") << (qint64(1) << 53) + 1 << 5e-324;
        QTest::newRow("smallest") << std::numeric_limits<qint64>::min() << -0.1;
        QTest::newRow("infinite") << qint64(-1) << std::numeric_limits<double>::infinity();
        QTest::newRow("negative infinite") << qint64(1) << -std::numeric_limits<double>::infinity();
        QTest::newRow("not a number") << qint64(2) << std::numeric_limits<double>::quiet_NaN();
    }
    void numbersKeepEveryBit()
    {
        QFETCH(qint64, big);
        QFETCH(double, ratio);
        StreamSample source;
        source.Big = big;
        source.Ratio = ratio;
        source.Extra = { QVariant(big), QVariant(ratio) };
        for (TStreamFormat format : { sfJson, sfCbor }) {
            StreamSample target;
            ReadComponent(&target, WriteComponent(&source, format));
            QCOMPARE(target.Big, big);
            QVERIFY(std::isnan(ratio) ? std::isnan(target.Ratio) : target.Ratio == ratio);
            QCOMPARE(target.Extra.value(0).toLongLong(), big);
            const double extra = target.Extra.value(1).toDouble();
            QVERIFY(std::isnan(ratio) ? std::isnan(extra) : extra == ratio);
        }
    }

    void referencesResolveAfterTheWholeDocument()
    {
        // The referenced component is named by the document itself, and read after the reference.
        QObject form;
        StreamSample source(&form);
        source.setObjectName(QStringLiteral("Self"));
        source.Buddy = &source;
        const QByteArray data = WriteComponent(&source);

        StreamSample target(&form);
        target.setObjectName(QStringLiteral("Other"));
        ReadComponent(&target, data);
        QCOMPARE(target.Buddy, &target);

        // null clears a reference
        QJsonObject document = parsed(data);
        document.insert(QStringLiteral("Buddy"), QJsonValue::Null);
        ReadComponent(&target, QJsonDocument(document).toJson());
        QCOMPARE(target.Buddy, nullptr);
    }

    void definedValuesReadByKind()
    {
        // The peek tells each kind apart, and a list is entered by ReadValue.
        class Kinds : public StreamSample
        {
        public:
            QList<TValueType> seen;
            void DefineProperties(TFiler *Filer) override
            {
                Filer->DefineProperty(
                    QStringLiteral("Kinds"),
                    [this](TReader *Reader) {
                        QCOMPARE(Reader->ReadValue(), vaList);
                        QList<TValueType> kinds;
                        while (!Reader->EndOfList()) {
                            kinds.append(Reader->NextValue());
                            Reader->SkipValue();
                        }
                        Reader->ReadListEnd();
                        if (!Reader->Checking())
                            seen = kinds;
                    },
                    [](TWriter *Writer) {
                        Writer->WriteListBegin();
                        Writer->WriteInteger(1);
                        Writer->WriteInteger(qint64(1) << 40);
                        Writer->WriteInteger(std::numeric_limits<qint64>::max());
                        Writer->WriteFloat(1.0);
                        Writer->WriteString(QStringLiteral("s"));
                        Writer->WriteIdent(QStringLiteral("alClient"));
                        Writer->WriteBoolean(false);
                        Writer->WriteBoolean(true);
                        Writer->WriteSet({ QStringLiteral("a") });
                        Writer->WriteVariant(QVariant());
                        Writer->WriteBinary(QByteArray("\0\1", 2));
                        Writer->WriteListBegin();
                        Writer->WriteListEnd();
                        Writer->WriteListEnd();
                    },
                    true);
            }
        };
        Kinds source;
        Kinds target;
        ReadComponent(&target, WriteComponent(&source));
        QCOMPARE(target.seen,
                 QList<TValueType>({ vaInteger, vaInt64, vaInt64, vaDouble, vaString, vaIdent, vaFalse,
                                     vaTrue, vaSet, vaNil, vaBinary, vaList }));
    }

    void badDocumentsLeaveTheComponentAsItWas_data()
    {
        QTest::addColumn<QByteArray>("edit");
        QTest::addColumn<QString>("message");
        // Each row is a change made to a good document: "key=json" sets a key, "!text" replaces all.
        QTest::newRow("not JSON") << QByteArray("!{\"Count\": ") << "Error reading Sample: ";
        QTest::newRow("truncated") << QByteArray("!truncate") << "Error reading Sample: ";
        QTest::newRow("not CBOR either") << QByteArray("!\x01\x02") << "Error reading Sample: ";
        QTest::newRow("no format") << QByteArray("@format=\"other\"") << "not a settings document";
        QTest::newRow("newer version") << QByteArray("@version=2") << "unsupported format version 2";
        QTest::newRow("other class") << QByteArray("@class=\"TFont\"") << "holds a TFont, not a StreamSample";
        QTest::newRow("unknown property")
            << QByteArray("Colour=1") << "Sample.Colour: property Colour does not exist";
        QTest::newRow("text for an integer") << QByteArray("Count=\"x\"") << "Sample.Count: invalid value";
        QTest::newRow("fraction for an integer") << QByteArray("Count=1.5") << "Sample.Count: invalid value";
        QTest::newRow("integer out of range")
            << QByteArray("Count=4294967296") << "Sample.Count: invalid value";
        QTest::newRow("unknown key") << QByteArray("Shape=\"shOval\"") << "Sample.Shape: invalid value";
        QTest::newRow("unknown member") << QByteArray("Sides=[\"sdUp\"]") << "Sample.Sides";
        QTest::newRow("number for a Boolean") << QByteArray("Flag=1") << "Sample.Flag: invalid value";
        QTest::newRow("bad sub-object value") << QByteArray("Font={\"Size\":\"big\"}") << "Sample.Font.Size";
        QTest::newRow("bad item, good ones before")
            << QByteArray("Items=[{\"Title\":\"new\"},{\"Count\":\"x\"}]") << "Sample.Items[1].Count";
        QTest::newRow("item of a class")
            << QByteArray("Items=[{\"@class\":\"StreamItem\"}]") << "Sample.Items[0]";
        QTest::newRow("no such component") << QByteArray("Buddy=\"Nobody\"") << "no component named Nobody";
        QTest::newRow("read-only object") << QByteArray("Items=\"Sample\"") << "Sample.Items";
        QTest::newRow("unknown defined property")
            << QByteArray("@defined={\"Other\":[]}") << "defines no property Other";
        QTest::newRow("too deep") << QByteArray("!deep") << "deeper than 64 levels";
    }
    void badDocumentsLeaveTheComponentAsItWas()
    {
        QFETCH(QByteArray, edit);
        QFETCH(QString, message);
        QObject form;
        StreamSample sample(&form);
        fill(sample, nullptr);
        const QByteArray before = WriteComponent(&sample);

        StreamSample other;
        other.setObjectName(QStringLiteral("Sample"));
        other.Count = 12;
        other.Items()->Add();
        QJsonObject document = parsed(WriteComponent(&other));
        QByteArray data;
        if (edit == "!truncate") {
            data = QJsonDocument(document).toJson().left(40);
        } else if (edit == "!deep") {
            QJsonValue value = QJsonObject();
            for (int i = 0; i < 80; ++i)
                value = QJsonObject { { QStringLiteral("Size"), value } };
            document.insert(QStringLiteral("Font"), value);
            data = QJsonDocument(document).toJson();
        } else if (edit.startsWith('!')) {
            data = edit.mid(1);
        } else {
            const qsizetype split = edit.indexOf('=');
            const QJsonValue value = QJsonDocument::fromJson("[" + edit.mid(split + 1) + "]").array().first();
            document.insert(QString::fromUtf8(edit.left(split)), value);
            data = QJsonDocument(document).toJson();
        }

        const QString error = QXTest::raisedMessage<EReadError>([&] { ReadComponent(&sample, data); });
        QVERIFY2(error.contains(message), qPrintable(error));
        QCOMPARE(WriteComponent(&sample), before);
        QCOMPARE(sample.loadedCount, 0);
        QVERIFY(!(sample.ComponentState() & csLoading));
    }

    void refusingSetterPutsBackWhatWasApplied()
    {
        QObject form;
        PickySample sample;
        sample.setParent(&form);
        fill(sample, nullptr);
        const QList<TCollectionItem *> items = sample.Items()->ItemList();
        const QByteArray before = WriteComponent(&sample);
        QJsonObject document = parsed(before);
        document.insert(QStringLiteral("Count"), 5);
        document.insert(QStringLiteral("Caption"), QStringLiteral("new"));
        document.insert(QStringLiteral("Font"), QJsonObject { { QStringLiteral("Size"), 30 } });
        document.insert(QStringLiteral("Items"),
                        QJsonArray { QJsonObject { { QStringLiteral("Title"), "x" } } });
        document.insert(QStringLiteral("Picky"), -1);

        const QString error = QXTest::raisedMessage<EReadError>(
            [&] { ReadComponent(&sample, QJsonDocument(document).toJson()); });

        QVERIFY2(error.contains(QStringLiteral("Sample.Picky: no negative values")), qPrintable(error));
        QCOMPARE(WriteComponent(&sample), before);
        QCOMPARE(sample.Items()->ItemList(), items); // the same items, not copies
        QVERIFY(!(sample.ComponentState() & csLoading));
    }

    void aFailingLoadedReachesTheCaller()
    {
        StreamSample source;
        source.Count = 3;
        const QByteArray data = WriteComponent(&source);
        StreamSample target;
        target.refuseLoaded = true;
        QVERIFY_THROWS_EXCEPTION(Exception, ReadComponent(&target, data));
        QCOMPARE(target.Count, 3);
        QCOMPARE(target.loadedCount, 1);
        QVERIFY(!(target.ComponentState() & csLoading));
    }
    void filesAndDevices()
    {
        StreamSample source;
        fill(source, nullptr);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("sample.json"));
        WriteComponentFile(path, &source);
        StreamSample target;
        ReadComponentFile(path, &target);
        QCOMPARE(target.Caption, source.Caption);

        QBuffer buffer;
        buffer.open(QIODevice::ReadWrite);
        WriteComponent(&source, &buffer, sfCbor);
        buffer.seek(0);
        StreamSample fromCbor;
        ReadComponent(&fromCbor, &buffer);
        QCOMPARE(fromCbor.Lines()->Text(), source.Lines()->Text());

        const QString missing = QXTest::raisedMessage<EFOpenError>(
            [&] { ReadComponentFile(dir.filePath(QStringLiteral("none.json")), &target); });
        QVERIFY(missing.contains(QStringLiteral("none.json")));
    }
};

QTEST_MAIN(tst_Streaming)
#include "tst_streaming.moc"
