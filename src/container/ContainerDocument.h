// A container file's content in memory, and the fixed values of its layout:
// the 15-byte magic (an 11-byte tag and the version text), the 8-byte
// password field, the album count and the cell size, then one table after the
// other (size words, names, comments, thumbnail records, file sizes, file
// dates) and the album folder at the time of saving.
#pragma once

#include "core/AlbumEntry.h"
#include "core/PasswordForm.h"

#include <QList>
#include <QString>

#include <optional>

namespace quorbell::container {

inline constexpr char kMagicTag[] = "QuorbellVer"; // compared; the version after it is not
inline constexpr int kMagicTagBytes = 11;
inline constexpr int kVersionBytes = 4;
inline constexpr qint64 kPasswordOffset = 15;
inline constexpr qint64 kCountOffset = 23;
inline constexpr qint64 kCellSizeOffset = 25;
inline constexpr qint64 kHeaderBytes = 27; // where the size words start

// Only the seven cell sizes the grid can lay out are accepted, by the reader
// and by the writer alike.
bool isValidCellSize(int cellSize);

struct ContainerDocument
{
    QString version = QStringLiteral("2.50"); // the 4 bytes after the tag, as read
    PasswordBytes password = kNoPassword;     // stored form; all zero for none
    qint16 cellSize = 80;
    // Names, comments, size words, thumbnails, file sizes and dates. An entry
    // without a thumbnail (its album could not be read) has a null picture.
    // cellPos is not stored in the file.
    QList<AlbumEntry> albums;
    // The folder the albums were in when the file was saved: written as the
    // last entry of the file, read when present. The program never uses it to
    // find albums; they are looked for beside the container.
    std::optional<QString> albumFolder;
};

// An entry without a thumbnail is stored as a 1x1 white 24-bit BMP with the
// size word 0: every real picture is at least 1x1, so its size word is never
// 0, and other readers still find a valid picture in the record. The reader
// turns exactly this combination (a 1x1 record, size word 0) back into a null
// picture.
bool isNoPictureRecord(int bmpWidth, int bmpHeight, qint32 sizeWord);

} // namespace quorbell::container
