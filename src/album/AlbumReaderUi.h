// The album reader as the main window runs it: the same reading as
// ReadAlbumFile, plus what a cancelled password prompt does to the window
// (the comment command is disabled and status panel 1 emptied).
#pragma once

#include "album/AlbumReader.h"

namespace quorbell {

class frmMain;

AlbumReadOutcome ReadAlbumFile(frmMain& w, LoadedPicture& current, qint16 index,
                               const QString& path, const QString& name,
                               const album::AlbumThumbnail* prepared = nullptr);

} // namespace quorbell
