// Loading albums into the grid, in one run over two sets of albums made from
// the same 12 MP picture: photos as a plain JPEG, and photos as a camera
// writes them, with a 160 x 120 thumbnail in their EXIF data.
//   1. the literal path on a sample (full decode through a BMP work file, one
//      album per 10 ms step);
//   2. the thumbnail function (makeAlbumThumbnail, one thread) per album, for
//      both sets, beside the JPEG decoder's own 1/8-scale decode of the photo;
//   3. the real loading loop, New to the finished grid, for both sets: albums
//      per second and the longest single step on the UI thread.
// The album files are written first, so they are read from the page cache.
// Run: build/bin/bench_loading [ALBUMS] [--embedded-only]   (300 by default;
// --embedded-only leaves out everything that decodes the photos, for quick
// figures of the embedded-thumbnail path alone)
#include "BenchTiming.h"

#include "AlbumMaker.h"
#include "SamplePhotos.h"
#include "album/AlbumFileReader.h"
#include "album/AlbumThumbnail.h"
#include "album/PhotoDecoder.h"
#include "core/CellFit.h"
#include "document/InterfaceMode.h"
#include "core/MainWindowHandlers.h"
#include "core/frmMain.h"
#include "grid/GridCommands.h"
#include "grid/NewCommand.h"

#include "ScriptedPrompts.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <ctime>

using namespace quorbell;

namespace {

constexpr int kCell = 80;

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
    const QImage thumb = reloaded.scaled(fitToCell(reloaded.size(), kCell));
    Q_UNUSED(thumb);
}

double clockMs(clockid_t clock)
{
    timespec t{};
    clock_gettime(clock, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double cpuMs()
{
    return clockMs(CLOCK_PROCESS_CPUTIME_ID);
}

double threadCpuMs()
{
    return clockMs(CLOCK_THREAD_CPUTIME_ID);
}

struct PerAlbum
{
    double wallMs = 0;
    double cpuMs = 0;
};

// Runs `f` once per album and gives the mean per album.
template <typename F> PerAlbum perAlbum(int count, F f)
{
    QElapsedTimer wall;
    wall.start();
    const double cpu0 = cpuMs();
    for (int i = 0; i < count; ++i)
        f(i);
    return {wall.nsecsElapsed() / 1e6 / count, (cpuMs() - cpu0) / count};
}

QStringList writeAlbums(const QString& dir, const QByteArray& photo, int count)
{
    tools::AlbumSpec albumSpec;
    albumSpec.photos.append(*tools::photoFromBytes(QStringLiteral("IMG0001.JPG"), photo));
    const QByteArray bytes = tools::buildAlbum(albumSpec)->bytes;
    QDir().mkpath(dir);
    QStringList names;
    for (int i = 0; i < count; ++i) {
        names << QStringLiteral("album%1.sld").arg(i, 3, 10, QLatin1Char('0'));
        QFile f(dir + QLatin1Char('/') + names.last());
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            std::abort();
    }
    return names;
}

struct LoopResult
{
    double albumsPerSecond = 0;
    double longestStepMs = 0;
    int steps = 0;
    double uiCpuMsPerAlbum = 0; // the UI thread's own work, whatever the machine's other load
};

// Loads the albums with New; `longestStepMs` and `steps` are kept up to
// date by the timer's listeners.
LoopResult loadThroughTheLoop(frmMain& w, test::ScriptedPrompts& prompts, const QString& dir,
                              const QStringList& names, double& longestStepMs, int& steps)
{
    w.document().setModified(false); // no question about the previous grid
    longestStepMs = 0;
    steps = 0;
    prompts.answerChooser({{{dir + QLatin1Char('/'), names, true}}});
    QElapsedTimer total;
    total.start();
    const double ui0 = threadCpuMs();
    frmMain_mnuContnrNew_Click(w);
    while (w.mode() != Mode::Shown)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    const double seconds = total.nsecsElapsed() / 1e9;
    return {names.size() / seconds, longestStepMs, steps, (threadCpuMs() - ui0) / names.size()};
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    const bool embeddedOnly = args.contains(QStringLiteral("--embedded-only"));
    const int albums = !args.isEmpty() && args.first().toInt() > 0 ? args.first().toInt() : 300;
    QTemporaryDir config, dir;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());

    std::printf("making %d + %d albums with a 12 MP JPEG first photo, without and with a "
                "160x120 EXIF thumbnail...\n",
                albums, albums);
    const QImage picture = tools::paintSamplePhoto(QSize(4000, 3000), 7);
    const QByteArray plain = tools::encodePhoto(picture, tools::PhotoFormat::Jpeg, 90);
    const QByteArray camera = tools::encodeCameraJpeg(picture, 1, 160, 90);
    const QString plainDir = dir.filePath(QStringLiteral("plain"));
    const QString cameraDir = dir.filePath(QStringLiteral("exif"));
    const QStringList names = writeAlbums(cameraDir, camera, albums);
    if (!embeddedOnly)
        writeAlbums(plainDir, plain, albums);
    std::printf("photo: %.2f MB plain, %.2f MB with EXIF\n", plain.size() / 1e6,
                camera.size() / 1e6);

    // 1. The literal path, over a sample of the albums.
    const int sample = embeddedOnly ? 0 : qMin(albums, 10);
    QElapsedTimer literal;
    literal.start();
    for (int i = 0; i < sample; ++i)
        literalThumbnail(plainDir + QLatin1Char('/') + names.at(i), dir.filePath("work.bmp"));
    const double literalMsPerAlbum =
        literal.elapsed() / double(qMax(sample, 1)) + 10.0; // plus its 10 ms step
    if (sample > 0)
        std::printf("literal path:  %.1f albums/s (%.0f ms per album incl. the 10 ms step)\n",
                    1000.0 / literalMsPerAlbum, literalMsPerAlbum);

    // 2. The thumbnail function on one thread, and the decoder's 1/8 floor.
    auto thumbnailOf = [&](const QString& folder) {
        return [&names, folder](int i) {
            const album::AlbumThumbnail t =
                album::makeAlbumThumbnail(folder + QLatin1Char('/') + names.at(i), kCell);
            if (!t.ok())
                std::abort();
        };
    };
    const PerAlbum eighth = perAlbum(embeddedOnly ? 1 : qMin(albums, 30), [&plain](int) {
        const auto d = album::decodePhoto(plain, [](QSize full) { return fitToCell(full, kCell); });
        if (!d || d->image.width() != 500)
            std::abort();
    });
    const PerAlbum decoded = embeddedOnly ? eighth : perAlbum(albums, thumbnailOf(plainDir));
    const PerAlbum embedded = perAlbum(albums, thumbnailOf(cameraDir));
    std::printf("thumbnail function, one thread, per album (wall / CPU):\n"
                "  1/8-scale decode of the photo alone %8.3f / %8.3f ms\n"
                "  without EXIF thumbnail             %8.3f / %8.3f ms\n"
                "  with EXIF thumbnail                %8.3f / %8.3f ms\n"
                "  -> %.0fx faster than the 1/8-scale decode, %.0fx than without (CPU)\n",
                eighth.wallMs, eighth.cpuMs, decoded.wallMs, decoded.cpuMs, embedded.wallMs,
                embedded.cpuMs, eighth.cpuMs / embedded.cpuMs, decoded.cpuMs / embedded.cpuMs);

    // 3. The real loading loop, New to the finished grid.
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
    for (const auto& [label, folder] : {std::pair{"without EXIF thumbnail", plainDir},
                                        std::pair{"with EXIF thumbnail", cameraDir}}) {
        if (embeddedOnly && folder == plainDir)
            continue;
        const LoopResult r = loadThroughTheLoop(w, prompts, folder, names, longestStepMs, steps);
        std::printf("loading loop, %-24s %8.1f albums/s (%d steps, longest UI step %.1f ms, "
                    "UI thread CPU %.3f ms per album)\n",
                    label, r.albumsPerSecond, r.steps, r.longestStepMs, r.uiCpuMsPerAlbum);
    }
    return 0;
}
