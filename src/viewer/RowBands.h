// Shares the rows of a picture out to threads in bands. There are several
// bands per thread, and each thread takes the next band as it finishes one:
// on a machine that is busy with other work, a thread that gets less of the
// processor does fewer bands instead of holding the others up at the end.
#pragma once

#include <QFuture>
#include <QList>
#include <QThread>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <atomic>

namespace quorbell::viewer {

// Below this many pixels touched, threads cost more than they save.
inline constexpr qint64 kParallelThreshold = 1 << 17;
// Bands per thread, and the fewest rows a band has.
inline constexpr int kBandsPerThread = 6;
inline constexpr int kMinBandRows = 8;

// Runs fn(firstRow, endRow) over bands that tile [0, rows), on up to
// `threads` threads (0: the machine's count), the calling thread among them.
// Which thread does a band changes nothing the bands compute. Waiting on a
// job that has not started yet runs it here, so this also works from inside
// a pool thread.
template <typename Fn> void forEachBand(int rows, int threads, qint64 pixelsTouched, const Fn& fn)
{
    int n = threads > 0 ? threads : QThread::idealThreadCount();
    if (pixelsTouched < kParallelThreshold)
        n = 1;
    n = std::clamp(n, 1, std::max(rows, 1));
    if (n == 1) {
        fn(0, rows);
        return;
    }
    const int bandRows = std::max(kMinBandRows, rows / (n * kBandsPerThread));
    std::atomic<int> nextRow{0};
    auto work = [&fn, &nextRow, rows, bandRows] {
        for (;;) {
            const int first = nextRow.fetch_add(bandRows, std::memory_order_relaxed);
            if (first >= rows)
                return;
            fn(first, std::min(rows, first + bandRows));
        }
    };
    QList<QFuture<void>> jobs;
    for (int i = 1; i < n; ++i)
        jobs.append(QtConcurrent::run(work));
    work();
    for (QFuture<void>& job : jobs)
        job.waitForFinished();
}

} // namespace quorbell::viewer
