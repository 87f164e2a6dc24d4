// The "Items" pseudo-properties that the type information publishes on Qt's list and tree widgets, which
// have no collection of their items to publish themselves. Only the property declarations are used: the
// values are read through ListItemsOf and TreeNodesOf.
#pragma once

#include "ListViews.h"

namespace QXPlatform {

class TListWidgetItemsProperty : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QXPlatform::TListItems *Items READ Items STORED false)
public:
    TListItems *Items() const { return nullptr; }
};

class TTreeWidgetItemsProperty : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QXPlatform::TTreeNodes *Items READ Items STORED false)
public:
    TTreeNodes *Items() const { return nullptr; }
};

} // namespace QXPlatform
