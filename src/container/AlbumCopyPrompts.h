// The questions and the progress of copying albums beside a container: Save
// As into a folder other than the albums' offers "アルバムもコピー", and Insert
// from another folder copies the chosen albums beside the container before
// they are added.
#pragma once

#include "container/AlbumCopy.h"
#include "document/Prompts.h"

#include <QStringList>

#include <optional>

class QWidget;

namespace quorbell {

class frmMain;

inline constexpr char kCopyAlbumsButton[] =
    QT_TRANSLATE_NOOP("AlbumCopyPrompts", "アルバムもコピー");

// Copies the albums of `plan` with a progress dialog over `owner`: the
// copies made. A name taken at a target, or a failed copy, is told with the
// file's path under `title`, a cancelled copy is not, and then nothing is
// returned and no copy is left behind.
std::optional<QStringList>
copyAlbumsWithProgress(QWidget* owner, const container::AlbumCopyPlan& plan, const QString& title);

struct SaveAsAlbums
{
    bool go = true;           // false: the user stopped, or the copy failed
    QStringList copied;       // the copies made beside the new container
    bool albumsMoved = false; // the albums now live in the container's folder
};

// Before Save As writes into `containerFolder`: when it is not the album
// folder, asks whether to save as it is, to stop, or to copy the albums
// there first, and does the copy.
SaveAsAlbums prepareAlbumsForSaveAs(frmMain& w, const QString& containerFolder,
                                    const QString& title);

struct AlbumsToInsert
{
    QString folder; // ends in "/"
    QStringList names;
    QStringList copies; // the files copied beside the container for this insert
};

// The step before Insert reads the albums `names` of `folder`: albums from a
// folder other than the container's are copied beside it (the user agreeing)
// and the copies are what is added; a chosen file that is not there, a
// refused or failed copy stop the insert. Nothing means stop; otherwise the
// folder and names to read. A choice the insert itself refuses (no
// selection, a name already in the grid, too many) is handed on unchanged.
std::optional<AlbumsToInsert> albumsToInsert(frmMain& w, const QString& folder,
                                             const QStringList& names);

} // namespace quorbell
