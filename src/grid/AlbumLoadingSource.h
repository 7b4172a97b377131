// Entries from album files: each album's first photo is decoded ahead on
// worker threads; the header check, the password prompt and the entry's
// values are applied on the UI thread in grid order.
#pragma once

#include "grid/LoadingLoop.h"

#include "album/ThumbnailLookAhead.h"
#include "document/AlbumDocument.h"

namespace quorbell {

class AlbumLoadingSource : public LoadingSource
{
public:
    // The albums of the document as they are when loading starts.
    explicit AlbumLoadingSource(const AlbumDocument& doc);
    ~AlbumLoadingSource() override;

    void prefetch(int index) override;
    bool isReady(int index) const override;
    void whenReady(int index, std::function<void()> wake) override;
    Outcome load(frmMain& w, int index) override;
    void cancel() override;

private:
    album::ThumbnailLookAhead m_ahead;
};

} // namespace quorbell
