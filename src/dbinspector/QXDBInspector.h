// The data-aware inspector: an item list editor whose items show the fields of a dataset. Each item is
// bound by field name (DataField) to a field of the dataset behind its collection's data source; its name
// is the field's display label and its values are the field's text in the records the data link buffers,
// one record per value line (value line 1 holds the link's record 0). Confirming an edited value writes
// the text into that record's field; the dataset stays in edit state until the application posts.
//
// Items are made from the dataset's field list and kept in step with it. The tree may nest: the children
// of a category item share the category's data source, those of any other item may have a data source of
// their own (a detail dataset).
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
    explicit TQXDBInspectorDataLink(TQXDBItemProps *Items);
    ~TQXDBInspectorDataLink() override;

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

class QXINSPECTORDATA_EXPORT TQXDBItemProps : public TQXItemProps
{
    Q_OBJECT
    Q_PROPERTY(QXPlatform::TDataSource *DataSource READ DataSource WRITE SetDataSource)
    Q_PROPERTY(TQXDBItemsDSEvent OnDataChanged MEMBER OnDataChanged)
    Q_PROPERTY(TQXDBItemsDSEvent OnLayoutChanged MEMBER OnLayoutChanged)

public:
    Q_INVOKABLE TQXDBItemProps(QObject *AOwner, const QMetaObject *ItemClass);
    ~TQXDBItemProps() override;
    Q_DISABLE_COPY_MOVE(TQXDBItemProps)

    void BeforeDestruction() override;

    TQXDBItemProp *Items(int Index) const;
    TQXDBItemProp *operator[](int Index) const { return Items(Index); }
    TQXDBItemProp *Add();
    /// Adds an item bound to Field.
    TQXDBItemProp *Add(QXPlatform::TField *Field);
    TQXDBItemProp *Add(const QString &Name, const QString &Value);
    /// Always adds a new category item, even when one of that name exists.
    TQXDBItemProp *AddCategory(const QString &Name);
    /// The first item of this level whose DataField is Field's name (case-sensitive), or -1.
    int IndexOf(QXPlatform::TField *Field) const;
    TQXDBItemProp *FindItemByFullPathName(const QString &Path) const;
    TQXDBItemProp *GetParent() const;
    TQXDBInspector *GetEditor() const;

    QXPlatform::TDataSource *DataSource() const { return m_dataLink->DataSource(); }
    void SetDataSource(QXPlatform::TDataSource *Value);
    TQXDBInspectorDataLink *DataLink() const { return m_dataLink.get(); }

    /// Takes over a data-aware collection's data source first, then copies as the base collection does.
    void Assign(const QObject *Source) override;

    // What the data link and the inspector call
    virtual void ActiveChanged();
    /// Refreshes the values from every record Link buffers, one value line per record.
    void DataChanged(TQXDBInspectorDataLink *Link);
    /// Reconciles the items with the field list.
    void LayoutChanged();
    /// Every data link of the tree from here down buffers Count records.
    void UpdateBufferCount(int Count);
    virtual void Notification(QObject *AComponent, QXPlatform::TOperation Operation);
    virtual void RefreshDataSources(bool Layout);

    TQXDBItemsDSEvent OnDataChanged;
    TQXDBItemsDSEvent OnLayoutChanged;

protected:
    virtual void DoDataChanged(TQXDBInspectorDataLink *Link, int Index);
    virtual void DoLayoutChanged();

private:
    /// The first item, depth-first through categories, bound by name to FieldName.
    TQXDBItemProp *findBound(const QString &FieldName) const;
    /// Value lines from RecordCount on show no record: they are emptied.
    void clearUnbufferedLines(int RecordCount);

    std::unique_ptr<TQXDBInspectorDataLink> m_dataLink;
};

class QXINSPECTORDATA_EXPORT TQXDBItemProp : public TQXItemProp
{
    Q_OBJECT
    Q_PROPERTY(QString DataField READ DataField WRITE SetDataField)
    Q_PROPERTY(TQXDBItemProps *Items READ GetItems WRITE SetItems)
    Q_PROPERTY(TQXDBItemFieldEvent OnDataChanged MEMBER OnDataChanged)
    Q_PROPERTY(TQXDBItemFieldEvent OnLayoutChanged MEMBER OnLayoutChanged)

public:
    Q_INVOKABLE explicit TQXDBItemProp(QXPlatform::TCollection *Collection);
    ~TQXDBItemProp() override;
    Q_DISABLE_COPY_MOVE(TQXDBItemProp)

    /// Takes DataField from a data-aware item first, then copies as the base item does.
    void Assign(const QObject *Source) override;
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
    QXPlatform::TDataSource *GetDataSource() const;
    TQXDBItemProps *GetItems() const { return static_cast<TQXDBItemProps *>(TQXItemProp::Items()); }
    void SetItems(TQXDBItemProps *Value) { TQXItemProp::SetItems(Value); }
    TQXDBItemProps *Collection() const { return static_cast<TQXDBItemProps *>(TQXItemProp::Collection()); }
    /// True only while the item writes its value into its field.
    bool IsUpdating() const { return m_updating; }

    /// Shows the field's text in record Index of DataSource in value line Index + 1.
    virtual void DataChanged(QXPlatform::TDataSource *DataSource, int Index);
    virtual void Notification(QObject *AComponent, QXPlatform::TOperation Operation);
    /// Writes the item's value into its field in the record of the current value line.
    virtual void UpdateField();
    /// Takes the field's label, text, mask, read-only state and lookup style, then reports the binding.
    void LayoutChanged(QXPlatform::TField *Field);
    QXPlatform::TField *DoDataChanged(QXPlatform::TDataSource *DataSource, int Index);

    TQXDBItemFieldEvent OnDataChanged;
    TQXDBItemFieldEvent OnLayoutChanged;

protected:
    void DoValidated() override;
    /// A value the field refused is reported as "\"value\" is not a valid property value: reason" also
    /// when no in-place editor is open (a value set by code); the grid wraps it when one is.
    void DoValidateError(std::exception_ptr E) override;
    /// Children of an item outside an inspector are data-aware too.
    TQXItemProps *CreateItems() override;
    virtual void DoLayoutChanged(QXPlatform::TField *Field);

private:
    friend class TQXDBItemProps;
    QString m_dataField;
    QPointer<QXPlatform::TField> m_boundField; // the field object the item last took its layout from
    bool m_updating = false;
};

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
    Q_INVOKABLE explicit TQXDBInspector(QWidget *parent = nullptr);
    ~TQXDBInspector() override;
    Q_DISABLE_COPY_MOVE(TQXDBInspector)

    QStringList filters() const { return Filters()->ToStringList(); }
    void setFilters(const QStringList &lines) { Filters()->SetStrings(lines); }

    void BeforeDestruction() override;
    void Assign(const QObject *Source) override;

    TQXDBItemProps *GetItems() const { return static_cast<TQXDBItemProps *>(Items()); }
    void SetItems(TQXDBItemProps *Value) { TQXItemListEditor::SetItems(Value); }
    QXPlatform::TDataSource *DataSource() const { return GetItems()->DataSource(); }
    void SetDataSource(QXPlatform::TDataSource *Value) { GetItems()->SetDataSource(Value); }

    // Filters: item names or full path names to leave out (or, with foInclusive, to keep)
    bool FiltersEnabled() const { return m_filtersEnabled; }
    void SetFiltersEnabled(bool Value);
    TILEFilterOptions FilterOptions() const { return m_filterOptions; }
    void SetFilterOptions(TILEFilterOptions Value);
    QXPlatform::TStrings *Filters() const;
    void SetFilters(QXPlatform::TStrings *Value);
    bool IsFiltered(TQXItemProp *Item) const;
    void RemoveFilterProperties();

    /// Keep existing items (and the user's order) across layout changes, rather than rebuilding them.
    bool PreserveLayout() const { return m_preserveLayout; }
    void SetPreserveLayout(bool Value) { m_preserveLayout = Value; }

    virtual void RefreshDataSources(bool Layout);
    /// Queues a rebuild of the layout (and so of the filters) for when the message queue runs.
    virtual void InvalidateDataSources();

    TQXItemProps *CreateItems(QObject *Owner) override;
    void FillCategories() override;

    QXPlatform::TNotifyEvent OnFiltersChanging;
    QXPlatform::TNotifyEvent OnFiltersChanged;
    TQXDBItemFieldEvent OnItemDataChanged;
    TQXDBItemsDSEvent OnItemsDataChanged;
    TQXDBItemFieldEvent OnItemLayoutChanged;
    TQXDBItemsDSEvent OnItemsLayoutChanged;

protected:
    virtual void ChangingFilters(QObject *Sender);
    virtual void ChangeFilters(QObject *Sender);
    void SizeChanged(int OldColCount, int OldRowCount) override;
    void Notification(QObject *AComponent, QXPlatform::TOperation Operation) override;
    void Dispatch(QXPlatform::TMessage &Message) override;
    virtual void QXInvalidateScan(QXPlatform::TMessage &Message);

private:
    friend class TQXDBItemProps;
    bool isDestroying() const;
    bool isLoading() const;
    /// Value lines of the grid, the name line left out: the records a data link buffers.
    int recordLines() const;

    QXPlatform::TStringList *m_filters = nullptr;
    TILEFilterOptions m_filterOptions;
    bool m_filtersEnabled = true;
    bool m_preserveLayout = true;
    bool m_destroyingInspector = false;
};
