/// \file
/// The rows of the object inspector: each TQXItemProperty knows which published property it stands for, of
/// what kind and type, and reads and writes that property on every inspected object through the
/// inspector. Rows that are no property themselves (set members, collection items, category rows) are
/// "not real": they take their values from their parent or from their OnGetProperty/OnSetProperty events.
#pragma once

#include "Messages.h"
#include "QXItemProp.h"
#include "TypeInfo.h"

#include <QList>
#include <QVariant>

#include <optional>

class TQXCustomObjectInspector;
class TQXItemProperty;
class TQXItemProperties;

/// One variant per value line.
using TVariantArray = QList<QVariant>;

/// One value line of a row as TQXItemProperty::RefreshValue reads it, handed from step to step.
struct TQXRefreshedLine
{
    int Index = 0; ///< the value line, and the shown object it reads
    QObject *Instance = nullptr; ///< the object the line reads (null for rows that need none)
    QString Name; ///< the property read on Instance
    const QXPlatform::TPropInfo *Info = nullptr; ///< the property's information, for a real row
    QString Text; ///< the line's text: the one shown, then the one read
    std::optional<QVariant> Value; ///< the property's value, when reading the text read it
};

/// Reads the text a row shows for Instance (the object owning the property after path resolution).
QX_DECLARE_EVENT(TQXItemGetPropertyEvent,
                 void(QObject *Sender, QObject *Instance, const QString &PropName, QString &Value))
/// Writes a row's text to Instance; replaces the type-information write.
QX_DECLARE_EVENT(TQXItemSetPropertyEvent,
                 void(QObject *Sender, QObject *Instance, const QString &PropName, const QString &Value))
QX_DECLARE_EVENT(TQXItemPropertyEvent, void(QObject *Sender, TQXItemProperty *Item))
/// Result arrives true; false vetoes.
QX_DECLARE_EVENT(TQXItemPropertyQueryEvent, void(QObject *Sender, TQXItemProperty *Item, bool &Result))
Q_DECLARE_METATYPE(TQXItemGetPropertyEvent)
Q_DECLARE_METATYPE(TQXItemSetPropertyEvent)
Q_DECLARE_METATYPE(TQXItemPropertyEvent)
Q_DECLARE_METATYPE(TQXItemPropertyQueryEvent)

/// A row of the object inspector: the published property it stands for, its kind and type, and the
/// reading and writing of that property on every inspected object.
class QXINSPECTORCORE_EXPORT TQXItemProperty : public TQXItemProp
{
    Q_OBJECT
    Q_PROPERTY(TQXItemProperties *Items READ GetItems WRITE SetItems)
    Q_PROPERTY(TQXItemGetPropertyEvent OnGetProperty MEMBER OnGetProperty)
    Q_PROPERTY(TQXItemSetPropertyEvent OnSetProperty MEMBER OnSetProperty)
    Q_PROPERTY(TQXItemPropertyEvent OnRefreshValue MEMBER OnRefreshValue)

public:
    /// What a row stands for.
    enum TQXPropertyKind {
        pkNormal, ///< an ordinary property
        pkSet, ///< a set property; its members are child rows
        pkSetMember, ///< one member of a set, a Boolean-valued child row
        pkCollection, ///< a property holding a TCollection
        pkCollectionItem, ///< one item of such a collection, shown as a child row
    };
    Q_ENUM(TQXPropertyKind)

    /// A row inserted into Collection (null: none).
    Q_INVOKABLE explicit TQXItemProperty(QXPlatform::TCollection *Collection);
    ~TQXItemProperty() override;
    Q_DISABLE_COPY_MOVE(TQXItemProperty)

    // Navigation
    /// The inspector the row is shown in; null without one. EInvalidCast when the row's grid is
    /// another kind of grid.
    TQXCustomObjectInspector *GetEditor() const;
    /// The row above this one, or null for a top row.
    TQXItemProperty *GetParent() const;
    ///@{
    /// The rows below this one: sub-properties, set members, collection items.
    TQXItemProperties *GetItems() const;
    void SetItems(TQXItemProperties *Value);
    ///@}
    /// The real property names from the top row down to this one, joined with the path delimiter.
    QString GetFullPathPropName() const;
    /// The nearest ancestor whose property kind is Kind.
    TQXItemProperty *GetParentItem(TQXPropertyKind Kind) const;
    /// The nearest ancestor of type kind Kind and, unless TypeName is empty, of that type name (any case).
    TQXItemProperty *GetParentItem(QXPlatform::TTypeKind Kind, const QString &TypeName) const;

    // Property data
    ///@{
    /// Whether the row's value is the same on every inspected object.
    virtual bool IsAllEqual() const { return m_allEqual; }
    virtual void SetAllEqual(bool Value);
    ///@}
    /// Whether every real value equals the first.
    virtual bool IsAllValuesEqual() const;
    ///@{
    /// The name of the property the row stands for, whatever name the row shows.
    QString RealPropName() const { return m_realPropName; }
    virtual void SetRealPropName(const QString &Value);
    ///@}
    ///@{
    /// The kind of the property's type.
    QXPlatform::TTypeKind TypeKind() const { return m_typeKind; }
    virtual void SetTypeKind(QXPlatform::TTypeKind Value);
    ///@}
    ///@{
    /// The name of the property's type ("Integer", "TColor", ...).
    QString TypeName() const { return m_typeName; }
    virtual void SetTypeName(const QString &Value);
    ///@}
    ///@{
    /// What the row stands for: an ordinary property, a set or one of its members, a collection or
    /// one of its items.
    TQXPropertyKind PropertyKind() const { return m_propertyKind; }
    virtual void SetPropertyKind(TQXPropertyKind Value);
    ///@}
    ///@{
    /// Whether the row stands for a published property itself (false for set members, collection
    /// items and categories).
    bool IsRealProperty() const { return m_isRealProperty; }
    virtual void SetIsRealProperty(bool Value);
    ///@}
    /// The real values, one per value line: the property's non-text value on that line's object, or an
    /// index for rows that are not real. With a grid the array is first cut or padded to the value lines.
    const TVariantArray &GetRealValues() const;
    ///@{
    /// The real value of value line Index.
    QVariant RealValues(int Index) const;
    virtual void SetRealValues(int Index, const QVariant &Value);
    ///@}

    /// Whether the value on any shown object (one object in single-value layout) differs from the
    /// property's declared default.
    bool IsModified() const;
    /// Whether the value on object Index differs from the property's declared default.
    virtual bool IsModified(int Index) const;

    ///@{
    /// Typed access to the property on object Index of the inspector (-1: the object of the current
    /// value line). Rows that are not real answer from their Value or raise "not a real property".
    virtual double GetFloatProperty(int Index) const;
    virtual qint64 GetInt64Property(int Index) const;
    virtual QVariant GetInterfaceProperty(int Index) const;
    virtual QVariant GetMethodProperty(int Index) const;
    virtual QObject *GetObjectProperty(int Index) const;
    /// The class of the object property on object 0 (the item class for a collection item row).
    virtual const QMetaObject *GetObjectPropertyClass() const;
    virtual qint64 GetOrdProperty(int Index) const;
    virtual QString GetStringProperty(int Index) const;
    virtual QVariant GetVariantProperty(int Index) const;
    virtual void SetFloatProperty(double Value, int Index);
    virtual void SetInt64Property(qint64 Value, int Index);
    virtual void SetInterfaceProperty(const QVariant &Value, int Index);
    virtual void SetMethodProperty(const QVariant &Value, int Index);
    virtual void SetObjectProperty(QObject *Value, int Index);
    virtual void SetOrdProperty(qint64 Value, int Index);
    virtual void SetStringProperty(const QString &Value, int Index);
    virtual void SetVariantProperty(const QVariant &Value, int Index);
    ///@}

    // Writing and refreshing
    /// Writes the row after it was validated: through the inspector for a real row, else via the parent.
    virtual void UpdateProperty();
    /// A set row rebuilds its text from its member rows, then writes it.
    virtual void UpdateChildProperty(TQXItemProperty *Item);
    /// Reads the row's texts and real values from the objects again. False when an object path no
    /// longer resolves (the caller then rescans).
    virtual bool RefreshValue();
    /// Handles the refresh message when it is sent to the row: refreshes it and answers 1.
    void QXInvalidateProperty(QXPlatform::TMessage &Message);

    // Overrides
    void Assign(const QObject *Source) override;
    void AssignEvents(TQXItemProp *Source) override;
    /// Renames the row; the first name also becomes the real property name when there is none.
    void SetName(const QString &NewName) override;
    bool IsReadOnly() const override;
    bool IsVisibleItem() const override;
    QXPlatform::TFont *GetValueFont() const override;
    const QXPlatform::TFont *GetIndividualValueFont(int Index) const override;

    /// Reads the row's text instead of the type information; the application's.
    TQXItemGetPropertyEvent OnGetProperty;
    /// Writes the row's text instead of the type information; the application's.
    TQXItemSetPropertyEvent OnSetProperty;
    /// Fired after the row's values were read again.
    TQXItemPropertyEvent OnRefreshValue;

    /// Stores "TypeData" (what the row knows of its property, for real rows) and "IsAllEqual".
    void DefineProperties(QXPlatform::TFiler *Filer) override;

protected:
    /// @name Refreshing
    /// The steps RefreshValue takes for each value line, in this order, then DoRefreshValue.
    ///@{
    /// Sets Line's Instance and Name: the object the inspector's refresh of all rows found for the
    /// line, else the row's path resolved from the shown object (null when it is gone).
    virtual void RefreshInstance(TQXRefreshedLine &Line);
    /// Sets Line's Text: from OnGetProperty, from the set a member row belongs to, or from the
    /// property (setting Value where the text follows from it). False when the object is gone.
    virtual bool ReadValueText(TQXRefreshedLine &Line);
    /// Keeps the property's value as the real value of a real row's line, where it changed.
    virtual void RefreshRealValue(const TQXRefreshedLine &Line);
    /// Fires OnRefreshValue, or the inspector's OnRefreshValue when the row has none.
    virtual void DoRefreshValue();
    ///@}

    /// Writes the validated row (UpdateProperty), then reports it as the item does.
    void DoValidated() override;
    QString InvalidValueMessage(const QString &Reason) const override;
    TQXItemProps *CreateItems() override;

private:
    friend class TQXCustomObjectInspector;
    /// The object value line Index stands for, resolved along the row's path; null when it is gone.
    QObject *resolvedInstance(int Index, QString &LastSegment) const;
    int objectIndex(int Index) const;
    /// Reads the real values of a class row from the inspected objects again (a stored row holds none).
    void readObjectValues();
    void checkReal() const;
    bool changedFontApplies() const;
    /// The property information of the row on Instance's class; looked up once per class.
    const QXPlatform::TPropInfo &propInfoOn(const QObject *Instance, const QString &Name) const;
    /// The one copy of the information of property Name of class MetaObject that all rows share (an
    /// invalid one when the class has no such published property).
    static const QXPlatform::TPropInfo *sharedPropInfo(const QMetaObject *MetaObject, const QString &Name);
    template<class Write> void writeProperty(int Index, const Write &write);

    QString m_realPropName;
    QString m_typeName;
    mutable TVariantArray m_realValues;
    mutable const QXPlatform::TPropInfo *m_info = nullptr; // shared: see sharedPropInfo
    QXPlatform::TTypeKind m_typeKind = QXPlatform::tkUnknown;
    TQXPropertyKind m_propertyKind = pkNormal;
    bool m_allEqual = false;
    bool m_isRealProperty = false;
};

/// TQXItemProperty::TQXPropertyKind at global scope.
using TQXPropertyKind = TQXItemProperty::TQXPropertyKind;
using enum TQXItemProperty::TQXPropertyKind;

/// The rows below an inspector row, or the inspector's top rows, typed as TQXItemProperty.
class QXINSPECTORCORE_EXPORT TQXItemProperties : public TQXItemProps
{
    Q_OBJECT
public:
    /// An empty list of rows of ItemClass (TQXItemProperty or a descendant), owned by AOwner.
    Q_INVOKABLE TQXItemProperties(QObject *AOwner, const QMetaObject *ItemClass);
    ~TQXItemProperties() override;
    Q_DISABLE_COPY_MOVE(TQXItemProperties)

    /// The row at Index; EListError outside the list.
    TQXItemProperty *Items(int Index) const
    {
        return static_cast<TQXItemProperty *>(TQXItemProps::Items(Index));
    }
    /// The row at Index (Items).
    TQXItemProperty *operator[](int Index) const { return Items(Index); }
    /// A new row, appended.
    TQXItemProperty *Add() { return static_cast<TQXItemProperty *>(TQXItemProps::Add()); }
    /// A new row named Name with Value, appended.
    TQXItemProperty *Add(const QString &Name, const QString &Value)
    {
        return static_cast<TQXItemProperty *>(TQXItemProps::Add(Name, Value));
    }
    /// Always appends a new category row, even when one of that name exists.
    TQXItemProperty *AddCategory(const QString &Name)
    {
        return static_cast<TQXItemProperty *>(TQXItemProps::AddCategory(Name, true));
    }
    /// The row at Path (delimited names from this list down) with its values set to Value, made with
    /// the rows above it when missing; with AllowDuplicate the last row is made anew even when one exists.
    TQXItemProperty *AddFullPath(const QString &Path, const QString &Value, bool AllowDuplicate)
    {
        return static_cast<TQXItemProperty *>(TQXItemProps::AddFullPath(Path, Value, AllowDuplicate));
    }
    /// The row at Path below this list, or null.
    TQXItemProperty *FindItemByFullPathName(const QString &Path) const
    {
        return static_cast<TQXItemProperty *>(TQXItemProps::FindItemByFullPathName(Path));
    }
    /// The row with ID, or null.
    TQXItemProperty *FindItemID(int ID) const
    {
        return static_cast<TQXItemProperty *>(TQXItemProps::FindItemID(ID));
    }
    /// A new row, placed at Index.
    TQXItemProperty *Insert(int Index) { return static_cast<TQXItemProperty *>(TQXItemProps::Insert(Index)); }
    /// The category row that rows without a category of their own go under, or null.
    TQXItemProperty *GetDefaultCategory() const
    {
        return static_cast<TQXItemProperty *>(DefaultCategoryItem());
    }
    /// The inspector the rows are shown in, or null.
    TQXCustomObjectInspector *GetEditor() const;
    /// The row the list belongs to, or null for the top rows.
    TQXItemProperty *GetParent() const { return static_cast<TQXItemProperty *>(TQXItemProps::GetParent()); }
};

Q_DECLARE_METATYPE(TQXItemProperties *)
