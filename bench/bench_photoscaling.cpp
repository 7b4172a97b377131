// Speed of the viewer's photo path: the plain-loop resamplers against ours and
// against Qt's smooth scaling on the same input, and a whole photo from album
// bytes to a screen-ready image for 12 and 24 megapixel JPEG photos.
//
//   build/bin/bench_photoscaling --benchmark_counters_tabular=true
//
// The shrink (24 MP to 1620x1080) is timed in one run as: the literal loop;
// ours on 1 and on 2 threads; Qt's smooth scale with Qt's thread pool limited
// to 1 thread and with its default pool (threads:0). Qt 6.4 shares a smooth
// scale's rows out to QThreadPool::globalInstance() and waits for them, so
// the pool's limit is the number of threads it uses. Each is repeated
// (kShrinkRepeats; the literal loop kLiteralRepeats times) and the
// repetitions are interleaved over the run (random interleaving is on unless
// the command line says otherwise), so that a change in the machine's load
// hits all alike; the report gives the min and the median of the
// repetitions. Time is wall time; cpu_ms is the CPU time of the whole
// process (every thread) per iteration, which a busy machine inflates less.
#include "LiteralScaling.h"

#include "album/AlbumFileReader.h"
#include "album/PhotoDecoder.h"
#include "viewer/PhotoLoader.h"
#include "viewer/PhotoScaler.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QImageWriter>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThreadPool>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <map>
#include <memory>
#include <vector>

using namespace quorbell;
using namespace quorbell::viewer;

namespace {

const QSize kShrinkFrom(6000, 4000); // 24 MP, on a 1920x1080 screen
const QSize kShrinkTo(1620, 1080);
const QSize kEnlargeFrom(800, 600);
const QSize kEnlargeTo(1440, 1080);
const QSize kScreen(1920, 1080);

// Gradients, edges and sensor-like noise: a photo, as far as codecs and
// scalers can tell.
QImage photoLike(QSize size, quint32 seed)
{
    QImage image(size, QImage::Format_RGB32);
    {
        QPainter p(&image);
        QLinearGradient g(0, 0, size.width(), size.height());
        g.setColorAt(0, QColor(30, 90, 160));
        g.setColorAt(0.5, QColor(220, 200, 120));
        g.setColorAt(1, QColor(40, 120, 50));
        p.fillRect(image.rect(), g);
        p.setPen(QPen(QColor(20, 20, 20), 5));
        for (int i = 0; i < size.width(); i += size.width() / 23)
            p.drawLine(i, 0, size.width() - i / 2, size.height());
    }
    QRandomGenerator rng(seed);
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<quint32*>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const quint32 n = rng.generate() & 0x070707;
            line[x] = (line[x] & 0xF8F8F8) + n;
        }
    }
    return image;
}

const QImage& shrinkSource()
{
    static const QImage image = photoLike(kShrinkFrom, 1);
    return image;
}

const QImage& enlargeSource()
{
    static const QImage image = photoLike(kEnlargeFrom, 2);
    return image;
}

double processCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// Runs the loop and reports the process's CPU time per iteration.
template <typename Fn> void timedLoop(benchmark::State& state, const Fn& fn)
{
    const double cpu0 = processCpuMs();
    for (auto _ : state)
        fn();
    state.counters["cpu_ms"] = (processCpuMs() - cpu0) / double(state.iterations());
}

void BM_ShrinkLiteral(benchmark::State& state)
{
    const test::PixelArray src = test::pixelArrayFrom(shrinkSource());
    timedLoop(state, [&] {
        benchmark::DoNotOptimize(test::literalShrink(src, kShrinkTo.width(), kShrinkTo.height()));
    });
}

void BM_ShrinkOurs(benchmark::State& state)
{
    const QImage& src = shrinkSource();
    const int threads = int(state.range(0));
    timedLoop(state, [&] { benchmark::DoNotOptimize(shrinkPhoto(src, kShrinkTo, threads)); });
}

// Qt's smooth scale shares rows out to its global thread pool: limited to
// `threads` (0: the pool as it is) for the run.
void BM_ShrinkQtSmooth(benchmark::State& state)
{
    const QImage& src = shrinkSource();
    QThreadPool* pool = QThreadPool::globalInstance();
    const int defaultThreads = pool->maxThreadCount();
    if (state.range(0) > 0)
        pool->setMaxThreadCount(int(state.range(0)));
    timedLoop(state, [&] {
        benchmark::DoNotOptimize(
            src.scaled(kShrinkTo, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    });
    pool->setMaxThreadCount(defaultThreads);
}

void BM_EnlargeLiteral(benchmark::State& state)
{
    const test::PixelArray src = test::pixelArrayFrom(enlargeSource());
    for (auto _ : state)
        benchmark::DoNotOptimize(
            test::literalEnlarge(src, kEnlargeTo.width(), kEnlargeTo.height()));
}

void BM_EnlargeOurs(benchmark::State& state)
{
    const QImage& src = enlargeSource();
    for (auto _ : state)
        benchmark::DoNotOptimize(enlargePhoto(src, kEnlargeTo, int(state.range(0))));
}

void BM_EnlargeQtSmooth(benchmark::State& state)
{
    const QImage& src = enlargeSource();
    for (auto _ : state)
        benchmark::DoNotOptimize(
            src.scaled(kEnlargeTo, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

// An album-like file: other bytes, then the JPEG photo, then more bytes.
struct AlbumWithPhoto
{
    QTemporaryDir dir;
    QString path;
    album::AlbumPhoto photo; // where the JPEG lies in the file
};

const AlbumWithPhoto& albumWithPhoto(QSize size)
{
    static std::map<int, std::unique_ptr<AlbumWithPhoto>> made;
    std::unique_ptr<AlbumWithPhoto>& a = made[size.width()];
    if (a)
        return *a;
    a = std::make_unique<AlbumWithPhoto>();
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(90);
    writer.write(photoLike(size, 3));
    const QByteArray before(4096, '\0');
    a->path = a->dir.filePath(QStringLiteral("bench.sld"));
    QFile f(a->path);
    f.open(QIODevice::WriteOnly);
    f.write(before + jpeg + before);
    f.close();
    a->photo.position = qint32(before.size() + 1);
    a->photo.length = qint32(jpeg.size());
    return *a;
}

void preparePhotoBench(benchmark::State& state, QSize size)
{
    const AlbumWithPhoto& album = albumWithPhoto(size);
    PhotoRequest request;
    request.albumPath = album.path;
    request.photo = album.photo;
    request.screen = kScreen;
    request.sizing = SizingChoice::ShrinkToFit;
    for (auto _ : state) {
        const PreparedPhoto p = preparePhoto(request);
        if (!p.ok())
            state.SkipWithError("photo not prepared");
        benchmark::DoNotOptimize(p.image.constBits());
    }
    state.counters["jpeg_MB"] = double(album.photo.length) / 1e6;
}

void BM_Prepare12MP(benchmark::State& state)
{
    preparePhotoBench(state, QSize(4000, 3000));
}
void BM_Prepare24MP(benchmark::State& state)
{
    preparePhotoBench(state, QSize(6000, 4000));
}

// The decoding alone, to show what of the whole is the codec's.
void BM_Decode24MP(benchmark::State& state)
{
    const AlbumWithPhoto& album = albumWithPhoto(QSize(6000, 4000));
    const album::AlbumResult<QByteArray> bytes = album::readPhotoBytes(album.path, album.photo);
    if (!bytes) {
        state.SkipWithError("photo not read");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(
            album::decodePhoto(*bytes, [](QSize full) { return full; })->image.constBits());
}

} // namespace

constexpr int kShrinkRepeats = 15;
constexpr int kLiteralRepeats = 5;

double fastest(const std::vector<double>& v)
{
    return *std::min_element(v.begin(), v.end());
}

// Min and median (the library's own) of the repetitions, without each one.
benchmark::internal::Benchmark* repeated(benchmark::internal::Benchmark* b, int repeats)
{
    return b->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->MinTime(0.1)
        ->Repetitions(repeats)
        ->ComputeStatistics("min", fastest)
        ->ReportAggregatesOnly(true);
}

BENCHMARK(BM_ShrinkLiteral)->Apply([](auto* b) { repeated(b, kLiteralRepeats); });
BENCHMARK(BM_ShrinkOurs)->ArgName("threads")->Arg(1)->Arg(2)->Apply([](auto* b) {
    repeated(b, kShrinkRepeats);
});
BENCHMARK(BM_ShrinkQtSmooth)->ArgName("threads")->Arg(1)->Arg(0)->Apply([](auto* b) {
    repeated(b, kShrinkRepeats);
});
BENCHMARK(BM_EnlargeLiteral)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_EnlargeOurs)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_EnlargeQtSmooth)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Prepare12MP)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Prepare24MP)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Decode24MP)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv); // image format plugins are found through it
    // Repetitions interleaved unless the command line says otherwise.
    std::vector<char*> args(argv, argv + argc);
    char interleave[] = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + 1, interleave);
    argc = int(args.size());
    argv = args.data();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
