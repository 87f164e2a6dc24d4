// The demo: an object inspector beside a sample form of live widgets, an item list editor with a
// small tree, and data-aware inspectors over an SQLite table. With no display (QT_QPA_PLATFORM=offscreen,
// no DISPLAY, or --screenshot) it renders the pages to PNG files and prints their paths instead of running
// the event loop.
#include "DBInspectorDemo.h"
#include "DemoComponent.h"
#include "DialogsDemo.h"
#include "InspectorDemo.h"

#include <QXInspector/InplaceEdit.h>
#include <QXInspector/QXDBInspector.h>
#include <QXInspector/QXHintWindow.h>
#include <QXInspector/QXInplaceEditList.h>
#include <QXInspector/QXInspectorSearchBox.h>
#include <QXInspector/QXItemListEditor.h>
#include <QXInspector/QXObjectInspector.h>
#include <QXInspector/SqlDataSet.h>

#include <QAbstractScrollArea>
#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdio>
#include <memory>

using namespace QXPlatform;

namespace {

void fillTree(TQXItemListEditor *editor)
{
    TQXItemProps *items = editor->Items();
    items->BeginUpdate();
    TQXItemProp *appearance = items->AddCategory(QStringLiteral("Appearance"), false);
    TQXItemProp *font = appearance->Items()->Add(QStringLiteral("Font"), QStringLiteral("(TFont)\nSans"));
    font->Items()->Add(QStringLiteral("Name"), QStringLiteral("DejaVu Sans\nSans"));
    font->Items()->Add(QStringLiteral("Size"), QStringLiteral("9\n12"));
    TQXItemProp *style = font->Items()->Add(QStringLiteral("Style"), QStringLiteral("[fsBold]\n[]"));
    style->Items()->Add(QStringLiteral("fsBold"), QStringLiteral("True\nFalse"));
    style->Items()->Add(QStringLiteral("fsItalic"), QStringLiteral("False\nFalse"));
    TQXItemProp *color
        = appearance->Items()->Add(QStringLiteral("Color"), QStringLiteral("clWindow\nclBtnFace"));
    color->GetPickList()->SetText(
        QStringLiteral("clBlack\nclMaroon\nclGreen\nclNavy\nclBtnFace\nclWindow\nclWindowText"));
    font->SetEditStyle(esEllipsis);
    font->OnEditButtonClick = [](QObject *) { /* a font dialog opens here in the inspector */ };
    TQXItemProp *when = items->Add(QStringLiteral("Date"), QStringLiteral(" 3/09/2024\n12/31/2024"));
    when->SetEditMask(QStringLiteral("!90/00/0000;1;_"));
    TQXItemProp *digits = items->Add(QStringLiteral("Count"), QStringLiteral("42\n7"));
    digits->SetExpressionMask(true);
    digits->SetEditMask(QStringLiteral("^[0-9]+$"));
    TQXItemProp *layout = items->AddCategory(QStringLiteral("Layout"), false);
    layout->Items()->Add(QStringLiteral("Left"), QStringLiteral("8\n120"));
    layout->Items()->Add(QStringLiteral("Width"), QStringLiteral("75\n75"));
    TQXItemProp *locked = layout->Items()->Add(QStringLiteral("Handle"), QStringLiteral("0x2a01\n0x2a07"));
    locked->SetReadOnly(true);
    TQXItemProp *disabled = items->Add(QStringLiteral("Enabled"), QStringLiteral("True\nFalse"));
    disabled->SetEnabled(false);
    items->Add(QStringLiteral("Caption"), QStringLiteral("OK\nCancel"));
    items->EndUpdate();
    appearance->Expand();
    font->Expand();
    layout->Expand();
}

TQXItemListEditor *makeEditor(QWidget *parent, TQXCustomItemListEditor::TQXGridOrientation orientation)
{
    auto *editor = Create<TQXItemListEditor>(parent);
    editor->SetDisplayOptions(editor->DisplayOptions() | TQXCustomItemListEditor::doMultiColValues);
    editor->SetGridCount(0, 3);
    editor->TitleCaptions()->SetText(QStringLiteral("Property\nButton1\nButton2"));
    fillTree(editor);
    editor->SetOrientation(orientation);
    editor->SetHideSelection(false);
    return editor;
}

/// Runs the rescans and refreshes the inspector has queued, then paints.
void settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::sendPostedEvents();
    QApplication::processEvents();
}

/// Puts the cursor on row and scrolls it to rowsAbove rows below the top.
void showRow(TQXObjectInspector *inspector, TQXItemProperty *row, int rowsAbove)
{
    if (!row)
        return;
    inspector->SetSelected(row);
    inspector->SetTopRow(inspector->FixedRows() + inspector->AbsoluteVIndexOf(row) - rowsAbove);
}

/// The demo page with a window that floats over it (a drop-down list, a hint) painted where it lies.
QPixmap grabWithPopup(QWidget *page, QWidget *popup)
{
    QPixmap shot = page->grab();
    if (popup && popup->isVisible()) {
        QPainter painter(&shot);
        painter.drawPixmap(popup->mapToGlobal(QPoint(0, 0)) - page->mapToGlobal(QPoint(0, 0)), popup->grab());
        // A scrolled list paints its rows in its viewport, which a grab of the list leaves blank offscreen.
        if (auto *area = qobject_cast<QAbstractScrollArea *>(popup))
            painter.drawPixmap(area->viewport()->mapToGlobal(QPoint(0, 0)) - page->mapToGlobal(QPoint(0, 0)),
                               area->viewport()->grab());
    }
    return shot;
}

/// The built-in presets at work on the demo component: the drop-down list of the row at path opened,
/// as Alt+Down would, saved to name.
QString shootPickList(TInspectorDemo *demo, const QString &path, const QDir &dir, const char *name)
{
    TQXObjectInspector *inspector = demo->Inspector();
    showRow(inspector, inspector->GetItems()->FindItemByFullPathName(path), 3);
    inspector->setFocus();
    inspector->SetGridCount(gcCurValuePos, 1);
    inspector->ShowEditor();
    auto *editor = qobject_cast<TQXInplaceEditList *>(inspector->InplaceEditor());
    if (editor)
        editor->DropDown();
    settle();
    // The list lays out its rows on the turns of the event loop after it is shown.
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
    const QString file = dir.absoluteFilePath(QLatin1String(name));
    grabWithPopup(demo, editor ? editor->GetPickList() : nullptr).save(file);
    if (editor)
        editor->CloseUp(false);
    inspector->HideEditor();
    return file;
}

/// The hint of the row at path, shown as the mouse resting on its value shows it, saved to name.
QString shootHint(TInspectorDemo *demo, const QString &path, const QDir &dir, const char *name)
{
    TQXObjectInspector *inspector = demo->Inspector();
    TQXItemProperty *row = inspector->GetItems()->FindItemByFullPathName(path);
    showRow(inspector, row, 3);
    settle();
    if (row) {
        const QRect cell = inspector->CellRect(1, inspector->FixedRows() + inspector->AbsoluteVIndexOf(row));
        const QPoint at = cell.center();
        QMouseEvent move(QEvent::MouseMove, at, inspector->viewport()->mapToGlobal(at), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(inspector->viewport(), &move);
    }
    settle();
    const QString file = dir.absoluteFilePath(QLatin1String(name));
    grabWithPopup(demo, inspector->HintWindow()).save(file);
    inspector->HintWindow()->ReleaseHint();
    return file;
}

/// A push button in the Qt look: bands by declaring class, Qt's value types summed up, a colour swatch and
/// check boxes; then the same with the row menu open. Returns the files written.
QStringList shootQtLook(TInspectorDemo *demo, const QDir &dir)
{
    TQXObjectInspector *inspector = demo->Inspector();
    demo->Inspect(demo->FormWidget(QStringLiteral("OkButton")), false);
    demo->SetArrangeByClass(true);
    settle();
    TQXItemProperties *bands = inspector->GetItems();
    for (int i = 0; i < bands->Count(); ++i)
        bands->Items(i)->SetExpanded(i < 2); // the button's own properties and its base button's
    TQXItemProperty *text = bands->FindItemByFullPathName(QStringLiteral("QAbstractButton.text"));
    inspector->SetSelected(text);
    inspector->SetTopRow(inspector->FixedRows());
    settle();
    QStringList paths { dir.absoluteFilePath(QStringLiteral("qxinspector-qtlook.png")),
                        dir.absoluteFilePath(QStringLiteral("qxinspector-rowmenu.png")) };
    demo->grab().save(paths.at(0));
    // The menu of a row near the top, so that the bands below stay in sight.
    if (TQXItemProperty *flat = bands->FindItemByFullPathName(QStringLiteral("QPushButton.flat"))) {
        inspector->SetSelected(flat);
        settle();
        const std::unique_ptr<QMenu> menu(inspector->CreateRowMenu(flat, inspector));
        const QRect cell = inspector->CellRect(1, inspector->FixedRows() + inspector->AbsoluteVIndexOf(flat));
        menu->popup(inspector->viewport()->mapToGlobal(cell.center()));
        settle();
        grabWithPopup(demo, menu.get()).save(paths.at(1));
        menu->hide();
    }
    demo->SetArrangeByClass(false);
    demo->SetArrangeByCategory(false);
    settle();
    return paths;
}

/// The object inspector page in three states: a button's font opened, two line edits side by side
/// under their own names, the demo component by category. Returns the files written.
QStringList shootInspector(TInspectorDemo *demo, const QDir &dir)
{
    TQXObjectInspector *inspector = demo->Inspector();
    QStringList paths;
    auto save = [&](const char *name) {
        settle();
        const QString path = dir.absoluteFilePath(QLatin1String(name));
        demo->grab().save(path);
        paths << path;
    };

    demo->Inspect(demo->FormWidget(QStringLiteral("OkButton")), false);
    settle();
    if (TQXItemProperty *font = inspector->GetItems()->FindItemByFullPathName(QStringLiteral("font"))) {
        font->Expand();
        showRow(inspector, font, 2);
    }
    save("qxinspector-font.png");

    // The search line keeps the parents of the nested rows that match, opened.
    demo->SearchBox()->setText(QStringLiteral("bold"));
    demo->SearchBox()->ApplySearch();
    inspector->SetTopRow(inspector->FixedRows());
    save("qxinspector-search.png");
    demo->SearchBox()->clear();
    demo->SearchBox()->ApplySearch();

    // What a click and a Ctrl+click do.
    demo->Inspect(demo->FormWidget(QStringLiteral("NameEdit")), false);
    demo->Inspect(demo->FormWidget(QStringLiteral("CityEdit")), true);
    demo->SetMultiValues(true);
    settle();
    showRow(inspector, inspector->GetItems()->FindItemByFullPathName(QStringLiteral("maxLength")), 1);
    save("qxinspector-multi.png");

    // Two rules at work: text renamed to Label with a hint, the font's parts read-only and green.
    demo->SetMultiValues(false);
    demo->Inspect(demo->FormWidget(QStringLiteral("OkButton")), false);
    demo->SetExampleRules(true);
    settle();
    if (TQXItemProperty *font = inspector->GetItems()->FindItemByFullPathName(QStringLiteral("font"))) {
        font->Expand();
        inspector->SetSelected(inspector->GetItems()->FindItemByFullPathName(QStringLiteral("Label")));
        showRow(inspector, font, 2);
    }
    save("qxinspector-presets.png");
    // The buttons' round trip: the rules go into a settings file and come back from it.
    const QString settingsPath = dir.absoluteFilePath(QStringLiteral("qxinspector-settings.json"));
    demo->SaveSettings(settingsPath);
    demo->SetExampleRules(false);
    const bool loaded = demo->LoadSettings(settingsPath)
        && inspector->Presets()->IndexOf(QStringLiteral("Example: labels")) >= 0;
    paths << (loaded ? settingsPath : QStringLiteral("settings did not load back: ") + settingsPath);
    demo->SetExampleRules(false);

    demo->Inspect(demo->Component(), false);
    demo->SetArrangeByCategory(true);
    settle();
    TQXItemProperties *categories = inspector->GetItems();
    for (int i = 0; i < categories->Count(); ++i)
        categories->Items(i)->Expand();
    if (TQXItemProperty *tasks = categories->FindItemByFullPathName(QStringLiteral("Miscellaneous.Tasks")))
        tasks->Expand();
    inspector->SetSelected(categories->FindItemByFullPathName(QStringLiteral("Miscellaneous.Capacity")));
    inspector->SetTopRow(inspector->FixedRows());
    save("qxinspector-category.png");

    demo->SetArrangeByCategory(false);
    paths << shootQtLook(demo, dir);
    demo->Inspect(demo->Component(), false);
    settle();
    paths << shootPickList(demo, QStringLiteral("Color"), dir, "qxinspector-colour.png");
    paths << shootHint(demo, QStringLiteral("Lines"), dir, "qxinspector-strings-hint.png");
    paths << shootPickList(demo, QStringLiteral("DefaultButton"), dir, "qxinspector-reference.png");
    return paths;
}

/// The data-aware page: three records on the lines of the middle inspector, the second one being edited
/// (its quantity changed, its name open in the editor with text typed). Returns the file written.
QString shootDataAware(TDBInspectorDemo *page, const QDir &dir)
{
    TQXDBInspector *inspector = page->ThreeLines();
    page->DataSet()->Next();
    TQXDBItemProp *qty = inspector->GetItems()->FindItemByFullPathName(QStringLiteral("qty"));
    inspector->SetSelected(qty);
    inspector->SetGridCount(gcCurValuePos, 2);
    qty->SetValue(QStringLiteral("180"));
    qty->Validate();
    inspector->SetSelected(inspector->GetItems()->FindItemByFullPathName(QStringLiteral("name")));
    inspector->SetGridCount(gcCurValuePos, 2);
    inspector->setFocus();
    inspector->ShowEditor();
    if (TInplaceEdit *editor = inspector->InplaceEditor())
        editor->SetText(QStringLiteral("Nut M6, zinc"));
    settle();
    const QString path = dir.absoluteFilePath(QStringLiteral("qxdemo-dbinspector.png"));
    page->grab().save(path);
    return path;
}

} // namespace

int main(int argc, char **argv)
{
    const bool noDisplay
        = qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (noDisplay && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QX Inspector demo"));
    const bool screenshot = QGuiApplication::platformName() == QLatin1String("offscreen")
        || app.arguments().contains(QStringLiteral("--screenshot"));

    QTabWidget window;
    window.setWindowTitle(QStringLiteral("QX Inspector demo"));
    auto *inspectorPage = new TInspectorDemo;
    window.addTab(inspectorPage, QStringLiteral("Object inspector"));
    auto *listPage = new QWidget;
    auto *layout = new QHBoxLayout(listPage);
    // The margins of a top-level window, which this page was before it shared the window.
    layout->setContentsMargins(11, 11, 11, 11);
    TQXItemListEditor *vertical = makeEditor(listPage, TQXCustomItemListEditor::goVertical);
    vertical->SetSelected(vertical->Items()->FindItemByFullPathName(QStringLiteral("Appearance.Color")));
    layout->addWidget(vertical, 3);
    TQXItemListEditor *horizontal = makeEditor(listPage, TQXCustomItemListEditor::goHorizontal);
    // Items are columns here: let them keep a readable width and scroll.
    horizontal->SetDisplayOptions(horizontal->DisplayOptions() & ~TQXCustomItemListEditor::doAutoColResize);
    horizontal->SetDefaultColWidth(84);
    layout->addWidget(horizontal, 4);
    window.addTab(listPage, QStringLiteral("Item list editor"));
    auto *dataPage = new TDBInspectorDemo;
    window.addTab(dataPage, QStringLiteral("Data-aware inspector"));
    auto *dialogsPage = new TDialogsDemo(inspectorPage);
    window.addTab(dialogsPage, QStringLiteral("Editor dialogs"));
    window.resize(1180, 780);
    // The item list pictures come first, so that page opens first when taking them.
    window.setCurrentWidget(screenshot ? listPage : static_cast<QWidget *>(inspectorPage));
    window.show();

    int result = 0;
    if (screenshot) {
        // At the size the item list pictures always had; showing has laid out the page already.
        window.resize(QSize(980, 400) + window.size() - listPage->size());
        QApplication::setActiveWindow(&window);
        vertical->setFocus();
        QApplication::processEvents();
        // The other grid shows its editor on the font, with the ellipsis button.
        horizontal->SetSelected(
            horizontal->Items()->FindItemByFullPathName(QStringLiteral("Appearance.Font")));
        horizontal->ShowEditor();
        // Open the colour list, as Alt+Down would, so the picture shows it.
        auto *editor = qobject_cast<TQXInplaceEditList *>(vertical->InplaceEditor());
        if (editor)
            editor->DropDown();
        QApplication::processEvents();
        const QDir dir = QDir::current();
        const QString verticalPath = dir.absoluteFilePath(QStringLiteral("qxdemo-vertical.png"));
        const QString horizontalPath = dir.absoluteFilePath(QStringLiteral("qxdemo-horizontal.png"));
        const QString windowPath = dir.absoluteFilePath(QStringLiteral("qxdemo.png"));
        // The drop-down list is a window of its own: paint it onto the shots where it lies.
        auto withList = [&](QWidget *widget) {
            QPixmap shot = widget->grab();
            if (editor && editor->ListVisible()) {
                QWidget *list = editor->GetPickList();
                QPainter painter(&shot);
                painter.drawPixmap(list->mapToGlobal(QPoint(0, 0)) - widget->mapToGlobal(QPoint(0, 0)),
                                   list->grab());
            }
            return shot;
        };
        withList(vertical).save(verticalPath);
        horizontal->grab().save(horizontalPath);
        withList(listPage).save(windowPath);
        std::printf("%s\n%s\n%s\n", qPrintable(windowPath), qPrintable(verticalPath),
                    qPrintable(horizontalPath));

        if (editor)
            editor->CloseUp(false);
        horizontal->HideEditor();
        window.setCurrentWidget(inspectorPage);
        window.resize(QSize(1180, 780));
        QApplication::processEvents();
        const QStringList inspectorPaths = shootInspector(inspectorPage, dir);
        for (const QString &path : inspectorPaths)
            std::printf("%s\n", qPrintable(path));
        window.setCurrentWidget(dataPage);
        window.resize(QSize(1180, 640));
        QApplication::setActiveWindow(&window);
        QApplication::processEvents();
        std::printf("%s\n", qPrintable(shootDataAware(dataPage, dir)));
        for (const QString &path : dialogsPage->Shoot(dir))
            std::printf("%s\n", qPrintable(path));
    } else {
        result = app.exec();
    }
    Free(vertical);
    Free(horizontal);
    delete dialogsPage; // its views before the inspector page whose component it shows
    delete inspectorPage; // frees its inspector and component first
    delete dataPage; // frees its inspectors, then the dataset
    return result;
}
