#include "album/AlbumReaderUi.h"

#include "core/CommandState.h"
#include "core/frmMain.h"

namespace quorbell {

AlbumReadOutcome ReadAlbumFile(frmMain& w, LoadedPicture& current, qint16 index,
                               const QString& path, const QString& name,
                               const album::AlbumThumbnail* prepared)
{
    const AlbumReadOutcome outcome =
        ReadAlbumFile(w.document(), current, index, path, name, prepared);
    // A prompt cancelled while loading abandons the load; elsewhere (the
    // album editor reading one album again) the grid stays as it is.
    if (outcome == AlbumReadOutcome::Cancelled && w.mode() == Mode::Loading) {
        w.setMode(Mode::Empty);
        setMenuItemsEnabled(w, {Command::ViewComment}, false);
        w.setPanel(1, QString());
    }
    return outcome;
}

} // namespace quorbell
