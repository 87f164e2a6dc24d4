/// \file
/// A list guarded by a lock, for the few process-wide registries. The lock is recursive: a registry
/// operation may call back into code that takes the same registry again in the same thread.
#pragma once

#include "Exceptions.h"

#include <QList>
#include <QRecursiveMutex>

namespace QXPlatform {

/// What a sorted list or a locked list does with an item it already holds.
enum TDuplicates { dupIgnore, dupAccept, dupError };

/// A list of T guarded by a recursive lock.
template<class T> class TThreadList
{
public:
    TThreadList() = default;
    Q_DISABLE_COPY_MOVE(TThreadList)

    /// Takes the lock and gives the list; every LockList needs one UnlockList.
    QList<T> &LockList()
    {
        m_mutex.lock();
        return m_list;
    }
    /// Gives the lock back that LockList took.
    void UnlockList() { m_mutex.unlock(); }

    /// Adds item under the lock, following Duplicates (dupIgnore by default).
    void Add(const T &item)
    {
        QMutexLocker lock(&m_mutex);
        if (m_duplicates != dupAccept && m_list.contains(item)) {
            if (m_duplicates == dupError)
                throw EListError(QStringLiteral("List does not allow duplicates"));
            return;
        }
        m_list.append(item);
    }
    /// Removes the first item equal to item under the lock, if there is one.
    void Remove(const T &item)
    {
        QMutexLocker lock(&m_mutex);
        m_list.removeOne(item);
    }
    /// Empties the list under the lock.
    void Clear()
    {
        QMutexLocker lock(&m_mutex);
        m_list.clear();
    }
    /// A copy taken under the lock.
    QList<T> Snapshot() const
    {
        QMutexLocker lock(&m_mutex);
        return m_list;
    }

    ///@{
    /// What Add does with an item the list already holds.
    TDuplicates Duplicates() const { return m_duplicates; }
    void SetDuplicates(TDuplicates value) { m_duplicates = value; }
    ///@}

private:
    mutable QRecursiveMutex m_mutex;
    QList<T> m_list;
    TDuplicates m_duplicates = dupIgnore;
};

/// Holds a TThreadList's lock for a scope.
template<class T> class TThreadListLocker
{
public:
    /// Takes list's lock.
    explicit TThreadListLocker(TThreadList<T> &list)
        : m_owner(list)
        , m_list(list.LockList())
    { }
    ~TThreadListLocker() { m_owner.UnlockList(); }
    Q_DISABLE_COPY_MOVE(TThreadListLocker)
    /// The locked list.
    QList<T> &List() { return m_list; }

private:
    TThreadList<T> &m_owner;
    QList<T> &m_list;
};

} // namespace QXPlatform
