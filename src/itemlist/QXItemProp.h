/// \file
/// The item tree that the item list editor shows: name/value items (TQXItemProp) in owned collections
/// (TQXItemProps). The top collection belongs to the grid, every other one to the item whose children it
/// holds. The tree also works without a grid: then no fonts come from a grid and paths use ".".
///
/// Changes to the tree travel up the owner chain (item, collection, owning item, ..., grid): Changing
/// before a change, Update after it, Notify for additions and removals, VisibleChanged for visibility.
/// The grid keeps its flat item lists in step from them. Besides that, an item asks the grid that shows it
/// (GetEditor, found at the top of that chain) directly for what only the grid knows: its options,
/// orientation and path delimiter, its fonts and value line count (GetGridCount), the item's place in its
/// flat lists, the current item, validation, and repainting or undoing the item's cells.
#pragma once

#include "Collection.h"
#include "EditStyle.h"
#include "Events.h"
#include "Exceptions.h"
#include "Graphics.h"
#include "StringList.h"

#include <QPointer>
#include <QVariant>
#include <functional>
#include <memory>

class TQXCustomItemListEditor;
class TQXItemProp;
class TQXItemProps;
class TQXItemPropValueStrings;

/// Asks for the entries of a drop-down list: Values is filled for the item at path PropName.
QX_DECLARE_EVENT(TQXGetPickListEvent,
                 void(QObject *Sender, const QString &PropName, QXPlatform::TStrings *Values))
/// Validates (or reports the validation of) the value in value line ACol of Item.
QX_DECLARE_EVENT(TQXOnValidateEvent, void(QObject *Sender, TQXItemProp *Item, int ACol))
/// Told of an error raised while validating; without a handler the error is raised to the caller.
QX_DECLARE_EVENT(TQXOnValidateErrorEvent,
                 void(QObject *Sender, TQXItemProp *Item, int ACol, const QXPlatform::Exception &E))

Q_DECLARE_METATYPE(TQXGetPickListEvent)
Q_DECLARE_METATYPE(TQXOnValidateEvent)
Q_DECLARE_METATYPE(TQXOnValidateErrorEvent)

/// Compares two items for CustomSort: negative, zero or positive.
using TQXItemPropCompare = std::function<int(TQXItemProp *Item1, TQXItemProp *Item2)>;

/// An item of the item list editor: a row (or column) with a name, a value per value line, editing
/// settings, fonts and child items.
class QXINSPECTORCORE_EXPORT TQXItemProp : public QXPlatform::TCollectionItem
{
    Q_OBJECT
    Q_PROPERTY(QXPlatform::TFont *Font READ GetFont WRITE SetFont)
    Q_PROPERTY(QXPlatform::TFont *ValueFont READ GetValueFont WRITE SetValueFont)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
    Q_PROPERTY(bool ParentValueFont READ ParentValueFont WRITE SetParentValueFont)
    Q_PROPERTY(bool Category READ Category WRITE SetCategory)
    Q_PROPERTY(bool DefaultCategory READ DefaultCategory WRITE SetDefaultCategory)
    Q_PROPERTY(bool Expanded READ IsExpanded WRITE SetExpanded)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(QString Value READ GetValue WRITE SetValue)
    Q_PROPERTY(QXPlatform::TStrings *Values READ Values WRITE SetValues)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(bool ReadOnly READ IsReadOnly WRITE SetReadOnly)
    Q_PROPERTY(bool Visible READ GetVisible WRITE SetVisible)
    // Spelled with the class that declares the enumeration: through the alias moc would not see an
    // enumeration, and the property would be neither shown as one nor stored.
    Q_PROPERTY(QXPlatform::TEditStyles::TEditStyle EditStyle READ EditStyle WRITE SetEditStyle)
    Q_PROPERTY(QString EditMask READ EditMask WRITE SetEditMask)
    Q_PROPERTY(QXPlatform::TNotifyEvent OnEditButtonClick MEMBER OnEditButtonClick)
    Q_PROPERTY(TQXGetPickListEvent OnGetPickList MEMBER OnGetPickList)
    Q_PROPERTY(TQXOnValidateEvent OnValidate MEMBER OnValidate)
    Q_PROPERTY(TQXOnValidateEvent OnValidated MEMBER OnValidated)
    Q_PROPERTY(TQXOnValidateErrorEvent OnValidateError MEMBER OnValidateError)
    Q_PROPERTY(QXPlatform::TStrings *PickList READ GetPickList WRITE SetPickList)
    Q_PROPERTY(bool ExpressionMask READ ExpressionMask WRITE SetExpressionMask)
    Q_PROPERTY(TQXItemProps *Items READ Items WRITE SetItems)
    Q_PROPERTY(int Tag MEMBER Tag)
    QX_DEFAULT(ParentFont, "True")
    QX_DEFAULT(ParentValueFont, "True")
    QX_DEFAULT(Category, "False")
    QX_DEFAULT(DefaultCategory, "False")
    QX_DEFAULT(Expanded, "False")
    QX_DEFAULT(Enabled, "True")
    QX_DEFAULT(ReadOnly, "False")
    QX_DEFAULT(Visible, "True")
    QX_DEFAULT(EditStyle, "esSimple")

public:
    /// An item inserted into Collection (null: none).
    Q_INVOKABLE explicit TQXItemProp(QXPlatform::TCollection *Collection);
    ~TQXItemProp() override;
    Q_DISABLE_COPY_MOVE(TQXItemProp)

    void AfterConstruction() override;
    void BeforeDestruction() override;

    // Copying
    void Assign(const QObject *Source) override;
    void SetIndex(int Value) override;
    /// Copies the item's own OnEditButtonClick, OnGetPickList and OnValidate handlers.
    virtual void AssignEvents(TQXItemProp *Source);

    // Navigation
    /// The grid the item is shown in, found up the owner chain; null without one.
    TQXCustomItemListEditor *GetEditor() const;
    /// The collection the item is in, or null.
    TQXItemProps *Collection() const;
    /// The item owning this item's collection; null at top level.
    TQXItemProp *GetParent() const;
    /// The depth of the item: 0 at top level.
    int GetLevel() const;
    /// Position in the grid's all-items list; -1 without a grid.
    int GetAbsoluteIndex() const;
    /// Position in the grid's shown-items list; -1 without a grid or when not shown.
    int GetAbsoluteVIndex() const;
    /// The delimiter of full path names: the grid's PathDelimiter.
    QString GetPathDelimiter() const;
    /// The names from the top level down to this item, joined with the path delimiter.
    virtual QString GetFullPathName() const;
    /// Name "=" values text (trailing blanks and line breaks removed).
    QString GetDisplayName() const override;

    // Name and values
    ///@{
    /// The item's name, shown in the name cell; with propUnique a name used by another item is refused.
    QString Name() const { return m_name; }
    virtual void SetName(const QString &NewName);
    ///@}
    /// The value under the grid's cursor for the selected item, else all values joined.
    virtual QString GetValue() const;
    /// Sets the value under the grid's cursor for the selected item, else all values from Value's lines.
    virtual void SetValue(const QString &Value);
    /// The values, one per value line; created on first request.
    QXPlatform::TStrings *Values() const;
    /// Copies Value's lines into the values.
    void SetValues(QXPlatform::TStrings *Value);
    /// The values text, lines joined by line breaks, trailing blanks and line breaks removed.
    QString ValuesText() const;
    /// Sets the values from a text, one line per value (as Values()->SetText, without making the list).
    void SetValuesText(const QString &Text);
    /// Value line Index (0 = the first value). With a grid, the values are first cut or padded to one per
    /// value line of the grid when Index lies within them; EStringListError outside the values.
    QString ValueLine(int Index) const;
    /// Cuts or pads the values to one per value line of the grid, without reporting a change.
    void FitValueLines() const;
    /// The number of value lines stored.
    int ValueLineCount() const { return int(m_valueLines.size()); }
    /// The values as they are stored, one entry per value line.
    const QStringList &ValueLines() const { return m_valueLines; }
    /// Replaces every value line at once; one change report, and none when nothing differs.
    void SetValueLines(const QStringList &Lines);
    /// Whether every value line is blank.
    virtual bool IsValuesEmpty() const;
    ///@{
    /// The hint shown for the item.
    QString Hint() const { return m_extras ? m_extras->hint : QString(); }
    virtual void SetHint(const QString &Value);
    ///@}

    // Editing
    ///@{
    /// How the value cells are edited: plain, with an ellipsis button, or with a pick list.
    QXPlatform::TEditStyle EditStyle() const { return m_editStyle; }
    virtual void SetEditStyle(QXPlatform::TEditStyle Value);
    ///@}
    ///@{
    /// The edit mask of the value cells (a regular expression while ExpressionMask).
    QString EditMask() const { return m_extras ? m_extras->editMask : QString(); }
    virtual void SetEditMask(const QString &Value);
    ///@}
    ///@{
    /// Whether EditMask is a regular expression the text must match rather than an edit mask.
    bool ExpressionMask() const { return m_expressionMask; }
    virtual void SetExpressionMask(bool Value);
    ///@}
    /// The pick list; created on first request.
    virtual QXPlatform::TStrings *GetPickList() const;
    /// Copies Value's entries into the pick list.
    virtual void SetPickList(QXPlatform::TStrings *Value);
    /// Sets the pick list's entries. Items given the same entries share one list until one of them asks
    /// for its own (GetPickList), so rows of one enumeration type cost one list.
    void SetPickListLines(const QStringList &Lines);
    /// Whether the item has a pick list with entries.
    bool HasPickList() const;
    ///@{
    /// An object the application attaches to the item (not owned; null once destroyed).
    QObject *ItemObject() const { return m_extras ? m_extras->itemObject.data() : nullptr; }
    virtual void SetItemObject(QObject *Value);
    ///@}

    // State
    /// Own read-only flag, or disabled.
    virtual bool IsReadOnly() const;
    /// Sets the item's own read-only flag.
    virtual void SetReadOnly(bool Value);
    ///@{
    /// Whether the item may be edited; a disabled item is read-only.
    bool Enabled() const { return m_enabled; }
    virtual void SetEnabled(bool Value);
    ///@}
    ///@{
    /// The item's own visibility flag.
    virtual bool GetVisible() const { return m_visible; }
    virtual void SetVisible(bool Value);
    ///@}
    /// Visible, and not hidden as read-only (categories never are).
    virtual bool IsVisibleItem() const;
    /// Shown: visible itself, and every ancestor visible and expanded.
    virtual bool IsVisible() const;
    /// Whether the item can be opened: it has children.
    virtual bool IsExpandable() const;
    /// The expansion wish is set and the item has children.
    bool IsExpanded() const;
    /// Sets the expansion wish (kept while the item has no children).
    virtual void SetExpanded(bool Value);
    /// Opens the item.
    virtual void Expand();
    /// Closes the item.
    virtual void Collapse();
    /// Opens the item and every item below it.
    virtual void FullExpand();
    /// Closes the item and every item below it.
    virtual void FullCollapse();
    /// Whether a child is visible (IsVisibleItem).
    virtual bool HasVisibleChildren() const;
    /// Number of grid lines shown below the item (cached).
    int GetVisibleChildCount() const;
    /// Items added below this item minus items removed below it.
    int DescendantCount() const { return m_descendantCount; }
    /// Whether the item has children.
    bool HasChildren() const;

    // Categories
    ///@{
    /// Whether the item is a category: a heading row that groups items.
    bool Category() const { return m_category; }
    virtual void SetCategory(bool Value);
    ///@}
    ///@{
    /// Whether the item is its collection's default category, under which items without a category go;
    /// setting it makes the item a category.
    bool DefaultCategory() const { return m_defaultCategory; }
    void SetDefaultCategory(bool Value);
    ///@}

    // Fonts
    /// The font of the name cell, as the item's own object (made on first request).
    virtual QXPlatform::TFont *GetFont() const;
    /// The font the name cell is drawn in: the item's own, or the one it inherits. For reading.
    const QXPlatform::TFont *EffectiveFont() const;
    /// The font the value cells are drawn in: the item's own, or the one it inherits. For reading.
    const QXPlatform::TFont *EffectiveValueFont() const;
    /// Copies Value into the name font.
    void SetFont(QXPlatform::TFont *Value);
    /// The font of the value cells.
    virtual QXPlatform::TFont *GetValueFont() const;
    /// Copies Value into the value font.
    void SetValueFont(QXPlatform::TFont *Value);
    /// The font value line Index is drawn in; descendants may give each line its own. It may be a font the
    /// item inherits (an ancestor's, the grid's), so it is only for reading.
    virtual const QXPlatform::TFont *GetIndividualValueFont(int Index) const;
    ///@{
    /// Whether the name font follows the parent (or the grid).
    bool ParentFont() const { return m_parentFont; }
    void SetParentFont(bool Value);
    ///@}
    ///@{
    /// Whether the value font follows the parent (or the grid).
    bool ParentValueFont() const { return m_parentValueFont; }
    void SetParentValueFont(bool Value);
    ///@}
    /// Takes the font again from Source (an ancestor) or, without one, from the grid.
    virtual void ParentFontChanged(TQXItemProp *Source);
    /// Takes the value font again from the parent or the grid, here and below, while ParentValueFont.
    virtual void ParentValueFontChanged();
    /// Whether the font is written with the settings: the item has a font of its own, or it and its
    /// parent differ in being a category.
    bool IsFontStored() const;

    // Children
    /// The child collection; created on first request.
    TQXItemProps *Items() const;
    /// Copies Value's items into the child collection.
    void SetItems(TQXItemProps *Value);

    // Validation
    /// DoValidate then DoValidated; errors other than aborts go to DoValidateError.
    virtual void Validate();

    bool IsStoredProperty(const char *Name) const override;

    /// Notifications from the child collection, passed on up the owner chain.
    virtual void ItemNotify(TQXItemProp *Item, QXPlatform::TCollectionNotification Action);
    /// Reports a change of Item to the collection, outside an update.
    virtual void UpdateItemProp(TQXItemProp *Item);
    /// The item's shown lines changed: the grid rewrites the lines of the subtree.
    virtual void VisibleChanged();

    /// Fired by a click on the ellipsis button of the item's value cell.
    QXPlatform::TNotifyEvent OnEditButtonClick;
    /// Asks for the entries of the item's pick list.
    TQXGetPickListEvent OnGetPickList;
    /// Checks an edited value; raising refuses it. Replaces the grid's OnValidate for this item.
    TQXOnValidateEvent OnValidate;
    /// Fired after an edited value was accepted. Replaces the grid's OnValidated for this item.
    TQXOnValidateEvent OnValidated;
    /// Receives the error of a refused value instead of the grid.
    TQXOnValidateErrorEvent OnValidateError;
    /// A number for the application's own use.
    int Tag = 0;

protected:
    /// Tells the grid a change is coming (it hides its in-place editor).
    virtual void Changing();
    /// Fires OnValidate, or the grid's validation, for the current value line.
    virtual void DoValidate();
    /// Fires OnValidated, or the grid's, for the current value line.
    virtual void DoValidated();
    /// Rewrites the error for the user and hands it to OnValidateError or the grid.
    virtual void DoValidateError(std::exception_ptr E);
    /// The message a refused edit is reported with: "\"value\" is not a valid property value: reason".
    virtual QString InvalidValueMessage(const QString &Reason) const;
    /// Moves the item where its new name belongs: into its category, to its sorted place.
    virtual void MoveProp(const QString &NewName);
    /// The pick list changed: a plain item gets a drop-down, an emptied one goes back to plain.
    virtual void PickListChange(QObject *Sender);
    /// Builds the child collection when no grid supplies one.
    virtual TQXItemProps *CreateItems();
    /// Reports a change of the values.
    void ValuesChanged();

private:
    friend class TQXItemProps;
    friend class TQXItemPropValueStrings;
    friend class TQXCustomItemListEditor;

    void FontChanged(QObject *Sender);
    void followFont(QXPlatform::TFont *font, const QXPlatform::TFont *from);
    void setExpandedDeep(bool Expanded);
    /// The plain setters: store when different, then report the change.
    template<class T> void assignAndNotify(T &field, const T &value)
    {
        if (value == field)
            return;
        field = value;
        Changed(false);
    }
    TQXItemProp *sameKindAncestor() const;
    const QXPlatform::TFont *inheritedFont() const;
    const QXPlatform::TFont *inheritedValueFont() const;
    void InvalidateOwnRow();
    /// The item whose VisibleChanged began the notification now travelling up the owner chain; the
    /// grid takes it (it is null afterwards).
    static TQXItemProp *takeVisibleOrigin();
    void ensureChildren() const;
    TQXItemPropValueStrings *valueStrings() const;
    QXPlatform::TCollection *ownerCollection() const;

    // What few items have, kept apart so that an item without them stays small (rows come by the
    // hundred thousand).
    struct Extras
    {
        QString hint;
        QString editMask;
        QPointer<QObject> itemObject;
    };
    Extras &extras();

    QString m_name;
    std::unique_ptr<Extras> m_extras;
    // Caches the const getters make on first use and keep (GetPickList, Items, valueStrings, GetFont,
    // GetValueFont; FitValueLines fits the lines); those that own or call back into the item reach it
    // through a cast.
    mutable QXPlatform::TStringList *m_pickList = nullptr;
    mutable TQXItemProps *m_items = nullptr;
    mutable TQXItemPropValueStrings *m_values = nullptr;
    mutable QStringList m_valueLines;
    mutable QXPlatform::TFont *m_font = nullptr;
    mutable QXPlatform::TFont *m_valueFont = nullptr;
    int m_descendantCount = 0;
    mutable int m_visibleChildCache = -1;
    // Positions in the grid's two lists, renumbered in one pass after the grid marks its positions stale;
    // a position counts only where the list holds this very item (AbsoluteIndexOf, AbsoluteVIndexOf).
    mutable int m_absIndex = -1;
    mutable int m_absVIndex = -1;
    QXPlatform::TEditStyle m_editStyle = QXPlatform::esSimple;
    bool m_readOnly = false;
    bool m_visible = false;
    bool m_expressionMask = false;
    bool m_expanded = false;
    bool m_parentFont = true;
    bool m_parentValueFont = true;
    bool m_enabled = true;
    bool m_category = false;
    bool m_defaultCategory = false;
    bool m_followingParent = false;
    bool m_placing = false; // MoveProp is finding the item's place
    mutable bool m_pickListShared = false; // m_pickList is a shared list (SetPickListLines), not owned
};

/// The items of one level of an item list editor: building, lookup by name and path, sorting and
/// categories.
class QXINSPECTORCORE_EXPORT TQXItemProps : public QXPlatform::TOwnedCollection
{
    Q_OBJECT
    Q_PROPERTY(QXPlatform::TStrings *Categories READ Categories WRITE SetCategories)
    Q_PROPERTY(QString DefaultCategoryName READ DefaultCategoryName WRITE SetDefaultCategoryName)

public:
    /// An empty collection of ItemClass items (TQXItemProp or a descendant), owned by AOwner.
    Q_INVOKABLE TQXItemProps(QObject *AOwner, const QMetaObject *ItemClass);
    ~TQXItemProps() override;
    Q_DISABLE_COPY_MOVE(TQXItemProps)

    void BeforeDestruction() override;

    /// The item at Index; EListError outside the collection.
    TQXItemProp *Items(int Index) const { return static_cast<TQXItemProp *>(TOwnedCollection::Items(Index)); }
    /// The item at Index (Items).
    TQXItemProp *operator[](int Index) const { return Items(Index); }

    // Building
    /// A new item, appended.
    TQXItemProp *Add();
    /// Checks the name, adds an item, names it and sets its values text.
    TQXItemProp *Add(const QString &Name, const QString &Value);
    /// A new item, placed at Index.
    TQXItemProp *Insert(int Index);
    /// A new category named Name; without AllowDuplicate an existing category of that name is returned.
    TQXItemProp *AddCategory(const QString &Name, bool AllowDuplicate);
    /// Creates or reuses the items along Path and sets the values of the last one.
    TQXItemProp *AddFullPath(const QString &Path, const QString &Value, bool AllowDuplicate);
    /// Swaps two items.
    void Exchange(int Index1, int Index2);
    void BeginUpdate() override;

    // Lookup
    /// The first item named Name (CompareStrings), or -1.
    int IndexOf(const QString &Name) const;
    /// The first item whose display name is Name=Value, or -1.
    int IndexOf(const QString &Name, const QString &Value) const;
    /// The first category named Name, or -1.
    int IndexOfCategory(const QString &Name) const;
    /// The first item named Name, or null.
    TQXItemProp *GetItemByName(const QString &Name) const;
    /// Binary search of a sorted collection: true when found; Index is the first position whose name
    /// is not less than Name.
    virtual bool Find(const QString &Name, int &Index) const;
    /// The item at Path (names joined by the path delimiter) below this level, or null.
    TQXItemProp *FindItemByFullPathName(const QString &Path) const;
    /// The item with ID, or null.
    TQXItemProp *FindItemID(int ID) const
    {
        return static_cast<TQXItemProp *>(TOwnedCollection::FindItemID(ID));
    }
    /// By position (an ordinal) or by name; with Create, a missing position is inserted and a missing
    /// name raises "Property not found".
    virtual TQXItemProp *FindItemProp(const QVariant &Index, bool Create);
    /// True without a grid, without propUnique or for an empty name; otherwise whether Name is free.
    bool IsValid(const QString &Name, bool RaiseError) const;

    // Navigation
    /// The grid the items are shown in, or null.
    TQXCustomItemListEditor *GetEditor() const;
    /// The item the collection belongs to, or null at top level.
    TQXItemProp *GetParent() const;
    /// The delimiter of full path names: the grid's PathDelimiter.
    QString GetPathDelimiter() const;

    // Sorting
    ///@{
    /// Whether the items are kept in order of their names, here and below.
    bool Sorted() const { return m_sorted; }
    void SetSorted(bool Value);
    ///@}
    /// The comparison of names: the grid's, or case-insensitive without a grid.
    virtual int CompareStrings(const QString &S1, const QString &S2) const;
    /// Sorts the items by name, and those below unless ThisLevelOnly; a sorted collection is in order
    /// already.
    virtual void Sort(bool ThisLevelOnly);
    /// Sorts the items by Compare, and those below unless ThisLevelOnly.
    virtual void CustomSort(const TQXItemPropCompare &Compare, bool ThisLevelOnly);

    // Categories
    /// The category map: lines name=category.
    QXPlatform::TStrings *Categories() const;
    /// Copies Value into the category map.
    void SetCategories(QXPlatform::TStrings *Value);
    ///@{
    /// The name of the default category, made when the grid arranges by category.
    QString DefaultCategoryName() const { return m_defaultCategoryName; }
    void SetDefaultCategoryName(const QString &Value);
    ///@}
    /// The default category, or null.
    TQXItemProp *DefaultCategoryItem() const { return m_defaultCategory; }
    /// Makes Item the default category (null: none).
    void SetDefaultCategory(TQXItemProp *Item);
    /// Finds or makes the category named DefaultCategoryName and makes it the default; null without a
    /// name.
    TQXItemProp *CreateDefaultCategory();
    /// Deletes the category at Index; without DeleteChildren its children move up to this level first.
    /// EVESKException when the item is no category.
    virtual void DeleteCategory(int Index, bool DeleteChildren);
    /// Deletes every category of this level (see DeleteCategory).
    virtual void ClearCategories(bool DeleteChildren);
    /// Deletes the category named Name, if there is one.
    void RemoveCategory(const QString &Name, bool DeleteChildren);

    /// From another item collection: category map and sorted flag, then the items.
    void Assign(const QObject *Source) override;

    /// Tells the grid a change is coming, outside an update.
    virtual void Changing();
    /// Passes a change of the shown lines up to the owning item or the grid.
    virtual void VisibleChanged(TQXItemProp *Item);
    /// Follows an item's DefaultCategory flag.
    virtual void DefaultCategoryChanged(TQXItemProp *Item);

protected:
    void Notify(QXPlatform::TCollectionItem *Item, QXPlatform::TCollectionNotification Action) override;
    void Update(QXPlatform::TCollectionItem *Item) override;

private:
    friend class TQXItemProp;
    /// Where an item named Name belongs in this sorted collection (the items being placed left out).
    int sortedPlace(const QString &Name) const;
    void quickSort(const TQXItemPropCompare &Compare, int Low, int High);

    mutable QXPlatform::TStringList *m_categories = nullptr;
    // The owner, typed once: it owns this collection for the collection's whole life.
    TQXItemProp *m_ownerItem = nullptr;
    TQXCustomItemListEditor *m_ownerEditor = nullptr;
    TQXItemProp *m_defaultCategory = nullptr; // one of our own items; cleared when it leaves
    QString m_defaultCategoryName;
    bool m_sorted = false;
};

Q_DECLARE_METATYPE(TQXItemProps *)
