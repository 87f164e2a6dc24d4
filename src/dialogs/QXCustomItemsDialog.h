// The list items and tree nodes dialogs: modal dialogs that edit a copy of a list view's items or a tree
// view's nodes as a tree on the left, with the selected item's caption and image indexes on the right,
// and write it back into the live view on Apply or OK. The list items and tree nodes presets open them.
// Writing back changes only what the dialog edits: every live item that is still wanted stays the same
// object with all its other data (columns, check state, user data, icons, flags, expansion).
#pragma once

#include "Guarded.h"
#include "ListViews.h"
#include "StringList.h"

#include <QDialog>
#include <QList>
#include <QPersistentModelIndex>
#include <QPointer>

class QAction;
class QComboBox;
class QFileDialog;
class QGroupBox;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;
namespace Ui {
class frmCustomItemsDlg;
}

/// One item detached from its view: caption and image indexes.
class QXINSPECTORCORE_EXPORT TCustomNodeItem : public QObject, public QXPlatform::TPersistent
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(int ImageIndex READ ImageIndex WRITE SetImageIndex)
    Q_PROPERTY(int StateIndex READ StateIndex WRITE SetStateIndex)
    Q_PROPERTY(int CustomIndex READ CustomIndex WRITE SetCustomIndex)

public:
    Q_INVOKABLE TCustomNodeItem();
    ~TCustomNodeItem() override;
    Q_DISABLE_COPY_MOVE(TCustomNodeItem)

    QString Caption() const { return m_caption; }
    void SetCaption(const QString &Value) { m_caption = Value; }
    int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int Value) { m_imageIndex = Value; }
    int StateIndex() const { return m_stateIndex; }
    void SetStateIndex(int Value) { m_stateIndex = Value; }
    /// A list item's overlay index, or a tree node's selected index.
    int CustomIndex() const { return m_customIndex; }
    void SetCustomIndex(int Value) { m_customIndex = Value; }

    /// From another node item.
    void Assign(const QObject *Source) override;
    /// From list item Index of Items (its overlay index into CustomIndex).
    virtual void AssignFromListItem(const QXPlatform::TListItems *Items, int Index);
    virtual void AssignToListItem(QXPlatform::TListItems *Items, int Index) const;
    /// From a tree node (its selected index into CustomIndex).
    void AssignFromNode(const QTreeWidgetItem *Node);
    void AssignToNode(QTreeWidgetItem *Node) const;

private:
    int m_imageIndex = -1;
    int m_stateIndex = -1;
    QString m_caption;
    int m_customIndex = -1;
};

/// A list item detached from its view: also its sub-items, with one image index per sub-item.
class QXINSPECTORCORE_EXPORT TNodeListItem : public TCustomNodeItem
{
    Q_OBJECT
    Q_PROPERTY(QXPlatform::TStrings *SubItems READ SubItems)
    Q_PROPERTY(QList<int> SubItemImages READ SubItemImages WRITE SetSubItemImages)

public:
    Q_INVOKABLE TNodeListItem();
    ~TNodeListItem() override;
    Q_DISABLE_COPY_MOVE(TNodeListItem)

    /// Owned; SubItemImages follows its length (new sub-items get -1, removed ones lose their entry).
    QXPlatform::TStrings *SubItems() const { return m_subItems; }
    QList<int> SubItemImages() const { return m_subItemImages; }
    void SetSubItemImages(const QList<int> &Value) { m_subItemImages = Value; }
    /// Sets the image of sub-item Index; an index outside the sub-items raises EListError.
    void SetSubItemImage(int Index, int Value);
    /// Deletes sub-item Index together with its image.
    void DeleteSubItem(int Index);

    void Assign(const QObject *Source) override;
    void AssignFromListItem(const QXPlatform::TListItems *Items, int Index) override;
    void AssignToListItem(QXPlatform::TListItems *Items, int Index) const override;

protected:
    virtual void ChangeSubItems();

private:
    QXPlatform::TStringList *m_subItems;
    QList<int> m_subItemImages;
};

class QXINSPECTORCORE_EXPORT TfrmCustomItemsDlg : public QXPlatform::TGuarded<QDialog>
{
    Q_OBJECT
public:
    explicit TfrmCustomItemsDlg(QWidget *parent = nullptr);
    ~TfrmCustomItemsDlg() override;
    Q_DISABLE_COPY_MOVE(TfrmCustomItemsDlg)

    /// Set by every change, cleared by Apply.
    bool IsModified() const { return m_modified; }
    /// The class of the data objects the dialog's nodes carry (a TCustomNodeItem class), or null when
    /// the controls edit the nodes themselves.
    const QMetaObject *NodeItemClass() const { return m_nodeItemClass; }
    /// The data object node Node carries, or null.
    static TCustomNodeItem *NodeData(const QTreeWidgetItem *Node);

    QXPlatform::TImageList *SmallImages() const { return m_smallImages; }
    /// Also the images the dialog's tree shows.
    void SetSmallImages(QXPlatform::TImageList *Value);
    QXPlatform::TImageList *LargeImages() const { return m_largeImages; }
    void SetLargeImages(QXPlatform::TImageList *Value) { m_largeImages = Value; }
    QXPlatform::TImageList *Images() const { return m_images; }
    /// The image combo box offers one entry per image, captioned with its index.
    void SetImages(QXPlatform::TImageList *Value);
    QXPlatform::TImageList *StateImages() const { return m_stateImages; }
    void SetStateImages(QXPlatform::TImageList *Value) { m_stateImages = Value; }
    QXPlatform::TImageList *CustomImages() const { return m_customImages; }
    void SetCustomImages(QXPlatform::TImageList *Value) { m_customImages = Value; }

    QTreeWidget *TreeView() const;
    QLineEdit *CaptionEdit() const;
    QComboBox *ImageIndexCombo() const;
    QComboBox *StateIndexCombo() const;
    QComboBox *CustomIndexCombo() const;
    QGroupBox *PropertiesBox() const;
    QAction *NewItemAction() const { return m_actNewItem; }
    QAction *NewSubItemAction() const { return m_actNewSubItem; }
    QAction *DeleteItemAction() const { return m_actDeleteItem; }
    QAction *ApplyAction() const { return m_actApply; }
    QAction *LoadAction() const { return m_actLoad; }
    QFileDialog *OpenDialog() const { return m_openDialog; }

    void done(int r) override;

protected:
    // Overridable steps, in the order a descendant needs them; overrides call the inherited one.
    /// Writes Combo's number into Node (or its data object).
    virtual void ComboBoxChange(QComboBox *Combo, QTreeWidgetItem *Node);
    /// Shows Node (or nothing) in the property controls.
    virtual void TreeViewChange(QTreeWidgetItem *Node);
    virtual void UpdateImages(bool SubItem);
    /// Replaces the tree with one read from a file the user picks; whether a file was loaded.
    virtual bool LoadItems();
    virtual void NewItem();
    virtual void NewSubItem();
    virtual void DeleteItem();
    /// Writes the dialog's tree back into the edited view.
    virtual void Apply();
    /// Writes the four property controls into the node that shows in them.
    virtual void FlushProperties();

    void SetNodeItemClass(const QMetaObject *Value) { m_nodeItemClass = Value; }
    void SetModified(bool Value);
    /// Empties the tree, freeing the nodes' data objects.
    void ClearTree();
    /// Frees the data objects of Node and its descendants.
    static void FreeNodeData(QTreeWidgetItem *Node);
    /// The live item (in the edited view's model) node Node was copied from; invalid for a node the dialog
    /// made, and once that item has left the view.
    static QPersistentModelIndex NodeSource(const QTreeWidgetItem *Node);
    static void SetNodeSource(QTreeWidgetItem *Node, const QModelIndex &Source);
    /// Makes Node carry Data (owned by the dialog from then on).
    static void SetNodeData(QTreeWidgetItem *Node, TCustomNodeItem *Data);
    /// A new data object of the node item class, or null without one.
    TCustomNodeItem *CreateNodeItem() const;
    /// Sets a combo box to a value: its text, and the entry of that text when there is one.
    static void SetComboValue(QComboBox *Combo, int Value);
    QTreeWidgetItem *ShownNode() const { return m_shownNode; }
    Ui::frmCustomItemsDlg *Form() const { return m_ui; }

private:
    void CaptionChanged(const QString &Text);
    void ComboLeft(QComboBox *Combo);
    /// ComboBoxChange on the shown node; when it raises, the focus goes back to Combo, its text selected.
    void WriteCombo(QComboBox *Combo);
    void CurrentChanged(QTreeWidgetItem *Current);
    void UpdateActions();

    Ui::frmCustomItemsDlg *m_ui;
    QAction *m_actNewItem, *m_actNewSubItem, *m_actDeleteItem, *m_actApply, *m_actLoad;
    QFileDialog *m_openDialog;
    QPointer<QXPlatform::TImageList> m_smallImages, m_largeImages, m_images, m_stateImages, m_customImages;
    const QMetaObject *m_nodeItemClass = &TNodeListItem::staticMetaObject;
    // The node the controls show; cleared before that node is removed.
    QTreeWidgetItem *m_shownNode = nullptr;
    bool m_showing = false; // the controls are being filled, not edited
    bool m_modified = false;
};

/// Edits the items of a list view: each item a top-level node, its sub-items the node's children.
class QXINSPECTORCORE_EXPORT TfrmTListItemsDlg : public TfrmCustomItemsDlg
{
    Q_OBJECT
public:
    explicit TfrmTListItemsDlg(QWidget *parent = nullptr);
    ~TfrmTListItemsDlg() override;

    /// Takes the view's items and image lists (a QListWidget or a list-style QTreeWidget); any other view
    /// raises EInvalidOperation and leaves the dialog as it was.
    void Copy(QAbstractItemView *ListView);
    QXPlatform::TListItems *ListItems() const { return m_items; }
    void SetListItems(QXPlatform::TListItems *Items);

protected:
    void ComboBoxChange(QComboBox *Combo, QTreeWidgetItem *Node) override;
    void TreeViewChange(QTreeWidgetItem *Node) override;
    void UpdateImages(bool SubItem) override;
    bool LoadItems() override;
    void NewItem() override;
    void NewSubItem() override;
    void DeleteItem() override;
    /// Writes every item into a scratch list first and only then into the live items, so that a write
    /// that fails leaves the view as it was. Items the dialog kept stay the same objects.
    void Apply() override;

private:
    void WriteItems();

    QPointer<QXPlatform::TListItems> m_items;
    bool m_iconStyle = false;
};

/// Edits a copy of a tree view's nodes. Apply keeps every live node that the dialog still shows, in
/// place where it can, and writes into it only its text and image indexes where they changed.
class QXINSPECTORCORE_EXPORT TfrmTTreeNodesDlg : public TfrmCustomItemsDlg
{
    Q_OBJECT
public:
    explicit TfrmTTreeNodesDlg(QWidget *parent = nullptr);
    ~TfrmTTreeNodesDlg() override;

    /// Takes a copy of the view's nodes and its image lists.
    void Copy(QTreeWidget *TreeView);
    QXPlatform::TTreeNodes *Items() const { return m_items; }
    void SetItems(QXPlatform::TTreeNodes *Nodes);

protected:
    void Apply() override;

private:
    QPointer<QXPlatform::TTreeNodes> m_items;
};
