// libFuzzer target: reads arbitrary bytes as a settings document into a component that publishes every
// kind, has a font, a string list, a collection and a defined property, and is then written again. The
// reader must refuse what it cannot take with EReadError and never crash or leak; whatever it accepted
// must write again.
#include <QXInspector/ClassRegistry.h>
#include <QXInspector/Collection.h>
#include <QXInspector/Component.h>
#include <QXInspector/Graphics.h>
#include <QXInspector/Streaming.h>
#include <QXInspector/StringList.h>

#include <QCoreApplication>
#include <QVariant>

using namespace QXPlatform;

class FuzzItem : public TCollectionItem
{
    Q_OBJECT
    Q_PROPERTY(QString Title MEMBER Title)
    Q_PROPERTY(double Weight MEMBER Weight)
public:
    Q_INVOKABLE explicit FuzzItem(QXPlatform::TCollection *Collection)
        : TCollectionItem(Collection)
    { }
    QString Title;
    double Weight = 0;
};

class FuzzSample : public QObject, public TComponent
{
    Q_OBJECT
public:
    enum TMode { mdOff, mdOn, mdAuto };
    Q_ENUM(TMode)
    enum TFlag { fgA = 1, fgB = 2, fgC = 4 };
    Q_DECLARE_FLAGS(TFlags, TFlag)
    Q_FLAG(TFlags)

private:
    Q_PROPERTY(TMode Mode MEMBER Mode)
    Q_PROPERTY(TFlags Flags READ GetFlags WRITE SetFlags)
    Q_PROPERTY(bool On MEMBER On)
    Q_PROPERTY(int Count MEMBER Count)
    Q_PROPERTY(qint64 Big MEMBER Big)
    Q_PROPERTY(double Ratio MEMBER Ratio)
    Q_PROPERTY(QString Caption MEMBER Caption)
    Q_PROPERTY(QVariant Any MEMBER Any)
    Q_PROPERTY(QXPlatform::TFont *Font READ Font)
    Q_PROPERTY(QXPlatform::TStrings *Lines READ Lines)
    Q_PROPERTY(QXPlatform::TCollection *Items READ Items)
    Q_PROPERTY(QObject *Buddy MEMBER Buddy)

public:
    FuzzSample()
        : TComponent(this, nullptr)
    { }
    ~FuzzSample() override
    {
        Free(m_items);
        Free(m_lines);
        Free(m_font);
    }
    TFlags GetFlags() const { return Flags; }
    void SetFlags(TFlags Value) { Flags = Value; }
    TFont *Font() const { return m_font; }
    TStrings *Lines() const { return m_lines; }
    TCollection *Items() const { return m_items; }
    void DefineProperties(TFiler *Filer) override
    {
        Filer->DefineProperty(
            QStringLiteral("Extra"),
            [this](TReader *Reader) {
                Extra.clear();
                while (!Reader->EndOfList()) {
                    if (Reader->NextValue() == vaCollection)
                        Reader->ReadCollection(m_items, true);
                    else if (Reader->NextValue() == vaList)
                        Reader->SkipValue();
                    else
                        Extra.append(Reader->ReadVariant());
                }
            },
            [this](TWriter *Writer) {
                for (const QVariant &value : std::as_const(Extra))
                    Writer->WriteVariant(value);
            },
            !Extra.isEmpty());
    }

    TMode Mode = mdOff;
    TFlags Flags;
    bool On = false;
    int Count = 0;
    qint64 Big = 0;
    double Ratio = 0;
    QString Caption;
    QVariant Any;
    QObject *Buddy = nullptr;
    QVariantList Extra;

private:
    TFont *m_font = Create<TFont>();
    TStringList *m_lines = Create<TStringList>();
    TOwnedCollection *m_items = Create<TOwnedCollection>(this, &FuzzItem::staticMetaObject);
};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_readcomponent";
    static char *argv[] = { name, nullptr };
    static QCoreApplication app(argc, argv);
    static const bool registered = [] {
        RegisterClass(&FuzzItem::staticMetaObject);
        return true;
    }();
    Q_UNUSED(registered);

    FuzzSample sample;
    sample.setObjectName(QStringLiteral("Sample"));
    try {
        ReadComponent(&sample, QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    } catch (const EReadError &) {
        return 0;
    } catch (const Exception &) {
        // Anything the reader lets through must be its own refusal.
        __builtin_trap();
    }
    (void)WriteComponent(&sample);
    return 0;
}

#include "fuzz_readcomponent.moc"
