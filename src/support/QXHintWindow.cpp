#include "QXHintWindow.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QStylePainter>
#include <QToolTip>

namespace {

constexpr Qt::Alignment hintAlignment = Qt::AlignLeft | Qt::AlignTop;

} // namespace

TQXHintWindow::TQXHintWindow(QWidget *AOwner)
    : TGuarded<QLabel>(AOwner,
                       Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
                           | Qt::WindowDoesNotAcceptFocus)
    , TComponent(this, AOwner)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    // Cell texts are data, never markup.
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setAlignment(hintAlignment);
    // CalcHintRect counts the margin on each side and nothing else, so there is no frame and no indent.
    setFrameStyle(QFrame::NoFrame);
    setIndent(0);
    setMargin(1 + style()->pixelMetric(QStyle::PM_ToolTipLabelFrameWidth, nullptr, this));
    setPalette(QToolTip::palette());
    setFont(QToolTip::font());
    setForegroundRole(QPalette::ToolTipText);
    setBackgroundRole(QPalette::ToolTipBase);
    setAutoFillBackground(true);
}

TQXHintWindow::~TQXHintWindow() = default;

void TQXHintWindow::ActivateHint(const QPoint &ScreenTopLeft, const QString &Text)
{
    setText(Text);
    const QRect bounds = CalcHintRect(HintMaxWidth(ScreenTopLeft), Text);
    resize(bounds.size());
    move(ScreenTopLeft);
    // A tool tip window stays on top of the application's windows, so showing it is enough.
    show();
}

void TQXHintWindow::ReleaseHint()
{
    hide();
}

QRect TQXHintWindow::CalcHintRect(int MaxWidth, const QString &Text, const QFont *Font) const
{
    const QFontMetrics metrics(Font ? *Font : font());
    const QRect text = metrics.boundingRect(QRect(0, 0, qMax(1, MaxWidth), QWIDGETSIZE_MAX),
                                            int(Qt::TextWordWrap | hintAlignment), Text);
    const QMargins frame = contentsMargins();
    const int extra = 2 * margin();
    return QRect(0, 0, text.width() + frame.left() + frame.right() + extra,
                 text.height() + frame.top() + frame.bottom() + extra);
}

int TQXHintWindow::HintMaxWidth(const QPoint &ScreenTopLeft) const
{
    const QScreen *screen = QGuiApplication::screenAt(ScreenTopLeft);
    if (!screen)
        screen = this->screen();
    if (!screen)
        return QWIDGETSIZE_MAX;
    const QRect available = screen->availableGeometry();
    const int room = available.right() + 1 - ScreenTopLeft.x() - 2 * margin();
    return qMax(room, available.width() / 4);
}

void TQXHintWindow::paintEvent(QPaintEvent *event)
{
    {
        QStylePainter painter(this);
        QStyleOptionFrame option;
        option.initFrom(this);
        painter.drawPrimitive(QStyle::PE_PanelTipLabel, option);
    }
    QLabel::paintEvent(event);
}
