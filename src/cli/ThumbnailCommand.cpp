#include "cli/ThumbnailCommand.h"

#include "album/AlbumFileReader.h"
#include "album/AlbumTable.h"
#include "album/AlbumThumbnail.h"
#include "cli/AlbumCommands.h"
#include "cli/ContainerCommands.h"
#include "cli/ThumbnailRequest.h"
#include "container/ContainerDocument.h"
#include "container/ContainerFile.h"
#include "core/CellFit.h"
#include "core/FileIO.h"
#include "core/PngEncoder.h"

#include <QFile>
#include <QPainter>

#include <algorithm>
#include <optional>

namespace quorbell::cli {
namespace {

constexpr int kMosaicPictures = 4;

int refuseProtected(const QString& path)
{
    return fail(kFileError, QStringLiteral("%1: protected by a password, no thumbnail").arg(path));
}

enum class FileKind { Album, Container, Other };

// The kind of file from its first bytes; nothing (after one line on standard
// error, with the status in `status`) when it cannot be opened.
std::optional<FileKind> sniffKind(const QString& path, int* status)
{
    QFile file;
    switch (openRegularFile(file, path)) {
    case OpenResult::Opened:
        break;
    case OpenResult::Missing:
        *status = fail(kFileError, QStringLiteral("%1: no such file").arg(path));
        return std::nullopt;
    case OpenResult::NotAFile:
        *status = fail(kFileError, QStringLiteral("%1: not a regular file").arg(path));
        return std::nullopt;
    case OpenResult::Unreadable:
        *status = fail(kFileError,
                       QStringLiteral("%1: cannot be read: %2").arg(path, file.errorString()));
        return std::nullopt;
    }
    const QByteArray head = file.read(album::kAlbumMagicLength);
    if (head == QByteArrayView(album::kAlbumMagic, album::kAlbumMagicLength))
        return FileKind::Album;
    if (head == QByteArrayView(container::kMagicTag, container::kMagicTagBytes))
        return FileKind::Container;
    return FileKind::Other;
}

// The first photo, shrunk on load and fitted to `size`, through the same
// function that makes the grid's thumbnails: a cell whose edge less 2 is `size`.
// A photo needed at 1/8 scale is decoded from its DC coefficients on both
// cores: the file manager waits for this one picture.
int albumPicture(const QString& path, int size, QImage* picture)
{
    const album::AlbumResult<album::AlbumTable> table = album::readAlbumTable(path);
    if (!table)
        return albumFailure(path, table.failure());
    if (table->hasPassword())
        return refuseProtected(path);
    endQuietlyOnShrunkFile("quorbell-cli: the input file changed while it was read\n");
    const album::AlbumThumbnail thumbnail = album::makeAlbumThumbnail(
        path, size + 2, album::PhotoAccess::Map, album::EighthScale::DcOnly);
    if (thumbnail.hasPassword()) // the file was replaced in between
        return refuseProtected(path);
    if (!thumbnail.ok())
        return albumFailure(path, thumbnail.failure);
    *picture = thumbnail.image;
    return kDone;
}

QImage fitted(const QImage& picture, int edge)
{
    const QSize fit = fitToCell(picture.size(), edge + 2).expandedTo(QSize(1, 1));
    return fit == picture.size()
               ? picture
               : picture.scaled(fit, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// One picture alone is fitted to `size`; more share a grid of two columns of
// square places with a thin transparent gap, each picture fitted to its place
// (never enlarged) and centred in it. Rows no picture needs are left out.
// The file manager scales the result to its icon size itself.
QImage mosaic(const QList<QImage>& pictures, int size)
{
    if (pictures.size() == 1)
        return fitted(pictures.constFirst(), size);
    const int gap = std::max(1, size / 64);
    // Places no larger than the largest picture: the pictures are never
    // enlarged, so a larger place would only add transparent margin.
    int largest = 1;
    for (const QImage& picture : pictures)
        largest = std::max({largest, picture.width(), picture.height()});
    const int place = std::min((size - gap) / 2, largest);
    const int rows = int(pictures.size() + 1) / 2;
    QImage canvas(2 * place + gap, rows * place + (rows - 1) * gap,
                  QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    for (int i = 0; i < pictures.size(); ++i) {
        const QImage picture = fitted(pictures.at(i), place);
        const QPoint corner((i % 2) * (place + gap), (i / 2) * (place + gap));
        painter.drawImage(corner + offsetInCell(picture.size(), place), picture);
    }
    return canvas;
}

// The stored thumbnails of the first four shown albums that have one.
int containerPicture(const QString& path, int size, QImage* picture)
{
    const container::ContainerResult<std::shared_ptr<container::ContainerFile>> file =
        container::ContainerFile::open(path);
    if (!file)
        return failContainer(file.error(), path);
    const container::ContainerDocument& doc = (*file)->document();
    if (hasPassword(doc.password))
        return refuseProtected(path);
    QList<QImage> pictures;
    for (int i = 0; i < (*file)->count() && pictures.size() < kMosaicPictures; ++i) {
        if (doc.albums.at(i).isHidden())
            continue;
        const container::ContainerResult<QImage> thumbnail = (*file)->thumbnail(i);
        if (!thumbnail)
            return failContainer(thumbnail.error(), path);
        if (!thumbnail->isNull())
            pictures.append(*thumbnail);
    }
    if (pictures.isEmpty())
        return fail(kFileError, QStringLiteral("%1: no shown album with a thumbnail").arg(path));
    *picture = mosaic(pictures, size);
    return kDone;
}

// The picture as a PNG file: RGB when it has no alpha channel, else RGBA.
QByteArray pngOf(const QImage& picture)
{
    const bool alpha = picture.hasAlphaChannel();
    const QImage image =
        picture.convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    return encodePng(image.constBits(), image.width(), image.height(), image.bytesPerLine(),
                     alpha ? PngPixels::Rgba : PngPixels::Rgb);
}

int runThumbnail(const QStringList& args)
{
    QString problem;
    const std::optional<ThumbnailRequest> request = parseThumbnailRequest(args, &problem);
    if (!request)
        return usage(kThumbnailCommand, problem);

    int status = kDone;
    const std::optional<FileKind> kind = sniffKind(request->input, &status);
    if (!kind)
        return status;
    QImage picture;
    switch (*kind) {
    case FileKind::Album:
        status = albumPicture(request->input, request->size, &picture);
        break;
    case FileKind::Container:
        status = containerPicture(request->input, request->size, &picture);
        break;
    case FileKind::Other:
        return fail(kInvalidFile,
                    QStringLiteral("%1: not an album or container file").arg(request->input));
    }
    if (status != kDone)
        return status;

    const QByteArray png = pngOf(picture);
    // A file manager may read the output at any moment: it appears whole or
    // not at all. It makes the picture again when it is lost, so the write
    // does not wait for the disk.
    QString reason;
    if (!writeFileAtomically(request->output, png, &reason, {.waitForDisk = false}))
        return fail(kFileError, QStringLiteral("cannot write %1: %2").arg(request->output, reason));
    return kDone;
}

} // namespace

const Command kThumbnailCommand = {
    "thumbnail", "[-s SIZE] INPUT OUTPUT.png",
    "PNG preview for file managers: an album's first photo, a container's first four "
    "thumbnails; none (status 1) for a protected file.",
    &runThumbnail};

} // namespace quorbell::cli
