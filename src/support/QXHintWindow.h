/// \file
/// The hint window: a tool-tip-like label that shows a cell's full text next to the cell when the text
/// does not fit. The grid owns one as a sub-component and places it by its top-left screen corner.
#pragma once

#include "Component.h"
#include "Guarded.h"

#include <QLabel>
#include <QPoint>
#include <QRect>

/// The tool-tip-like window that shows a cell's full text when the cell is too narrow for it.
class QXINSPECTORCORE_EXPORT TQXHintWindow : public QXPlatform::TGuarded<QLabel>,
                                             public QXPlatform::TComponent
{
    Q_OBJECT
public:
    /// AOwner is both the widget parent (the hint goes with it) and the component owner.
    explicit TQXHintWindow(QWidget *AOwner);
    ~TQXHintWindow() override;
    Q_DISABLE_COPY_MOVE(TQXHintWindow)

    ///@{
    /// The delay in milliseconds before the owner shows the hint; 0 shows it at once. Stored for the
    /// owner; the window itself shows when told.
    int Interval() const { return m_interval; }
    void SetInterval(int Value) { m_interval = Value; }
    ///@}

    ///@{
    /// Whether the window is a part of its owner rather than a component in its own right.
    bool IsSubComponent() const { return m_subComponent; }
    void SetSubComponent(bool Value) { m_subComponent = Value; }
    ///@}

    /// Shows Text with the window's top-left corner at ScreenTopLeft, sized to fit, without taking focus.
    virtual void ActivateHint(const QPoint &ScreenTopLeft, const QString &Text);
    /// Hides the window.
    virtual void ReleaseHint();
    /// Whether the hint is showing.
    bool IsHintVisible() const { return isVisible(); }

    /// The size the window needs for Text wrapped at MaxWidth (text width plus margins), at (0, 0).
    /// Font defaults to the window's own font.
    virtual QRect CalcHintRect(int MaxWidth, const QString &Text, const QFont *Font = nullptr) const;

protected:
    /// The widest the text may grow before it wraps, for a hint shown at ScreenTopLeft: the room left
    /// on that screen, at least a quarter of the screen.
    virtual int HintMaxWidth(const QPoint &ScreenTopLeft) const;
    /// Paints the tool-tip panel of the style under the text.
    void paintEvent(QPaintEvent *event) override;

private:
    int m_interval = 0;
    bool m_subComponent = false;
};
