#include "DBInspectorDemo.h"

#include <QXInspector/QXDBInspector.h>
#include <QXInspector/SqlDataSet.h>

#include <QDate>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVBoxLayout>

using namespace QXPlatform;

namespace {

const QStringList colours { QStringLiteral("Red"), QStringLiteral("Green"), QStringLiteral("Blue"),
                            QStringLiteral("Black"), QStringLiteral("White") };

/// Keeps the status line in step with the dataset: the current record and whether it is being edited.
class StatusLink : public TDataLink
{
public:
    explicit StatusLink(std::function<void()> Changed)
        : m_changed(std::move(Changed))
    { }

protected:
    void ActiveChanged() override { m_changed(); }
    void DataSetChanged() override { m_changed(); }
    void EditingChanged() override { m_changed(); }

private:
    std::function<void()> m_changed;
};

} // namespace

TDBInspectorDemo::TDBInspectorDemo(QWidget *parent)
    : QWidget(parent)
    , m_folder(std::make_unique<QTemporaryDir>())
    , m_connection(QStringLiteral("qxdemo-parts"))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(11, 11, 11, 11);
    auto *buttons = new QHBoxLayout;
    const QList<QPair<QString, void (TQXSqlDataSet::*)()>> operations {
        { QStringLiteral("First"), &TQXSqlDataSet::First },
        { QStringLiteral("Prior"), &TQXSqlDataSet::Prior },
        { QStringLiteral("Next"), &TQXSqlDataSet::Next },
        { QStringLiteral("Last"), &TQXSqlDataSet::Last },
        { QStringLiteral("Post"), &TQXSqlDataSet::Post },
        { QStringLiteral("Cancel"), &TQXSqlDataSet::Cancel },
    };
    for (const auto &[caption, operation] : operations) {
        auto *button = new QPushButton(caption, this);
        connect(button, &QPushButton::clicked, this, [this, operation = operation] { run(operation); });
        buttons->addWidget(button);
    }
    buttons->addStretch();
    layout->addLayout(buttons);

    m_dataSet = Create<TQXSqlDataSet>(nullptr);
    m_dataSet->SetConnectionName(m_connection);
    m_dataSet->SetTableName(QStringLiteral("parts"));
    m_source = Create<TDataSource>(nullptr);
    m_source->SetDataSet(m_dataSet);

    auto *grids = new QGridLayout;
    m_oneLine = makeInspector(1, false);
    m_threeLines = makeInspector(3, false);
    m_horizontal = makeInspector(3, true);
    grids->addWidget(m_oneLine, 0, 0);
    grids->addWidget(m_threeLines, 0, 1);
    grids->addWidget(m_horizontal, 1, 0, 1, 2);
    grids->setColumnStretch(0, 2);
    grids->setColumnStretch(1, 3);
    grids->setRowStretch(0, 3);
    grids->setRowStretch(1, 2);
    layout->addLayout(grids, 1);
    m_status = new QLabel(this);
    layout->addWidget(m_status);

    m_statusLink = std::make_unique<StatusLink>([this] { showState(); });
    m_statusLink->SetDataSource(m_source);
    if (createDatabase()) {
        m_dataSet->Open();
        // The colour takes its values from a list; the application says which.
        m_dataSet->FieldByName(QStringLiteral("colour"))->SetLookup(true);
        m_dataSet->FieldByName(QStringLiteral("price"))->SetDisplayLabel(QStringLiteral("Unit price"));
    }
    showState();
}

TDBInspectorDemo::~TDBInspectorDemo()
{
    m_statusLink.reset();
    Free(m_horizontal);
    Free(m_threeLines);
    Free(m_oneLine);
    if (m_dataSet->State() == dsEdit)
        m_dataSet->Cancel();
    Free(m_source);
    Free(m_dataSet);
    QSqlDatabase::database(m_connection, false).close();
    QSqlDatabase::removeDatabase(m_connection);
}

bool TDBInspectorDemo::createDatabase()
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(m_folder->filePath(QStringLiteral("parts.db")));
    if (!db.open())
        return false;
    QSqlQuery query(db);
    query.exec(QStringLiteral(
        "CREATE TABLE parts (id INTEGER PRIMARY KEY AUTOINCREMENT, name VARCHAR(40) NOT NULL, "
        "qty INTEGER CHECK (qty >= 0), price REAL, added DATE, instock BOOLEAN, colour VARCHAR(20), "
        "picture BLOB, notes MEMO)"));
    const QStringList names { QStringLiteral("Bolt M6"), QStringLiteral("Nut M6"), QStringLiteral("Washer"),
                              QStringLiteral("Bracket"), QStringLiteral("Hinge"),  QStringLiteral("Spring") };
    for (int i = 0; i < names.size(); ++i) {
        query.prepare(
            QStringLiteral("INSERT INTO parts (name, qty, price, added, instock, colour, picture, notes) "
                           "VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
        query.addBindValue(names[i]);
        query.addBindValue(25 * (i + 1));
        query.addBindValue(0.35 + 1.2 * i);
        query.addBindValue(QDate(2024, 3, 1).addDays(9 * i));
        query.addBindValue(i % 3 != 2);
        query.addBindValue(colours[i % colours.size()]);
        query.addBindValue(QByteArray(16, char(i)));
        query.addBindValue(QStringLiteral("Stored in bin %1").arg(i + 1));
        if (!query.exec())
            return false;
    }
    return true;
}

TQXDBInspector *TDBInspectorDemo::makeInspector(int RecordLines, bool Horizontal)
{
    auto *inspector = Create<TQXDBInspector>(this);
    if (Horizontal) {
        inspector->SetOrientation(TQXCustomItemListEditor::goHorizontal);
        inspector->SetDisplayOptions(inspector->DisplayOptions() & ~TQXCustomItemListEditor::doAutoColResize);
        inspector->SetDefaultColWidth(96);
    }
    inspector->SetGridCount(gcValueLineCount, RecordLines + 1);
    QStringList titles { QStringLiteral("Field") };
    for (int i = 0; i < RecordLines; ++i)
        titles << (RecordLines == 1 ? QStringLiteral("Current record")
                                    : QStringLiteral("Record %1").arg(i + 1));
    inspector->TitleCaptions()->SetText(titles.join(QLatin1Char('\n')));
    inspector->SetHideSelection(false);
    inspector->OnGetPickList = [](QObject *, const QString &, TStrings *Values) {
        Values->SetText(colours.join(QLatin1Char('\n')));
    };
    inspector->SetDataSource(m_source);
    return inspector;
}

void TDBInspectorDemo::run(void (TQXSqlDataSet::*Operation)())
{
    try {
        (m_dataSet->*Operation)();
    } catch (const Exception &error) {
        m_status->setText(error.Message());
        return;
    }
    showState();
}

void TDBInspectorDemo::showState()
{
    if (!m_status)
        return;
    if (!m_dataSet->Active()) {
        m_status->setText(QStringLiteral("The database could not be made."));
        return;
    }
    m_status->setText(QStringLiteral("Record %1 of %2%3")
                          .arg(m_dataSet->RecNo() + 1)
                          .arg(m_dataSet->RecordCount())
                          .arg(m_dataSet->State() == dsEdit
                                   ? QStringLiteral(", being edited (Post writes it)")
                                   : QString()));
}
