// What album-make and album-edit share: image files read into album entries,
// new passwords checked, and the album written in place, each failure told
// in one line with its exit status.
#pragma once

#include "album/AlbumContents.h"

#include <QString>

#include <optional>

namespace quorbell::cli {

// The image file at `path` as a new album entry named by its file name.
// kDone, or the status of the failure already reported.
int readPhotoFile(const QString& path, album::AlbumEntry& entry);

// Why `text` cannot be a new album password; nothing when it can: at most 8
// characters, each with a one-byte code page 932 code (no such code is 0xFF,
// so no password stores as the two zero bytes of "no password").
std::optional<QString> newPasswordProblem(const QString& text);

// Writes the album to `path` through a temporary file renamed over it, so a
// failure leaves the old file as it was. Stop signals wait until the file is
// in place or the temporary file is gone. kDone, or the failure's status.
int writeAlbum(const QString& path, const album::AlbumContents& contents);

} // namespace quorbell::cli
