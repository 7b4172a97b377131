// Reads the two facts this program takes from the EXIF data of a JPEG: the
// orientation tag (how the stored pixels must be turned to stand upright) and
// where the small JPEG thumbnail that cameras embed lies. Pure and bounded:
// every offset and count is checked against the bytes given before it is
// used, only the first two image directories are looked at, and nothing is
// read outside the bytes, so a prefix of a photo is as safe to pass as the
// whole of it.
#pragma once

#include <QByteArrayView>
#include <QSize>

#include <optional>

namespace quorbell::album {

struct ByteRange
{
    qint64 offset = 0; // from the start of the bytes given
    qint64 length = 0;

    bool operator==(const ByteRange&) const = default;
};

struct ExifFacts
{
    int orientation = 1;                // 1 to 8; 1 when the tag is missing or damaged
    std::optional<ByteRange> thumbnail; // the embedded JPEG, wholly inside the bytes given
};

// The facts from the first EXIF segment of the JPEG `bytes`; the defaults
// when the bytes are no JPEG or carry no usable EXIF segment.
ExifFacts readExifFacts(QByteArrayView bytes);

// How many leading bytes of a photo hold its EXIF segment whenever the
// camera put it first, as cameras do: one segment is at most 64 KB.
inline constexpr qint64 kExifHeadBytes = 128 * 1024;

// The size of a picture of `stored` size once turned by `orientation`: the
// sides swap for 5 to 8, which turn it by a quarter.
QSize orientedSize(QSize stored, int orientation);

} // namespace quorbell::album
