/// \file
/// Component streaming: writing the settings of a component (its stored published properties, its
/// persistent sub-objects, collections and defined properties) to a JSON document, and reading them back.
///
/// Writing leaves out what is not stored and what equals its declared default. Reading parses and checks
/// the whole document, defined properties included, before it changes anything: a document that is not
/// well-formed, too deep, names a class that is not registered or a property that does not exist, or holds
/// a value that does not convert, raises one EReadError naming the property path and leaves the component
/// as it was. A setter that refuses a value while the document is applied puts the component's properties,
/// collections and references back as they were before the error is raised. Only
/// registered classes are ever created from a stream. The format is described in docs/streaming.md.
///
/// Classes store values that are no published properties by overriding TPersistent::DefineProperties and
/// calling DefineProperty(name, reader, writer, hasData) on the filer they are given; the reader and
/// writer procedures use the typed value operations of TReader and TWriter.
#pragma once

#include "Exceptions.h"
#include "QXGlobal.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>

class QIODevice;

namespace QXPlatform {

class TCollection;
class TCollectionItem;
class TReader;
class TWriter;
struct TPropInfo;

QX_DECLARE_EXCEPTION(EFilerError, Exception)
QX_DECLARE_EXCEPTION(EReadError, EFilerError)
QX_DECLARE_EXCEPTION(EWriteError, EFilerError)

/// The kind of the next value in a stream (TReader::NextValue, ReadValue).
enum TValueType {
    vaNull, ///< the end of a list
    vaList,
    vaInteger, ///< fits 32 bits
    vaInt64,
    vaDouble,
    vaString,
    vaIdent,
    vaFalse,
    vaTrue,
    vaSet,
    vaNil,
    vaCollection,
    vaBinary,
};

/// Documents written by this version carry this number; readers accept it and every older one.
inline constexpr int StreamFormatVersion = 1;
/// How deep objects and lists may nest in a document that is read.
inline constexpr int MaxStreamDepth = 64;

/// How a document is written.
enum TStreamFormat {
    sfJson, ///< indented JSON text
    sfCompactJson, ///< JSON text without white space
    sfCbor, ///< the same document as binary CBOR
};

/// What reader and writer have in common: the root being filed, and defined properties.
class QXINSPECTORCORE_EXPORT TFiler
{
public:
    /// Reads a defined property's value from the reader.
    using TReaderProc = std::function<void(TReader *)>;
    /// Writes a defined property's value to the writer.
    using TWriterProc = std::function<void(TWriter *)>;

    virtual ~TFiler();
    Q_DISABLE_COPY_MOVE(TFiler)

    /// Declares a value stored under Name beside the published properties. A writer calls WriteData when
    /// HasData holds; a reader calls ReadData when the stream holds the value.
    virtual void DefineProperty(const QString &Name, const TReaderProc &ReadData,
                                const TWriterProc &WriteData, bool HasData)
        = 0;
    /// The component being written or read.
    QObject *Root() const { return m_root; }

protected:
    /// A filer of Root's settings.
    explicit TFiler(QObject *Root);

private:
    QPointer<QObject> m_root;
};

/// Writes values into the JSON document of a component. Obtained from WriteComponent (defined-property
/// writers receive it); the value operations append to the value being written.
class QXINSPECTORCORE_EXPORT TWriter : public TFiler
{
public:
    /// A writer of Root's settings.
    explicit TWriter(QObject *Root);
    ~TWriter() override;

    void DefineProperty(const QString &Name, const TReaderProc &ReadData, const TWriterProc &WriteData,
                        bool HasData) override;

    /// Starts a list of values; the values written up to WriteListEnd are its items.
    void WriteListBegin();
    /// Ends the list WriteListBegin started.
    void WriteListEnd();
    /// Writes an integer.
    void WriteInteger(qint64 Value);
    /// Writes a float.
    void WriteFloat(double Value);
    /// Writes a string.
    void WriteString(const QString &Value);
    /// Writes a Boolean.
    void WriteBoolean(bool Value);
    /// Writes an identifier (an enumeration's name, "clRed").
    void WriteIdent(const QString &Value);
    /// Writes a set by the names of its members.
    void WriteSet(const QStringList &Members);
    /// Writes bytes (as Base64).
    void WriteBinary(const QByteArray &Value);
    /// A variant of a simple kind (null, Boolean, integer, float, string, byte array); others as text.
    void WriteVariant(const QVariant &Value);
    /// The items of Collection with their stored properties. With ItemClasses each item also records its
    /// class, so items of classes derived from the item class come back as their own classes.
    void WriteCollection(const TCollection *Collection, bool ItemClasses = false);

    /// The settings of Instance as a JSON object (its stored published properties and defined ones).
    QJsonObject WriteObject(const QObject *Instance);

protected:
    /// @name Writing an object
    /// The steps WriteObject takes, in this order: for each published property whether it is written,
    /// then its value; last the defined properties.
    ///@{
    /// Whether the property Info of Instance is written: stored, and writable and not at its default, or
    /// a sub-object that can be read back.
    virtual bool IsWrittenProperty(const QObject *Instance, const TPropInfo &Info) const;
    /// The value of the property Info of Instance as JSON, by kind; undefined when nothing is written.
    virtual QJsonValue WriteProperty(const QObject *Instance, const TPropInfo &Info);
    /// The value of a property holding an object: a component's name, a collection's items or the
    /// sub-object's settings; undefined when nothing is written.
    virtual QJsonValue WriteObjectProperty(const QObject *Instance, const TPropInfo &Info);
    /// Adds to Node the properties Instance defines itself (TPersistent::DefineProperties).
    virtual void WriteDefinedProperties(const QObject *Instance, QJsonObject &Node);
    ///@}

private:
    struct Private;
    std::unique_ptr<Private> d;
};

/// Reads values from the JSON document of a component. Defined-property readers receive it; the value
/// operations consume the values their writer wrote, in order.
class QXINSPECTORCORE_EXPORT TReader : public TFiler
{
public:
    ~TReader() override;

    void DefineProperty(const QString &Name, const TReaderProc &ReadData, const TWriterProc &WriteData,
                        bool HasData) override;

    /// The kind of the next value, without reading it.
    TValueType NextValue() const;
    /// Reads the kind of the next value; for a list or a collection this also enters it, so that
    /// ReadCollection or the list's values follow.
    TValueType ReadValue();
    /// Whether the list being read has no value left.
    bool EndOfList() const;
    /// Enters a list (unless ReadValue already entered it).
    void ReadListBegin();
    /// Leaves the list being read.
    void ReadListEnd();
    /// Reads an integer; EReadError when the next value is of another kind, as for every Read below.
    qint64 ReadInteger();
    /// Reads a float.
    double ReadFloat();
    /// Reads a string.
    QString ReadString();
    /// Reads a Boolean.
    bool ReadBoolean();
    /// Reads an identifier.
    QString ReadIdent();
    /// Reads a set as the names of its members.
    QStringList ReadSet();
    /// Reads bytes.
    QByteArray ReadBinary();
    /// Reads a value of a simple kind as WriteVariant wrote it.
    QVariant ReadVariant();
    /// Replaces the items of Collection with the items in the stream. The new items are built and read
    /// apart first, so a failure leaves the collection as it was. With ItemClasses, the items recorded
    /// their classes (TWriter::WriteCollection), each a registered descendant of the item class.
    void ReadCollection(TCollection *Collection, bool ItemClasses = false);
    /// Passes over the next value.
    void SkipValue();

    /// True while the document is only being checked: a defined property's reader then reads its values
    /// as it always does (and raises on what it cannot take) but changes nothing. Each reader runs twice,
    /// once to check and once to apply; ReadCollection changes nothing while checking.
    bool Checking() const;

    /// The path of the value being read ("Inspector1.Font.Size"), for messages.
    QString Path() const;

private:
    friend class TStreamLoader;
    TReader(QObject *Root, class TStreamLoader *Loader);

    struct Private;
    std::unique_ptr<Private> d;
};

/// The settings of Instance as a document in Format.
QXINSPECTORCORE_EXPORT QByteArray WriteComponent(const QObject *Instance, TStreamFormat Format = sfJson);
/// Writes the settings of Instance to Device; EWriteError when the device refuses them.
QXINSPECTORCORE_EXPORT void WriteComponent(const QObject *Instance, QIODevice *Device,
                                           TStreamFormat Format = sfJson);
/// Reads settings into Instance from a JSON or CBOR document (told apart by its first byte). Component
/// references are resolved by name among the objects below the top-most parent of Instance once the
/// whole document is read. EReadError, with Instance unchanged, for a document it cannot take.
QXINSPECTORCORE_EXPORT void ReadComponent(QObject *Instance, const QByteArray &Data);
/// The same from a device.
QXINSPECTORCORE_EXPORT void ReadComponent(QObject *Instance, QIODevice *Device);
/// The same through a file; EFOpenError when the file cannot be opened.
QXINSPECTORCORE_EXPORT void WriteComponentFile(const QString &FileName, const QObject *Instance,
                                               TStreamFormat Format = sfJson);
/// Reads settings into Instance from a file; EFOpenError when the file cannot be opened.
QXINSPECTORCORE_EXPORT void ReadComponentFile(const QString &FileName, QObject *Instance);

} // namespace QXPlatform
