#include "cli/AlbumCommands.h"

#include "album/AlbumFileReader.h"
#include "album/ExifReader.h"
#include "album/PhotoDecoder.h"
#include "album/PhotoExport.h"
#include "cli/HeldStopSignals.h"
#include "core/PasswordForm.h"

#include <QDir>

#include <optional>

namespace quorbell::cli {

using album::AlbumError;
using album::AlbumFailure;

int albumFailure(const QString& path, AlbumFailure f)
{
    switch (f.error) {
    case AlbumError::Missing:
        return fail(kFileError, QStringLiteral("%1: no such file").arg(path));
    case AlbumError::NotAFile:
        return fail(kFileError, QStringLiteral("%1: not a regular file").arg(path));
    case AlbumError::Unreadable:
        return fail(kFileError, QStringLiteral("%1: cannot be read").arg(path));
    default:
        break;
    }
    QString where = f.offset >= 0 ? QStringLiteral(" at byte %1").arg(f.offset) : QString();
    return fail(kInvalidFile,
                QStringLiteral("%1: not a valid album file (%2%3)")
                    .arg(path, QString::fromLatin1(album::errorName(f.error)), where));
}

namespace {

int runInfo(const QStringList& args)
{
    const ParsedArgs p = parseArgs(args, {QStringLiteral("--json")}, {});
    if (!p.problem.isEmpty())
        return usage(kAlbumInfoCommand, p.problem);
    if (p.positional.size() != 1)
        return usage(kAlbumInfoCommand, QStringLiteral("one album file expected"));
    const QString& path = p.positional.constFirst();
    album::AlbumFileReader reader;
    if (const AlbumFailure opened = reader.open(path); opened.error != AlbumError::None)
        return albumFailure(path, opened);
    const album::AlbumTable& t = reader.table();

    if (lastOption(p, QStringLiteral("--json"))) {
        QString s =
            QStringLiteral("{\"file\": %1, \"password\": %2, \"photo_count\": %3, \"photos\": [")
                .arg(jsonString(path), QLatin1String(t.hasPassword() ? "true" : "false"))
                .arg(t.photoCount());
        for (int i = 0; i < t.photos.size(); ++i) {
            const album::AlbumPhoto& ph = t.photos.at(i);
            if (i > 0)
                s += QStringLiteral(", ");
            s += QStringLiteral("{\"index\": %1, \"name\": %2, \"hidden\": %3, \"width\": %4, "
                                "\"height\": %5, \"position\": %6, \"length\": %7")
                     .arg(i)
                     .arg(jsonString(ph.name), QLatin1String(ph.isHidden() ? "true" : "false"))
                     .arg(ph.width())
                     .arg(ph.height())
                     .arg(ph.position)
                     .arg(ph.length);
            // A JPEG's EXIF orientation, from the first bytes of the photo.
            const album::AlbumResult<QByteArray> head = reader.photoHead(i, album::kExifHeadBytes);
            if (!head)
                return albumFailure(path, head.failure());
            if (album::sniffImageKind(*head) == album::ImageKind::Jpeg)
                s += QStringLiteral(", \"orientation\": %1")
                         .arg(album::readExifFacts(*head).orientation);
            s += QLatin1Char('}');
        }
        out() << s << "]}\n";
        return kDone;
    }

    QString tail;
    for (const char ch : t.header.mid(album::kAlbumMagicLength)) {
        tail += ch >= 0x20 && ch < 0x7F
                    ? QString(QLatin1Char(ch))
                    : QStringLiteral("\\x%1").arg(uchar(ch), 2, 16, QLatin1Char('0'));
    }
    out() << "File:         " << printable(path) << "\n"
          << "Header tail:  \"" << tail << "\"\n"
          << "Password:     " << (t.hasPassword() ? "yes" : "no") << "\n"
          << "Unused value: " << t.unusedValue << "\n"
          << "Photos:       " << t.photoCount() << "\n"
          << "  Index       Size    Position      Length  Name\n";
    for (int i = 0; i < t.photos.size(); ++i) {
        const album::AlbumPhoto& ph = t.photos.at(i);
        out() << QStringLiteral("  %1 %2 %3 %4  %5%6\n")
                     .arg(i, 5)
                     .arg(QStringLiteral("%1x%2").arg(ph.width()).arg(ph.height()), 10)
                     .arg(ph.position, 11)
                     .arg(ph.length, 11)
                     .arg(printable(ph.name),
                          ph.isHidden() ? QStringLiteral("  (hidden)") : QString());
    }
    return kDone;
}

int runExtract(const QStringList& args)
{
    const ParsedArgs p = parseArgs(args, {}, {QStringLiteral("--password")});
    if (!p.problem.isEmpty())
        return usage(kAlbumExtractCommand, p.problem);
    if (p.positional.size() != 2)
        return usage(kAlbumExtractCommand, QStringLiteral("an album file and a folder expected"));
    const QString& path = p.positional.at(0);
    const QString& dirPath = p.positional.at(1);
    const std::optional<QString> password = lastOption(p, QStringLiteral("--password"));

    album::AlbumFileReader reader;
    const AlbumFailure opened = reader.open(path);
    if (opened.error != AlbumError::None)
        return albumFailure(path, opened);
    const album::AlbumTable& t = reader.table();
    if (t.hasPassword()) {
        if (!password)
            return fail(kPasswordError, QStringLiteral("%1: password required").arg(path));
        // The stored form holds one-byte characters only: any other cannot match.
        if (!isValidPasswordText(*password) ||
            !passwordMatches(t.password, storedPasswordForm(*password)))
            return fail(kPasswordError, QStringLiteral("%1: wrong password").arg(path));
    }

    // From the first folder made to the last photo moved, a stop signal waits
    // until what was made is taken away again; it goes last, so it lets the
    // signal through only after that.
    const HeldStopSignals stopSignals;
    int stoppedBy = 0;
    const album::PhotoExportResult exported = album::exportPhotos(
        reader, dirPath, [&] { return (stoppedBy = stopSignals.pending()) != 0; });
    const QString cannotWrite =
        QStringLiteral("%1: cannot write in the folder").arg(QDir(dirPath).path());
    switch (exported.error) {
    case album::PhotoExportError::None:
        break;
    case album::PhotoExportError::Stopped:
        // Should the signal not end the process when let through, its usual status.
        return 128 + stoppedBy;
    case album::PhotoExportError::NotAFolder:
        return fail(kFileError, QStringLiteral("%1: not a folder").arg(dirPath));
    case album::PhotoExportError::FolderNotMade:
        return fail(kFileError, QStringLiteral("%1: folder cannot be made").arg(dirPath));
    case album::PhotoExportError::AlbumUnreadable:
        return albumFailure(path, exported.albumFailure);
    case album::PhotoExportError::CannotWrite:
        return fail(kFileError, exported.reason.isEmpty()
                                    ? cannotWrite
                                    : cannotWrite + QStringLiteral(": ") + exported.reason);
    }
    for (const QString& f : exported.written)
        out() << printable(f) << "\n";
    return kDone;
}

} // namespace

const Command kAlbumInfoCommand = {
    "album-info", "[--json] FILE",
    "prints the photo table of an album file (names, sizes, positions, lengths)", runInfo};
const Command kAlbumExtractCommand = {
    "album-extract", "[--password TEXT] FILE DIR",
    "writes every photo's stored image bytes to DIR under its own name", runExtract};

} // namespace quorbell::cli
