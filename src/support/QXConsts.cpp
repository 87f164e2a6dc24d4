#include "QXConsts.h"

#include <QCoreApplication>

namespace QXConsts {

namespace {
QString tr(const char *text)
{
    return QCoreApplication::translate("QXInspector", text);
}
} // namespace

QString PropertyTitle()
{
    return tr("Property");
}

QString ValueTitle()
{
    return tr("Value");
}

QString PropertyNotFound(const QString &name)
{
    return tr("Property not found: %1").arg(name);
}

QString PropertyNameNotUnique(const QString &name)
{
    return tr("Property name is not unique: %1").arg(name);
}

QString InvalidPropertyValue(const QString &value, const QString &reason)
{
    return tr("\"%1\" is not a valid property value: %2").arg(value, reason);
}

QString DefaultCategoryName()
{
    return tr("Miscellaneous");
}

QString NotACategory()
{
    return tr("Cannot delete item, not a category");
}

QString LineSingular()
{
    return tr("line");
}

QString LinePlural()
{
    return tr("lines");
}

QString LineCounter(int count)
{
    return count == 1 ? LineSingular() : LinePlural();
}

QString TreeNodesEditorCaption()
{
    return tr("TreeView Items Editor");
}

QString ListItemsEditorCaption()
{
    return tr("ListView Items Editor");
}

QString NotARealProperty(const QString &name)
{
    return tr("Item \"%1\" is not a real property").arg(name);
}

QString InvalidTypedValue(const QString &value, const QString &typeName, const QString &reason)
{
    return tr("\"%1\" is not a valid %2 value: %3").arg(value, typeName, reason);
}

} // namespace QXConsts
