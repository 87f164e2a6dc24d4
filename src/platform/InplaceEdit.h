/// \file
/// The in-place editor of a custom draw grid: one single-line editor per grid, a child of the grid's
/// viewport, that the grid moves over its current cell and loads with that cell's text. What the user types
/// goes back to the grid on every change (the grid's SetEditText); keys that move between cells are passed
/// to the grid's key handling. Descendants add drop-down lists, buttons and masks.
#pragma once

#include "Component.h"
#include "Guarded.h"

#include <QLineEdit>
#include <QRect>
#include <QString>

namespace QXPlatform {

class TCustomDrawGrid;

/// The line edit that edits a grid's cell in place, with the cell's length limit and edit mask.
class QXINSPECTORCORE_EXPORT TInplaceEdit : public TGuarded<QLineEdit>, public TComponent
{
    Q_OBJECT
public:
    /// AGrid is the owner; the editor lives in its viewport. Without a grid the editor is a plain,
    /// parentless line edit that loads nothing.
    explicit TInplaceEdit(TCustomDrawGrid *AGrid);
    ~TInplaceEdit() override;
    Q_DISABLE_COPY_MOVE(TInplaceEdit)

    /// The grid that owns the editor, or null.
    TCustomDrawGrid *Grid() const { return m_grid; }

    /// Loads the grid's current cell: its text (GetEditText), its length limit (GetEditLimit, 0 for none)
    /// and its edit mask (GetEditMask). Afterwards the editor is unmodified and has nothing to undo.
    /// Loading does not count as an assignment: TextAssigned is not called.
    virtual void UpdateContents();
    ///@{
    /// The edit mask of the loaded cell, kept as the grid gave it.
    QString EditMask() const { return m_editMask; }
    void SetEditMask(const QString &Value) { m_editMask = Value; }
    ///@}

    /// Assigns the whole text: Undo can go back to the text before, Modified keeps its value, the grid is
    /// not told, and TextAssigned follows.
    void SetText(const QString &Value);
    /// The text in the editor.
    QString Text() const { return text(); }
    ///@{
    /// Whether the user changed the text since it was loaded (or since SetModified(false)).
    bool Modified() const { return isModified(); }
    void SetModified(bool Value) { setModified(Value); }
    ///@}
    /// Back to the text loaded by UpdateContents, unmodified. Assigns the whole text (TextAssigned
    /// follows); the grid is not told.
    void Reset();
    /// One step back to the previous whole text: the text before the last assignment, or before the run
    /// of typing since then. A second Undo redoes. Counts as the user's change: Modified is set and the
    /// grid gets the text.
    void Undo();
    /// Whether Undo would change the text.
    bool CanUndo() const { return m_undoText != text(); }

    /// Places the editor over Rect (viewport coordinates) and shows it; BoundsChanged follows.
    void Move(const QRect &Rect);
    /// Hides the editor; the grid takes the focus when the editor had it.
    void Hide();
    /// Takes the keyboard focus when shown.
    void SetFocus();
    /// After the whole text was assigned (SetText, Reset), never per keystroke; the grid calls it too when
    /// it has taken a text with Enter. The base does nothing.
    virtual void TextAssigned() { }

protected:
    /// After Move changed the editor's geometry. The base sets the text margins so that the text starts
    /// where a cell's text does.
    virtual void BoundsChanged();
    /// The editor's key handling, before the line edit's own. The base passes keys that move between
    /// cells to the grid (Up, Down, PgUp, PgDn, Tab, Enter, Escape, F2, Ctrl+Home/End, Ctrl+Delete,
    /// Home/Left at the start and End/Right at the end of the text) and sets Key to 0.
    virtual void KeyDown(int &Key, Qt::KeyboardModifiers Shift);
    /// After the user changed the text (typing, pasting, Undo): marks it modified and hands it to the
    /// grid's SetEditText for the grid's current cell.
    virtual void Change();

    /// For descendants, which are not friends of the grid: the grid's key handling and its SetEditText for
    /// its current cell.
    bool SendToGrid(int Key, Qt::KeyboardModifiers Shift);
    /// Hands Value to the grid's SetEditText for its current cell.
    void GridSetEditText(const QString &Value);

    /// Runs KeyDown and leaves the key to the line edit unless KeyDown took it (set it to 0).
    void keyPressEvent(QKeyEvent *event) override;
    /// Tells the grid that its editor took the focus.
    void focusInEvent(QFocusEvent *event) override;
    /// Tells the grid that its editor lost the focus.
    void focusOutEvent(QFocusEvent *event) override;

private:
    void userEdited(const QString &Value);
    /// Whether the caret is at the start (end) with nothing selected, or with everything selected.
    bool AtStart() const;
    bool AtEnd() const;

    TCustomDrawGrid *m_grid; // the owner
    QString m_editMask;
    QString m_loadedText;
    QString m_undoText;
    QString m_lastText; // the text as of the latest change, by anyone
    QString m_previousText; // the text before the latest change
    bool m_typing = false; // a run of user edits since the last whole assignment
};

} // namespace QXPlatform
