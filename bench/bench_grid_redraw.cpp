// A full redraw of a 1920x1080 window of 60-pixel cells with comment strips,
// with the thumbnails held as 32-bit pictures (as they once were) and in the
// 24-bit thumbnail format, in alternating rounds so that both see the same load.
#include "BenchTiming.h"

#include "core/BinaryIO.h"
#include "document/AlbumDocument.h"
#include "core/ThumbnailFormat.h"
#include "core/frmMain.h"
#include "grid/GridDrawing.h"

#include <QApplication>

using namespace quorbell;

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    frmMain w;
    w.show();
    w.resize(1920, 1080 + (w.height() - w.surface()->height()));
    QApplication::processEvents();

    AlbumDocument& doc = w.document();
    doc.setCellSize(60, *commentMetricsFor(60));
    w.settings().set(Flag::CommentDefault);
    doc.setGridSource(true);
    QList<AlbumEntry> entries;
    const QStringList comments = {QStringLiteral("夏の旅行"), QStringLiteral("Kyoto 2003"),
                                  QStringLiteral("運動会と文化祭の写真"), QStringLiteral("family")};
    for (int i = 0; i < 2000; ++i) {
        AlbumEntry e;
        e.fileName = QStringLiteral("album%1.sld").arg(i);
        e.comment = comments.at(i % comments.size()) + QString::number(i);
        e.thumbSize = packPair(58, 43);
        e.thumbnail = QImage(58, 43, QImage::Format_RGB32);
        e.thumbnail.fill(QColor::fromHsv(i % 360, 180, 200));
        entries.append(e);
    }
    doc.setEntries(entries);
    w.setMode(Mode::Shown);

    RedrawGrid(w, 0, doc.albumCount() - 1); // warm up fonts and caches
    std::printf("client %dx%d, %d cells drawn (%d per row)\n", w.clientWidth(), w.clientHeight(),
                w.layout().lastDrawnIndex + 1, int(w.layout().columnsPerRow));

    struct Variant
    {
        QImage::Format format;
        const char* name;
    };
    const Variant variants[] = {{QImage::Format_RGB32, "32-bit thumbnails"},
                                {kThumbnailFormat, "24-bit thumbnails"}};
    for (int round = 1; round <= 3; ++round) {
        for (const Variant& v : variants) {
            for (AlbumEntry& e : entries)
                e.thumbnail = e.thumbnail.convertToFormat(v.format);
            doc.setEntries(entries);
            doc.setGridSource(true);
            RedrawGrid(w, 0, doc.albumCount() - 1);
            const bench::Timing t =
                bench::timeRuns(30, [&] { RedrawGrid(w, 0, doc.albumCount() - 1); });
            std::printf("round %d, %s\n", round, v.name);
            bench::report("  full redraw, 60 px cells with comments", t);
            doc.setGridSource(false); // a container grid looks up every album file
            const bench::Timing t2 =
                bench::timeRuns(30, [&] { RedrawGrid(w, 0, doc.albumCount() - 1); });
            bench::report("  full redraw, container grid (file look-ups)", t2);
        }
    }
    return 0;
}
