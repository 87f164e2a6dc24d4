// The list items and tree nodes dialogs: a copy of a view's items edited in the dialog's tree and
// written back into the live view on Apply or OK.
#include "QXCustomItemsDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <memory>

using namespace QXPlatform;

namespace {

/// Fills a list view with "A" (image 3, sub-items a1 and a2 with images 0 and 1) and "B".
void fillList(QAbstractItemView *view)
{
    TListItems *items = ListItemsOf(view);
    items->SetCaption(items->Add(), QStringLiteral("A"));
    items->SetImageIndex(0, 3);
    items->SetSubItems(0, { "a1", "a2" });
    items->SetSubItemImage(0, 0, 0);
    items->SetSubItemImage(0, 1, 1);
    items->SetCaption(items->Add(), QStringLiteral("B"));
}

QStringList topTexts(const QTreeWidget *tree)
{
    QStringList texts;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        texts << tree->topLevelItem(i)->text(0);
    return texts;
}

QStringList childTexts(const QTreeWidgetItem *node)
{
    QStringList texts;
    for (int i = 0; i < node->childCount(); ++i)
        texts << node->child(i)->text(0);
    return texts;
}

QPushButton *button(QDialog &dialog, const char *name)
{
    return dialog.findChild<QPushButton *>(QLatin1String(name));
}

void loadFile(TfrmCustomItemsDlg &dialog, const QString &fileName)
{
    QFileDialog *open = dialog.OpenDialog();
    open->setOption(QFileDialog::DontUseNativeDialog);
    QTimer::singleShot(0, open, [open, fileName] {
        open->selectFile(fileName);
        QMetaObject::invokeMethod(open, "accept");
    });
    dialog.LoadAction()->trigger();
}

TImageList *imageList(QObject *owner, int count)
{
    auto *images = new TImageList(owner);
    for (int i = 0; i < count; ++i) {
        QPixmap pixmap(16, 16);
        pixmap.fill(QColor::fromHsv(i * 60, 200, 200));
        images->Add(QIcon(pixmap));
    }
    return images;
}

} // namespace

class tst_ItemsDialogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // List items
    void listItemsEditedAndAppliedBack_data()
    {
        QTest::addColumn<bool>("treeView");
        QTest::newRow("QListWidget") << false;
        QTest::newRow("QTreeWidget as list view") << true;
    }
    void listItemsEditedAndAppliedBack()
    {
        QFETCH(bool, treeView);
        QListWidget list;
        QTreeWidget tree;
        tree.setColumnCount(3);
        QAbstractItemView *view = treeView ? static_cast<QAbstractItemView *>(&tree) : &list;
        fillList(view);
        TfrmTListItemsDlg dialog;
        dialog.Copy(view);
        dialog.show();
        QTreeWidget *nodes = dialog.TreeView();
        QCOMPARE(topTexts(nodes), QStringList({ "A", "B" }));
        QCOMPARE(childTexts(nodes->topLevelItem(0)), QStringList({ "a1", "a2" }));

        nodes->setCurrentItem(nodes->topLevelItem(0)->child(1));
        QCOMPARE(dialog.ImageIndexCombo()->currentText(), QStringLiteral("1"));
        dialog.ImageIndexCombo()->setEditText(QStringLiteral("2"));
        nodes->setCurrentItem(nodes->topLevelItem(0)->child(0));
        dialog.CaptionEdit()->setText(QStringLiteral("x1"));
        dialog.NewSubItemAction()->trigger();
        QCOMPARE(childTexts(nodes->topLevelItem(0)), QStringList({ "x1", "a2", "" }));
        QTest::mouseClick(button(dialog, "btnApply"), Qt::LeftButton);

        TListItems *items = ListItemsOf(view);
        QCOMPARE(items->Count(), 2);
        QCOMPARE(items->Caption(0), QStringLiteral("A"));
        QCOMPARE(items->ImageIndex(0), 3);
        QCOMPARE(items->SubItems(0), QStringList({ "x1", "a2", "" }));
        QCOMPARE(items->SubItemImages(0), QList<int>({ 0, 2, -1 }));
        QCOMPARE(items->Caption(1), QStringLiteral("B"));
        if (treeView)
            QCOMPARE(tree.topLevelItem(0)->text(2), QStringLiteral("a2"));
    }

    void subItemImagesFollowSubItems()
    {
        TNodeListItem *item = Create<TNodeListItem>();
        const auto freeItem = qScopeGuard([item] { Free(item); });
        item->SubItems()->AddStrings(QStringList({ "a", "b" }));
        QCOMPARE(item->SubItemImages(), QList<int>({ -1, -1 }));
        item->SubItems()->Add(QStringLiteral("c"));
        item->SetSubItemImages({ 5, 6, 7 });
        item->DeleteSubItem(0);
        QCOMPARE(item->SubItems()->ToStringList(), QStringList({ "b", "c" }));
        QCOMPARE(item->SubItemImages(), QList<int>({ 6, 7 }));
        item->DeleteSubItem(5);
        QCOMPARE(item->SubItems()->Count(), 2);
    }

    void subItemImageIndexChecked()
    {
        TNodeListItem *item = Create<TNodeListItem>();
        const auto freeItem = qScopeGuard([item] { Free(item); });
        item->SubItems()->Add(QStringLiteral("a"));
        item->SetSubItemImage(0, 4);
        QVERIFY_THROWS_EXCEPTION(EListError, item->SetSubItemImage(1, 5));
        QVERIFY_THROWS_EXCEPTION(EListError, item->SetSubItemImage(-1, 5));
        QCOMPARE(item->SubItemImages(), QList<int>({ 4 }));
    }

    void copyRefusesViewWithoutListItems_data()
    {
        QTest::addColumn<QString>("view");
        QTest::newRow("QListView") << "QListView";
        QTest::newRow("QTableWidget") << "QTableWidget";
    }
    void copyRefusesViewWithoutListItems()
    {
        QFETCH(QString, view);
        std::unique_ptr<QAbstractItemView> other;
        if (view == QLatin1String("QListView"))
            other = std::make_unique<QListView>();
        else
            other = std::make_unique<QTableWidget>(2, 2);
        TfrmTListItemsDlg dialog;
        try {
            dialog.Copy(other.get());
            QFAIL("Copy took a view it cannot edit");
        } catch (const EInvalidOperation &error) {
            QVERIFY2(error.Message().contains(view), qPrintable(error.Message()));
        }
        QVERIFY(!dialog.ListItems());
        QCOMPARE(dialog.TreeView()->topLevelItemCount(), 0);
    }

    void iconStyleOffersLargeImagesForItems()
    {
        QListWidget list;
        list.setViewMode(QListView::IconMode);
        SetSmallImages(&list, imageList(&list, 2));
        SetLargeImages(&list, imageList(&list, 3));
        fillList(&list);
        TfrmTListItemsDlg dialog;
        dialog.Copy(&list);
        dialog.TreeView()->setCurrentItem(dialog.TreeView()->topLevelItem(0));
        QCOMPARE(dialog.ImageIndexCombo()->count(), 3);
        dialog.TreeView()->setCurrentItem(dialog.TreeView()->topLevelItem(0)->child(0));
        QCOMPARE(dialog.ImageIndexCombo()->count(), 2);
        QVERIFY(!dialog.StateIndexCombo()->isEnabled());
    }

    void applyEnablingAndWhatCancelAndOkWrite()
    {
        QListWidget list;
        fillList(&list);
        list.item(1)->setData(Qt::UserRole, 42); // gone only if the items are written again
        {
            TfrmTListItemsDlg dialog;
            dialog.Copy(&list);
            dialog.show();
            QVERIFY(!dialog.ApplyAction()->isEnabled());
            QTest::mouseClick(button(dialog, "btnOK"), Qt::LeftButton);
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
        }
        QCOMPARE(list.item(1)->data(Qt::UserRole).toInt(), 42);

        TfrmTListItemsDlg dialog;
        dialog.Copy(&list);
        dialog.show();
        dialog.TreeView()->setCurrentItem(dialog.TreeView()->topLevelItem(1));
        dialog.CaptionEdit()->setText(QStringLiteral("applied"));
        QVERIFY(dialog.ApplyAction()->isEnabled());
        dialog.ApplyAction()->trigger();
        QVERIFY(!dialog.ApplyAction()->isEnabled());
        dialog.CaptionEdit()->setText(QStringLiteral("cancelled"));
        QTest::mouseClick(button(dialog, "btnCancel"), Qt::LeftButton);
        QCOMPARE(ListItemsOf(&list)->Caption(1), QStringLiteral("applied"));
    }

    void loadedFileKeepsTwoLevelsAndFreesOldData()
    {
        QTemporaryDir dir;
        const QString fileName = dir.filePath(QStringLiteral("tree.txt"));
        TStringList lines;
        lines.SetStrings({ "a", "\tb", "\t\tc", "\t\t\td", "\tf", "e" });
        lines.SaveToFile(fileName);
        QListWidget list;
        fillList(&list);
        TfrmTListItemsDlg dialog;
        dialog.Copy(&list);
        const QPointer<TCustomNodeItem> old
            = TfrmCustomItemsDlg::NodeData(dialog.TreeView()->topLevelItem(0));
        QVERIFY(old);
        loadFile(dialog, fileName);
        QVERIFY(!old);
        QCOMPARE(topTexts(dialog.TreeView()), QStringList({ "a", "e" }));
        QTreeWidgetItem *a = dialog.TreeView()->topLevelItem(0);
        QCOMPARE(childTexts(a), QStringList({ "b", "f" }));
        QCOMPARE(a->child(0)->childCount(), 0);
        auto *data = qobject_cast<TNodeListItem *>(TfrmCustomItemsDlg::NodeData(a));
        QCOMPARE(data->SubItems()->ToStringList(), QStringList({ "b", "f" }));
        QVERIFY(dialog.IsModified());
    }

    void nodeDataFreedWithDialog()
    {
        QListWidget list;
        fillList(&list);
        auto *dialog = new TfrmTListItemsDlg;
        dialog->Copy(&list);
        const QPointer<TCustomNodeItem> data
            = TfrmCustomItemsDlg::NodeData(dialog->TreeView()->topLevelItem(1));
        QVERIFY(data);
        delete dialog;
        QVERIFY(!data);
    }

    void badIndexReportedAndFocusKept()
    {
        QString reported;
        const TExceptionHandler previous
            = SetExceptionHandler([&](std::exception_ptr error) { reported = ExceptionMessage(error); });
        const auto restore = qScopeGuard([&] { SetExceptionHandler(previous); });
        QTreeWidget view;
        new QTreeWidgetItem(&view, QStringList("A"));
        TfrmTTreeNodesDlg dialog;
        dialog.Copy(&view);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        dialog.TreeView()->setCurrentItem(dialog.TreeView()->topLevelItem(0));
        QComboBox *combo = dialog.StateIndexCombo();
        combo->setFocus();
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo->lineEdit(), QStringLiteral("x"));
        button(dialog, "btnCancel")->setFocus(); // leaving towards Cancel converts nothing
        QVERIFY(reported.isEmpty());
        combo->setFocus();
        QTest::keyClicks(combo->lineEdit(), QStringLiteral("y"));
        dialog.CaptionEdit()->setFocus();
        QVERIFY(reported.contains(QStringLiteral("'xy'")));
        QCoreApplication::processEvents();
        QVERIFY(combo->hasFocus());
        QCOMPARE(TTreeNodes::StateIndex(dialog.TreeView()->topLevelItem(0)), -1);
    }

    // Tree nodes
    void treeNodesCopiedEditedAndApplied()
    {
        QTreeWidget view;
        auto *root = new QTreeWidgetItem(&view, QStringList("R"));
        new QTreeWidgetItem(root, QStringList("c1"));
        new QTreeWidgetItem(&view, QStringList("S"));
        TfrmTTreeNodesDlg dialog;
        dialog.Copy(&view);
        dialog.show();
        QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("lblCustomIndex"))->text(),
                 QStringLiteral("Selected I&ndex"));
        QTreeWidget *nodes = dialog.TreeView();
        QCOMPARE(topTexts(nodes), QStringList({ "R", "S" }));
        QTreeWidgetItem *child = nodes->topLevelItem(0)->child(0);
        QVERIFY(child != root->child(0));

        nodes->setCurrentItem(child);
        dialog.CaptionEdit()->setText(QStringLiteral("child"));
        dialog.CustomIndexCombo()->setEditText(QStringLiteral("4"));
        dialog.NewSubItemAction()->trigger();
        dialog.CaptionEdit()->setText(QStringLiteral("grandchild"));
        QTest::keyClick(dialog.CaptionEdit(), Qt::Key_Return); // the New Item button is the default
        QCOMPARE(childTexts(child), QStringList({ "grandchild", "" }));
        QCOMPARE(root->child(0)->text(0), QStringLiteral("c1"));

        QTest::mouseClick(button(dialog, "btnOK"), Qt::LeftButton);
        QTreeWidgetItem *written = view.topLevelItem(0)->child(0);
        QCOMPARE(written->text(0), QStringLiteral("child"));
        QCOMPARE(TTreeNodes::SelectedIndex(written), 4);
        QCOMPARE(childTexts(written), QStringList({ "grandchild", "" }));
        QCOMPARE(topTexts(&view), QStringList({ "R", "S" }));
    }

    void deletingSelectsNextSiblingOrNothing()
    {
        QTreeWidget view;
        for (const char *text : { "A", "B", "C" })
            new QTreeWidgetItem(&view, QStringList(text));
        TfrmTTreeNodesDlg dialog;
        dialog.Copy(&view);
        QTreeWidget *nodes = dialog.TreeView();
        nodes->setCurrentItem(nodes->topLevelItem(1));
        dialog.DeleteItemAction()->trigger();
        QCOMPARE(nodes->currentItem()->text(0), QStringLiteral("C"));
        QCOMPARE(dialog.CaptionEdit()->text(), QStringLiteral("C"));
        dialog.DeleteItemAction()->trigger();
        QVERIFY(!nodes->currentItem());
        QVERIFY(!dialog.PropertiesBox()->isEnabled());
        QVERIFY(!dialog.DeleteItemAction()->isEnabled());
        QCOMPARE(topTexts(nodes), QStringList({ "A" }));
    }
};

QTEST_MAIN(tst_ItemsDialogs)
#include "tst_itemsdialogs.moc"
