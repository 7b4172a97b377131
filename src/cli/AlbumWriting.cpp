#include "cli/AlbumWriting.h"

#include "album/AlbumWriter.h"
#include "cli/AlbumCommands.h"
#include "cli/CliCommon.h"
#include "cli/HeldStopSignals.h"
#include "core/FileIO.h"
#include "core/PasswordForm.h"

#include <QFile>
#include <QFileInfo>

namespace quorbell::cli {

int readPhotoFile(const QString& path, album::AlbumEntry& entry)
{
    QFile f;
    if (const OpenResult opened = openRegularFile(f, path); opened != OpenResult::Opened)
        return albumFailure(path, {album::albumError(opened)});
    const QByteArray bytes = f.readAll();
    if (bytes.size() != f.size())
        return fail(kFileError, QStringLiteral("%1: cannot be read").arg(path));
    album::AlbumWriteError error = album::AlbumWriteError::None;
    std::optional<album::AlbumEntry> made =
        album::newPhotoEntry(QFileInfo(path).fileName(), bytes, &error);
    if (made) {
        entry = std::move(*made);
        return kDone;
    }
    switch (error) {
    case album::AlbumWriteError::NameNotStorable:
        return fail(kUsage,
                    QStringLiteral("%1: the name cannot be stored in code page 932").arg(path));
    case album::AlbumWriteError::PixelSizeTooLarge:
        return fail(kInvalidFile,
                    QStringLiteral("%1: wider or higher than 65535 pixels").arg(path));
    default:
        return fail(kInvalidFile, QStringLiteral("%1: not a BMP, JPEG or GIF image").arg(path));
    }
}

std::optional<QString> newPasswordProblem(const QString& text)
{
    if (text.size() > kPasswordLength || !isValidPasswordText(text))
        return QStringLiteral("a password is at most 8 one-byte characters");
    return std::nullopt;
}

int writeAlbum(const QString& path, const album::AlbumContents& contents)
{
    album::AlbumWriteProblem problem;
    const std::optional<album::BuiltAlbum> built = album::buildAlbum(contents, &problem);
    if (!built) {
        switch (problem.error) {
        case album::AlbumWriteError::TooManyPhotos:
            return fail(kUsage,
                        QStringLiteral("%1: an album holds at most 32767 photos").arg(path));
        case album::AlbumWriteError::TooLarge:
            return fail(kUsage, QStringLiteral("%1: the album would exceed 2 GB").arg(path));
        default:
            return fail(kUsage, QStringLiteral("%1: the album cannot be made (photo %2)")
                                    .arg(path, QString::number(problem.photoIndex)));
        }
    }
    if (QFileInfo(path).isDir())
        return fail(kFileError, QStringLiteral("%1: is a folder").arg(path));
    QString reason;
    bool written = false;
    {
        // A signal during the write would leave the temporary file behind.
        const HeldStopSignals stopSignals;
        written = writeFileAtomically(path, built->bytes, &reason);
    }
    if (!written)
        return fail(kFileError, QStringLiteral("%1: cannot be written: %2").arg(path, reason));
    return kDone;
}

} // namespace quorbell::cli
