/// \file
/// Two string-list views of the item tree. TQXItemStrings shows a grid's whole tree as lines
/// path=value, so a tree can be read or built as text. TQXItemPropValueStrings is the list in which an
/// item keeps its values, one entry per value line of the grid.
#pragma once

#include "StringList.h"

#include <QPointer>

class TQXCustomItemListEditor;
class TQXItemProp;

/// The item list editor's rows as a list of lines: one "path=value" line per item, read from and
/// written to the items.
class QXINSPECTORCORE_EXPORT TQXItemStrings : public QXPlatform::TStrings
{
    Q_OBJECT
    Q_PROPERTY(bool ShowVisibleOnly READ ShowVisibleOnly WRITE SetShowVisibleOnly)
    QX_DEFAULT(ShowVisibleOnly, "False")

public:
    /// The view keeps no lines of its own: every line is computed from Editor's item lists.
    explicit TQXItemStrings(TQXCustomItemListEditor *Editor);
    ~TQXItemStrings() override;
    Q_DISABLE_COPY_MOVE(TQXItemStrings)

    ///@{
    /// Whether only the items shown count as lines (GetVisibleItemCount rather than GetItemCount).
    bool ShowVisibleOnly() const { return m_showVisibleOnly; }
    void SetShowVisibleOnly(bool Value) { m_showVisibleOnly = Value; }
    ///@}

    /// Clears the whole tree.
    void Clear() override;
    /// Frees the item on line Index, with its subtree.
    void Delete(int Index) override;
    /// Adds the line's path and value to the tree (Index only checks the range: the tree decides where
    /// the item goes).
    void Insert(int Index, const QString &S) override;
    /// The line of the item at path Name, or -1.
    int IndexOfName(const QString &Name) const override;

protected:
    QString Get(int Index) const override;
    /// The number of items, or of those shown while ShowVisibleOnly.
    int GetCount() const override;
    QObject *GetObject(int Index) const override;
    /// Sets the object of the item on line Index.
    void PutObject(int Index, QObject *AObject) override;

private:
    TQXItemProp *itemAt(int Index) const;

    TQXCustomItemListEditor *m_editor; // the grid owns this view
    bool m_showVisibleOnly = false;
};

/// The list view of an item's values. The lines live in the item, so an item whose values are never
/// asked for as a list costs no list object; this view is made on first request and edits the item's
/// lines in place. Changes reach the item through changed() (connected when the view is made); the
/// OnChange and OnChanging events are the application's.
class QXINSPECTORCORE_EXPORT TQXItemPropValueStrings : public QXPlatform::TStrings
{
    Q_OBJECT
    Q_PROPERTY(QXPlatform::TNotifyEvent OnChange MEMBER OnChange)
    Q_PROPERTY(QXPlatform::TNotifyEvent OnChanging MEMBER OnChanging)
public:
    /// The view of Item's value lines.
    explicit TQXItemPropValueStrings(TQXItemProp *Item);
    ~TQXItemPropValueStrings() override;
    Q_DISABLE_COPY_MOVE(TQXItemPropValueStrings)

    /// The item whose values the lines are.
    TQXItemProp *Item() const { return m_item; }
    ///@{
    /// While set, changes are not reported.
    void SetInitializing(bool Value) { m_initializing = Value; }
    bool Initializing() const { return m_initializing; }
    ///@}

    void Insert(int Index, const QString &S) override;
    /// Deletes the value line at Index from the item.
    void Delete(int Index) override;
    /// Deletes every value line of the item.
    void Clear() override;

    /// Fired after a change of the lines; the application's.
    QXPlatform::TNotifyEvent OnChange;
    /// Fired before a change of the lines; the application's.
    QXPlatform::TNotifyEvent OnChanging;

protected:
    /// Fits the lines to the grid's value lines first (see TQXItemProp::FitValueLines), then reads.
    QString Get(int Index) const override;
    /// The number of value lines the item holds.
    int GetCount() const override;
    /// Writes only when the text differs from the entry.
    void Put(int Index, const QString &S) override;
    void Changed() override;
    void Changing() override;
    void SetUpdateState(bool Updating) override;

private:
    friend class TQXItemProp;
    QStringList &lines() const;

    TQXItemProp *m_item; // the item owns this view and its lines
    bool m_initializing = false;
};
