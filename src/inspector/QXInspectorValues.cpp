// The object inspector's reading and writing of a row's value as text: through the row's own handlers
// (OnGetProperty, OnSetProperty) where it has them, else through the type information.
#include "QXCustomObjectInspector.h"

#include <QPointer>
#include <QScopedValueRollback>

QString TQXCustomObjectInspector::GetPropertyValue(QObject *Instance, TQXItemProperty *Item) const
{
    if (Item->OnGetProperty) {
        QString value;
        Item->OnGetProperty(Item, Instance, Item->RealPropName(), value);
        return value;
    }
    return GetPlainPropertyValue(Instance, Item);
}

bool TQXCustomObjectInspector::SetPropertyValue(QObject *Instance, TQXItemProperty *Item,
                                                const QString &Value)
{
    QString name = Item->GetFullPathPropName();
    QObject *instance = GetInstance(Instance, name, Item);
    // An object that is gone, or a sub-object replaced since the scan, is left alone. A row with a writer
    // of its own (a line of a string list, say) has no object of its own at the end of its path: the
    // writer is asked as long as the inspected object itself is there.
    if (!Instance || (!instance && !Item->OnSetProperty))
        return false;
    const bool changed = GetPropertyValue(instance, Item) != Value;
    if (Item->OnSetProperty) {
        const QScopedValueRollback<QPointer<QObject>> writing(m_writingObject, Instance);
        Item->OnSetProperty(Item, instance, name, Value);
        return changed;
    }
    SetPlainPropertyValue(instance, Item, name, Value);
    return changed;
}
