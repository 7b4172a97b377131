// The DC-only decoder at 1/8 scale against libjpeg's own 1/8 scale, with the
// work on one thread and shared by two.
#include "JpegVariants.h"
#include "SamplePhotos.h"
#include "album/JpegEighthDecoder.h"
#include "album/PhotoDecoder.h"

#include <QTest>

using namespace quorbell;
using namespace quorbell::album;

Q_DECLARE_METATYPE(quorbell::tools::JpegCoding)

namespace {

QImage libjpegEighth(const QByteArray& jpeg)
{
    const std::optional<DecodedPhoto> photo =
        decodePhoto(jpeg, [](QSize full) { return full / 8; });
    return photo ? photo->image : QImage();
}

struct Difference
{
    int largest = 0;
    double mean = 0;
};

Difference differenceOf(const QImage& a, const QImage& b)
{
    Difference d;
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            for (const int c : {std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                std::abs(qBlue(p) - qBlue(q))}) {
                d.largest = std::max(d.largest, c);
                sum += c;
            }
        }
    }
    d.mean = sum / (3.0 * a.width() * a.height());
    return d;
}

tools::JpegCoding coding(int h, int v, int restartRows = 0, bool optimized = false)
{
    tools::JpegCoding c;
    c.lumaHorizontal = h;
    c.lumaVertical = v;
    c.restartRows = restartRows;
    c.optimizedTables = optimized;
    return c;
}

} // namespace

class TestJpegEighth : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void matchesLibjpeg_data();
    void matchesLibjpeg();
    void leavesTheRestToLibjpeg_data();
    void leavesTheRestToLibjpeg();
};

void TestJpegEighth::matchesLibjpeg_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<tools::JpegCoding>("coding");
    // The differences allowed from libjpeg: the largest and the mean of any
    // channel of any pixel.
    QTest::addColumn<int>("largest");
    QTest::addColumn<double>("mean");
    // Large enough that two threads share the work.
    const QSize large(1600, 1200);
    tools::JpegCoding grey;
    grey.grey = true;
    // Grey and unsubsampled colour: one sample per block in each component,
    // exactly as libjpeg's 1x1 transform makes it.
    QTest::newRow("grey") << large << grey << 0 << 0.0;
    QTest::newRow("4:4:4") << large << coding(1, 1) << 0 << 0.0;
    QTest::newRow("4:4:4, restart markers") << large << coding(1, 1, 3) << 0 << 0.0;
    // Subsampled colour: libjpeg uses a 2x2 transform for chroma, this
    // decoder smooths the chroma DC samples up.
    QTest::newRow("4:2:0") << large << coding(2, 2) << 12 << 1.0;
    QTest::newRow("4:2:2") << large << coding(2, 1) << 12 << 1.0;
    QTest::newRow("4:2:0, restart every row") << large << coding(2, 2, 1) << 12 << 1.0;
    QTest::newRow("4:2:0, optimised tables") << large << coding(2, 2, 0, true) << 12 << 1.0;
    QTest::newRow("4:2:0, odd size") << QSize(1001, 749) << coding(2, 2) << 12 << 1.0;
    // One pixel: the chroma block's mean against the corner of its 2x2 transform.
    QTest::newRow("4:2:0, one block") << QSize(7, 5) << coding(2, 2) << 16 << 8.0;
}

void TestJpegEighth::matchesLibjpeg()
{
    QFETCH(QSize, size);
    QFETCH(tools::JpegCoding, coding);
    QFETCH(int, largest);
    QFETCH(double, mean);
    const QByteArray jpeg = tools::encodeJpeg(tools::paintSamplePhoto(size, 5), coding);
    const QImage reference = libjpegEighth(jpeg);
    std::optional<Rgb32Picture> one = decodeJpegEighth(jpeg, 1);
    const std::optional<Rgb32Picture> two = decodeJpegEighth(jpeg, 2);
    QVERIFY(one && two);
    QCOMPARE(QSize(one->width, one->height), reference.size());
    QVERIFY(*one == *two); // the threads' shares make up the same picture
    const Difference d = differenceOf(imageOf(std::move(*one)), reference);
    QVERIFY2(d.largest <= largest && d.mean <= mean,
             qPrintable(QStringLiteral("largest %1, mean %2").arg(d.largest).arg(d.mean)));
}

void TestJpegEighth::leavesTheRestToLibjpeg_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QImage picture = tools::paintSamplePhoto(QSize(800, 600), 9);
    tools::JpegCoding progressive;
    progressive.progressive = true;
    const QByteArray baseline = tools::encodeJpeg(picture, tools::JpegCoding());
    QTest::newRow("progressive") << tools::encodeJpeg(picture, progressive);
    QTest::newRow("cut short") << baseline.first(baseline.size() * 3 / 5);
    QTest::newRow("no scan") << baseline.first(600);
    QTest::newRow("not a JPEG") << tools::encodePhoto(picture, tools::PhotoFormat::Bmp);
    QByteArray damagedTable = baseline;
    // The first Huffman table's code counts, claiming more codes than fit.
    const qsizetype dht = damagedTable.indexOf("\xFF\xC4");
    QVERIFY(dht > 0);
    damagedTable[dht + 5] = char(3); // three codes of one bit
    QTest::newRow("impossible Huffman table") << damagedTable;
}

void TestJpegEighth::leavesTheRestToLibjpeg()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(!decodeJpegEighth(bytes, 1));
    QVERIFY(!decodeJpegEighth(bytes, 2));
}

QTEST_GUILESS_MAIN(TestJpegEighth)
#include "tst_jpegeighth.moc"
