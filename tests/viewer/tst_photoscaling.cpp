// The fast resamplers against the plain-loop ones, bit for bit, over random
// photos and many scale factors, and a few pixels worked out by hand.
#include "LiteralScaling.h"

#include "viewer/PhotoScaler.h"

#include <QRandomGenerator>
#include <QTest>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

#include <cstring>

using namespace quorbell;
using namespace quorbell::viewer;

namespace {

// Random bytes in every channel; the reserved byte opaque, as decoded photos have it.
QImage randomPhoto(int w, int h, quint32 seed)
{
    QImage image(w, h, QImage::Format_RGB32);
    QRandomGenerator rng(seed);
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<quint32*>(image.scanLine(y));
        for (int x = 0; x < w; ++x)
            line[x] = rng.generate() | 0xFF000000u;
    }
    return image;
}

// Builds a photo from bottom-up rows of (blue, green, red) triples.
QImage photoFromRows(int w, const QList<QList<int>>& bottomUpRows)
{
    const int h = int(bottomUpRows.size());
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<quint32*>(image.scanLine(h - 1 - y));
        for (int x = 0; x < w; ++x) {
            const QList<int>& row = bottomUpRows[y];
            line[x] = 0xFF000000u | quint32(row[3 * x]) | quint32(row[3 * x + 1]) << 8 |
                      quint32(row[3 * x + 2]) << 16;
        }
    }
    return image;
}

// Bytes of pixel (x, y), y counted from the bottom: blue, green, red, reserved.
QList<int> bytesAt(const QImage& image, int x, int y)
{
    const uchar* p = image.constScanLine(image.height() - 1 - y) + 4 * x;
    return {p[0], p[1], p[2], p[3]};
}

// Identical pixels, reserved bytes included; names the first difference.
bool sameBits(const QImage& a, const QImage& b, QString* where)
{
    if (a.size() != b.size() || a.format() != b.format()) {
        *where = QStringLiteral("size or format");
        return false;
    }
    for (int y = 0; y < a.height(); ++y) {
        if (std::memcmp(a.constScanLine(y), b.constScanLine(y), size_t(a.width()) * 4) == 0)
            continue;
        for (int x = 0; x < a.width(); ++x) {
            const quint32 pa = reinterpret_cast<const quint32*>(a.constScanLine(y))[x];
            const quint32 pb = reinterpret_cast<const quint32*>(b.constScanLine(y))[x];
            if (pa != pb) {
                *where = QStringLiteral("pixel (%1, %2) of %3x%4: %5 vs %6")
                             .arg(x)
                             .arg(y)
                             .arg(a.width())
                             .arg(a.height())
                             .arg(pa, 8, 16, QLatin1Char('0'))
                             .arg(pb, 8, 16, QLatin1Char('0'));
                return false;
            }
        }
    }
    return true;
}

} // namespace

class TestPhotoScaling : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void shrinkMatchesLiteral_data();
    void shrinkMatchesLiteral();
    void shrinkRandomFactors();
    void enlargeMatchesLiteral_data();
    void enlargeMatchesLiteral();
    void enlargeRandomFactors();
    void shrinkByHand();
    void shrinkBlocksFollowSinglePrecision();
    void enlargeByHand();
    void refusesWhatItCannotShrink();
    void transparencyLiesOnBlack();
    void sharesWorkFromABusyPool();
};

void TestPhotoScaling::shrinkMatchesLiteral_data()
{
    QTest::addColumn<QSize>("photo");
    QTest::addColumn<QSize>("newSize");
    QTest::newRow("just below 1") << QSize(101, 77) << QSize(100, 76);
    QTest::newRow("just below 1, low") << QSize(1000, 9) << QSize(999, 8);
    QTest::newRow("one half") << QSize(64, 48) << QSize(32, 24);
    QTest::newRow("one half of odd sizes") << QSize(65, 49) << QSize(32, 24);
    QTest::newRow("one third") << QSize(90, 60) << QSize(30, 20);
    QTest::newRow("one third of odd sizes") << QSize(91, 61) << QSize(30, 20);
    QTest::newRow("odd factor") << QSize(333, 250) << QSize(101, 75);
    QTest::newRow("one pixel high") << QSize(50, 1) << QSize(20, 1);
    QTest::newRow("two pixels wide, tall") << QSize(2, 600) << QSize(1, 300);
    QTest::newRow("tall") << QSize(30, 400) << QSize(12, 160);
    QTest::newRow("wide") << QSize(400, 30) << QSize(160, 12);
    QTest::newRow("rows reach past the top") << QSize(7, 100) << QSize(3, 60);
    QTest::newRow("to one pixel") << QSize(37, 23) << QSize(1, 1);
    // 600 half-pixel rows per block: sums outgrow 16-bit lanes.
    QTest::newRow("very large blocks") << QSize(600, 2000) << QSize(2, 7);
    QTest::newRow("large enough for threads") << QSize(1200, 900) << QSize(405, 303);
}

void TestPhotoScaling::shrinkMatchesLiteral()
{
    QFETCH(QSize, photo);
    QFETCH(QSize, newSize);
    const QImage src =
        randomPhoto(photo.width(), photo.height(), quint32(photo.width() * 7919 + photo.height()));
    const QImage expected = test::literalShrink(src, newSize);
    QString where;
    for (int threads : {1, 2, 3}) {
        const QImage got = shrinkPhoto(src, newSize, threads);
        QVERIFY2(sameBits(got, expected, &where),
                 qPrintable(QStringLiteral("%1 thread(s): %2").arg(threads).arg(where)));
    }
}

void TestPhotoScaling::shrinkRandomFactors()
{
    QRandomGenerator rng(20240611);
    QString where;
    for (int i = 0; i < 300; ++i) {
        const int w = rng.bounded(2, 160);
        const int h = rng.bounded(1, 160);
        const int newW = rng.bounded(1, w);
        // Mostly the proportions the placement gives, sometimes any height.
        const int newH = i % 4 == 0 ? rng.bounded(1, h + 20) : std::max(1, newW * h / w);
        const QImage src = randomPhoto(w, h, rng.generate());
        const QImage got = shrinkPhoto(src, QSize(newW, newH), 1);
        const QImage expected = test::literalShrink(src, QSize(newW, newH));
        QVERIFY2(
            sameBits(got, expected, &where),
            qPrintable(
                QStringLiteral("%1x%2 -> %3x%4: %5").arg(w).arg(h).arg(newW).arg(newH).arg(where)));
    }
}

void TestPhotoScaling::enlargeMatchesLiteral_data()
{
    QTest::addColumn<QSize>("photo");
    QTest::addColumn<QSize>("newSize");
    QTest::newRow("one pixel") << QSize(1, 1) << QSize(5, 3);
    QTest::newRow("two by two, twice") << QSize(2, 2) << QSize(4, 4);
    QTest::newRow("just above 1") << QSize(100, 75) << QSize(101, 75);
    QTest::newRow("twice") << QSize(40, 30) << QSize(80, 60);
    QTest::newRow("three times") << QSize(40, 30) << QSize(120, 90);
    QTest::newRow("odd factor") << QSize(37, 23) << QSize(1000, 621);
    QTest::newRow("one pixel wide, rows beyond the photo") << QSize(1, 100) << QSize(7, 768);
    QTest::newRow("one pixel high") << QSize(100, 1) << QSize(1024, 10);
    QTest::newRow("tiny to a screen") << QSize(3, 2) << QSize(1024, 682);
    QTest::newRow("smaller target") << QSize(640, 480) << QSize(300, 200);
    QTest::newRow("800x600 to 1440x1080") << QSize(800, 600) << QSize(1440, 1080);
}

void TestPhotoScaling::enlargeMatchesLiteral()
{
    QFETCH(QSize, photo);
    QFETCH(QSize, newSize);
    const QImage src = randomPhoto(photo.width(), photo.height(),
                                   quint32(photo.width() * 104729 + photo.height()));
    const QImage expected = test::literalEnlarge(src, newSize);
    QString where;
    for (int threads : {1, 2}) {
        const QImage got = enlargePhoto(src, newSize, threads);
        QVERIFY2(sameBits(got, expected, &where),
                 qPrintable(QStringLiteral("%1 thread(s): %2").arg(threads).arg(where)));
    }
}

void TestPhotoScaling::enlargeRandomFactors()
{
    QRandomGenerator rng(77031);
    QString where;
    for (int i = 0; i < 300; ++i) {
        const int w = rng.bounded(1, 60);
        const int h = rng.bounded(1, 60);
        const int newW = rng.bounded(w + 1, 4 * w + 40);
        const int newH = i % 4 == 0 ? rng.bounded(1, 4 * h + 40) : std::max(1, newW * h / w);
        const QImage src = randomPhoto(w, h, rng.generate());
        const QImage got = enlargePhoto(src, QSize(newW, newH), 1);
        const QImage expected = test::literalEnlarge(src, QSize(newW, newH));
        QVERIFY2(
            sameBits(got, expected, &where),
            qPrintable(
                QStringLiteral("%1x%2 -> %3x%4: %5").arg(w).arg(h).arg(newW).arg(newH).arg(where)));
    }
}

// 4x4 to 2x2 (s = 1/2): each destination pixel averages a 2x2 block, rows
// counted from the bottom; means of .5 go to the even neighbour.
void TestPhotoScaling::shrinkByHand()
{
    // Blue, green, red per pixel; row 0 is the bottom row.
    const QImage src = photoFromRows(4, {
                                            {0, 10, 1, 1, 11, 1, 1, 12, 2, 2, 12, 2},
                                            {0, 10, 3, 1, 11, 3, 1, 12, 4, 2, 13, 4},
                                            {2, 9, 0, 3, 9, 0, 10, 0, 200, 20, 0, 201},
                                            {2, 8, 0, 3, 8, 0, 30, 0, 202, 41, 0, 203},
                                        });
    const QImage dst = shrinkPhoto(src, QSize(2, 2), 1);
    QCOMPARE(dst.format(), QImage::Format_RGB32);
    QCOMPARE(bytesAt(dst, 0, 0), (QList<int>{0, 10, 2, 0})); // 0.5, 10.5, 2
    QCOMPARE(bytesAt(dst, 1, 0), (QList<int>{2, 12, 3, 0})); // 1.5, 12.25, 3
    QCOMPARE(bytesAt(dst, 0, 1), (QList<int>{2, 8, 0, 0}));  // 2.5, 8.5, 0
    // The last row and column are computed as well, not left black.
    QCOMPARE(bytesAt(dst, 1, 1), (QList<int>{25, 0, 202, 0})); // 25.25, 0, 201.5
}

// 3x3 to 2x2 (s = 2/3, h = 0.33333334f): 1/h and 2/h round to exactly 3 and 6
// in single precision, so the blocks are half-pixels 0-2 and 3-5: weights
// 2, 1 and 1, 2 on each axis. (With the divisions in double they would be
// 0-1 and 2-4.)
void TestPhotoScaling::shrinkBlocksFollowSinglePrecision()
{
    const QImage src = photoFromRows(3, {
                                            {9, 0, 0, 18, 0, 0, 27, 0, 0},
                                            {0, 0, 0, 9, 0, 0, 90, 0, 0},
                                            {45, 0, 0, 0, 0, 0, 3, 0, 0},
                                        });
    const QImage dst = shrinkPhoto(src, QSize(2, 2), 1);
    QCOMPARE(bytesAt(dst, 0, 0)[0], 9);  // (4*9 + 2*18 + 2*0 + 9) / 3 / 3
    QCOMPARE(bytesAt(dst, 1, 0)[0], 37); // (2*18 + 4*27 + 9 + 2*90) / 9
    QCOMPARE(bytesAt(dst, 0, 1)[0], 21); // (2*0 + 9 + 4*45 + 2*0) / 9
    QCOMPARE(bytesAt(dst, 1, 1)[0], 22); // (9 + 2*90 + 2*0 + 4*3) / 9 = 22.33
}

// 2x2 to 4x4 (r = 1/2). Columns 1 and 3 lie halfway between source columns,
// rows likewise; column 3 and row 3 have their far neighbour beyond the photo
// and take the last column or row instead of staying black.
void TestPhotoScaling::enlargeByHand()
{
    const QImage src = photoFromRows(2, {
                                            {10, 1, 0, 21, 2, 255},
                                            {30, 3, 0, 40, 5, 255},
                                        });
    const QImage dst = enlargePhoto(src, QSize(4, 4), 1);
    QCOMPARE(bytesAt(dst, 0, 0), (QList<int>{10, 1, 0, 0}));
    QCOMPARE(bytesAt(dst, 1, 0), (QList<int>{16, 2, 128, 0})); // 15.5, 1.5, 127.5
    QCOMPARE(bytesAt(dst, 1, 1), (QList<int>{25, 3, 128, 0})); // 25.25, 2.75, 127.5
    QCOMPARE(bytesAt(dst, 1, 2), (QList<int>{35, 4, 128, 0})); // 35, 4, 127.5
    QCOMPARE(bytesAt(dst, 0, 3), (QList<int>{30, 3, 0, 0}));
    QCOMPARE(bytesAt(dst, 3, 0), (QList<int>{21, 2, 255, 0}));
    QCOMPARE(bytesAt(dst, 3, 3), (QList<int>{40, 5, 255, 0}));
}

void TestPhotoScaling::refusesWhatItCannotShrink()
{
    const QImage src = randomPhoto(10, 10, 1);
    QVERIFY(shrinkPhoto(src, QSize(10, 5)).isNull()); // not smaller
    QVERIFY(shrinkPhoto(src, QSize(0, 5)).isNull());
    QVERIFY(shrinkPhoto(src, QSize(5, 0)).isNull());
    QVERIFY(shrinkPhoto(QImage(), QSize(1, 1)).isNull());
    QVERIFY(enlargePhoto(src, QSize(20, 0)).isNull());
    QVERIFY(enlargePhoto(QImage(), QSize(20, 20)).isNull());
}

void TestPhotoScaling::transparencyLiesOnBlack()
{
    QImage argb(2, 1, QImage::Format_ARGB32);
    argb.setPixel(0, 0, qRgba(200, 100, 50, 128));
    argb.setPixel(1, 0, qRgba(200, 100, 50, 0));
    const QImage opaque = toOpaqueRgb32(argb);
    QCOMPARE(opaque.format(), QImage::Format_RGB32);
    QCOMPARE(opaque.pixel(0, 0), qRgb(100, 50, 25));
    QCOMPARE(opaque.pixel(1, 0), qRgb(0, 0, 0));
}

// The viewer resamples on a pool thread; asking the same pool for helpers
// while no thread is free must still finish, with the same pixels.
void TestPhotoScaling::sharesWorkFromABusyPool()
{
    const QImage src = randomPhoto(1000, 700, 99);
    const QImage expected = test::literalShrink(src, QSize(333, 233));
    QThreadPool* pool = QThreadPool::globalInstance();
    const int before = pool->maxThreadCount();
    pool->setMaxThreadCount(1);
    QFuture<QImage> job =
        QtConcurrent::run(pool, [&src] { return shrinkPhoto(src, QSize(333, 233), 4); });
    const QImage got = job.result();
    pool->setMaxThreadCount(before);
    QString where;
    QVERIFY2(sameBits(got, expected, &where), qPrintable(where));
}

QTEST_MAIN(TestPhotoScaling)
#include "tst_photoscaling.moc"
