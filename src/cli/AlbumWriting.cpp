#include "cli/AlbumWriting.h"

#include "album/AlbumSave.h"
#include "album/PhotoFile.h"
#include "cli/AlbumCommands.h"
#include "cli/CliCommon.h"
#include "cli/HeldStopSignals.h"
#include "core/FileIO.h"

namespace quorbell::cli {

int readPhotoFile(const QString& path, album::AlbumEntry& entry)
{
    album::PhotoFileResult read = album::readPhotoFile(path);
    if (read.opened != OpenResult::Opened)
        return albumFailure(path, {album::albumError(read.opened)});
    if (read.shortRead)
        return fail(kFileError, QStringLiteral("%1: cannot be read").arg(path));
    if (read.entry) {
        entry = std::move(*read.entry);
        return kDone;
    }
    switch (read.error) {
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
    if (!album::isStorableNewPassword(text))
        return QStringLiteral("a password is at most 8 one-byte characters");
    return std::nullopt;
}

int writeAlbum(const QString& path, const album::AlbumContents& contents)
{
    album::AlbumSaveResult saved;
    {
        // A signal during the write would leave the temporary file behind.
        const HeldStopSignals stopSignals;
        saved = album::saveAlbumFile(path, contents);
    }
    switch (saved.problem.error) {
    case album::AlbumWriteError::None:
        break;
    case album::AlbumWriteError::TooManyPhotos:
        return fail(kUsage, QStringLiteral("%1: an album holds at most 32767 photos").arg(path));
    case album::AlbumWriteError::TooLarge:
        return fail(kUsage, QStringLiteral("%1: the album would exceed 2 GB").arg(path));
    default:
        return fail(kUsage, QStringLiteral("%1: the album cannot be made (photo %2)")
                                .arg(path, QString::number(saved.problem.photoIndex)));
    }
    if (saved.targetIsFolder)
        return fail(kFileError, QStringLiteral("%1: is a folder").arg(path));
    if (!saved.ok())
        return fail(kFileError,
                    QStringLiteral("%1: cannot be written: %2").arg(path, saved.writeFailure));
    return kDone;
}

} // namespace quorbell::cli
