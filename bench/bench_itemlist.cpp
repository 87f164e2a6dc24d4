// Building, expanding, painting and scrolling item trees of 1,000, 10,000 and 100,000 items, against a
// QTreeWidget of the same shape (the floor for a Qt tree of rows). Run: build/bench/bench_itemlist
// (QT_QPA_PLATFORM=offscreen is set when there is no display).
#include "QXItemListEditor.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTreeWidget>

#include <algorithm>
#include <cstdio>
#include <malloc.h>
#include <unistd.h>

using namespace QXPlatform;

namespace {

constexpr int GroupSize = 10; // one top-level item with nine children

qint64 residentBytes()
{
    malloc_trim(0);
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields.at(1).toLongLong() * sysconf(_SC_PAGESIZE) : 0;
}

double medianMs(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    return samples.at(samples.size() / 2);
}

double paintMs(QWidget *widget, int frames = 9)
{
    QImage image(widget->size(), QImage::Format_ARGB32_Premultiplied);
    std::vector<double> samples;
    for (int i = 0; i < frames; ++i) {
        QElapsedTimer timer;
        timer.start();
        widget->render(&image);
        samples.push_back(timer.nsecsElapsed() / 1e6);
    }
    return medianMs(samples);
}

struct Figures
{
    double build = 0, expand = 0, paint = 0, scrollPaint = 0, collapse = 0;
    double bytesPerItem = 0;
};

Figures benchEditor(int n)
{
    Figures f;
    const qint64 before = residentBytes();
    auto *editor = Create<TQXItemListEditor>();
    editor->resize(400, 600);
    editor->show();
    QElapsedTimer timer;
    timer.start();
    TQXItemProps *items = editor->Items();
    items->BeginUpdate();
    for (int g = 0; g < n / GroupSize; ++g) {
        TQXItemProp *top = items->Add();
        top->SetName(QStringLiteral("Group%1").arg(g));
        top->SetValue(QStringLiteral("value %1").arg(g));
        TQXItemProps *children = top->Items();
        for (int c = 1; c < GroupSize; ++c) {
            TQXItemProp *child = children->Add();
            child->SetName(QStringLiteral("Item%1").arg(c));
            child->SetValue(QString::number(g * GroupSize + c));
        }
    }
    items->EndUpdate();
    f.build = timer.nsecsElapsed() / 1e6;
    f.bytesPerItem = double(residentBytes() - before) / n;

    timer.restart();
    editor->FullExpand();
    f.expand = timer.nsecsElapsed() / 1e6;
    f.paint = paintMs(editor);
    editor->SetTopRow(editor->TopRow() + editor->VisibleRowCount());
    f.scrollPaint = paintMs(editor);
    timer.restart();
    editor->FullCollapse();
    f.collapse = timer.nsecsElapsed() / 1e6;
    Free(editor);
    return f;
}

Figures benchTreeWidget(int n)
{
    Figures f;
    const qint64 before = residentBytes();
    auto *tree = new QTreeWidget;
    tree->setColumnCount(2);
    tree->resize(400, 600);
    tree->show();
    QElapsedTimer timer;
    timer.start();
    QList<QTreeWidgetItem *> tops;
    tops.reserve(n / GroupSize);
    for (int g = 0; g < n / GroupSize; ++g) {
        auto *top
            = new QTreeWidgetItem({ QStringLiteral("Group%1").arg(g), QStringLiteral("value %1").arg(g) });
        for (int c = 1; c < GroupSize; ++c)
            top->addChild(
                new QTreeWidgetItem({ QStringLiteral("Item%1").arg(c), QString::number(g * GroupSize + c) }));
        tops.append(top);
    }
    tree->addTopLevelItems(tops);
    f.build = timer.nsecsElapsed() / 1e6;
    f.bytesPerItem = double(residentBytes() - before) / n;
    timer.restart();
    tree->expandAll();
    QApplication::processEvents();
    f.expand = timer.nsecsElapsed() / 1e6;
    f.paint = paintMs(tree);
    timer.restart();
    tree->collapseAll();
    QApplication::processEvents();
    f.collapse = timer.nsecsElapsed() / 1e6;
    delete tree;
    return f;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::printf("%8s | %10s %10s %10s %10s %10s %9s | %10s %10s %9s | %7s\n", "items", "build ms",
                "expand ms", "paint ms", "scroll ms", "collapse", "B/item", "QTW build", "QTW paint",
                "QTW B/it", "ratio");
    for (int n : { 1000, 10000, 100000 }) {
        benchEditor(n); // warm up caches and fonts once per size
        const Figures ours = benchEditor(n);
        const Figures qtw = benchTreeWidget(n);
        std::printf("%8d | %10.2f %10.2f %10.3f %10.3f %10.2f %9.0f | %10.2f %10.3f %9.0f | %7.2f\n", n,
                    ours.build, ours.expand, ours.paint, ours.scrollPaint, ours.collapse, ours.bytesPerItem,
                    qtw.build, qtw.paint, qtw.bytesPerItem, ours.build / qtw.build);
    }
    return 0;
}
