#include "Graphics.h"

#include "FormatSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>

#include <array>
#include <cmath>

namespace QXPlatform {

namespace {

struct ColorIdent
{
    TColor value;
    const char *ident;
};

// One table for both directions; its order is the order GetColorValues reports, and no value occurs
// twice, so ColorToIdent is unambiguous.
// clang-format off
constexpr std::array<ColorIdent, 52> colorTable{{
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clActiveBorder, "clActiveBorder"},
    {clActiveCaption, "clActiveCaption"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clBackground, "clBackground"},
    {clBtnFace, "clBtnFace"},
    {clBtnHighlight, "clBtnHighlight"},
    {clBtnShadow, "clBtnShadow"},
    {clBtnText, "clBtnText"},
    {clCaptionText, "clCaptionText"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clGrayText, "clGrayText"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clHotLight, "clHotLight"},
    {clInactiveBorder, "clInactiveBorder"},
    {clInactiveCaption, "clInactiveCaption"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clInfoBk, "clInfoBk"},
    {clInfoText, "clInfoText"},
    {clMenu, "clMenu"},
    {clMenuBar, "clMenuBar"},
    {clMenuHighlight, "clMenuHighlight"},
    {clMenuText, "clMenuText"},
    {clScrollBar, "clScrollBar"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clWindowText, "clWindowText"},
    {clNone, "clNone"},
    {clDefault, "clDefault"},
}};

struct SystemRole
{
    bool valid;
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

constexpr SystemRole activeRole(QPalette::ColorRole role)
{
    return {true, QPalette::Active, role};
}

// Indexed by the system colour index. Captions are drawn like selections: the active caption is the
// active highlight, the inactive one the highlight of an inactive window.
constexpr std::array<SystemRole, 31> systemRoles{{
    activeRole(QPalette::Button),                            // clScrollBar
    activeRole(QPalette::Dark),                              // clBackground
    activeRole(QPalette::Highlight),                         // clActiveCaption
    {true, QPalette::Inactive, QPalette::Highlight},         // clInactiveCaption
    activeRole(QPalette::Window),                            // clMenu
    activeRole(QPalette::Base),                              // clWindow
    activeRole(QPalette::WindowText),                        // clWindowFrame
    activeRole(QPalette::WindowText),                        // clMenuText
    activeRole(QPalette::Text),                              // clWindowText
    activeRole(QPalette::HighlightedText),                   // clCaptionText
    activeRole(QPalette::Window),                            // clActiveBorder
    {true, QPalette::Inactive, QPalette::Window},            // clInactiveBorder
    activeRole(QPalette::Mid),                               // clAppWorkSpace
    activeRole(QPalette::Highlight),                         // clHighlight
    activeRole(QPalette::HighlightedText),                   // clHighlightText
    activeRole(QPalette::Button),                            // clBtnFace
    activeRole(QPalette::Dark),                              // clBtnShadow
    {true, QPalette::Disabled, QPalette::Text},              // clGrayText
    activeRole(QPalette::ButtonText),                        // clBtnText
    {true, QPalette::Disabled, QPalette::WindowText},        // clInactiveCaptionText: greyed text
    activeRole(QPalette::Light),                             // clBtnHighlight
    activeRole(QPalette::Shadow),                            // cl3DDkShadow
    activeRole(QPalette::Midlight),                          // cl3DLight
    activeRole(QPalette::ToolTipText),                       // clInfoText
    activeRole(QPalette::ToolTipBase),                       // clInfoBk
    {false, QPalette::Active, QPalette::NoRole},             // index 25 has no colour
    activeRole(QPalette::Link),                              // clHotLight
    activeRole(QPalette::Highlight),                         // clGradientActiveCaption
    {true, QPalette::Inactive, QPalette::Highlight},         // clGradientInactiveCaption
    activeRole(QPalette::Highlight),                         // clMenuHighlight
    activeRole(QPalette::Window),                            // clMenuBar
}};
// clang-format on

bool isSystemColor(TColor color)
{
    return (quint32(color) & 0xFF000000u) == quint32(clSystemColor);
}

int pointsFromPixels(qint64 pixels)
{
    return int(std::lround(double(pixels) * 72.0 / TFont::PixelsPerInch));
}

} // namespace

QColor ColorToQColor(TColor Color, const QPalette &palette)
{
    if (Color == clNone)
        return QColor(Qt::transparent);
    if (Color == clDefault)
        return QColor();
    if (isSystemColor(Color)) {
        const quint32 index = quint32(Color) & 0x00FFFFFFu;
        if (index >= systemRoles.size() || !systemRoles[index].valid)
            return QColor();
        return palette.color(systemRoles[index].group, systemRoles[index].role);
    }
    return QColor(Color & 0xFF, (Color >> 8) & 0xFF, (Color >> 16) & 0xFF);
}

TColor QColorToColor(const QColor &color)
{
    if (!color.isValid())
        return clDefault;
    if (color.alpha() == 0)
        return clNone;
    return TColor(color.red() | (color.green() << 8) | (color.blue() << 16));
}

TColor ColorToRGB(TColor Color)
{
    if (!isSystemColor(Color))
        return Color;
    const QColor resolved = ColorToQColor(Color, QGuiApplication::palette());
    return resolved.isValid() ? QColorToColor(resolved) : Color;
}

bool ColorToIdent(TColor Color, QString &Ident)
{
    for (const ColorIdent &entry : colorTable) {
        if (entry.value == Color) {
            Ident = QString::fromLatin1(entry.ident);
            return true;
        }
    }
    return false;
}

bool IdentToColor(const QString &Ident, TColor &Color)
{
    for (const ColorIdent &entry : colorTable) {
        if (Ident.compare(QLatin1String(entry.ident), Qt::CaseInsensitive) == 0) {
            Color = entry.value;
            return true;
        }
    }
    return false;
}

QString ColorToString(TColor Color)
{
    QString ident;
    if (ColorToIdent(Color, ident))
        return ident;
    return QLatin1Char('$') + QStringLiteral("%1").arg(quint32(Color), 8, 16, QLatin1Char('0')).toUpper();
}

TColor StringToColor(const QString &S)
{
    TColor color = 0;
    if (IdentToColor(S, color))
        return color;
    return StrToInt(S);
}

void GetColorValues(const std::function<void(const QString &)> &Proc)
{
    for (const ColorIdent &entry : colorTable)
        Proc(QString::fromLatin1(entry.ident));
}

// ---------------------------------------------------------------------------------------------------
// TFont

TFont::TFont(QObject *parent)
    : QObject(parent)
    , m_font(DefaultFont())
    , m_color(clWindowText)
{ }

TFont::~TFont() = default;

QFont TFont::DefaultFont()
{
    // Every new font starts from one shared QFont, so a font that is never changed costs no font data of
    // its own. It is made again when the application font changes.
    static QFont applicationFont;
    static QFont cached;
    static bool made = false;
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        const QFont application = QGuiApplication::font();
        if (!made || application != applicationFont) {
            int size = application.pointSize();
            if (size <= 0 && application.pixelSize() > 0)
                size = pointsFromPixels(application.pixelSize());
            applicationFont = application;
            cached = QFont(application.family(), size > 0 ? size : 9);
            made = true;
        }
        return cached;
    }
    return QFont(QStringLiteral("Sans Serif"), 9);
}

void TFont::SetColor(TColor Value)
{
    SetFontAndColor(m_font, Value);
}

int TFont::Height() const
{
    return -int(std::lround(double(Size()) * PixelsPerInch / 72.0));
}

void TFont::SetHeight(int Value)
{
    SetSize(pointsFromPixels(qAbs(qint64(Value))));
}

void TFont::SetName(const QString &Value)
{
    if (Value == Name())
        return;
    QFont font = m_font;
    font.setFamily(Value);
    SetFontAndColor(font, m_color);
}

void TFont::SetSize(int Value)
{
    if (Value <= 0)
        Value = DefaultFont().pointSize();
    if (Value == Size())
        return;
    QFont font = m_font;
    font.setPointSize(Value);
    SetFontAndColor(font, m_color);
}

TFont::TFontStyles TFont::Style() const
{
    return StyleOf(m_font);
}

void TFont::SetStyle(TFontStyles Value)
{
    SetFontAndColor(WithStyle(m_font, Value), m_color);
}

TFont::TFontStyles TFont::StyleOf(const QFont &font)
{
    TFontStyles style;
    style.setFlag(fsBold, font.bold());
    style.setFlag(fsItalic, font.italic());
    style.setFlag(fsUnderline, font.underline());
    style.setFlag(fsStrikeOut, font.strikeOut());
    return style;
}

QFont TFont::WithStyle(QFont font, TFontStyles Value)
{
    if (font.bold() != Value.testFlag(fsBold))
        font.setBold(Value.testFlag(fsBold));
    if (font.italic() != Value.testFlag(fsItalic))
        font.setItalic(Value.testFlag(fsItalic));
    if (font.underline() != Value.testFlag(fsUnderline))
        font.setUnderline(Value.testFlag(fsUnderline));
    if (font.strikeOut() != Value.testFlag(fsStrikeOut))
        font.setStrikeOut(Value.testFlag(fsStrikeOut));
    return font;
}

void TFont::SetQFont(const QFont &Value)
{
    // Size is whole points; a font given in pixels (or fractional points) is brought to that.
    QFont font = Value;
    int size = font.pointSize();
    if (size <= 0 && font.pixelSize() > 0)
        size = pointsFromPixels(font.pixelSize());
    font.setPointSize(size > 0 ? size : DefaultFont().pointSize());
    SetFontAndColor(font, m_color);
}

QColor TFont::ToQColor() const
{
    return ColorToQColor(m_color);
}

QPen TFont::Pen() const
{
    return QPen(ToQColor());
}

bool TFont::Equals(const TFont *Other) const
{
    return Other && m_color == Other->m_color && m_font == Other->m_font;
}

void TFont::Assign(const QObject *Source)
{
    if (auto *source = qobject_cast<const TFont *>(Source)) {
        SetFontAndColor(source->m_font, source->m_color);
        return;
    }
    TPersistent::Assign(Source);
}

bool TFont::SetFontAndColor(const QFont &font, TColor color)
{
    if (color == m_color && font == m_font)
        return false;
    m_font = font;
    m_color = color;
    Changed();
    return true;
}

void TFont::Changed()
{
    Q_EMIT changed();
    if (OnChange)
        OnChange(this);
}

// ---------------------------------------------------------------------------------------------------
// TPicture

TPicture::TPicture(QObject *parent)
    : QObject(parent)
{ }

TPicture::~TPicture() = default;

void TPicture::SetPixmap(const QPixmap &Value)
{
    if (Value.isNull() ? m_pixmap.isNull() : Value.cacheKey() == m_pixmap.cacheKey())
        return;
    m_pixmap = Value;
    Changed();
}

void TPicture::LoadFromFile(const QString &FileName)
{
    const QString shownName = QDir::toNativeSeparators(FileName);
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EFOpenError(QStringLiteral("Cannot open file \"%1\". %2").arg(shownName, file.errorString()));
    // The suffix is only a first guess; the reader falls back to what the contents say.
    QImageReader reader(&file, QFileInfo(FileName).suffix().toLatin1());
    const QImage image = reader.read();
    if (image.isNull())
        throw EInvalidGraphic(
            QStringLiteral("Cannot read a picture from \"%1\": %2").arg(shownName, reader.errorString()));
    m_pixmap = QPixmap::fromImage(image);
    Changed();
}

void TPicture::SaveToFile(const QString &FileName) const
{
    const QString shownName = QDir::toNativeSeparators(FileName);
    if (IsEmpty())
        throw EInvalidGraphic(QStringLiteral("Cannot save an empty picture to \"%1\"").arg(shownName));
    QByteArray format = QFileInfo(FileName).suffix().toLower().toLatin1();
    if (format.isEmpty())
        format = QByteArrayLiteral("png");
    // Checked before the file is touched, so that an unknown format leaves no empty file behind.
    if (!QImageWriter::supportedImageFormats().contains(format))
        throw EInvalidGraphic(
            QStringLiteral("Cannot save a picture in the format \"%1\"").arg(QString::fromLatin1(format)));
    QSaveFile file(FileName);
    if (!file.open(QIODevice::WriteOnly))
        throw EFOpenError(QStringLiteral("Cannot create file \"%1\". %2").arg(shownName, file.errorString()));
    QImageWriter writer(&file, format);
    if (!writer.write(m_pixmap.toImage())) {
        file.cancelWriting();
        throw EInvalidGraphic(
            QStringLiteral("Cannot write a picture to \"%1\": %2").arg(shownName, writer.errorString()));
    }
    if (!file.commit())
        throw EFOpenError(QStringLiteral("Cannot create file \"%1\". %2").arg(shownName, file.errorString()));
}

void TPicture::Assign(const QObject *Source)
{
    if (!Source) {
        Clear();
        return;
    }
    if (auto *source = qobject_cast<const TPicture *>(Source)) {
        SetPixmap(source->m_pixmap);
        return;
    }
    TPersistent::Assign(Source);
}

void TPicture::Changed()
{
    Q_EMIT changed();
    if (OnChange)
        OnChange(this);
}

} // namespace QXPlatform
