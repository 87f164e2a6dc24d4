/// \file
/// The item list editor's cell editor: the grid's in-place edit plus, per cell, an ellipsis button, a
/// drop-down pick list and an expression mask (a regular expression the text must satisfy). The grid
/// (QXCustomItemListEditor.h) makes one when editing first starts and loads it for every cell it moves to.
///
/// The drop-down, TPopupListbox, is a frameless tool-tip-type window: it never takes the focus, so the
/// keyboard focus stays in the editor, which forwards the keys the list needs while it is shown.
#pragma once

#include "EditStyle.h"
#include "InplaceEdit.h"
#include "StringList.h"

#include <QListWidget>
#include <memory>

class TGRegularExpression;
class TQXCustomItemListEditor;
class TQXInplaceEditList;

/// Asks for the entries of the drop-down list of cell (ACol, ARow).
QX_DECLARE_EVENT(TQXGetPickListItemsEvent, void(int ACol, int ARow, QXPlatform::TStrings *Items))
Q_DECLARE_METATYPE(TQXGetPickListItemsEvent)
/// A mouse button went up over a list, at (X, Y) in the list's client (viewport) coordinates.
QX_DECLARE_EVENT(TQXListMouseEvent,
                 void(QObject *Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y))
Q_DECLARE_METATYPE(TQXListMouseEvent)

/// Takes back the oldest waiting posted message Msg of Receiver (QXPlatform::RemoveWaitingMessage);
/// returns whether one was waiting. Qt's quit request is no posted message, so there is no quit message
/// to put back here.
QXINSPECTORCORE_EXPORT bool KillMessage(QObject *Receiver, int Msg);

/// The drop-down list of TQXInplaceEditList. It shows without activation, draws its selection as if it
/// had the focus, and searches incrementally as the user types: characters typed within 2 seconds of each
/// other build a search text of up to 32 characters, and the first entry that begins with it (letter
/// case ignored) is selected; Backspace and Escape clear the search text.
class QXINSPECTORCORE_EXPORT TPopupListbox : public QXPlatform::TGuarded<QListWidget>
{
    Q_OBJECT
public:
    /// Editor is the owner, which a mouse-up in the list closes up. Without an editor the list just
    /// lists.
    explicit TPopupListbox(TQXInplaceEditList *Editor);
    ~TPopupListbox() override;
    Q_DISABLE_COPY_MOVE(TPopupListbox)

    /// The editor that owns the list, or null.
    TQXInplaceEditList *Editor() const { return m_editor; }
    /// The entries as a string list: reading and changing it reads and changes the rows.
    QXPlatform::TStrings *Items() const { return m_items; }
    ///@{
    /// The selected row, -1 for none. Setting -1 clears the selection; setting a row scrolls it into view.
    int ItemIndex() const;
    void SetItemIndex(int Value);
    ///@}
    /// The height of every row: the font's line spacing plus a pixel above and below.
    int ItemHeight() const;
    /// The pixels that the frame adds to the rows' height (and to the client width).
    static constexpr int BorderSize = 4;
    /// The search text typed so far.
    QString SearchText() const { return m_searchText; }
    ///@{
    /// The most characters the search text grows to, and the pause in milliseconds that starts a new one.
    static constexpr int MaxSearchLength = 32;
    static constexpr int SearchPause = 2000;
    ///@}

    /// QListWidget's own type-ahead search is replaced by the incremental search.
    void keyboardSearch(const QString &search) override;

    /// Fired by a mouse button going up in the list, before the owning editor closes up.
    TQXListMouseEvent OnMouseUp;

protected:
    /// Milliseconds on a steady clock; pauses in the incremental search are measured with it.
    virtual qint64 TickCount() const;
    /// A typed character: Backspace and Escape clear the search text; a printable character extends it
    /// and selects the first matching entry. Sets Key to a null character when it used it.
    virtual void KeyPress(QChar &Key);

    /// Hands typed characters, Backspace and Escape to KeyPress; other keys go to the list.
    void keyPressEvent(QKeyEvent *event) override;
    /// Fires OnMouseUp, then closes the owning editor's list, taking the entry when the button went up
    /// inside the list.
    void mouseReleaseEvent(QMouseEvent *event) override;
    /// Keeps the selection drawn as focused when the palette changes.
    void changeEvent(QEvent *event) override;
    /// The rows' mouse events arrive through the viewport; guarded like event().
    bool viewportEvent(QEvent *event) final;

private:
    void paintAsFocused();

    TQXInplaceEditList *m_editor; // the owner
    QXPlatform::TStrings *m_items = nullptr;
    QString m_searchText;
    qint64 m_lastSearchTick = 0;
};

/// The item list editor's cell editor: the in-place edit with an ellipsis button, a drop-down pick list
/// and an expression mask, by the cell's edit style.
class QXINSPECTORCORE_EXPORT TQXInplaceEditList : public QXPlatform::TInplaceEdit
{
    Q_OBJECT
public:
    /// An editor for Grid's cells, owned by Grid.
    explicit TQXInplaceEditList(TQXCustomItemListEditor *Grid);
    ~TQXInplaceEditList() override;
    Q_DISABLE_COPY_MOVE(TQXInplaceEditList)

    /// The grid that owns the editor.
    TQXCustomItemListEditor *GetGrid() const;

    /// The drop-down list, made hidden on first request and kept for the editor's lifetime.
    virtual TPopupListbox *GetPickList();
    /// The commit-time test: true without an expression or before the editor was first shown, otherwise
    /// whether the expression matches somewhere in "\n" + text + "\r" (a pattern meant to cover the whole
    /// value anchors itself).
    virtual bool ValidateExpression();
    /// Puts back the text from before the current changes and hands it to the grid.
    virtual void RestoreContents();
    /// Fills the pick list for the current cell (DoGetPickListItems).
    virtual void LoadPickList();
    /// Shows the drop-down under the cell (above it when there is no room below the cell on the screen),
    /// fills the pick list first and selects the entry equal to the text. Nothing when already shown.
    virtual void DropDown();
    /// Hides the drop-down; with Accept, takes the selected entry into the cell, then checks the text
    /// against the expression (EVESKException when it fails, after undoing the last edit) and validates
    /// the cell. A read-only item never accepts. Checking and validating happen also without a list shown.
    virtual void CloseUp(bool Accept);

    ///@{
    /// The cell's expression; empty for none.
    QString GetExpression() const;
    void SetExpression(const QString &Value);
    ///@}
    /// The current cell's edit style: plain, with an ellipsis button, or with a pick list.
    QXPlatform::TEditStyle EditStyle() const { return m_editStyle; }
    /// The drop-down of the current cell: the pick list for esPickList, otherwise null.
    QWidget *ActiveList() const { return m_activeList; }
    ///@{
    /// Width in pixels of the button area at the right (left under right-to-left layout).
    int ButtonWidth() const { return m_buttonWidth; }
    void SetButtonWidth(int Value);
    ///@}
    ///@{
    /// The most rows the pick list shows before it scrolls; 0 shows all.
    int DropDownRows() const { return m_dropDownRows; }
    void SetDropDownRows(int Value) { m_dropDownRows = Value; }
    ///@}
    ///@{
    /// Whether the pick list holds the entries of the current cell.
    bool PickListLoaded() const { return m_pickListLoaded; }
    void SetPickListLoaded(bool Value) { m_pickListLoaded = Value; }
    ///@}
    /// Whether the drop-down is shown.
    bool ListVisible() const { return m_listVisible; }
    ///@{
    /// Whether a press on the button is being followed, and whether the button is drawn pressed.
    bool Tracking() const { return m_tracking; }
    bool Pressed() const { return m_pressed; }
    ///@}
    /// The button area in the editor's coordinates.
    QRect ButtonRect() const;
    /// Whether P (editor coordinates) lies on the button.
    bool OverButton(const QPoint &P) const;

    /// Loads the grid's current cell, then its edit style, expression and font.
    void UpdateContents() override;
    /// The whole text was assigned (or taken by the grid with Enter): unless the expression matches all
    /// of it, the assignment is undone.
    void TextAssigned() override;

    /// Fired by a click on the ellipsis button, with the grid as sender.
    QXPlatform::TNotifyEvent OnEditButtonClick;
    /// Asks for the entries of the current cell's pick list.
    TQXGetPickListItemsEvent OnGetPickListItems;

protected:
    /// Alt+Up and Alt+Down open and close the list; Enter and Escape close an open one, taking the
    /// selected entry with Enter. Sets Key to 0 when it used the key.
    virtual void DoDropDownKeys(int &Key, Qt::KeyboardModifiers Shift);
    /// Fires OnEditButtonClick with the grid as sender.
    virtual void DoEditButtonClick();
    /// Asks OnGetPickListItems for the entries, unless the list is loaded for this cell already.
    virtual void DoGetPickListItems();
    /// A double click: cycles a pick-list cell through its values, fires an ellipsis cell's button, or
    /// passes it to the grid.
    virtual void DblClick();
    /// Ctrl+Left and Ctrl+Right: the caret (with Shift, the active end of the selection) moves to the
    /// start of the previous or next word, a word being a run of ASCII letters and digits.
    void ArrowKeys(int Key, Qt::KeyboardModifiers Shift);
    /// Follows a press on the button: the button is drawn pressed while (X, Y) is over it.
    void TrackButton(int X, int Y);
    /// Ends following a press on the button; the button is drawn released.
    void StopTracking();
    /// The pick list's OnMouseUp: a left button going up closes the list, taking the entry when inside.
    void ListMouseUp(QObject *Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);

    void BoundsChanged() override;
    void KeyDown(int &Key, Qt::KeyboardModifiers Shift) override;

    /// A pick-list cell's keys go to DoDropDownKeys first, and to the shown list after; other keys as
    /// for the in-place edit.
    void keyPressEvent(QKeyEvent *event) override;
    /// A left press on the button starts following it (or closes a shown list); other presses edit the
    /// text.
    void mousePressEvent(QMouseEvent *event) override;
    /// Follows a press on the button, or passes the move to the list or the text.
    void mouseMoveEvent(QMouseEvent *event) override;
    /// A left release over an ellipsis button still drawn pressed clicks it (DoEditButtonClick).
    void mouseReleaseEvent(QMouseEvent *event) override;
    /// On the button, a second press; on the text, DblClick after the line edit's own handling.
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    /// Paints the text, then the button of an ellipsis or pick-list cell.
    void paintEvent(QPaintEvent *event) override;
    /// Stops following the button and closes the list without taking a value.
    void focusOutEvent(QFocusEvent *event) override;
    /// Stops following the button and closes a shown list without taking a value.
    void hideEvent(QHideEvent *event) override;
    /// While the list is shown: a press anywhere else in the application closes it without taking a value.
    bool GuardedEventFilter(QObject *watched, QEvent *event) override;

private:
    /// Raises the expression failure for the current text, after undoing the last edit.
    [[noreturn]] void ExpressionFailed();
    /// The commit check of the key handling: the expression test, then the list's selection follows the
    /// text.
    void CommitCheck();
    /// Puts Value into the edit as the user's change, without the whole-text processing.
    void TakeValue(const QString &Value);
    bool AtLeftSide() const;
    bool AtRightSide() const;
    void UpdateTextMargins();
    void UpdateCursorShape(const QPoint &P);
    void ForwardMouseToList(QMouseEvent *event, QEvent::Type type);
    void PaintButton(QPainter &Painter);

    std::unique_ptr<TGRegularExpression> m_matcher;
    TPopupListbox *m_pickList = nullptr; // owned
    QWidget *m_activeList = nullptr; // the pick list or null
    QXPlatform::TEditStyle m_editStyle = QXPlatform::esSimple;
    int m_buttonWidth = 0;
    int m_dropDownRows = 0;
    QPoint m_mousePos; // of the latest mouse event
    bool m_pickListLoaded = false;
    bool m_listVisible = false;
    bool m_tracking = false;
    bool m_pressed = false;
    bool m_restoring = false; // RestoreContents puts the text back: no expression check then
    bool m_listHasMouse = false; // a press on the button was dragged into the list, which follows it now
};
