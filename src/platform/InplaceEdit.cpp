#include "InplaceEdit.h"
#include "DrawGrid.h"
#include "EditMask_p.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <utility>

namespace QXPlatform {

namespace {

// The most characters a line edit takes when the grid sets no limit (QLineEdit's own default).
constexpr int noEditLimit = 32767;

} // namespace

TInplaceEdit::TInplaceEdit(TCustomDrawGrid *AGrid)
    : TGuarded<QLineEdit>(AGrid ? AGrid->viewport() : nullptr)
    , TComponent(this, AGrid)
    , m_grid(AGrid)
{
    setFrame(false);
    // Hidden until the grid moves it over a cell; an explicit hide keeps it so when the grid is shown.
    QWidget::hide();
    // textChanged reports every change, whoever made it, and keeps the text before the latest one;
    // textEdited reports the user's changes only. Qt calls these slots outside our events.
    connect(this, &QLineEdit::textChanged, this,
            [this](const QString &Value) { m_previousText = std::exchange(m_lastText, Value); });
    connect(this, &QLineEdit::textEdited, this,
            [this](const QString &Value) { Guarded([&] { userEdited(Value); }); });
}

TInplaceEdit::~TInplaceEdit() = default;

void TInplaceEdit::UpdateContents()
{
    if (!m_grid)
        return;
    const int col = m_grid->Col();
    const int row = m_grid->Row();
    m_editMask = m_grid->GetEditMask(col, row);
    // The mask goes first: the text is then laid into it. An empty input mask takes an earlier one off.
    const QString wantedMask = EditMaskToInputMask(m_editMask);
    if (wantedMask != inputMask())
        setInputMask(wantedMask);
    const int limit = m_grid->GetEditLimit();
    setMaxLength(limit > 0 ? limit : noEditLimit);
    const QString value = m_grid->GetEditText(col, row);
    setReadOnly(!m_grid->CanEditModify());
    setText(value);
    setModified(false);
    m_loadedText = text();
    m_undoText = m_loadedText;
    m_typing = false;
}

void TInplaceEdit::SetText(const QString &Value)
{
    // QLineEdit::setText clears Qt's undo history and the modified flag; Undo goes back to the text before.
    m_undoText = text();
    m_typing = false;
    const bool modified = isModified();
    setText(Value);
    setModified(modified);
    TextAssigned();
}

void TInplaceEdit::Reset()
{
    if (text() != m_loadedText)
        SetText(m_loadedText);
    setModified(false);
}

void TInplaceEdit::Undo()
{
    if (!CanUndo())
        return;
    const QString redo = text();
    setText(m_undoText);
    m_undoText = redo;
    m_typing = false;
    Change();
}

void TInplaceEdit::userEdited(const QString &Value)
{
    // The first change of a run remembers the text before it: Undo goes back there in one step. Whether
    // textChanged has already recorded this change does not matter: the text before it is the one
    // recorded last that differs from Value.
    if (!m_typing) {
        m_undoText = m_lastText == Value ? m_previousText : m_lastText;
        m_typing = true;
    }
    Change();
}

void TInplaceEdit::Change()
{
    setModified(true);
    GridSetEditText(text());
}

void TInplaceEdit::GridSetEditText(const QString &Value)
{
    if (m_grid)
        m_grid->SetEditText(m_grid->Col(), m_grid->Row(), Value);
}

bool TInplaceEdit::SendToGrid(int Key, Qt::KeyboardModifiers Shift)
{
    return m_grid && m_grid->HandleKey(Key, Shift);
}

void TInplaceEdit::Move(const QRect &Rect)
{
    const bool moved = geometry() != Rect;
    setGeometry(Rect);
    if (isHidden())
        show();
    if (moved)
        BoundsChanged();
}

void TInplaceEdit::Hide()
{
    // Hiding a widget with the focus would pass the focus on to the next widget of the window.
    if (hasFocus() && m_grid)
        m_grid->setFocus(Qt::OtherFocusReason);
    QWidget::hide();
}

void TInplaceEdit::SetFocus()
{
    if (isVisible() && isEnabled() && !hasFocus())
        setFocus(Qt::OtherFocusReason);
}

void TInplaceEdit::BoundsChanged()
{
    // A frameless line edit keeps one pixel of its own; one more puts the text two pixels in, where a
    // cell's text starts.
    setTextMargins(1, 0, 1, 0);
}

bool TInplaceEdit::AtStart() const
{
    return cursorPosition() == 0 && (!hasSelectedText() || selectedText().size() == text().size());
}

bool TInplaceEdit::AtEnd() const
{
    return cursorPosition() == text().size()
        && (!hasSelectedText() || selectedText().size() == text().size());
}

void TInplaceEdit::KeyDown(int &Key, Qt::KeyboardModifiers Shift)
{
    const bool ctrl = Shift & Qt::ControlModifier;
    const bool shift = Shift & Qt::ShiftModifier;
    const bool rightToLeft = layoutDirection() == Qt::RightToLeft;
    bool forward = false;
    switch (Key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F2:
        forward = true;
        break;
    case Qt::Key_Tab:
        forward = !(Shift & Qt::AltModifier);
        break;
    case Qt::Key_Insert:
        forward = !(Shift & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier));
        break;
    case Qt::Key_Delete:
        forward = ctrl;
        break;
    case Qt::Key_Home:
        forward = ctrl || (!shift && AtStart());
        break;
    case Qt::Key_End:
        forward = ctrl || (!shift && AtEnd());
        break;
    case Qt::Key_Left:
        forward = !shift && !ctrl && (rightToLeft ? AtEnd() : AtStart());
        break;
    case Qt::Key_Right:
        forward = !shift && !ctrl && (rightToLeft ? AtStart() : AtEnd());
        break;
    default:
        break;
    }
    // A forwarded key is the grid's whether or not it used it, so it never reaches the grid twice (through
    // the line edit ignoring it and the event going on to the parents).
    if (forward) {
        SendToGrid(Key, Shift);
        Key = 0;
    }
}

void TInplaceEdit::keyPressEvent(QKeyEvent *event)
{
    int key = event->key();
    Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (key == Qt::Key_Backtab) {
        key = Qt::Key_Tab;
        mods |= Qt::ShiftModifier;
    }
    KeyDown(key, mods);
    if (key == 0) {
        event->accept();
        return;
    }
    // Our Undo, which also reaches back over whole assignments (setText leaves Qt nothing to undo).
    if (event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo)) {
        if (!isReadOnly())
            Undo();
        event->accept();
        return;
    }
    TGuarded<QLineEdit>::keyPressEvent(event);
}

void TInplaceEdit::focusInEvent(QFocusEvent *event)
{
    TGuarded<QLineEdit>::focusInEvent(event);
    if (m_grid)
        m_grid->EditorFocusChanged(true, event->reason());
}

void TInplaceEdit::focusOutEvent(QFocusEvent *event)
{
    TGuarded<QLineEdit>::focusOutEvent(event);
    if (m_grid)
        m_grid->EditorFocusChanged(false, event->reason());
}

} // namespace QXPlatform
