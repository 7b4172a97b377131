#include "cli/AlbumCommands.h"

#include "AlbumMaker.h"
#include "album/AlbumFileReader.h"
#include "core/FileIO.h"
#include "core/PasswordForm.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <limits>
#include <optional>

namespace quorbell::cli {
namespace {

using album::AlbumError;
using album::AlbumFailure;

// Exit status and one line for a failure to read an album file.
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

int runInfo(const QStringList& args)
{
    const ParsedArgs p = parseArgs(args, {QStringLiteral("--json")}, {});
    if (!p.problem.isEmpty())
        return usage(kAlbumInfoCommand, p.problem);
    if (p.positional.size() != 1)
        return usage(kAlbumInfoCommand, QStringLiteral("one album file expected"));
    const QString& path = p.positional.constFirst();
    const album::AlbumResult<album::AlbumTable> table = album::readAlbumTable(path);
    if (!table)
        return albumFailure(path, table.failure());
    const album::AlbumTable& t = *table;

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
                                "\"height\": %5, \"position\": %6, \"length\": %7}")
                     .arg(i)
                     .arg(jsonString(ph.name), QLatin1String(ph.isHidden() ? "true" : "false"))
                     .arg(ph.width())
                     .arg(ph.height())
                     .arg(ph.position)
                     .arg(ph.length);
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
    out() << "File:         " << path << "\n"
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
                     .arg(ph.name, ph.isHidden() ? QStringLiteral("  (hidden)") : QString());
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

// Every photo is read and written under a private folder in `dir` first;
// only when all of them are there are they moved to their names. The private
// folder goes away on return; `written` lists the photos moved so far.
int extractPhotos(album::AlbumFileReader& reader, const QString& path, const QDir& dir,
                  QStringList& written)
{
    const QString cannotWrite = QStringLiteral("%1: cannot write in the folder").arg(dir.path());
    QTemporaryDir staging(dir.filePath(QStringLiteral(".quorbell-extract-XXXXXX")));
    if (!staging.isValid())
        return fail(kFileError, cannotWrite);
    const QList<album::AlbumPhoto>& photos = reader.table().photos;
    for (int i = 0; i < photos.size(); ++i) {
        const album::AlbumResult<QByteArray> bytes = reader.photoBytes(i);
        if (!bytes)
            return albumFailure(path, bytes.failure());
        QFile f(staging.filePath(QString::number(i)));
        if (!f.open(QIODevice::WriteOnly) || f.write(*bytes) != bytes->size() || !f.flush())
            return fail(kFileError, cannotWrite);
    }
    for (int i = 0; i < photos.size(); ++i) {
        const QString target = dir.filePath(freeName(dir, safePhotoFileName(photos.at(i).name)));
        if (!QFile::rename(staging.filePath(QString::number(i)), target))
            return fail(kFileError, cannotWrite);
        written << target;
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

    const QFileInfo dirInfo(dirPath);
    bool createdDir = false;
    if (dirInfo.exists() && !dirInfo.isDir())
        return fail(kFileError, QStringLiteral("%1: not a folder").arg(dirPath));
    if (!dirInfo.exists()) {
        if (!QDir().mkpath(dirPath))
            return fail(kFileError, QStringLiteral("%1: folder cannot be made").arg(dirPath));
        createdDir = true;
    }
    const QDir dir(dirPath);
    QStringList written;
    const int status = extractPhotos(reader, path, dir, written);
    if (status != kDone) {
        // A failure leaves the folder as it was found.
        for (const QString& f : std::as_const(written))
            QFile::remove(f);
        if (createdDir)
            QDir().rmdir(dirPath);
        return status;
    }
    for (const QString& f : std::as_const(written))
        out() << f << "\n";
    return kDone;
}

int runMake(const QStringList& args)
{
    const ParsedArgs p = parseArgs(args, {},
                                   {QStringLiteral("--password"), QStringLiteral("--hidden"),
                                    QStringLiteral("--header-tail"), QStringLiteral("--unused")});
    if (!p.problem.isEmpty())
        return usage(kAlbumMakeCommand, p.problem);
    if (p.positional.size() < 2)
        return usage(kAlbumMakeCommand,
                     QStringLiteral("an output file and at least one photo expected"));
    const QString& outPath = p.positional.constFirst();
    const QStringList photos = p.positional.mid(1);
    if (photos.size() > std::numeric_limits<qint16>::max())
        return usage(kAlbumMakeCommand, QStringLiteral("at most 32767 photos"));

    tools::AlbumSpec albumSpec;
    QList<bool> hidden(photos.size(), false);
    for (const auto& [name, value] : p.options) {
        if (name == QLatin1String("--password")) {
            if (value.size() > kPasswordLength || !isValidPasswordText(value))
                return usage(kAlbumMakeCommand,
                             QStringLiteral("a password is at most 8 one-byte characters"));
            albumSpec.password = storedPasswordForm(value);
        } else if (name == QLatin1String("--hidden")) {
            bool ok = false;
            const int n = value.toInt(&ok);
            if (!ok || n < 0 || n >= photos.size())
                return usage(kAlbumMakeCommand,
                             QStringLiteral("--hidden takes a photo index from 0 to %1")
                                 .arg(photos.size() - 1));
            hidden[n] = true;
        } else if (name == QLatin1String("--header-tail")) {
            const QByteArray tail = value.toLatin1();
            if (tail.size() != 4 || value.size() != 4)
                return usage(kAlbumMakeCommand, QStringLiteral("--header-tail takes 4 characters"));
            albumSpec.headerTail = tail;
        } else if (name == QLatin1String("--unused")) {
            bool ok = false;
            const int v = value.toInt(&ok);
            if (!ok || v < std::numeric_limits<qint16>::min() ||
                v > std::numeric_limits<qint16>::max())
                return usage(kAlbumMakeCommand, QStringLiteral("--unused takes a 16-bit value"));
            albumSpec.unusedValue = qint16(v);
        }
    }

    for (int i = 0; i < photos.size(); ++i) {
        const QString& photoPath = photos.at(i);
        QFile f;
        if (const OpenResult opened = openRegularFile(f, photoPath); opened != OpenResult::Opened)
            return albumFailure(photoPath, {album::albumError(opened)});
        const QByteArray bytes = f.readAll();
        if (bytes.size() != f.size())
            return fail(kFileError, QStringLiteral("%1: cannot be read").arg(photoPath));
        std::optional<tools::AlbumPhotoSource> photo =
            tools::photoFromBytes(QFileInfo(photoPath).fileName(), bytes);
        if (!photo)
            return fail(kInvalidFile,
                        QStringLiteral("%1: not a BMP, JPEG or GIF image").arg(photoPath));
        photo->hidden = hidden.at(i);
        albumSpec.photos.append(std::move(*photo));
    }

    tools::AlbumMakeProblem problem;
    const std::optional<tools::BuiltAlbum> built = tools::buildAlbum(albumSpec, &problem);
    if (!built) {
        const QString which = problem.photoIndex >= 0 ? photos.at(problem.photoIndex) : outPath;
        switch (problem.error) {
        case tools::AlbumMakeError::NameNotStorable:
            return fail(
                kUsage,
                QStringLiteral("%1: the name cannot be stored in code page 932").arg(which));
        case tools::AlbumMakeError::TooLarge:
            return fail(kUsage, QStringLiteral("%1: the album would exceed 2 GB").arg(outPath));
        default:
            return fail(kUsage, QStringLiteral("%1: the album cannot be made").arg(which));
        }
    }
    if (QFileInfo(outPath).isDir())
        return fail(kFileError, QStringLiteral("%1: is a folder").arg(outPath));
    if (!writeFileAtomically(outPath, built->bytes))
        return fail(kFileError, QStringLiteral("%1: cannot be written").arg(outPath));
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
const Command kAlbumMakeCommand = {
    "album-make",
    "OUT PHOTO... [--password TEXT] [--hidden N]... [--header-tail XXXX] [--unused N]",
    "writes an album file from image files (--hidden N marks photo N, counted from 0)", runMake};

} // namespace quorbell::cli
