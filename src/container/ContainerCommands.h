// The container menu's commands on files: Open (with the container reader),
// Save, Save As (with the writer and the container password prompt), Delete
// container file and Delete album file; the save run when the program closes
// and the container named on the command line.
#pragma once

#include "container/ContainerDocument.h"
#include "core/PasswordForm.h"
#include "core/WindowCaption.h"

#include <QString>

#include <optional>

namespace quorbell {

class AlbumDocument;
class frmMain;

// File dialogs offer containers first, then every file.
inline constexpr char kContainerFilter[] =
    QT_TRANSLATE_NOOP("ContainerCommands", "スライドファイル (*.cov);;すべてのファイル (*)");

// Reads the container at `path`: the whole file is checked first, and a file
// that is missing, unreadable or not a valid container, or whose password
// prompt is cancelled, leaves the open document, the caption, the album
// folder and the container path as they were. On success the document holds
// the container's albums, the caption names it, its folder is the album
// folder, and the loading loop draws the thumbnails as they are decoded.
// The dialog-OK flag and the result say whether it was read.
bool ReadContainer(frmMain& w, const QString& path);

// The open document as a container would store it, with `password` as its
// container password (the stored form).
container::ContainerDocument documentForWriting(const AlbumDocument& ad,
                                                const PasswordBytes& password);

// Writes the document, with `password` as its container password (the
// stored form), to `path` with the progress bar (set up by the
// caller), replacing any file there. A document with a text that cannot be
// stored, or a failed write, shows a message titled `title` and changes
// nothing: the old file survives and the modified flag stays set. On success
// the modified flag is cleared and Insert (with a selection) and batch Rename
// become available again.
bool WriteContainer(frmMain& w, const QString& path, const QString& title,
                    const PasswordBytes& password);

// The container password prompt: nothing when cancelled; otherwise the typed
// text, whose stored form is now the entered-password bytes.
std::optional<QString> frmPassword_Show(AlbumDocument& ad, bool masked);

void frmMain_mnuContnrOpen_Click(frmMain& w);
// Save and Save As: true when the file was written.
bool frmMain_mnuContnrSave_Click(frmMain& w);
bool frmMain_mnuContnrAdd_Click(frmMain& w);
void frmMain_mnuContnrDelete_Click(frmMain& w);
void frmMain_mnuAlbumDelete_Click(frmMain& w);

// The save the program runs before it closes: Save for a document with a
// container path, otherwise Save As; true when the file was written.
bool saveDocumentBeforeExit(frmMain& w);

// The path named on the command line: a container is read; an album file
// (for example one opened from a file manager) starts a new document of that
// one album. A missing or bad file shows its message and leaves the window empty.
void openPathAtStart(frmMain& w, const QString& path);

// Connects every container, clipboard and add-thumbnails command and the
// main window's exit and command-line hooks.
void registerContainerCommands(frmMain& w);

} // namespace quorbell
