#include "album/PhotoOrientation.h"

#include "album/ExifReader.h"

#include <QTransform>

namespace quorbell::album {
int photoOrientation(QByteArrayView bytes)
{
    return sniffImageKind(bytes) == ImageKind::Jpeg ? readExifFacts(bytes).orientation : 1;
}

QImage applyOrientation(QImage stored, int orientation)
{
    // Each value is a mirroring followed by an optional quarter turn
    // clockwise: 5 is a vertical flip then the turn (a transpose), 7 a
    // horizontal one then the turn. Exact quarter turns keep every pixel.
    struct Turn
    {
        bool mirrorX, mirrorY, quarter;
    };
    static constexpr Turn kTurns[9] = {
        {false, false, false}, {false, false, false}, {true, false, false},
        {true, true, false},   {false, true, false},  {false, true, true},
        {false, false, true},  {true, false, true},   {true, true, true}};
    if (orientation < 2 || orientation > 8)
        return stored;
    const Turn t = kTurns[orientation];
    // Mirrored in place when the picture is not shared: a full-size photo is
    // copied once, for the quarter turn, not twice.
    if (t.mirrorX || t.mirrorY)
        stored = std::move(stored).mirrored(t.mirrorX, t.mirrorY);
    if (t.quarter && !stored.isNull())
        stored = stored.transformed(QTransform().rotate(90));
    return stored;
}

std::optional<DecodedPhoto> decodeUprightPhoto(QByteArrayView bytes,
                                               const std::function<QSize(QSize)>& neededSize,
                                               EighthScale eighthScale)
{
    const int orientation = photoOrientation(bytes);
    if (orientation == 1)
        return decodePhoto(bytes, neededSize, eighthScale);
    std::optional<DecodedPhoto> photo = decodePhoto(
        bytes,
        [&](QSize stored) {
            return orientedSize(neededSize(orientedSize(stored, orientation)), orientation);
        },
        eighthScale);
    if (!photo)
        return photo;
    photo->image = applyOrientation(std::move(photo->image), orientation);
    photo->fullSize = orientedSize(photo->fullSize, orientation);
    if (photo->image.isNull())
        return std::nullopt;
    return photo;
}

std::optional<QSize> readUprightPixelSize(QByteArrayView bytes)
{
    const std::optional<QSize> stored = readPixelSize(bytes);
    if (!stored)
        return stored;
    return orientedSize(*stored, photoOrientation(bytes));
}

} // namespace quorbell::album
