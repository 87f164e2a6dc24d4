// The demo: an item list editor with a small tree. With no display (QT_QPA_PLATFORM=offscreen, no
// DISPLAY, or --screenshot) it renders itself to PNG files, vertical and horizontal, and prints their
// paths instead of running the event loop.
#include "QXItemListEditor.h"

#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
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
    appearance->Items()->Add(QStringLiteral("Color"), QStringLiteral("clWindow\nclBtnFace"));
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
    vertical->SetSelected(vertical->Items()->FindItemByFullPathName(QStringLiteral("Appearance.Font.Size")));
    layout->addWidget(vertical, 3);
    TQXItemListEditor *horizontal = makeEditor(&window, TQXCustomItemListEditor::goHorizontal);
    // Items are columns here: let them keep a readable width and scroll.
    horizontal->SetDisplayOptions(horizontal->DisplayOptions() & ~TQXCustomItemListEditor::doAutoColResize);
    horizontal->SetDefaultColWidth(84);
    layout->addWidget(horizontal, 4);
    window.resize(980, 340);
    window.show();

    int result = 0;
    if (screenshot) {
        vertical->setFocus();
        QApplication::processEvents();
        const QDir dir = QDir::current();
        const QString verticalPath = dir.absoluteFilePath(QStringLiteral("qxdemo-vertical.png"));
        const QString horizontalPath = dir.absoluteFilePath(QStringLiteral("qxdemo-horizontal.png"));
        const QString windowPath = dir.absoluteFilePath(QStringLiteral("qxdemo.png"));
        vertical->grab().save(verticalPath);
        horizontal->grab().save(horizontalPath);
        window.grab().save(windowPath);
        std::printf("%s\n%s\n%s\n", qPrintable(windowPath), qPrintable(verticalPath), qPrintable(horizontalPath));
    } else {
        result = app.exec();
    }
    Free(vertical);
    Free(horizontal);
    return result;
}
