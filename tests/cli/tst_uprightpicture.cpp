// The thumbnailer's own turning and shrinking of plain pixels: every EXIF
// orientation against the window program's turning of the same picture, and
// the area-average shrink on sizes that divide evenly and unevenly.
#include "album/PhotoOrientation.h"
#include "thumbnailer/UprightPicture.h"

#include <QTest>

using namespace quorbell;

namespace {

// A picture whose every pixel differs.
album::Rgb32Picture numbered(int width, int height)
{
    album::Rgb32Picture p(width, height);
    for (std::size_t i = 0; i < p.count(); ++i)
        p.pixels[i] = 0xFF000000u | quint32(i * 7919 % 0xFFFFFF);
    return p;
}

album::Rgb32Picture filled(int width, int height, quint32 colour)
{
    album::Rgb32Picture p(width, height);
    std::fill(p.pixels.get(), p.pixels.get() + p.count(), colour);
    return p;
}

} // namespace

class TestUprightPicture : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void turnsAsTheProgramDoes_data();
    void turnsAsTheProgramDoes();
    void shrinksByAreaMean_data();
    void shrinksByAreaMean();
};

void TestUprightPicture::turnsAsTheProgramDoes_data()
{
    QTest::addColumn<int>("orientation");
    for (int o = 0; o <= 9; ++o)
        QTest::newRow(qPrintable(QString::number(o))) << o;
}

void TestUprightPicture::turnsAsTheProgramDoes()
{
    QFETCH(int, orientation);
    const QImage expected = album::applyOrientation(album::imageOf(numbered(5, 3)), orientation);
    album::Rgb32Picture upright = thumbnailer::turnedUpright(numbered(5, 3), orientation);
    QCOMPARE(QSize(upright.width, upright.height), album::orientedSize(QSize(5, 3), orientation));
    QCOMPARE(album::imageOf(std::move(upright)), expected);
}

void TestUprightPicture::shrinksByAreaMean_data()
{
    QTest::addColumn<QSize>("from");
    QTest::addColumn<QSize>("to");
    QTest::newRow("halved") << QSize(4, 2) << QSize(2, 1);
    QTest::newRow("uneven") << QSize(7, 5) << QSize(3, 2);
    QTest::newRow("to one pixel") << QSize(3, 1) << QSize(1, 1);
    QTest::newRow("eighth of a photo to a cell") << QSize(500, 375) << QSize(254, 190);
}

void TestUprightPicture::shrinksByAreaMean()
{
    QFETCH(QSize, from);
    QFETCH(QSize, to);
    // A single colour stays that colour, to the level.
    const album::Rgb32Picture plain =
        thumbnailer::shrunkTo(filled(from.width(), from.height(), 0xFF336699u), to);
    QCOMPARE(QSize(plain.width, plain.height), to);
    for (std::size_t i = 0; i < plain.count(); ++i)
        QCOMPARE(plain.pixels[i], 0xFF336699u);
    // Stripes one pixel wide of black and white average to mid grey when
    // each result pixel covers two or more whole pixels evenly.
    album::Rgb32Picture stripes(from.width(), from.height());
    for (int y = 0; y < from.height(); ++y)
        for (int x = 0; x < from.width(); ++x)
            stripes.row(y)[x] = x % 2 == 0 ? 0xFF000000u : 0xFFFFFFFFu;
    const album::Rgb32Picture grey = thumbnailer::shrunkTo(std::move(stripes), to);
    if (from.width() == 2 * to.width())
        QCOMPARE(grey.row(0)[0] & 0xFF, 128u);
}

QTEST_GUILESS_MAIN(TestUprightPicture)
#include "tst_uprightpicture.moc"
