/// \file
/// A filer for collections whose items are of several classes: each item is written with its class and
/// comes back as an instance of that class. The object inspector keeps its presets this way, since each
/// preset is of its own class. Construct it on the reader or writer a defined property is given, use it,
/// and let it go.
#pragma once

#include "QXGlobal.h"

namespace QXPlatform {
class TCollection;
class TReader;
class TWriter;
} // namespace QXPlatform

/// Reads and writes a collection whose items are of several classes, each item with its class.
class QXINSPECTORCORE_EXPORT TGSpecialFiler
{
public:
    /// A filer that reads collections from Reader.
    explicit TGSpecialFiler(QXPlatform::TReader *Reader);
    /// A filer that writes collections to Writer.
    explicit TGSpecialFiler(QXPlatform::TWriter *Writer);
    Q_DISABLE_COPY_MOVE(TGSpecialFiler)

    /// Replaces the items of Collection with those in the stream, each of its recorded class (registered
    /// with RegisterClasses and derived from the collection's item class). EReadError otherwise, with
    /// the collection unchanged.
    void ReadCollection(QXPlatform::TCollection *Collection);
    /// Writes the items of Collection with their classes and stored properties.
    void WriteCollection(const QXPlatform::TCollection *Collection);

private:
    QXPlatform::TReader *m_reader = nullptr;
    QXPlatform::TWriter *m_writer = nullptr;
};
