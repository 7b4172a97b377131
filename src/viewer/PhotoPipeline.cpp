// Worker-prepared photos for the viewer.
#include "viewer/PhotoPipeline.h"

#include <QCoreApplication>
#include <QFutureWatcher>
#include <QPointer>
#include <QMutex>
#include <QPromise>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>

namespace quorbell::viewer {
namespace {

QMutex& hookMutex()
{
    static QMutex m;
    return m;
}

std::function<void()>& jobHook()
{
    static std::function<void()> hook;
    return hook;
}

// Two workers: the photo asked for need not queue behind one being prepared
// ahead. Owned by the application, so no viewer ever waits for it; the
// application waits for the last jobs when it ends.
QThreadPool* workers()
{
    static QPointer<QThreadPool> pool;
    if (!pool) {
        pool = new QThreadPool(QCoreApplication::instance());
        pool->setMaxThreadCount(2);
    }
    return pool;
}

PhotoKey keyOfPhotoPlan(const PrefetchPlan& plan)
{
    return photoKey(plan.albumPath, plan.photo, plan.screen, plan.sizing);
}

} // namespace

void setPhotoJobHook(std::function<void()> hook)
{
    QMutexLocker lock(&hookMutex());
    jobHook() = std::move(hook);
}

void waitForPhotoWorkers()
{
    workers()->waitForDone();
}

PhotoPipeline::PhotoPipeline(QObject* parent) : QObject(parent) {}

PhotoPipeline::~PhotoPipeline()
{
    for (const std::shared_ptr<Job>& job : std::as_const(m_jobList))
        job->cancelled->store(true);
}

void PhotoPipeline::setLookAhead(bool on)
{
    m_lookAhead = on;
    if (!on)
        keepReady({});
}

bool PhotoPipeline::matches(const Job& job, const PhotoKey& key) const
{
    if (job.key)
        return *job.key == key;
    return job.result && job.result->key && *job.result->key == key;
}

void PhotoPipeline::keepReady(const QList<PrefetchPlan>& plans)
{
    const QList<PrefetchPlan> keep = m_lookAhead ? plans : QList<PrefetchPlan>();
    for (int i = int(m_jobList.size()) - 1; i >= 0; --i) {
        const Job& job = *m_jobList.at(i);
        bool needed = keep.contains(job.plan);
        for (const PhotoKey& key : std::as_const(m_wanted))
            needed = needed || matches(job, key);
        if (!needed)
            drop(i);
    }
    for (const PrefetchPlan& plan : keep) {
        if (plan.kind == PrefetchPlan::Kind::Nothing)
            continue;
        const bool known = std::any_of(m_jobList.cbegin(), m_jobList.cend(),
                                       [&](const auto& job) { return job->plan == plan; });
        if (!known)
            start(plan, true);
    }
}

std::optional<PreparedPhoto> PhotoPipeline::fetch(const PrefetchPlan& photoPlan)
{
    const PhotoKey key = keyOfPhotoPlan(photoPlan);
    for (const std::shared_ptr<Job>& job : std::as_const(m_jobList)) {
        if (job->result && job->result->key && *job->result->key == key) {
            ++m_hits;
            return job->result->photo;
        }
    }
    if (!m_wanted.contains(key))
        m_wanted.append(key);
    // A job for this very photo is on its way: its arrival is announced.
    for (const std::shared_ptr<Job>& job : std::as_const(m_jobList)) {
        if (!job->result && job->key && *job->key == key)
            return std::nullopt;
    }
    start(photoPlan, false);
    return std::nullopt;
}

void PhotoPipeline::forget(const PhotoKey& key)
{
    m_wanted.removeAll(key);
}

std::optional<album::AlbumTable> PhotoPipeline::takeTable(const QString& albumPath) const
{
    for (const std::shared_ptr<Job>& job : m_jobList) {
        if (job->plan.kind == PrefetchPlan::Kind::Walk && job->result && job->result->table &&
            job->result->albumPath == albumPath)
            return job->result->table;
    }
    return std::nullopt;
}

QList<PrefetchPlan> PhotoPipeline::aheadPlans() const
{
    QList<PrefetchPlan> out;
    for (const std::shared_ptr<Job>& job : m_jobList) {
        if (job->ahead)
            out.append(job->plan);
    }
    return out;
}

bool PhotoPipeline::busy() const
{
    return std::any_of(m_jobList.cbegin(), m_jobList.cend(),
                       [](const auto& job) { return !job->result; });
}

PhotoPipeline::Job* PhotoPipeline::start(const PrefetchPlan& plan, bool ahead)
{
    auto job = std::make_shared<Job>();
    job->plan = plan;
    if (plan.kind == PrefetchPlan::Kind::Photo)
        job->key = keyOfPhotoPlan(plan);
    job->cancelled = std::make_shared<std::atomic_bool>(false);
    job->ahead = ahead;
    job->watcher = new QFutureWatcher<PrefetchResult>(this);
    connect(job->watcher, &QFutureWatcher<PrefetchResult>::finished, this,
            [this, w = job->watcher] { finished(w); });
    ++m_started;
    // Captured by value: the job outlives this object when it must.
    const std::shared_ptr<std::atomic_bool> cancelled = job->cancelled;
    QFuture<PrefetchResult> future =
        QtConcurrent::run(workers(), [plan, cancelled](QPromise<PrefetchResult>& promise) {
            std::function<void()> hook;
            {
                QMutexLocker lock(&hookMutex());
                hook = jobHook();
            }
            if (hook)
                hook();
            promise.addResult(runPrefetch(plan, [cancelled] { return cancelled->load(); }));
        });
    job->watcher->setFuture(future);
    m_jobList.append(job);
    return job.get();
}

void PhotoPipeline::finished(QFutureWatcher<PrefetchResult>* watcher)
{
    std::shared_ptr<Job> job;
    for (const std::shared_ptr<Job>& j : std::as_const(m_jobList)) {
        if (j->watcher == watcher)
            job = j;
    }
    if (!job)
        return;
    const QFuture<PrefetchResult> future = watcher->future();
    job->result = future.resultCount() > 0 ? future.result() : PrefetchResult();
    if (job->result->key && m_wanted.contains(*job->result->key)) {
        const PhotoKey key = *job->result->key;
        m_wanted.removeAll(key);
        Q_EMIT photoArrived(key, job->result->photo, job->ahead);
    } else if (job->key && m_wanted.contains(*job->key)) {
        // Asked for, but the job stopped or found nothing: announce the failure.
        const PhotoKey key = *job->key;
        m_wanted.removeAll(key);
        PreparedPhoto failed;
        failed.error = PhotoError::Unreadable;
        Q_EMIT photoArrived(key, failed, job->ahead);
    }
    if (!busy())
        Q_EMIT idle();
}

void PhotoPipeline::drop(int index)
{
    const std::shared_ptr<Job> job = m_jobList.takeAt(index);
    job->cancelled->store(true);
    // The watcher goes with the job; a late finish of a dropped job is not seen.
    job->watcher->disconnect(this);
    job->watcher->deleteLater();
}

} // namespace quorbell::viewer
