// quorbell-thumbnailer: the desktop thumbnailer that file managers start for
// each album and container file, with the command line of
// `quorbell-cli thumbnail` ([-s SIZE] INPUT OUTPUT.png).
//
// A file manager starts it once for every file it shows, so its start-up is
// most of its time: it links Qt Core alone (not Qt Gui and the forty
// libraries behind it) and makes the picture of an unprotected album whose
// first photo is a JPEG by itself, from the embedded EXIF thumbnail when that
// will do, else from the photo decoded at 1/8 scale on both cores. Every
// other case (a container, a BMP or GIF photo, a protected, damaged or
// missing file, a wrong command line) it hands to `quorbell-cli thumbnail`,
// installed beside it, which replaces this process with the same arguments:
// one behaviour and one set of messages for both.
#include "album/AlbumFileReader.h"
#include "album/ExifThumbnail.h"
#include "album/ImageKind.h"
#include "album/JpegDecoder.h"
#include "cli/ThumbnailRequest.h"
#include "core/CellFit.h"
#include "core/FileIO.h"
#include "core/PngEncoder.h"
#include "thumbnailer/UprightPicture.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include <climits>
#include <unistd.h>

using namespace quorbell;

namespace {

// The photo shrunk on load to no less than `needed` (both as stored): at 1/8
// scale from its DC coefficients on both cores, else through libjpeg.
std::optional<album::Rgb32Picture> photoPicture(QByteArrayView bytes, QSize needed)
{
    album::JpegPicture decoded;
    if (album::decodeJpeg(
            bytes, [needed](QSize) { return needed; }, decoded, album::EighthScale::DcOnly) !=
        album::JpegOutcome::Decoded)
        return std::nullopt;
    return std::move(decoded.picture);
}

// The album's picture fitted to `size`, as `quorbell-cli thumbnail` makes it;
// nothing for whatever is left to it.
std::optional<album::Rgb32Picture> albumPicture(const QString& path, int size)
{
    album::AlbumFileReader reader;
    if (reader.open(path, album::EntryChecks::EachEntryAlone).error != album::AlbumError::None)
        return std::nullopt;
    const album::AlbumTable& table = reader.table();
    if (table.hasPassword() || table.photos.isEmpty() || !table.photos.at(0).hasReadableImage())
        return std::nullopt;
    cli::endQuietlyOnShrunkFile("quorbell-thumbnailer: the input file changed while it was read\n");
    const album::AlbumResult<QByteArrayView> mapped = reader.mapPhotoBytes(0);
    if (!mapped || album::sniffImageKind(*mapped) != album::ImageKind::Jpeg)
        return std::nullopt;
    const QByteArrayView bytes = *mapped;
    const QByteArrayView head =
        bytes.first(std::min<qsizetype>(bytes.size(), album::kExifHeadBytes));
    const album::ExifFacts exif = album::readExifFacts(head);
    const std::optional<QSize> stored = album::jpegHeaderSize(bytes);
    if (!stored)
        return std::nullopt;
    // Sizes as the grid's thumbnails have them: the cell's edge less 2 is `size`.
    const QSize fit =
        fitToCell(recordedPixelSize(album::orientedSize(*stored, exif.orientation)), size + 2);
    std::optional<album::Rgb32Picture> picture =
        album::decodeExifThumbnail(head, exif, *stored, fit);
    if (!picture)
        picture = photoPicture(bytes, album::orientedSize(fit, exif.orientation));
    if (!picture)
        return std::nullopt;
    return thumbnailer::shrunkTo(thumbnailer::turnedUpright(std::move(*picture), exif.orientation),
                                 fit.expandedTo(QSize(1, 1)));
}

// Replaces this process with `quorbell-cli thumbnail` and the same
// arguments: the one beside this program, or the one on PATH when this
// program cannot tell where it is.
int handOver(char* argv[])
{
    std::string cli = "quorbell-cli";
    std::vector<char> self(PATH_MAX + 1);
    const ssize_t length = ::readlink("/proc/self/exe", self.data(), PATH_MAX);
    const std::string selfPath(self.data(), length > 0 ? size_t(length) : 0);
    if (const size_t slash = selfPath.rfind('/'); slash != std::string::npos)
        cli = selfPath.substr(0, slash + 1) + cli;
    std::string command = "thumbnail";
    std::vector<char*> args{cli.data(), command.data()};
    for (char** a = argv + 1; *a != nullptr; ++a)
        args.push_back(*a);
    args.push_back(nullptr);
    ::execvp(cli.c_str(), args.data());
    std::fprintf(stderr, "quorbell-thumbnailer: cannot run %s\n", cli.c_str());
    return 1;
}

} // namespace

int main(int argc, char* argv[])
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    QString problem;
    const std::optional<cli::ThumbnailRequest> request = cli::parseThumbnailRequest(args, &problem);
    if (request) {
        if (const std::optional<album::Rgb32Picture> picture =
                albumPicture(request->input, request->size)) {
            const QByteArray png =
                encodePng(reinterpret_cast<const uchar*>(picture->pixels.get()), picture->width,
                          picture->height, qsizetype(picture->width) * 4, PngPixels::Rgb32);
            // A file manager may read the output at any moment: it appears
            // whole or not at all; it makes the picture again when it is lost,
            // so the write does not wait for the disk.
            QString reason;
            if (writeFileAtomically(request->output, png, &reason, {.waitForDisk = false}))
                return 0;
        }
    }
    return handOver(argv);
}
