// How long one album's thumbnail takes, for albums whose first photo is a 12
// and a 24 megapixel JPEG at quality 90. Per album, in the same run:
//   Literal  - the old way: read the photo's bytes, write them to a work file,
//              decode the whole photo from it, save it as BMP, load the BMP
//              again and stretch it into the cell;
//   Ours     - makeAlbumThumbnail: tables, bytes, JPEG shrunk on load, smooth fit;
//   Decoder  - libjpeg alone decoding the same bytes at 1/8 scale, the floor;
//   QtReader - Qt's JPEG reader asked for the fitted size (setScaledSize),
//              the alternative to calling libjpeg directly.
// Run: build/bin/bench_album_thumbnail   (a summary of the ratios follows)
#include "album/AlbumFileReader.h"
#include "album/AlbumThumbnail.h"
#include "core/FileIO.h"
#include "AlbumMaker.h"
#include "SamplePhotos.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <QtEndian>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <vector>

#include <jpeglib.h>

using namespace quorbell;

namespace {

constexpr int kCell = 80;

struct BenchAlbum
{
    QString path;
    QByteArray firstPhoto; // the JPEG bytes, for the decoder-only case
};

QTemporaryDir& workDir()
{
    static QTemporaryDir dir;
    return dir;
}

// Album 0: a 12 MP photo (4000 x 3000); album 1: 24 MP (6000 x 4000). Each has
// two more small photos after the first, as albums do.
const BenchAlbum& album(int which)
{
    static std::map<int, BenchAlbum> made;
    auto found = made.find(which);
    if (found != made.end())
        return found->second;
    const QSize size = which == 0 ? QSize(4000, 3000) : QSize(6000, 4000);
    tools::AlbumSpec albumSpec;
    const QByteArray first = tools::makeSamplePhoto(size, 12 + which, tools::PhotoFormat::Jpeg, 90);
    albumSpec.photos = {{QStringLiteral("DSC0001.JPG"), first, size, false},
                        {QStringLiteral("DSC0002.JPG"),
                         tools::makeSamplePhoto(QSize(800, 600), 2, tools::PhotoFormat::Jpeg, 90),
                         QSize(800, 600), false},
                        {QStringLiteral("DSC0003.JPG"),
                         tools::makeSamplePhoto(QSize(800, 600), 3, tools::PhotoFormat::Jpeg, 90),
                         QSize(800, 600), false}};
    BenchAlbum a{workDir().filePath(QStringLiteral("album%1.sld").arg(which)), first};
    const std::optional<tools::BuiltAlbum> built = tools::buildAlbum(albumSpec);
    if (!built || !writeFileAtomically(a.path, built->bytes))
        std::abort();
    std::fprintf(stderr, "album %d: %dx%d first photo, JPEG %.1f MB\n", which, size.width(),
                 size.height(), first.size() / 1e6);
    return made.emplace(which, a).first->second;
}

void setLabel(benchmark::State& state)
{
    state.SetLabel(state.range(0) == 0 ? "12MP" : "24MP");
}

void BM_Literal(benchmark::State& state)
{
    const BenchAlbum& a = album(int(state.range(0)));
    const QString work = workDir().filePath(QStringLiteral("temp.bmp"));
    for (auto _ : state) {
        const album::AlbumResult<album::AlbumTable> table = album::readAlbumTable(a.path);
        const album::AlbumResult<QByteArray> bytes =
            album::readPhotoBytes(a.path, table->photos.at(0));
        {
            QFile f(work);
            f.open(QIODevice::WriteOnly | QIODevice::Truncate);
            f.write(*bytes);
        }
        QImage picture(work);
        picture.save(work, "BMP");
        picture = QImage(work);
        QFile header(work);
        header.open(QIODevice::ReadOnly);
        const QByteArray h = header.read(54);
        const int w = qFromLittleEndian<qint32>(h.constData() + 18);
        const int hgt = qFromLittleEndian<qint32>(h.constData() + 22);
        const QImage thumb = picture.scaled(fitToCell(QSize(w, hgt), kCell), Qt::IgnoreAspectRatio,
                                            Qt::FastTransformation);
        benchmark::DoNotOptimize(thumb.constBits());
    }
    setLabel(state);
}

void BM_Ours(benchmark::State& state)
{
    const BenchAlbum& a = album(int(state.range(0)));
    for (auto _ : state) {
        const album::AlbumThumbnail t = album::makeAlbumThumbnail(a.path, kCell);
        if (!t.ok())
            state.SkipWithError("thumbnail failed");
        benchmark::DoNotOptimize(t.image.constBits());
    }
    setLabel(state);
}

void BM_Decoder(benchmark::State& state)
{
    const BenchAlbum& a = album(int(state.range(0)));
    std::vector<unsigned char> row;
    for (auto _ : state) {
        jpeg_decompress_struct info;
        jpeg_error_mgr err;
        info.err = jpeg_std_error(&err);
        jpeg_create_decompress(&info);
        jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(a.firstPhoto.constData()),
                     static_cast<unsigned long>(a.firstPhoto.size()));
        jpeg_read_header(&info, TRUE);
        info.scale_num = 1;
        info.scale_denom = 8;
        jpeg_start_decompress(&info);
        row.resize(size_t(info.output_width) * info.output_components);
        JSAMPROW rows[1] = {row.data()};
        while (info.output_scanline < info.output_height)
            jpeg_read_scanlines(&info, rows, 1);
        jpeg_finish_decompress(&info);
        jpeg_destroy_decompress(&info);
        benchmark::DoNotOptimize(row.data());
    }
    setLabel(state);
}

void BM_QtReader(benchmark::State& state)
{
    const BenchAlbum& a = album(int(state.range(0)));
    for (auto _ : state) {
        QBuffer buffer;
        buffer.setData(a.firstPhoto);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, "jpeg");
        reader.setScaledSize(fitToCell(reader.size(), kCell));
        const QImage image = reader.read();
        benchmark::DoNotOptimize(image.constBits());
    }
    setLabel(state);
}

BENCHMARK(BM_Literal)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Ours)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Decoder)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_QtReader)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Prints the usual table and, at the end, the ratios the targets are about,
// from CPU time: on a machine shared with other work the wall-clock times
// carry the waits for a core.
class SummaryReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) {
            if (r.run_type == Run::RT_Iteration && !r.error_occurred)
                m_ms[r.benchmark_name()] = r.GetAdjustedCPUTime();
        }
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        for (const char* arg : {"0", "1"}) {
            const auto get = [&](const char* name) {
                const auto f = m_ms.find(std::string(name) + "/" + arg + "/min_time:2.000");
                return f == m_ms.end() ? 0.0 : f->second;
            };
            const double literal = get("BM_Literal"), ours = get("BM_Ours"),
                         decoder = get("BM_Decoder"), qt = get("BM_QtReader");
            if (ours <= 0 || decoder <= 0)
                continue;
            std::printf("%s (CPU time): literal %.1f ms, ours %.1f ms, decoder at 1/8 %.1f ms, Qt "
                        "reader %.1f ms"
                        " -> literal/ours %.1fx, ours/decoder %.2fx\n",
                        arg[0] == '0' ? "12MP" : "24MP", literal, ours, decoder, qt, literal / ours,
                        ours / decoder);
        }
    }

private:
    std::map<std::string, double> m_ms;
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
