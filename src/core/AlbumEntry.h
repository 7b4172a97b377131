// One album of a document: every per-album value in one entry, so the
// sequence of entries can never disagree in length or order.
#pragma once

#include "core/DateVariant.h"

#include <QImage>
#include <QString>

namespace quorbell {

// The most albums a document holds: counts and indices are 16-bit.
inline constexpr int kMaxAlbums = 32767;

struct AlbumEntry
{
    QString fileName;     // with extension, without folder; a leading "*" marks a hidden entry
    QString comment;      // drawn under the thumbnail
    qint32 thumbSize = 0; // packed width*65536+height of the picture before it was fitted
    qint32 cellPos = 0;   // packed x*65536+y of the cell, recorded when drawn
    QImage thumbnail;     // fitted to the cell, 24-bit (ThumbnailFormat.h); null: album unreadable
    qint32 fileSize = 0;  // bytes
    DateVariant fileDate; // last-modified local date-time of the album file

    bool isHidden() const { return fileName.startsWith(QLatin1Char('*')); }
};

} // namespace quorbell
