#include "QXCustomDeltaFont.h"

#include <QScopedValueRollback>

using QXPlatform::TFont;
using QXPlatform::TFontStyles;

namespace {

constexpr TFontStyles allStyles
    = QXPlatform::fsBold | QXPlatform::fsItalic | QXPlatform::fsUnderline | QXPlatform::fsStrikeOut;

} // namespace

TQXCustomDeltaFont::TQXCustomDeltaFont(QObject *parent)
    : TFont(parent)
{ }

TQXCustomDeltaFont::~TQXCustomDeltaFont() = default;

TFont *TQXCustomDeltaFont::OriginalFont()
{
    TFont *original = nullptr;
    if (OnGetOriginalFont)
        OnGetOriginalFont(this, original);
    return original;
}

void TQXCustomDeltaFont::OriginalFontChanged(TFont *NewOriginal)
{
    if (!NewOriginal)
        return;
    QFont font = NewOriginal->ToQFont();
    if (m_delta.name)
        font.setFamily(Name());
    if (m_delta.size)
        font.setPointSize(Size());
    font = WithStyle(font, (NewOriginal->Style() | m_delta.added) & ~m_delta.removed);
    const QXPlatform::TColor color = m_delta.color ? Color() : NewOriginal->Color();
    const QScopedValueRollback<bool> following(m_followingOriginal, true);
    SetFontAndColor(font, color);
}

void TQXCustomDeltaFont::Assign(const QObject *Source)
{
    TFont::Assign(Source);
    UpdateDelta(OriginalFont());
}

void TQXCustomDeltaFont::AssignDelta(const TQXCustomDeltaFont *Source)
{
    if (!Source || Source == this)
        return;
    const Delta delta = Source->m_delta;
    const TFont *original = OriginalFont();
    const TFont *base = original ? original : this;
    QFont font = base->ToQFont();
    if (delta.name)
        font.setFamily(Source->Name());
    if (delta.size)
        font.setPointSize(Source->Size());
    font = WithStyle(font, (base->Style() | delta.added) & ~delta.removed);
    m_delta = delta;
    const QScopedValueRollback<bool> following(m_followingOriginal, true);
    SetFontAndColor(font, delta.color ? Source->Color() : base->Color());
}

void TQXCustomDeltaFont::SetOverrides(bool Name, bool Size, bool Color, TFontStyles Added,
                                      TFontStyles Removed)
{
    m_delta = Delta { Name, Size, Color, Added, Removed };
}

void TQXCustomDeltaFont::ResetDelta()
{
    m_delta = Delta();
    OriginalFontChanged(OriginalFont());
}

bool TQXCustomDeltaFont::HasDelta() const
{
    return m_delta.name || m_delta.size || m_delta.color || m_delta.added || m_delta.removed;
}

void TQXCustomDeltaFont::Changed()
{
    if (!m_followingOriginal)
        UpdateDelta(OriginalFont());
    TFont::Changed();
}

void TQXCustomDeltaFont::UpdateDelta(const TFont *Original)
{
    const TFontStyles style = Style();
    if (!Original) {
        m_delta.name = m_delta.size = m_delta.color = true;
        m_delta.added = style;
        m_delta.removed = allStyles & ~style;
        return;
    }
    m_delta.name = Name() != Original->Name();
    m_delta.size = Size() != Original->Size();
    m_delta.color = Color() != Original->Color();
    m_delta.added = style & ~Original->Style();
    m_delta.removed = Original->Style() & ~style;
}
