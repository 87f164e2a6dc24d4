// The demo: an item list editor with a small tree. With no display (QT_QPA_PLATFORM=offscreen, no
// DISPLAY, or --screenshot) it renders itself to PNG files, vertical and horizontal, and prints their
// paths instead of running the event loop.
#include "QXInplaceEditList.h"
#include "QXItemListEditor.h"

#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdio>

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
    TQXItemProp *color = appearance->Items()->Add(QStringLiteral("Color"), QStringLiteral("clWindow\nclBtnFace"));
    color->GetPickList()->SetText(QStringLiteral("clBlack\nclMaroon\nclGreen\nclNavy\nclBtnFace\nclWindow\nclWindowText"));
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

} // namespace

int main(int argc, char **argv)
{
    const bool noDisplay = qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (noDisplay && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QX Inspector demo"));
    const bool screenshot = QGuiApplication::platformName() == QLatin1String("offscreen")
                            || app.arguments().contains(QStringLiteral("--screenshot"));

    QWidget window;
    window.setWindowTitle(QStringLiteral("QX Inspector demo"));
    auto *layout = new QHBoxLayout(&window);
    TQXItemListEditor *vertical = makeEditor(&window, TQXCustomItemListEditor::goVertical);
    vertical->SetSelected(vertical->Items()->FindItemByFullPathName(QStringLiteral("Appearance.Color")));
    layout->addWidget(vertical, 3);
    TQXItemListEditor *horizontal = makeEditor(&window, TQXCustomItemListEditor::goHorizontal);
    // Items are columns here: let them keep a readable width and scroll.
    horizontal->SetDisplayOptions(horizontal->DisplayOptions() & ~TQXCustomItemListEditor::doAutoColResize);
    horizontal->SetDefaultColWidth(84);
    layout->addWidget(horizontal, 4);
    window.resize(980, 400);
    window.show();

    int result = 0;
    if (screenshot) {
        QApplication::setActiveWindow(&window);
        vertical->setFocus();
        QApplication::processEvents();
        // The other grid shows its editor on the font, with the ellipsis button.
        horizontal->SetSelected(horizontal->Items()->FindItemByFullPathName(QStringLiteral("Appearance.Font")));
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
                painter.drawPixmap(list->mapToGlobal(QPoint(0, 0)) - widget->mapToGlobal(QPoint(0, 0)), list->grab());
            }
            return shot;
        };
        withList(vertical).save(verticalPath);
        horizontal->grab().save(horizontalPath);
        withList(&window).save(windowPath);
        std::printf("%s\n%s\n%s\n", qPrintable(windowPath), qPrintable(verticalPath), qPrintable(horizontalPath));
    } else {
        result = app.exec();
    }
    Free(vertical);
    Free(horizontal);
    return result;
}
