// The editor dialogs page of the demo: buttons that open each dialog on the demo's sample objects (the
// component's tasks and lines, a date, a list view with sub-items and a tree), and the headless pictures
// of each dialog open with content.
#pragma once

#include <QDir>
#include <QStringList>
#include <QWidget>

class QTreeWidget;
class TInspectorDemo;

class TDialogsDemo : public QWidget
{
public:
    TDialogsDemo(TInspectorDemo *Inspector, QWidget *parent = nullptr);
    ~TDialogsDemo() override;
    Q_DISABLE_COPY_MOVE(TDialogsDemo)

    /// Opens the collection editor on the component's tasks, beside the inspector.
    void EditTasks();
    void EditLines();
    void EditDue();
    void EditListItems();
    void EditTreeNodes();
    /// Renders every dialog open with content into dir; returns the files written.
    QStringList Shoot(const QDir &dir);

private:
    TInspectorDemo *m_inspector;
    QTreeWidget *m_listView; // a list view: caption, then two sub-item columns
    QTreeWidget *m_tree;
};
