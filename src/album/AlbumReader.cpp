#include "album/AlbumReader.h"

#include "album/frmPasswd2.h"
#include "core/CommonMessages.h"
#include "core/BinaryIO.h"
#include "core/GlobalState.h"
#include "core/Prompts.h"

#include <algorithm>
#include <limits>

namespace quorbell {

AlbumReadOutcome ReadAlbumFile(qint16 index, const QString& path, const QString& name,
                               const album::AlbumThumbnail* prepared)
{
    GlobalState& g = stdGlobal();
    Q_ASSERT(index >= 0 && index < g.albumCount());

    album::AlbumThumbnail madeHere;
    const album::AlbumThumbnail* r = prepared;
    if (!r || r->path != path || r->cellSize != g.cellSize) {
        madeHere = album::makeAlbumThumbnail(path, g.cellSize);
        r = &madeHere;
    }

    if (r->failure.error == album::AlbumError::BadHeader) {
        informInvalidFile(path, QStringLiteral("開く"));
        g.clear(Flag::DialogOK);
        return AlbumReadOutcome::HeaderRefused;
    }

    // The password is asked before the photo is used, even when the photo
    // turns out to be unreadable, as the file is read in that order.
    if (r->hasPassword() && !unlockAlbum(r->password, name, path)) {
        g.mode = Mode::Empty;
        informLoadingAbandoned(QStringLiteral("キャンセル処理"));
        g.clear(Flag::DialogOK);
        return AlbumReadOutcome::Cancelled;
    }

    AlbumEntry& entry = g.albums[index];
    if (r->fileExists) {
        // The size is a 32-bit value in the document.
        entry.fileSize = qint32(std::min<qint64>(r->fileSize, std::numeric_limits<qint32>::max()));
        entry.fileDate = r->fileDate;
    }
    if (!r->ok()) {
        entry.thumbSize = 0;
        entry.thumbnail = QImage();
        g.currentPicture = QImage();
        g.pictureWidth = 0;
        g.pictureHeight = 0;
        g.set(Flag::DialogOK);
        return AlbumReadOutcome::Unreadable;
    }
    g.currentPicture = r->image;
    g.pictureWidth = qint16(r->pixelSize.width());
    g.pictureHeight = qint16(r->pixelSize.height());
    entry.thumbSize = packPair(g.pictureWidth, g.pictureHeight);
    g.set(Flag::DialogOK);
    return AlbumReadOutcome::Read;
}

void MakeThumbnail(qint16 index)
{
    GlobalState& g = stdGlobal();
    Q_ASSERT(index >= 0 && index < g.albumCount());
    AlbumEntry& entry = g.albums[index];
    if (g.currentPicture.isNull() || g.pictureWidth <= 0 || g.pictureHeight <= 0) {
        entry.thumbnail = QImage();
        return;
    }
    entry.thumbnail = album::fitPictureToCell(g.currentPicture,
                                              QSize(g.pictureWidth, g.pictureHeight), g.cellSize);
}

} // namespace quorbell
