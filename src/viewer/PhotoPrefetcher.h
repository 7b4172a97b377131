// What the viewer prepares ahead of the show: a photo of the album in hand,
// or a walk over the albums the show would pass through to the first one
// that can be read and one of its photos. runPrefetch() carries a plan out on
// the calling thread; the viewer runs it on a worker (PhotoPipeline).
//
// Plans carry everything by value and never touch the program's state or a
// widget, and never ask a question: an album whose password has not yet been
// given is not read past its tables.
#pragma once

#include "album/AlbumTable.h"
#include "core/PasswordForm.h"
#include "viewer/PhotoLoader.h"
#include "viewer/PhotoTarget.h"

#include <QList>
#include <QSize>
#include <QString>

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

} // namespace quorbell::viewer
