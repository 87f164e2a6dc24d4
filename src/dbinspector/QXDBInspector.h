/// \file
/// The data-aware inspector: an item list editor whose items show the fields of a dataset. Each item is
/// bound by field name (DataField) to a field of the dataset behind its collection's data source; its name
/// is the field's display label and its values are the field's text in the records the data link buffers,
/// one record per value line (value line 1 holds the link's record 0). Confirming an edited value writes
/// the text into that record's field; the dataset stays in edit state until the application posts.
///
/// Items are made from the dataset's field list and kept in step with it. The tree may nest: the children
/// of a category item share the category's data source, those of any other item may have a data source of
/// their own (a detail dataset).
#pragma once

#include "DataSet.h"
#include "QXDataGlobal.h"
#include "QXItemListEditor.h"

#include <QPointer>
#include <memory>

class TQXDBInspector;
class TQXDBItemProp;
class TQXDBItemProps;

/// A collection's values were refreshed for one record, or its items were rebuilt.
QX_DECLARE_EVENT(TQXDBItemsDSEvent,
                 void(QObject *Sender, TQXDBItemProps *Items, QXPlatform::TDataSource *DataSource))
/// An item's values were refreshed, or it was (re)bound to a field.
QX_DECLARE_EVENT(TQXDBItemFieldEvent, void(QObject *Sender, TQXDBItemProp *Item, QXPlatform::TField *Field))
Q_DECLARE_METATYPE(TQXDBItemsDSEvent)
Q_DECLARE_METATYPE(TQXDBItemFieldEvent)

/// Forwards the dataset's notifications to one item collection. The link ignores edit-state changes and
/// posts: the inspector neither posts nor cancels.
class QXINSPECTORDATA_EXPORT TQXDBInspectorDataLink : public QXPlatform::TDataLink
{
public:
    /// The link of Items, which owns it.
    explicit TQXDBInspectorDataLink(TQXDBItemProps *Items);
    ~TQXDBInspectorDataLink() override;

    /// The number of fields of the linked dataset; 0 without one.
    int GetFieldCount() const;
    /// The dataset's field Index; null outside the field list.
    QXPlatform::TField *GetFields(int Index) const;

protected:
    void ActiveChanged() override;
    void DataSetChanged() override;
    void DataSetScrolled(int Distance) override;
    void LayoutChanged() override;
    void RecordChanged(QXPlatform::TField *Field) override;

private:
    TQXDBItemProps *m_items; // the collection owns this link
};

/// The items of a data-aware inspector at one level, bound to the fields of the dataset behind their data
/// source through the collection's data link.
class QXINSPECTORDATA_EXPORT TQXDBItemProps : public TQXItemProps
{
    Q_OBJECT
    Q_PROPERTY(QXPlatform::TDataSource *DataSource READ DataSource WRITE SetDataSource)
    Q_PROPERTY(TQXDBItemsDSEvent OnDataChanged MEMBER OnDataChanged)
    Q_PROPERTY(TQXDBItemsDSEvent OnLayoutChanged MEMBER OnLayoutChanged)

public:
    /// An empty collection of ItemClass items (TQXDBItemProp or a descendant), owned by AOwner.
    Q_INVOKABLE TQXDBItemProps(QObject *AOwner, const QMetaObject *ItemClass);
    ~TQXDBItemProps() override;
    Q_DISABLE_COPY_MOVE(TQXDBItemProps)

    /// Leaves the data source without telling the collection, which is going.
    void BeforeDestruction() override;

    /// The item at Index; EListError outside the collection.
    TQXDBItemProp *Items(int Index) const;
    /// The item at Index (Items).
    TQXDBItemProp *operator[](int Index) const { return Items(Index); }
    /// A new item bound to no field, appended.
    TQXDBItemProp *Add();
    /// Adds an item bound to Field.
    TQXDBItemProp *Add(QXPlatform::TField *Field);
    /// A new item named Name with Value, bound to no field.
    TQXDBItemProp *Add(const QString &Name, const QString &Value);
    /// Always adds a new category item, even when one of that name exists.
    TQXDBItemProp *AddCategory(const QString &Name);
    /// The first item of this level whose DataField is Field's name (case-sensitive), or -1.
    int IndexOf(QXPlatform::TField *Field) const;
    /// The item at Path below this collection, or null.
    TQXDBItemProp *FindItemByFullPathName(const QString &Path) const;
    /// The item the collection belongs to, or null for the top level.
    TQXDBItemProp *GetParent() const;
    /// The inspector the items are shown in, or null.
    TQXDBInspector *GetEditor() const;

    ///@{
    /// The data source whose dataset the items show.
    QXPlatform::TDataSource *DataSource() const { return m_dataLink->DataSource(); }
    void SetDataSource(QXPlatform::TDataSource *Value);
    ///@}
    /// The collection's link to its data source.
    TQXDBInspectorDataLink *DataLink() const { return m_dataLink.get(); }

    /// Takes over a data-aware collection's data source first, then copies as the base collection does.
    void Assign(const QObject *Source) override;

    // What the data link and the inspector call
    /// The dataset opened or closed: fits the link's buffer to the inspector's value lines, then
    /// reconciles the items and refreshes their values.
    virtual void ActiveChanged();
    /// Refreshes the values from every record Link buffers, one value line per record.
    void DataChanged(TQXDBInspectorDataLink *Link);
    /// Reconciles the items with the field list.
    void LayoutChanged();
    /// Every data link of the tree from here down buffers Count records.
    void UpdateBufferCount(int Count);
    /// The data source going away (opRemove) is let go, here and in the items below.
    virtual void Notification(QObject *AComponent, QXPlatform::TOperation Operation);
    /// Refreshes the values (with Layout, reconciles the items with the fields first), here and in every
    /// collection below.
    virtual void RefreshDataSources(bool Layout);

    /// Fired after the values were refreshed for one record; the application's.
    TQXDBItemsDSEvent OnDataChanged;
    /// Fired after the items were reconciled with the field list; the application's.
    TQXDBItemsDSEvent OnLayoutChanged;

protected:
    /// Shows record Index of Link in every item (a category passes it to its children).
    virtual void DoDataChanged(TQXDBInspectorDataLink *Link, int Index);
    /// Makes, binds and orders the items for the visible fields of a shown type; with PreserveLayout the
    /// items already bound by name are kept.
    virtual void DoLayoutChanged();

private:
    /// The first item, depth-first through categories, bound by name to FieldName.
    TQXDBItemProp *findBound(const QString &FieldName) const;
    /// Value lines from RecordCount on show no record: they are emptied.
    void clearUnbufferedLines(int RecordCount);

    std::unique_ptr<TQXDBInspectorDataLink> m_dataLink;
};

/// An item of the data-aware inspector: the field it is bound to by name, whose text in each
/// buffered record is one value line.
class QXINSPECTORDATA_EXPORT TQXDBItemProp : public TQXItemProp
{
    Q_OBJECT
    Q_PROPERTY(QString DataField READ DataField WRITE SetDataField)
    Q_PROPERTY(TQXDBItemProps *Items READ GetItems WRITE SetItems)
    Q_PROPERTY(TQXDBItemFieldEvent OnDataChanged MEMBER OnDataChanged)
    Q_PROPERTY(TQXDBItemFieldEvent OnLayoutChanged MEMBER OnLayoutChanged)

public:
    /// An item inserted into Collection (null: none), bound to no field.
    Q_INVOKABLE explicit TQXDBItemProp(QXPlatform::TCollection *Collection);
    ~TQXDBItemProp() override;
    Q_DISABLE_COPY_MOVE(TQXDBItemProp)

    /// Takes DataField from a data-aware item first, then copies as the base item does.
    void Assign(const QObject *Source) override;
    /// Copies OnDataChanged and OnLayoutChanged too.
    void AssignEvents(TQXItemProp *Source) override;

    /// The name of the bound field (compared case-sensitively).
    QString DataField() const { return m_dataField; }
    /// EQXException "Invalid Field Name" when the linked dataset has no such field (the old name stays).
    /// Takes effect at the next layout change.
    void SetDataField(const QString &Value);
    /// The field named DataField in the linked dataset, or null.
    QXPlatform::TField *GetField() const;
    /// Binds the item to Field (takes its name and settings at once).
    void SetField(QXPlatform::TField *Field);
    /// The link of the collection, or of the category the item sits in.
    TQXDBInspectorDataLink *GetDataLink() const;
    /// The data source of the item's data link, or null.
    QXPlatform::TDataSource *GetDataSource() const;
    ///@{
    /// The items below this one (a category's share its data source).
    TQXDBItemProps *GetItems() const { return static_cast<TQXDBItemProps *>(TQXItemProp::Items()); }
    void SetItems(TQXDBItemProps *Value) { TQXItemProp::SetItems(Value); }
    ///@}
    /// The collection the item is in.
    TQXDBItemProps *Collection() const { return static_cast<TQXDBItemProps *>(TQXItemProp::Collection()); }
    /// True only while the item writes its value into its field.
    bool IsUpdating() const { return m_updating; }

    /// Shows the field's text in record Index of DataSource in value line Index + 1.
    virtual void DataChanged(QXPlatform::TDataSource *DataSource, int Index);
    /// Passes the notification to the items below.
    virtual void Notification(QObject *AComponent, QXPlatform::TOperation Operation);
    /// Writes the item's value into its field in the record of the current value line.
    virtual void UpdateField();
    /// Takes the field's label, text, mask, read-only state and lookup style, then reports the binding.
    void LayoutChanged(QXPlatform::TField *Field);
    /// Shows the field's text in the value line of record Index and fires OnDataChanged; returns the
    /// field, or null when the item is bound to none.
    QXPlatform::TField *DoDataChanged(QXPlatform::TDataSource *DataSource, int Index);

    /// Fired after the item's values were refreshed; the application's.
    TQXDBItemFieldEvent OnDataChanged;
    /// Fired after the item was bound to a field; the application's.
    TQXDBItemFieldEvent OnLayoutChanged;

protected:
    /// Writes the validated value into the field (UpdateField), then reports it.
    void DoValidated() override;
    /// A value the field refused is reported as "\"value\" is not a valid property value: reason" also
    /// when no in-place editor is open (a value set by code); the grid wraps it when one is.
    void DoValidateError(std::exception_ptr E) override;
    /// Children of an item outside an inspector are data-aware too.
    TQXItemProps *CreateItems() override;
    /// Takes Field's display label, display text, edit mask and read-only state; a lookup field gets a
    /// pick list.
    virtual void DoLayoutChanged(QXPlatform::TField *Field);

private:
    friend class TQXDBItemProps;
    QString m_dataField;
    QPointer<QXPlatform::TField> m_boundField; // the field object the item last took its layout from
    bool m_updating = false;
};

/// The data-aware inspector: an item list editor showing the fields of a dataset, one record per
/// value line.
class QXINSPECTORDATA_EXPORT TQXDBInspector : public TQXItemListEditor
{
    Q_OBJECT
    Q_PROPERTY(QXPlatform::TDataSource *DataSource READ DataSource WRITE SetDataSource)
    Q_PROPERTY(bool FiltersEnabled READ FiltersEnabled WRITE SetFiltersEnabled)
    Q_PROPERTY(TILEFilterOptions FilterOptions READ FilterOptions WRITE SetFilterOptions)
    Q_PROPERTY(QXPlatform::TStrings *Filters READ Filters WRITE SetFilters)
    Q_PROPERTY(TQXDBItemProps *Items READ GetItems WRITE SetItems)
    Q_PROPERTY(QXPlatform::TNotifyEvent OnFiltersChanging MEMBER OnFiltersChanging)
    Q_PROPERTY(QXPlatform::TNotifyEvent OnFiltersChanged MEMBER OnFiltersChanged)
    Q_PROPERTY(TQXDBItemFieldEvent OnItemDataChanged MEMBER OnItemDataChanged)
    Q_PROPERTY(TQXDBItemsDSEvent OnItemsDataChanged MEMBER OnItemsDataChanged)
    Q_PROPERTY(TQXDBItemFieldEvent OnItemLayoutChanged MEMBER OnItemLayoutChanged)
    Q_PROPERTY(TQXDBItemsDSEvent OnItemsLayoutChanged MEMBER OnItemsLayoutChanged)
    Q_PROPERTY(bool PreserveLayout READ PreserveLayout WRITE SetPreserveLayout)
    // Qt-typed twin of Filters for form designers
    Q_PROPERTY(QStringList filters READ filters WRITE setFilters STORED false)
    Q_CLASSINFO("QXFormOnlyProperties", "filters")
    QX_DEFAULT(FiltersEnabled, "True")
    QX_DEFAULT(FilterOptions, "[]")
    QX_DEFAULT(PreserveLayout, "True")

public:
    /// An inspector with no data source.
    Q_INVOKABLE explicit TQXDBInspector(QWidget *parent = nullptr);
    ~TQXDBInspector() override;
    Q_DISABLE_COPY_MOVE(TQXDBInspector)

    /// Marks the inspector as going, so that no rebuild is queued while it goes.
    void BeforeDestruction() override;
    /// From another data-aware inspector: the filter settings too.
    void Assign(const QObject *Source) override;

    ///@{
    /// The top-level items.
    TQXDBItemProps *GetItems() const { return static_cast<TQXDBItemProps *>(Items()); }
    void SetItems(TQXDBItemProps *Value) { TQXItemListEditor::SetItems(Value); }
    ///@}
    ///@{
    /// The data source of the top-level items.
    QXPlatform::TDataSource *DataSource() const { return GetItems()->DataSource(); }
    void SetDataSource(QXPlatform::TDataSource *Value) { GetItems()->SetDataSource(Value); }
    ///@}

    ///@{
    /// Keep existing items (and the user's order) across layout changes, rather than rebuilding them.
    bool PreserveLayout() const { return m_preserveLayout; }
    void SetPreserveLayout(bool Value) { m_preserveLayout = Value; }
    ///@}

    /// Refreshes every collection's values, reconciling the items with the fields first with Layout.
    virtual void RefreshDataSources(bool Layout);
    /// Queues a rebuild of the layout (and so of the filters) for when the message queue runs.
    virtual void InvalidateDataSources();

    /// Makes the data-aware collection of top-level items.
    TQXItemProps *CreateItems(QObject *Owner) override;
    /// The item list editor's categories plus the default category table.
    void FillCategories() override;

    /// Fired after an item's values were refreshed; the application's.
    TQXDBItemFieldEvent OnItemDataChanged;
    /// Fired after a collection's values were refreshed; the application's.
    TQXDBItemsDSEvent OnItemsDataChanged;
    /// Fired after an item was bound to a field; the application's.
    TQXDBItemFieldEvent OnItemLayoutChanged;
    /// Fired after a collection was reconciled with the field list; the application's.
    TQXDBItemsDSEvent OnItemsLayoutChanged;

protected:
    /// The filters that apply changed: queues a rebuild (InvalidateDataSources).
    void InvalidateFilters() override;
    /// A change of the number of value lines changes how many records every link buffers.
    void SizeChanged(int OldColCount, int OldRowCount) override;
    /// A data source going away is let go by every collection that uses it.
    void Notification(QObject *AComponent, QXPlatform::TOperation Operation) override;
    /// Handles the queued rebuild (QX_INVALIDATESCAN).
    void Dispatch(QXPlatform::TMessage &Message) override;
    /// The queued rebuild: RefreshDataSources(true) unless the inspector is going.
    virtual void QXInvalidateScan(QXPlatform::TMessage &Message);

private:
    friend class TQXDBItemProps;
    bool isDestroying() const;
    bool isLoading() const;
    /// Value lines of the grid, the name line left out: the records a data link buffers.
    int recordLines() const;

    bool m_preserveLayout = true;
    bool m_destroyingInspector = false;
};
