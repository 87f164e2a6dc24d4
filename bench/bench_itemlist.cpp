// Item lists of 1,000, 10,000 and 100,000 rows against a QTreeWidget of the same rows in the same run (the
// floor for a Qt tree of rows). The first table: building in one batch and row by row, 1,000 value changes
// of rows other than the edited one with the cell editor open and closed, and memory per row; the rows
// cycle integer, float, text, Boolean and enumeration values. The second: building, expanding, painting,
// scrolling and collapsing a tree of groups of ten. Times are medians of several runs on fresh widgets,
// and include the one event-loop turn that shows the result. Run: bash scripts/bench.sh bench_itemlist
// (QT_QPA_PLATFORM=offscreen is set when there is no display). Arguments, when given: row counts to run,
// and "flat" or "groups" for one table only, "summary" for the summary figures only.
#include "BenchCommon.h"

#include <QXInspector/QXItemListEditor.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QTreeWidget>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <malloc.h>
#include <unistd.h>

using namespace QXPlatform;

namespace {

constexpr int GroupSize = 10; // one top-level item with nine children

using Bench::medianMs;
using Bench::residentBytes;

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

/// n rows in groups of ten: a top-level row and its nine children, added in one batch.
void fillGroups(TQXItemListEditor *editor, int n)
{
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
}

void fillGroups(QTreeWidget *tree, int n)
{
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
}

Figures benchEditor(int n)
{
    Figures f;
    const qint64 before = residentBytes();
    auto *editor = Create<TQXItemListEditor>();
    editor->resize(400, 600);
    editor->show();
    QElapsedTimer timer;
    timer.start();
    fillGroups(editor, n);
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
    fillGroups(tree, n);
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

// ---------------------------------------------------------------------------------------------------
// Flat rows: building, value changes, memory

constexpr int Runs = 5;
constexpr int Changes = 1000;
constexpr double RowByRowBudgetMs = 20000; // a run that takes longer is stopped and reported as "> budget"

QString rowName(int i)
{
    return QStringLiteral("Row%1").arg(i);
}

QString rowValue(int i)
{
    static const QString shades[]
        = { QStringLiteral("shLight"), QStringLiteral("shMedium"), QStringLiteral("shDark") };
    switch (i % 5) {
    case 0:
        return QString::number(i);
    case 1:
        return QString::number(i * 0.25, 'f', 2);
    case 2:
        return QStringLiteral("text %1").arg(i);
    case 3:
        return i % 2 ? QStringLiteral("True") : QStringLiteral("False");
    default:
        return shades[i % 3];
    }
}

/// The row changed by change k: spread over the list, never row 0 (the one being edited).
int changedRow(int k, int n)
{
    return 1 + int((qint64(k) * 7919) % (n - 1));
}

TQXItemListEditor *newEditor(bool visible = true)
{
    auto *editor = Create<TQXItemListEditor>();
    editor->resize(400, 600);
    editor->setVisible(visible);
    QApplication::processEvents();
    return editor;
}

QTreeWidget *newTree(bool visible = true)
{
    auto *tree = new QTreeWidget;
    tree->setColumnCount(2);
    tree->resize(400, 600);
    tree->setVisible(visible);
    QApplication::processEvents();
    return tree;
}

QTreeWidgetItem *newTreeItem(int i)
{
    return new QTreeWidgetItem({ rowName(i), rowValue(i) });
}

void fillBatched(TQXItemListEditor *editor, int n)
{
    TQXItemProps *items = editor->Items();
    items->BeginUpdate();
    for (int i = 0; i < n; ++i)
        items->Add(rowName(i), rowValue(i));
    items->EndUpdate();
}

void fillBatched(QTreeWidget *tree, int n)
{
    QList<QTreeWidgetItem *> rows;
    rows.reserve(n);
    for (int i = 0; i < n; ++i)
        rows.append(newTreeItem(i));
    tree->addTopLevelItems(rows);
}

/// Milliseconds of f plus the event-loop turn after it.
double timedMs(const std::function<void()> &f)
{
    QElapsedTimer timer;
    timer.start();
    f();
    QApplication::processEvents();
    return timer.nsecsElapsed() / 1e6;
}

/// Adds n rows one at a time; -1 when the budget ran out first.
double rowByRowMs(int n, bool ours)
{
    TQXItemListEditor *editor = ours ? newEditor() : nullptr;
    QTreeWidget *tree = ours ? nullptr : newTree();
    bool overBudget = false;
    const double ms = timedMs([&] {
        QElapsedTimer budget;
        budget.start();
        for (int i = 0; i < n && !overBudget; ++i) {
            if (ours)
                editor->Items()->Add(rowName(i), rowValue(i));
            else
                tree->addTopLevelItem(newTreeItem(i));
            overBudget = (i % 256) == 0 && budget.elapsed() > RowByRowBudgetMs;
        }
    });
    if (ours)
        Free(editor);
    delete tree;
    return overBudget ? -1 : ms;
}

/// Adds n rows in one batch, flat or in groups of ten, to a shown or a hidden list.
double batchedMs(int n, bool ours, bool visible = true, bool nested = false)
{
    TQXItemListEditor *editor = ours ? newEditor(visible) : nullptr;
    QTreeWidget *tree = ours ? nullptr : newTree(visible);
    const double ms = timedMs([&] {
        if (nested)
            ours ? fillGroups(editor, n) : fillGroups(tree, n);
        else
            ours ? fillBatched(editor, n) : fillBatched(tree, n);
    });
    if (ours)
        Free(editor);
    delete tree;
    return ms;
}

/// Changes the value of Changes rows other than row 0, whose value cell is being edited (Open) or not.
double changesMs(int n, bool ours, bool open)
{
    double ms = 0;
    if (ours) {
        TQXItemListEditor *editor = newEditor();
        fillBatched(editor, n);
        QApplication::processEvents();
        editor->SetSelected(editor->Items()->Items(0));
        open ? editor->ShowEditor() : editor->HideEditor();
        if (editor->EditorMode() != open)
            std::printf("the cell editor is not %s\n", open ? "open" : "closed");
        TQXItemProps *items = editor->Items();
        ms = timedMs([&] {
            for (int k = 0; k < Changes; ++k)
                items->Items(changedRow(k, n))->SetValue(QString::number(k));
        });
        Free(editor);
    } else {
        QTreeWidget *tree = newTree();
        fillBatched(tree, n);
        QApplication::processEvents();
        QTreeWidgetItem *first = tree->topLevelItem(0);
        first->setFlags(first->flags() | Qt::ItemIsEditable);
        tree->setCurrentItem(first, 1);
        if (open)
            tree->editItem(first, 1);
        QApplication::processEvents();
        if (bool(tree->findChild<QLineEdit *>()) != open)
            std::printf("the tree's editor is not %s\n", open ? "open" : "closed");
        ms = timedMs([&] {
            for (int k = 0; k < Changes; ++k)
                tree->topLevelItem(changedRow(k, n))->setText(1, QString::number(k));
        });
        delete tree;
    }
    return ms;
}

double bytesPerRow(int n, bool ours, bool visible = true)
{
    QApplication::processEvents();
    const qint64 before = residentBytes();
    TQXItemListEditor *editor = ours ? newEditor(visible) : nullptr;
    QTreeWidget *tree = ours ? nullptr : newTree(visible);
    ours ? fillBatched(editor, n) : fillBatched(tree, n);
    QApplication::processEvents();
    const double bytes = double(residentBytes() - before) / n;
    if (ours)
        Free(editor);
    delete tree;
    return bytes;
}

double median(int runs, const std::function<double()> &sample)
{
    std::vector<double> samples;
    for (int i = 0; i < runs; ++i) {
        const double ms = sample();
        if (ms < 0)
            return -1; // over budget: one run is enough to know
        samples.push_back(ms);
    }
    return medianMs(samples);
}

QByteArray figure(double ms)
{
    if (ms < 0)
        return QByteArray("> ") + QByteArray::number(RowByRowBudgetMs / 1000, 'f', 0) + " s";
    return QByteArray::number(ms, 'f', ms < 10 ? 2 : 1);
}

QList<int> sizes { 1000, 10000, 100000 };

void flatTable()
{
    std::printf("flat rows, median of %d runs, ms (memory: bytes per row); ours | QTreeWidget\n", Runs);
    std::printf("%7s | %17s | %19s | %21s | %21s | %13s\n", "rows", "batched add", "row-by-row add",
                "1,000 changes, open", "1,000 changes, closed", "bytes/row");
    for (int n : std::as_const(sizes)) {
        batchedMs(n, true); // warm up caches and fonts once per size
        const double batchedOurs = median(Runs, [&] { return batchedMs(n, true); });
        const double batchedQtw = median(Runs, [&] { return batchedMs(n, false); });
        const int rowRuns = n > 10000 ? 3 : Runs;
        const double rowsOurs = median(rowRuns, [&] { return rowByRowMs(n, true); });
        const double rowsQtw = median(rowRuns, [&] { return rowByRowMs(n, false); });
        const double openOurs = median(Runs, [&] { return changesMs(n, true, true); });
        const double openQtw = median(Runs, [&] { return changesMs(n, false, true); });
        const double closedOurs = median(Runs, [&] { return changesMs(n, true, false); });
        const double closedQtw = median(Runs, [&] { return changesMs(n, false, false); });
        const double bytesOurs = bytesPerRow(n, true);
        const double bytesQtw = bytesPerRow(n, false);
        std::printf("%7d | %8s %8s | %9s %9s | %10s %10s | %10s %10s | %6.0f %6.0f\n", n,
                    figure(batchedOurs).constData(), figure(batchedQtw).constData(),
                    figure(rowsOurs).constData(), figure(rowsQtw).constData(), figure(openOurs).constData(),
                    figure(openQtw).constData(), figure(closedOurs).constData(),
                    figure(closedQtw).constData(), bytesOurs, bytesQtw);
        std::fflush(stdout);
    }
}

/// The item list's lines of the summary table scripts/bench.sh prints, each ours beside QTreeWidget.
void summaryFigures()
{
    std::printf("\nsummary figures, median of %d runs; ours | QTreeWidget\n", Runs);
    struct Line
    {
        const char *key, *what;
        std::function<double(bool)> sample;
    };
    const Line lines[] = {
        { "itemlist.batched.hidden", "10,000 rows in a batch, hidden, ms",
          [](bool ours) { return batchedMs(10000, ours, false); } },
        { "itemlist.batched.visible", "10,000 rows in a batch, shown, ms",
          [](bool ours) { return batchedMs(10000, ours, true); } },
        { "itemlist.nested.hidden", "11,000 nested rows in a batch, hidden, ms",
          [](bool ours) { return batchedMs(11000, ours, false, true); } },
        { "itemlist.rowbyrow", "10,000 rows one by one (QTreeWidget: batched), ms",
          [](bool ours) { return ours ? rowByRowMs(10000, true) : batchedMs(10000, false); } },
        { "itemlist.changes", "1,000 value changes, editor closed, ms",
          [](bool ours) { return changesMs(10000, ours, false); } },
    };
    batchedMs(10000, true, false); // warm up caches and fonts
    for (const Line &line : lines) {
        const double ours = median(Runs, [&] { return line.sample(true); });
        const double qtw = median(Runs, [&] { return line.sample(false); });
        std::printf("%-52s %9s %9s\n", line.what, figure(ours).constData(), figure(qtw).constData());
        Bench::recordFigure((QByteArray(line.key) + ".ours").constData(), ours);
        Bench::recordFigure((QByteArray(line.key) + ".qtw").constData(), qtw);
    }
    for (int n : { 10000, 100000 }) {
        const double ours = bytesPerRow(n, true, false);
        const double qtw = bytesPerRow(n, false, false);
        std::printf("%-52s %9.0f %9.0f\n", qPrintable(QStringLiteral("memory per row, %1 hidden, B").arg(n)),
                    ours, qtw);
        const QByteArray key = "itemlist.bytes" + QByteArray::number(n / 1000) + "k";
        Bench::recordFigure((key + ".ours").constData(), ours);
        Bench::recordFigure((key + ".qtw").constData(), qtw);
    }
    const Figures ours = benchEditor(10000);
    const Figures qtw = benchTreeWidget(10000);
    std::printf("%-52s %9.3f %9.3f\n", "one painted frame, 10,000 rows, ms", ours.paint, qtw.paint);
    Bench::recordFigure("itemlist.paint.ours", ours.paint);
    Bench::recordFigure("itemlist.paint.qtw", qtw.paint);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    QList<int> asked;
    for (const QString &argument : arguments)
        if (argument.toInt() > 0)
            asked.append(argument.toInt());
    if (!asked.isEmpty())
        sizes = asked;
    const bool summary = arguments.contains(QStringLiteral("summary"));
    if (summary || !qEnvironmentVariableIsEmpty("QX_BENCH_SUMMARY"))
        summaryFigures();
    if (summary)
        return 0;
    const bool flat = !arguments.contains(QStringLiteral("groups"));
    const bool groups = !arguments.contains(QStringLiteral("flat"));
    if (flat)
        flatTable();
    if (!groups)
        return 0;
    std::printf("\ngroups of ten rows, expanded; ratio = build ms, ours / QTreeWidget\n");
    std::printf("%8s | %10s %10s %10s %10s %10s %9s | %10s %10s %9s | %7s\n", "items", "build ms",
                "expand ms", "paint ms", "scroll ms", "collapse", "B/item", "QTW build", "QTW paint",
                "QTW B/it", "ratio");
    for (int n : std::as_const(sizes)) {
        benchEditor(n); // warm up caches and fonts once per size
        const Figures ours = benchEditor(n);
        const Figures qtw = benchTreeWidget(n);
        std::printf("%8d | %10.2f %10.2f %10.3f %10.3f %10.2f %9.0f | %10.2f %10.3f %9.0f | %7.2f\n", n,
                    ours.build, ours.expand, ours.paint, ours.scrollPaint, ours.collapse, ours.bytesPerItem,
                    qtw.build, qtw.paint, qtw.bytesPerItem, ours.build / qtw.build);
    }
    return 0;
}
