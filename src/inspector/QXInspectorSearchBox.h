/// \file
/// A search line for the object inspector: as the user types, only the rows whose name or value holds the
/// text stay shown, together with every parent and category above them (opened, so the match is in view)
/// and everything below a matching row. Rows are tested against the whole tree, nested rows included.
/// Clearing the text gives every row back its own visibility and expansion; a rescan while a text is
/// typed searches the new rows.
#pragma once

#include "Guarded.h"
#include "QXGlobal.h"

#include <QHash>
#include <QLineEdit>
#include <QPointer>

class TQXCustomObjectInspector;
class TQXItemProp;
class TQXItemProps;

/// A search line that keeps only the inspector's rows whose name or value holds its text in view.
class QXINSPECTORCORE_EXPORT TQXInspectorSearchBox : public QXPlatform::TGuarded<QLineEdit>
{
    Q_OBJECT
    Q_PROPERTY(TQXCustomObjectInspector *Inspector READ Inspector WRITE SetInspector)
public:
    /// A search line tied to no inspector yet.
    explicit TQXInspectorSearchBox(QWidget *parent = nullptr);
    ~TQXInspectorSearchBox() override;
    Q_DISABLE_COPY_MOVE(TQXInspectorSearchBox)

    /// The inspector whose rows the text filters, or null.
    TQXCustomObjectInspector *Inspector() const { return m_inspector; }
    /// The inspector whose rows the text filters; the rows of the one before get their state back.
    void SetInspector(TQXCustomObjectInspector *Value);
    /// Filters the rows by the current text now (typing does it on the next turn of the event loop).
    void ApplySearch();

private:
    struct TRowState
    {
        bool Visible;
        bool Expanded;
    };
    bool matches(const TQXItemProp *Row) const;
    /// Shows or hides Rows and their children; true when one of them or a row below matches.
    bool filter(TQXItemProps *Rows, bool UnderMatch);
    void restoreRows();
    void rowsRebuilt();

    QPointer<TQXCustomObjectInspector> m_inspector;
    QMetaObject::Connection m_scanned;
    // What each row showed before the search began, by row; empty while no search is applied. Looked up
    // from the rows of the tree, never followed.
    QHash<const TQXItemProp *, TRowState> m_saved;
    bool m_applyQueued = false;
};
