// The viewer's photos, prepared on worker threads and never waited for.
//
// The show names the photos it will want soon (the look-ahead) and, when a
// step reaches one, asks for it: a photo already prepared comes back at once;
// otherwise the work is started (or the running job joined) and the photo
// arrives later by signal. The UI thread never reads, decodes or scales a
// photo and never blocks on a worker.
//
// Jobs carry everything by value and run on a pool that belongs to the
// application, not to this object: going away while a slow decode runs
// returns at once, and the finished job's result is simply dropped.
#pragma once

#include "viewer/PhotoPrefetcher.h"

#include <QList>
#include <QObject>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

template <typename T> class QFutureWatcher;

namespace quorbell::viewer {

// For tests: runs at the start of every job, on the worker thread (for
// instance blocking until the test releases it). Empty: nothing.
void setPhotoJobHook(std::function<void()> hook);
// Waits until every photo job, of every viewer, has ended. For tests.
void waitForPhotoWorkers();

class PhotoPipeline : public QObject
{
    Q_OBJECT
public:
    explicit PhotoPipeline(QObject* parent = nullptr);
    ~PhotoPipeline() override; // tells running jobs to stop; never waits

    // Off: nothing is prepared ahead; asked-for photos are still prepared on
    // a worker.
    void setLookAhead(bool on);
    bool lookAhead() const { return m_lookAhead; }

    // The photos (or album walks) to keep ready. Work for anything else is
    // dropped unless a photo of it has been asked for.
    void keepReady(const QList<PrefetchPlan>& plans);

    // The photo of a Photo plan. Ready: returned now. Otherwise nothing is
    // returned and photoArrived follows once the worker has it.
    std::optional<PreparedPhoto> fetch(const PrefetchPlan& photoPlan);
    // Stops waiting for `key`: a late arrival of it is not announced.
    void forget(const PhotoKey& key);
    // The tables of `albumPath` that a finished walk read.
    std::optional<album::AlbumTable> takeTable(const QString& albumPath) const;

    // The plans being kept ready, in the order they were asked for.
    QList<PrefetchPlan> aheadPlans() const;
    bool waiting() const { return !m_wanted.isEmpty(); }
    bool busy() const;
    int hits() const { return m_hits; }
    int jobsStarted() const { return m_started; }

Q_SIGNALS:
    // `ahead`: the job had been started by the look-ahead.
    void photoArrived(const quorbell::viewer::PhotoKey& key,
                      const quorbell::viewer::PreparedPhoto& photo, bool ahead);
    // Every job has finished.
    void idle();

private:
    struct Job
    {
        PrefetchPlan plan;
        std::optional<PhotoKey> key; // known up front for Photo plans
        std::shared_ptr<std::atomic_bool> cancelled;
        QFutureWatcher<PrefetchResult>* watcher = nullptr;
        std::optional<PrefetchResult> result;
        bool ahead = true;
    };

    Job* start(const PrefetchPlan& plan, bool ahead);
    void finished(QFutureWatcher<PrefetchResult>* watcher);
    void drop(int index);
    bool matches(const Job& job, const PhotoKey& key) const;

    QList<std::shared_ptr<Job>> m_jobList;
    QList<PhotoKey> m_wanted;
    bool m_lookAhead = true;
    int m_hits = 0;
    int m_started = 0;
};

} // namespace quorbell::viewer
