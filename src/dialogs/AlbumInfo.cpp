// The properties dialog's texts.
#include "dialogs/AlbumInfo.h"

#include "core/DateVariant.h"
#include "document/AlbumDocument.h"
#include "document/InterfaceMode.h"
#include "core/TextRules.h"

#include <QCoreApplication>

#include <QFileInfo>

namespace quorbell {

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(AlbumInfo)
};
} // namespace

AlbumInfoFields albumInfoFields(const AlbumDocument& doc, qint16 mode)
{
    const QString undecided = Tr::tr(kUndecided);
    AlbumInfoFields f;

    if (mode == Mode::Selected && doc.selectedIndex() >= 0 &&
        doc.selectedIndex() < doc.albumCount()) {
        const AlbumEntry& e = doc.entry(doc.selectedIndex());
        f.albumSelected = true;
        f.number = QString::number(doc.selectedIndex() + 1);
        f.baseName = nameBeforeFirstDot(e.fileName);
        f.comment = e.comment;
        f.size = sizeTextKB(storedSizeBytes(e.fileSize));
        f.date = e.fileDate.displayText();
        f.thumbSize = Tr::tr("%1 x %1 ﾋﾟｸｾﾙ").arg(doc.cellSize());
        f.thumbnail = e.thumbnail;
    } else {
        f.number = f.size = f.date = f.thumbSize = undecided;
    }

    if ((mode == Mode::Shown || mode == Mode::Selected) && !doc.containerPath().isEmpty()) {
        const QFileInfo file(doc.containerPath());
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
