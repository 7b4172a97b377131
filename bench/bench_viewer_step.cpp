// The time from a timer step of the slideshow to the photo on the screen, on
// a 1920x1080 screen, for 12 and 24 megapixel JPEG photos: on a look-ahead
// hit (the photo prepared on a worker while the one before was shown) and on
// a miss (the look-ahead off: the step starts the work and the photo is
// drawn when it arrives). On a miss it also reports the longest time the UI
// thread was busy without turning its event loop, which is how long input
// such as Esc could have waited.
//
//   build/bin/bench_viewer_step [steps]
//
// Step to screen is the step handler, the wait for the photo and a
// synchronous repaint. With the look-ahead each step first waits, untimed,
// until the workers are idle: the photo's interval of at least 500 ms gives
// them that time.
#include "BenchTiming.h"

#include "AlbumMaker.h"
#include "SamplePhotos.h"
#include "core/FileIO.h"
#include "core/frmMain.h"
#include "core/frmMain.h"
#include "viewer/Slideshow.h"
#include "viewer/ViewerCommands.h"
#include "viewer/frmPicture.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QPointer>
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

struct StepFigures
{
    bench::Timing toScreen;
    double longestStallMs = 0;
};

using Clock = std::chrono::steady_clock;

double msBetween(Clock::time_point a, Clock::time_point b)
{
    return std::chrono::duration<double, std::milli>(b - a).count();
}

StepFigures timeSteps(frmMain& w, bool lookAhead, int steps)
{
    w.setMode(Mode::Selected);
    w.runCommand(Command::ViewSlide);
    QCoreApplication::sendPostedEvents(); // reads the album
    QPointer<frmPicture> v = frmPicture::current();
    if (!v)
        qFatal("the viewer did not start");
    viewer::Slideshow& show = v->slideshow();
    show.pipeline().setLookAhead(lookAhead);

    // The event loop's heartbeat: the longest gap between two turns is the
    // longest stall of the UI thread.
    Clock::time_point lastBeat = Clock::now();
    double longest = 0;
    bool watching = false;
    QTimer beat;
    beat.setInterval(1); // light enough to leave the cores to the workers
    beat.setTimerType(Qt::PreciseTimer);
    QObject::connect(&beat, &QTimer::timeout, [&] {
        const Clock::time_point now = Clock::now();
        if (watching)
            longest = std::max(longest, msBetween(lastBeat, now));
        lastBeat = now;
    });
    beat.start();

    std::vector<double> ms;
    int shown = 0;
    for (int i = 0; shown < steps + 1 && i < 4 * steps + 8; ++i) {
        while (lookAhead && show.pipeline().busy())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        v->sldTimer()->stop();
        const int shownBefore = v->photosShown();
        QCoreApplication::processEvents();
        const auto t0 = Clock::now();
        lastBeat = t0;
        watching = shown > 0;
        frmPicture_sldTimer_Timer(*v);
        while (v && show.photoPending())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        v->repaint();
        const auto t1 = Clock::now();
        watching = false;
        if (v->photosShown() == shownBefore)
            continue; // the 10 ms step that starts the album again
        if (!v->lastShown().drawn)
            qFatal("a photo could not be shown");
        if (v->lastShown().fromPrefetch != lookAhead)
            qFatal("the look-ahead was %s used", lookAhead ? "not" : "");
        if (shown++ > 0) // the first step also warms up fonts and the backing store
            ms.push_back(msBetween(t0, t1));
    }
    if (ms.empty())
        qFatal("no photo was shown");
    frmPicture_Form_KeyPress(*v, 27);
    std::sort(ms.begin(), ms.end());
    return {{ms[ms.size() / 2], ms.front()}, longest};
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
        const StepFigures hit = timeSteps(w, true, steps);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const StepFigures miss = timeSteps(w, false, steps);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        std::printf("screen %dx%d, %s, %d steps\n", w.screenSize().width(), w.screenSize().height(),
                    cases[i].label, steps);
        bench::report("  step to screen, look-ahead hit", hit.toScreen);
        bench::report("  step to screen, miss", miss.toScreen);
        std::printf("  longest UI-thread stall during a miss: %.3f ms\n", miss.longestStallMs);
    }
    return 0;
}
