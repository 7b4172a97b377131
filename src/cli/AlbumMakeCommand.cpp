#include "cli/AlbumMakeCommand.h"

#include "cli/AlbumWriting.h"
#include "core/PasswordForm.h"

#include <limits>

namespace quorbell::cli {
namespace {

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

    album::AlbumContents contents;
    QList<bool> hidden(photos.size(), false);
    for (const auto& [name, value] : p.options) {
        if (name == QLatin1String("--password")) {
            if (const std::optional<QString> problem = newPasswordProblem(value))
                return usage(kAlbumMakeCommand, *problem);
            contents.password = storedPasswordForm(value);
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
            contents.headerTail = tail;
        } else if (name == QLatin1String("--unused")) {
            bool ok = false;
            const int v = value.toInt(&ok);
            if (!ok || v < std::numeric_limits<qint16>::min() ||
                v > std::numeric_limits<qint16>::max())
                return usage(kAlbumMakeCommand, QStringLiteral("--unused takes a 16-bit value"));
            contents.unusedValue = qint16(v);
        }
    }

    for (int i = 0; i < photos.size(); ++i) {
        album::AlbumEntry entry;
        if (const int status = readPhotoFile(photos.at(i), entry); status != kDone)
            return status;
        if (hidden.at(i) && !album::setHidden(entry, true))
            return fail(kUsage, QStringLiteral("%1: the name is too long").arg(photos.at(i)));
        contents.entries.append(std::move(entry));
    }
    return writeAlbum(outPath, contents);
}

} // namespace

const Command kAlbumMakeCommand = {
    "album-make",
    "OUT PHOTO... [--password TEXT] [--hidden N]... [--header-tail XXXX] [--unused N]",
    "writes an album file from image files (--hidden N marks photo N, counted from 0)", runMake};

} // namespace quorbell::cli
