// Pixels of the persistent image: frames, thumbnails, comment strips, the
// cross over a missing album, the selection frame, hidden entries, scrolling.
#include "core/BinaryIO.h"
#include "core/ThumbnailFormat.h"
#include "core/frmMain.h"
#include "grid/Cover.h"
#include "grid/GridDrawing.h"
#include "grid/GridInput.h"
#include "grid/ThumbnailBlit.h"

#include "GridFixture.h"
#include "ScriptedPrompts.h"
#include "TestEnvironment.h"

#include <QFile>
#include <QPainter>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

using namespace quorbell;

namespace {

// Pixels compare as plain RGB values, whatever colour model a QColor was made in.
QRgb pixel(const frmMain& w, int x, int y)
{
    const QImage& img = w.surface()->canvas();
    const qreal dpr = img.devicePixelRatio();
    return img.pixel(int(x * dpr), int(y * dpr));
}

QRgb rgb(const QColor& c)
{
    return c.rgb();
}

QPoint cellOf(const frmMain& w, int index)
{
    const qint32 pos = w.document().entry(index).cellPos;
    return QPoint(pairHigh(pos), pairLow(pos));
}

} // namespace

class TestGridDrawing : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void raisedFrameAndThumbnail();
    void commentStrip();
    void hiddenEntriesLeaveNoGap();
    void missingAlbumCross();
    void selectionFrame();
    void redrawStopsAtTheFirstRowThatDoesNotFit();
    void scrollingShowsTheRightEntry();
    void scrollValuesCountWholeRows_data();
    void scrollValuesCountWholeRows();
    void coverView();
    void resizeKeepsSelection();
    void thumbnailPixelsAsPainterDrawsThem_data();
    void thumbnailPixelsAsPainterDrawsThem();
};

void TestGridDrawing::raisedFrameAndThumbnail()
{
    test::TestEnvironment env;
    auto w = test::makeWindow(QSize(400, 300));
    test::fillDocument(w->document(), {"a.sld"}, 80, QSize(60, 40));
    w->document().setGridSource(true);
    RedrawGrid(*w, 0, 0);
    QCOMPARE(cellOf(*w, 0), QPoint(10, 33));
    const QColor light = frameHighlight(*w), dark = frameShadow(*w);
    QCOMPARE(pixel(*w, 10, 33), rgb(light)); // top-left corner: top and left edges
    QCOMPARE(pixel(*w, 50, 33), rgb(light)); // top edge
    QCOMPARE(pixel(*w, 10, 80), rgb(light)); // left edge
    QCOMPARE(pixel(*w, 89, 60), rgb(dark));  // right edge at x + c - 1
    QCOMPARE(pixel(*w, 50, 112), rgb(dark)); // bottom edge at y + c - 1
    QCOMPARE(pixel(*w, 90, 60), rgb(w->surface()->backgroundColour())); // nothing past the cell
    // The 60x40 thumbnail sits at its own size at offset (10, 20).
    QCOMPARE(pixel(*w, 20, 53), rgb(test::thumbColour(0)));
    QCOMPARE(pixel(*w, 79, 92), rgb(test::thumbColour(0)));
    QVERIFY(pixel(*w, 19, 53) != rgb(test::thumbColour(0)));
    QVERIFY(pixel(*w, 80, 92) != rgb(test::thumbColour(0)));
}

void TestGridDrawing::commentStrip()
{
    test::TestEnvironment env;
    auto w = test::makeWindow(QSize(400, 300));
    test::fillDocument(w->document(), {"a.sld"}, 80);
    w->document().setGridSource(true);
    w->settings().set(Flag::CommentDefault);
    RedrawGrid(*w, 0, 0);
    // The strip starts on the cell's bottom row and is strip height + 1 high;
    // the bottom edge is drawn over its first row.
    QCOMPARE(pixel(*w, 10, 33 + 80 + 12 - 1), rgb(QColor(0xF7, 0xF7, 0xF7)));
    QCOMPARE(pixel(*w, 89, 33 + 80 + 3), rgb(QColor(0xF7, 0xF7, 0xF7)));
    QVERIFY(pixel(*w, 10, 33 + 80 + 12 + 1) != rgb(QColor(0xF7, 0xF7, 0xF7)));
    // Toggling hides it: exactly one of the setting and the toggle draws strips.
    w->setCommentToggle(true);
    RedrawGrid(*w, 0, 0);
    QVERIFY(pixel(*w, 89, 33 + 80 + 3) != rgb(QColor(0xF7, 0xF7, 0xF7)));
}

void TestGridDrawing::hiddenEntriesLeaveNoGap()
{
    test::TestEnvironment env;
    auto w = test::makeWindow(QSize(600, 400));
    test::fillDocument(w->document(), {"a.sld", "*b.sld", "c.sld", "*d.sld", "e.sld"});
    w->document().setGridSource(true);
    RedrawGrid(*w, 0, 4);
    QCOMPARE(cellOf(*w, 0), QPoint(10, 33));
    QCOMPARE(cellOf(*w, 2), QPoint(93, 33));
    QCOMPARE(cellOf(*w, 4), QPoint(176, 33));
    QCOMPARE(w->layout().lastDrawnIndex, qint16(4));
    QCOMPARE(w->layout().entriesBelow, qint16(0));
}

void TestGridDrawing::missingAlbumCross()
{
    test::TestEnvironment env;
    QTemporaryDir dir;
    QFile present(dir.filePath("here.sld"));
    QVERIFY(present.open(QIODevice::WriteOnly));
    present.close();
    auto w = test::makeWindow(QSize(400, 300));
    test::fillDocument(w->document(), {"here.sld", "gone.sld"}, 80, QSize(200, 200));
    w->document().setAlbumFolder(dir.path() + QLatin1Char('/'));
    RedrawGrid(*w, 0, 1);
    const QPoint gone = cellOf(*w, 1);
    const QColor dark = frameShadow(*w);
    QCOMPARE(pixel(*w, gone.x() + 40, gone.y() + 40),
             rgb(QColor(Qt::black))); // diagonal crosses the centre
    QCOMPARE(pixel(*w, gone.x() + 40, gone.y() + 39), rgb(QColor(Qt::black)));
    QCOMPARE(pixel(*w, gone.x() + 50, gone.y()), rgb(dark)); // top edge redrawn dark
    QCOMPARE(pixel(*w, gone.x(), gone.y() + 50), rgb(dark)); // left edge redrawn dark
    QCOMPARE(pixel(*w, 50, 33),
             rgb(frameHighlight(*w))); // the present album keeps its raised frame
    QCOMPARE(pixel(*w, 50, 73), rgb(test::thumbColour(0))); // and no cross
    // A grid just built from album files never shows a cross.
    w->document().setGridSource(true);
    RedrawGrid(*w, 0, 1);
    QCOMPARE(pixel(*w, gone.x() + 40, gone.y() + 40), rgb(test::thumbColour(1)));
}

void TestGridDrawing::selectionFrame()
{
    test::TestEnvironment env;
    auto w = test::makeWindow(QSize(400, 300));
    test::fillDocument(w->document(), {"a.sld"}, 80, QSize(200, 200));
    w->document().setGridSource(true);
    w->settings().selectionColour = 0x0000FF; // red as 0x00BBGGRR
    RedrawGrid(*w, 0, 0);
    DrawSelectionFrame(*w, 0);
    const QColor red(255, 0, 0);
    // Width 3, centred on the box from (12, 35) to (89, 112).
    for (const QPoint& p : {QPoint(11, 60), QPoint(12, 60), QPoint(13, 60), QPoint(50, 35),
                            QPoint(88, 60), QPoint(89, 60), QPoint(50, 112)})
        QVERIFY2(pixel(*w, p.x(), p.y()) == rgb(red),
                 qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
    QVERIFY(pixel(*w, 14, 60) != rgb(red));
    QVERIFY(pixel(*w, 10, 60) != rgb(red));
    RedrawGrid(*w, 0, 0); // a redraw erases the frame
    QVERIFY(pixel(*w, 12, 60) != rgb(red));
}

void TestGridDrawing::redrawStopsAtTheFirstRowThatDoesNotFit()
{
    test::TestEnvironment env;
    // 363 wide: 3 columns; 249 high: one row only (see the geometry table).
    auto w = test::makeWindow(QSize(363, 249));
    QStringList names;
    for (int i = 0; i < 10; ++i)
        names << QStringLiteral("%1.sld").arg(i);
    names[5] = QStringLiteral("*5.sld");
    test::fillDocument(w->document(), names);
    w->document().setGridSource(true);
    w->setMode(Mode::Shown);
    RedrawGrid(*w, 0, 9);
    QCOMPARE(w->layout().columnsPerRow, qint16(3));
    QCOMPARE(w->layout().lastDrawnIndex, qint16(2));
    QCOMPARE(w->layout().entriesBelow, qint16(6)); // 7 entries after index 2, one hidden
    UpdateScrollRange(*w);
    QVERIFY(w->vScroll()->isVisible());
    QCOMPARE(w->vScroll()->maximum(), 2);
}

void TestGridDrawing::scrollingShowsTheRightEntry()
{
    test::TestEnvironment env;
    auto w = test::makeWindow(QSize(363, 249));
    QStringList names;
    for (int i = 0; i < 10; ++i)
        names << QStringLiteral("%1.sld").arg(i);
    names[1] = QStringLiteral("*1.sld");
    test::fillDocument(w->document(), names);
    w->document().setGridSource(true);
    w->setMode(Mode::Shown);
    RedrawGrid(*w, 0, 9);
    UpdateScrollRange(*w);
    w->vScroll()->setValue(1);
    frmMain_VScroll_Scroll(*w);
    // Value 1 shows the 4th visible entry (index 4, since index 1 is hidden).
    QCOMPARE(w->layout().firstDrawnIndex, qint16(4));
    QCOMPARE(cellOf(*w, 4), QPoint(10, 33));
    QCOMPARE(pixel(*w, 20, 53), rgb(test::thumbColour(4)));
    // The wheel goes through the scroll bar: one notch, one row.
    scrollGridByRows(*w, 1);
    QCOMPARE(w->vScroll()->value(), 2);
    // Outside modes 3 and 4 the wheel does nothing.
    w->setMode(Mode::Loading);
    scrollGridByRows(*w, -1);
    QCOMPARE(w->vScroll()->value(), 2);
}

void TestGridDrawing::scrollValuesCountWholeRows_data()
{
    QTest::addColumn<QSize>("client");
    QTest::addColumn<int>("entries");
    QTest::addColumn<int>("loaded"); // 0: the grid is shown; else loading, resized after this many
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("maximum");
    // 363 x 249 holds one row of 3 cells of 80; 363 x 344 two rows.
    QTest::newRow("one row, lone last cell") << QSize(363, 249) << 10 << 0 << 3 << 3;
    QTest::newRow("one row, short last row") << QSize(363, 249) << 11 << 0 << 3 << 3;
    QTest::newRow("two rows, lone last cell") << QSize(363, 344) << 13 << 0 << 3 << 3;
    QTest::newRow("wide, one row") << QSize(800, 249) << 20 << 0 << 9 << 2;
    // Resized while loading: the view moves down to the lone last loaded entry.
    QTest::newRow("resized while loading") << QSize(363, 249) << 12 << 10 << 3 << 3;
}

void TestGridDrawing::scrollValuesCountWholeRows()
{
    // Value v shows entry v x columns at the top left, and the range never
    // changes while the user scrolls: a short last row does not make the
    // rows narrower.
    QFETCH(QSize, client);
    QFETCH(int, entries);
    QFETCH(int, loaded);
    QFETCH(int, columns);
    QFETCH(int, maximum);
    test::TestEnvironment env;
    auto w = test::makeWindow(client);
    QStringList names;
    for (int i = 0; i < entries; ++i)
        names << QStringLiteral("%1.sld").arg(i);
    test::fillDocument(w->document(), names);
    w->document().setGridSource(true);
    w->setMode(loaded > 0 ? Mode::Loading : Mode::Shown);
    w->document().setLoadIndex(qint16(loaded > 0 ? loaded : entries));
    frmMain_Form_Resize(*w);
    QCOMPARE(int(w->layout().columnsPerRow), columns);
    QCOMPARE(w->vScroll()->maximum(), maximum);
    if (loaded > 0) {
        QCOMPARE(int(w->layout().firstDrawnIndex), (loaded - 1) / columns * columns);
        return;
    }
    for (int value = 0; value <= maximum; ++value) {
        w->vScroll()->setValue(value);
        frmMain_VScroll_Scroll(*w);
        QCOMPARE(int(w->layout().firstDrawnIndex), value * columns);
        QCOMPARE(cellOf(*w, value * columns), QPoint(10, 33));
        QCOMPARE(w->vScroll()->maximum(), maximum);
    }
}

void TestGridDrawing::coverView()
{
    test::TestEnvironment env;
    test::ScriptedPrompts prompts;
    auto w = test::makeWindow(QSize(400, 300));
    test::fillDocument(w->document(), {"a.sld"}, 80, QSize(60, 40));
    w->document().setGridSource(true);
    w->settings().set(Flag::CommentDefault);
    w->settings().set(Flag::CoverSetting);
    w->settings().set(Flag::CoverFirst);
    QTemporaryDir dir;
    QImage cover(200, 100, QImage::Format_RGB32);
    cover.fill(QColor(10, 200, 30));
    w->settings().coverImagePath = dir.filePath("cover.png");
    QVERIFY(cover.save(w->settings().coverImagePath));
    QVERIFY(PrepareCover(*w));
    QCOMPARE(w->surface()->coverPicture.size(), QSize(78, 39));
    QCOMPARE(w->surface()->coverSize.width(), qint16(200));
    QVERIFY(w->isCoverView()); // cover-first starts the grid in cover view
    w->setMode(Mode::Shown);
    RedrawGrid(*w, 0, 0);
    QCOMPARE(pixel(*w, 50, 73), rgb(QColor(10, 200, 30)));
    QVERIFY(pixel(*w, 89, 33 + 80 + 3) != rgb(QColor(0xF7, 0xF7, 0xF7))); // no strips in cover view
    frmMain_mnuViewCover_Click(*w);
    QVERIFY(!w->isCoverView());
    QCOMPARE(pixel(*w, 50, 73), rgb(test::thumbColour(0)));
    // A missing cover file warns and leaves the prepared cover alone.
    w->settings().coverImagePath = dir.filePath("missing.png");
    QVERIFY(!PrepareCover(*w));
    QCOMPARE(prompts.messageTitles(), QStringList{"アルバムカバー"});
    QCOMPARE(w->surface()->coverPicture.size(), QSize(78, 39));
    // With the cover setting off the command only switches cover view off.
    w->settings().clear(Flag::CoverSetting);
    frmMain_mnuViewCover_Click(*w);
    QVERIFY(!w->isCoverView());
}

void TestGridDrawing::resizeKeepsSelection()
{
    test::TestEnvironment env;
    auto w = test::makeWindow(QSize(400, 300));
    test::fillDocument(w->document(), {"a.sld", "b.sld", "c.sld", "d.sld", "e.sld", "f.sld"}, 80,
                       QSize(200, 200));
    w->document().setGridSource(true);
    w->settings().selectionColour = 0x0000FF;
    w->setMode(Mode::Selected);
    w->document().setSelectedIndex(4);
    w->layout().firstDrawnIndex = 3;
    w->resize(w->size() + QSize(200, 0));
    QTRY_COMPARE(w->surface()->width(), 600);
    frmMain_Form_Resize(*w);
    QCOMPARE(w->layout().firstDrawnIndex, qint16(0)); // back to the top
    QCOMPARE(cellOf(*w, 4), QPoint(10 + 4 * 83, 33));
    QCOMPARE(pixel(*w, cellOf(*w, 4).x() + 2, 60), rgb(QColor(255, 0, 0)));
    QCOMPARE(w->vScroll()->value(), 0);
}

QTEST_MAIN(TestGridDrawing)
void TestGridDrawing::thumbnailPixelsAsPainterDrawsThem_data()
{
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<qreal>("ratio");
    QTest::newRow("inside") << QPoint(10, 33) << 1.0;
    QTest::newRow("cut at the right and bottom") << QPoint(70, 40) << 1.0;
    QTest::newRow("cut at the left and top") << QPoint(-5, -3) << 1.0;
    QTest::newRow("wholly outside") << QPoint(200, 10) << 1.0;
    QTest::newRow("high-density picture") << QPoint(10, 5) << 2.0;
}

void TestGridDrawing::thumbnailPixelsAsPainterDrawsThem()
{
    // The 24-bit thumbnail copied by the row loop gives exactly what
    // QPainter gives for the same picture held in 32-bit form.
    QFETCH(QPoint, at);
    QFETCH(qreal, ratio);
    QImage picture(13, 29, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x * 19, y * 8, (x * y) & 0xFF));
    QImage ours(QSize(80, 50) * ratio, QImage::Format_RGB32);
    ours.setDevicePixelRatio(ratio);
    ours.fill(QColor(0xF7, 0x10, 0x80));
    QImage painted = ours.copy();
    drawThumbnailAt(ours, at, toThumbnailFormat(picture));
    QPainter(&painted).drawImage(at, picture);
    QCOMPARE(ours, painted);
}

#include "tst_griddrawing.moc"
