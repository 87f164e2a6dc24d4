#include "Cursors.h"

#include "Exceptions.h"
#include "FormatSettings.h"

#include <QCursor>
#include <limits>

namespace QXPlatform {

namespace {

struct CursorIdent
{
    Qt::CursorShape shape;
    const char *ident;
};

// In the order of Qt::CursorShape; BitmapCursor and CustomCursor stand for no standard shape.
constexpr CursorIdent cursorTable[] = {
    { Qt::ArrowCursor, "crArrow" },
    { Qt::UpArrowCursor, "crUpArrow" },
    { Qt::CrossCursor, "crCross" },
    { Qt::WaitCursor, "crWait" },
    { Qt::IBeamCursor, "crIBeam" },
    { Qt::SizeVerCursor, "crSizeNS" },
    { Qt::SizeHorCursor, "crSizeWE" },
    { Qt::SizeBDiagCursor, "crSizeNESW" },
    { Qt::SizeFDiagCursor, "crSizeNWSE" },
    { Qt::SizeAllCursor, "crSizeAll" },
    { Qt::BlankCursor, "crNone" },
    { Qt::SplitVCursor, "crVSplit" },
    { Qt::SplitHCursor, "crHSplit" },
    { Qt::PointingHandCursor, "crHandPoint" },
    { Qt::ForbiddenCursor, "crNo" },
    { Qt::WhatsThisCursor, "crHelp" },
    { Qt::BusyCursor, "crBusy" },
    { Qt::OpenHandCursor, "crOpenHand" },
    { Qt::ClosedHandCursor, "crClosedHand" },
    { Qt::DragCopyCursor, "crDragCopy" },
    { Qt::DragMoveCursor, "crDragMove" },
    { Qt::DragLinkCursor, "crDragLink" },
};

} // namespace

bool CursorToIdent(int Cursor, QString &Ident)
{
    for (const CursorIdent &entry : cursorTable) {
        if (entry.shape == Cursor) {
            Ident = QString::fromLatin1(entry.ident);
            return true;
        }
    }
    return false;
}

bool IdentToCursor(const QString &Ident, int &Cursor)
{
    for (const CursorIdent &entry : cursorTable) {
        if (Ident.compare(QLatin1String(entry.ident), Qt::CaseInsensitive) == 0) {
            Cursor = entry.shape;
            return true;
        }
    }
    return false;
}

QString CursorToString(TCursor Cursor)
{
    QString ident;
    return CursorToIdent(Cursor, ident) ? ident : QString::number(Cursor);
}

TCursor StringToCursor(const QString &S)
{
    int cursor = 0;
    if (IdentToCursor(S.trimmed(), cursor))
        return TCursor(cursor);
    const int number = StrToInt(S);
    if (number < std::numeric_limits<TCursor>::min() || number > std::numeric_limits<TCursor>::max())
        throw EConvertError(QStringLiteral("'%1' is not a valid cursor value").arg(S));
    return TCursor(number);
}

void GetCursorValues(const std::function<void(const QString &)> &Proc)
{
    for (const CursorIdent &entry : cursorTable)
        Proc(QString::fromLatin1(entry.ident));
}

} // namespace QXPlatform
