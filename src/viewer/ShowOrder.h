// The order and timing rules of the slideshow and the random display, as plain
// functions over photo names and album indices: which photo or album comes
// next, how a click steps, how long the timer waits. Every search here ends
// after one pass, so no handler can loop without end.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace quorbell::viewer {

// Milliseconds between timer steps that pass over a marked photo or follow
// the reading of an album.
inline constexpr int kSkipStepMs = 10;

// Milliseconds the timer waits after a shown photo: the interval setting in
// seconds less half a second (500 for 1, 5500 for 6). A setting outside 1 to
// 6, which only an edited settings file holds, is taken as the nearest of them.
int photoIntervalMs(int intervalSetting);

// A photo whose name begins with "*" is never shown.
bool isMarkedPhoto(const QString& name);

// The first photo at or after `from` that is not marked; nothing when there is none.
std::optional<int> firstShowablePhoto(const QStringList& names, int from);

// The indices of every photo that is not marked, in order.
QList<int> showablePhotos(const QStringList& names);

// The album after `current` in a grid of `count`: the next one, or the first
// after the last when the show is endless; nothing when the show ends there.
std::optional<int> nextAlbumIndex(int current, int count, bool endless);

// The albums the show tries in turn from `first` when files are missing or
// hold nothing to show: `first`, then each next album by the rule above,
// every album at most once; it stops where the rule ends the show.
QList<int> albumWalk(int first, int count, bool endless);

// A random draw r in [0, 1) as an index below n: Int(r * n), kept below n
// should rounding reach it. n must be at least 1.
int drawnIndex(double r, int n);

enum class StepDirection { Forward, Back };

struct ManualStep
{
    enum class Outcome {
        Show,  // show the photo at `index`
        Close, // the show ends (stepped past either end without repeat)
        Stay,  // no photo of the album can be shown: nothing changes
    };
    Outcome outcome = Outcome::Stay;
    int index = -1;
    friend bool operator==(const ManualStep&, const ManualStep&) = default;
};

// A click in manual advance: one photo forward or back from `current`,
// repeated until a photo that is not marked is reached. Past the last photo
// the step goes to the first (and back from the first to the last) when the
// show is endless; otherwise the show ends there. Tries each photo at most once.
ManualStep manualStep(const QStringList& names, int current, StepDirection direction, bool endless);

} // namespace quorbell::viewer
