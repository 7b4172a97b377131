#include "cli/ContainerMakeCommands.h"

#include "album/AlbumFileReader.h"
#include "cli/ContainerCommands.h"
#include "container/ContainerFile.h"
#include "container/ContainerFromAlbums.h"
#include "container/ContainerReader.h"
#include "container/ContainerWriter.h"
#include "core/AlbumEntry.h"
#include "core/PasswordForm.h"
#include "core/TextRules.h"
#include "dialogs/AlbumList.h"

#include <QDir>
#include <QFileInfo>

using namespace quorbell::container;

namespace quorbell::cli {
namespace {

const Command& makeCommand();
const Command& verifyCommand();
const Command& listCommand();

// The folder as the file system knows it (links resolved), for comparing two
// folders; the cleaned absolute path when it does not exist.
QString comparableFolder(const QString& folder)
{
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(QDir(folder).absolutePath()) : canonical;
}

// True when both paths name one existing file.
bool sameExistingFile(const QString& a, const QString& b)
{
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

QString albumReason(album::AlbumFailure f)
{
    QString reason = QString::fromLatin1(album::errorName(f.error));
    if (f.offset >= 0)
        reason += QStringLiteral(" at byte %1").arg(f.offset);
    return reason;
}

void warn(const QString& message)
{
    out().flush();
    err() << "quorbell-cli: warning: " << printable(message) << Qt::endl;
}

// Refuses a document the writer cannot store without loss, naming the album.
int refuseDocument(const ContainerError& e, const QStringList& albums)
{
    const QString which =
        e.index >= 0 && e.index < albums.size() ? albums.at(e.index) : QStringLiteral("container");
    const QString what =
        e.section == Section::Comments ? QStringLiteral("comment") : QStringLiteral("name");
    switch (e.code) {
    case ErrorCode::UnencodableText:
        return fail(kUsage,
                    QStringLiteral("%1: the %2 cannot be stored in code page 932 (\"%3\" has no "
                                   "form there)")
                        .arg(which, what, e.detail));
    case ErrorCode::TextTooLong:
        return fail(kUsage,
                    QStringLiteral("%1: the %2 is longer than 65535 bytes").arg(which, what));
    default:
        break;
    }
    return fail(kUsage, QStringLiteral("%1: the container cannot store this album").arg(which));
}

int runContainerMake(const QStringList& args)
{
    const Command& c = makeCommand();
    const ParsedArgs p =
        parseArgs(args, {}, {QStringLiteral("--size"), QStringLiteral("--password")});
    if (!p.problem.isEmpty())
        return usage(c, p.problem);
    if (p.positional.size() < 2)
        return usage(c, QStringLiteral("an output file and at least one album expected"));
    const QString& outPath = p.positional.constFirst();
    const QStringList albums = p.positional.mid(1);
    if (albums.size() > kMaxAlbums)
        return usage(c, QStringLiteral("at most %1 albums").arg(kMaxAlbums));

    int cellSize = 80;
    if (const std::optional<QString> size = lastOption(p, QStringLiteral("--size"))) {
        bool ok = false;
        cellSize = size->toInt(&ok);
        if (!ok || !isValidCellSize(cellSize))
            return usage(c, QStringLiteral("--size takes 60, 70, 80, 90, 100, 110 or 120"));
    }
    PasswordBytes password = kNoPassword;
    if (const std::optional<QString> text = lastOption(p, QStringLiteral("--password"))) {
        // As in the save dialog's prompt: 1 to 8 characters, each with a
        // one-byte code, the only ones the stored form can hold.
        if (text->isEmpty() || text->size() > kPasswordLength || !isValidPasswordText(*text))
            return usage(c, QStringLiteral("a password is 1 to 8 one-byte characters"));
        password = storedPasswordForm(*text);
    }

    // A grid holds the albums of one folder; the container records it.
    const QString albumFolder = QFileInfo(albums.constFirst()).absolutePath();
    QStringList names;
    for (const QString& a : albums) {
        const QFileInfo info(a);
        if (comparableFolder(info.absolutePath()) != comparableFolder(albumFolder))
            return usage(c, QStringLiteral("all albums must be in one folder"));
        // A leading "*" marks a hidden entry, whose file is looked for
        // without it: such a file could never be found again.
        if (info.fileName().startsWith(QLatin1Char('*')))
            return usage(c, QStringLiteral("%1: an album name must not start with \"*\"").arg(a));
        if (sameExistingFile(a, outPath))
            return usage(c, QStringLiteral("%1: the container would replace an album").arg(a));
        names << info.fileName();
    }
    if (QFileInfo(outPath).isDir())
        return fail(kFileError, QStringLiteral("%1: is a folder").arg(outPath));

    ContainerFromAlbums made = makeContainerFromAlbums(albumFolder, names, cellSize, password);
    for (int i = 0; i < albums.size(); ++i) {
        const album::AlbumFailure f = made.outcomes.at(i).failure;
        switch (f.error) {
        case album::AlbumError::Missing:
            return fail(kFileError, QStringLiteral("%1: no such file").arg(albums.at(i)));
        case album::AlbumError::NotAFile:
            return fail(kFileError, QStringLiteral("%1: not a regular file").arg(albums.at(i)));
        case album::AlbumError::Unreadable:
            return fail(kFileError, QStringLiteral("%1: cannot be read").arg(albums.at(i)));
        case album::AlbumError::BadHeader:
            // The grid stops loading at such a file, so nothing is saved.
            return fail(kInvalidFile, QStringLiteral("%1: not an album file").arg(albums.at(i)));
        default:
            break;
        }
    }
    if (std::optional<ContainerError> e = checkContainer(made.document))
        return refuseDocument(*e, albums);

    for (int i = 0; i < albums.size(); ++i) {
        const album::AlbumFailure f = made.outcomes.at(i).failure;
        if (f.error != album::AlbumError::None)
            warn(QStringLiteral("%1: stored without a thumbnail, the album cannot be read (%2)")
                     .arg(albums.at(i), albumReason(f)));
    }
    const QString outFolder = QFileInfo(outPath).absolutePath();
    if (comparableFolder(outFolder) != comparableFolder(albumFolder)) {
        // The program looks for the albums beside the container.
        warn(QStringLiteral("the albums are in %1 but the container goes to %2; a slideshow "
                            "needs them in the container's folder")
                 .arg(albumFolder, outFolder));
    }

    if (std::optional<ContainerError> e = writeContainer(outPath, made.document))
        return fail(kFileError, QStringLiteral("cannot write %1: %2").arg(outPath, e->detail));
    return kDone;
}

int runContainerVerify(const QStringList& args)
{
    const Command& c = verifyCommand();
    const ParsedArgs p = parseArgs(args, {}, {});
    if (!p.problem.isEmpty())
        return usage(c, p.problem);
    if (p.positional.size() != 1)
        return usage(c, QStringLiteral("one container file expected"));
    const QString& path = p.positional.constFirst();
    ContainerResult<std::shared_ptr<ContainerFile>> file = ContainerFile::open(path);
    if (!file)
        return failContainer(file.error(), path);
    if (std::optional<ContainerError> e = decodeEveryThumbnail(*file))
        return failContainer(*e, path);

    const QString folder = QFileInfo(path).absolutePath() + QLatin1Char('/');
    const QList<AlbumEntry>& entries = (*file)->document().albums;
    int problems = 0;
    for (int i = 0; i < entries.size(); ++i) {
        const QString& name = entries.at(i).fileName;
        const album::AlbumResult<album::AlbumTable> table =
            album::readAlbumTable(folder + withoutHiddenMark(name));
        if (table)
            continue;
        ++problems;
        const album::AlbumFailure f = table.failure();
        QString line = QStringLiteral("%1\t").arg(i);
        switch (f.error) {
        case album::AlbumError::Missing:
            line += QStringLiteral("missing\t") + printable(name);
            break;
        case album::AlbumError::Unreadable:
            line += QStringLiteral("unreadable\t") + printable(name);
            break;
        default:
            line += QStringLiteral("bad\t") + printable(name) + QLatin1Char('\t') + albumReason(f);
            break;
        }
        out() << line << "\n";
    }
    return problems ? kFileError : kDone;
}

int runList(const QStringList& args)
{
    const Command& c = listCommand();
    const ParsedArgs p = parseArgs(args, {}, {QStringLiteral("--output")});
    if (!p.problem.isEmpty())
        return usage(c, p.problem);
    if (p.positional.size() != 1)
        return usage(c, QStringLiteral("one container file expected"));
    const QString& path = p.positional.constFirst();
    const std::optional<QString> target = lastOption(p, QStringLiteral("--output"));
    if (target && (target->isEmpty() || sameExistingFile(*target, path)))
        return usage(c, QStringLiteral("--output needs a text file other than the container"));

    // The list needs the tables only; the thumbnails are not decoded.
    ContainerResult<std::shared_ptr<ContainerFile>> file = ContainerFile::open(path);
    if (!file)
        return failContainer(file.error(), path);
    const QList<AlbumEntry>& albums = (*file)->document().albums;
    if (!target) {
        // The file keeps the text as it is; the terminal gets its control
        // characters shown, with the columns lined up on what is shown.
        QList<AlbumListRow> rows = albumListRowsBesideContainer(albums, path);
        for (AlbumListRow& r : rows) {
            for (QString* field : {&r.albumName, &r.comment, &r.type, &r.date})
                *field = printable(*field);
        }
        out() << albumListText(rows);
        return kDone;
    }
    const QString text = albumListTextBesideContainer(albums, path);
    if (QFileInfo(*target).isDir())
        return fail(kFileError, QStringLiteral("%1: is a folder").arg(*target));
    QString reason;
    if (!writeAlbumListFile(*target, text, &reason))
        return fail(kFileError, QStringLiteral("cannot write %1: %2").arg(*target, reason));
    return kDone;
}

const Command& makeCommand()
{
    static const Command c = {
        "container-make", "OUT ALBUM... [--size 60|70|80|90|100|110|120] [--password TEXT]",
        "Writes a container from album files of one folder, as New and Save As would.",
        &runContainerMake};
    return c;
}

const Command& verifyCommand()
{
    static const Command c = {
        "container-verify", "FILE",
        "Lists the albums beside a container that are missing or unreadable (status 1 if any).",
        &runContainerVerify};
    return c;
}

const Command& listCommand()
{
    static const Command c = {
        "list", "FILE.cov [--output FILE.txt]",
        "Prints a container's album list in UTF-8, or writes it as Shift-JIS text with CR LF.",
        &runList};
    return c;
}

} // namespace

Command containerMakeCommand()
{
    return makeCommand();
}

Command containerVerifyCommand()
{
    return verifyCommand();
}

Command albumListCommand()
{
    return listCommand();
}

} // namespace quorbell::cli
