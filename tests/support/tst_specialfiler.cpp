// Tests of TGSpecialFiler (src/support/GSpecialFiler.*): collections of mixed item classes in a stream.
#include "QXTestSupport.h"

#include <QXInspector/ClassRegistry.h>
#include <QXInspector/Collection.h>
#include <QXInspector/Component.h>
#include <QXInspector/GSpecialFiler.h>
#include <QXInspector/Streaming.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

using namespace QXPlatform;

class Rule : public TCollectionItem
{
    Q_OBJECT
    Q_PROPERTY(QString Name MEMBER Name)
public:
    Q_INVOKABLE explicit Rule(QXPlatform::TCollection *Collection)
        : TCollectionItem(Collection)
    { }
    QString Name;
};

class ColourRule : public Rule
{
    Q_OBJECT
    Q_PROPERTY(int Colour MEMBER Colour)
public:
    Q_INVOKABLE explicit ColourRule(QXPlatform::TCollection *Collection)
        : Rule(Collection)
    { }
    int Colour = 0;
};

class UnregisteredRule : public Rule
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit UnregisteredRule(QXPlatform::TCollection *Collection)
        : Rule(Collection)
    { }
};

class Stranger : public TCollectionItem
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit Stranger(QXPlatform::TCollection *Collection)
        : TCollectionItem(Collection)
    { }
};

/// Keeps its rules as a defined property, written with their classes.
class RuleHolder : public QObject, public TComponent
{
    Q_OBJECT
public:
    RuleHolder()
        : TComponent(this, nullptr)
    { }
    ~RuleHolder() override { Free(m_rules); }
    TCollection *Rules() const { return m_rules; }
    void DefineProperties(TFiler *Filer) override
    {
        Filer->DefineProperty(
            QStringLiteral("Rules"),
            [this](TReader *Reader) { TGSpecialFiler(Reader).ReadCollection(m_rules); },
            [this](TWriter *Writer) { TGSpecialFiler(Writer).WriteCollection(m_rules); },
            m_rules->Count() > 0);
    }

private:
    TOwnedCollection *m_rules = Create<TOwnedCollection>(this, &Rule::staticMetaObject);
};

class tst_SpecialFiler : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        RegisterClasses(
            { &Rule::staticMetaObject, &ColourRule::staticMetaObject, &Stranger::staticMetaObject });
    }
    void cleanupTestCase()
    {
        UnRegisterClasses(
            { &Rule::staticMetaObject, &ColourRule::staticMetaObject, &Stranger::staticMetaObject });
    }

    void itemsComeBackAsTheirOwnClasses()
    {
        RuleHolder source;
        static_cast<Rule *>(source.Rules()->Add())->Name = QStringLiteral("plain");
        auto *colour = static_cast<ColourRule *>(CreateDetachedItem(&ColourRule::staticMetaObject));
        colour->SetCollection(source.Rules());
        colour->Name = QStringLiteral("green");
        colour->Colour = 0x008000;

        RuleHolder target;
        target.Rules()->Add();
        ReadComponent(&target, WriteComponent(&source));
        QCOMPARE(target.Rules()->Count(), 2);
        QCOMPARE(target.Rules()->Items(0)->metaObject(), &Rule::staticMetaObject);
        auto *read = qobject_cast<ColourRule *>(target.Rules()->Items(1));
        QVERIFY(read);
        QCOMPARE(read->Name, QStringLiteral("green"));
        QCOMPARE(read->Colour, 0x008000);
    }

    void onlyRegisteredDescendantsAreCreated_data()
    {
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("message");
        // Whether the document is refused before anything is applied (a class that is not registered),
        // or only when the collection is read (the item class is known to the collection alone).
        QTest::addColumn<bool>("refusedFirst");
        QTest::newRow("not registered") << "UnregisteredRule"
                                        << "class UnregisteredRule is not registered" << true;
        QTest::newRow("no descendant") << "Stranger"
                                       << "a Stranger cannot be an item of a collection of Rule" << false;
        QTest::newRow("none") << ""
                              << "class  is not registered" << true;
    }
    void onlyRegisteredDescendantsAreCreated()
    {
        QFETCH(QString, className);
        QFETCH(QString, message);
        QFETCH(bool, refusedFirst);
        RuleHolder source;
        source.setObjectName(QStringLiteral("Written"));
        source.Rules()->Add();
        source.Rules()->Add();
        QJsonObject document = QJsonDocument::fromJson(WriteComponent(&source)).object();
        QJsonObject defined = document.value(QStringLiteral("@defined")).toObject();
        QJsonObject collection = defined.value(QStringLiteral("Rules")).toArray().first().toObject();
        QJsonArray items = collection.value(QStringLiteral("collection")).toArray();
        QJsonObject item = items.at(1).toObject();
        item.insert(QStringLiteral("@class"), className);
        items.replace(1, item);
        collection.insert(QStringLiteral("collection"), items);
        defined.insert(QStringLiteral("Rules"), QJsonArray { collection });
        document.insert(QStringLiteral("@defined"), defined);

        RuleHolder target;
        target.setObjectName(QStringLiteral("Kept"));
        static_cast<Rule *>(target.Rules()->Add())->Name = QStringLiteral("kept");
        const QString error = QXTest::raisedMessage<EReadError>(
            [&] { ReadComponent(&target, QJsonDocument(document).toJson()); });
        QVERIFY2(error.contains(message), qPrintable(error));
        QVERIFY2(error.contains(QStringLiteral(".Rules[1]")), qPrintable(error));
        if (refusedFirst)
            QCOMPARE(target.objectName(), QStringLiteral("Kept"));
        QCOMPARE(target.Rules()->Count(), 1);
        QCOMPARE(static_cast<Rule *>(target.Rules()->Items(0))->Name, QStringLiteral("kept"));
    }
};

QTEST_MAIN(tst_SpecialFiler)
#include "tst_specialfiler.moc"
