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
    // Albums added to the document: entries first .. first+names.size()-1
    // are the albums `names` of `folder` (ending in "/").
    AlbumLoadingSource(const QString& folder, const QStringList& names, int first, int cellSize);
    ~AlbumLoadingSource() override;

    void prefetch(int index) override;
    bool isReady(int index) const override;
    void whenReady(int index, std::function<void()> wake) override;
    Outcome load(frmMain& w, int index) override;
    void cancel() override;

private:
    int m_first = 0;                      // the document index of the first album
    std::function<QString(int)> m_pathOf; // by document index
    album::ThumbnailLookAhead m_ahead;
};

} // namespace quorbell
