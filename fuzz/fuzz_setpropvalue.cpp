// Feeds arbitrary text to SetPropValue for every kind of property a test object publishes. Any exception
// of the library's family is an accepted answer to bad text; a crash, a sanitizer report or any other
// exception is a finding.
#include <QXInspector/Exceptions.h>
#include <QXInspector/Graphics.h>
#include <QXInspector/TypeInfo.h>

#include <QColor>
#include <QCoreApplication>
#include <QCursor>
#include <QDate>
#include <QDateTime>
#include <QFont>
#include <QGuiApplication>
#include <QStringList>
#include <QTime>
#include <QVariant>

#include <cstdint>
#include <cstdlib>

class Target : public QObject
{
    Q_OBJECT
public:
    enum Mode { Off, On, Auto };
    Q_ENUM(Mode)
    enum Option { First = 1, Second = 2, Third = 4, Sixteenth = 0x8000 };
    Q_DECLARE_FLAGS(Options, Option)
    Q_FLAG(Options)

    Q_PROPERTY(int Integer MEMBER integer)
    Q_PROPERTY(char Character MEMBER character)
    Q_PROPERTY(QChar Wide MEMBER wide)
    Q_PROPERTY(bool Flag MEMBER flag)
    Q_PROPERTY(Mode Choice MEMBER choice)
    Q_PROPERTY(Options Set READ Set WRITE SetSet)
    Q_PROPERTY(double Real MEMBER real)
    Q_PROPERTY(float Single MEMBER single)
    Q_PROPERTY(QDate Day MEMBER day)
    Q_PROPERTY(QTime Time MEMBER time)
    Q_PROPERTY(QDateTime Moment MEMBER moment)
    Q_PROPERTY(QString Text MEMBER text)
    Q_PROPERTY(QByteArray Bytes MEMBER bytes)
    Q_PROPERTY(qint64 Big MEMBER big)
    Q_PROPERTY(QVariant Anything MEMBER anything)
    Q_PROPERTY(QColor Colour MEMBER colour)
    Q_PROPERTY(QCursor Cursor MEMBER cursor)
    Q_PROPERTY(QFont Font MEMBER font)
    Q_PROPERTY(QStringList Lines MEMBER lines)
    Q_PROPERTY(QObject *Child MEMBER child)

    Options Set() const { return set; }
    void SetSet(Options value) { set = value; }

    int integer = 0;
    char character = 'a';
    QChar wide = u'w';
    bool flag = false;
    Mode choice = Off;
    Options set;
    double real = 0;
    float single = 0;
    QDate day;
    QTime time;
    QDateTime moment;
    QString text;
    QByteArray bytes;
    qint64 big = 0;
    QVariant anything;
    QColor colour;
    QCursor cursor;
    QFont font;
    QStringList lines;
    QObject *child = nullptr;
};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = { name, nullptr };
    static QGuiApplication *app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QGuiApplication(argc, argv);
    }();
    Q_UNUSED(app);
    static Target target;
    static const QXPlatform::TPropList properties
        = QXPlatform::GetPropList(&target, QXPlatform::tkAny, false);
    if (size == 0 || properties.isEmpty())
        return 0;
    // The first byte picks the property, the rest is the text (invalid UTF-8 included).
    const auto &property = properties.at(data[0] % properties.size());
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    try {
        QXPlatform::SetPropValue(&target, property.Name, QVariant(text));
        (void)QXPlatform::GetPropValue(&target, property.Name, true);
    } catch (const QXPlatform::Exception &) {
        // Bad text is answered with one of ours: that is the contract.
    }
    return 0;
}

#include "fuzz_setpropvalue.moc"
