#include "helper_fixtures.h"

#include <QXInspector/Exceptions.h>

using namespace QXPlatform;

Sample::Sample(QObject *parent)
    : QObject(parent)
    , m_items(Create<TCollection>(&SampleItem::staticMetaObject))
{ }

Sample::~Sample()
{
    Free(m_items);
}

SampleItem *Sample::AddItem(const QString &Name, int Value)
{
    auto *item = static_cast<SampleItem *>(m_items->Add());
    item->SetName(Name);
    item->Value = Value;
    return item;
}

PartHolder::PartHolder(Part *Shared, QObject *parent)
    : QObject(parent)
    , m_part(Shared ? Shared : new Part)
    , m_owned(!Shared)
{ }

PartHolder::~PartHolder()
{
    if (m_owned)
        delete m_part;
}

void Stubborn::SetTag(int Value)
{
    throw EConvertError(QStringLiteral("%1 is refused").arg(Value));
}
