// The window follows the document: a change made straight on the document,
// with no command around it, redraws the grid, sets the scroll bar, the
// status panels, the caption and the selection commands as a grid drawn
// afresh from the same document shows them.
#include "core/BinaryIO.h"
#include "core/CommandState.h"
#include "core/frmMain.h"
#include "grid/GridDrawing.h"

#include "GridFixture.h"

#include <QScrollBar>
#include <QTest>

#include <functional>

using namespace quorbell;

using Change = std::function<void(AlbumDocument&)>;
Q_DECLARE_METATYPE(Change)

namespace {

const QStringList kNames = {"a.sld", "b.sld", "*c.sld", "d.sld", "e.sld", "f.sld",
                            "g.sld", "h.sld", "i.sld",  "j.sld", "k.sld", "l.sld"};

AlbumEntry entryNamed(const QString& name, const QColor& colour)
{
    AlbumEntry e;
    e.fileName = name;
    e.comment = name.section(QLatin1Char('.'), 0, 0);
    e.thumbSize = packPair(60, 40);
    QImage thumb(60, 40, QImage::Format_RGB32);
    thumb.fill(colour);
    e.thumbnail = thumb;
    return e;
}

// The window a new grid of `shown`'s entries shows (its scroll maximum, -1
// for no scroll bar), drawn step by step as the
// drawing code does it, without any listener doing it.
QImage drawnAfresh(const frmMain& shown, int& scrollMaximum)
{
    std::unique_ptr<frmMain> ref = test::makeWindow(shown.surface()->size());
    AlbumDocument& doc = ref->document();
    doc.setCellSize(shown.document().cellSize(), shown.document().comment());
    doc.setEntries(shown.document().entries());
    doc.setHiddenCount(shown.document().hiddenCount());
    doc.setSelectedIndex(shown.document().selectedIndex());
    ref->setMode(shown.mode());
    ref->layout().firstDrawnIndex = shown.layout().firstDrawnIndex;
    RedrawGrid(*ref, ref->layout().firstDrawnIndex, doc.albumCount() - 1);
    UpdateScrollRange(*ref);
    DrawSelectionIfShown(*ref);
    scrollMaximum = ref->vScroll()->isVisible() ? ref->vScroll()->maximum() : -1;
    return ref->surface()->canvas();
}

} // namespace

class TestDocumentView : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void documentChangesReachTheWindow_data();
    void documentChangesReachTheWindow();
};

void TestDocumentView::documentChangesReachTheWindow_data()
{
    QTest::addColumn<bool>("selected"); // entry 1 selected before the change
    QTest::addColumn<Change>("change");
    QTest::addColumn<QStringList>("panels");
    QTest::addColumn<bool>("selectionItems"); // Delete is offered afterwards
    QTest::addColumn<QString>("caption");

    const QString shown12 = QStringLiteral("表示アルバム数： 12");
    const QString shown11 = QStringLiteral("表示アルバム数： 11");
    const QString hidden1 = QStringLiteral("非表示アルバム数： 1");
    const QString program = QStringLiteral("Quorbell");
    QTest::newRow("inserted before the selection")
        << true
        << Change([](AlbumDocument& d) { d.insertEntry(1, entryNamed("new.sld", Qt::red)); })
        << QStringList{shown12, "選択アルバム番号： 2", "選択アルバム名： new"} << true << program;
    QTest::newRow("inserted, nothing selected")
        << false << Change([](AlbumDocument& d) { d.insertEntry(3, entryNamed("n.sld", Qt::red)); })
        << QStringList{shown12, hidden1, ""} << false << program;
    QTest::newRow("removed: the selection goes")
        << true << Change([](AlbumDocument& d) { d.removeEntry(0); })
        << QStringList{"表示アルバム数： 10", "", ""} << false << program;
    QTest::newRow("changed: the selected album renamed") << true << Change([](AlbumDocument& d) {
        test::changeEntry(d, 1, [](AlbumEntry& e) {
            e.fileName = QStringLiteral("zz.sld");
            e.thumbnail.fill(Qt::blue);
        });
    }) << QStringList{shown11, "選択アルバム番号： 2", "選択アルバム名： zz"}
                                                         << true << program;
    QTest::newRow("reordered") << false << Change([](AlbumDocument& d) {
        QList<AlbumEntry> reversed(d.entries().crbegin(), d.entries().crend());
        d.reorderEntries(reversed);
    }) << QStringList{shown11, "", ""}
                               << false << program;
    QTest::newRow("put back: another set of entries") << false << Change([](AlbumDocument& d) {
        d.setEntries({entryNamed("p.sld", Qt::green), entryNamed("*q.sld", Qt::cyan),
                      entryNamed("r.sld", Qt::gray)});
    }) << QStringList{"表示アルバム数： 2", hidden1, ""}
                                                      << false << program;
    QTest::newRow("selection moved")
        << true << Change([](AlbumDocument& d) { d.setSelectedIndex(4); })
        << QStringList{shown11, "選択アルバム番号： 5", "選択アルバム名： e"} << true << program;
    QTest::newRow("container path")
        << false << Change([](AlbumDocument& d) { d.setContainerPath("/tmp/x/旅行.cov"); })
        << QStringList{shown11, hidden1, ""} << false << QStringLiteral("旅行.cov - Quorbell");
}

void TestDocumentView::documentChangesReachTheWindow()
{
    QFETCH(bool, selected);
    QFETCH(Change, change);
    QFETCH(QStringList, panels);
    QFETCH(bool, selectionItems);
    QFETCH(QString, caption);

    std::unique_ptr<frmMain> w = test::makeWindow(QSize(400, 300));
    w->setCommandState(Cmd::AtStart);
    DisableSelectionItems(*w);
    test::fillDocument(w->document(), kNames);
    w->setMode(Mode::Shown);
    if (selected) {
        w->document().setSelectedIndex(1);
        w->setMode(Mode::Selected);
    }
    change(w->document());

    int scrollMaximum = 0;
    QCOMPARE(w->surface()->canvas(), drawnAfresh(*w, scrollMaximum));
    QCOMPARE(w->vScroll()->isVisible() ? w->vScroll()->maximum() : -1, scrollMaximum);
    QCOMPARE((QStringList{w->panel(1), w->panel(2), w->panel(3)}), panels);
    QCOMPARE(w->button(Command::EditDelete)->isEnabled(), selectionItems);
    QCOMPARE(w->windowTitle(), caption);
}

QTEST_MAIN(TestDocumentView)
#include "tst_documentview.moc"
