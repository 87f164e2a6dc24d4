// Uses the installed headers under their prefix: an inspector over a push button, edited through its row.
#include <QXInspector/Collection.h>
#include <QXInspector/QXDBInspector.h>
#include <QXInspector/QXItemListEditor.h>
#include <QXInspector/QXObjectInspector.h>
#include <QXInspector/QXSupport.h>
#include <QXInspector/SqlDataSet.h>

#include <QApplication>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QPushButton button(QStringLiteral("OK"));
    // --window: only the button, shown until the program is quit (by qx-inspect --list).
    if (app.arguments().contains(QStringLiteral("--window"))) {
        button.setObjectName(QStringLiteral("ConsumerButton"));
        button.show();
        return app.exec();
    }
    auto *inspector = QXPlatform::Create<TQXObjectInspector>(nullptr);
    inspector->Objects()->Add(&button);
    inspector->Rescan();
    TQXItemProperty *row = inspector->GetItems()->FindItemByFullPathName(QStringLiteral("text"));
    bool ok = row && row->GetValue() == QLatin1String("OK");
    if (row)
        row->SetStringProperty(QStringLiteral("Apply"), 0);
    ok = ok && button.text() == QLatin1String("Apply")
        && QXConsts::PropertyTitle() == QLatin1String("Property");
    QXPlatform::Free(inspector);

    // The data-aware inspector over a table of an in-memory SQLite database.
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("consumer"));
        db.setDatabaseName(QStringLiteral(":memory:"));
        ok = ok && db.open();
        QSqlQuery(db).exec(QStringLiteral("CREATE TABLE t (id INTEGER PRIMARY KEY, name TEXT)"));
        QSqlQuery(db).exec(QStringLiteral("INSERT INTO t (name) VALUES ('first')"));
        auto *dataSet = QXPlatform::Create<QXPlatform::TQXSqlDataSet>(nullptr);
        dataSet->SetConnectionName(QStringLiteral("consumer"));
        dataSet->SetTableName(QStringLiteral("t"));
        auto *source = QXPlatform::Create<QXPlatform::TDataSource>(nullptr);
        source->SetDataSet(dataSet);
        auto *dbInspector = QXPlatform::Create<TQXDBInspector>(nullptr);
        dbInspector->SetDataSource(source);
        dataSet->Open();
        TQXDBItemProp *name = dbInspector->GetItems()->FindItemByFullPathName(QStringLiteral("name"));
        ok = ok && name && name->ValueLine(0) == QLatin1String("first");
        QXPlatform::Free(dbInspector);
        QXPlatform::Free(source);
        QXPlatform::Free(dataSet);
        db = QSqlDatabase();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("consumer"));
    return ok ? 0 : 1;
}
