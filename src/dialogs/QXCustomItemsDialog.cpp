#include "QXCustomItemsDialog.h"

#include "Collection.h"
#include "QXConsts.h"
#include "ui_QXCustomItemsDialog.h"

#include <QAction>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHash>
#include <QListWidget>
#include <QScopedValueRollback>
#include <QScreen>
#include <QSet>
#include <QTreeWidget>

#include <memory>

using namespace QXPlatform;

namespace {

constexpr int NodeDataRole = Qt::UserRole + 0x5180;
// The QPersistentModelIndex of the live item a node was copied from.
constexpr int NodeSourceRole = Qt::UserRole + 0x5181;

int comboNumber(const QComboBox *combo)
{
    bool ok = false;
    const QString text = combo->currentText().trimmed();
    const int value = text.toInt(&ok);
    if (!ok)
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(combo->currentText()));
    return value;
}

int indexInParent(const QTreeWidgetItem *node)
{
    return node->parent() ? node->parent()->indexOfChild(const_cast<QTreeWidgetItem *>(node)) : -1;
}

QTreeWidgetItem *newNode(const QString &text)
{
    auto *node = new QTreeWidgetItem(QStringList(text));
    node->setFlags(node->flags() | Qt::ItemIsEditable);
    return node;
}

void makeEditable(QTreeWidgetItem *node)
{
    node->setFlags(node->flags() | Qt::ItemIsEditable);
    for (int i = 0; i < node->childCount(); ++i)
        makeEditable(node->child(i));
}

QPersistentModelIndex nodeSource(const QTreeWidgetItem *node)
{
    return node->data(0, NodeSourceRole).value<QPersistentModelIndex>();
}

void setSource(QTreeWidgetItem *node, const QModelIndex &source)
{
    node->setData(0, NodeSourceRole, QVariant::fromValue(QPersistentModelIndex(source)));
}

// A node's parent, the tree's invisible root for a top-level node; null for a node in no tree.
QTreeWidgetItem *parentOf(QTreeWidgetItem *node)
{
    if (QTreeWidgetItem *parent = node->parent())
        return parent;
    return node->treeWidget() ? node->treeWidget()->invisibleRootItem() : nullptr;
}

// The node of view that index stands for, found by its path of rows; null for an index of another model.
QTreeWidgetItem *nodeAt(const QTreeWidget *view, const QModelIndex &index)
{
    if (!index.isValid() || index.model() != view->model())
        return nullptr;
    QList<int> rows;
    for (QModelIndex i = index; i.isValid(); i = i.parent())
        rows.prepend(i.row());
    QTreeWidgetItem *node = view->invisibleRootItem();
    for (int row : rows) {
        node = node->child(row);
        if (!node)
            break;
    }
    return node;
}

// The dialog's copy of the children of liveParent (standing at liveIndex of model) under parent: the text
// and image indexes the dialog edits, the icon for the looks, and where each node came from.
void copyNodes(QTreeWidgetItem *parent, const QTreeWidgetItem *liveParent, const QModelIndex &liveIndex,
               const QAbstractItemModel *model)
{
    for (int i = 0; i < liveParent->childCount(); ++i) {
        const QTreeWidgetItem *live = liveParent->child(i);
        const QModelIndex index = model->index(i, 0, liveIndex);
        QTreeWidgetItem *node = newNode(live->text(0));
        node->setIcon(0, live->icon(0));
        for (int role : { ImageIndexRole, StateIndexRole, SelectedIndexRole })
            if (const QVariant value = live->data(0, role); value.isValid())
                node->setData(0, role, value);
        setSource(node, index);
        parent->addChild(node);
        copyNodes(node, live, index, model);
        node->setExpanded(live->isExpanded());
    }
}

// Points every node under parent at the live node in the same place under liveIndex: after a write the
// two trees have one shape.
void refreshSources(QTreeWidgetItem *parent, const QModelIndex &liveIndex, const QAbstractItemModel *model)
{
    for (int i = 0; i < parent->childCount(); ++i) {
        const QModelIndex index = model->index(i, 0, liveIndex);
        setSource(parent->child(i), index);
        refreshSources(parent->child(i), index, model);
    }
}

// Brings the nodes of a live tree view into the shape of the dialog's tree. Each dialog node stands for
// the live node it was copied from, or for a new one; live nodes that no dialog node stands for are
// deleted. A kept node stays the same object, and is taken out and put back only when the dialog moved
// it, so the nodes the user did not touch keep everything the application gave them. Into each node go
// only its text and image indexes, and only where they differ.
class TreeWriter
{
public:
    TreeWriter(QTreeWidget *dialogTree, QTreeWidget *view)
        : m_dialogTree(dialogTree)
        , m_view(view)
    {
        for (QTreeWidgetItemIterator it(dialogTree); *it; ++it) {
            QTreeWidgetItem *live = nodeAt(view, nodeSource(*it));
            if (!live || m_kept.contains(live))
                continue;
            m_kept.insert(live);
            m_liveOf.insert(*it, live);
        }
    }

    void Write()
    {
        place(m_dialogTree->invisibleRootItem(), m_view->invisibleRootItem());
        trim(m_dialogTree->invisibleRootItem(), m_view->invisibleRootItem());
        // Last, and by place rather than through the nodes noted above: a write tells the application
        // (itemChanged), which may change its tree in answer.
        writeNodes(m_dialogTree->invisibleRootItem(), m_view->invisibleRootItem());
    }

private:
    void place(const QTreeWidgetItem *parent, QTreeWidgetItem *liveParent)
    {
        for (int i = 0; i < parent->childCount(); ++i) {
            const QTreeWidgetItem *node = parent->child(i);
            QTreeWidgetItem *live = m_liveOf.value(node);
            // Nodes that go are deleted before anything moves, so that the nodes after them stay put.
            while (i < liveParent->childCount() && liveParent->child(i) != live
                   && !m_kept.contains(liveParent->child(i)))
                discard(liveParent->child(i));
            const bool made = !live;
            if (made) {
                live = new QTreeWidgetItem;
                liveParent->insertChild(i, live);
                m_liveOf.insert(node, live);
            } else if (liveParent->child(i) != live) {
                take(live);
                liveParent->insertChild(i, live);
                restoreExpansion(live);
            }
            place(node, live);
            if (made && node->isExpanded())
                live->setExpanded(true);
        }
    }

    // After place every kept node is where the dialog has it, so what lies beyond a parent's wanted
    // children holds no kept node.
    void trim(const QTreeWidgetItem *parent, QTreeWidgetItem *liveParent)
    {
        while (liveParent->childCount() > parent->childCount())
            delete liveParent->child(liveParent->childCount() - 1);
        for (int i = 0; i < parent->childCount(); ++i)
            trim(parent->child(i), m_liveOf.value(parent->child(i)));
    }

    static void writeNodes(const QTreeWidgetItem *parent, QTreeWidgetItem *liveParent)
    {
        for (int i = 0; i < parent->childCount(); ++i) {
            QTreeWidgetItem *live = liveParent->child(i);
            if (!live)
                return;
            writeNode(parent->child(i), live);
            writeNodes(parent->child(i), live);
        }
    }

    static void writeNode(const QTreeWidgetItem *node, QTreeWidgetItem *live)
    {
        if (live->text(0) != node->text(0))
            live->setText(0, node->text(0));
        // Only a changed image index replaces the icon: the application's own icon stays otherwise.
        if (TTreeNodes::ImageIndex(live) != TTreeNodes::ImageIndex(node))
            TTreeNodes::SetImageIndex(live, TTreeNodes::ImageIndex(node));
        if (TTreeNodes::StateIndex(live) != TTreeNodes::StateIndex(node))
            TTreeNodes::SetStateIndex(live, TTreeNodes::StateIndex(node));
        if (TTreeNodes::SelectedIndex(live) != TTreeNodes::SelectedIndex(node))
            TTreeNodes::SetSelectedIndex(live, TTreeNodes::SelectedIndex(node));
    }

    // Deletes a live node that goes; the kept nodes under it are taken out first, to be put back where
    // the dialog has them.
    void discard(QTreeWidgetItem *live)
    {
        QList<QTreeWidgetItem *> keptBelow;
        collectKept(live, keptBelow);
        for (QTreeWidgetItem *kept : keptBelow)
            take(kept);
        delete live;
    }

    void collectKept(const QTreeWidgetItem *live, QList<QTreeWidgetItem *> &keptBelow) const
    {
        for (int i = 0; i < live->childCount(); ++i) {
            if (m_kept.contains(live->child(i)))
                keptBelow << live->child(i);
            else
                collectKept(live->child(i), keptBelow);
        }
    }

    // The view forgets the expansion of the nodes taken out of it, so it is noted until they are back.
    void take(QTreeWidgetItem *live)
    {
        if (live->treeWidget())
            saveExpansion(live);
        if (QTreeWidgetItem *parent = parentOf(live))
            parent->takeChild(parent->indexOfChild(live));
    }

    void saveExpansion(const QTreeWidgetItem *live)
    {
        if (live->childCount() == 0)
            return;
        m_expanded.insert(live, live->isExpanded());
        for (int i = 0; i < live->childCount(); ++i)
            saveExpansion(live->child(i));
    }

    void restoreExpansion(QTreeWidgetItem *live)
    {
        if (const auto it = m_expanded.constFind(live); it != m_expanded.cend()) {
            if (it.value())
                live->setExpanded(true);
            m_expanded.erase(it);
        }
        for (int i = 0; i < live->childCount(); ++i)
            restoreExpansion(live->child(i));
    }

    QTreeWidget *m_dialogTree;
    QTreeWidget *m_view;
    QHash<const QTreeWidgetItem *, QTreeWidgetItem *> m_liveOf; // dialog node -> its live node
    QSet<const QTreeWidgetItem *> m_kept; // live nodes some dialog node stands for
    QHash<const QTreeWidgetItem *, bool> m_expanded;
};

// Values of list item fromRow of from written into item toRow of to, each only where it differs, so a
// write leaves the icon the application set, and signals nothing, where nothing changed.
void copyListItem(const TListItems &from, int fromRow, TListItems &to, int toRow)
{
    const QStringList subItems = from.SubItems(fromRow);
    if (to.SubItems(toRow) != subItems)
        to.SetSubItems(toRow, subItems);
    const QList<int> images = from.SubItemImages(fromRow);
    const QList<int> toImages = to.SubItemImages(toRow);
    for (int i = 0; i < images.size(); ++i)
        if (toImages.value(i, -1) != images.at(i))
            to.SetSubItemImage(toRow, i, images.at(i));
    if (to.Caption(toRow) != from.Caption(fromRow))
        to.SetCaption(toRow, from.Caption(fromRow));
    if (to.ImageIndex(toRow) != from.ImageIndex(fromRow))
        to.SetImageIndex(toRow, from.ImageIndex(fromRow));
    if (to.StateIndex(toRow) != from.StateIndex(fromRow))
        to.SetStateIndex(toRow, from.StateIndex(fromRow));
    if (to.OverlayIndex(toRow) != from.OverlayIndex(fromRow))
        to.SetOverlayIndex(toRow, from.OverlayIndex(fromRow));
}

// An empty list item at Row of a list view (TListItems only appends).
void insertListItem(QAbstractItemView *view, int row)
{
    if (auto *list = qobject_cast<QListWidget *>(view))
        list->insertItem(row, new QListWidgetItem);
    else if (auto *tree = qobject_cast<QTreeWidget *>(view))
        tree->insertTopLevelItem(row, new QTreeWidgetItem);
}

} // namespace

// ---------------------------------------------------------------------------------------------------
// Node items

TCustomNodeItem::TCustomNodeItem() = default;
TCustomNodeItem::~TCustomNodeItem() = default;

void TCustomNodeItem::Assign(const QObject *Source)
{
    const auto *source = qobject_cast<const TCustomNodeItem *>(Source);
    if (!source) {
        TPersistent::Assign(Source);
        return;
    }
    m_caption = source->m_caption;
    m_imageIndex = source->m_imageIndex;
    m_stateIndex = source->m_stateIndex;
    m_customIndex = source->m_customIndex;
}

void TCustomNodeItem::AssignFromListItem(const TListItems *Items, int Index)
{
    m_caption = Items->Caption(Index);
    m_imageIndex = Items->ImageIndex(Index);
    m_stateIndex = Items->StateIndex(Index);
    m_customIndex = Items->OverlayIndex(Index);
}

void TCustomNodeItem::AssignToListItem(TListItems *Items, int Index) const
{
    Items->SetCaption(Index, m_caption);
    Items->SetImageIndex(Index, m_imageIndex);
    Items->SetStateIndex(Index, m_stateIndex);
    Items->SetOverlayIndex(Index, m_customIndex);
}

void TCustomNodeItem::AssignFromNode(const QTreeWidgetItem *Node)
{
    m_caption = Node->text(0);
    m_imageIndex = TTreeNodes::ImageIndex(Node);
    m_stateIndex = TTreeNodes::StateIndex(Node);
    m_customIndex = TTreeNodes::SelectedIndex(Node);
}

void TCustomNodeItem::AssignToNode(QTreeWidgetItem *Node) const
{
    Node->setText(0, m_caption);
    TTreeNodes::SetImageIndex(Node, m_imageIndex);
    TTreeNodes::SetStateIndex(Node, m_stateIndex);
    TTreeNodes::SetSelectedIndex(Node, m_customIndex);
}

TNodeListItem::TNodeListItem()
    : m_subItems(Create<TStringList>())
{
    connect(m_subItems, &TStrings::changed, this, [this] { ChangeSubItems(); });
}

TNodeListItem::~TNodeListItem()
{
    Free(m_subItems);
}

void TNodeListItem::ChangeSubItems()
{
    m_subItemImages.resize(m_subItems->Count(), -1);
}

void TNodeListItem::DeleteSubItem(int Index)
{
    if (Index < 0 || Index >= m_subItemImages.size())
        return;
    m_subItemImages.remove(Index);
    // The image went first, so the shorter list keeps the images of the sub-items after Index.
    m_subItems->Delete(Index);
}

void TNodeListItem::Assign(const QObject *Source)
{
    if (const auto *source = qobject_cast<const TNodeListItem *>(Source)) {
        m_subItems->SetStrings(source->m_subItems->ToStringList());
        m_subItemImages = source->m_subItemImages;
    }
    TCustomNodeItem::Assign(Source);
}

void TNodeListItem::SetSubItemImage(int Index, int Value)
{
    if (Index < 0 || Index >= m_subItemImages.size())
        ListIndexError(Index);
    m_subItemImages[Index] = Value;
}

void TNodeListItem::AssignFromListItem(const TListItems *Items, int Index)
{
    m_subItems->SetStrings(Items->SubItems(Index));
    m_subItemImages = Items->SubItemImages(Index);
    TCustomNodeItem::AssignFromListItem(Items, Index);
}

void TNodeListItem::AssignToListItem(TListItems *Items, int Index) const
{
    Items->SetSubItems(Index, m_subItems->ToStringList());
    for (int i = 0; i < m_subItemImages.size(); ++i)
        Items->SetSubItemImage(Index, i, m_subItemImages.at(i));
    TCustomNodeItem::AssignToListItem(Items, Index);
}

// ---------------------------------------------------------------------------------------------------
// The dialog

TfrmCustomItemsDlg::TfrmCustomItemsDlg(QWidget *parent)
    : TGuarded<QDialog>(parent)
    , m_ui(new Ui::frmCustomItemsDlg)
{
    m_ui->setupUi(this);
    QScreen *screen = parent ? parent->screen() : QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen)
        move(screen->availableGeometry().center() - rect().center());

    auto action = [this](const QString &caption, QPushButton *button, auto run) {
        auto *act = new QAction(caption, this);
        connect(act, &QAction::triggered, this, [run] { Guarded(run); });
        connect(button, &QPushButton::clicked, act, &QAction::trigger);
        connect(act, &QAction::changed, button, [act, button] { button->setEnabled(act->isEnabled()); });
        return act;
    };
    // A new node takes the selection, so the shown one is written back first: a bad number then adds
    // nothing.
    m_actNewItem = action(tr("&New Item"), m_ui->btnNewItem, [this] {
        FlushProperties();
        NewItem();
    });
    m_actNewSubItem = action(tr("N&ew Subitem"), m_ui->btnNewSubItem, [this] {
        FlushProperties();
        NewSubItem();
    });
    m_actDeleteItem = action(tr("&Delete"), m_ui->btnDelete, [this] { DeleteItem(); });
    m_actApply = action(tr("&Apply"), m_ui->btnApply, [this] { Apply(); });
    m_actLoad = action(tr("&Load..."), m_ui->btnLoad, [this] { LoadItems(); });

    m_openDialog = new QFileDialog(this);
    m_openDialog->setFileMode(QFileDialog::ExistingFile);
    m_openDialog->setNameFilter(tr("All Files(*)"));

    QTreeWidget *tree = m_ui->TreeView1;
    connect(tree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *current) { Guarded([&] { CurrentChanged(current); }); });
    // A label edited in the tree goes to the caption edit and on into the node at once.
    connect(tree, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem *node) {
        if (!m_showing && node == m_shownNode && node->text(0) != m_ui->leCaption->text())
            m_ui->leCaption->setText(node->text(0));
    });
    connect(m_ui->leCaption, &QLineEdit::textChanged, this,
            [this](const QString &text) { Guarded([&] { CaptionChanged(text); }); });
    for (QComboBox *combo : { m_ui->cbeImageIndex, m_ui->cbeStateIndex, m_ui->cbeCustomIndex }) {
        connect(combo, &QComboBox::editTextChanged, this, [this] {
            if (!m_showing)
                SetModified(true);
        });
        connect(combo->lineEdit(), &QLineEdit::editingFinished, this,
                [this, combo] { Guarded([&] { ComboLeft(combo); }); });
    }
    TreeViewChange(nullptr);
    UpdateActions();
}

TfrmCustomItemsDlg::~TfrmCustomItemsDlg()
{
    ClearTree();
    delete m_ui;
}

QTreeWidget *TfrmCustomItemsDlg::TreeView() const
{
    return m_ui->TreeView1;
}
QLineEdit *TfrmCustomItemsDlg::CaptionEdit() const
{
    return m_ui->leCaption;
}
QComboBox *TfrmCustomItemsDlg::ImageIndexCombo() const
{
    return m_ui->cbeImageIndex;
}
QComboBox *TfrmCustomItemsDlg::StateIndexCombo() const
{
    return m_ui->cbeStateIndex;
}
QComboBox *TfrmCustomItemsDlg::CustomIndexCombo() const
{
    return m_ui->cbeCustomIndex;
}
QGroupBox *TfrmCustomItemsDlg::PropertiesBox() const
{
    return m_ui->gbItemProperties;
}

TCustomNodeItem *TfrmCustomItemsDlg::NodeData(const QTreeWidgetItem *Node)
{
    return Node ? qobject_cast<TCustomNodeItem *>(Node->data(0, NodeDataRole).value<QObject *>()) : nullptr;
}

void TfrmCustomItemsDlg::SetNodeData(QTreeWidgetItem *Node, TCustomNodeItem *Data)
{
    Node->setData(0, NodeDataRole, QVariant::fromValue<QObject *>(Data));
}

QPersistentModelIndex TfrmCustomItemsDlg::NodeSource(const QTreeWidgetItem *Node)
{
    return nodeSource(Node);
}

void TfrmCustomItemsDlg::SetNodeSource(QTreeWidgetItem *Node, const QModelIndex &Source)
{
    setSource(Node, Source);
}

void TfrmCustomItemsDlg::FreeNodeData(QTreeWidgetItem *Node)
{
    // Deepest first, so that no node outlives its data.
    for (int i = 0; i < Node->childCount(); ++i)
        FreeNodeData(Node->child(i));
    TCustomNodeItem *data = NodeData(Node);
    Node->setData(0, NodeDataRole, QVariant());
    Free(data);
}

void TfrmCustomItemsDlg::ClearTree()
{
    m_shownNode = nullptr;
    QTreeWidget *tree = m_ui->TreeView1;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        FreeNodeData(tree->topLevelItem(i));
    const QScopedValueRollback showing(m_showing, true);
    tree->clear();
}

TCustomNodeItem *TfrmCustomItemsDlg::CreateNodeItem() const
{
    if (!m_nodeItemClass)
        return nullptr;
    QObject *made = m_nodeItemClass->newInstance();
    auto *item = qobject_cast<TCustomNodeItem *>(made);
    if (!item) {
        delete made;
        throw EInvalidCast(QStringLiteral("Invalid class typecast"));
    }
    TScopeExit freeOnError([item] { Free(item); });
    item->AfterConstruction();
    freeOnError.Dismiss();
    return item;
}

void TfrmCustomItemsDlg::SetModified(bool Value)
{
    m_modified = Value;
    UpdateActions();
}

void TfrmCustomItemsDlg::UpdateActions()
{
    const bool selected = m_ui->TreeView1->currentItem();
    m_actNewSubItem->setEnabled(selected);
    m_actDeleteItem->setEnabled(selected);
    m_actApply->setEnabled(m_modified);
}

void TfrmCustomItemsDlg::SetComboValue(QComboBox *Combo, int Value)
{
    const QString text = QString::number(Value);
    const int entry = Combo->findText(text, Qt::MatchExactly);
    Combo->setCurrentIndex(entry);
    Combo->setEditText(text);
}

void TfrmCustomItemsDlg::SetImages(TImageList *Value)
{
    m_images = Value;
    QComboBox *combo = m_ui->cbeImageIndex;
    const QScopedValueRollback showing(m_showing, true);
    const QString text = combo->currentText();
    combo->clear();
    for (int i = 0; Value && i < Value->Count(); ++i)
        combo->addItem(Value->Icon(i), QString::number(i));
    combo->setCurrentIndex(combo->findText(text, Qt::MatchExactly));
    combo->setEditText(text);
}

void TfrmCustomItemsDlg::SetSmallImages(TImageList *Value)
{
    m_smallImages = Value;
    QXPlatform::SetSmallImages(m_ui->TreeView1, Value);
}

void TfrmCustomItemsDlg::UpdateImages(bool)
{
    if (m_images != m_smallImages)
        SetImages(m_smallImages);
}

void TfrmCustomItemsDlg::CurrentChanged(QTreeWidgetItem *Current)
{
    if (m_shownNode && m_shownNode != Current) {
        // The controls go back into the node that was selected before they show the next one. When that
        // fails, the selection goes back to that node too, so the controls never write into a node that
        // is not selected. Queued: a mouse press selects the clicked node after telling of the change.
        TScopeExit keepSelection([this] {
            QMetaObject::invokeMethod(
                this,
                [this] {
                    QTreeWidget *tree = m_ui->TreeView1;
                    if (!m_shownNode || tree->currentItem() == m_shownNode)
                        return;
                    const QSignalBlocker quiet(tree); // the controls keep what the user typed
                    tree->setCurrentItem(m_shownNode);
                    UpdateActions();
                },
                Qt::QueuedConnection);
        });
        FlushProperties();
        keepSelection.Dismiss();
    }
    TreeViewChange(Current);
}

void TfrmCustomItemsDlg::TreeViewChange(QTreeWidgetItem *Node)
{
    const QScopedValueRollback showing(m_showing, true);
    m_shownNode = Node;
    UpdateActions();
    if (!Node) {
        m_ui->leCaption->clear();
        for (QComboBox *combo : { m_ui->cbeImageIndex, m_ui->cbeStateIndex, m_ui->cbeCustomIndex }) {
            combo->setCurrentIndex(-1);
            combo->setEditText(QString());
        }
        m_ui->gbItemProperties->setEnabled(false);
        return;
    }
    UpdateImages(Node->parent() != nullptr);
    if (m_nodeItemClass) {
        TCustomNodeItem *data = NodeData(Node);
        m_ui->leCaption->setText(data ? data->Caption() : Node->text(0));
        SetComboValue(m_ui->cbeImageIndex, data ? data->ImageIndex() : -1);
        SetComboValue(m_ui->cbeStateIndex, data ? data->StateIndex() : -1);
        SetComboValue(m_ui->cbeCustomIndex, data ? data->CustomIndex() : -1);
    } else {
        m_ui->leCaption->setText(Node->text(0));
        SetComboValue(m_ui->cbeImageIndex, TTreeNodes::ImageIndex(Node));
        SetComboValue(m_ui->cbeStateIndex, TTreeNodes::StateIndex(Node));
        SetComboValue(m_ui->cbeCustomIndex, TTreeNodes::SelectedIndex(Node));
    }
    m_ui->gbItemProperties->setEnabled(true);
}

void TfrmCustomItemsDlg::CaptionChanged(const QString &Text)
{
    if (m_showing || !m_shownNode)
        return;
    const QScopedValueRollback showing(m_showing, true);
    QTreeWidgetItem *node = m_shownNode;
    if (m_nodeItemClass) {
        if (TCustomNodeItem *data = NodeData(node))
            data->SetCaption(Text);
        else if (auto *parentData = qobject_cast<TNodeListItem *>(NodeData(node->parent())))
            parentData->SubItems()->SetStrings(indexInParent(node), Text);
    }
    node->setText(0, Text);
    SetModified(true);
}

void TfrmCustomItemsDlg::ComboLeft(QComboBox *Combo)
{
    // Leaving for another property control writes the number back here. Everywhere else it is written
    // where that matters, once: before the selection changes, on New, Apply and OK. Cancel, Esc and
    // leaving the window write nothing, so a bad number is never reported once the user cancelled.
    QWidget *next = focusWidget();
    if (!m_shownNode || !next || next == Combo || Combo->isAncestorOf(next)
        || !m_ui->gbItemProperties->isAncestorOf(next))
        return;
    WriteCombo(Combo);
}

void TfrmCustomItemsDlg::WriteCombo(QComboBox *Combo)
{
    // Queued: the focus may still be on its way to another control while this runs.
    TScopeExit refocus([Combo] {
        QMetaObject::invokeMethod(
            Combo,
            [Combo] {
                Combo->setFocus();
                Combo->lineEdit()->selectAll();
            },
            Qt::QueuedConnection);
    });
    ComboBoxChange(Combo, m_shownNode);
    refocus.Dismiss();
}

void TfrmCustomItemsDlg::ComboBoxChange(QComboBox *Combo, QTreeWidgetItem *Node)
{
    const int value = comboNumber(Combo);
    TCustomNodeItem *data = m_nodeItemClass ? NodeData(Node) : nullptr;
    if (Combo == m_ui->cbeImageIndex) {
        if (data)
            data->SetImageIndex(value);
        else if (TTreeNodes::ImageIndex(Node) != value) // the node's icon stays unless the index changed
            TTreeNodes::SetImageIndex(Node, value);
    } else if (Combo == m_ui->cbeStateIndex) {
        if (data)
            data->SetStateIndex(value);
        else
            TTreeNodes::SetStateIndex(Node, value);
    } else if (data) {
        data->SetCustomIndex(value);
    } else {
        TTreeNodes::SetSelectedIndex(Node, value);
    }
}

void TfrmCustomItemsDlg::FlushProperties()
{
    if (!m_shownNode)
        return;
    {
        // The caption is written as it is typed; this catches a node whose label changed meanwhile.
        const QString text = m_ui->leCaption->text();
        if (m_shownNode->text(0) != text)
            CaptionChanged(text);
    }
    for (QComboBox *combo : { m_ui->cbeImageIndex, m_ui->cbeStateIndex, m_ui->cbeCustomIndex })
        if (combo->isEnabled())
            WriteCombo(combo);
}

void TfrmCustomItemsDlg::NewItem()
{
    QTreeWidget *tree = m_ui->TreeView1;
    TCustomNodeItem *data = CreateNodeItem();
    QTreeWidgetItem *node = newNode(data ? data->Caption() : QString());
    if (data)
        SetNodeData(node, data);
    QTreeWidgetItem *selected = tree->currentItem();
    if (selected && selected->parent())
        selected->parent()->addChild(node);
    else
        tree->addTopLevelItem(node);
    tree->setCurrentItem(node);
    SetModified(true);
}

void TfrmCustomItemsDlg::NewSubItem()
{
    QTreeWidget *tree = m_ui->TreeView1;
    QTreeWidgetItem *selected = tree->currentItem();
    if (!selected)
        return;
    TCustomNodeItem *data = CreateNodeItem();
    QTreeWidgetItem *node = newNode(data ? data->Caption() : QString());
    if (data)
        SetNodeData(node, data);
    selected->addChild(node);
    selected->setExpanded(true);
    tree->setCurrentItem(node);
    SetModified(true);
}

void TfrmCustomItemsDlg::DeleteItem()
{
    QTreeWidget *tree = m_ui->TreeView1;
    QTreeWidgetItem *node = tree->currentItem();
    if (!node)
        return;
    QTreeWidgetItem *parent = node->parent();
    const int index = parent ? parent->indexOfChild(node) : tree->indexOfTopLevelItem(node);
    QTreeWidgetItem *next = parent ? parent->child(index + 1) : tree->topLevelItem(index + 1);
    m_shownNode = nullptr; // nothing is written into a node on its way out
    FreeNodeData(node);
    {
        const QScopedValueRollback showing(m_showing, true);
        delete node;
    }
    tree->setCurrentItem(next);
    if (!next)
        tree->clearSelection();
    TreeViewChange(next);
    SetModified(true);
}

bool TfrmCustomItemsDlg::LoadItems()
{
    m_openDialog->setWindowTitle(tr("Open"));
    if (m_openDialog->exec() != QDialog::Accepted || m_openDialog->selectedFiles().isEmpty())
        return false;
    // Read apart first, so that a file that cannot be read leaves the tree as it was.
    QTreeWidget scratch;
    TreeNodesOf(&scratch)->LoadFromFile(m_openDialog->selectedFiles().first());
    ClearTree();
    QList<QTreeWidgetItem *> nodes;
    while (scratch.topLevelItemCount() > 0)
        nodes << scratch.takeTopLevelItem(0);
    for (QTreeWidgetItem *node : nodes)
        makeEditable(node);
    m_ui->TreeView1->addTopLevelItems(nodes);
    m_ui->TreeView1->setCurrentItem(nullptr);
    TreeViewChange(nullptr);
    SetModified(true);
    return true;
}

void TfrmCustomItemsDlg::Apply()
{
    FlushProperties();
    SetModified(false);
}

void TfrmCustomItemsDlg::done(int r)
{
    if (r == QDialog::Accepted && m_modified && !Guarded([this] { Apply(); }))
        return;
    TGuarded<QDialog>::done(r);
}

// ---------------------------------------------------------------------------------------------------
// List items

TfrmTListItemsDlg::TfrmTListItemsDlg(QWidget *parent)
    : TfrmCustomItemsDlg(parent)
{
    setWindowTitle(QXConsts::ListItemsEditorCaption());
    SetNodeItemClass(&TNodeListItem::staticMetaObject);
}

TfrmTListItemsDlg::~TfrmTListItemsDlg() = default;

void TfrmTListItemsDlg::Copy(QAbstractItemView *ListView)
{
    // Only a list widget or a tree widget has list items; editing nothing and applying it would report a
    // success that never happened.
    if (!ListItemsOf(ListView))
        throw EInvalidOperation(QStringLiteral("Cannot edit the list items of %1: only a QListWidget or a "
                                               "QTreeWidget has list items")
                                    .arg(ListView ? QString::fromLatin1(ListView->metaObject()->className())
                                                  : QStringLiteral("no view")));
    SetSmallImages(QXPlatform::SmallImages(ListView));
    SetListItems(ListItemsOf(ListView));
    SetLargeImages(QXPlatform::LargeImages(ListView));
    SetStateImages(QXPlatform::StateImages(ListView));
    SetCustomImages(QXPlatform::StateImages(ListView));
    m_iconStyle = m_items && m_items->IsIconStyle();
    UpdateImages(false);
}

void TfrmTListItemsDlg::SetListItems(TListItems *Items)
{
    if (Items == m_items)
        return;
    m_items = Items;
    ClearTree();
    if (!Items)
        return;
    QTreeWidget *tree = TreeView();
    const QAbstractItemModel *model = Items->View()->model();
    for (int i = 0; i < Items->Count(); ++i) {
        auto *data = static_cast<TNodeListItem *>(CreateNodeItem());
        data->AssignFromListItem(Items, i);
        QTreeWidgetItem *node = newNode(data->Caption());
        SetNodeData(node, data);
        SetNodeSource(node, model->index(i, 0));
        for (int s = 0; s < data->SubItems()->Count(); ++s)
            node->addChild(newNode(data->SubItems()->Strings(s)));
        tree->addTopLevelItem(node);
        TTreeNodes::SetImageIndex(node, data->ImageIndex());
    }
}

void TfrmTListItemsDlg::UpdateImages(bool SubItem)
{
    TImageList *images = SubItem || !m_iconStyle ? SmallImages() : LargeImages();
    if (images != Images())
        SetImages(images);
}

void TfrmTListItemsDlg::TreeViewChange(QTreeWidgetItem *Node)
{
    TCustomNodeItem *data = NodeData(Node);
    if (!Node || data) {
        TfrmCustomItemsDlg::TreeViewChange(Node);
        StateIndexCombo()->setEnabled(Node);
        CustomIndexCombo()->setEnabled(Node);
        return;
    }
    TfrmCustomItemsDlg::TreeViewChange(Node); // fills and enables, then the sub-item's own values
    auto *parentData = qobject_cast<TNodeListItem *>(NodeData(Node->parent()));
    const int index = Node->parent()->indexOfChild(Node);
    QSignalBlocker blockCaption(CaptionEdit());
    QSignalBlocker blockImage(ImageIndexCombo()), blockState(StateIndexCombo()),
        blockCustom(CustomIndexCombo());
    if (parentData) {
        CaptionEdit()->setText(parentData->SubItems()->Strings(index));
        SetComboValue(ImageIndexCombo(), parentData->SubItemImages().value(index, -1));
    }
    SetComboValue(StateIndexCombo(), -1);
    SetComboValue(CustomIndexCombo(), -1);
    StateIndexCombo()->setEnabled(false);
    CustomIndexCombo()->setEnabled(false);
}

void TfrmTListItemsDlg::ComboBoxChange(QComboBox *Combo, QTreeWidgetItem *Node)
{
    if (NodeData(Node)) {
        TfrmCustomItemsDlg::ComboBoxChange(Combo, Node);
        return;
    }
    auto *parentData = qobject_cast<TNodeListItem *>(NodeData(Node->parent()));
    if (Combo != ImageIndexCombo() || !parentData)
        return;
    const int index = Node->parent()->indexOfChild(Node);
    bool ok = false;
    const int value = Combo->currentText().trimmed().toInt(&ok);
    if (!ok)
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(Combo->currentText()));
    if (index < parentData->SubItemImages().size())
        parentData->SetSubItemImage(index, value);
}

void TfrmTListItemsDlg::NewItem()
{
    auto *data = static_cast<TNodeListItem *>(CreateNodeItem());
    QTreeWidgetItem *node = newNode(data->Caption());
    SetNodeData(node, data);
    TreeView()->addTopLevelItem(node);
    TreeView()->setCurrentItem(node);
    SetModified(true);
}

void TfrmTListItemsDlg::NewSubItem()
{
    QTreeWidgetItem *selected = TreeView()->currentItem();
    if (!selected)
        return;
    QTreeWidgetItem *item = selected->parent() ? selected->parent() : selected;
    auto *data = qobject_cast<TNodeListItem *>(NodeData(item));
    if (!data)
        return;
    data->SubItems()->Add(QString());
    QTreeWidgetItem *node = newNode(QString());
    item->addChild(node);
    item->setExpanded(true);
    TreeView()->setCurrentItem(node);
    SetModified(true);
}

void TfrmTListItemsDlg::DeleteItem()
{
    QTreeWidgetItem *selected = TreeView()->currentItem();
    if (selected && selected->parent()) {
        if (auto *parentData = qobject_cast<TNodeListItem *>(NodeData(selected->parent())))
            parentData->DeleteSubItem(selected->parent()->indexOfChild(selected));
    }
    TfrmCustomItemsDlg::DeleteItem();
}

bool TfrmTListItemsDlg::LoadItems()
{
    if (!TfrmCustomItemsDlg::LoadItems())
        return false;
    QTreeWidget *tree = TreeView();
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem *node = tree->topLevelItem(i);
        auto *data = static_cast<TNodeListItem *>(CreateNodeItem());
        data->SetCaption(node->text(0));
        SetNodeData(node, data);
        for (int c = 0; c < node->childCount(); ++c) {
            QTreeWidgetItem *child = node->child(c);
            qDeleteAll(child->takeChildren()); // sub-items never nest
            data->SubItems()->Add(child->text(0));
        }
    }
    return true;
}

void TfrmTListItemsDlg::Apply()
{
    FlushProperties();
    if (m_items)
        WriteItems();
    TfrmCustomItemsDlg::Apply(); // the modified flag stays set when the write failed
}

void TfrmTListItemsDlg::WriteItems()
{
    QAbstractItemView *view = m_items->View();
    const QAbstractItemModel *model = view->model();
    QTreeWidget *tree = TreeView();
    const int count = tree->topLevelItemCount();
    // The live row each item was copied from. The dialog never reorders items, so the rows that stay
    // keep their order; an item whose row is gone, or out of that order, is written as a new item.
    QList<int> rows(count, -1);
    QList<bool> stays(m_items->Count(), false);
    for (int i = 0, last = -1; i < count; ++i) {
        const QPersistentModelIndex source = NodeSource(tree->topLevelItem(i));
        if (source.isValid() && source.model() == model && !source.parent().isValid() && source.row() > last
            && source.row() < stays.size()) {
            rows[i] = last = source.row();
            stays[last] = true;
        }
    }
    // Everything is written into a scratch list of the same kind first, so that a write that raises
    // leaves the live items as they were.
    std::unique_ptr<QAbstractItemView> scratch;
    if (qobject_cast<QListWidget *>(view))
        scratch = std::make_unique<QListWidget>();
    else
        scratch = std::make_unique<QTreeWidget>();
    TListItems *planned = ListItemsOf(scratch.get());
    for (int i = 0; i < count; ++i) {
        const int row = planned->Add();
        if (rows.at(i) >= 0)
            copyListItem(*m_items, rows.at(i), *planned, row);
        if (TCustomNodeItem *data = NodeData(tree->topLevelItem(i)))
            data->AssignToListItem(planned, row);
    }
    // Nothing below raises: every row exists, and only the values that differ are written.
    for (int row = int(stays.size()) - 1; row >= 0; --row)
        if (!stays.at(row))
            m_items->Delete(row);
    for (int i = 0; i < count; ++i) {
        if (rows.at(i) < 0)
            insertListItem(view, i);
        copyListItem(*planned, i, *m_items, i);
        SetNodeSource(tree->topLevelItem(i), model->index(i, 0));
    }
    m_items->UpdateItems(0, m_items->Count() - 1);
}

// ---------------------------------------------------------------------------------------------------
// Tree nodes

TfrmTTreeNodesDlg::TfrmTTreeNodesDlg(QWidget *parent)
    : TfrmCustomItemsDlg(parent)
{
    setWindowTitle(QXConsts::TreeNodesEditorCaption());
    Form()->lblCustomIndex->setText(tr("Selected I&ndex"));
    SetNodeItemClass(nullptr);
}

TfrmTTreeNodesDlg::~TfrmTTreeNodesDlg() = default;

void TfrmTTreeNodesDlg::Copy(QTreeWidget *TreeView)
{
    SetSmallImages(QXPlatform::SmallImages(TreeView));
    SetItems(TreeNodesOf(TreeView));
    SetStateImages(QXPlatform::StateImages(TreeView));
    SetCustomImages(QXPlatform::SmallImages(TreeView));
    UpdateImages(false);
}

void TfrmTTreeNodesDlg::SetItems(TTreeNodes *Nodes)
{
    if (Nodes == m_items)
        return;
    m_items = Nodes;
    ClearTree();
    if (!Nodes)
        return;
    copyNodes(TreeView()->invisibleRootItem(), Nodes->View()->invisibleRootItem(), QModelIndex(),
              Nodes->View()->model());
}

void TfrmTTreeNodesDlg::Apply()
{
    TfrmCustomItemsDlg::Apply();
    if (!m_items)
        return;
    QTreeWidget *view = m_items->View();
    TreeWriter(TreeView(), view).Write();
    refreshSources(TreeView()->invisibleRootItem(), QModelIndex(), view->model());
}
