#include "album/AlbumReaderUi.h"

#include "core/CommandState.h"
#include "core/frmMain.h"

namespace quorbell {

AlbumReadOutcome ReadAlbumFile(frmMain& w, qint16 index, const QString& path, const QString& name,
                               const album::AlbumThumbnail* prepared)
{
    const AlbumReadOutcome outcome = ReadAlbumFile(index, path, name, prepared);
    if (outcome == AlbumReadOutcome::Cancelled) {
        setMenuItemsEnabled(w, {Command::ViewComment}, false);
        w.setPanel(1, QString());
    }
    return outcome;
}

} // namespace quorbell
