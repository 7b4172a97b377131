#include "cli/ContainerCommands.h"

#include "container/ContainerFile.h"
#include "container/ContainerReader.h"
#include "core/BinaryIO.h"
#include "core/FileIO.h"
#include "core/TextRules.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>

using namespace quorbell::container;

namespace quorbell::cli {
namespace {

QString sectionName(Section s)
{
    switch (s) {
    case Section::None:
        break;
    case Section::Header:
        return QStringLiteral("header");
    case Section::SizeWords:
        return QStringLiteral("thumbnail size table");
    case Section::Names:
        return QStringLiteral("name table");
    case Section::Comments:
        return QStringLiteral("comment table");
    case Section::Thumbnails:
        return QStringLiteral("thumbnail records");
    case Section::FileSizes:
        return QStringLiteral("file size table");
    case Section::FileDates:
        return QStringLiteral("file date table");
    case Section::AlbumFolder:
        return QStringLiteral("album folder");
    }
    return QStringLiteral("file");
}

QString reasonText(const ContainerError& e)
{
    const QString album = QStringLiteral("album %1").arg(e.index);
    switch (e.code) {
    case ErrorCode::BadMagic:
        return QStringLiteral("no container tag at the start");
    case ErrorCode::BadCount:
        return QStringLiteral("album count out of range");
    case ErrorCode::BadCellSize:
        return QStringLiteral("cell size not 60, 70, 80, 90, 100, 110 or 120");
    case ErrorCode::Truncated:
        return QStringLiteral("file ends inside the %1").arg(sectionName(e.section));
    case ErrorCode::BadText:
        return QStringLiteral("%1 of %2 is not valid Shift-JIS").arg(sectionName(e.section), album);
    case ErrorCode::BadName:
        return QStringLiteral("name of %1 holds \"/\" or NUL").arg(album);
    case ErrorCode::BadRecordLength:
        return QStringLiteral("thumbnail record of %1 has a bad length").arg(album);
    case ErrorCode::BadBitmap:
        return QStringLiteral("thumbnail of %1 is not a readable BMP").arg(album);
    case ErrorCode::BadVariantTag:
        return QStringLiteral("date of %1 has an unknown type tag").arg(album);
    default:
        break;
    }
    return e.detail;
}

QString jsonBool(bool b)
{
    return b ? QStringLiteral("true") : QStringLiteral("false");
}

QString jsonDate(const DateVariant& d)
{
    const std::optional<QDateTime> dt = d.toDateTime();
    return dt ? jsonString(dt->toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")))
              : QStringLiteral("null");
}

void printJson(const QString& path, const ContainerFile& file)
{
    const ContainerDocument& doc = file.document();
    QTextStream& o = out();
    o << "{\"file\": " << jsonString(path) << ", \"version\": " << jsonString(doc.version)
      << ", \"password\": " << jsonBool(hasPassword(doc.password))
      << ", \"album_count\": " << doc.albums.size() << ", \"cell_size\": " << doc.cellSize
      << ", \"albums\": [";
    for (int i = 0; i < doc.albums.size(); ++i) {
        const AlbumEntry& a = doc.albums.at(i);
        const bool isText = a.fileDate.kind == DateVariant::Kind::Text;
        o << (i ? ", " : "") << "{\"index\": " << i << ", \"name\": " << jsonString(a.fileName)
          << ", \"hidden\": " << jsonBool(a.isHidden())
          << ", \"comment\": " << jsonString(a.comment)
          << ", \"thumb_width\": " << pairHigh(a.thumbSize)
          << ", \"thumb_height\": " << pairLow(a.thumbSize)
          << ", \"thumbnail_width\": " << file.record(i).width
          << ", \"thumbnail_height\": " << file.record(i).height
          << ", \"size\": " << storedSizeBytes(a.fileSize) << ", \"date\": " << jsonDate(a.fileDate)
          << ", \"date_text\": " << (isText ? jsonString(a.fileDate.text) : QStringLiteral("null"))
          << "}";
    }
    o << "], \"album_folder\": "
      << (doc.albumFolder ? jsonString(*doc.albumFolder) : QStringLiteral("null")) << "}\n";
}

void printText(const QString& path, const ContainerFile& file)
{
    const ContainerDocument& doc = file.document();
    QTextStream& o = out();
    const auto hidden = std::count_if(doc.albums.begin(), doc.albums.end(),
                                      [](const AlbumEntry& a) { return a.isHidden(); });
    o << "File: " << printable(path) << "\n"
      << "Version: " << printable(doc.version) << "\n"
      << "Password: " << (hasPassword(doc.password) ? "yes" : "no") << "\n"
      << "Albums: " << doc.albums.size() << " (" << hidden << " hidden)\n"
      << "Cell size: " << doc.cellSize << "\n"
      << "Album folder: "
      << (doc.albumFolder ? printable(*doc.albumFolder) : QStringLiteral("(not stored)")) << "\n";
    for (int i = 0; i < doc.albums.size(); ++i) {
        const AlbumEntry& a = doc.albums.at(i);
        o << i << "\t" << printable(a.fileName) << "\t" << printable(a.comment) << "\t"
          << file.record(i).width << "x" << file.record(i).height << " of " << pairHigh(a.thumbSize)
          << "x" << pairLow(a.thumbSize) << "\t" << sizeTextKB(storedSizeBytes(a.fileSize)) << "\t"
          << printable(a.fileDate.displayText()) << "\n";
    }
}

int runContainerInfo(const QStringList& args)
{
    bool json = false;
    QStringList files;
    for (const QString& a : args) {
        if (a == QLatin1String("--json"))
            json = true;
        else
            files.append(a);
    }
    if (files.size() != 1 || files.first().startsWith(QLatin1String("--")))
        return fail(kUsage, QStringLiteral("usage: container-info [--json] FILE"));
    const QString& path = files.first();
    ContainerResult<std::shared_ptr<ContainerFile>> file = ContainerFile::open(path);
    if (!file)
        return failContainer(file.error(), path);
    // Every thumbnail is decoded, so a record that no reader can show makes
    // the file invalid here as well.
    if (std::optional<ContainerError> failure = decodeEveryThumbnail(*file))
        return failContainer(*failure, path);
    if (json)
        printJson(path, **file);
    else
        printText(path, **file);
    return kDone;
}

int runThumbnailExport(const QStringList& args)
{
    if (args.size() != 3)
        return fail(kUsage, QStringLiteral("usage: thumbnail-export FILE INDEX OUT.png|.bmp|.jpg"));
    const QString& path = args.at(0);
    bool ok = false;
    const int index = args.at(1).toInt(&ok);
    if (!ok || index < 0)
        return fail(kUsage, QStringLiteral("not an album index: %1").arg(args.at(1)));
    const QString& target = args.at(2);
    const QString suffix = QFileInfo(target).suffix().toLower();
    const QByteArray format = suffix == QLatin1String("png")   ? "PNG"
                              : suffix == QLatin1String("bmp") ? "BMP"
                              : (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
                                  ? "JPG"
                                  : "";
    if (format.isEmpty())
        return fail(kUsage,
                    QStringLiteral("output must end in .png, .bmp or .jpg: %1").arg(target));

    ContainerResult<std::shared_ptr<ContainerFile>> file = ContainerFile::open(path);
    if (!file)
        return failContainer(file.error(), path);
    if (index >= (*file)->count())
        return fail(kUsage, QStringLiteral("no album %1 in %2 (it holds %3)")
                                .arg(index)
                                .arg(path)
                                .arg((*file)->count()));

    QByteArray encoded;
    if (format == "BMP") {
        // The stored BMP file itself, byte for byte.
        ContainerResult<QByteArray> bytes = (*file)->recordBytes(index);
        if (!bytes)
            return failContainer(bytes.error(), path);
        encoded = std::move(*bytes);
    } else {
        ContainerResult<QImage> image = (*file)->decodeRecord(index);
        if (!image)
            return failContainer(image.error(), path);
        QBuffer buffer(&encoded);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, format);
        // Written from 32-bit pixels, as the program's other pictures are
        // exported, whatever form the decoder holds thumbnails in.
        if (!writer.write(image->convertToFormat(QImage::Format_RGB32)))
            return fail(kFileError,
                        QStringLiteral("cannot write %1: %2").arg(target, writer.errorString()));
    }
    QString reason;
    if (!writeFileAtomically(target, encoded, &reason))
        return fail(kFileError, QStringLiteral("cannot write %1: %2").arg(target, reason));
    return kDone;
}

} // namespace

int failContainer(const ContainerError& e, const QString& path)
{
    switch (e.code) {
    case ErrorCode::FileMissing:
        return fail(kFileError, QStringLiteral("no such file: %1").arg(path));
    case ErrorCode::FileUnreadable:
        return fail(kFileError, QStringLiteral("cannot read %1: %2").arg(path, e.detail));
    default:
        break;
    }
    QString reason = reasonText(e);
    if (e.offset >= 0)
        reason += QStringLiteral(", at byte %1").arg(e.offset);
    return fail(kInvalidFile,
                QStringLiteral("not a valid container file (%1): %2").arg(reason, path));
}

Command containerInfoCommand()
{
    return {"container-info", "[--json] FILE",
            "Shows a container's header and albums (no password needed).", &runContainerInfo};
}

Command thumbnailExportCommand()
{
    return {"thumbnail-export", "FILE INDEX OUT.png|.bmp|.jpg",
            "Writes the thumbnail of album INDEX (from 0); .bmp is the stored file itself.",
            &runThumbnailExport};
}

} // namespace quorbell::cli
