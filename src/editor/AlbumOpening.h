// What the editor commands do to an album file before any window opens:
// read it whole for editing, or write its photos to a folder. Each asks for
// the album's password through the caller's `unlock` (the program's album
// prompt) and tells the user of a failure, naming the file; neither knows
// anything of the grid.
#pragma once

#include "album/AlbumContents.h"
#include "core/PasswordForm.h"

#include <QString>

#include <functional>
#include <optional>

namespace quorbell::editor {

// Asks for the password of the album at `path` that stores `stored`; true
// once the right one was given.
using UnlockAlbum = std::function<bool(const PasswordBytes& stored, const QString& path)>;

struct OpenedAlbum
{
    album::AlbumContents contents;
    QString passwordText; // the password as typed; empty when the album has none
};

// The album at `path`, every photo's bytes read; nothing when it cannot be
// read (the user was told) or its prompt was cancelled.
std::optional<OpenedAlbum> openAlbumForEditing(const QString& path, const UnlockAlbum& unlock);

// Asks for a folder and writes the photos of the album at `path` there, all
// or nothing; the user is told what happened. True when they were written.
bool exportAlbumPhotos(const QString& path, const UnlockAlbum& unlock);

// The text a stored password form was made from: each byte's one-byte code,
// up to the first unused place.
QString passwordText(const PasswordBytes& stored);

} // namespace quorbell::editor
