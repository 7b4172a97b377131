// Albums for the tests: made by the generator from small painted photos and
// written into a temporary folder.
#pragma once

#include "AlbumMaker.h"
#include "SamplePhotos.h"

#include <QFile>
#include <QString>

namespace quorbell::test {

inline tools::AlbumPhotoSource samplePhoto(const QString& name, QSize size, quint32 seed,
                                           tools::PhotoFormat format = tools::PhotoFormat::Jpeg)
{
    return {name, tools::makeSamplePhoto(size, seed, format), size, false};
}

inline QByteArray albumBytes(const tools::AlbumSpec& albumSpec)
{
    const std::optional<tools::BuiltAlbum> built = tools::buildAlbum(albumSpec);
    return built ? built->bytes : QByteArray();
}

inline bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

inline QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Little-endian patches at a byte offset.
inline void patch16(QByteArray& b, qint64 at, qint16 v)
{
    b[at] = char(v & 0xFF);
    b[at + 1] = char((v >> 8) & 0xFF);
}

inline void patch32(QByteArray& b, qint64 at, qint32 v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((quint32(v) >> (8 * i)) & 0xFF);
}

} // namespace quorbell::test
