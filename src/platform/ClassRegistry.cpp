#include "ClassRegistry.h"

#include "Exceptions.h"
#include "Persistent.h"
#include "ThreadList.h"

#include <atomic>

namespace QXPlatform {

namespace {
TThreadList<const QMetaObject *> &registry()
{
    static TThreadList<const QMetaObject *> classes;
    return classes;
}

std::atomic<quint64> generation { 1 };
} // namespace

quint64 ClassRegistryGeneration()
{
    return generation.load(std::memory_order_acquire);
}

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
        if (name.compare(ClassNameView(known), Qt::CaseInsensitive) == 0)
            throw EInvalidOperation(QStringLiteral("A class named %1 is already registered").arg(name));
    list.append(AClass);
    generation.fetch_add(1, std::memory_order_acq_rel);
}

void RegisterClasses(std::initializer_list<const QMetaObject *> AClasses)
{
    for (const QMetaObject *c : AClasses)
        RegisterClass(c);
}

void UnRegisterClass(const QMetaObject *AClass)
{
    registry().Remove(AClass);
    generation.fetch_add(1, std::memory_order_acq_rel);
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
        if (ClassName.compare(ClassNameView(known), Qt::CaseInsensitive) == 0)
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
