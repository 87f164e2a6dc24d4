/// \file
/// The life cycle and copying protocol shared by all of the library's objects.
///
/// Qt cannot dispatch virtual calls to a derived class during its construction or destruction, but the
/// library's classes rely on exactly that (an owner's constructor asks a descendant which item class to
/// use; an item leaving its collection asks derived code to hide it). So construction is two-phase
/// (Create<T>: constructor, then the virtual AfterConstruction) and destruction goes through Free
/// (the virtual BeforeDestruction, then delete). Never delete a TLifecycle object directly.
#pragma once

#include "QXGlobal.h"

#include <QObject>
#include <QString>
#include <exception>
#include <type_traits>
#include <utility>

namespace QXPlatform {

class TFiler;

/// Declares the default of a published property, readable by the settings writer and the type
/// information: QX_DEFAULT(Visible, "True") inside the class body. The value is written as the
/// property's text ("True", "11", "esSimple", "[doColumnTitles,doShowReadOnly]").
#define QX_DEFAULT(Property, Value) Q_CLASSINFO("QX.default." #Property, Value)
/// Declares the type name a property reports when it differs from the C++ type's (a typedef):
/// QX_TYPE_NAME(ModalResult, "TModalResult").
#define QX_TYPE_NAME(Property, Name) Q_CLASSINFO("QX.type." #Property, Name)

/// The declared default of property Name along the class chain, or a null string when none is declared.
QXINSPECTORCORE_EXPORT QString DeclaredDefault(const QMetaObject *metaObject, const char *Name);

/// The class name users see: the meta-object's name without any namespace ("TFont").
QXINSPECTORCORE_EXPORT QString ClassNameOf(const QMetaObject *metaObject);
/// The class name ClassNameOf reports, as a view of the meta-object's own text: comparing with it
/// allocates nothing. Empty for no class.
QXINSPECTORCORE_EXPORT QLatin1String ClassNameView(const QMetaObject *metaObject);
/// The class name of object as users see it.
QXINSPECTORCORE_EXPORT QString ClassNameOf(const QObject *object);
/// True when metaObject is ancestor or equal to the class of object (class references are meta-objects).
QXINSPECTORCORE_EXPORT bool InheritsFrom(const QMetaObject *metaObject, const QMetaObject *ancestor);

/// Two-phase construction and destruction: hooks that run after the most derived constructor and before
/// the destructor (see Create and Free).
class QXINSPECTORCORE_EXPORT TLifecycle
{
public:
    TLifecycle() = default;
    virtual ~TLifecycle();
    Q_DISABLE_COPY_MOVE(TLifecycle)

    /// Runs once the most derived constructor has finished; overrides call the inherited one first.
    virtual void AfterConstruction() { }
    /// Runs before the destructor while the object is still whole; overrides call the inherited one last.
    virtual void BeforeDestruction() { }

    /// True from the moment Free starts on this object.
    bool IsBeingFreed() const { return m_freeing; }

private:
    template<class T> friend void Free(T *object);
    friend QXINSPECTORCORE_EXPORT void FreeObject(QObject *object);
    bool m_freeing = false;
};

/// Runs a cleanup when the scope ends, however it ends: the guard for every flag, batch or lock that
/// must be undone. Unlike qScopeGuard it lets the cleanup raise, because ending an update notifies (a
/// user's OnChange, a grid refresh): ending normally, an exception from the cleanup reaches the caller;
/// ending by an exception, the cleanup still runs and an exception of its own is dropped so that the
/// first one reaches the caller. Plain values go back with QScopedValueRollback instead.
template<class F> class TScopeExit
{
public:
    /// A guard that runs cleanup when it goes.
    explicit TScopeExit(F cleanup)
        : m_cleanup(std::move(cleanup))
    { }
    ~TScopeExit() noexcept(false)
    {
        if (!m_armed)
            return;
        if (std::uncaught_exceptions() == m_uncaught) {
            m_cleanup();
            return;
        }
        try {
            m_cleanup();
        } catch (...) { // the exception that is unwinding the scope wins
        }
    }
    Q_DISABLE_COPY_MOVE(TScopeExit)

    /// The cleanup does not run (a step that undoes only a failure, once the step succeeded).
    void Dismiss() { m_armed = false; }

private:
    F m_cleanup;
    const int m_uncaught = std::uncaught_exceptions();
    bool m_armed = true;
};

/// Constructs a T and runs its AfterConstruction. If that raises, the object is freed and the
/// exception passes on.
template<class T, class... Args> T *Create(Args &&...args)
{
    T *object = new T(std::forward<Args>(args)...);
    TScopeExit freeOnError([object] { Free(object); });
    object->AfterConstruction();
    freeOnError.Dismiss();
    return object;
}

/// The one deletion path: BeforeDestruction (once), then delete. Null is ignored; a second Free of an
/// object already being freed does nothing.
template<class T> void Free(T *object)
{
    if (!object)
        return;
    if constexpr (std::is_base_of_v<TLifecycle, T>) {
        TLifecycle *lifecycle = object;
        if (lifecycle->m_freeing)
            return;
        lifecycle->m_freeing = true;
        lifecycle->BeforeDestruction();
    }
    delete object;
}

/// Free for an object known only as a QObject: runs BeforeDestruction when it is one of ours.
QXINSPECTORCORE_EXPORT void FreeObject(QObject *object);

/// Holds target (a collection, a string list, an item tree) in one update from its construction to the
/// end of the scope: BeginUpdate now, EndUpdate when the scope ends, also when it ends by an exception
/// (see TScopeExit for an exception that EndUpdate raises).
template<class T> class TUpdateLock
{
public:
    /// Begins target's update; the lock ends it with the scope.
    explicit TUpdateLock(T &target)
        : m_end((target.BeginUpdate(), End { target })) // armed only once the update has begun
    { }

private:
    struct End
    {
        T &target;
        void operator()() const { target.EndUpdate(); }
    };
    TScopeExit<End> m_end;
};

/// Runs f between target.BeginUpdate() and target.EndUpdate(); the update ends also when f raises.
template<class T, class F> void InUpdate(T &target, F &&f)
{
    const TUpdateLock lock(target);
    std::forward<F>(f)();
}

/// Frees object (Free) and sets the pointer to null first.
template<class T> void FreeAndNil(T *&object)
{
    T *doomed = std::exchange(object, nullptr);
    Free(doomed);
}

/// Mixin for objects that can be copied with Assign and stored with their owner's settings.
/// Mixed into a QObject class; Self() is that QObject.
class QXINSPECTORCORE_EXPORT TPersistent : public TLifecycle
{
public:
    /// Copies Source into this object. The default asks Source to AssignTo this object and
    /// reports "Cannot assign a X to a Y" (EConvertError) when neither side knows the other.
    virtual void Assign(const QObject *Source);
    /// The object that owns this one in the settings tree (a component, collection or item), or null.
    virtual QObject *GetOwner() const { return nullptr; }
    /// The dotted path under which the object is stored ("Form1.Grid.Items").
    virtual QString GetNamePath() const;
    /// Lets a class store values that are not published properties.
    virtual void DefineProperties(TFiler *Filer);
    /// Whether the published property Name is written with the object's settings. Classes whose
    /// properties are stored only under a condition override this; a property equal to its declared
    /// default (QX_DEFAULT) is left out by the writer on top of this test.
    virtual bool IsStoredProperty(const char *Name) const;

    /// The QObject this mixin is part of.
    QObject *Self() const;

protected:
    /// Copies this object into Dest; the default reports the incompatible assignment.
    virtual void AssignTo(QObject *Dest) const;
    /// Raises EConvertError "Cannot assign a X to a Y" for Source and this object.
    [[noreturn]] void AssignError(const QObject *Source) const;
};

/// The persistent mixin of object, or null when it has none.
QXINSPECTORCORE_EXPORT TPersistent *AsPersistent(const QObject *object);

} // namespace QXPlatform
