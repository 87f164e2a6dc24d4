#include "GSpecialFiler.h"

#include "Exceptions.h"
#include "Streaming.h"

TGSpecialFiler::TGSpecialFiler(QXPlatform::TReader *Reader)
    : m_reader(Reader)
{ }

TGSpecialFiler::TGSpecialFiler(QXPlatform::TWriter *Writer)
    : m_writer(Writer)
{ }

void TGSpecialFiler::ReadCollection(QXPlatform::TCollection *Collection)
{
    if (!m_reader)
        throw QXPlatform::EInvalidOperation(QStringLiteral("This filer writes; it cannot read"));
    m_reader->ReadCollection(Collection, true);
}

void TGSpecialFiler::WriteCollection(const QXPlatform::TCollection *Collection)
{
    if (!m_writer)
        throw QXPlatform::EInvalidOperation(QStringLiteral("This filer reads; it cannot write"));
    m_writer->WriteCollection(Collection, true);
}
