// What the benchmarks share: medians, the process's resident memory, and the figures they hand to the
// summary table scripts/bench.sh prints after a full run.
#pragma once

#include <QFile>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <malloc.h>
#include <unistd.h>
#include <vector>

namespace Bench {

inline double medianMs(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    return samples.at(samples.size() / 2);
}

/// The process's resident memory in bytes, after freed heap pages went back to the system.
inline qint64 residentBytes()
{
    malloc_trim(0);
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields.at(1).toLongLong() * sysconf(_SC_PAGESIZE) : 0;
}

/// Appends "Key Value" to the file QX_BENCH_SUMMARY names, when it names one.
inline void recordFigure(const char *key, double value)
{
    const QString path = qEnvironmentVariable("QX_BENCH_SUMMARY");
    if (path.isEmpty())
        return;
    QFile file(path);
    if (file.open(QIODevice::Append | QIODevice::Text))
        file.write(QByteArray(key) + ' ' + QByteArray::number(value, 'f', 3) + '\n');
}

} // namespace Bench
