#include "ListViews.h"

#include "Collection.h"
#include "Exceptions.h"
#include "StringList.h"

#include <QFile>
#include <QHash>
#include <QListWidget>
#include <QPointer>
#include <QTreeWidget>

namespace QXPlatform {

namespace {

struct ViewImages
{
    QPointer<TImageList> Small, Large, State;
};

// Keyed by view; an entry leaves when its view is destroyed.
QHash<const QObject *, ViewImages> &viewImages()
{
    static QHash<const QObject *, ViewImages> images;
    return images;
}

ViewImages &imagesOf(QAbstractItemView *view)
{
    auto &all = viewImages();
    if (!all.contains(view))
        QObject::connect(view, &QObject::destroyed, [view] { viewImages().remove(view); });
    return all[view];
}

// One adapter per view, freed when the view goes.
template<class Adapter, class View> Adapter *adapterOf(View *view, const char *key)
{
    if (!view)
        return nullptr;
    auto *adapter = view->property(key).template value<Adapter *>();
    if (!adapter) {
        adapter = Create<Adapter>(view);
        view->setProperty(key, QVariant::fromValue(adapter));
        QObject::connect(view, &QObject::destroyed, [adapter] { Free(adapter); });
    }
    return adapter;
}

int toIndex(const QVariant &value)
{
    return value.isValid() ? value.toInt() : -1;
}

// The icon an image index stands for in the view's images: large ones in icon mode.
void showImage(QAbstractItemView *view, QListWidgetItem *item, QTreeWidgetItem *node, int column, int index)
{
    const auto *list = qobject_cast<const QListWidget *>(view);
    TImageList *images
        = list && list->viewMode() == QListView::IconMode ? LargeImages(view) : SmallImages(view);
    const QIcon icon = images ? images->Icon(index) : QIcon();
    if (item)
        item->setIcon(icon);
    if (node)
        node->setIcon(column, icon);
}

QTreeWidgetItem *cloneNode(const QTreeWidgetItem *source)
{
    auto *node = new QTreeWidgetItem;
    node->setText(0, source->text(0));
    node->setIcon(0, source->icon(0));
    node->setFlags(source->flags());
    for (int role : { ImageIndexRole, StateIndexRole, SelectedIndexRole })
        node->setData(0, role, source->data(0, role));
    for (int i = 0; i < source->childCount(); ++i)
        node->addChild(cloneNode(source->child(i)));
    node->setExpanded(source->isExpanded());
    return node;
}

} // namespace

// ---------------------------------------------------------------------------------------------------
// Image lists

TImageList::TImageList(QObject *parent)
    : QObject(parent)
{ }
TImageList::~TImageList() = default;

int TImageList::Add(const QIcon &Icon)
{
    m_icons.append(Icon);
    Q_EMIT changed();
    return Count() - 1;
}

void TImageList::Clear()
{
    m_icons.clear();
    Q_EMIT changed();
}

TImageList *SmallImages(const QAbstractItemView *View)
{
    return viewImages().value(View).Small;
}
void SetSmallImages(QAbstractItemView *View, TImageList *Images)
{
    imagesOf(View).Small = Images;
}
TImageList *LargeImages(const QAbstractItemView *View)
{
    return viewImages().value(View).Large;
}
void SetLargeImages(QAbstractItemView *View, TImageList *Images)
{
    imagesOf(View).Large = Images;
}
TImageList *StateImages(const QAbstractItemView *View)
{
    return viewImages().value(View).State;
}
void SetStateImages(QAbstractItemView *View, TImageList *Images)
{
    imagesOf(View).State = Images;
}

// ---------------------------------------------------------------------------------------------------
// List items

TListItems::TListItems(QAbstractItemView *View)
    : m_view(View)
{ }

TListItems::~TListItems() = default;

bool TListItems::IsIconStyle() const
{
    const auto *list = qobject_cast<const QListWidget *>(m_view);
    return list && list->viewMode() == QListView::IconMode;
}

int TListItems::Count() const
{
    if (auto *list = qobject_cast<QListWidget *>(m_view))
        return list->count();
    if (auto *tree = qobject_cast<QTreeWidget *>(m_view))
        return tree->topLevelItemCount();
    return 0;
}

void TListItems::checkIndex(int Index) const
{
    if (Index < 0 || Index >= Count())
        ListIndexError(Index);
}

void TListItems::Clear()
{
    if (auto *list = qobject_cast<QListWidget *>(m_view))
        list->clear();
    else if (auto *tree = qobject_cast<QTreeWidget *>(m_view))
        tree->clear();
}

int TListItems::Add()
{
    if (auto *list = qobject_cast<QListWidget *>(m_view))
        list->addItem(new QListWidgetItem);
    else if (auto *tree = qobject_cast<QTreeWidget *>(m_view))
        tree->addTopLevelItem(new QTreeWidgetItem);
    return Count() - 1;
}

void TListItems::Delete(int Index)
{
    checkIndex(Index);
    if (auto *list = qobject_cast<QListWidget *>(m_view))
        delete list->takeItem(Index);
    else if (auto *tree = qobject_cast<QTreeWidget *>(m_view))
        delete tree->takeTopLevelItem(Index);
}

QVariant TListItems::data(int Index, int Role, int Column) const
{
    checkIndex(Index);
    if (auto *list = qobject_cast<QListWidget *>(m_view))
        return list->item(Index)->data(Role);
    return static_cast<QTreeWidget *>(m_view)->topLevelItem(Index)->data(Column, Role);
}

void TListItems::setData(int Index, int Role, const QVariant &Value, int Column)
{
    checkIndex(Index);
    if (auto *list = qobject_cast<QListWidget *>(m_view))
        list->item(Index)->setData(Role, Value);
    else
        static_cast<QTreeWidget *>(m_view)->topLevelItem(Index)->setData(Column, Role, Value);
}

int TListItems::indexData(int Index, int Role) const
{
    return toIndex(data(Index, Role));
}

void TListItems::setIndexData(int Index, int Role, int Value)
{
    setData(Index, Role, Value);
}

QString TListItems::Caption(int Index) const
{
    return data(Index, Qt::DisplayRole).toString();
}

void TListItems::SetCaption(int Index, const QString &Value)
{
    setData(Index, Qt::DisplayRole, Value);
}

void TListItems::SetImageIndex(int Index, int Value)
{
    setIndexData(Index, ImageIndexRole, Value);
    auto *list = qobject_cast<QListWidget *>(m_view);
    auto *tree = qobject_cast<QTreeWidget *>(m_view);
    showImage(m_view, list ? list->item(Index) : nullptr, tree ? tree->topLevelItem(Index) : nullptr, 0,
              Value);
}

QStringList TListItems::SubItems(int Index) const
{
    if (auto *tree = qobject_cast<QTreeWidget *>(m_view)) {
        checkIndex(Index);
        QTreeWidgetItem *item = tree->topLevelItem(Index);
        QStringList subItems;
        for (int column = 1; column < item->columnCount(); ++column)
            subItems << item->text(column);
        return subItems;
    }
    return data(Index, SubItemsRole).toStringList();
}

void TListItems::SetSubItems(int Index, const QStringList &Value)
{
    QList<int> images = SubItemImages(Index);
    images.resize(Value.size(), -1);
    if (auto *tree = qobject_cast<QTreeWidget *>(m_view)) {
        checkIndex(Index);
        QTreeWidgetItem *item = tree->topLevelItem(Index);
        for (int column = item->columnCount() - 1; column > Value.size(); --column) {
            item->setText(column, QString());
            item->setIcon(column, QIcon());
        }
        for (int i = 0; i < Value.size(); ++i)
            item->setText(i + 1, Value.at(i));
    } else {
        setData(Index, SubItemsRole, Value);
    }
    setData(Index, SubItemImagesRole, QVariant::fromValue(images));
}

QList<int> TListItems::SubItemImages(int Index) const
{
    QList<int> images = data(Index, SubItemImagesRole).value<QList<int>>();
    images.resize(SubItems(Index).size(), -1);
    return images;
}

void TListItems::SetSubItemImage(int Index, int SubItem, int Image)
{
    QList<int> images = SubItemImages(Index);
    if (SubItem < 0 || SubItem >= images.size())
        ListIndexError(SubItem);
    images[SubItem] = Image;
    setData(Index, SubItemImagesRole, QVariant::fromValue(images));
    if (auto *tree = qobject_cast<QTreeWidget *>(m_view))
        showImage(m_view, nullptr, tree->topLevelItem(Index), SubItem + 1, Image);
}

void TListItems::UpdateItems(int, int)
{
    m_view->viewport()->update();
}

// ---------------------------------------------------------------------------------------------------
// Tree nodes

TTreeNodes::TTreeNodes(QTreeWidget *View)
    : m_view(View)
{ }

TTreeNodes::~TTreeNodes() = default;

int TTreeNodes::Count() const
{
    int count = 0;
    for (QTreeWidgetItemIterator it(m_view); *it; ++it)
        ++count;
    return count;
}

void TTreeNodes::Clear()
{
    m_view->clear();
}

void TTreeNodes::Assign(const QObject *Source)
{
    const auto *source = qobject_cast<const TTreeNodes *>(Source);
    if (!source) {
        TPersistent::Assign(Source);
        return;
    }
    if (source == this)
        return;
    QList<QTreeWidgetItem *> nodes;
    for (int i = 0; i < source->m_view->topLevelItemCount(); ++i)
        nodes << cloneNode(source->m_view->topLevelItem(i));
    m_view->clear();
    m_view->addTopLevelItems(nodes);
    for (QTreeWidgetItemIterator it(m_view); *it; ++it)
        showImage(m_view, nullptr, *it, 0, ImageIndex(*it));
}

void TTreeNodes::LoadFromFile(const QString &FileName)
{
    TStringList lines;
    lines.LoadFromFile(FileName);
    // A file indented with tabs counts each leading tab or space as one level, as it always did; a file
    // indented with spaces only counts them in its own unit, the narrowest indentation it uses (two,
    // four or any other number of spaces per level).
    const auto leading = [](const QString &line) {
        qsizetype n = 0;
        while (n < line.size() && (line.at(n) == QLatin1Char('\t') || line.at(n) == QLatin1Char(' ')))
            ++n;
        return n;
    };
    const QStringList all = lines.ToStringList();
    qsizetype unit = 0;
    for (const QString &line : all) {
        if (line.trimmed().isEmpty())
            continue;
        const qsizetype width = leading(line);
        if (line.left(width).contains(QLatin1Char('\t'))) {
            unit = 1;
            break;
        }
        if (width > 0 && (unit == 0 || width < unit))
            unit = width;
    }
    QList<QTreeWidgetItem *> topLevel;
    QList<QTreeWidgetItem *> path; // the last node of each depth
    for (const QString &line : all) {
        const QString text = line.trimmed();
        if (text.isEmpty())
            continue;
        qsizetype depth = unit > 0 ? leading(line) / unit : 0;
        depth = qMin(depth, path.size());
        auto *node = new QTreeWidgetItem(QStringList(text));
        if (depth == 0)
            topLevel << node;
        else
            path.at(depth - 1)->addChild(node);
        path.resize(depth);
        path << node;
    }
    m_view->clear();
    m_view->addTopLevelItems(topLevel);
}

int TTreeNodes::ImageIndex(const QTreeWidgetItem *Node)
{
    return toIndex(Node->data(0, ImageIndexRole));
}

void TTreeNodes::SetImageIndex(QTreeWidgetItem *Node, int Value)
{
    Node->setData(0, ImageIndexRole, Value);
    if (Node->treeWidget())
        showImage(Node->treeWidget(), nullptr, Node, 0, Value);
}

int TTreeNodes::StateIndex(const QTreeWidgetItem *Node)
{
    return toIndex(Node->data(0, StateIndexRole));
}

void TTreeNodes::SetStateIndex(QTreeWidgetItem *Node, int Value)
{
    Node->setData(0, StateIndexRole, Value);
}

int TTreeNodes::SelectedIndex(const QTreeWidgetItem *Node)
{
    return toIndex(Node->data(0, SelectedIndexRole));
}

void TTreeNodes::SetSelectedIndex(QTreeWidgetItem *Node, int Value)
{
    Node->setData(0, SelectedIndexRole, Value);
}

TListItems *ListItemsOf(QAbstractItemView *View)
{
    if (!qobject_cast<QListWidget *>(View) && !qobject_cast<QTreeWidget *>(View))
        return nullptr;
    return adapterOf<TListItems>(View, "qx_ListItems");
}

TTreeNodes *TreeNodesOf(QTreeWidget *View)
{
    return adapterOf<TTreeNodes>(View, "qx_TreeNodes");
}

} // namespace QXPlatform
