// What the viewer will show next, worked out from the shared state right
// after a step or a click, as a plan for the prefetcher. It follows the same
// rules the steps and clicks follow (ShowOrder), and takes random values by
// peeking, so the step that later draws them reaches the same photo.
#pragma once

#include "viewer/ShowInputs.h"

#include "viewer/PhotoPrefetcher.h"

namespace quorbell {

namespace viewer {

class RandomDraws;

// `timerNext`: the timer is running, so its next steps show the next photo;
// false when the show waits for a click (manual advance).
PrefetchPlan planNextPhoto(const ShowInputs& w, RandomDraws& draws, bool timerNext);

// The key of photo `photoIndex` of the viewer's tables as ShowPhoto draws it.
PhotoKey photoKeyFor(const ShowInputs& w, int photoIndex);

// The screen size and the sizing choice the viewer draws for.
QSize viewerScreen(const ShowInputs& w);

} // namespace viewer
} // namespace quorbell
