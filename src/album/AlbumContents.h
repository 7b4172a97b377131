// An album as the writer takes it: the fixed fields and, for each photo, its
// stored name, its size word and its image bytes. quorbell-cli and the album
// editor read an album into this value (or start an empty one), change it and
// hand it to the writer; what nobody changed goes back byte for byte.
#pragma once

#include "album/AlbumError.h"
#include "core/PasswordForm.h"

#include <QByteArray>
#include <QList>
#include <QSize>
#include <QString>

#include <optional>

namespace quorbell::album {

class AlbumFileReader;

struct AlbumEntry
{
    // The name's code page 932 bytes as written, the hidden mark "*" included.
    // Kept as bytes so that a name read from an album goes back unchanged even
    // where two codes decode to the same character.
    QByteArray storedName;
    qint32 sizeWord = 0;   // width * 65536 + height in pixels
    QByteArray imageBytes; // a complete BMP, JPEG or GIF file, written unchanged

    bool isHidden() const { return storedName.startsWith('*'); }
};

struct AlbumContents
{
    QByteArray headerTail = QByteArrayLiteral("1.00"); // the 4 header bytes after the magic text
    PasswordBytes password = kNoPassword;              // the stored form
    qint16 unusedValue = 0;                            // the value at offset 25
    QList<AlbumEntry> entries;
};

enum class AlbumWriteError {
    None,
    TooManyPhotos,     // more than 32767
    BadHeaderTail,     // not exactly 4 bytes
    NameNotStorable,   // a character without a code page 932 form, or more than 65535 bytes
    EmptyImage,        // a photo without bytes
    NotAnImage,        // not a BMP, JPEG or GIF image whose header gives its pixel size
    PixelSizeTooLarge, // a side above 65535, more than a half of the size word holds
    TooLarge,          // image positions would not fit in 32 bits
};

struct AlbumWriteProblem
{
    AlbumWriteError error = AlbumWriteError::None;
    int photoIndex = -1; // the entry at fault, when one is
};

// The name as stored: exact code page 932, at most 65535 bytes; nothing when
// it cannot be stored.
std::optional<QByteArray> storedPhotoName(const QString& name);

// An entry for a new photo from an image file's bytes: the kind sniffed and
// the pixel size read from the image header. `name` is stored as given (a
// leading "*" hides the photo). Nothing, and the reason in `error`, when the
// bytes or the name cannot go into an album.
std::optional<AlbumEntry> newPhotoEntry(const QString& name, const QByteArray& imageBytes,
                                        AlbumWriteError* error = nullptr);

// Marks or unmarks the photo as hidden. Unmarking takes away every leading
// "*", so that the photo is really shown. False, and the entry unchanged,
// when the mark would make the name too long to store.
bool setHidden(AlbumEntry& entry, bool hidden);

// The album an open reader holds, every photo's image bytes read from their
// positions; the header tail, the password field and the unused value as they
// are. The caller checks the password first.
AlbumResult<AlbumContents> readAlbumContents(AlbumFileReader& reader);

} // namespace quorbell::album
