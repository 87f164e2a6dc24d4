/// \file
/// Value adapters: objects that stand for a value-type property (a QFont, a QStringList, a QSize, ...) so
/// that an inspector can open it into rows. Each adapter reads the owning property when asked and writes
/// the whole value back when one of its own properties changes (read-modify-write). The same adapter comes
/// back for the same object and property while the object lives, so a scan can compare sub-objects by
/// identity. Adapters are persistent sub-objects, not components; the registry owns them and frees them
/// with their object.
#pragma once

#include "Graphics.h"
#include "StringList.h"

#include <QMetaProperty>
#include <QPointer>
#include <QSizePolicy>

namespace QXPlatform {

/// The adapter for property of object, made on first request; null for types without an adapter.
QXINSPECTORCORE_EXPORT QObject *ValueAdapter(QObject *object, const QMetaProperty &property);
/// Whether values of this type are opened through an adapter.
QXINSPECTORCORE_EXPORT bool HasValueAdapter(QMetaType type);
/// A value of one of Qt's value types summed up in one line as Qt Designer writes it: "[(10, 20), 120 x
/// 30]" for a QRect, "120 x 30" for a QSize, "(10, 20)" for a QPoint (and their F variants), "[1, 2, 3,
/// 4]" for QMargins (left, top, right, bottom), "[Preferred, Fixed, 0, 0]" for a QSizePolicy, the text of a
/// QKeySequence or QUrl, "English, United States" for a QLocale and, when Fonts is set, "[Sans Serif, 9]"
/// for a QFont. A null string for any other type.
QXINSPECTORCORE_EXPORT QString ValueSummary(const QVariant &Value, bool Fonts);

/// Common part: the owning object and property.
class QXINSPECTORCORE_EXPORT TValueAdapter : public QObject, public TPersistent
{
    Q_OBJECT
public:
    /// The adapter of Property of Owner (ValueAdapter makes adapters; this is for descendants).
    TValueAdapter(QObject *Owner, const QMetaProperty &Property);
    ~TValueAdapter() override;
    Q_DISABLE_COPY_MOVE(TValueAdapter)

    QObject *GetOwner() const override { return m_owner; }
    /// The property the adapter stands for.
    QMetaProperty Property() const { return m_property; }
    /// The property's current value, read from the owner (invalid once the owner is gone).
    QVariant Read() const;
    /// Writes the whole value back to the owner's property.
    void Write(const QVariant &Value);

protected:
    /// Read-modify-write: the whole value is read, changed by edit and written back.
    template<class T, class F> void Modify(F &&edit)
    {
        T value = Read().template value<T>();
        edit(value);
        Write(QVariant::fromValue(value));
    }

private:
    QPointer<QObject> m_owner;
    QMetaProperty m_property;
};

/// A QFont property: family as Name, point size as Size, Style; Color is the owner's text colour when the
/// owner is a widget.
class QXINSPECTORCORE_EXPORT TFontAdapter : public TValueAdapter
{
    Q_OBJECT
    Q_PROPERTY(QXPlatform::TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(int Size READ Size WRITE SetSize)
    Q_PROPERTY(QXPlatform::TFont::TFontStyles Style READ Style WRITE SetStyle)
    QX_TYPE_NAME(Color, "TColor")
    QX_TYPE_NAME(Name, "TFontName")
public:
    /// The adapter of a QFont property of Owner.
    using TValueAdapter::TValueAdapter;
    ///@{
    /// The owner's text colour (its palette's foreground role) when the owner is a widget, clWindowText
    /// otherwise.
    TColor Color() const;
    void SetColor(TColor Value);
    ///@}
    ///@{
    /// The font's family.
    QString Name() const { return font().family(); }
    void SetName(const QString &Value);
    ///@}
    ///@{
    /// The font's size in points.
    int Size() const { return font().pointSize(); }
    void SetSize(int Value);
    ///@}
    ///@{
    /// Bold, italic, underline and strike-out.
    TFont::TFontStyles Style() const;
    void SetStyle(TFont::TFontStyles Value);
    ///@}

private:
    QFont font() const { return Read().value<QFont>(); }
};

/// A QSize or QSizeF property.
class QXINSPECTORCORE_EXPORT TSizeAdapter : public TValueAdapter
{
    Q_OBJECT
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
public:
    /// The adapter of a QSize or QSizeF property of Owner.
    using TValueAdapter::TValueAdapter;
    ///@{
    /// The width.
    int Width() const { return Read().toSize().width(); }
    void SetWidth(int Value);
    ///@}
    ///@{
    /// The height.
    int Height() const { return Read().toSize().height(); }
    void SetHeight(int Value);
    ///@}
};

/// A QPoint property.
class QXINSPECTORCORE_EXPORT TPointAdapter : public TValueAdapter
{
    Q_OBJECT
    Q_PROPERTY(int X READ X WRITE SetX)
    Q_PROPERTY(int Y READ Y WRITE SetY)
public:
    /// The adapter of a QPoint property of Owner.
    using TValueAdapter::TValueAdapter;
    ///@{
    /// The horizontal coordinate.
    int X() const { return Read().toPoint().x(); }
    void SetX(int Value);
    ///@}
    ///@{
    /// The vertical coordinate.
    int Y() const { return Read().toPoint().y(); }
    void SetY(int Value);
    ///@}
};

/// A QRect property.
class QXINSPECTORCORE_EXPORT TRectAdapter : public TValueAdapter
{
    Q_OBJECT
    Q_PROPERTY(int Left READ Left WRITE SetLeft)
    Q_PROPERTY(int Top READ Top WRITE SetTop)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
public:
    /// The adapter of a QRect property of Owner.
    using TValueAdapter::TValueAdapter;
    ///@{
    /// The left edge; setting it keeps the width.
    int Left() const { return Read().toRect().left(); }
    void SetLeft(int Value);
    ///@}
    ///@{
    /// The top edge; setting it keeps the height.
    int Top() const { return Read().toRect().top(); }
    void SetTop(int Value);
    ///@}
    ///@{
    /// The width.
    int Width() const { return Read().toRect().width(); }
    void SetWidth(int Value);
    ///@}
    ///@{
    /// The height.
    int Height() const { return Read().toRect().height(); }
    void SetHeight(int Value);
    ///@}
};

/// A QMargins property.
class QXINSPECTORCORE_EXPORT TMarginsAdapter : public TValueAdapter
{
    Q_OBJECT
    Q_PROPERTY(int Left READ Left WRITE SetLeft)
    Q_PROPERTY(int Top READ Top WRITE SetTop)
    Q_PROPERTY(int Right READ Right WRITE SetRight)
    Q_PROPERTY(int Bottom READ Bottom WRITE SetBottom)
public:
    /// The adapter of a QMargins property of Owner.
    using TValueAdapter::TValueAdapter;
    ///@{
    /// The left margin.
    int Left() const { return margins().left(); }
    void SetLeft(int Value);
    ///@}
    ///@{
    /// The top margin.
    int Top() const { return margins().top(); }
    void SetTop(int Value);
    ///@}
    ///@{
    /// The right margin.
    int Right() const { return margins().right(); }
    void SetRight(int Value);
    ///@}
    ///@{
    /// The bottom margin.
    int Bottom() const { return margins().bottom(); }
    void SetBottom(int Value);
    ///@}

private:
    QMargins margins() const { return Read().value<QMargins>(); }
};

/// A QSizePolicy property: the two policies and stretches.
class QXINSPECTORCORE_EXPORT TSizePolicyAdapter : public TValueAdapter
{
    Q_OBJECT
    Q_PROPERTY(QSizePolicy::Policy HorizontalPolicy READ HorizontalPolicy WRITE SetHorizontalPolicy)
    Q_PROPERTY(QSizePolicy::Policy VerticalPolicy READ VerticalPolicy WRITE SetVerticalPolicy)
    Q_PROPERTY(int HorizontalStretch READ HorizontalStretch WRITE SetHorizontalStretch)
    Q_PROPERTY(int VerticalStretch READ VerticalStretch WRITE SetVerticalStretch)
public:
    /// The adapter of a QSizePolicy property of Owner.
    using TValueAdapter::TValueAdapter;
    ///@{
    /// The horizontal policy.
    QSizePolicy::Policy HorizontalPolicy() const { return policy().horizontalPolicy(); }
    void SetHorizontalPolicy(QSizePolicy::Policy Value);
    ///@}
    ///@{
    /// The vertical policy.
    QSizePolicy::Policy VerticalPolicy() const { return policy().verticalPolicy(); }
    void SetVerticalPolicy(QSizePolicy::Policy Value);
    ///@}
    ///@{
    /// The horizontal stretch factor.
    int HorizontalStretch() const { return policy().horizontalStretch(); }
    void SetHorizontalStretch(int Value);
    ///@}
    ///@{
    /// The vertical stretch factor.
    int VerticalStretch() const { return policy().verticalStretch(); }
    void SetVerticalStretch(int Value);
    ///@}

private:
    QSizePolicy policy() const { return Read().value<QSizePolicy>(); }
};

/// A QPixmap or QIcon property as a picture: it holds the image as last read; loading or assigning a
/// picture writes it back.
class QXINSPECTORCORE_EXPORT TPictureAdapter : public TPicture
{
    Q_OBJECT
public:
    /// The picture of Property of Owner, holding its current image.
    TPictureAdapter(QObject *Owner, const QMetaProperty &Property);
    ~TPictureAdapter() override;
    Q_DISABLE_COPY_MOVE(TPictureAdapter)

    QObject *GetOwner() const override { return m_owner; }
    /// Takes the property's current image without writing it back.
    void Reload();

protected:
    /// Writes the image back to the property, unless it is being reloaded.
    void Changed() override;

private:
    QPointer<QObject> m_owner;
    QMetaProperty m_property;
    bool m_loading = false;
};

/// A QStringList property as a string list: it holds the property's lines as last read, and every change
/// made through it is written back as a whole.
class QXINSPECTORCORE_EXPORT TStringListAdapter : public TStringList
{
    Q_OBJECT
public:
    /// The string list of Property of Owner, holding its current lines.
    TStringListAdapter(QObject *Owner, const QMetaProperty &Property);
    ~TStringListAdapter() override;
    Q_DISABLE_COPY_MOVE(TStringListAdapter)

    QObject *GetOwner() const override { return m_owner; }
    /// Takes the property's current lines without writing them back.
    void Reload();

protected:
    void Changed() override;

private:
    QPointer<QObject> m_owner;
    QMetaProperty m_property;
    bool m_loading = false;
};

} // namespace QXPlatform
