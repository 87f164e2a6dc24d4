#include "QXInspectorSearchBox.h"

#include "QXCustomObjectInspector.h"

#include <QTimer>

using namespace QXPlatform;

TQXInspectorSearchBox::TQXInspectorSearchBox(QWidget *parent)
    : TGuarded<QLineEdit>(parent)
{
    setPlaceholderText(tr("Search properties"));
    setClearButtonEnabled(true);
    // Typing several letters in one turn of the event loop filters once.
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (std::exchange(m_applyQueued, true))
            return;
        QTimer::singleShot(0, this, [this] {
            if (m_applyQueued)
                Guarded([this] { ApplySearch(); });
        });
    });
}

TQXInspectorSearchBox::~TQXInspectorSearchBox()
{
    Guarded([this] { restoreRows(); });
}

void TQXInspectorSearchBox::SetInspector(TQXCustomObjectInspector *Value)
{
    if (Value == m_inspector)
        return;
    restoreRows();
    disconnect(m_scanned);
    m_inspector = Value;
    if (Value)
        m_scanned = connect(Value, &TQXCustomObjectInspector::scanned, this,
                            [this] { Guarded([this] { rowsRebuilt(); }); });
    ApplySearch();
}

bool TQXInspectorSearchBox::matches(const TQXItemProp *Row) const
{
    const QString needle = text().trimmed();
    if (Row->Name().contains(needle, Qt::CaseInsensitive))
        return true;
    // Categories have no value of their own.
    if (Row->Category())
        return false;
    for (const QString &line : Row->ValueLines())
        if (line.contains(needle, Qt::CaseInsensitive))
            return true;
    return false;
}

bool TQXInspectorSearchBox::filter(TQXItemProps *Rows, bool UnderMatch)
{
    bool any = false;
    for (int i = 0; i < Rows->Count(); ++i) {
        TQXItemProp *row = Rows->Items(i);
        // A copy: the children's states go into the same table.
        const TRowState saved = m_saved.contains(row)
            ? m_saved.value(row)
            : *m_saved.insert(row, { row->GetVisible(), row->IsExpanded() });
        const bool self = matches(row);
        const bool below = row->HasChildren() && filter(row->Items(), UnderMatch || self);
        // A row the application hid stays hidden; below a match everything shows as it did.
        row->SetVisible(saved.Visible && (self || below || UnderMatch));
        if (row->HasChildren())
            row->SetExpanded(below || saved.Expanded);
        any = any || self || below;
    }
    return any;
}

void TQXInspectorSearchBox::ApplySearch()
{
    m_applyQueued = false;
    if (text().trimmed().isEmpty()) {
        restoreRows();
        return;
    }
    if (!m_inspector || !m_inspector->Items())
        return;
    TQXItemProps *rows = m_inspector->Items();
    // One batch: the grid builds its lists of rows once, when it ends.
    const TUpdateLock lock(*rows);
    filter(rows, false);
}

void TQXInspectorSearchBox::restoreRows()
{
    if (m_saved.isEmpty())
        return;
    const QHash<const TQXItemProp *, TRowState> saved = std::exchange(m_saved, {});
    if (!m_inspector || !m_inspector->Items())
        return;
    std::function<void(TQXItemProps *)> walk = [&](TQXItemProps *rows) {
        for (int i = 0; i < rows->Count(); ++i) {
            TQXItemProp *row = rows->Items(i);
            if (const auto state = saved.constFind(row); state != saved.constEnd()) {
                row->SetVisible(state->Visible);
                if (row->HasChildren())
                    row->SetExpanded(state->Expanded);
            }
            if (row->HasChildren())
                walk(row->Items());
        }
    };
    const TUpdateLock lock(*m_inspector->Items());
    walk(m_inspector->Items());
}

void TQXInspectorSearchBox::rowsRebuilt()
{
    // The rows the saved states belonged to are gone: the new rows start from their own states.
    m_saved.clear();
    if (!text().trimmed().isEmpty())
        ApplySearch();
}
