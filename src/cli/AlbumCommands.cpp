#include "cli/AlbumCommands.h"

#include "album/AlbumFileReader.h"
#include "album/ExifReader.h"
#include "album/PhotoDecoder.h"
#include "cli/HeldStopSignals.h"
#include "core/FileIO.h"
#include "core/PasswordForm.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

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

// `stem` shortened until stem + tail is at most 255 bytes in UTF-8, the
// longest file name the file systems take.
QString withinNameLimit(QString stem, const QString& tail)
{
    while (!stem.isEmpty() && (stem + tail).toUtf8().size() > 255) {
        stem.chop(1);
        if (!stem.isEmpty() && stem.back().isHighSurrogate())
            stem.chop(1);
    }
    return stem + tail;
}

// A name that does not exist in `dir` yet: the name itself, else
// "stem_2.suffix", "stem_3.suffix", ...
QString freeName(const QDir& dir, const QString& name)
{
    auto taken = [&dir](const QString& n) {
        const QFileInfo info(dir.filePath(n));
        return info.exists() || info.isSymLink();
    };
    if (!taken(name))
        return name;
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const bool hasSuffix = dot > 0 && name.size() - dot <= 16;
    const QString stem = hasSuffix ? name.left(dot) : name;
    const QString suffix = hasSuffix ? name.mid(dot) : QString();
    for (int n = 2;; ++n) {
        QString candidate = withinNameLimit(stem, QLatin1Char('_') + QString::number(n) + suffix);
        if (!taken(candidate))
            return candidate;
    }
}

// The missing folders of `path` made one by one, outermost first; `made`
// lists those made, so that a failure can take them away again.
bool makeFolders(const QString& path, QStringList& made)
{
    QStringList missing;
    for (QString p = QDir::cleanPath(QDir(path).absolutePath()); !QFileInfo::exists(p);
         p = QFileInfo(p).path())
        missing.prepend(p);
    for (const QString& folder : std::as_const(missing)) {
        if (!QDir().mkdir(folder))
            return false;
        made << folder;
    }
    return true;
}

// Every photo is read and written under a private folder in `dir` first;
// only when all of them are there are they moved to their names. The private
// folder goes away on return; `written` lists the photos moved so far. A stop
// signal that came is looked for before each step and ends the work with
// `stoppedBy` set.
int extractPhotos(album::AlbumFileReader& reader, const QString& path, const QDir& dir,
                  const HeldStopSignals& stopSignals, QStringList& written, int& stoppedBy)
{
    const QString cannotWrite = QStringLiteral("%1: cannot write in the folder").arg(dir.path());
    QTemporaryDir staging(dir.filePath(QStringLiteral(".quorbell-extract-XXXXXX")));
    if (!staging.isValid())
        return fail(kFileError, cannotWrite);
    auto stopped = [&] { return (stoppedBy = stopSignals.pending()) != 0; };
    const QList<album::AlbumPhoto>& photos = reader.table().photos;
    for (int i = 0; i < photos.size(); ++i) {
        if (stopped())
            return kFileError;
        const album::AlbumResult<QByteArray> bytes = reader.photoBytes(i);
        if (!bytes)
            return albumFailure(path, bytes.failure());
        QFile f(staging.filePath(QString::number(i)));
        if (!f.open(QIODevice::WriteOnly))
            return fail(kFileError, cannotWrite + QStringLiteral(": ") + f.errorString());
        if (f.write(*bytes) != bytes->size() || !f.flush())
            return fail(kFileError, cannotWrite + QStringLiteral(": ") + writeFailureReason(f));
    }
    for (int i = 0; i < photos.size(); ++i) {
        if (stopped())
            return kFileError;
        const QString target = dir.filePath(freeName(dir, safePhotoFileName(photos.at(i).name)));
        if (!QFile::rename(staging.filePath(QString::number(i)), target))
            return fail(kFileError, cannotWrite);
        written << target;
    }
    return stopped() ? kFileError : kDone;
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

    const QFileInfo dirInfo(dirPath);
    if (dirInfo.exists() && !dirInfo.isDir())
        return fail(kFileError, QStringLiteral("%1: not a folder").arg(dirPath));
    // From the first folder made to the last photo moved, a stop signal waits
    // until what was made is taken away again; it goes last, so it lets the
    // signal through only after that.
    const HeldStopSignals stopSignals;
    QStringList madeFolders, written;
    int stoppedBy = 0;
    int status = kDone;
    if (!makeFolders(dirPath, madeFolders))
        status = fail(kFileError, QStringLiteral("%1: folder cannot be made").arg(dirPath));
    else
        status = extractPhotos(reader, path, QDir(dirPath), stopSignals, written, stoppedBy);
    if (status != kDone) {
        // A failure or a signal leaves the folder as it was found.
        for (const QString& f : std::as_const(written))
            QFile::remove(f);
        for (auto folder = madeFolders.crbegin(); folder != madeFolders.crend(); ++folder)
            QDir().rmdir(*folder);
        // Should the signal not end the process when let through, its usual status.
        return stoppedBy ? 128 + stoppedBy : status;
    }
    for (const QString& f : std::as_const(written))
        out() << printable(f) << "\n";
    return kDone;
}

} // namespace

QString safePhotoFileName(const QString& stored)
{
    QString name;
    for (const QChar c : stored) {
        const bool unsafe = c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 0x20 ||
                            c.unicode() == 0x7F;
        name += unsafe ? QLatin1Char('_') : c;
    }
    // No ".." anywhere, so no name can climb out of the folder or stand for it.
    while (name.contains(QLatin1String("..")))
        name.replace(QLatin1String(".."), QLatin1String("._"));
    if (name.isEmpty() || name == QLatin1String("."))
        name = QStringLiteral("_") + name;
    if (name.toUtf8().size() > 255) {
        const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
        const QString suffix = dot > 0 && name.size() - dot <= 16 ? name.mid(dot) : QString();
        name = withinNameLimit(name.left(name.size() - suffix.size()), suffix);
    }
    return name;
}

const Command kAlbumInfoCommand = {
    "album-info", "[--json] FILE",
    "prints the photo table of an album file (names, sizes, positions, lengths)", runInfo};
const Command kAlbumExtractCommand = {
    "album-extract", "[--password TEXT] FILE DIR",
    "writes every photo's stored image bytes to DIR under its own name", runExtract};

} // namespace quorbell::cli
