#include "Persistent.h"

#include "Exceptions.h"

#include <QMetaClassInfo>
#include <QMetaObject>

namespace QXPlatform {

QString ClassNameOf(const QMetaObject *metaObject)
{
    if (!metaObject)
        return QStringLiteral("nil");
    return ClassNameView(metaObject);
}

QLatin1String ClassNameView(const QMetaObject *metaObject)
{
    if (!metaObject)
        return {};
    // Reported names drop the namespace: the text after the last "::".
    const char *name = metaObject->className();
    const char *start = name;
    for (const char *c = name; *c; ++c)
        if (c[0] == ':' && c[1] == ':')
            start = c + 2;
    return QLatin1String(start);
}

QString ClassNameOf(const QObject *object)
{
    return object ? ClassNameOf(object->metaObject()) : QStringLiteral("nil");
}

bool InheritsFrom(const QMetaObject *metaObject, const QMetaObject *ancestor)
{
    for (const QMetaObject *m = metaObject; m; m = m->superClass())
        if (m == ancestor)
            return true;
    return false;
}

TLifecycle::~TLifecycle() = default;

void FreeObject(QObject *object)
{
    if (!object)
        return;
    if (auto *lifecycle = dynamic_cast<TLifecycle *>(object)) {
        if (lifecycle->m_freeing)
            return;
        lifecycle->m_freeing = true;
        lifecycle->BeforeDestruction();
    }
    delete object;
}

QObject *TPersistent::Self() const
{
    return dynamic_cast<QObject *>(const_cast<TPersistent *>(this));
}

TPersistent *AsPersistent(const QObject *object)
{
    return dynamic_cast<TPersistent *>(const_cast<QObject *>(object));
}

void TPersistent::Assign(const QObject *Source)
{
    if (const TPersistent *source = AsPersistent(Source))
        source->AssignTo(Self());
    else
        AssignError(Source);
}

void TPersistent::AssignTo(QObject *Dest) const
{
    if (TPersistent *dest = AsPersistent(Dest))
        dest->AssignError(Self());
    throw EConvertError(QStringLiteral("Cannot assign a %1 to a %2")
                            .arg(ClassNameOf(Self()), Dest ? ClassNameOf(Dest) : QStringLiteral("nil")));
}

void TPersistent::AssignError(const QObject *Source) const
{
    throw EConvertError(
        QStringLiteral("Cannot assign a %1 to a %2").arg(ClassNameOf(Source), ClassNameOf(Self())));
}

QString TPersistent::GetNamePath() const
{
    QString name = ClassNameOf(Self());
    QObject *owner = GetOwner();
    if (!owner)
        return name;
    const QString ownerPath = AsPersistent(owner) ? AsPersistent(owner)->GetNamePath() : owner->objectName();
    return ownerPath.isEmpty() ? name : ownerPath + QLatin1Char('.') + name;
}

void TPersistent::DefineProperties(TFiler *)
{ }

bool TPersistent::IsStoredProperty(const char *) const
{
    return true;
}

QString DeclaredDefault(const QMetaObject *metaObject, const char *Name)
{
    const QByteArray key = QByteArrayLiteral("QX.default.") + Name;
    // indexOfClassInfo searches the whole class chain, most derived class first.
    const int index = metaObject ? metaObject->indexOfClassInfo(key.constData()) : -1;
    if (index < 0)
        return QString();
    return QString::fromUtf8(metaObject->classInfo(index).value());
}

} // namespace QXPlatform
