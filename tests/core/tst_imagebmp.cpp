// The data file: a 1334-byte default cover that the image reader accepts,
// and the start-up picture from byte position 1335.
#include "core/Paths.h"
#include "core/StartupWindow.h"

#include "ImageBmpMaker.h"

#include <QFile>
#include <QImage>
#include <QTest>

using namespace quorbell;

class TestImageBmp : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void layoutOfTheFile();
    void missingFileGivesNoPicture();
};

void TestImageBmp::layoutOfTheFile()
{
    const QString path = dataFolder() + QStringLiteral("Image.bmp");
    QFile f(path);
    QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(path));
    const QByteArray bytes = f.readAll();
    QCOMPARE(bytes.size(), kCoverBytes + kSplashBytes);
    QCOMPARE(bytes, tools::buildImageBmp()); // the build wrote what the maker makes
    // The whole file loads as the cover: the reader reads the first BMP.
    const QImage cover = QImage::fromData(bytes);
    QCOMPARE(cover.size(), QSize(64, 64));
    QVERIFY(cover.pixelColor(2, 2) != cover.pixelColor(30, 30)); // a real picture, not a blank
    QCOMPARE(QImage::fromData(bytes.left(kCoverBytes)).size(), QSize(64, 64));
    const QImage splash = readStartupPicture(path);
    QCOMPARE(splash.size(), QSize(480, 300));
}

void TestImageBmp::missingFileGivesNoPicture()
{
    QVERIFY(readStartupPicture(QStringLiteral("/nonexistent/Image.bmp")).isNull());
}

QTEST_MAIN(TestImageBmp)
#include "tst_imagebmp.moc"
