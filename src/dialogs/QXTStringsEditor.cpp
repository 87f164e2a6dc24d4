#include "QXTStringsEditor.h"

#include "CommonDialogs.h"
#include "QXConsts.h"
#include "QXItemListEditor.h"
#include "ui_QXTStringsEditor.h"

#include <QAction>
#include <QFileDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QScreen>
#include <QTabBar>

using namespace QXPlatform;

namespace {

// Lines by the string-list convention: an empty text has none, and a final line break ends the last line
// instead of starting another.
QStringList textLines(const QString &text)
{
    TStringList lines;
    lines.SetText(text);
    return lines.ToStringList();
}

void centreOnScreen(QWidget *widget)
{
    QScreen *screen = widget->parentWidget() ? widget->parentWidget()->screen()
                                             : QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen)
        widget->move(screen->availableGeometry().center() - widget->rect().center());
}

} // namespace

QString TfrmQXStringsEditor::FileFilter()
{
    return QStringLiteral("Text files (*.TXT)|*.TXT|Config files (*.SYS;*.INI)|*.SYS;*.INI|Batch files "
                          "(*.BAT)|*.BAT|All files (*.*)|*.*");
}

TfrmQXStringsEditor::TfrmQXStringsEditor(QWidget *parent)
    : TGuarded<QDialog>(parent)
    , m_ui(new Ui::frmQXStringsEditor)
{
    m_ui->setupUi(this);
    centreOnScreen(this);

    m_iniEditor = Create<TQXItemListEditor>(m_ui->tsINI);
    m_ui->tsINI->layout()->addWidget(m_iniEditor);
    m_iniEditor->setObjectName(QStringLiteral("INIView"));
    m_iniEditor->SetPropertyOptions(TQXCustomItemListEditor::propEdit | TQXCustomItemListEditor::propAdd
                                    | TQXCustomItemListEditor::propDelete);
    m_iniEditor->SetOptions(m_iniEditor->Options() | TCustomDrawGrid::goTabs);
    m_iniEditor->SetCol(0);
    // The rows are made one per line, never split into a tree, so a key holding a dot stays one row;
    // the delimiter is one no text line holds, for rows the user adds.
    m_iniEditor->SetPathDelimiter(QString(QChar(0x1F)));
    m_iniEditor->setContextMenuPolicy(Qt::CustomContextMenu);

    m_menu = new QMenu(this);
    m_menu->addAction(m_ui->Load1);
    m_menu->addAction(m_ui->Save1);
    auto popup = [this](QWidget *widget) {
        return [this, widget](const QPoint &pos) { m_menu->popup(widget->mapToGlobal(pos)); };
    };
    connect(m_ui->Memo1, &QWidget::customContextMenuRequested, this, popup(m_ui->Memo1));
    connect(m_iniEditor, &QWidget::customContextMenuRequested, this, popup(m_iniEditor));
    connect(m_ui->Load1, &QAction::triggered, this, [this] { Guarded([this] { LoadFromFile(); }); });
    connect(m_ui->Save1, &QAction::triggered, this, [this] { Guarded([this] { SaveToFile(); }); });
    connect(m_ui->btnHelp, &QPushButton::clicked, this, [] { ShowHelp(HelpContext); });
    connect(m_ui->Memo1, &QPlainTextEdit::textChanged, this, [this] { UpdateLineCount(); });
    connect(m_ui->pcViews, &QTabWidget::currentChanged, this,
            [this](int index) { Guarded([&] { PageChanged(index); }); });
    m_ui->Memo1->installEventFilter(this);

    m_openDialog = new QFileDialog(this, tr("Load string list"));
    m_openDialog->setAcceptMode(QFileDialog::AcceptOpen);
    m_openDialog->setFileMode(QFileDialog::ExistingFile);
    m_openDialog->setDefaultSuffix(QStringLiteral("TXT"));
    m_openDialog->setOption(QFileDialog::ReadOnly, false);
    SetFileFilter(*m_openDialog, FileFilter());
    m_saveDialog = new QFileDialog(this, tr("Save string list"));
    m_saveDialog->setAcceptMode(QFileDialog::AcceptSave);
    m_saveDialog->setFileMode(QFileDialog::AnyFile);
    SetFileFilter(*m_saveDialog, FileFilter());
    // Qt's file dialogs have no Help button: F1 in them asks the application's help for their contexts.
    // A native file dialog is the platform's window and passes no keys to these actions.
    for (const auto &[dialog, context] : { std::pair { m_openDialog, int(OpenHelpContext) },
                                           std::pair { m_saveDialog, int(SaveHelpContext) } }) {
        auto *help = new QAction(dialog);
        help->setShortcuts(QKeySequence::HelpContents);
        help->setShortcutContext(Qt::WindowShortcut);
        dialog->addAction(help);
        connect(help, &QAction::triggered, this, [context = context] { ShowHelp(context); });
    }

    UpdateLineCount();
    m_ui->Memo1->setFocus();
}

TfrmQXStringsEditor::~TfrmQXStringsEditor()
{
    FreeAndNil(m_iniEditor);
    delete m_ui;
}

QPlainTextEdit *TfrmQXStringsEditor::Memo() const
{
    return m_ui->Memo1;
}

QTabWidget *TfrmQXStringsEditor::Pages() const
{
    return m_ui->pcViews;
}

QStringList TfrmQXStringsEditor::Lines() const
{
    return textLines(m_ui->Memo1->toPlainText());
}

void TfrmQXStringsEditor::SetLines(const QStringList &Value)
{
    m_ui->Memo1->setPlainText(Value.isEmpty() ? QString()
                                              : Value.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    SetINIStrings(Value);
}

void TfrmQXStringsEditor::SetLines(const TStrings *Value)
{
    SetLines(Value ? Value->ToStringList() : QStringList());
}

void TfrmQXStringsEditor::SetINIStrings(const QStringList &Lines)
{
    TQXItemProps *rows = m_iniEditor->Items();
    m_bareRows.clear();
    InUpdate(*rows, [&] {
        rows->Clear();
        for (const QString &line : Lines) {
            const qsizetype equals = line.indexOf(QLatin1Char('='));
            TQXItemProp *row = rows->Add(equals < 0 ? line : line.left(equals),
                                         equals < 0 ? QString() : line.mid(equals + 1));
            if (equals < 0)
                m_bareRows << row;
        }
    });
}

QStringList TfrmQXStringsEditor::INILines() const
{
    QStringList lines;
    const TQXItemProps *rows = m_iniEditor->Items();
    for (int i = 0; i < rows->Count(); ++i) {
        TQXItemProp *row = rows->Items(i);
        const QString value = row->GetValue();
        if (value.isEmpty() && m_bareRows.contains(row))
            lines << row->Name();
        else
            lines << row->Name() + QLatin1Char('=') + value;
    }
    return lines;
}

void TfrmQXStringsEditor::UpdateLineCount()
{
    const int count = int(Lines().size());
    m_ui->lblLineCount->setText(QStringLiteral("%1 %2").arg(count).arg(QXConsts::LineCounter(count)));
}

bool TfrmQXStringsEditor::INIPageActive() const
{
    return m_ui->pcViews->currentWidget() == m_ui->tsINI;
}

void TfrmQXStringsEditor::PageChanged(int Index)
{
    if (m_ui->pcViews->widget(Index) == m_ui->tsMemo)
        SetLines(INILines());
    else
        SetINIStrings(Lines());
}

void TfrmQXStringsEditor::SetMemoView(bool Value)
{
    if (Value == m_memoView)
        return;
    m_memoView = Value;
    m_ui->pcViews->setTabVisible(0, Value);
    SetTabs();
}

void TfrmQXStringsEditor::SetINIView(bool Value)
{
    if (Value == m_iniView)
        return;
    m_iniView = Value;
    m_ui->pcViews->setTabVisible(1, Value);
    SetTabs();
}

void TfrmQXStringsEditor::SetTabs()
{
    // A single view needs no tabs: the bar goes, the view's page stays current.
    m_ui->pcViews->tabBar()->setVisible(m_memoView == m_iniView);
    if (m_memoView == m_iniView)
        return;
    m_ui->pcViews->setCurrentWidget(m_iniView ? m_ui->tsINI : m_ui->tsMemo);
    if (m_iniView)
        m_iniEditor->setFocus();
    else
        m_ui->Memo1->setFocus();
}

void TfrmQXStringsEditor::LoadFromFile()
{
    if (m_openDialog->exec() != QDialog::Accepted || m_openDialog->selectedFiles().isEmpty())
        return;
    TStringList lines;
    lines.LoadFromFile(m_openDialog->selectedFiles().first()); // raises before the memo changes
    m_ui->Memo1->setPlainText(lines.Text());
    if (INIPageActive())
        SetINIStrings(Lines());
}

void TfrmQXStringsEditor::SaveToFile()
{
    if (!m_openDialog->selectedFiles().isEmpty())
        m_saveDialog->selectFile(m_openDialog->selectedFiles().first());
    if (m_saveDialog->exec() != QDialog::Accepted || m_saveDialog->selectedFiles().isEmpty())
        return;
    if (INIPageActive())
        SetLines(INILines());
    TStringList lines;
    lines.SetText(m_ui->Memo1->toPlainText());
    lines.SaveToFile(m_saveDialog->selectedFiles().first());
}

bool TfrmQXStringsEditor::GuardedEventFilter(QObject *watched, QEvent *e)
{
    if (watched == m_ui->Memo1 && e->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(e)->key() == Qt::Key_Escape) {
        m_ui->btnCancel->click();
        return true;
    }
    return TGuarded<QDialog>::GuardedEventFilter(watched, e);
}

void TfrmQXStringsEditor::done(int r)
{
    bool synced = true;
    if (INIPageActive())
        synced = Guarded([this] { SetLines(INILines()); });
    if (synced)
        TGuarded<QDialog>::done(r);
}
