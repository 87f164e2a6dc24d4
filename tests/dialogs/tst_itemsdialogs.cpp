// The list items and tree nodes dialogs: a copy of a view's items edited in the dialog's tree and
// written back into the live view on Apply or OK.
#include <QXInspector/QXCustomItemsDialog.h>

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

/// Everything a tree widget item holds beside its children, to compare before and after a write.
QStringList itemState(const QTreeWidgetItem *item)
{
    QStringList state;
    for (int column = 0; column < item->columnCount(); ++column)
        state << item->text(column) << QString::number(item->checkState(column))
              << item->data(column, Qt::UserRole).toString() << item->toolTip(column)
              << QString::number(item->icon(column).cacheKey()) << item->font(column).toString();
    state << QString::number(item->flags().toInt()) << QString::number(item->isExpanded());
    return state;
}

QList<QTreeWidgetItem *> allNodes(QTreeWidget *tree)
{
    QList<QTreeWidgetItem *> nodes;
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        nodes << *it;
    return nodes;
}

/// The objects behind a list view's rows: QListWidgetItem or QTreeWidgetItem.
QList<const void *> rowObjects(QAbstractItemView *view)
{
    QList<const void *> rows;
    auto *list = qobject_cast<QListWidget *>(view);
    auto *tree = qobject_cast<QTreeWidget *>(view);
    for (int i = 0; i < view->model()->rowCount(); ++i)
        rows << (list ? static_cast<const void *>(list->item(i)) : tree->topLevelItem(i));
    return rows;
}

/// Collects what the library reports while it lives.
class Reports
{
public:
    Reports()
        : m_previous(
            SetExceptionHandler([this](std::exception_ptr error) { m_messages << ExceptionMessage(error); }))
    { }
    ~Reports() { SetExceptionHandler(m_previous); }
    Q_DISABLE_COPY_MOVE(Reports)
    const QStringList &Messages() const { return m_messages; }

private:
    TExceptionHandler m_previous;
    QStringList m_messages;
};

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

    void listApplyKeepsItemsAndIsAllOrNothing_data()
    {
        QTest::addColumn<bool>("treeView");
        QTest::newRow("QListWidget") << false;
        QTest::newRow("QTreeWidget as list view") << true;
    }
    void listApplyKeepsItemsAndIsAllOrNothing()
    {
        QFETCH(bool, treeView);
        QListWidget list;
        QTreeWidget tree;
        QAbstractItemView *view = treeView ? static_cast<QAbstractItemView *>(&tree) : &list;
        fillList(view);
        TListItems *items = ListItemsOf(view);
        items->SetCaption(items->Add(), QStringLiteral("C"));
        QAbstractItemModel *model = view->model();
        for (int row = 0; row < 3; ++row) {
            model->setData(model->index(row, 0), row * 10, Qt::UserRole);
            model->setData(model->index(row, 0), Qt::Checked, Qt::CheckStateRole);
        }
        const QList<const void *> before = rowObjects(view);
        TfrmTListItemsDlg dialog;
        dialog.Copy(view);
        dialog.show();
        QTreeWidget *nodes = dialog.TreeView();
        nodes->setCurrentItem(nodes->topLevelItem(0));
        dialog.CaptionEdit()->setText(QStringLiteral("A2"));
        nodes->setCurrentItem(nodes->topLevelItem(1));
        dialog.DeleteItemAction()->trigger(); // B
        dialog.NewItemAction()->trigger();
        dialog.CaptionEdit()->setText(QStringLiteral("D"));
        // C cannot be written: it has an image for a sub-item it does not have.
        auto *c = qobject_cast<TNodeListItem *>(TfrmCustomItemsDlg::NodeData(nodes->topLevelItem(1)));
        c->SetSubItemImages({ 1 });

        Reports reports;
        dialog.ApplyAction()->trigger();
        QCOMPARE(reports.Messages().size(), 1);
        QCOMPARE(rowObjects(view), before);
        QCOMPARE(items->Caption(0), QStringLiteral("A"));
        QCOMPARE(items->Caption(1), QStringLiteral("B"));
        QVERIFY(dialog.IsModified());

        c->SetSubItemImages({});
        dialog.ApplyAction()->trigger();
        QCOMPARE(reports.Messages().size(), 1);
        QCOMPARE(items->Count(), 3);
        QCOMPARE(rowObjects(view).mid(0, 2), QList<const void *>({ before.at(0), before.at(2) }));
        QCOMPARE(items->Caption(0), QStringLiteral("A2"));
        QCOMPARE(items->SubItems(0), QStringList({ "a1", "a2" }));
        QCOMPARE(items->Caption(1), QStringLiteral("C"));
        QCOMPARE(model->index(1, 0).data(Qt::UserRole).toInt(), 20);
        QCOMPARE(model->index(1, 0).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
        QCOMPARE(items->Caption(2), QStringLiteral("D"));
        QVERIFY(!model->index(2, 0).data(Qt::UserRole).isValid());
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

    void imageIndexWrittenBeforeSelectionMovesAndCancelSilent()
    {
        Reports reports;
        QTreeWidget view;
        new QTreeWidgetItem(&view, QStringList("A"));
        new QTreeWidgetItem(&view, QStringList("B"));
        TfrmTTreeNodesDlg dialog;
        dialog.Copy(&view);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QTreeWidget *nodes = dialog.TreeView();
        QTreeWidgetItem *a = nodes->topLevelItem(0);
        QTreeWidgetItem *b = nodes->topLevelItem(1);
        const auto click = [nodes](QTreeWidgetItem *node) {
            QTest::mouseClick(nodes->viewport(), Qt::LeftButton, {}, nodes->visualItemRect(node).center());
            QCoreApplication::processEvents();
        };
        const auto type = [&dialog](const QString &text) {
            QComboBox *combo = dialog.ImageIndexCombo();
            combo->setFocus();
            combo->lineEdit()->selectAll();
            QTest::keyClicks(combo->lineEdit(), text);
        };
        click(a);
        type(QStringLiteral("x"));
        click(b); // refused once: the controls keep writing into A, which stays selected
        QCOMPARE(reports.Messages().size(), 1);
        QVERIFY(reports.Messages().first().contains(QStringLiteral("'x'")));
        QCOMPARE(nodes->currentItem(), a);
        QVERIFY(a->isSelected() && !b->isSelected());
        QCOMPARE(dialog.ImageIndexCombo()->currentText(), QStringLiteral("x"));
        QVERIFY(dialog.ImageIndexCombo()->hasFocus());

        type(QStringLiteral("2"));
        click(b);
        QCOMPARE(TTreeNodes::ImageIndex(a), 2);
        QCOMPARE(TTreeNodes::ImageIndex(b), -1);
        QCOMPARE(nodes->currentItem(), b);
        QCOMPARE(dialog.ImageIndexCombo()->currentText(), QStringLiteral("-1"));

        type(QStringLiteral("y"));
        QTest::keyClick(dialog.ImageIndexCombo()->lineEdit(), Qt::Key_Escape);
        QCoreApplication::processEvents();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(reports.Messages().size(), 1);
    }

    // Tree nodes
    void treeNodesRoundTripKeepsApplicationData()
    {
        QTreeWidget view;
        view.setColumnCount(3);
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::red);
        const QIcon icon(pixmap);
        auto *r = new QTreeWidgetItem(&view, { "R", "r1", "r2" });
        const QList<QTreeWidgetItem *> items { r, new QTreeWidgetItem(r, { "c1", "x", "y" }),
                                               new QTreeWidgetItem(r, { "c2", "u", "v" }),
                                               new QTreeWidgetItem(&view, { "S", "s1", "s2" }) };
        for (int i = 0; i < items.size(); ++i) {
            QTreeWidgetItem *item = items.at(i);
            item->setCheckState(0, i % 2 ? Qt::Checked : Qt::Unchecked);
            item->setCheckState(2, Qt::PartiallyChecked);
            item->setData(0, Qt::UserRole, i);
            item->setData(1, Qt::UserRole, QStringLiteral("user %1").arg(i));
            item->setToolTip(0, QStringLiteral("tip %1").arg(i));
            item->setIcon(0, icon);
            item->setIcon(1, icon);
            QFont font;
            font.setBold(i == 2);
            item->setFont(0, font);
        }
        r->setExpanded(true);
        QList<QStringList> expected;
        for (QTreeWidgetItem *item : items)
            expected << itemState(item);
        expected[2][0] = QStringLiteral("changed");

        TfrmTTreeNodesDlg dialog;
        dialog.Copy(&view);
        dialog.show();
        dialog.TreeView()->setCurrentItem(dialog.TreeView()->topLevelItem(0)->child(1));
        dialog.CaptionEdit()->setText(QStringLiteral("changed"));
        QTest::mouseClick(button(dialog, "btnOK"), Qt::LeftButton);

        QCOMPARE(allNodes(&view), items);
        for (int i = 0; i < items.size(); ++i)
            QCOMPARE(itemState(items.at(i)), expected.at(i));
    }

    void treeNodesDeletedAddedAndMovedLeaveTheOthersInPlace()
    {
        QTreeWidget view;
        auto *r = new QTreeWidgetItem(&view, QStringList("R"));
        auto *c1 = new QTreeWidgetItem(r, QStringList("c1"));
        auto *g = new QTreeWidgetItem(c1, QStringList("g"));
        auto *h = new QTreeWidgetItem(g, QStringList("h"));
        auto *c2 = new QTreeWidgetItem(r, QStringList("c2"));
        auto *s = new QTreeWidgetItem(&view, QStringList("S"));
        for (QTreeWidgetItem *node : { r, c1, g })
            node->setExpanded(true);

        TfrmTTreeNodesDlg dialog;
        dialog.Copy(&view);
        dialog.show();
        QTreeWidget *nodes = dialog.TreeView();
        // g moves from c1 to S, as a drag in the dialog's tree moves it; then c1 goes.
        nodes->topLevelItem(1)->addChild(nodes->topLevelItem(0)->child(0)->takeChild(0));
        nodes->setCurrentItem(nodes->topLevelItem(0)->child(0));
        dialog.DeleteItemAction()->trigger();
        nodes->setCurrentItem(nodes->topLevelItem(1));
        dialog.NewSubItemAction()->trigger();
        dialog.CaptionEdit()->setText(QStringLiteral("n"));
        nodes->setCurrentItem(nodes->topLevelItem(1));
        dialog.NewItemAction()->trigger();
        dialog.CaptionEdit()->setText(QStringLiteral("T"));
        dialog.ApplyAction()->trigger();

        QCOMPARE(topTexts(&view), QStringList({ "R", "S", "T" }));
        QCOMPARE(view.topLevelItem(0), r);
        QCOMPARE(view.topLevelItem(1), s);
        QCOMPARE(r->childCount(), 1);
        QCOMPARE(r->child(0), c2);
        QCOMPARE(childTexts(s), QStringList({ "g", "n" }));
        QCOMPARE(s->child(0), g);
        QCOMPARE(g->child(0), h);
        QVERIFY(r->isExpanded() && g->isExpanded());
        QVERIFY(!(s->child(1)->flags() & Qt::ItemIsEditable));
    }

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
