// The time from a timer step of the slideshow to the photo on the screen, on
// a 1920x1080 screen, for 12 and 24 megapixel JPEG photos: with the
// look-ahead (the next photo prepared on the worker while the current one is
// shown) and without it (every step reads, decodes and shrinks its photo).
//
//   build/bin/bench_viewer_step [steps]
//
// A step here is the timer handler followed by a synchronous repaint of the
// window. With the look-ahead each step first waits, untimed, until the
// worker is idle: the photo's interval of at least 500 ms gives it that time.
#include "BenchTiming.h"

#include "AlbumMaker.h"
#include "SamplePhotos.h"
#include "core/FileIO.h"
#include "core/frmMain.h"
#include "core/frmMain.h"
#include "viewer/ViewerCommands.h"
#include "viewer/frmPicture.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <vector>

using namespace quorbell;

namespace {

QString writeScreenConfig(const QTemporaryDir& dir)
{
    const QString path = dir.filePath(QStringLiteral("screen.json"));
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(R"({"screens": [{"name": "bench", "x": 0, "y": 0, "width": 1920,
                   "height": 1080, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    return path;
}

// An album of `count` photo-like JPEG photos of `size`.
QString writeAlbum(const QTemporaryDir& dir, const QString& name, QSize size, int count)
{
    tools::AlbumSpec albumSpec;
    for (int i = 0; i < count; ++i) {
        albumSpec.photos.append(tools::AlbumPhotoSource{
            QStringLiteral("IMG%1.JPG").arg(i),
            tools::makeSamplePhoto(size, quint32(100 + i), tools::PhotoFormat::Jpeg, 90), size,
            false});
    }
    const QString path = dir.filePath(name);
    const std::optional<tools::BuiltAlbum> built = tools::buildAlbum(albumSpec);
    if (!built || !writeFileAtomically(path, built->bytes))
        qFatal("cannot write the benchmark album");
    return path;
}

bench::Timing timeSteps(frmMain& w, bool lookAhead, int steps)
{
    w.setMode(Mode::Selected);
    w.runCommand(Command::ViewSlide);
    QCoreApplication::sendPostedEvents(); // reads the album
    frmPicture* v = frmPicture::current();
    if (!v)
        qFatal("the viewer did not start");
    v->prefetcher().setEnabled(lookAhead);
    std::vector<double> ms;
    int shown = 0;
    for (int i = 0; shown < steps + 1 && i < 4 * steps + 8; ++i) {
        if (lookAhead)
            v->prefetcher().waitForIdle();
        v->sldTimer()->stop();
        const int shownBefore = v->photosShown();
        const auto t0 = std::chrono::steady_clock::now();
        frmPicture_sldTimer_Timer(*v);
        v->repaint();
        const auto t1 = std::chrono::steady_clock::now();
        if (v->photosShown() == shownBefore)
            continue; // the 10 ms step that starts the album again
        if (!v->lastShown().drawn)
            qFatal("a photo could not be shown");
        if (v->lastShown().fromPrefetch != lookAhead)
            qFatal("the look-ahead was %s used", lookAhead ? "not" : "");
        if (shown++ > 0) // the first step also warms up fonts and the backing store
            ms.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
    }
    if (ms.empty())
        qFatal("no photo was shown");
    frmPicture_Form_KeyPress(*v, 27);
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.front()};
}

} // namespace

int main(int argc, char* argv[])
{
    QTemporaryDir dir;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        const QByteArray platform = "offscreen:configfile=" + writeScreenConfig(dir).toLocal8Bit();
        qputenv("QT_QPA_PLATFORM", platform);
    }
    QApplication app(argc, argv);
    const int steps = argc > 1 ? std::max(2, atoi(argv[1])) : 12;

    frmMain w;
    registerViewerCommands(w);
    w.show();
    AlbumDocument& doc = w.document();
    Settings& g = w.settings();
    doc.setAlbumFolder(dir.path() + QLatin1Char('/'));
    g.set(Flag::Fit); // shrink to fit the screen
    g.set(Flag::AutoAdvance);
    g.set(Flag::Endless);
    g.set(Flag::PhotoName);
    g.nameFontSize = 12;
    g.interval = 1;
    g.viewerOptions = 0;

    std::printf("building albums of 12 and 24 MP JPEG photos...\n");
    std::fflush(stdout);
    const struct
    {
        const char* label;
        QSize size;
    } cases[] = {{"12 MP (4000x3000)", QSize(4000, 3000)},
                 {"24 MP (6000x4000)", QSize(6000, 4000)}};
    for (const auto& c : cases) {
        const QString name = QStringLiteral("bench%1.sld").arg(c.size.width());
        writeAlbum(dir, name, c.size, 3);
        AlbumEntry e;
        e.fileName = name;
        e.comment = QStringLiteral("ベンチマーク");
        doc.insertEntry(doc.albumCount(), e);
    }

    for (int i = 0; i < doc.albumCount(); ++i) {
        doc.setSelectedIndex(i);
        const bench::Timing with = timeSteps(w, true, steps);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const bench::Timing without = timeSteps(w, false, steps);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        std::printf("screen %dx%d, %s, %d steps\n", w.screenSize().width(), w.screenSize().height(),
                    cases[i].label, steps);
        bench::report("  timer step to screen, look-ahead", with);
        bench::report("  timer step to screen, no look-ahead", without);
    }
    return 0;
}
