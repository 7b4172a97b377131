// An image file on disk read into a new album entry named by its file name:
// what album-make, album-edit and the album editor all do to add a photo.
#pragma once

#include "album/AlbumContents.h"
#include "core/FileIO.h"

#include <QString>

#include <optional>

namespace quorbell::album {

struct PhotoFileResult
{
    std::optional<AlbumEntry> entry;               // the new entry; nothing on failure
    OpenResult opened = OpenResult::Opened;        // Missing, NotAFile, Unreadable: not opened
    bool shortRead = false;                        // opened, but fewer bytes came than it holds
    AlbumWriteError error = AlbumWriteError::None; // read, but cannot go into an album
};

PhotoFileResult readPhotoFile(const QString& path);

// True when `text` can be a new album password: at most 8 characters, each
// with a one-byte code page 932 code (no such code is 0xFF, so no password
// stores as the two zero bytes of "no password").
bool isStorableNewPassword(const QString& text);

} // namespace quorbell::album
