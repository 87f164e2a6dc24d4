#include "QXTDateEditor.h"

#include "ui_QXTDateEditor.h"

#include <QCalendarWidget>

using namespace QXPlatform;

TfrmDateEditor::TfrmDateEditor(QWidget *parent)
    : TGuarded<QDialog>(parent, Qt::Dialog | Qt::FramelessWindowHint)
    , m_ui(new Ui::frmDateEditor)
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("frmDateEditor"));
    setFixedSize(234, 186);
    QFont font = this->font();
    font.setPixelSize(13);
    setFont(font);
    // Only a click on a day counts: Qt reports none for the navigation bar, so browsing the months never
    // closes the form, and the shown page keeps the remembered day selected.
    connect(m_ui->MonthCalendar1, &QCalendarWidget::clicked, this,
            [this](QDate day) { Guarded([&] { DayClicked(day); }); });
    SetDate(QDateTime::currentDateTime());
}

TfrmDateEditor::~TfrmDateEditor()
{
    delete m_ui;
}

QCalendarWidget *TfrmDateEditor::Calendar() const
{
    return m_ui->MonthCalendar1;
}

QDateTime TfrmDateEditor::Date() const
{
    return QDateTime(m_ui->MonthCalendar1->selectedDate(), m_date.time());
}

void TfrmDateEditor::SetDate(const QDateTime &Value)
{
    m_date = Value;
    m_ui->MonthCalendar1->setSelectedDate(Value.date());
}

void TfrmDateEditor::DayClicked(QDate Day)
{
    if (Day != m_date.date())
        accept();
}
