#include "QXInplaceEditList.h"

#include "GRegularExpression.h"
#include "Messages.h"
#include "QXConsts.h"
#include "QXCustomItemListEditor.h"
#include "QXException.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOption>
#include <QStyledItemDelegate>
#include <qdrawutil.h>

using namespace QXPlatform;

bool KillMessage(QObject *Receiver, int Msg)
{
    return RemoveWaitingMessage(Receiver, Msg);
}

namespace {

// The rows of a TPopupListbox as a string list, so that whoever fills a pick list fills the rows directly.
class TListBoxStrings : public TStrings
{
public:
    explicit TListBoxStrings(QListWidget *List)
        : m_list(List)
    { }

    void Insert(int Index, const QString &S) override
    {
        if (Index < 0 || Index > m_list->count())
            StringListIndexError(Index);
        m_list->insertItem(Index, S);
    }
    void Delete(int Index) override
    {
        check(Index);
        delete m_list->takeItem(Index);
    }
    void Clear() override { m_list->clear(); }

protected:
    QString Get(int Index) const override
    {
        check(Index);
        return m_list->item(Index)->text();
    }
    int GetCount() const override { return m_list->count(); }
    void Put(int Index, const QString &S) override
    {
        check(Index);
        m_list->item(Index)->setText(S);
    }

private:
    void check(int Index) const
    {
        if (Index < 0 || Index >= m_list->count())
            StringListIndexError(Index);
    }

    QListWidget *m_list;
};

// Every row of a pick list is ItemHeight high, so that the list's height is a whole number of rows.
class TRowDelegate : public QStyledItemDelegate
{
public:
    explicit TRowDelegate(TPopupListbox *List)
        : QStyledItemDelegate(List)
        , m_list(List)
    { }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return { QStyledItemDelegate::sizeHint(option, index).width(), m_list->ItemHeight() };
    }

private:
    TPopupListbox *m_list;
};

// The frame around the rows: a one-pixel line and a one-pixel gap on each side (TPopupListbox::BorderSize).
constexpr int frameLine = 1;
constexpr int frameGap = 1;
static_assert(2 * (frameLine + frameGap) == TPopupListbox::BorderSize);

bool isWordChar(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z');
}

// The selection as the edit reports it: start and end, both at the caret when nothing is selected.
std::pair<int, int> selectionOf(const QLineEdit *Edit)
{
    const int start = Edit->selectionStart();
    if (start < 0)
        return { Edit->cursorPosition(), Edit->cursorPosition() };
    return { start, Edit->selectionEnd() };
}

QString expressionMismatch(const QString &Expression)
{
    return QCoreApplication::translate("QXInspector", "the text does not match the pattern %1")
        .arg(Expression);
}

} // namespace

// -------------------------------------------------------------------------------------------------------
// TPopupListbox

TPopupListbox::TPopupListbox(TQXInplaceEditList *Editor)
    : TGuarded<QListWidget>(Editor)
    , m_editor(Editor)
{
    // A tool-tip window is shown without activation on every platform (the offscreen one included) and
    // never takes the focus: the editor keeps it and forwards the keys the list needs.
    setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(frameLine);
    setViewportMargins(frameGap, frameGap, frameGap, frameGap);
    setItemDelegate(new TRowDelegate(this));
    m_items = Create<TListBoxStrings>(this);
    paintAsFocused();
}

TPopupListbox::~TPopupListbox()
{
    FreeAndNil(m_items);
}

int TPopupListbox::ItemIndex() const
{
    const QListWidgetItem *current = currentItem();
    return current && current->isSelected() ? row(current) : -1;
}

void TPopupListbox::SetItemIndex(int Value)
{
    if (Value < 0 || Value >= count()) {
        setCurrentRow(-1);
        clearSelection();
        scrollToTop();
        return;
    }
    setCurrentRow(Value);
    scrollToItem(item(Value));
}

int TPopupListbox::ItemHeight() const
{
    return fontMetrics().height() + 2;
}

void TPopupListbox::keyboardSearch(const QString &search)
{
    Q_UNUSED(search);
}

qint64 TPopupListbox::TickCount() const
{
    static const QElapsedTimer clock = [] {
        QElapsedTimer timer;
        timer.start();
        return timer;
    }();
    return clock.elapsed();
}

void TPopupListbox::KeyPress(QChar &Key)
{
    const char16_t code = Key.unicode();
    if (code == u'\b' || code == 27) {
        m_searchText.clear();
        return;
    }
    if (code < 32)
        return;
    const qint64 now = TickCount();
    if (now - m_lastSearchTick > SearchPause)
        m_searchText.clear();
    m_lastSearchTick = now;
    if (m_searchText.size() < MaxSearchLength)
        m_searchText += Key;
    for (int i = 0; i < count(); ++i) {
        if (item(i)->text().startsWith(m_searchText, Qt::CaseInsensitive)) {
            SetItemIndex(i);
            break;
        }
    }
    Key = QChar();
}

void TPopupListbox::keyPressEvent(QKeyEvent *event)
{
    QChar key;
    if (event->key() == Qt::Key_Backspace)
        key = QChar(u'\b');
    else if (event->key() == Qt::Key_Escape)
        key = QChar(27);
    else if (event->text().size() == 1
             && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        key = event->text().at(0);
    if (!key.isNull()) {
        KeyPress(key);
        if (key.isNull()) {
            event->accept();
            return;
        }
    }
    TGuarded<QListWidget>::keyPressEvent(event);
}

void TPopupListbox::mouseReleaseEvent(QMouseEvent *event)
{
    TGuarded<QListWidget>::mouseReleaseEvent(event);
    const QPoint p = event->position().toPoint();
    if (OnMouseUp)
        OnMouseUp(this, event->button(), event->modifiers(), p.x(), p.y());
    // For any button; after a left click OnMouseUp has closed the list already, and this repeats only the
    // editor's checks, which find nothing new to do.
    if (m_editor)
        m_editor->CloseUp(viewport()->rect().contains(p));
}

void TPopupListbox::changeEvent(QEvent *event)
{
    TGuarded<QListWidget>::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        paintAsFocused();
}

bool TPopupListbox::viewportEvent(QEvent *event)
{
    bool result = false;
    Guarded([&] { result = TGuarded<QListWidget>::viewportEvent(event); });
    return result;
}

void TPopupListbox::paintAsFocused()
{
    // The list's window is never the active one; its selection is drawn in the active colours anyway,
    // as the selection of the control the user is working in.
    QPalette p = palette();
    bool changed = false;
    for (QPalette::ColorRole role : { QPalette::Highlight, QPalette::HighlightedText }) {
        if (p.color(QPalette::Inactive, role) != p.color(QPalette::Active, role)) {
            p.setColor(QPalette::Inactive, role, p.color(QPalette::Active, role));
            changed = true;
        }
    }
    if (changed)
        setPalette(p);
}

// -------------------------------------------------------------------------------------------------------
// TQXInplaceEditList

TQXInplaceEditList::TQXInplaceEditList(TQXCustomItemListEditor *Grid)
    : TInplaceEdit(Grid)
    , m_matcher(std::make_unique<TGRegularExpression>())
{
    m_buttonWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    // The pointer shape changes over the button without a button held.
    setMouseTracking(true);
}

TQXInplaceEditList::~TQXInplaceEditList()
{
    qApp->removeEventFilter(this);
    delete std::exchange(m_pickList, nullptr);
}

TQXCustomItemListEditor *TQXInplaceEditList::GetGrid() const
{
    return static_cast<TQXCustomItemListEditor *>(Grid());
}

TPopupListbox *TQXInplaceEditList::GetPickList()
{
    if (!m_pickList) {
        m_pickList = new TPopupListbox(this);
        m_pickList->OnMouseUp = [this](QObject *Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift,
                                       int X, int Y) { ListMouseUp(Sender, Button, Shift, X, Y); };
    }
    return m_pickList;
}

QString TQXInplaceEditList::GetExpression() const
{
    return m_matcher->GetExpression();
}

void TQXInplaceEditList::SetExpression(const QString &Value)
{
    if (Value != m_matcher->GetExpression())
        m_matcher->SetExpression(Value);
}

void TQXInplaceEditList::SetButtonWidth(int Value)
{
    if (Value == m_buttonWidth)
        return;
    m_buttonWidth = Value;
    UpdateTextMargins();
    update();
}

// ---- Loading a cell

void TQXInplaceEditList::UpdateContents()
{
    // A list left open would offer the values of the cell that is being left.
    if (m_listVisible)
        CloseUp(false);
    TInplaceEdit::UpdateContents();
    m_activeList = nullptr;
    m_pickListLoaded = false;
    m_editStyle = esSimple;
    if (TQXCustomItemListEditor *grid = GetGrid()) {
        const int col = grid->Col();
        const int row = grid->Row();
        m_editStyle = grid->GetEditStyle(col, row);
        if (m_editStyle == esPickList)
            m_activeList = GetPickList();
        SetExpression(grid->GetExpressionMask(col, row));
        if (const TFont *cellFont = grid->GetCellFont(col, row)) {
            setFont(cellFont->ToQFont());
            const QColor color = cellFont->ToQColor();
            if (color.isValid() && color != palette().color(QPalette::Text)) {
                QPalette p = palette();
                p.setColor(QPalette::Text, color);
                setPalette(p);
            }
        }
    }
    UpdateTextMargins();
    update();
}

void TQXInplaceEditList::RestoreContents()
{
    // The text from before the edit comes back as it was, even where the expression would refuse it.
    {
        const QScopedValueRollback<bool> restoring(m_restoring, true);
        Reset();
    }
    const TQXCustomItemListEditor *grid = GetGrid();
    if (grid && grid->Col() != -1 && grid->Row() != -1)
        GridSetEditText(text());
}

// ---- The expression

bool TQXInplaceEditList::ValidateExpression()
{
    // Before the editor was first shown no text has been edited in it.
    if (!testAttribute(Qt::WA_WState_Created) || GetExpression().isEmpty())
        return true;
    return m_matcher->Match(u'\n' + text() + u'\r') > 0;
}

void TQXInplaceEditList::TextAssigned()
{
    TInplaceEdit::TextAssigned();
    if (GetExpression().isEmpty() || m_restoring)
        return;
    const QString value = text();
    int length = 0;
    const int position = m_matcher->MatchFrom(value, 1, length);
    if (position != 1 || length != value.size())
        Undo();
}

void TQXInplaceEditList::ExpressionFailed()
{
    const QString message = QXConsts::InvalidPropertyValue(text(), expressionMismatch(GetExpression()));
    Undo();
    throw EVESKException(message);
}

void TQXInplaceEditList::CommitCheck()
{
    if (!ValidateExpression())
        ExpressionFailed();
    if (m_pickListLoaded && m_editStyle == esPickList && m_pickList)
        m_pickList->SetItemIndex(m_pickList->Items()->IndexOf(text()));
}

// ---- The button

QRect TQXInplaceEditList::ButtonRect() const
{
    const TQXCustomItemListEditor *grid = GetGrid();
    const bool rightToLeft = grid ? grid->IsRightToLeft() : layoutDirection() == Qt::RightToLeft;
    if (rightToLeft)
        return { 0, 0, m_buttonWidth, height() };
    return { width() - m_buttonWidth, 0, m_buttonWidth, height() };
}

bool TQXInplaceEditList::OverButton(const QPoint &P) const
{
    return ButtonRect().contains(P);
}

void TQXInplaceEditList::TrackButton(int X, int Y)
{
    const bool pressed = ButtonRect().contains(X, Y);
    if (pressed == m_pressed)
        return;
    m_pressed = pressed;
    update(ButtonRect());
}

void TQXInplaceEditList::StopTracking()
{
    if (!m_tracking)
        return;
    TrackButton(-1, -1);
    m_tracking = false;
}

void TQXInplaceEditList::DoEditButtonClick()
{
    if (OnEditButtonClick)
        OnEditButtonClick(GetGrid());
}

void TQXInplaceEditList::BoundsChanged()
{
    UpdateTextMargins();
}

void TQXInplaceEditList::UpdateTextMargins()
{
    TInplaceEdit::BoundsChanged();
    if (m_editStyle == esSimple)
        return;
    // The text stays clear of the button.
    QMargins margins = textMargins();
    if (ButtonRect().left() == 0)
        margins.setLeft(margins.left() + m_buttonWidth);
    else
        margins.setRight(margins.right() + m_buttonWidth);
    setTextMargins(margins);
}

void TQXInplaceEditList::UpdateCursorShape(const QPoint &P)
{
    if (m_editStyle != esSimple && OverButton(P))
        setCursor(Qt::ArrowCursor);
    else
        setCursor(isReadOnly() ? Qt::ArrowCursor : Qt::IBeamCursor);
}

void TQXInplaceEditList::paintEvent(QPaintEvent *event)
{
    TInplaceEdit::paintEvent(event);
    if (m_editStyle == esSimple)
        return;
    QPainter painter(this);
    PaintButton(painter);
}

void TQXInplaceEditList::PaintButton(QPainter &Painter)
{
    const QRect r = ButtonRect();
    const QPalette &pal = palette();
    // Raised, or flat with a one-pixel border while pressed.
    if (m_pressed) {
        Painter.fillRect(r, pal.button());
        Painter.setPen(pal.color(QPalette::Dark));
        Painter.drawRect(r.adjusted(0, 0, -1, -1));
    } else {
        qDrawWinButton(&Painter, r, pal, false, &pal.button());
    }
    const int shift = m_pressed ? 1 : 0;
    if (m_editStyle == esEllipsis) {
        const int side = qMax(1, m_buttonWidth / 8);
        const int x = r.left() + r.width() / 2 - 1 + shift;
        const int y = r.top() + r.height() / 2 - 1 + shift;
        for (int dx : { -2 * side, 0, 2 * side })
            Painter.fillRect(QRect(x + dx, y, side, side), Qt::black);
        return;
    }
    QStyleOption option;
    option.initFrom(this);
    const int margin = qMax(2, m_buttonWidth / 5);
    option.rect = r.adjusted(margin, margin, -margin, -margin).translated(shift, shift);
    option.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
    // Drawn disabled when the cell offers no list.
    if (!m_activeList)
        option.state &= ~QStyle::State_Enabled;
    if (!(option.state & QStyle::State_Enabled))
        option.palette.setCurrentColorGroup(QPalette::Disabled);
    style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &option, &Painter, this);
}

// ---- The list

void TQXInplaceEditList::LoadPickList()
{
    DoGetPickListItems();
}

void TQXInplaceEditList::DoGetPickListItems()
{
    if (m_pickListLoaded)
        return;
    TPopupListbox *list = GetPickList();
    if (OnGetPickListItems) {
        const TQXCustomItemListEditor *grid = GetGrid();
        OnGetPickListItems(grid ? grid->Col() : -1, grid ? grid->Row() : -1, list->Items());
    }
    // A list that came back empty is asked again next time.
    m_pickListLoaded = list->count() > 0;
    list->SetItemIndex(list->Items()->IndexOf(text()));
}

void TQXInplaceEditList::DropDown()
{
    if (m_listVisible || !m_activeList)
        return;
    QWidget *list = m_activeList;
    QSize size(width(), list->height());
    if (list == m_pickList) {
        TPopupListbox *pickList = m_pickList;
        DoGetPickListItems();
        QPalette p = pickList->palette();
        for (QPalette::ColorRole role : { QPalette::Base, QPalette::Text })
            p.setColor(role, palette().color(role));
        pickList->setPalette(p);
        QFont plain = font();
        plain.setBold(false);
        plain.setItalic(false);
        plain.setUnderline(false);
        plain.setStrikeOut(false);
        pickList->setFont(plain);
        pickList->setLayoutDirection(layoutDirection());

        const int count = pickList->count();
        const int rows = m_dropDownRows > 0 && count >= m_dropDownRows ? m_dropDownRows : qMax(count, 1);
        size.setHeight(pickList->ItemHeight() * rows + TPopupListbox::BorderSize);
        pickList->SetItemIndex(text().isEmpty() ? -1 : pickList->Items()->IndexOf(text()));

        // Wide enough for the widest entry with the margins the rows draw their text in, and for the
        // scroll bar when not every row fits.
        const QFontMetrics metrics(plain);
        int widest = 0;
        for (int i = 0; i < count; ++i)
            widest = qMax(widest, metrics.horizontalAdvance(pickList->item(i)->text()));
        if (widest > 0)
            widest
                += 2 * (pickList->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, pickList) + 1);
        int chrome = TPopupListbox::BorderSize;
        if (count > rows)
            chrome += pickList->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr,
                                                     pickList->verticalScrollBar());
        size.setWidth(qMax(size.width(), widest + chrome));
    }

    // Under the cell, or above it when it would run past the bottom of the screen. Nothing keeps it
    // inside the screen's right edge.
    const QPoint topLeft = parentWidget() ? parentWidget()->mapToGlobal(pos()) : mapToGlobal(QPoint());
    int y = topLeft.y() + height();
    if (const QScreen *s = screen()) {
        const QRect screenRect = s->geometry();
        if (y + size.height() > screenRect.y() + screenRect.height())
            y = topLeft.y() - size.height();
    }
    list->setGeometry(QRect(QPoint(topLeft.x(), y), size));
    list->show();
    m_listVisible = true;
    qApp->installEventFilter(this);
    update();
    SetFocus();
}

void TQXInplaceEditList::CloseUp(bool Accept)
{
    TQXCustomItemListEditor *grid = GetGrid();
    if (grid) {
        const TQXItemProp *item = grid->FindItemProp(grid->Col(), grid->Row(), true);
        if (item && item->IsReadOnly())
            Accept = false;
    }
    if (m_listVisible) {
        // A press on the button that went on into the list ends here.
        StopTracking();
        m_listHasMouse = false;
        QString value;
        bool chosen = false;
        if (m_activeList && m_activeList == m_pickList) {
            const int index = m_pickList->ItemIndex();
            if (index != -1) {
                value = m_pickList->item(index)->text();
                chosen = true;
            }
        }
        if (QWidget *list = m_activeList ? m_activeList : m_pickList)
            list->hide();
        m_listVisible = false;
        qApp->removeEventFilter(this);
        update();
        if (Accept && chosen && value != text()) {
            // A list entry the expression refuses reaches neither the editor nor the item.
            if (!GetExpression().isEmpty() && m_matcher->Match(u'\n' + value + u'\r') <= 0)
                throw EVESKException(
                    QXConsts::InvalidPropertyValue(value, expressionMismatch(GetExpression())));
            TakeValue(value);
        }
    }
    if (!Accept)
        return;
    if (!ValidateExpression())
        ExpressionFailed();
    if (grid)
        grid->Validate();
}

void TQXInplaceEditList::TakeValue(const QString &Value)
{
    // QLineEdit's own setText: an entry chosen from the list is the user's change, not a whole-text
    // assignment that the expression would undo.
    setText(Value);
    SetModified(true);
    GridSetEditText(Value);
}

void TQXInplaceEditList::ListMouseUp(QObject *Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift,
                                     int X, int Y)
{
    Q_UNUSED(Sender);
    Q_UNUSED(Shift);
    if (Button == Qt::LeftButton && m_pickList)
        CloseUp(m_pickList->viewport()->rect().contains(X, Y));
}

// ---- Keys

void TQXInplaceEditList::keyPressEvent(QKeyEvent *event)
{
    if (m_editStyle == esPickList) {
        int key = event->key();
        DoDropDownKeys(key, event->modifiers() & ~Qt::KeypadModifier);
        if (key == 0) {
            event->accept();
            return;
        }
        // While the list is shown it gets the keys, unchanged; the editor keeps the focus.
        if (m_listVisible && m_pickList) {
            QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text(),
                           event->isAutoRepeat(), ushort(event->count()));
            QCoreApplication::sendEvent(m_pickList, &copy);
            event->accept();
            return;
        }
    }
    TInplaceEdit::keyPressEvent(event);
}

void TQXInplaceEditList::DoDropDownKeys(int &Key, Qt::KeyboardModifiers Shift)
{
    switch (Key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (Shift & Qt::AltModifier) {
            Key = 0;
            if (m_listVisible)
                CloseUp(true);
            else
                DropDown();
        }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        if (!(Shift & Qt::AltModifier) && m_listVisible) {
            const bool accept = Key != Qt::Key_Escape;
            Key = 0;
            CloseUp(accept);
        }
        break;
    default:
        break;
    }
}

bool TQXInplaceEditList::AtLeftSide() const
{
    const auto [start, end] = selectionOf(this);
    return cursorPosition() == 0 && start == 0 && (end == 0 || end == text().size());
}

bool TQXInplaceEditList::AtRightSide() const
{
    const auto [start, end] = selectionOf(this);
    const int length = int(text().size());
    return cursorPosition() == length && (start == 0 || start == end) && end == length;
}

void TQXInplaceEditList::KeyDown(int &Key, Qt::KeyboardModifiers Shift)
{
    const TQXCustomItemListEditor *grid = GetGrid();
    const bool wordMoves = grid && (grid->Options() & goAlwaysShowEditor) && (Shift & Qt::ControlModifier);
    switch (Key) {
    case Qt::Key_Tab:
        if (!(Shift & Qt::AltModifier))
            CommitCheck();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // The grid's key handling (its KeyDown first) gets Enter with whatever modifiers came with it.
        CommitCheck();
        SendToGrid(Key, Shift);
        Key = 0;
        return;
    case Qt::Key_Escape:
        // Escape abandons the edit: the text is restored whether the expression accepts it or not.
        break;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Up:
    case Qt::Key_Down:
        CommitCheck();
        break;
    case Qt::Key_Insert:
        if (!(Shift & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
            CommitCheck();
        break;
    case Qt::Key_Left:
        if (wordMoves && !AtLeftSide()) {
            ArrowKeys(Key, Shift);
            Key = 0;
            return;
        }
        break;
    case Qt::Key_Right:
        if (wordMoves && !AtRightSide()) {
            ArrowKeys(Key, Shift);
            Key = 0;
            return;
        }
        break;
    default:
        break;
    }
    TInplaceEdit::KeyDown(Key, Shift);
}

void TQXInplaceEditList::ArrowKeys(int Key, Qt::KeyboardModifiers Shift)
{
    if (!(Shift & Qt::ControlModifier) || (Key != Qt::Key_Left && Key != Qt::Key_Right))
        return;
    const QString value = text();
    const int length = int(value.size());
    const int caret = cursorPosition();
    int position = caret;
    if (Key == Qt::Key_Right) {
        while (position < length && isWordChar(value.at(position)))
            ++position;
        while (position < length && !isWordChar(value.at(position)))
            ++position;
    } else {
        while (position > 0 && !isWordChar(value.at(position - 1)))
            --position;
        while (position > 0 && isWordChar(value.at(position - 1)))
            --position;
    }
    if (!(Shift & Qt::ShiftModifier)) {
        deselect();
        setCursorPosition(position);
        return;
    }
    // The selection keeps its anchor; the new position is its active end.
    const auto [start, end] = selectionOf(this);
    int anchor = start;
    if (start != end && caret == start)
        anchor = end;
    else if (start != end && caret != end)
        std::swap(anchor, position);
    setSelection(anchor, position - anchor);
}

// ---- Mouse

void TQXInplaceEditList::mousePressEvent(QMouseEvent *event)
{
    m_mousePos = event->position().toPoint();
    if (event->button() == Qt::LeftButton && m_editStyle != esSimple && OverButton(m_mousePos)) {
        // The press belongs to the button, not to the text. Releasing it over the button clicks it; a
        // press while the list is shown closes the list.
        if (m_listVisible) {
            CloseUp(false);
        } else {
            m_tracking = true;
            TrackButton(m_mousePos.x(), m_mousePos.y());
            if (m_activeList)
                DropDown();
        }
        event->accept();
        return;
    }
    TInplaceEdit::mousePressEvent(event);
}

void TQXInplaceEditList::ForwardMouseToList(QMouseEvent *event, QEvent::Type type)
{
    QWidget *viewport = m_pickList->viewport();
    const QPointF global = event->globalPosition();
    QMouseEvent copy(type, viewport->mapFromGlobal(global), global, event->button(), event->buttons(),
                     event->modifiers());
    QCoreApplication::sendEvent(viewport, &copy);
}

void TQXInplaceEditList::mouseMoveEvent(QMouseEvent *event)
{
    m_mousePos = event->position().toPoint();
    if (m_listHasMouse && m_pickList) {
        ForwardMouseToList(event, QEvent::MouseMove);
        return;
    }
    UpdateCursorShape(m_mousePos);
    if (!m_tracking) {
        TInplaceEdit::mouseMoveEvent(event);
        return;
    }
    TrackButton(m_mousePos.x(), m_mousePos.y());
    if (m_listVisible && m_pickList && m_activeList == m_pickList) {
        // A press on the button dragged into the shown list turns into a press in the list, which then
        // follows the mouse until the release picks an entry.
        QWidget *viewport = m_pickList->viewport();
        const QPoint inList = viewport->mapFromGlobal(event->globalPosition().toPoint());
        if (viewport->rect().contains(inList)) {
            StopTracking();
            m_listHasMouse = true;
            QMouseEvent press(QEvent::MouseButtonPress, QPointF(inList), event->globalPosition(),
                              Qt::LeftButton, Qt::LeftButton, event->modifiers());
            QCoreApplication::sendEvent(viewport, &press);
        }
    }
}

void TQXInplaceEditList::mouseReleaseEvent(QMouseEvent *event)
{
    m_mousePos = event->position().toPoint();
    if (m_listHasMouse && m_pickList) {
        m_listHasMouse = false;
        ForwardMouseToList(event, QEvent::MouseButtonRelease);
        return;
    }
    const bool wasTracking = m_tracking;
    const bool wasPressed = m_pressed;
    StopTracking();
    if (event->button() == Qt::LeftButton && m_editStyle == esEllipsis && wasPressed)
        DoEditButtonClick();
    if (!wasTracking)
        TInplaceEdit::mouseReleaseEvent(event);
}

void TQXInplaceEditList::mouseDoubleClickEvent(QMouseEvent *event)
{
    m_mousePos = event->position().toPoint();
    // On the button a double click is just its second press: the button handles its own clicks.
    if (m_editStyle != esSimple && OverButton(m_mousePos)) {
        mousePressEvent(event);
        return;
    }
    TInplaceEdit::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        DblClick();
}

void TQXInplaceEditList::DblClick()
{
    TQXCustomItemListEditor *grid = GetGrid();
    const bool pickList = m_editStyle == esPickList && m_activeList && m_activeList == m_pickList;
    const TQXItemProp *item = grid ? grid->FindItemProp(grid->Col(), grid->Row(), true) : nullptr;
    if (pickList && item && item->IsReadOnly())
        return;
    if (m_editStyle == esSimple || (grid && grid->OnDblClick)) {
        if (grid)
            grid->DblClick();
    } else if (pickList) {
        if (OverButton(m_mousePos))
            return;
        // Each double click moves on to the next value, from the last back to the first.
        DoGetPickListItems();
        const int count = m_pickList->count();
        if (count > 0) {
            int next = m_pickList->ItemIndex() + 1;
            if (next >= count)
                next = 0;
            m_pickList->SetItemIndex(next);
            TakeValue(m_pickList->item(next)->text());
            selectAll();
        }
    } else if (m_editStyle == esEllipsis) {
        DoEditButtonClick();
    }
    if (pickList && grid)
        grid->Validate();
}

// ---- Focus and the rest of the application

void TQXInplaceEditList::focusOutEvent(QFocusEvent *event)
{
    TInplaceEdit::focusOutEvent(event);
    StopTracking();
    CloseUp(false);
}

void TQXInplaceEditList::hideEvent(QHideEvent *event)
{
    TInplaceEdit::hideEvent(event);
    StopTracking();
    if (m_listVisible)
        CloseUp(false);
}

bool TQXInplaceEditList::GuardedEventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (m_listVisible && watched->isWidgetType()
        && (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick
            || type == QEvent::NonClientAreaMouseButtonPress)) {
        const auto *widget = static_cast<QWidget *>(watched);
        const bool inList = m_pickList && (widget == m_pickList || m_pickList->isAncestorOf(widget));
        if (widget != this && !inList)
            CloseUp(false);
    }
    return TInplaceEdit::GuardedEventFilter(watched, event);
}
