// Writes album files from their contents: the 15-byte header, the stored
// password, the photo count, the unused 16-bit value, the size words, the
// names, one block per photo holding its image bytes, then the image positions
// (1-based, pointing into the blocks) and the image lengths. Pure: contents
// in, bytes out; the caller puts them in place with writeFileAtomically.
#pragma once

#include "album/AlbumContents.h"

#include <QByteArray>
#include <QList>

#include <optional>

namespace quorbell::album {

// Where each part of a written album starts (0-based offsets).
struct AlbumLayout
{
    qint64 sizesOffset = 0;
    qint64 namesOffset = 0;
    qint64 blocksOffset = 0;
    qint64 positionsOffset = 0;
    qint64 lengthsOffset = 0;
    qint64 endOffset = 0;
    QList<qint64> blockOffsets; // each block's length word
    QList<qint64> imageOffsets; // each photo's image bytes
};

struct BuiltAlbum
{
    QByteArray bytes;
    AlbumLayout layout;
};

// The bytes of the album; nothing (and the reason in `problem`) when the
// contents cannot be stored. An album without photos is written too, for
// test files, though no reader opens one: commands refuse it before.
std::optional<BuiltAlbum> buildAlbum(const AlbumContents& contents,
                                     AlbumWriteProblem* problem = nullptr);

} // namespace quorbell::album
