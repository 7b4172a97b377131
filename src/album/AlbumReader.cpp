#include "album/AlbumReader.h"

#include "album/frmPasswd2.h"
#include "document/CommonMessages.h"
#include "core/BinaryIO.h"
#include "document/AlbumDocument.h"
#include "document/Prompts.h"

#include <QCoreApplication>

#include <algorithm>
#include <limits>

namespace quorbell {

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(AlbumReader)
};
} // namespace

AlbumReadOutcome ReadAlbumFile(AlbumDocument& doc, LoadedPicture& current, qint16 index,
                               const QString& path, const QString& name,
                               const album::AlbumThumbnail* prepared)
{
    Q_ASSERT(index >= 0 && index < doc.albumCount());

    album::AlbumThumbnail madeHere;
    const album::AlbumThumbnail* r = prepared;
    if (!r || r->path != path || r->cellSize != doc.cellSize()) {
        madeHere = album::makeAlbumThumbnail(path, doc.cellSize());
        r = &madeHere;
    }

    if (r->failure.error == album::AlbumError::BadHeader) {
        informInvalidFile(path, Tr::tr("開く"));
        return AlbumReadOutcome::HeaderRefused;
    }

    // The password is asked before the photo is used, even when the photo
    // turns out to be unreadable, as the file is read in that order.
    if (r->hasPassword() && !unlockAlbum(doc, r->password, name, path)) {
        informLoadingAbandoned(Tr::tr("キャンセル処理"));
        return AlbumReadOutcome::Cancelled;
    }

    AlbumEntry entry = doc.entry(index);
    if (r->fileExists) {
        // The size is a 32-bit value in the document.
        entry.fileSize = qint32(std::min<qint64>(r->fileSize, std::numeric_limits<qint32>::max()));
        entry.fileDate = r->fileDate;
    }
    if (!r->ok()) {
        entry.thumbSize = 0;
        entry.thumbnail = QImage();
        doc.setEntry(index, std::move(entry));
        current = LoadedPicture();
        return AlbumReadOutcome::Unreadable;
    }
    current.picture = r->image;
    current.size = r->pixelSize.boundedTo(QSize(32767, 32767));
    entry.thumbSize = packPair(current.size.width(), current.size.height());
    doc.setEntry(index, std::move(entry));
    return AlbumReadOutcome::Read;
}

void MakeThumbnail(AlbumDocument& doc, const LoadedPicture& current, qint16 index)
{
    Q_ASSERT(index >= 0 && index < doc.albumCount());
    AlbumEntry entry = doc.entry(index);
    if (current.picture.isNull() || current.size.width() <= 0 || current.size.height() <= 0)
        entry.thumbnail = QImage();
    else
        entry.thumbnail = album::fitPictureToCell(current.picture, current.size, doc.cellSize());
    doc.setEntry(index, std::move(entry));
}

} // namespace quorbell
