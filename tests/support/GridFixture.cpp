#include "GridFixture.h"

#include "core/BinaryIO.h"
#include "core/ThumbnailFormat.h"
#include "grid/DocumentView.h"
#include "grid/GridGeometry.h"

#include <QTest>

namespace quorbell::test {

QColor thumbColour(int index)
{
    return QColor::fromHsv((index * 37) % 360, 200, 200);
}

void fillDocument(AlbumDocument& doc, const QStringList& names, int cellSize, QSize picture)
{
    doc.setCellSize(qint16(cellSize), *commentMetricsFor(cellSize));
    QList<AlbumEntry> entries;
    qint16 hidden = 0;
    for (int i = 0; i < names.size(); ++i) {
        AlbumEntry e;
        e.fileName = names.at(i);
        e.comment = names.at(i).section(QLatin1Char('.'), 0, 0);
        e.thumbSize = packPair(picture.width(), picture.height());
        QImage thumb(fitToCell(picture, cellSize), kThumbnailFormat); // as the program holds them
        thumb.fill(thumbColour(i));
        e.thumbnail = thumb;
        entries.append(e);
        if (e.isHidden())
            ++hidden;
    }
    doc.setEntries(std::move(entries));
    doc.setHiddenCount(hidden);
    doc.setLoadIndex(doc.albumCount());
}

std::unique_ptr<frmMain> makeWindow(QSize client)
{
    auto w = std::make_unique<frmMain>();
    installDocumentView(*w); // the grid and the status bar follow the document
    w->show();
    const QSize extra = w->size() - w->surface()->size();
    w->resize(client + extra);
    if (!QTest::qWaitFor([&] { return w->surface()->size() == client; }, 2000))
        qWarning("the grid surface did not take the requested size");
    return w;
}

} // namespace quorbell::test
