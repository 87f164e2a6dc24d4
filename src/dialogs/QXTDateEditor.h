/// \file
/// The date editor: a borderless month calendar shown modally under the mouse by the date presets. A click
/// on a day other than the one it was given closes it with OK; Esc closes it with Cancel. A date editor
/// may be kept and shown again: the caller writes Date before each showing.
#pragma once

#include "Guarded.h"

#include <QDateTime>
#include <QDialog>

class QCalendarWidget;
namespace Ui {
class frmDateEditor;
}

/// The month calendar that the date presets show modally under the mouse.
class QXINSPECTORCORE_EXPORT TfrmDateEditor : public QXPlatform::TGuarded<QDialog>
{
    Q_OBJECT
    Q_PROPERTY(QDateTime Date READ Date WRITE SetDate)

public:
    /// A borderless, fixed-size date editor; the caller sets Date before it shows the editor.
    explicit TfrmDateEditor(QWidget *parent = nullptr);
    ~TfrmDateEditor() override;
    Q_DISABLE_COPY_MOVE(TfrmDateEditor)

    /// The calendar's day, at the time of day last given.
    QDateTime Date() const;
    /// Shows Value's day and remembers Value.
    void SetDate(const QDateTime &Value);
    /// The calendar of the form, for a caller that styles it.
    QCalendarWidget *Calendar() const;

protected:
    /// A day was clicked: closes with OK unless it is the remembered day.
    virtual void DayClicked(QDate Day);

private:
    Ui::frmDateEditor *m_ui;
    QDateTime m_date;
};
