// Makes the thumbnails of a run of albums a few albums ahead on the thumbnail
// pool, while the albums themselves are read, and their prompts shown, one
// after another on the UI thread. Used from the UI thread only; the workers
// get copies of the path and cell size and touch no shared state.
#pragma once

#include "album/AlbumThumbnail.h"

#include <QFuture>
#include <QHash>
#include <QString>

#include <functional>
#include <optional>

namespace quorbell::album {

class ThumbnailLookAhead
{
public:
    // `pathOf` gives the path of album 0 .. count-1; it is asked on the UI
    // thread when the album's work starts.
    ThumbnailLookAhead(std::function<QString(int index)> pathOf, int count, int cellSize);
    // Cancels: see cancel().
    ~ThumbnailLookAhead();

    ThumbnailLookAhead(const ThumbnailLookAhead&) = delete;
    ThumbnailLookAhead& operator=(const ThumbnailLookAhead&) = delete;

    // How many albums are made ahead, from the one asked for on.
    int window() const { return m_window; }

    // Starts the albums index .. index+window()-1 that are not started yet.
    void prefetch(int index);
    // True when album `index` has nothing running: made, or never started.
    bool isReady(int index) const;
    // Calls `wake` once on the UI thread when album `index` is ready (at once
    // when it already is).
    void whenReady(int index, std::function<void()> wake);
    // The thumbnail of album `index`, waiting for its worker when it is still
    // at it; nothing when its work was never started.
    std::optional<AlbumThumbnail> take(int index);
    // Drops all work: albums not started are never made, a running one
    // finishes on its own and its result is thrown away (it holds copies only).
    void cancel();

private:
    std::function<QString(int)> m_pathOf;
    int m_count;
    int m_cellSize;
    int m_window;
    QHash<int, QFuture<AlbumThumbnail>> m_pending;
};

} // namespace quorbell::album
