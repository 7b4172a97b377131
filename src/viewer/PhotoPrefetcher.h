// Preparing the photo the viewer will show next while the current one is on
// the screen: its bytes read, decoded and resampled on a worker thread, and
// when the show moves to another album, that album's tables read there too.
// A timer step then only has to put a ready image on the screen.
//
// Workers never touch the shared state or a widget and never ask a question:
// a plan carries everything by value, and an album whose password has not yet
// been given is not read past its tables. runPrefetch() is the synchronous
// twin that the worker runs.
#pragma once

#include "album/AlbumTable.h"
#include "core/PasswordForm.h"
#include "viewer/PhotoLoader.h"
#include "viewer/PhotoTarget.h"

#include <QFuture>
#include <QList>
#include <QSize>
#include <QString>
#include <QThreadPool>

#include <functional>
#include <optional>

namespace quorbell::viewer {

// Which prepared image fits a photo about to be shown: the same bytes of the
// same file, for the same screen and sizing.
struct PhotoKey
{
    QString albumPath;
    qint32 position = 0;
    qint32 length = 0;
    QSize screen;
    SizingChoice sizing = SizingChoice::Unchanged;
    friend bool operator==(const PhotoKey&, const PhotoKey&) = default;
};

PhotoKey photoKey(const QString& albumPath, const album::AlbumPhoto& photo, QSize screen,
                  SizingChoice sizing);

// One album the show may move to: its index in the grid and its path.
struct AlbumStop
{
    int index = -1;
    QString path;
    bool hidden = false; // a hidden grid entry names no file and is passed over
    friend bool operator==(const AlbumStop&, const AlbumStop&) = default;
};

struct PrefetchPlan
{
    enum class Kind {
        Nothing, // nothing to prepare
        Photo,   // a photo of the album whose tables are in hand
        Walk,    // the first album of `albums` that can be read, then one of its photos
    };
    enum class Pick {
        FirstShowable, // the first photo not marked; an album without one is passed over
        Drawn,         // the photo `photoDraw` picks, as a random step does
    };

    Kind kind = Kind::Nothing;
    // Photo:
    QString albumPath;
    int photoIndex = -1;
    album::AlbumPhoto photo;
    // Walk:
    QList<AlbumStop> albums;
    Pick pick = Pick::FirstShowable;
    double photoDraw = 0;
    PasswordBytes entered{}; // protected albums these bytes open are read through
    // Both:
    QSize screen;
    SizingChoice sizing = SizingChoice::Unchanged;

    bool operator==(const PrefetchPlan& o) const;
};

struct PrefetchResult
{
    int albumIndex = -1; // Walk: the album reached
    QString albumPath;
    std::optional<album::AlbumTable> table; // Walk: its tables
    int photoIndex = -1;
    std::optional<PhotoKey> key; // set when a photo was prepared
    PreparedPhoto photo;
};

// Carries out a plan on the calling thread. `cancelled` is asked between the
// pieces of work; once it says yes the result is empty.
PrefetchResult runPrefetch(const PrefetchPlan& plan, const std::function<bool()>& cancelled = {});

// Owns one worker thread and the plan in hand. Used from the UI thread only.
class PhotoPrefetcher
{
public:
    PhotoPrefetcher();
    ~PhotoPrefetcher(); // cancels and waits for the worker

    PhotoPrefetcher(const PhotoPrefetcher&) = delete;
    PhotoPrefetcher& operator=(const PhotoPrefetcher&) = delete;

    // Off: nothing is prepared ahead and every take comes back empty.
    void setEnabled(bool on);
    bool isEnabled() const { return m_enabled; }

    // Starts on the plan unless the same plan is already in hand; a different
    // plan in progress is told to stop.
    void request(const PrefetchPlan& plan);
    // The photo prepared for `key`, waiting for the worker when it is still at
    // it; nothing when the plan was for something else.
    std::optional<PreparedPhoto> takePhoto(const PhotoKey& key);
    // The tables of the album at `albumPath` when the plan read them.
    std::optional<album::AlbumTable> takeTable(const QString& albumPath);
    // Drops the plan; a job in progress is told to stop and waited for.
    void cancel();

    const PrefetchPlan& plan() const { return m_plan; }
    // Waits until the worker has nothing left to do.
    void waitForIdle();
    // How many photos were handed out ready, and how many jobs were started.
    int photosTaken() const { return m_taken; }
    int jobsStarted() const { return m_jobs; }

private:
    bool adoptWalkResult(const PrefetchPlan& plan);
    bool walkPasses(const QString& albumPath) const;
    std::optional<PrefetchResult> finishedResult();

    QThreadPool m_pool;
    PrefetchPlan m_plan;
    QFuture<PrefetchResult> m_future;
    bool m_enabled = true;
    int m_taken = 0;
    int m_jobs = 0;
};

} // namespace quorbell::viewer
