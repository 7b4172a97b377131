// Container files of 1,000 and 10,000 albums (cell 80, 78 x 78 thumbnails,
// about 18 KB a record): writing, the header and tables, the first screen of
// 200 thumbnails, everything decoded, and the memory each album takes once
// read. The literal path (one record at a time through a work image file and
// Qt's picture loader, as a per-tick loop would do it) runs beside ours.
#include "ContainerMaker.h"

#include "container/ContainerFile.h"
#include "container/ContainerReader.h"
#include "container/ContainerWriter.h"
#include "container/ThumbnailLoader.h"
#include "core/BinaryIO.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <map>

using namespace quorbell;
using namespace quorbell::container;
using namespace quorbell::tools;

namespace {

constexpr int kFirstScreen = 200;

QTemporaryDir& workDir()
{
    static QTemporaryDir dir;
    return dir;
}

// A container of `count` albums on disk, made once per size.
const QString& containerOf(int count)
{
    static std::map<int, QString> made;
    auto it = made.find(count);
    if (it != made.end())
        return it->second;
    SampleOptions o;
    o.count = count;
    RawContainer raw = sampleContainer(o);
    for (int i = 0; i < count; ++i) {
        raw.entries[i].sizeWord = packPair(1024, 1024);
        raw.entries[i].bmp = makeBmp(paintThumbnail(i, 78, 78), BmpKind::Rgb24);
    }
    const QString path = workDir().filePath(QStringLiteral("c%1.cov").arg(count));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(assembleContainer(raw)) < 0)
        qFatal("cannot write %s", qPrintable(path));
    return made.emplace(count, path).first->second;
}

const ContainerDocument& documentOf(int count)
{
    static std::map<int, ContainerDocument> docs;
    auto it = docs.find(count);
    if (it == docs.end()) {
        ContainerResult<ContainerDocument> doc = readContainer(containerOf(count));
        if (!doc)
            qFatal("sample unreadable");
        it = docs.emplace(count, *doc).first;
    }
    return it->second;
}

size_t heapInUse()
{
    const struct mallinfo2 m = mallinfo2();
    return m.uordblks + m.hblkhd;
}

void BM_Write(benchmark::State& state)
{
    const ContainerDocument& doc = documentOf(int(state.range(0)));
    const QString path = workDir().filePath(QStringLiteral("written.cov"));
    for (auto _ : state) {
        if (writeContainer(path, doc))
            state.SkipWithError("write failed");
    }
    state.SetBytesProcessed(state.iterations() * QFile(path).size());
}

// Each picture saved as a BMP to the work image file, read back and copied
// into the container.
void BM_WriteLiteral(benchmark::State& state)
{
    const ContainerDocument& doc = documentOf(int(state.range(0)));
    const QString work = workDir().filePath(QStringLiteral("temp.bmp"));
    const QString path = workDir().filePath(QStringLiteral("literal.cov"));
    for (auto _ : state) {
        QFile out(path);
        out.open(QIODevice::WriteOnly);
        for (const AlbumEntry& a : doc.albums) {
            a.thumbnail.save(work, "BMP");
            QFile in(work);
            in.open(QIODevice::ReadOnly);
            const QByteArray bmp = in.readAll();
            const qint32 length = bmp.size();
            out.write(reinterpret_cast<const char*>(&length), 4);
            out.write(bmp);
        }
    }
}

void BM_OpenTables(benchmark::State& state)
{
    const QString& path = containerOf(int(state.range(0)));
    for (auto _ : state) {
        auto file = ContainerFile::open(path);
        benchmark::DoNotOptimize(file);
    }
}

void BM_FirstScreen(benchmark::State& state)
{
    const QString& path = containerOf(int(state.range(0)));
    for (auto _ : state) {
        auto file = ContainerFile::open(path);
        ThumbnailLoader loader(*file);
        loader.start();
        loader.waitForReady(kFirstScreen);
        state.PauseTiming(); // the rest goes on decoding; stopping it is not part of the figure
        loader.cancel();
        state.ResumeTiming();
    }
}

void BM_ReadAll(benchmark::State& state)
{
    const QString& path = containerOf(int(state.range(0)));
    const int count = int(state.range(0));
    for (auto _ : state) {
        auto file = ContainerFile::open(path);
        ThumbnailLoader loader(*file);
        loader.start();
        loader.waitForReady(count);
        ContainerDocument doc = (*file)->document();
        for (int i = 0; i < count; ++i)
            doc.albums[i].thumbnail = loader.takeThumbnail(i);
        benchmark::DoNotOptimize(doc);
    }
}

// One record at a time: its bytes written to the work image file, then
// loaded from there as a picture.
void BM_ReadLiteral(benchmark::State& state)
{
    const QString& path = containerOf(int(state.range(0)));
    const QString work = workDir().filePath(QStringLiteral("temp.bmp"));
    const int count = int(state.range(0));
    for (auto _ : state) {
        auto file = ContainerFile::open(path);
        QList<QImage> pictures;
        for (int i = 0; i < count; ++i) {
            QFile out(work);
            out.open(QIODevice::WriteOnly);
            out.write(*(*file)->recordBytes(i));
            out.close();
            pictures.append(QImage(work));
        }
        benchmark::DoNotOptimize(pictures);
    }
}

// Heap held by a read document, per album, against the bytes of its
// thumbnail's pixels.
void BM_MemoryPerAlbum(benchmark::State& state)
{
    const int count = int(state.range(0));
    double perAlbum = 0;
    double pixelBytes = 0;
    for (auto _ : state) {
        malloc_trim(0);
        const size_t before = heapInUse();
        ContainerResult<ContainerDocument> doc = readContainer(containerOf(count));
        const size_t after = heapInUse();
        perAlbum = double(after - before) / count;
        pixelBytes = 0;
        for (const AlbumEntry& a : doc->albums)
            pixelBytes += double(a.thumbnail.width()) * a.thumbnail.height() * 4;
        pixelBytes /= count;
    }
    state.counters["bytes_per_album"] = perAlbum;
    state.counters["pixel_bytes"] = pixelBytes;
    state.counters["ratio"] = perAlbum / pixelBytes;
}

} // namespace

BENCHMARK(BM_Write)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteLiteral)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenTables)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstScreen)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadAll)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadLiteral)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_MemoryPerAlbum)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
