/// \file
/// Colours, fonts and pictures as the library's published properties hold them. A TColor is a plain
/// integer (so it streams and compares like one) that is either an RGB value or a reference to a system
/// colour resolved against a QPalette when it is drawn; TFont and TPicture are the persistent sub-objects
/// that controls publish for their font and glyph properties.
#pragma once

#include "Events.h"
#include "Exceptions.h"
#include "Persistent.h"

#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QObject>
#include <QPalette>
#include <QPen>
#include <QPixmap>
#include <QString>
#include <functional>

namespace QXPlatform {

/// A colour in 0x00BBGGRR order (red in the low byte), or a system colour 0xFF0000nn (nn = index).
using TColor = qint32;

/// The flag of a system colour; the low byte is the colour's index.
inline constexpr TColor clSystemColor = static_cast<TColor>(0xFF000000u);

///@{
/// The standard colours.
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;
///@}

///@{
/// Further named colours.
inline constexpr TColor clMoneyGreen = 0xC0DCC0;
inline constexpr TColor clSkyBlue = 0xF0CAA6;
inline constexpr TColor clCream = 0xF0FBFF;
inline constexpr TColor clMedGray = 0xA4A0A0;
///@}

///@{
/// The system colours: taken from the application's palette when drawn (ColorToQColor).
inline constexpr TColor clScrollBar = clSystemColor | 0;
inline constexpr TColor clBackground = clSystemColor | 1;
inline constexpr TColor clActiveCaption = clSystemColor | 2;
inline constexpr TColor clInactiveCaption = clSystemColor | 3;
inline constexpr TColor clMenu = clSystemColor | 4;
inline constexpr TColor clWindow = clSystemColor | 5;
inline constexpr TColor clWindowFrame = clSystemColor | 6;
inline constexpr TColor clMenuText = clSystemColor | 7;
inline constexpr TColor clWindowText = clSystemColor | 8;
inline constexpr TColor clCaptionText = clSystemColor | 9;
inline constexpr TColor clActiveBorder = clSystemColor | 10;
inline constexpr TColor clInactiveBorder = clSystemColor | 11;
inline constexpr TColor clAppWorkSpace = clSystemColor | 12;
inline constexpr TColor clHighlight = clSystemColor | 13;
inline constexpr TColor clHighlightText = clSystemColor | 14;
inline constexpr TColor clBtnFace = clSystemColor | 15;
inline constexpr TColor clBtnShadow = clSystemColor | 16;
inline constexpr TColor clGrayText = clSystemColor | 17;
inline constexpr TColor clBtnText = clSystemColor | 18;
inline constexpr TColor clInactiveCaptionText = clSystemColor | 19;
inline constexpr TColor clBtnHighlight = clSystemColor | 20;
inline constexpr TColor cl3DDkShadow = clSystemColor | 21;
inline constexpr TColor cl3DLight = clSystemColor | 22;
inline constexpr TColor clInfoText = clSystemColor | 23;
inline constexpr TColor clInfoBk = clSystemColor | 24;
inline constexpr TColor clHotLight = clSystemColor | 26;
inline constexpr TColor clGradientActiveCaption = clSystemColor | 27;
inline constexpr TColor clGradientInactiveCaption = clSystemColor | 28;
inline constexpr TColor clMenuHighlight = clSystemColor | 29;
inline constexpr TColor clMenuBar = clSystemColor | 30;
///@}

/// No colour: draws nothing (ColorToQColor gives a fully transparent colour).
inline constexpr TColor clNone = 0x1FFFFFFF;
/// The receiver's own default colour (ColorToQColor gives an invalid QColor for the caller to replace).
inline constexpr TColor clDefault = 0x20000000;

/// The QColor a TColor stands for. System colours take the matching role of palette (clGrayText the
/// disabled text, clInactiveCaption the inactive highlight); a system index without a role gives an
/// invalid QColor. For RGB values only the low 24 bits count.
QXINSPECTORCORE_EXPORT QColor ColorToQColor(TColor Color,
                                            const QPalette &palette = QGuiApplication::palette());
/// The RGB TColor of a QColor (alpha ignored); a fully transparent colour gives clNone, an invalid one
/// clDefault, so that both survive a round trip through ColorToQColor.
QXINSPECTORCORE_EXPORT TColor QColorToColor(const QColor &color);
/// Resolves a system colour against the application palette; RGB values come back unchanged.
QXINSPECTORCORE_EXPORT TColor ColorToRGB(TColor Color);

/// The ident of a colour in the colour table ("clRed"); false when the value has none.
QXINSPECTORCORE_EXPORT bool ColorToIdent(TColor Color, QString &Ident);
/// The colour of an ident, compared case-insensitively; false when the ident is unknown.
QXINSPECTORCORE_EXPORT bool IdentToColor(const QString &Ident, TColor &Color);
/// The ident when the colour has one, else "$" and eight upper-case hex digits ("$00FF8000").
QXINSPECTORCORE_EXPORT QString ColorToString(TColor Color);
/// An ident, or an integer as StrToInt reads it (decimal, or hex after '$'); EConvertError "'x' is not
/// a valid integer value" for anything else.
QXINSPECTORCORE_EXPORT TColor StringToColor(const QString &S);
/// Calls Proc with every ident of the colour table, in table order: the sixteen basic colours, the four
/// extended ones, the system colours alphabetically, then clNone and clDefault.
QXINSPECTORCORE_EXPORT void GetColorValues(const std::function<void(const QString &)> &Proc);

/// A picture file that exists but cannot be decoded, or a picture that cannot be written in a format.
QX_DECLARE_EXCEPTION(EInvalidGraphic, Exception)

/// A font as a published property: a QFont (family, point size, style and whatever else SetQFont
/// brings) plus a TColor. Every effective change fires OnChange once, with the font as sender.
class QXINSPECTORCORE_EXPORT TFont : public QObject, public TPersistent
{
    Q_OBJECT
    Q_PROPERTY(QXPlatform::TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(int Size READ Size WRITE SetSize)
    Q_PROPERTY(TFontStyles Style READ Style WRITE SetStyle)
    QX_TYPE_NAME(Color, "TColor")
    QX_TYPE_NAME(Name, "TFontName")
public:
    /// The style flags of a font.
    enum TFontStyle { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
    Q_DECLARE_FLAGS(TFontStyles, TFontStyle)
    Q_FLAG(TFontStyles)

    /// Height and Size convert at this fixed resolution.
    static constexpr int PixelsPerInch = 96;

    /// The default font (DefaultFont) in clWindowText.
    Q_INVOKABLE explicit TFont(QObject *parent = nullptr);
    ~TFont() override;
    Q_DISABLE_COPY_MOVE(TFont)

    ///@{
    /// The text colour.
    TColor Color() const { return m_color; }
    void SetColor(TColor Value);
    ///@}
    /// The character height in pixels, negative: -round(Size * PixelsPerInch / 72).
    int Height() const;
    /// Sets Size from a pixel height; a positive height counts as its negative.
    void SetHeight(int Value);
    ///@{
    /// The family.
    QString Name() const { return m_font.family(); }
    void SetName(const QString &Value);
    ///@}
    /// Points.
    int Size() const { return m_font.pointSize(); }
    /// A size of 0 or less selects the default size.
    void SetSize(int Value);
    ///@{
    /// Bold, italic, underline and strike-out.
    TFontStyles Style() const;
    void SetStyle(TFontStyles Value);
    ///@}

    /// The font as a QFont (without the colour).
    QFont ToQFont() const { return m_font; }
    /// Takes the whole QFont; a pixel-sized font is converted to points.
    void SetQFont(const QFont &Value);
    /// The colour as a QColor.
    QColor ToQColor() const;
    /// A pen of the colour, for drawing text.
    QPen Pen() const;
    /// Same font and colour.
    bool Equals(const TFont *Other) const;

    /// From another TFont: all attributes, with one OnChange when anything differed.
    void Assign(const QObject *Source) override;

    /// The default family and point size: the application font's, or "Sans Serif" 9 without one.
    static QFont DefaultFont();

    /// Fired after every effective change, right after changed(). The application's: the library
    /// listens to changed().
    TNotifyEvent OnChange;

Q_SIGNALS:
    /// Emitted after every effective change, just before OnChange.
    void changed();

protected:
    /// Runs after every effective change; emits changed(), then fires OnChange.
    virtual void Changed();
    /// Takes font and colour together; one Changed() when either differed. Returns whether it did.
    bool SetFontAndColor(const QFont &font, TColor color);
    /// font with its style flags set to Value; flags that do not change are left untouched (a
    /// demi-bold weight stays when bold stays).
    static QFont WithStyle(QFont font, TFontStyles Value);
    /// The style flags of font.
    static TFontStyles StyleOf(const QFont &font);

private:
    QFont m_font;
    TColor m_color;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TFont::TFontStyles)

/// TFont::TFontStyle at namespace level.
using TFontStyle = TFont::TFontStyle;
/// TFont::TFontStyles at namespace level.
using TFontStyles = TFont::TFontStyles;
using enum TFont::TFontStyle;

/// A picture as a published property (glyphs, images): a QPixmap that loads from and saves to files.
class QXINSPECTORCORE_EXPORT TPicture : public QObject, public TPersistent
{
    Q_OBJECT
public:
    /// An empty picture.
    Q_INVOKABLE explicit TPicture(QObject *parent = nullptr);
    ~TPicture() override;
    Q_DISABLE_COPY_MOVE(TPicture)

    /// The image; null when empty.
    QPixmap Pixmap() const { return m_pixmap; }
    /// Takes Value; setting the pixmap already held does nothing.
    void SetPixmap(const QPixmap &Value);
    /// Empties the picture.
    void Clear() { SetPixmap(QPixmap()); }
    /// The image's width in pixels.
    int Width() const { return m_pixmap.width(); }
    /// The image's height in pixels.
    int Height() const { return m_pixmap.height(); }
    /// Whether there is no image.
    bool IsEmpty() const { return m_pixmap.isNull(); }

    /// Reads an image file in any format Qt reads. EFOpenError when the file cannot be opened,
    /// EInvalidGraphic when its contents are not a readable image; the picture is unchanged then.
    void LoadFromFile(const QString &FileName);
    /// Writes in the format of the file's suffix (PNG without one). EFOpenError when the file cannot be
    /// created, EInvalidGraphic for an empty picture or a format Qt cannot write.
    void SaveToFile(const QString &FileName) const;

    /// From another TPicture: its pixmap; from null: Clear.
    void Assign(const QObject *Source) override;

    /// Fired after every change, right after changed(). The application's: the library listens to
    /// changed().
    TNotifyEvent OnChange;

Q_SIGNALS:
    /// Emitted after every change, just before OnChange.
    void changed();

protected:
    /// Runs after every change; emits changed(), then fires OnChange.
    virtual void Changed();

private:
    QPixmap m_pixmap;
};

} // namespace QXPlatform
