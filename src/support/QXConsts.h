/// \file
/// The texts the library shows and raises. They are translatable through Qt's translation system
/// (context "QXInspector"); the English texts are the ones below.
#pragma once

#include "QXGlobal.h"

#include <QString>

namespace QXConsts {

/// Title of the name line: "Property".
QXINSPECTORCORE_EXPORT QString PropertyTitle();
/// Title of a value line: "Value".
QXINSPECTORCORE_EXPORT QString ValueTitle();
/// "Property not found: %1".
QXINSPECTORCORE_EXPORT QString PropertyNotFound(const QString &name);
/// "Property name is not unique: %1".
QXINSPECTORCORE_EXPORT QString PropertyNameNotUnique(const QString &name);
/// "\"%1\" is not a valid property value: %2".
QXINSPECTORCORE_EXPORT QString InvalidPropertyValue(const QString &value, const QString &reason);
/// Name of the default category: "Miscellaneous".
QXINSPECTORCORE_EXPORT QString DefaultCategoryName();
/// "Cannot delete item, not a category".
QXINSPECTORCORE_EXPORT QString NotACategory();
/// Line counter: "line" for one, "lines" otherwise.
QXINSPECTORCORE_EXPORT QString LineCounter(int count);
/// "line".
QXINSPECTORCORE_EXPORT QString LineSingular();
/// "lines".
QXINSPECTORCORE_EXPORT QString LinePlural();
/// "TreeView Items Editor".
QXINSPECTORCORE_EXPORT QString TreeNodesEditorCaption();
/// "ListView Items Editor".
QXINSPECTORCORE_EXPORT QString ListItemsEditorCaption();
/// "Item \"%1\" is not a real property".
QXINSPECTORCORE_EXPORT QString NotARealProperty(const QString &name);
/// "\"%1\" is not a valid %2 value: %3".
QXINSPECTORCORE_EXPORT QString InvalidTypedValue(const QString &value, const QString &typeName,
                                                 const QString &reason);

} // namespace QXConsts
