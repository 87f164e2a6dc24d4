// Uses the installed headers under their prefix: an inspector over a push button, edited through its row.
#include <QXInspector/Collection.h>
#include <QXInspector/QXItemListEditor.h>
#include <QXInspector/QXObjectInspector.h>
#include <QXInspector/QXSupport.h>

#include <QApplication>
#include <QPushButton>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QPushButton button(QStringLiteral("OK"));
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
    return ok ? 0 : 1;
}
