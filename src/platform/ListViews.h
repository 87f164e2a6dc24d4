/// \file
/// List and tree views in the library's terms: a list view's items (caption, image indexes, sub-items and
/// their images) over a QListWidget or a QTreeWidget used as a list view (caption in column 0, sub-items
/// in the next columns), a tree view's nodes over a QTreeWidget, and the image lists a view carries. The
/// index of a view's image, state image and overlay (list items) or selected image (tree nodes) live in
/// item data roles, so they survive any copy of the items.
#pragma once

#include "Persistent.h"

#include <QAbstractItemView>
#include <QIcon>
#include <QList>
#include <QObject>
#include <QStringList>

class QTreeWidget;
class QTreeWidgetItem;

namespace QXPlatform {

/// The item data roles of image indexes; -1 (or no data) means no image.
enum TItemImageRole {
    ImageIndexRole = Qt::UserRole + 0x5100,
    StateIndexRole,
    /// A list item's overlay image.
    OverlayIndexRole,
    /// A tree node's image while it is selected.
    SelectedIndexRole,
    /// A list item's sub-item images (QList<int>, one per sub-item).
    SubItemImagesRole,
    /// A QListWidget item's sub-items (QStringList); a QTreeWidget shows them as columns instead.
    SubItemsRole,
};

/// A list of images addressed by index, as views and dialogs share them. A plain QObject: whoever makes
/// one owns it (a parent will do), and views and dialogs hold it by QPointer.
class QXINSPECTORCORE_EXPORT TImageList : public QObject
{
    Q_OBJECT
public:
    /// An empty image list.
    explicit TImageList(QObject *parent = nullptr);
    ~TImageList() override;
    Q_DISABLE_COPY_MOVE(TImageList)

    /// The number of images.
    int Count() const { return int(m_icons.size()); }
    /// The image at Index; a null icon out of range.
    QIcon Icon(int Index) const { return m_icons.value(Index); }
    /// Appends Icon; returns its index.
    int Add(const QIcon &Icon);
    /// Removes every image.
    void Clear();

Q_SIGNALS:
    /// Emitted after the images changed, so that views showing them repaint.
    void changed();

private:
    QList<QIcon> m_icons;
};

// The image lists a view carries (never owned; read as null once freed).
///@{
/// The image lists a view carries (never owned; read as null once freed): small images, large images
/// (icon mode) and state images.
QXINSPECTORCORE_EXPORT TImageList *SmallImages(const QAbstractItemView *View);
QXINSPECTORCORE_EXPORT void SetSmallImages(QAbstractItemView *View, TImageList *Images);
QXINSPECTORCORE_EXPORT TImageList *LargeImages(const QAbstractItemView *View);
QXINSPECTORCORE_EXPORT void SetLargeImages(QAbstractItemView *View, TImageList *Images);
QXINSPECTORCORE_EXPORT TImageList *StateImages(const QAbstractItemView *View);
QXINSPECTORCORE_EXPORT void SetStateImages(QAbstractItemView *View, TImageList *Images);
///@}

/// The items of a list view, addressed by index. One adapter per view (ListItemsOf), freed with it.
class QXINSPECTORCORE_EXPORT TListItems : public QObject, public TPersistent
{
    Q_OBJECT
public:
    /// View is a QListWidget or a QTreeWidget used as a list view.
    explicit TListItems(QAbstractItemView *View);
    ~TListItems() override;
    Q_DISABLE_COPY_MOVE(TListItems)

    /// The view whose items these are.
    QAbstractItemView *View() const { return m_view; }
    /// Whether the view shows large icons (a QListWidget in icon mode).
    bool IsIconStyle() const;
    /// The number of items.
    int Count() const;
    /// Deletes every item.
    void Clear();
    /// Appends an empty item; returns its index.
    int Add();
    /// Deletes the item at Index; EListError outside the list.
    void Delete(int Index);

    ///@{
    /// The item's text.
    QString Caption(int Index) const;
    void SetCaption(int Index, const QString &Value);
    ///@}
    ///@{
    /// The item's image index in the view's image list, -1 for none; setting it shows the image.
    int ImageIndex(int Index) const { return indexData(Index, ImageIndexRole); }
    void SetImageIndex(int Index, int Value);
    ///@}
    ///@{
    /// The item's state image index, -1 for none.
    int StateIndex(int Index) const { return indexData(Index, StateIndexRole); }
    void SetStateIndex(int Index, int Value) { setIndexData(Index, StateIndexRole, Value); }
    ///@}
    ///@{
    /// The item's overlay image index, -1 for none.
    int OverlayIndex(int Index) const { return indexData(Index, OverlayIndexRole); }
    void SetOverlayIndex(int Index, int Value) { setIndexData(Index, OverlayIndexRole, Value); }
    ///@}
    /// The item's sub-items (the further columns of a tree view).
    QStringList SubItems(int Index) const;
    /// Replaces the sub-items; images of sub-items that remain stay, new ones have none.
    void SetSubItems(int Index, const QStringList &Value);
    /// The image indexes of the item's sub-items, one per sub-item.
    QList<int> SubItemImages(int Index) const;
    /// Sets the image of sub-item SubItem; EListError when there is no such sub-item.
    void SetSubItemImage(int Index, int SubItem, int Image);
    /// Repaints the items First to Last.
    void UpdateItems(int First, int Last);

private:
    int indexData(int Index, int Role) const;
    void setIndexData(int Index, int Role, int Value);
    QVariant data(int Index, int Role, int Column = 0) const;
    void setData(int Index, int Role, const QVariant &Value, int Column = 0);
    void checkIndex(int Index) const;

    QAbstractItemView *m_view; // the view owns the adapter's lifetime (ListItemsOf)
};

/// The nodes of a tree view. One adapter per view (TreeNodesOf), freed with it.
class QXINSPECTORCORE_EXPORT TTreeNodes : public QObject, public TPersistent
{
    Q_OBJECT
public:
    /// The adapter of View's nodes; TreeNodesOf makes it.
    explicit TTreeNodes(QTreeWidget *View);
    ~TTreeNodes() override;
    Q_DISABLE_COPY_MOVE(TTreeNodes)

    /// The tree whose nodes these are.
    QTreeWidget *View() const { return m_view; }
    /// Every node, at every depth.
    int Count() const;
    /// Deletes every node.
    void Clear();
    /// From another TTreeNodes: the same nodes with their texts and image indexes (not their other data).
    void Assign(const QObject *Source) override;
    /// One node per line, its depth the number of leading tabs or spaces (a line deeper than the one
    /// before by more than one becomes its child); empty lines are skipped. EFOpenError when the file
    /// cannot be read, with the tree unchanged.
    void LoadFromFile(const QString &FileName);

    ///@{
    /// A node's image index, -1 for none; setting it shows the image.
    static int ImageIndex(const QTreeWidgetItem *Node);
    static void SetImageIndex(QTreeWidgetItem *Node, int Value);
    ///@}
    ///@{
    /// A node's state image index, -1 for none.
    static int StateIndex(const QTreeWidgetItem *Node);
    static void SetStateIndex(QTreeWidgetItem *Node, int Value);
    ///@}
    ///@{
    /// A node's image index while it is selected, -1 for none.
    static int SelectedIndex(const QTreeWidgetItem *Node);
    static void SetSelectedIndex(QTreeWidgetItem *Node, int Value);
    ///@}

private:
    QTreeWidget *m_view;
};

/// The list items of a QListWidget or list-style QTreeWidget: made on first request, freed with the view.
QXINSPECTORCORE_EXPORT TListItems *ListItemsOf(QAbstractItemView *View);
/// The nodes of a QTreeWidget: made on first request, freed with the view.
QXINSPECTORCORE_EXPORT TTreeNodes *TreeNodesOf(QTreeWidget *View);

} // namespace QXPlatform
