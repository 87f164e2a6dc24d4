#include "QXInplaceEditList.h"

#include "QXCustomItemListEditor.h"

TQXInplaceEditList::TQXInplaceEditList(TQXCustomItemListEditor *Grid)
    : TInplaceEdit(Grid)
{
}

TQXInplaceEditList::~TQXInplaceEditList() = default;

TQXCustomItemListEditor *TQXInplaceEditList::GetGrid() const
{
    return static_cast<TQXCustomItemListEditor *>(Grid());
}

void TQXInplaceEditList::RestoreContents()
{
    Reset();
}

bool TQXInplaceEditList::ValidateExpression()
{
    return true;
}
