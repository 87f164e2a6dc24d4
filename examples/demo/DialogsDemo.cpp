#include "DialogsDemo.h"

#include "DemoComponent.h"
#include "InspectorDemo.h"

#include <QXInspector/ListViews.h>
#include <QXInspector/QXCustomItemsDialog.h>
#include <QXInspector/QXObjectInspector.h>
#include <QXInspector/QXTCollectionEditor.h>
#include <QXInspector/QXTDateEditor.h>
#include <QXInspector/QXTStringsEditor.h>

#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QCursor>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace QXPlatform;

namespace {

void settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::sendPostedEvents();
    QApplication::processEvents();
}

TImageList *sampleImages(QObject *owner)
{
    auto *images = new TImageList(owner);
    const QList<QColor> colours { QColor(0x3a, 0x7b, 0xd5), QColor(0x2e, 0xa0, 0x4f),
                                  QColor(0xd9, 0x8c, 0x1f), QColor(0xc0, 0x39, 0x2b) };
    for (const QColor &colour : colours) {
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(colour);
        painter.setPen(colour.darker());
        painter.drawEllipse(QRectF(2, 2, 12, 12));
        images->Add(QIcon(pixmap));
    }
    return images;
}

QPixmap sideBySide(const QPixmap &left, const QPixmap &right)
{
    QPixmap both(left.width() + right.width() + 12, qMax(left.height(), right.height()));
    both.fill(QColor(0xe8, 0xe8, 0xe8));
    QPainter painter(&both);
    painter.drawPixmap(0, 0, left);
    painter.drawPixmap(left.width() + 12, 0, right);
    return both;
}

} // namespace

TDialogsDemo::TDialogsDemo(TInspectorDemo *Inspector, QWidget *parent)
    : QWidget(parent)
    , m_inspector(Inspector)
{
    auto *layout = new QHBoxLayout(this);
    auto *buttons = new QVBoxLayout;
    auto add = [&](const QString &caption, void (TDialogsDemo::*open)()) {
        auto *button = new QPushButton(caption);
        connect(button, &QPushButton::clicked, this, [this, open] { (this->*open)(); });
        buttons->addWidget(button);
    };
    add(QStringLiteral("Collection editor: Demo1.Tasks"), &TDialogsDemo::EditTasks);
    add(QStringLiteral("Strings editor: Demo1.Lines"), &TDialogsDemo::EditLines);
    add(QStringLiteral("Date editor: Demo1.Due"), &TDialogsDemo::EditDue);
    add(QStringLiteral("List items: the list view"), &TDialogsDemo::EditListItems);
    add(QStringLiteral("Tree nodes: the tree"), &TDialogsDemo::EditTreeNodes);
    buttons->addStretch();
    layout->addLayout(buttons);

    TImageList *images = sampleImages(this);
    m_listView = new QTreeWidget;
    m_listView->setRootIsDecorated(false);
    m_listView->setHeaderLabels({ QStringLiteral("Task"), QStringLiteral("Owner"), QStringLiteral("State") });
    SetSmallImages(m_listView, images);
    SetStateImages(m_listView, images);
    TListItems *items = ListItemsOf(m_listView);
    const QList<QStringList> rows { { "Collect names", "Ann", "done" },
                                    { "Check addresses", "Bob", "open" },
                                    { "Send letters", "Cy", "waiting" } };
    for (const QStringList &row : rows) {
        const int i = items->Add();
        items->SetCaption(i, row.first());
        items->SetImageIndex(i, i);
        items->SetSubItems(i, row.mid(1));
        items->SetSubItemImage(i, 1, 3 - i);
    }
    m_tree = new QTreeWidget;
    m_tree->setHeaderHidden(true);
    SetSmallImages(m_tree, images);
    auto *europe = new QTreeWidgetItem(m_tree, QStringList(QStringLiteral("Europe")));
    for (const char *city : { "Lyon", "Turin", "Porto" })
        TTreeNodes::SetImageIndex(new QTreeWidgetItem(europe, QStringList(QLatin1String(city))), 1);
    auto *asia = new QTreeWidgetItem(m_tree, QStringList(QStringLiteral("Asia")));
    TTreeNodes::SetImageIndex(new QTreeWidgetItem(asia, QStringList(QStringLiteral("Osaka"))), 2);
    TTreeNodes::SetImageIndex(europe, 0);
    TTreeNodes::SetImageIndex(asia, 0);
    m_tree->expandAll();
    auto *views = new QVBoxLayout;
    views->addWidget(new QLabel(QStringLiteral("A list view (QTreeWidget with sub-item columns)")));
    views->addWidget(m_listView);
    views->addWidget(new QLabel(QStringLiteral("A tree view")));
    views->addWidget(m_tree);
    layout->addLayout(views, 1);
}

TDialogsDemo::~TDialogsDemo() = default;

void TDialogsDemo::EditTasks()
{
    TDemoComponent *component = m_inspector->Component();
    m_inspector->Inspect(component, false);
    ShowCollectionEditor(m_inspector->Inspector(), component->Tasks(), QStringLiteral("Demo1.Tasks"), true);
}

void TDialogsDemo::EditLines()
{
    TfrmQXStringsEditor editor(this);
    TDemoComponent *component = m_inspector->Component();
    editor.SetLines(component->Lines());
    if (editor.exec() == QDialog::Accepted)
        component->SetLines(editor.Lines());
}

void TDialogsDemo::EditDue()
{
    TfrmDateEditor editor(this);
    TDemoComponent *component = m_inspector->Component();
    editor.SetDate(QDateTime(component->Due(), QTime()));
    editor.move(QCursor::pos());
    if (editor.exec() == QDialog::Accepted)
        component->SetDue(editor.Date().date());
}

void TDialogsDemo::EditListItems()
{
    TfrmTListItemsDlg dialog(this);
    dialog.Copy(m_listView);
    dialog.exec();
}

void TDialogsDemo::EditTreeNodes()
{
    TfrmTTreeNodesDlg dialog(this);
    dialog.Copy(m_tree);
    dialog.exec();
}

QStringList TDialogsDemo::Shoot(const QDir &dir)
{
    QStringList paths;
    auto save = [&](const QPixmap &shot, const char *name) {
        const QString path = dir.absoluteFilePath(QLatin1String(name));
        shot.save(path);
        paths << path;
    };

    // The collection editor with two tasks selected: the inspector shows what they share.
    TDemoComponent *component = m_inspector->Component();
    m_inspector->Inspect(component, false);
    settle();
    TfrmCollectionEditor *editor = ShowCollectionEditor(m_inspector->Inspector(), component->Tasks(),
                                                        QStringLiteral("Demo1.Tasks"), true);
    editor->ListView()->topLevelItem(0)->setSelected(true);
    editor->ListView()->topLevelItem(2)->setSelected(true);
    settle();
    m_inspector->SetMultiValues(true); // one value column per selected task
    settle();
    TQXItemProperties *rows = m_inspector->Inspector()->GetItems();
    for (int i = 0; i < rows->Count(); ++i)
        rows->Items(i)->Expand();
    settle();
    save(sideBySide(editor->grab(), m_inspector->Inspector()->grab()), "qxdialog-collection.png");
    editor->close();
    Free(editor);
    m_inspector->SetMultiValues(false);

    TfrmQXStringsEditor strings(this);
    strings.SetLines({ QStringLiteral("[display]"), QStringLiteral("font.size=10"),
                       QStringLiteral("theme=dark"), QStringLiteral("; a comment line"),
                       QStringLiteral("lines=3") });
    strings.show();
    settle();
    save(strings.grab(), "qxdialog-strings-memo.png");
    strings.Pages()->setCurrentIndex(1);
    settle();
    save(strings.grab(), "qxdialog-strings-ini.png");
    strings.hide();

    TfrmDateEditor date(this);
    date.SetDate(QDateTime(component->Due(), QTime()));
    date.show();
    settle();
    save(date.grab(), "qxdialog-date.png");
    date.hide();

    TfrmTListItemsDlg list(this);
    list.Copy(m_listView);
    list.show();
    list.TreeView()->expandAll();
    list.TreeView()->setCurrentItem(list.TreeView()->topLevelItem(1));
    settle();
    save(list.grab(), "qxdialog-listitems.png");
    list.hide();

    TfrmTTreeNodesDlg tree(this);
    tree.Copy(m_tree);
    tree.show();
    tree.TreeView()->expandAll();
    tree.TreeView()->setCurrentItem(tree.TreeView()->topLevelItem(0)->child(1));
    settle();
    save(tree.grab(), "qxdialog-treenodes.png");
    tree.hide();
    return paths;
}
