#include "ClassRegistry.h"

#include "Exceptions.h"
#include "Persistent.h"
#include "ThreadList.h"

namespace QXPlatform {

namespace {
TThreadList<const QMetaObject *> &registry()
{
    static TThreadList<const QMetaObject *> classes;
    return classes;
}
} // namespace

void RegisterClass(const QMetaObject *AClass)
{
    if (!AClass)
        return;
    TThreadListLocker locker(registry());
    QList<const QMetaObject *> &list = locker.List();
    if (list.contains(AClass))
        return;
    // A different class under a name already taken would make reading settings ambiguous.
    const QString name = ClassNameOf(AClass);
    for (const QMetaObject *known : list)
        if (ClassNameOf(known).compare(name, Qt::CaseInsensitive) == 0)
            throw EInvalidOperation(QStringLiteral("A class named %1 is already registered").arg(name));
    list.append(AClass);
}

void RegisterClasses(std::initializer_list<const QMetaObject *> AClasses)
{
    for (const QMetaObject *c : AClasses)
        RegisterClass(c);
}

void UnRegisterClass(const QMetaObject *AClass)
{
    registry().Remove(AClass);
}

void UnRegisterClasses(std::initializer_list<const QMetaObject *> AClasses)
{
    for (const QMetaObject *c : AClasses)
        UnRegisterClass(c);
}

const QMetaObject *GetClass(const QString &ClassName)
{
    TThreadListLocker locker(registry());
    for (const QMetaObject *known : locker.List())
        if (ClassNameOf(known).compare(ClassName, Qt::CaseInsensitive) == 0)
            return known;
    return nullptr;
}

const QMetaObject *FindClass(const QString &ClassName)
{
    if (const QMetaObject *found = GetClass(ClassName))
        return found;
    throw EClassNotFound(QStringLiteral("Class %1 not found").arg(ClassName));
}

QList<const QMetaObject *> RegisteredClasses()
{
    return registry().Snapshot();
}

} // namespace QXPlatform
