/// \file
/// The class registry: classes that can be created by name, as settings are read back. A class reference
/// is its const QMetaObject*; creating an instance uses QMetaObject::newInstance, so registered classes
/// need Q_INVOKABLE constructors. Names are the class names without namespace ("TFont").
#pragma once

#include "QXGlobal.h"

#include <QList>
#include <QMetaObject>
#include <QString>
#include <initializer_list>

/// The platform layer: the component model, type information, settings streams, string lists,
/// collections and the draw grid with its in-place editor, on which the rest of the library builds.
namespace QXPlatform {

/// Registers a class, so that streams can make its objects by class name.
QXINSPECTORCORE_EXPORT void RegisterClass(const QMetaObject *AClass);
/// Registers every class of the list.
QXINSPECTORCORE_EXPORT void RegisterClasses(std::initializer_list<const QMetaObject *> AClasses);
/// Takes a class off the registry.
QXINSPECTORCORE_EXPORT void UnRegisterClass(const QMetaObject *AClass);
/// Takes every class of the list off the registry.
QXINSPECTORCORE_EXPORT void UnRegisterClasses(std::initializer_list<const QMetaObject *> AClasses);
/// The registered class of that name (case-insensitive), or null.
QXINSPECTORCORE_EXPORT const QMetaObject *GetClass(const QString &ClassName);
/// Counts the changes to the registry: what a cache worked out from GetClass holds while this stays.
QXINSPECTORCORE_EXPORT quint64 ClassRegistryGeneration();
/// As GetClass, but raises EClassNotFound "Class X not found" when there is none.
QXINSPECTORCORE_EXPORT const QMetaObject *FindClass(const QString &ClassName);
/// The registered classes.
QXINSPECTORCORE_EXPORT QList<const QMetaObject *> RegisteredClasses();

} // namespace QXPlatform
