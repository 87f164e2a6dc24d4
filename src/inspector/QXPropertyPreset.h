// Presets: rules that the object inspector applies to the rows it builds (an alias, a pick list, a
// dialog behind the ellipsis button, ...). The inspector owns a TQXPropertyPresets collection and applies
// every active, matching preset to every row after each scan; new inspectors start with one preset of
// each class in the process-wide preset registry.
//
// This file holds the collection, the base rule and the registry that the inspector relies on. A base
// preset matches no row; preset classes decide what they match and what they copy onto a row.
#pragma once

#include "Collection.h"
#include "ThreadList.h"

#include <QMetaObject>

class TQXCustomObjectInspector;
class TQXItemProperty;
class TQXPropertyPresets;

class QXINSPECTORCORE_EXPORT TQXPropertyPreset : public QXPlatform::TCollectionItem
{
    Q_OBJECT
    Q_PROPERTY(bool Active READ Active WRITE SetActive)
    Q_PROPERTY(QString Name READ Name WRITE SetName)

public:
    Q_INVOKABLE explicit TQXPropertyPreset(QXPlatform::TCollection *Collection);
    ~TQXPropertyPreset() override;
    Q_DISABLE_COPY_MOVE(TQXPropertyPreset)

    bool Active() const { return m_active; }
    void SetActive(bool Value);
    QString Name() const { return m_name; }
    void SetName(const QString &Value);
    QString GetDisplayName() const override;

    /// The inspector owning the preset's collection; null otherwise.
    TQXCustomObjectInspector *GetInspector() const;

    /// Whether the preset applies to Item.
    virtual bool Matches(TQXItemProperty *Item);
    /// Copies what the preset sets onto Item.
    virtual void CopyPreset(TQXItemProperty *Item);
    /// The inspector's font or value font changed.
    virtual void ParentFontChanged();
    virtual void ParentValueFontChanged();

    void Assign(QObject *Source) override;

private:
    QString m_name;
    bool m_active = true;
};

class QXINSPECTORCORE_EXPORT TQXPropertyPresets : public QXPlatform::TOwnedCollection
{
    Q_OBJECT
public:
    explicit TQXPropertyPresets(QObject *AOwner);
    ~TQXPropertyPresets() override;
    Q_DISABLE_COPY_MOVE(TQXPropertyPresets)

    TQXPropertyPreset *Items(int Index) const
    {
        return static_cast<TQXPropertyPreset *>(TOwnedCollection::Items(Index));
    }
    TQXPropertyPreset *Add() { return static_cast<TQXPropertyPreset *>(TOwnedCollection::Add()); }
    /// A new preset of PresetClass (a TQXPropertyPreset class).
    TQXPropertyPreset *Add(const QMetaObject *PresetClass);
    /// The first preset whose class is exactly PresetClass; -1 when there is none.
    int IndexOf(const QMetaObject *PresetClass) const;
    /// The first preset whose display name is Name (case counts); -1 when there is none.
    int IndexOf(const QString &Name) const;
    /// The inspector owning the collection; null otherwise.
    TQXCustomObjectInspector *GetInspector() const;

    /// Applies each active preset that matches Item, in collection order, and refreshes the row.
    void CopyPresetsToProperty(TQXItemProperty *Item);

protected:
    void Notify(QXPlatform::TCollectionItem *Item, QXPlatform::TCollectionNotification Action) override;
    void Update(QXPlatform::TCollectionItem *Item) override;
};

/// The registry of preset classes, in registration order; read it under its lock.
QXINSPECTORCORE_EXPORT QXPlatform::TThreadList<const QMetaObject *> *RegisteredPresets();
/// Adds a preset class (a TQXPropertyPreset class with an invokable collection constructor).
QXINSPECTORCORE_EXPORT void RegisterPreset(const QMetaObject *PresetClass);
QXINSPECTORCORE_EXPORT void UnregisterPreset(const QMetaObject *PresetClass);
