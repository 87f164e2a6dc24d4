#include <Collection.h>
#include <QXConsts.h>
#include <QXException.h>

#include <QCoreApplication>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    auto *collection
        = QXPlatform::Create<QXPlatform::TCollection>(&QXPlatform::TCollectionItem::staticMetaObject);
    collection->Add();
    const bool ok = collection->Count() == 1 && QXConsts::PropertyTitle() == QLatin1String("Property");
    QXPlatform::Free(collection);
    try {
        throw EVESKException(QXConsts::NotACategory());
    } catch (const EQXException &) {
        return ok ? 0 : 1;
    }
    return 1;
}
