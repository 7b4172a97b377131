// The viewer's look-ahead: one worker thread preparing the next photo.
#include "viewer/PhotoPrefetcher.h"

#include "album/AlbumFileReader.h"
#include "viewer/ShowOrder.h"
#include "viewer/ViewerTables.h"

#include <QFileInfo>
#include <QPromise>
#include <QtConcurrent/QtConcurrentRun>

namespace quorbell::viewer {

PhotoKey photoKey(const QString& albumPath, const album::AlbumPhoto& photo, QSize screen,
                  SizingChoice sizing)
{
    return {albumPath, photo.position, photo.length, screen, sizing};
}

bool PrefetchPlan::operator==(const PrefetchPlan& o) const
{
    return kind == o.kind && albumPath == o.albumPath && photoIndex == o.photoIndex &&
           photo.position == o.photo.position && photo.length == o.photo.length &&
           photo.name == o.photo.name && albums == o.albums && pick == o.pick &&
           photoDraw == o.photoDraw && entered == o.entered && screen == o.screen &&
           sizing == o.sizing;
}

namespace {

PreparedPhoto prepare(const QString& path, const album::AlbumPhoto& photo, const PrefetchPlan& plan)
{
    PhotoRequest request;
    request.albumPath = path;
    request.photo = photo;
    request.screen = plan.screen;
    request.sizing = plan.sizing;
    return preparePhoto(request);
}

PrefetchResult walk(const PrefetchPlan& plan, const std::function<bool()>& cancelled)
{
    for (const AlbumStop& stop : plan.albums) {
        if (cancelled())
            return {};
        // The show passes over entries whose file is not there.
        if (stop.hidden || !QFileInfo(stop.path).isFile())
            continue;
        album::AlbumResult<album::AlbumTable> read =
            album::readAlbumTable(stop.path, album::EntryChecks::EachEntryAlone);
        if (!read) {
            // A wrong header stops the show with a message, which only the
            // step itself may show; other broken tables hold nothing to show.
            if (read.error() == album::AlbumError::BadHeader ||
                plan.pick == PrefetchPlan::Pick::Drawn)
                return {};
            continue;
        }
        PrefetchResult result;
        result.albumIndex = stop.index;
        result.albumPath = stop.path;
        result.table = std::move(read).value();
        const album::AlbumTable& table = *result.table;
        // The step asks for the password first; nothing past the tables until then.
        if (table.hasPassword() && !passwordMatches(table.password, plan.entered))
            return result;
        QStringList names;
        for (const album::AlbumPhoto& p : table.photos)
            names.append(showOrderName(p));
        if (plan.pick == PrefetchPlan::Pick::FirstShowable) {
            const std::optional<int> first = firstShowablePhoto(names, 0);
            if (!first)
                continue;
            result.photoIndex = *first;
        } else {
            if (names.isEmpty())
                return result;
            result.photoIndex = drawnIndex(plan.photoDraw, int(names.size()));
            if (isMarkedPhoto(names.at(result.photoIndex)))
                return result;
        }
        if (cancelled())
            return {};
        const album::AlbumPhoto& photo = table.photos.at(result.photoIndex);
        result.photo = prepare(stop.path, photo, plan);
        result.key = photoKey(stop.path, photo, plan.screen, plan.sizing);
        return result;
    }
    return {};
}

} // namespace

PrefetchResult runPrefetch(const PrefetchPlan& plan, const std::function<bool()>& cancelled)
{
    const std::function<bool()> stop = cancelled ? cancelled : [] { return false; };
    switch (plan.kind) {
    case PrefetchPlan::Kind::Nothing:
        return {};
    case PrefetchPlan::Kind::Photo: {
        if (stop())
            return {};
        PrefetchResult result;
        result.albumPath = plan.albumPath;
        result.photoIndex = plan.photoIndex;
        result.photo = prepare(plan.albumPath, plan.photo, plan);
        result.key = photoKey(plan.albumPath, plan.photo, plan.screen, plan.sizing);
        return result;
    }
    case PrefetchPlan::Kind::Walk:
        return walk(plan, stop);
    }
    return {};
}

PhotoPrefetcher::PhotoPrefetcher()
{
    // One photo at a time: the resampler spreads its own work over the cores.
    m_pool.setMaxThreadCount(1);
}

PhotoPrefetcher::~PhotoPrefetcher()
{
    cancel();
}

void PhotoPrefetcher::setEnabled(bool on)
{
    if (!on)
        cancel();
    m_enabled = on;
}

void PhotoPrefetcher::request(const PrefetchPlan& plan)
{
    if (!m_enabled)
        return;
    if (plan == m_plan && !m_future.isCanceled())
        return;
    if (adoptWalkResult(plan))
        return;
    // A job of the old plan stops at its next check; the new one queues behind it.
    m_future.cancel();
    m_future = QFuture<PrefetchResult>();
    m_plan = plan;
    if (plan.kind == PrefetchPlan::Kind::Nothing)
        return;
    ++m_jobs;
    m_future = QtConcurrent::run(&m_pool, [plan](QPromise<PrefetchResult>& promise) {
        PrefetchResult result = runPrefetch(plan, [&promise] { return promise.isCanceled(); });
        promise.addResult(std::move(result));
    });
}

bool PhotoPrefetcher::adoptWalkResult(const PrefetchPlan& plan)
{
    // Once the show has moved into the album a walk read ahead, the next
    // plan names a photo of that album, usually the very photo the walk has
    // prepared or is preparing: keep that work instead of starting again.
    if (plan.kind != PrefetchPlan::Kind::Photo || m_plan.kind != PrefetchPlan::Kind::Walk ||
        m_future.isCanceled() || !walkPasses(plan.albumPath))
        return false;
    if (m_future.isFinished()) {
        const PhotoKey want = photoKey(plan.albumPath, plan.photo, plan.screen, plan.sizing);
        if (m_future.resultCount() < 1 || m_future.result().key != want)
            return false;
    }
    // Still running: taken on trust; a take checks the key of what it finds.
    m_plan = plan;
    return true;
}

bool PhotoPrefetcher::walkPasses(const QString& albumPath) const
{
    for (const AlbumStop& stop : m_plan.albums) {
        if (stop.path == albumPath)
            return true;
    }
    return false;
}

std::optional<PrefetchResult> PhotoPrefetcher::finishedResult()
{
    if (m_future.isCanceled())
        return std::nullopt;
    // A job that has not started yet runs here instead of waiting for the pool.
    m_future.waitForFinished();
    if (m_future.isCanceled() || m_future.resultCount() < 1)
        return std::nullopt;
    return m_future.result();
}

std::optional<PreparedPhoto> PhotoPrefetcher::takePhoto(const PhotoKey& key)
{
    if (!m_enabled)
        return std::nullopt;
    switch (m_plan.kind) {
    case PrefetchPlan::Kind::Nothing:
        return std::nullopt;
    case PrefetchPlan::Kind::Photo:
        if (photoKey(m_plan.albumPath, m_plan.photo, m_plan.screen, m_plan.sizing) != key)
            return std::nullopt;
        break;
    case PrefetchPlan::Kind::Walk:
        if (!walkPasses(key.albumPath))
            return std::nullopt;
        break;
    }
    std::optional<PrefetchResult> result = finishedResult();
    if (!result || !result->key || *result->key != key)
        return std::nullopt;
    ++m_taken;
    return result->photo;
}

std::optional<album::AlbumTable> PhotoPrefetcher::takeTable(const QString& albumPath)
{
    if (!m_enabled || m_plan.kind != PrefetchPlan::Kind::Walk || !walkPasses(albumPath))
        return std::nullopt;
    std::optional<PrefetchResult> result = finishedResult();
    if (!result || result->albumPath != albumPath || !result->table)
        return std::nullopt;
    return result->table;
}

void PhotoPrefetcher::cancel()
{
    m_future.cancel();
    m_pool.waitForDone();
    m_future = QFuture<PrefetchResult>();
    m_plan = PrefetchPlan();
}

void PhotoPrefetcher::waitForIdle()
{
    m_pool.waitForDone();
}

} // namespace quorbell::viewer
