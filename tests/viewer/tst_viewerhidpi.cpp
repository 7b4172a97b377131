// The viewer on a screen with a device pixel ratio of 2: the screen size is
// taken in device pixels, photos are drawn one photo pixel to one device
// pixel, and the name line keeps to the bottom edge.
#include "ViewerAlbums.h"

#include "core/frmMain.h"
#include "viewer/ViewerCommands.h"
#include "viewer/frmPicture.h"

#include "ScriptedPrompts.h"
#include "TestEnvironment.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace quorbell;

class TestViewerHiDpi : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void drawnInDevicePixels();
};

void TestViewerHiDpi::drawnInDevicePixels()
{
    QCOMPARE(QGuiApplication::primaryScreen()->devicePixelRatio(), 2.0);
    test::TestEnvironment env;
    test::ScriptedPrompts prompts;
    QTemporaryDir dir;
    frmMain w;
    registerViewerCommands(w);
    w.show();
    w.document().setAlbumFolder(dir.path() + QLatin1Char('/'));
    w.settings().set(Flag::Fit);
    w.settings().set(Flag::PhotoName);
    w.settings().nameFontSize = 12;
    w.settings().interval = 1;
    QVERIFY(test::writeAlbumFile(dir.filePath(QStringLiteral("a.sld")),
                                 test::solidAlbumBytes(0, {QStringLiteral("P0.JPG")})));
    AlbumEntry e;
    e.fileName = QStringLiteral("a.sld");
    w.document().insertEntry(w.document().albumCount(), e);
    w.setMode(Mode::Shown);

    w.runCommand(Command::ViewSlide);
    QCoreApplication::sendPostedEvents();
    frmPicture* v = frmPicture::current();
    QVERIFY(v);
    QCOMPARE(QSize(w.screenSize().width(), w.screenSize().height()), QSize(800, 600));
    QCOMPARE(v->canvas().size(), QSize(800, 600));
    v->sldTimer()->stop();
    frmPicture_sldTimer_Timer(*v);
    QTRY_VERIFY(v->lastShown().drawn); // the photo arrives from a worker

    // The 64 x 48 photo, centred on 800 x 600 device pixels: (368, 276) to (431, 323).
    const QImage screen = v->grab().toImage();
    QCOMPARE(screen.size(), QSize(800, 600));
    const QRgb photo = test::photoColour(0, 0).rgb();
    const QRgb black = qRgb(0, 0, 0);
    QCOMPARE(screen.pixel(368, 276), photo);
    QCOMPARE(screen.pixel(431, 276), photo);
    QCOMPARE(screen.pixel(368, 323), photo);
    QCOMPARE(screen.pixel(367, 276), black);
    QCOMPARE(screen.pixel(432, 300), black);
    QCOMPARE(screen.pixel(400, 275), black);
    QCOMPARE(screen.pixel(400, 324), black);

    // The name line: 12 + 20 window pixels high, at the bottom of the 300-pixel-high window.
    QCOMPARE(v->lblPhotoName()->geometry(), QRect(0, 268, v->width(), 32));
    frmPicture_Form_KeyPress(*v, 27);
    QVERIFY(!frmPicture::current());
}

int main(int argc, char* argv[])
{
    QTemporaryDir config;
    QFile f(config.filePath(QStringLiteral("screen.json")));
    if (!f.open(QIODevice::WriteOnly) ||
        f.write(R"({"screens": [{"name": "hidpi", "x": 0, "y": 0, "width": 400, "height": 300,
                    "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 2}]})") < 0)
        return 1;
    f.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + f.fileName().toLocal8Bit());
    QApplication app(argc, argv);
    TestViewerHiDpi t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_viewerhidpi.moc"
