#include "container/InsertCopies.h"

#include "container/AlbumCopy.h"
#include "core/TextRules.h"
#include "document/AlbumDocument.h"

#include <QFileInfo>
#include <QSet>

namespace quorbell {

void removeCopiesNotAdded(const AlbumDocument& doc, const QStringList& copies)
{
    if (copies.isEmpty())
        return;
    QSet<QString> entryNames;
    entryNames.reserve(doc.albumCount());
    for (const AlbumEntry& e : doc.entries())
        entryNames.insert(withoutHiddenMark(e.fileName));
    QStringList notAdded;
    for (const QString& copy : copies) {
        if (!entryNames.contains(QFileInfo(copy).fileName()))
            notAdded << copy;
    }
    container::removeAlbumCopies(notAdded);
}

} // namespace quorbell
