// Plans of the viewer's look-ahead.
#include "viewer/PrefetchPlanner.h"

#include "core/AlbumDocument.h"
#include "core/Settings.h"
#include "core/ViewerState.h"
#include "viewer/RandomDraws.h"
#include "viewer/ShowOrder.h"
#include "viewer/ViewerTables.h"

namespace quorbell::viewer {
namespace {

PrefetchPlan basePlan(const ShowInputs& w)
{
    PrefetchPlan plan;
    plan.screen = viewerScreen(w);
    plan.sizing = sizingChoiceFrom(w.settings);
    return plan;
}

PrefetchPlan photoPlan(const ShowInputs& w, std::optional<int> index)
{
    const ViewerState& vs = w.viewerState;
    PrefetchPlan plan = basePlan(w);
    if (!index || !hasViewerPhoto(vs, *index))
        return plan;
    plan.kind = PrefetchPlan::Kind::Photo;
    plan.albumPath = vs.viewerAlbumPath;
    plan.photoIndex = *index;
    plan.photo = viewerPhoto(vs, *index);
    return plan;
}

PrefetchPlan walkPlan(const ShowInputs& w, std::optional<int> first, PrefetchPlan::Pick pick,
                      double photoDraw)
{
    const AlbumDocument& doc = w.document;
    const Settings& st = w.settings;
    PrefetchPlan plan = basePlan(w);
    if (!first)
        return plan;
    const bool endless = st.has(Flag::Endless);
    for (int index : albumWalk(*first, doc.albumCount(), endless))
        plan.albums.append({index, doc.albumPath(index), doc.entry(index).isHidden()});
    if (plan.albums.isEmpty())
        return plan;
    plan.kind = PrefetchPlan::Kind::Walk;
    plan.pick = pick;
    plan.photoDraw = photoDraw;
    plan.entered = doc.enteredPassword();
    return plan;
}

} // namespace

QSize viewerScreen(const ShowInputs& w)
{
    return w.screen;
}

PhotoKey photoKeyFor(const ShowInputs& w, int photoIndex)
{
    const ViewerState& vs = w.viewerState;
    return photoKey(vs.viewerAlbumPath, viewerPhoto(vs, photoIndex), viewerScreen(w),
                    sizingChoiceFrom(w.settings));
}

PrefetchPlan planNextPhoto(const ShowInputs& w, RandomDraws& draws, bool timerNext)
{
    const AlbumDocument& doc = w.document;
    const Settings& st = w.settings;
    const ViewerState& vs = w.viewerState;
    const bool random = vs.random;
    const bool range = (st.viewerOptions & ViewerOpt::Range) != 0;
    const bool endless = st.has(Flag::Endless);
    const int count = vs.viewerPhotoCount;

    if (!timerNext) {
        // The next click: forward in the slideshow, a fresh draw in the random display.
        if (random) {
            const QList<int> showable = showablePhotos(vs.photoNames);
            if (showable.isEmpty())
                return basePlan(w);
            return photoPlan(w, showable.at(drawnIndex(draws.peek(0), int(showable.size()))));
        }
        const ManualStep step =
            manualStep(vs.photoNames, vs.viewerPhotoIndex, StepDirection::Forward, endless);
        if (step.outcome != ManualStep::Outcome::Show)
            return basePlan(w);
        return photoPlan(w, step.index);
    }

    if (random) {
        // A random step draws the album (over the container) and then the photo.
        if (range) {
            if (doc.albumCount() <= 0)
                return basePlan(w);
            const int album = drawnIndex(draws.peek(0), doc.albumCount());
            return walkPlan(w, album, PrefetchPlan::Pick::Drawn, draws.peek(1));
        }
        if (count <= 0)
            return basePlan(w);
        const int index = drawnIndex(draws.peek(0), count);
        if (!hasViewerPhoto(vs, index) || isMarkedPhoto(vs.photoNames.at(index)))
            return basePlan(w);
        return photoPlan(w, index);
    }

    // The slideshow: the next photo not marked, else what the end of the album leads to.
    if (const std::optional<int> next = firstShowablePhoto(vs.photoNames, vs.viewerPhotoIndex))
        return photoPlan(w, next);
    if (range)
        return walkPlan(w, nextAlbumIndex(doc.selectedIndex(), doc.albumCount(), endless),
                        PrefetchPlan::Pick::FirstShowable, 0);
    if (endless)
        return photoPlan(w, firstShowablePhoto(vs.photoNames, 0));
    return basePlan(w);
}

} // namespace quorbell::viewer
