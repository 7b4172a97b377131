// Loading albums into the grid from New to the finished grid: albums per
// second and the longest single step on the UI thread, beside the literal
// path (full decode through a BMP work file, one album per 10 ms step).
#include "BenchTiming.h"

#include "AlbumMaker.h"
#include "SamplePhotos.h"
#include "album/AlbumFileReader.h"
#include "core/CellFit.h"
#include "core/GlobalState.h"
#include "core/MainWindowHandlers.h"
#include "core/frmMain.h"
#include "grid/GridCommands.h"
#include "grid/NewCommand.h"

#include "ScriptedPrompts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

using namespace quorbell;

namespace {

// The literal per-album work: bytes through a work file, full decode, saved
// as BMP, loaded again and stretched into the cell.
void literalThumbnail(const QString& albumPath, const QString& workFile)
{
    const auto table = album::readAlbumTable(albumPath);
    const auto bytes = album::readPhotoBytes(albumPath, table->photos.first());
    QFile f(workFile);
    f.open(QIODevice::WriteOnly);
    f.write(*bytes);
    f.close();
    QImage picture(workFile);
    picture.save(workFile, "BMP");
    QImage reloaded(workFile);
    const QImage thumb = reloaded.scaled(fitToCell(reloaded.size(), 80));
    Q_UNUSED(thumb);
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int albums = argc > 1 ? atoi(argv[1]) : 300;
    QTemporaryDir config, dir;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());

    std::printf("making %d albums with a 12 MP JPEG first photo...\n", albums);
    const QByteArray jpeg =
        tools::makeSamplePhoto(QSize(4000, 3000), 7, tools::PhotoFormat::Jpeg, 90);
    tools::AlbumSpec albumSpec;
    albumSpec.photos.append(*tools::photoFromBytes(QStringLiteral("IMG0001.JPG"), jpeg));
    const QByteArray albumBytes = tools::buildAlbum(albumSpec)->bytes;
    QStringList names;
    for (int i = 0; i < albums; ++i) {
        names << QStringLiteral("album%1.sld").arg(i, 3, 10, QLatin1Char('0'));
        QFile f(dir.filePath(names.last()));
        f.open(QIODevice::WriteOnly);
        f.write(albumBytes);
    }

    // The literal path, over a sample of the albums.
    const int sample = qMin(albums, 10);
    QElapsedTimer literal;
    literal.start();
    for (int i = 0; i < sample; ++i)
        literalThumbnail(dir.filePath(names.at(i)), dir.filePath("work.bmp"));
    const double literalMsPerAlbum =
        literal.elapsed() / double(sample) + 10.0; // plus its 10 ms step
    std::printf("literal path:  %.1f albums/s (%.0f ms per album incl. the 10 ms step)\n",
                1000.0 / literalMsPerAlbum, literalMsPerAlbum);

    test::ScriptedPrompts prompts;
    frmMain w;
    w.show();
    w.resize(1280, 800);
    QElapsedTimer stepClock;
    double longestStepMs = 0;
    int steps = 0;
    QObject::connect(w.intTimer(), &QTimer::timeout, &w, [&] { stepClock.start(); });
    registerGridCommands(w);
    QObject::connect(w.intTimer(), &QTimer::timeout, &w, [&] {
        longestStepMs = qMax(longestStepMs, stepClock.nsecsElapsed() / 1e6);
        ++steps;
    });
    frmMain_Form_Load(w, QString());

    prompts.answerChooser({{{dir.path() + QLatin1Char('/'), names, true}}});
    QElapsedTimer total;
    total.start();
    frmMain_mnuContnrNew_Click(w);
    while (stdGlobal().mode != Mode::Shown)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    const double seconds = total.elapsed() / 1000.0;
    std::printf(
        "ours:          %.1f albums/s (%d albums in %.2f s, %d steps, longest UI step %.1f ms)\n",
        albums / seconds, albums, seconds, steps, longestStepMs);
    return 0;
}
