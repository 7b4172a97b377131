#include "album/AlbumContents.h"

#include "album/AlbumFileReader.h"
#include "album/AlbumTable.h"
#include "album/PhotoDecoder.h"
#include "album/PhotoOrientation.h"
#include "core/BinaryIO.h"
#include "core/Cp932.h"

namespace quorbell::album {

std::optional<QByteArray> storedPhotoName(const QString& name)
{
    std::optional<QByteArray> encoded = cp932::encodeExact(name);
    if (!encoded || encoded->size() > 0xFFFF)
        return std::nullopt;
    return encoded;
}

std::optional<AlbumEntry> newPhotoEntry(const QString& name, const QByteArray& imageBytes,
                                        AlbumWriteError* error)
{
    auto refuse = [error](AlbumWriteError e) -> std::optional<AlbumEntry> {
        if (error)
            *error = e;
        return std::nullopt;
    };
    if (imageBytes.isEmpty())
        return refuse(AlbumWriteError::EmptyImage);
    // The kind is sniffed from the first bytes and the size read from the
    // header by that kind's decoder alone: nothing else goes in. The size
    // table holds the photo as it is shown, turned upright.
    const std::optional<QSize> size = readUprightPixelSize(imageBytes);
    if (!size)
        return refuse(AlbumWriteError::NotAnImage);
    if (size->width() > 0xFFFF || size->height() > 0xFFFF)
        return refuse(AlbumWriteError::PixelSizeTooLarge);
    std::optional<QByteArray> stored = storedPhotoName(name);
    if (!stored)
        return refuse(AlbumWriteError::NameNotStorable);
    if (error)
        *error = AlbumWriteError::None;
    return AlbumEntry{std::move(*stored), packPair(size->width(), size->height()), imageBytes};
}

bool setHidden(AlbumEntry& entry, bool hidden)
{
    // A lead byte of a double-byte code is never below 0x81, so a first byte
    // 0x2A is always the character "*".
    if (hidden) {
        if (entry.isHidden())
            return true;
        if (entry.storedName.size() >= 0xFFFF)
            return false;
        entry.storedName.prepend('*');
        return true;
    }
    qsizetype marks = 0;
    while (marks < entry.storedName.size() && entry.storedName.at(marks) == '*')
        ++marks;
    entry.storedName.remove(0, marks);
    return true;
}

AlbumResult<AlbumContents> readAlbumContents(AlbumFileReader& reader)
{
    const AlbumTable& t = reader.table();
    AlbumContents contents;
    contents.headerTail = t.header.mid(kAlbumMagicLength);
    contents.password = t.password;
    contents.unusedValue = t.unusedValue;
    contents.entries.reserve(t.photos.size());
    for (int i = 0; i < t.photos.size(); ++i) {
        AlbumResult<QByteArray> bytes = reader.photoBytes(i);
        if (!bytes)
            return bytes.failure();
        const AlbumPhoto& p = t.photos.at(i);
        contents.entries.append({p.rawName, p.sizeWord, std::move(bytes).value()});
    }
    return contents;
}

} // namespace quorbell::album
