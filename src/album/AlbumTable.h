// The photo table of an album file: everything its tables say about the
// photos (sizes, names, blocks, image positions and lengths) but not the
// photo bytes themselves, which are read on demand from their positions.
// The album reader and the viewer both work from this value.
#pragma once

#include "album/AlbumError.h"
#include "core/PasswordForm.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace quorbell::album {

// The header is 15 bytes; only its first 11 are checked.
inline constexpr char kAlbumMagic[] = "Vintrel Ver";
inline constexpr int kAlbumMagicLength = 11;
inline constexpr int kAlbumHeaderLength = 15;
// Byte offsets of the fixed fields.
inline constexpr qint64 kPasswordOffset = 15;
inline constexpr qint64 kCountOffset = 23;
inline constexpr qint64 kUnusedOffset = 25;
inline constexpr qint64 kSizesOffset = 27;
// The least one photo can take: size word, empty name entry, a block with one
// byte, its position and its length.
inline constexpr qint64 kMinBytesPerPhoto = 4 + 2 + 4 + 1 + 4 + 4;

struct AlbumPhoto
{
    qint32 sizeWord = 0;    // width * 65536 + height in pixels, as stored
    QByteArray rawName;     // the name's code page 932 bytes, as stored
    QString name;           // the name decoded; a leading "*" marks a hidden photo
    qint64 blockOffset = 0; // 0-based offset of the block's data (after its length word)
    qint32 blockLength = 0; // bytes of the block's data
    qint32 position = 0;    // 1-based byte position of the image bytes
    qint32 length = 0;      // bytes of the image
    // Damage of this entry alone, when the table was read entry by entry
    // (error None: none). A name that is not valid code page 932 (BadName) is
    // decoded with U+FFFD; a position or length outside the file
    // (BadPosition) leaves the entry without image bytes.
    AlbumFailure nameDamage;
    AlbumFailure placeDamage;

    bool hasReadableImage() const { return placeDamage.error == AlbumError::None; }
    bool isHidden() const { return name.startsWith(QLatin1Char('*')); }
    // The two halves of the size word, each an unsigned 16-bit value.
    int width() const { return int(quint32(sizeWord) >> 16); }
    int height() const { return int(quint32(sizeWord) & 0xFFFF); }
    qint64 offset() const { return qint64(position) - 1; } // 0-based start of the image bytes
};

struct AlbumTable
{
    QByteArray header;        // the 15 header bytes
    PasswordBytes password{}; // the stored form; first two bytes zero: no password
    qint16 unusedValue = 0;   // the 16-bit value at offset 25, which nothing reads
    QList<AlbumPhoto> photos; // as many as the photo count
    qint64 tablesEnd = 0;     // 0-based offset just past the image length table
    qint64 fileSize = 0;      // bytes of the file the table was read from

    bool hasPassword() const { return quorbell::hasPassword(password); }
    qsizetype photoCount() const { return photos.size(); }
};

} // namespace quorbell::album
