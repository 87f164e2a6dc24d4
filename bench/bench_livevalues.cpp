// Live values (LiveUpdate): what a value changed by the program costs the inspector, off and on. A
// collection of 1,000 items listed in place (5,002 rows); each item publishes three properties with a
// notify signal and one without, and counts the reads of all of them. One change is a setter call and
// one turn of the event loop; off, the inspector reads nothing and the time is the setter's own, on it
// reads the one row that changed. Also the rescan with and without the connections. Each time is the
// median of several runs. Run: bash scripts/bench.sh bench_livevalues
#include <QXInspector/Collection.h>
#include <QXInspector/QXObjectInspector.h>

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace QXPlatform;

namespace {

constexpr int Runs = 9;
constexpr int Changes = 200;
qint64 reads = 0;

double medianMs(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    return samples.at(samples.size() / 2);
}

void settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::sendPostedEvents();
}

} // namespace

class LiveItem : public TCollectionItem
{
    Q_OBJECT
    Q_PROPERTY(int Left READ Left WRITE SetLeft NOTIFY leftChanged)
    Q_PROPERTY(int Top READ Top WRITE SetTop NOTIFY topChanged)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption NOTIFY captionChanged)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
public:
    Q_INVOKABLE explicit LiveItem(QXPlatform::TCollection *Collection)
        : TCollectionItem(Collection)
    { }
    int Left() const { return ++reads, m_left; }
    void SetLeft(int Value)
    {
        m_left = Value;
        Q_EMIT leftChanged();
    }
    int Top() const { return ++reads, m_top; }
    void SetTop(int Value)
    {
        m_top = Value;
        Q_EMIT topChanged();
    }
    QString Caption() const { return ++reads, m_caption; }
    void SetCaption(const QString &Value)
    {
        m_caption = Value;
        Q_EMIT captionChanged();
    }
    int Width() const { return ++reads, m_width; }
    void SetWidth(int Value) { m_width = Value; }

Q_SIGNALS:
    void leftChanged();
    void topChanged();
    void captionChanged();

private:
    int m_left = 1, m_top = 2, m_width = 75;
    QString m_caption = QStringLiteral("Caption");
};

class LiveHolder : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QXPlatform::TCollection *Items READ Items)
public:
    explicit LiveHolder(int Count)
        : m_items(Create<TCollection>(&LiveItem::staticMetaObject))
    {
        InUpdate(*m_items, [&] {
            for (int i = 0; i < Count; ++i)
                m_items->Add();
        });
    }
    ~LiveHolder() override { Free(m_items); }
    TCollection *Items() const { return m_items; }
    LiveItem *Item(int Index) const { return static_cast<LiveItem *>(m_items->Items(Index)); }

private:
    TCollection *m_items;
};

namespace {

struct Measured
{
    double Us;
    double ReadsPerChange;
};

/// The median time (microseconds) of one of Changes program changes, each followed by one turn of the
/// event loop.
Measured changes(LiveHolder &holder)
{
    std::vector<double> samples;
    qint64 counted = 0;
    for (int run = 0; run <= Runs; ++run) {
        const qint64 before = reads;
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < Changes; ++i) {
            holder.Item((i * 37) % holder.Items()->Count())->SetLeft(run * Changes + i);
            QCoreApplication::sendPostedEvents();
        }
        if (run > 0) { // the first is the warm-up
            samples.push_back(timer.nsecsElapsed() / 1e3 / Changes);
            counted += reads - before;
        }
    }
    return { medianMs(samples), double(counted) / (Runs * Changes) };
}

double rescanMs(TQXObjectInspector *inspector)
{
    std::vector<double> samples;
    for (int i = 0; i <= Runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        inspector->Rescan();
        if (i > 0)
            samples.push_back(timer.nsecsElapsed() / 1e6);
        settle();
    }
    return medianMs(samples);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::printf("median of %d runs\n", Runs);

    LiveHolder holder(1000);
    {
        // The setter and the turn of the event loop alone: the floor both figures below stand on.
        const Measured alone = changes(holder);
        std::printf("%-50s %9.3f us %6.2f reads per change\n", "program change, nothing inspected", alone.Us,
                    alone.ReadsPerChange);
    }
    TQXObjectInspector *inspector = Create<TQXObjectInspector>();
    inspector->resize(400, 600);
    inspector->SetInplaceCollections(true);
    inspector->show();
    inspector->Objects()->Add(&holder);
    settle();
    const int rows = inspector->GetItemCount();
    for (const bool live : { false, true }) {
        inspector->SetLiveUpdate(live);
        settle();
        const double rescan = rescanMs(inspector);
        const Measured measured = changes(holder);
        std::printf("%-50s %9.3f us %6.2f reads per change (%d rows)\n",
                    live ? "program change, live values on" : "program change, live values off", measured.Us,
                    measured.ReadsPerChange, rows);
        std::printf("%-50s %9.2f ms\n", live ? "rescan, live values on" : "rescan, live values off", rescan);
    }
    Free(inspector);
    return 0;
}

#include "bench_livevalues.moc"
