// The properties dialog's texts.
#include "dialogs/AlbumInfo.h"

#include "core/DateVariant.h"
#include "core/GlobalState.h"
#include "core/TextRules.h"

#include <QFileInfo>

namespace quorbell {

AlbumInfoFields albumInfoFields(const GlobalState& g)
{
    const QString undecided = QString::fromUtf8(kUndecided);
    AlbumInfoFields f;

    if (g.mode == Mode::Selected && g.selectedIndex >= 0 && g.selectedIndex < g.albumCount()) {
        const AlbumEntry& e = g.albums.at(g.selectedIndex);
        f.albumSelected = true;
        f.number = QString::number(g.selectedIndex + 1);
        f.baseName = nameBeforeFirstDot(e.fileName);
        f.comment = e.comment;
        f.size = sizeTextKB(storedSizeBytes(e.fileSize));
        f.date = e.fileDate.displayText();
        f.thumbSize = QStringLiteral("%1 x %1 ﾋﾟｸｾﾙ").arg(g.cellSize);
        f.thumbnail = e.thumbnail;
    } else {
        f.number = f.size = f.date = f.thumbSize = undecided;
    }

    if (g.isGridShown() && !g.containerPath.isEmpty()) {
        const QFileInfo file(g.containerPath);
        f.containerKnown = true;
        f.containerName = file.fileName();
        // A container deleted since it was opened has no size or date to show.
        if (file.exists()) {
            f.containerSize = sizeTextKB(file.size());
            f.containerDate = DateVariant::fromDateTime(file.lastModified()).displayText();
        } else {
            f.containerSize = f.containerDate = undecided;
        }
    } else {
        f.containerName = f.containerSize = f.containerDate = undecided;
    }
    return f;
}

} // namespace quorbell
