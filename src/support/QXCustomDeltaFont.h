/// \file
/// A font held relative to a reference font: the grid's value and caption fonts follow the grid's font
/// and keep only what the user changed on them (a colour, an added bold). The owner answers
/// OnGetOriginalFont with the reference and calls OriginalFontChanged whenever the reference changes.
#pragma once

#include "Events.h"
#include "Graphics.h"

QX_DECLARE_EVENT(TQXGetOriginalFontEvent, void(QObject *Sender, QXPlatform::TFont *&Font))
Q_DECLARE_METATYPE(TQXGetOriginalFontEvent)

/// The recorded differences (the delta) are recomputed against the reference each time the font
/// changes through its setters, SetQFont or Assign: name, size and colour count as overridden when
/// they differ from the reference's; styles are kept as the ones added and the ones removed. Other
/// QFont attributes always follow the reference. Without a reference (no handler, or a handler that
/// answers null) the font is absolute: every attribute counts as overridden, so a reference that
/// appears later changes nothing. A new font has no delta and follows the reference entirely.
class QXINSPECTORCORE_EXPORT TQXCustomDeltaFont : public QXPlatform::TFont
{
    Q_OBJECT
public:
    /// A font without a reference and without a delta.
    Q_INVOKABLE explicit TQXCustomDeltaFont(QObject *parent = nullptr);
    ~TQXCustomDeltaFont() override;
    Q_DISABLE_COPY_MOVE(TQXCustomDeltaFont)

    /// Takes all of NewOriginal's attributes, then applies the recorded differences again; one OnChange
    /// when anything changed. The delta stays as it was. A null NewOriginal does nothing.
    virtual void OriginalFontChanged(QXPlatform::TFont *NewOriginal);

    /// As TFont::Assign; the delta is recomputed even when no attribute changed, so assigning the
    /// reference itself makes the font follow it entirely.
    void Assign(const QObject *Source) override;

    /// Takes Source's differences as this font's own, with Source's values for the attributes it
    /// overrides, and follows this font's reference in everything else (with no reference at hand, keeps
    /// its own values there); one OnChange when anything changed. A font copied to an owner with another
    /// reference keeps what was its own and nothing of the old reference.
    void AssignDelta(const TQXCustomDeltaFont *Source);

    /// Forgets every difference; with a reference at hand, takes all of its attributes at once.
    void ResetDelta();
    /// Whether the font differs from its reference in anything.
    bool HasDelta() const;
    /// Whether the family is the font's own rather than the reference's.
    bool IsNameOverridden() const { return m_delta.name; }
    /// Whether the size is the font's own rather than the reference's.
    bool IsSizeOverridden() const { return m_delta.size; }
    /// Whether the colour is the font's own rather than the reference's.
    bool IsColorOverridden() const { return m_delta.color; }
    /// Styles this font has that the reference lacks.
    QXPlatform::TFontStyles AddedStyles() const { return m_delta.added; }
    /// Styles the reference has that this font lacks.
    QXPlatform::TFontStyles RemovedStyles() const { return m_delta.removed; }

    /// The reference font, as OnGetOriginalFont answers; null without a handler.
    QXPlatform::TFont *OriginalFont();

    /// Answers the reference font; the owner's.
    TQXGetOriginalFontEvent OnGetOriginalFont;

protected:
    /// Recomputes the delta (except while following the reference), then fires OnChange.
    void Changed() override;
    /// Records how this font differs from Original (null: everything is the font's own).
    virtual void UpdateDelta(const QXPlatform::TFont *Original);
    /// Takes these as the recorded differences, as a stored font names them; the attributes stay.
    void SetOverrides(bool Name, bool Size, bool Color, QXPlatform::TFontStyles Added,
                      QXPlatform::TFontStyles Removed);

private:
    struct Delta
    {
        bool name = false;
        bool size = false;
        bool color = false;
        QXPlatform::TFontStyles added;
        QXPlatform::TFontStyles removed;
    };

    // Only which attributes are overridden is kept: an overridden attribute always holds the font's own
    // value, since the font's attributes change only through Changed (which recomputes the delta) or
    // through OriginalFontChanged (which keeps overridden attributes as they are).
    Delta m_delta;
    // Set while OriginalFontChanged rewrites the attributes, which must not be read back as a new delta.
    bool m_followingOriginal = false;
};
