// Album files for the viewer's tests: each photo a solid colour that tells
// which album and photo it is, so a test can read off the screen what was
// drawn; plus the broken and missing kinds of album the show must pass over.
#pragma once

#include "AlbumMaker.h"
#include "SamplePhotos.h"
#include "core/PasswordForm.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QStringList>

namespace quorbell::test {

// The colour of photo `photo` of album `album`; distinct for albums below 8
// and photos below 8.
inline QColor photoColour(int album, int photo)
{
    return QColor(40 + album * 25, 40 + photo * 25, 200 - album * 10);
}

// Reads back which photo a colour stands for; (-1, -1) for any other colour.
inline QPair<int, int> photoOfColour(QRgb c)
{
    for (int a = 0; a < 8; ++a) {
        for (int p = 0; p < 8; ++p) {
            if (photoColour(a, p).rgb() == (c | 0xFF000000u))
                return {a, p};
        }
    }
    return {-1, -1};
}

// A solid BMP photo. `name` with a leading "*" is stored marked.
inline tools::AlbumPhotoSource solidPhoto(const QString& name, int album, int photo,
                                          QSize size = QSize(64, 48))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(photoColour(album, photo));
    tools::AlbumPhotoSource s;
    s.hidden = name.startsWith(QLatin1Char('*'));
    s.name = s.hidden ? name.mid(1) : name;
    s.imageBytes = tools::encodePhoto(image, tools::PhotoFormat::Bmp);
    s.pixelSize = size;
    return s;
}

inline bool writeAlbumFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// The bytes of an album of solid photos named as given, with a password when
// `password` is not empty.
inline QByteArray solidAlbumBytes(int album, const QStringList& names,
                                  const QString& password = QString())
{
    tools::AlbumSpec albumSpec;
    if (!password.isEmpty())
        albumSpec.password = storedPasswordForm(password);
    for (int i = 0; i < names.size(); ++i)
        albumSpec.photos.append(solidPhoto(names.at(i), album, i));
    const std::optional<tools::BuiltAlbum> built = tools::buildAlbum(albumSpec);
    return built ? built->bytes : QByteArray();
}

} // namespace quorbell::test
