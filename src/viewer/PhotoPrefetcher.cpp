// The viewer's look-ahead plans, carried out.
#include "viewer/PhotoPrefetcher.h"

#include "album/AlbumFileReader.h"
#include "viewer/ShowOrder.h"
#include "viewer/ViewerTables.h"

#include <QFileInfo>

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

} // namespace quorbell::viewer
