// Plans of the viewer's look-ahead.
#include "viewer/PrefetchPlanner.h"

#include "core/GlobalState.h"
#include "viewer/RandomDraws.h"
#include "viewer/ShowOrder.h"
#include "viewer/ViewerTables.h"

namespace quorbell::viewer {
namespace {

PrefetchPlan basePlan(const GlobalState& g)
{
    PrefetchPlan plan;
    plan.screen = viewerScreen(g);
    plan.sizing = sizingChoiceFrom(g);
    return plan;
}

PrefetchPlan photoPlan(const GlobalState& g, std::optional<int> index)
{
    PrefetchPlan plan = basePlan(g);
    if (!index || !hasViewerPhoto(g, *index))
        return plan;
    plan.kind = PrefetchPlan::Kind::Photo;
    plan.albumPath = g.viewerAlbumPath;
    plan.photoIndex = *index;
    plan.photo = viewerPhoto(g, *index);
    return plan;
}

PrefetchPlan walkPlan(const GlobalState& g, std::optional<int> first, PrefetchPlan::Pick pick,
                      double photoDraw)
{
    PrefetchPlan plan = basePlan(g);
    if (!first)
        return plan;
    const bool endless = g.has(Flag::Endless);
    for (int index : albumWalk(*first, g.albumCount(), endless))
        plan.albums.append({index, g.albumPath(index), g.albums.at(index).isHidden()});
    if (plan.albums.isEmpty())
        return plan;
    plan.kind = PrefetchPlan::Kind::Walk;
    plan.pick = pick;
    plan.photoDraw = photoDraw;
    plan.entered = g.enteredPassword;
    return plan;
}

} // namespace

QSize viewerScreen(const GlobalState& g)
{
    return QSize(g.screenWidth, g.screenHeight);
}

PhotoKey photoKeyFor(const GlobalState& g, int photoIndex)
{
    return photoKey(g.viewerAlbumPath, viewerPhoto(g, photoIndex), viewerScreen(g),
                    sizingChoiceFrom(g));
}

PrefetchPlan planNextPhoto(const GlobalState& g, RandomDraws& draws, bool timerNext)
{
    const bool random = g.has(Flag::Random);
    const bool range = (g.viewerOptions & ViewerOpt::Range) != 0;
    const bool endless = g.has(Flag::Endless);
    const int count = g.viewerPhotoCount;

    if (!timerNext) {
        // The next click: forward in the slideshow, a fresh draw in the random display.
        if (random) {
            const QList<int> showable = showablePhotos(g.photoNames);
            if (showable.isEmpty())
                return basePlan(g);
            return photoPlan(g, showable.at(drawnIndex(draws.peek(0), int(showable.size()))));
        }
        const ManualStep step =
            manualStep(g.photoNames, g.viewerPhotoIndex, StepDirection::Forward, endless);
        if (step.outcome != ManualStep::Outcome::Show)
            return basePlan(g);
        return photoPlan(g, step.index);
    }

    if (random) {
        // A random step draws the album (over the container) and then the photo.
        if (range) {
            if (g.albumCount() <= 0)
                return basePlan(g);
            const int album = drawnIndex(draws.peek(0), g.albumCount());
            return walkPlan(g, album, PrefetchPlan::Pick::Drawn, draws.peek(1));
        }
        if (count <= 0)
            return basePlan(g);
        const int index = drawnIndex(draws.peek(0), count);
        if (!hasViewerPhoto(g, index) || isMarkedPhoto(g.photoNames.at(index)))
            return basePlan(g);
        return photoPlan(g, index);
    }

    // The slideshow: the next photo not marked, else what the end of the album leads to.
    if (const std::optional<int> next = firstShowablePhoto(g.photoNames, g.viewerPhotoIndex))
        return photoPlan(g, next);
    if (range)
        return walkPlan(g, nextAlbumIndex(g.selectedIndex, g.albumCount(), endless),
                        PrefetchPlan::Pick::FirstShowable, 0);
    if (endless)
        return photoPlan(g, firstShowablePhoto(g.photoNames, 0));
    return basePlan(g);
}

} // namespace quorbell::viewer
