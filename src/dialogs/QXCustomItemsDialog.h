/// \file
/// The list items and tree nodes dialogs: modal dialogs that edit a copy of a list view's items or a tree
/// view's nodes as a tree on the left, with the selected item's caption and image indexes on the right,
/// and write it back into the live view on Apply or OK. The list items and tree nodes presets open them.
/// Writing back changes only what the dialog edits: every live item that is still wanted stays the same
/// object with all its other data (columns, check state, user data, icons, flags, expansion).
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
    /// An item with an empty caption and every image index -1 (no image).
    Q_INVOKABLE TCustomNodeItem();
    ~TCustomNodeItem() override;
    Q_DISABLE_COPY_MOVE(TCustomNodeItem)

    ///@{
    /// The text the item shows.
    QString Caption() const { return m_caption; }
    void SetCaption(const QString &Value) { m_caption = Value; }
    ///@}
    ///@{
    /// The index of the item's image, -1 for none.
    int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int Value) { m_imageIndex = Value; }
    ///@}
    ///@{
    /// The index of the item's state image, -1 for none.
    int StateIndex() const { return m_stateIndex; }
    void SetStateIndex(int Value) { m_stateIndex = Value; }
    ///@}
    ///@{
    /// A list item's overlay index, or a tree node's selected index.
    int CustomIndex() const { return m_customIndex; }
    void SetCustomIndex(int Value) { m_customIndex = Value; }
    ///@}

    /// From another node item.
    void Assign(const QObject *Source) override;
    /// From list item Index of Items (its overlay index into CustomIndex).
    virtual void AssignFromListItem(const QXPlatform::TListItems *Items, int Index);
    /// Into list item Index of Items (CustomIndex as its overlay index).
    virtual void AssignToListItem(QXPlatform::TListItems *Items, int Index) const;
    /// From a tree node (its selected index into CustomIndex).
    void AssignFromNode(const QTreeWidgetItem *Node);
    /// Into a tree node (CustomIndex as its selected index).
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
    /// An item without sub-items.
    Q_INVOKABLE TNodeListItem();
    ~TNodeListItem() override;
    Q_DISABLE_COPY_MOVE(TNodeListItem)

    /// The texts of the sub-items. Owned; SubItemImages follows its length (new sub-items get -1, removed
    /// ones lose their entry).
    QXPlatform::TStrings *SubItems() const { return m_subItems; }
    ///@{
    /// The image index of each sub-item, in sub-item order (-1 for none).
    QList<int> SubItemImages() const { return m_subItemImages; }
    void SetSubItemImages(const QList<int> &Value) { m_subItemImages = Value; }
    ///@}
    /// Sets the image of sub-item Index; an index outside the sub-items raises EListError.
    void SetSubItemImage(int Index, int Value);
    /// Deletes sub-item Index together with its image.
    void DeleteSubItem(int Index);

    /// From another node item; from a list item node item also the sub-items and their images.
    void Assign(const QObject *Source) override;
    /// From list item Index of Items, its sub-items and their images included.
    void AssignFromListItem(const QXPlatform::TListItems *Items, int Index) override;
    /// Into list item Index of Items, its sub-items and their images included.
    void AssignToListItem(QXPlatform::TListItems *Items, int Index) const override;

protected:
    /// Told of every change of SubItems: brings SubItemImages to its length.
    virtual void ChangeSubItems();

private:
    QXPlatform::TStringList *m_subItems;
    QList<int> m_subItemImages;
};

/// What the list items and tree nodes dialogs share: the tree of the edited copy, the property controls of
/// the node it shows (caption, image, state and custom index), and the New Item, New Subitem, Delete, Apply
/// and Load actions.
class QXINSPECTORCORE_EXPORT TfrmCustomItemsDlg : public QXPlatform::TGuarded<QDialog>
{
    Q_OBJECT
public:
    /// A dialog with an empty tree, centred on the screen of parent (or the one under the mouse).
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

    ///@{
    /// The edited view's small images: also the images the dialog's tree shows.
    QXPlatform::TImageList *SmallImages() const { return m_smallImages; }
    void SetSmallImages(QXPlatform::TImageList *Value);
    ///@}
    ///@{
    /// The edited view's large images (what the items of an icon-style list view show).
    QXPlatform::TImageList *LargeImages() const { return m_largeImages; }
    void SetLargeImages(QXPlatform::TImageList *Value) { m_largeImages = Value; }
    ///@}
    ///@{
    /// The images the image index combo box offers: one entry per image, captioned with its index.
    QXPlatform::TImageList *Images() const { return m_images; }
    void SetImages(QXPlatform::TImageList *Value);
    ///@}
    ///@{
    /// The edited view's state images, which the state index picks from.
    QXPlatform::TImageList *StateImages() const { return m_stateImages; }
    void SetStateImages(QXPlatform::TImageList *Value) { m_stateImages = Value; }
    ///@}
    ///@{
    /// The images the custom index picks from.
    QXPlatform::TImageList *CustomImages() const { return m_customImages; }
    void SetCustomImages(QXPlatform::TImageList *Value) { m_customImages = Value; }
    ///@}

    /// The dialog's tree: the edited copy of the items.
    QTreeWidget *TreeView() const;
    /// The edit of the shown node's caption; what is typed goes into the node at once.
    QLineEdit *CaptionEdit() const;
    /// The combo box of the shown node's image index.
    QComboBox *ImageIndexCombo() const;
    /// The combo box of the shown node's state index.
    QComboBox *StateIndexCombo() const;
    /// The combo box of the shown node's custom index (Overlay Index or Selected Index).
    QComboBox *CustomIndexCombo() const;
    /// The group box of the four property controls, disabled while no node is shown.
    QGroupBox *PropertiesBox() const;
    /// New Item: writes the shown node's properties back, then NewItem.
    QAction *NewItemAction() const { return m_actNewItem; }
    /// New Subitem: writes the shown node's properties back, then NewSubItem; enabled with a selection.
    QAction *NewSubItemAction() const { return m_actNewSubItem; }
    /// Delete: DeleteItem; enabled with a selection.
    QAction *DeleteItemAction() const { return m_actDeleteItem; }
    /// Apply: Apply; enabled while IsModified.
    QAction *ApplyAction() const { return m_actApply; }
    /// Load...: LoadItems.
    QAction *LoadAction() const { return m_actLoad; }
    /// The open dialog of Load, kept from one use to the next.
    QFileDialog *OpenDialog() const { return m_openDialog; }

    /// OK applies first while there are changes, and closes only when that works.
    void done(int r) override;

protected:
    // Overridable steps, in the order a descendant needs them; overrides call the inherited one.
    /// Writes Combo's number into Node (or its data object).
    virtual void ComboBoxChange(QComboBox *Combo, QTreeWidgetItem *Node);
    /// Shows Node (or nothing) in the property controls.
    virtual void TreeViewChange(QTreeWidgetItem *Node);
    /// Brings Images in step with a node about to be shown, a sub-item when SubItem; here always the
    /// small images.
    virtual void UpdateImages(bool SubItem);
    /// Replaces the tree with one read from a file the user picks; whether a file was loaded.
    virtual bool LoadItems();
    /// Appends a sibling of the selected node (a top-level node without a selection) and selects it.
    virtual void NewItem();
    /// Appends a child to the selected node and selects it; nothing without a selection.
    virtual void NewSubItem();
    /// Deletes the selected node and its descendants, and selects the node after it.
    virtual void DeleteItem();
    /// Writes the dialog's tree back into the edited view.
    virtual void Apply();
    /// Writes the four property controls into the node that shows in them.
    virtual void FlushProperties();

    /// Sets NodeItemClass; null makes the controls edit the nodes themselves.
    void SetNodeItemClass(const QMetaObject *Value) { m_nodeItemClass = Value; }
    /// Sets IsModified, and enables Apply with it.
    void SetModified(bool Value);
    /// Empties the tree, freeing the nodes' data objects.
    void ClearTree();
    /// Frees the data objects of Node and its descendants.
    static void FreeNodeData(QTreeWidgetItem *Node);
    ///@{
    /// The live item (in the edited view's model) node Node was copied from; invalid for a node the dialog
    /// made, and once that item has left the view.
    static QPersistentModelIndex NodeSource(const QTreeWidgetItem *Node);
    static void SetNodeSource(QTreeWidgetItem *Node, const QModelIndex &Source);
    ///@}
    /// Makes Node carry Data (owned by the dialog from then on).
    static void SetNodeData(QTreeWidgetItem *Node, TCustomNodeItem *Data);
    /// A new data object of the node item class, or null without one.
    TCustomNodeItem *CreateNodeItem() const;
    /// Sets a combo box to a value: its text, and the entry of that text when there is one.
    static void SetComboValue(QComboBox *Combo, int Value);
    /// The node the property controls show, or null.
    QTreeWidgetItem *ShownNode() const { return m_shownNode; }
    /// The form of the dialog, for descendants that change its controls.
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
    /// A list items dialog: its top-level nodes carry TNodeListItem objects.
    explicit TfrmTListItemsDlg(QWidget *parent = nullptr);
    ~TfrmTListItemsDlg() override;

    /// Takes the view's items and image lists (a QListWidget or a list-style QTreeWidget); any other view
    /// raises EInvalidOperation and leaves the dialog as it was.
    void Copy(QAbstractItemView *ListView);
    ///@{
    /// The edited items; setting others fills the tree with a copy of them.
    QXPlatform::TListItems *ListItems() const { return m_items; }
    void SetListItems(QXPlatform::TListItems *Items);
    ///@}

protected:
    /// For a sub-item, only the image index is written (into its item's SubItemImages).
    void ComboBoxChange(QComboBox *Combo, QTreeWidgetItem *Node) override;
    /// A sub-item shows its text and image index; its state and custom indexes stay disabled.
    void TreeViewChange(QTreeWidgetItem *Node) override;
    /// The large images for an item of an icon-style view, the small ones otherwise.
    void UpdateImages(bool SubItem) override;
    /// The file's top-level nodes become items, their children sub-items; deeper nodes are dropped.
    bool LoadItems() override;
    /// Appends an item at the top level and selects it.
    void NewItem() override;
    /// Appends a sub-item to the selected item (or to the item of the selected sub-item) and selects it.
    void NewSubItem() override;
    /// Deletes the selected item, or the selected sub-item with its text and image.
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
    /// A tree nodes dialog: the controls edit the nodes themselves, the custom index is the selected index.
    explicit TfrmTTreeNodesDlg(QWidget *parent = nullptr);
    ~TfrmTTreeNodesDlg() override;

    /// Takes a copy of the view's nodes and its image lists.
    void Copy(QTreeWidget *TreeView);
    ///@{
    /// The edited nodes; setting others fills the tree with a copy of them.
    QXPlatform::TTreeNodes *Items() const { return m_items; }
    void SetItems(QXPlatform::TTreeNodes *Nodes);
    ///@}

protected:
    void Apply() override;

private:
    QPointer<QXPlatform::TTreeNodes> m_items;
};
