/// \file
/// The window the attach probe opens inside a running program: the program's objects as a tree with a
/// filter line over it, and an object inspector on the objects selected there. It also watches the whole
/// application (an application-wide event filter) for the key chord that shows and hides it and, with the
/// picker on, for the Ctrl+click that selects a widget of the program.
#pragma once

#include <QXInspector/Guarded.h>

#include <QHash>
#include <QKeySequence>
#include <QPointer>
#include <QWidget>

class QCheckBox;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;
class TQXObjectInspector;

/// The probe's window: an object tree of the program and an inspector on its selection.
class Q_DECL_EXPORT TQXProbeWindow : public QXPlatform::TGuarded<QWidget>
{
    Q_OBJECT
public:
    /// A window over the objects of the running application; it filters the application's events until
    /// it is deleted.
    explicit TQXProbeWindow(QWidget *parent = nullptr);
    ~TQXProbeWindow() override;
    Q_DISABLE_COPY_MOVE(TQXProbeWindow)

    TQXObjectInspector *Inspector() const { return m_inspector; }

    /// The key chord that shows and hides the window (Ctrl+Shift+I unless set); only its first key counts.
    QKeySequence Chord() const { return m_chord; }
    void SetChord(const QKeySequence &Value) { m_chord = Value; }
    /// Whether a Ctrl+click on a widget of the program selects it instead of reaching it.
    bool Picker() const;
    void SetPicker(bool Value);

    /// Whether Object is this window or lies inside it: the probe's own, kept out of the tree and the picker.
    bool IsOwn(const QObject *Object) const;
    /// The roots of the program's object tree: the application object, the parentless widgets and the
    /// windows that are not widgets, never the probe's own.
    QObjectList RootObjects() const;
    /// The children of Object the tree lists (all but the probe's own).
    QObjectList ChildObjects(const QObject *Object) const;
    /// The first object of the tree, breadth first, whose object name is Name, else the first whose class
    /// is Name; null when there is none.
    QObject *FindObject(const QString &Name) const;
    /// The tree as text, one object a line (its class, then its object name in quotes), two spaces of
    /// indentation a level.
    QString TreeText() const;

    /// Reads the program's objects into the tree again, keeping the selection.
    void RefreshTree();
    /// Selects Objects in the tree, and so in the inspector; objects made since the tree was read are
    /// found by reading it again.
    void Select(const QObjectList &Objects);
    /// The objects selected in the tree that still exist.
    QObjectList Selected() const;
    /// Writes Text into the inspector's row at Path (its parents opened on the way) as typed into the row's
    /// editor and confirmed with Enter, so it goes through the inspector's own write and undo; false when
    /// there is no such row or it cannot be edited.
    bool TypeInto(const QString &Path, const QString &Text);

    /// The objects the inspector shows, as "Class \"name\"" joined by commas, or "nothing".
    QString InspectedText() const;

Q_SIGNALS:
    /// The inspector built its rows for a different set of objects (InspectedText changed).
    void inspectedChanged(const QString &Text);

protected:
    bool GuardedEventFilter(QObject *Watched, QEvent *Event) override;

private:
    void addObject(QObject *Object, QTreeWidgetItem *Parent);
    void forget(QTreeWidgetItem *Item);
    void objectDestroyed(QObject *Object);
    void selectionChanged();
    void filterTree();
    bool pick(QWidget *Widget, bool Add);

    QTreeWidget *m_tree = nullptr;
    QLineEdit *m_filter = nullptr;
    QCheckBox *m_picker = nullptr;
    TQXObjectInspector *m_inspector = nullptr;
    QKeySequence m_chord;
    // Each listed object and its item, both ways. The object keys are compared, never followed: an entry
    // goes with its object's destroyed(), and the items are the tree's, dropped from here before it
    // deletes them.
    QHash<const QObject *, QTreeWidgetItem *> m_itemOf;
    QHash<const QTreeWidgetItem *, QPointer<QObject>> m_objectOf;
    QString m_inspected = QStringLiteral("nothing");
    // A picking Ctrl+click swallowed its press; the release that follows is swallowed too.
    bool m_swallowRelease = false;
};
