// Entries from album files: each album's first photo is decoded ahead on
// worker threads; the header check, the password prompt and the entry's
// values are applied on the UI thread in grid order.
#pragma once

#include "grid/LoadingLoop.h"

#include <QFuture>
#include <QHash>
#include <QThreadPool>

#include "album/AlbumThumbnail.h"

namespace quorbell {

class AlbumLoadingSource : public LoadingSource
{
public:
    AlbumLoadingSource();
    ~AlbumLoadingSource() override;

    void prefetch(int index) override;
    bool isReady(int index) const override;
    void whenReady(int index, std::function<void()> wake) override;
    Outcome load(frmMain& w, int index) override;
    void cancel() override;

    // How many albums are decoded ahead of the one being applied.
    int lookAhead() const { return m_lookAhead; }

private:
    QThreadPool* m_pool;
    QHash<int, QFuture<album::AlbumThumbnail>> m_pending;
    int m_lookAhead;
};

} // namespace quorbell
