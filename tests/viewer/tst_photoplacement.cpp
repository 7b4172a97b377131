// Where a photo goes on the viewer's screen and how it is captioned: target
// size, scale, path and offsets for each sizing choice, and the name line.
#include "viewer/PhotoNameLine.h"
#include "viewer/PhotoTarget.h"
#include "viewer/SlideshowBinding.h"

#include "core/Settings.h"

#include <QTest>

using namespace quorbell;
using namespace quorbell::viewer;

Q_DECLARE_METATYPE(quorbell::viewer::SizingChoice)
Q_DECLARE_METATYPE(quorbell::viewer::ScalePath)

class TestPhotoPlacement : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void target_data();
    void target();
    void sizingFromSettings();
    void nameLine_data();
    void nameLine();
    void nameLineFromState();
};

void TestPhotoPlacement::target_data()
{
    QTest::addColumn<SizingChoice>("choice");
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QSize>("photo");
    QTest::addColumn<QSize>("newSize");
    QTest::addColumn<int>("scaleNum"); // scale = float(num) / float(den)
    QTest::addColumn<int>("scaleDen");
    QTest::addColumn<ScalePath>("path");
    QTest::addColumn<QPoint>("offset");

    const auto shrink = SizingChoice::ShrinkToFit;
    const auto fit = SizingChoice::ShrinkOrEnlarge;
    const auto same = SizingChoice::Unchanged;
    const QSize xga(1024, 768);

    // Equal ratios 1.5625: the height governs, the width comes out exact.
    QTest::newRow("tie, shrink to fit") << shrink << xga << QSize(1600, 1200) << xga << 1024 << 1600
                                        << ScalePath::Shrink << QPoint(0, 0);
    QTest::newRow("tie, shrink or enlarge") << fit << xga << QSize(1600, 1200) << xga << 1024
                                            << 1600 << ScalePath::Shrink << QPoint(0, 0);
    QTest::newRow("tie on a wide screen, enlarged")
        << fit << QSize(1366, 768) << QSize(683, 384) << QSize(1366, 768) << 2 << 1
        << ScalePath::Enlarge << QPoint(0, 0);
    QTest::newRow("width governs, enlarged") << fit << xga << QSize(800, 400) << QSize(1024, 512)
                                             << 1024 << 800 << ScalePath::Enlarge << QPoint(0, 128);
    QTest::newRow("small photo keeps its size when only shrinking")
        << shrink << xga << QSize(800, 400) << QSize(800, 400) << 1024 << 800 << ScalePath::AsIs
        << QPoint(112, 184);
    QTest::newRow("exactly the screen")
        << fit << xga << xga << xga << 1 << 1 << ScalePath::AsIs << QPoint(0, 0);
    QTest::newRow("smaller photo, shrink to fit, centred")
        << shrink << xga << QSize(640, 480) << QSize(640, 480) << 1024 << 640 << ScalePath::AsIs
        << QPoint(192, 144);
    QTest::newRow("odd margins round down") << shrink << xga << QSize(641, 481) << QSize(641, 481)
                                            << 1023 << 641 << ScalePath::AsIs << QPoint(191, 143);
    QTest::newRow("height governs, width is the integer quotient")
        << shrink << xga << QSize(1001, 1500) << QSize(512, 768) << 512 << 1001 << ScalePath::Shrink
        << QPoint(256, 0);
    QTest::newRow("width governs, height is the integer quotient")
        << shrink << xga << QSize(3000, 1999) << QSize(1024, 682) << 1024 << 3000
        << ScalePath::Shrink << QPoint(0, 43);
    QTest::newRow("unchanged, larger photo at the top-left corner")
        << same << xga << QSize(1600, 1200) << QSize(1600, 1200) << 1 << 1 << ScalePath::AsIs
        << QPoint(0, 0);
    QTest::newRow("unchanged, wider but lower photo")
        << same << xga << QSize(2000, 500) << QSize(2000, 500) << 1 << 1 << ScalePath::AsIs
        << QPoint(0, 134);
    // Extreme proportions: a side that would be 0 pixels stays 1.
    QTest::newRow("one pixel high panorama") << fit << xga << QSize(6000, 1) << QSize(1024, 1)
                                             << 1024 << 6000 << ScalePath::Shrink << QPoint(0, 383);
    QTest::newRow("one pixel wide, tall") << shrink << xga << QSize(1, 2000) << QSize(1, 768) << 1
                                          << 1 << ScalePath::AsIs << QPoint(511, 0);
    QTest::newRow("one pixel wide, enlarged by its width")
        << fit << xga << QSize(1, 100) << QSize(7, 768) << 7 << 1 << ScalePath::Enlarge
        << QPoint(508, 0);
    QTest::newRow("no screen") << fit << QSize(0, 0) << QSize(640, 480) << QSize(640, 480) << 1 << 1
                               << ScalePath::AsIs << QPoint(0, 0);
}

void TestPhotoPlacement::target()
{
    QFETCH(SizingChoice, choice);
    QFETCH(QSize, screen);
    QFETCH(QSize, photo);
    QFETCH(QSize, newSize);
    QFETCH(int, scaleNum);
    QFETCH(int, scaleDen);
    QFETCH(ScalePath, path);
    QFETCH(QPoint, offset);

    const PhotoTarget t = computePhotoTarget(choice, screen, photo);
    QCOMPARE(t.newSize(), newSize);
    QCOMPARE(t.path, path);
    QCOMPARE(t.offset(), offset);
    // Exactly, not within a tolerance: the drawing path depends on it.
    QVERIFY2(t.scale == float(scaleNum) / float(scaleDen), qPrintable(QString::number(t.scale)));
}

void TestPhotoPlacement::sizingFromSettings()
{
    Settings g;
    QCOMPARE(sizingChoiceFrom(g), SizingChoice::Unchanged);
    g.viewerOptions = ViewerOpt::FullSize; // without optSizeMax it changes nothing
    QCOMPARE(sizingChoiceFrom(g), SizingChoice::Unchanged);
    g.set(Flag::Fit);
    QCOMPARE(sizingChoiceFrom(g), SizingChoice::ShrinkOrEnlarge);
    g.viewerOptions = ViewerOpt::Range;
    QCOMPARE(sizingChoiceFrom(g), SizingChoice::ShrinkToFit);
}

void TestPhotoPlacement::nameLine_data()
{
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("comment");
    QTest::addColumn<QString>("photoName");
    QTest::addColumn<QString>("text");

    QTest::newRow("third album") << 2 << QStringLiteral("夏の旅行") << QStringLiteral("IMG0012.JPG")
                                 << QStringLiteral("3： 夏の旅行 - IMG0012");
    QTest::newRow("two dots") << 0 << QStringLiteral("c") << QStringLiteral("a.b.jpg")
                              << QStringLiteral("1： c - a");
    QTest::newRow("no dot") << 9 << QStringLiteral("c") << QStringLiteral("IMG0012")
                            << QStringLiteral("10： c - IMG0012");
    QTest::newRow("leading dot") << 0 << QStringLiteral("c") << QStringLiteral(".jpg")
                                 << QStringLiteral("1： c - ");
    QTest::newRow("empty comment")
        << 0 << QString() << QStringLiteral("写真.bmp") << QStringLiteral("1：  - 写真");
}

void TestPhotoPlacement::nameLine()
{
    QFETCH(int, selected);
    QFETCH(QString, comment);
    QFETCH(QString, photoName);
    QFETCH(QString, text);

    NameLineStyle style;
    style.fontSize = 14;
    const PhotoNameLine line = makePhotoNameLine(selected, comment, photoName, 768, style);
    QCOMPARE(line.text, text);
    QCOMPARE(line.height, 34);
    QCOMPARE(line.top, 734);
}

void TestPhotoPlacement::nameLineFromState()
{
    Settings g;
    g.nameFontName = QStringLiteral("IPAGothic");
    g.nameFontSize = 24;
    g.nameFontColour = 0x00336699; // blue 0x33, green 0x66, red 0x99
    g.fontStyle = FontStyle::Bold | FontStyle::UnderLine;

    const PhotoNameLine line = makePhotoNameLine(
        2, QStringLiteral("夏の旅行"), QStringLiteral("IMG0012.JPG"), 1080, nameLineStyleFrom(g));
    QCOMPARE(line.text, QStringLiteral("3： 夏の旅行 - IMG0012"));
    QCOMPARE(line.top, 1080 - 24 - 20);
    QCOMPARE(line.height, 44);
    QCOMPARE(line.colour(), QColor(0x99, 0x66, 0x33));
    const QFont f = line.font();
    QCOMPARE(f.family(), QStringLiteral("IPAGothic"));
    QCOMPARE(f.pointSize(), 24);
    QVERIFY(f.bold());
    QVERIFY(!f.italic());
    QVERIFY(!f.strikeOut());
    QVERIFY(f.underline());

    g.fontStyle = FontStyle::Italic | FontStyle::StrikeThru;
    const QFont f2 =
        makePhotoNameLine(0, QString(), QStringLiteral("a"), 1080, nameLineStyleFrom(g)).font();
    QVERIFY(!f2.bold());
    QVERIFY(f2.italic());
    QVERIFY(f2.strikeOut());
    QVERIFY(!f2.underline());
}

QTEST_MAIN(TestPhotoPlacement)
#include "tst_photoplacement.moc"
