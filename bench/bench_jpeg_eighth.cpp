// A photo decoded at 1/8 scale, as the thumbnailer needs it: libjpeg's own
// 1/8 scale (what PhotoDecoder uses otherwise) against the DC-only decoder on
// one and on two threads, in the same run, with how far the pictures differ.
//
//   build/bin/bench_jpeg_eighth [PHOTO.jpg ...]
//
// Without arguments it times generated 12 MP photos (quality 90; 4:2:0 as
// cameras write them, with and without restart markers).
#include "BenchTiming.h"
#include "JpegVariants.h"
#include "SamplePhotos.h"
#include "album/JpegEighthDecoder.h"
#include "album/JpegFrame.h"
#include "album/PhotoDecoder.h"

#include <QFile>

#include <cstdio>
#include <cstdlib>

using namespace quorbell;

namespace {

constexpr int kRuns = 15;

QImage libjpegEighth(const QByteArray& jpeg)
{
    const auto photo = album::decodePhoto(jpeg, [](QSize full) { return full / 8; });
    return photo ? photo->image : QImage();
}

// The largest difference of any channel of any pixel, and the mean.
void compare(const QImage& a, const QImage& b)
{
    if (a.size() != b.size()) {
        std::printf("  sizes differ\n");
        return;
    }
    int largest = 0;
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* p = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* q = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            for (int shift : {0, 8, 16}) {
                const int d = std::abs(int((p[x] >> shift) & 0xFF) - int((q[x] >> shift) & 0xFF));
                largest = std::max(largest, d);
                sum += d;
            }
        }
    }
    std::printf("  against libjpeg: largest difference %d, mean %.3f levels\n", largest,
                sum / (3.0 * a.width() * a.height()));
}

void run(const char* name, const QByteArray& jpeg)
{
    std::printf("%s: %lld bytes\n", name, qint64(jpeg.size()));
    const QImage reference = libjpegEighth(jpeg);
    std::optional<album::Rgb32Picture> one = album::decodeJpegEighth(jpeg, 1);
    const std::optional<album::Rgb32Picture> two = album::decodeJpegEighth(jpeg, 2);
    if (!one || !two) {
        std::printf("  not handled by the DC-only decoder\n");
        return;
    }
    if (!(*one == *two))
        std::printf("  one and two threads DIFFER\n");
    compare(album::imageOf(std::move(*one)), reference);
    bench::report("  libjpeg 1/8 scale", bench::timeRuns(kRuns, [&] { libjpegEighth(jpeg); }));
    bench::report("  of which reading the frame",
                  bench::timeRuns(kRuns, [&] { album::readJpegFrame(jpeg); }));
    bench::report("  DC only, one thread",
                  bench::timeRuns(kRuns, [&] { album::decodeJpegEighth(jpeg, 1); }));
    bench::report("  DC only, two threads",
                  bench::timeRuns(kRuns, [&] { album::decodeJpegEighth(jpeg, 2); }));
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc > 1) {
        for (int i = 1; i < argc; ++i) {
            QFile file(QString::fromLocal8Bit(argv[i]));
            if (!file.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s\n", argv[i]);
                return 1;
            }
            run(argv[i], file.readAll());
        }
        return 0;
    }
    const QImage picture = tools::paintSamplePhoto(QSize(4000, 3000), 12);
    run("12 MP photo", tools::encodePhoto(picture, tools::PhotoFormat::Jpeg, 90));
    tools::JpegCoding withRestarts;
    withRestarts.restartRows = 1;
    run("12 MP photo, restart marker every MCU row", tools::encodeJpeg(picture, withRestarts));
    return 0;
}
