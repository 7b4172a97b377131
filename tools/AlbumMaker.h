// Writes album files: the 15-byte header, the stored password, the photo
// count, the unused 16-bit value, the size words, the names in code page 932,
// one block per photo holding its image bytes, then the image positions
// (1-based, pointing into the blocks) and the image lengths. Used by the
// tests, the benchmarks, the demo albums and `quorbell-cli album-make`.
#pragma once

#include "core/PasswordForm.h"

#include <QByteArray>
#include <QList>
#include <QSize>
#include <QString>

#include <optional>

namespace quorbell::tools {

struct AlbumPhotoSource
{
    QString name;          // as the table shows it, without the hidden mark
    QByteArray imageBytes; // a complete BMP, JPEG or GIF file
    QSize pixelSize;       // recorded in the size table
    bool hidden = false;   // stored with a leading "*"
};

struct AlbumSpec
{
    QByteArray headerTail = QByteArrayLiteral("1.00"); // the 4 bytes after "Vintrel Ver"
    PasswordBytes password = kNoPassword;              // the stored form
    qint16 unusedValue = 0;                            // the value at offset 25
    QList<AlbumPhotoSource> photos;
};

// Where each part of a built album starts (0-based offsets).
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

enum class AlbumMakeError {
    None,
    TooManyPhotos,   // more than 32767
    BadHeaderTail,   // not exactly 4 bytes
    NameNotStorable, // a character without a code page 932 form, or more than 65535 bytes
    EmptyImage,      // a photo without bytes
    TooLarge,        // image positions would not fit in 32 bits
};

struct AlbumMakeProblem
{
    AlbumMakeError error = AlbumMakeError::None;
    int photoIndex = -1;
};

// The bytes of the album; nothing (and the reason in `problem`) when the description
// cannot be stored. Zero photos are allowed, for test files.
std::optional<BuiltAlbum> buildAlbum(const AlbumSpec& albumSpec,
                                     AlbumMakeProblem* problem = nullptr);

// A photo from image bytes: the pixel size read from the image header, that
// of the upright photo when its EXIF orientation turns it by a quarter;
// nothing when the bytes are not a BMP, JPEG or GIF image.
std::optional<AlbumPhotoSource> photoFromBytes(const QString& name, const QByteArray& bytes);

} // namespace quorbell::tools
