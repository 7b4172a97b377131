// Album files described in plain terms (names as text, a hidden flag, pixel
// sizes) and written by the album library's writer. Used by the tests, the
// benchmarks and the demo albums.
#pragma once

#include "album/AlbumWriter.h"
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

// The writer itself is the album library's; these names are kept for the
// generators' callers.
using AlbumLayout = album::AlbumLayout;
using BuiltAlbum = album::BuiltAlbum;
using AlbumMakeError = album::AlbumWriteError;
using AlbumMakeProblem = album::AlbumWriteProblem;

// The bytes of the album; nothing (and the reason in `problem`) when the description
// cannot be stored. Zero photos are allowed, for test files.
std::optional<BuiltAlbum> buildAlbum(const AlbumSpec& albumSpec,
                                     AlbumMakeProblem* problem = nullptr);

// A photo from image bytes: the pixel size read from the image header, that
// of the upright photo when its EXIF orientation turns it by a quarter;
// nothing when the bytes are not a BMP, JPEG or GIF image.
std::optional<AlbumPhotoSource> photoFromBytes(const QString& name, const QByteArray& bytes);

} // namespace quorbell::tools
