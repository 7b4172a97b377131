#include "album/AlbumWriter.h"

#include "album/AlbumTable.h"
#include "core/BinaryIO.h"

#include <limits>

namespace quorbell::album {

std::optional<BuiltAlbum> buildAlbum(const AlbumContents& contents, AlbumWriteProblem* problem)
{
    auto refuse = [problem](AlbumWriteError e, int index = -1) -> std::optional<BuiltAlbum> {
        if (problem)
            *problem = {e, index};
        return std::nullopt;
    };
    const QList<AlbumEntry>& entries = contents.entries;
    if (entries.size() > std::numeric_limits<qint16>::max())
        return refuse(AlbumWriteError::TooManyPhotos);
    if (contents.headerTail.size() != kAlbumHeaderLength - kAlbumMagicLength)
        return refuse(AlbumWriteError::BadHeaderTail);

    const int n = int(entries.size());
    // Everything but the blocks is known up front: the whole size is checked
    // (positions are 32-bit) and reserved before a byte is copied.
    qint64 total = kSizesOffset + 4 * qint64(n) + 4 * qint64(n) * 2;
    for (int i = 0; i < n; ++i) {
        const AlbumEntry& e = entries.at(i);
        if (e.storedName.size() > 0xFFFF)
            return refuse(AlbumWriteError::NameNotStorable, i);
        if (e.imageBytes.isEmpty())
            return refuse(AlbumWriteError::EmptyImage, i);
        total += 2 + e.storedName.size() + 4 + e.imageBytes.size();
    }
    if (total > std::numeric_limits<qint32>::max())
        return refuse(AlbumWriteError::TooLarge);

    BuiltAlbum out;
    AlbumLayout& layout = out.layout;
    ByteWriter w;
    w.data().reserve(total);
    w.bytes(QByteArrayView(kAlbumMagic, kAlbumMagicLength));
    w.bytes(contents.headerTail);
    w.bytes(passwordToBytes(contents.password));
    w.i16(qint16(n));
    w.i16(contents.unusedValue);

    layout.sizesOffset = w.data().size();
    for (const AlbumEntry& e : entries)
        w.i32(e.sizeWord);
    layout.namesOffset = w.data().size();
    for (const AlbumEntry& e : entries)
        w.stringBytes(e.storedName);
    layout.blocksOffset = w.data().size();
    for (const AlbumEntry& e : entries) {
        layout.blockOffsets.append(w.data().size());
        w.i32(qint32(e.imageBytes.size()));
        layout.imageOffsets.append(w.data().size());
        w.bytes(e.imageBytes);
    }
    layout.positionsOffset = w.data().size();
    for (qint64 offset : std::as_const(layout.imageOffsets))
        w.i32(qint32(offset + 1)); // positions are 1-based
    layout.lengthsOffset = w.data().size();
    for (const AlbumEntry& e : entries)
        w.i32(qint32(e.imageBytes.size()));
    layout.endOffset = w.data().size();
    Q_ASSERT(layout.endOffset == total);
    out.bytes = std::move(w.data());
    if (problem)
        *problem = {};
    return out;
}

} // namespace quorbell::album
