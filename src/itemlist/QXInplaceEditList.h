// The item list editor's cell editor: the grid's in-place edit plus, per cell, an ellipsis button, a
// drop-down pick list and an expression mask (a regular expression the whole text must satisfy).
#pragma once

#include "InplaceEdit.h"
#include "StringList.h"

#include <QListWidget>

class TGRegularExpression;
class TQXCustomItemListEditor;

/// Asks for the entries of the drop-down list of cell (ACol, ARow).
QX_DECLARE_EVENT(TQXGetPickListItemsEvent, void(int ACol, int ARow, QXPlatform::TStrings *Items))
Q_DECLARE_METATYPE(TQXGetPickListItemsEvent)

class QXINSPECTORCORE_EXPORT TQXInplaceEditList : public QXPlatform::TInplaceEdit
{
    Q_OBJECT
public:
    explicit TQXInplaceEditList(TQXCustomItemListEditor *Grid);
    ~TQXInplaceEditList() override;
    Q_DISABLE_COPY_MOVE(TQXInplaceEditList)

    TQXCustomItemListEditor *GetGrid() const;
    int DropDownRows() const { return m_dropDownRows; }
    void SetDropDownRows(int Value) { m_dropDownRows = Value; }
    bool PickListLoaded() const { return m_pickListLoaded; }
    void SetPickListLoaded(bool Value) { m_pickListLoaded = Value; }
    bool ListVisible() const { return m_listVisible; }
    /// Puts back the text from before the current changes and hands it to the grid.
    virtual void RestoreContents();
    /// The commit-time test of the text against the cell's expression.
    virtual bool ValidateExpression();

    QXPlatform::TNotifyEvent OnEditButtonClick;
    TQXGetPickListItemsEvent OnGetPickListItems;

private:
    int m_dropDownRows = 0;
    bool m_pickListLoaded = false;
    bool m_listVisible = false;
};
