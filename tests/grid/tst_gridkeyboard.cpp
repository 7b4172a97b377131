// The grid's keys: where each key moves the selection (the arithmetic, from
// a table), and the same keys pressed on a real window, where a move must do
// what a click does and keep the selection in sight.
#include "core/BinaryIO.h"
#include "core/CommandState.h"
#include "core/frmMain.h"
#include "core/MainWindowHandlers.h"
#include "core/SettingsFile.h"
#include "core/frmMain.h"
#include "grid/GridCommands.h"
#include "grid/GridDrawing.h"
#include "grid/GridNavigation.h"

#include "GridFixture.h"
#include "ScriptedPrompts.h"
#include "TestEnvironment.h"

#include <QAction>
#include <QScrollBar>
#include <QTest>

using namespace quorbell;

Q_DECLARE_METATYPE(quorbell::GridKey)

class TestGridKeyboard : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void moves_data();
    void moves();
    void keysOnTheWindow_data();
    void keysOnTheWindow();
};

void TestGridKeyboard::moves_data()
{
    QTest::addColumn<int>("shown");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("pageRows");
    QTest::addColumn<int>("from");
    QTest::addColumn<GridKey>("key");
    QTest::addColumn<int>("to");
    using K = GridKey;
    // 10 shown in rows of 4: 0-3, 4-7, 8-9.
    QTest::newRow("no selection: first cell") << 10 << 4 << 2 << -1 << K::End << 0;
    QTest::newRow("nothing shown") << 0 << 4 << 2 << -1 << K::Right << -1;
    QTest::newRow("right") << 10 << 4 << 2 << 2 << K::Right << 3;
    QTest::newRow("right wraps to the next row") << 10 << 4 << 2 << 3 << K::Right << 4;
    QTest::newRow("right at the end stays") << 10 << 4 << 2 << 9 << K::Right << 9;
    QTest::newRow("left at the start stays") << 10 << 4 << 2 << 0 << K::Left << 0;
    QTest::newRow("down one row") << 10 << 4 << 2 << 1 << K::Down << 5;
    QTest::newRow("down into a short last row") << 10 << 4 << 2 << 7 << K::Down << 9;
    QTest::newRow("down on the last row stays") << 10 << 4 << 2 << 8 << K::Down << 8;
    QTest::newRow("up one row") << 10 << 4 << 2 << 9 << K::Up << 5;
    QTest::newRow("up on the first row stays") << 10 << 4 << 2 << 2 << K::Up << 2;
    QTest::newRow("home") << 10 << 4 << 2 << 6 << K::Home << 0;
    QTest::newRow("end") << 10 << 4 << 2 << 1 << K::End << 9;
    QTest::newRow("page down by the rows that fit") << 30 << 4 << 3 << 1 << K::PageDown << 13;
    QTest::newRow("page down past the end: last") << 10 << 4 << 3 << 1 << K::PageDown << 9;
    QTest::newRow("page up by the rows that fit") << 30 << 4 << 3 << 14 << K::PageUp << 2;
    QTest::newRow("page up past the start: same column") << 30 << 4 << 3 << 6 << K::PageUp << 2;
    QTest::newRow("one column") << 5 << 1 << 2 << 2 << K::Down << 3;
}

void TestGridKeyboard::moves()
{
    QFETCH(int, shown);
    QFETCH(int, columns);
    QFETCH(int, pageRows);
    QFETCH(int, from);
    QFETCH(GridKey, key);
    QFETCH(int, to);
    QCOMPARE(moveInGrid(from, key, {shown, columns, pageRows}), to);
}

void TestGridKeyboard::keysOnTheWindow_data()
{
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<int>("selected"); // -1: no selection (mode 3)
    QTest::addColumn<QStringList>("ran");
    // 30 entries, entry 1 hidden; cells of 80 in rows of 6 on a 600 x 400
    // client, three rows in sight.
    QTest::newRow("first key selects the first cell")
        << QList<int>{Qt::Key_Down} << 0 << QStringList{};
    QTest::newRow("right passes over the hidden entry")
        << QList<int>{Qt::Key_Home, Qt::Key_Right} << 2 << QStringList{};
    QTest::newRow("down a row counts shown cells")
        << QList<int>{Qt::Key_Home, Qt::Key_Down} << 7 << QStringList{};
    QTest::newRow("end scrolls to the last entry")
        << QList<int>{Qt::Key_Home, Qt::Key_End} << 29 << QStringList{};
    QTest::newRow("page down") << QList<int>{Qt::Key_Home, Qt::Key_PageDown} << 19 << QStringList{};
    QTest::newRow("escape clears the selection")
        << QList<int>{Qt::Key_Home, Qt::Key_Escape} << -1 << QStringList{};
    QTest::newRow("enter starts the slideshow")
        << QList<int>{Qt::Key_Home, Qt::Key_Return} << 0 << QStringList{"slide"};
    QTest::newRow("shift+enter the random display")
        << QList<int>{Qt::Key_Home, (Qt::SHIFT | Qt::Key_Return).toCombined()} << 0
        << QStringList{"random"};
    QTest::newRow("enter with the slideshow greyed: nothing")
        << QList<int>{Qt::Key_Home, -1, Qt::Key_Return} << 0 << QStringList{};
}

void TestGridKeyboard::keysOnTheWindow()
{
    QFETCH(QList<int>, keys);
    QFETCH(int, selected);
    QFETCH(QStringList, ran);
    test::TestEnvironment env;
    test::ScriptedPrompts prompts;
    std::unique_ptr<frmMain> w = test::makeWindow(QSize(600, 400));
    registerGridCommands(*w);
    frmMain_Form_Load(*w, QString());
    // The stored window size applied by the load is put back to the test's.
    w->resize(QSize(600, 400) + (w->size() - w->surface()->size()));
    QTRY_COMPARE(w->surface()->size(), QSize(600, 400));
    QStringList names;
    for (int i = 0; i < 30; ++i)
        names << (i == 1 ? QStringLiteral("*hidden.sld") : QStringLiteral("a%1.sld").arg(i));
    test::fillDocument(w->document(), names);
    w->setMode(Mode::Shown);
    RedrawGrid(*w, 0, w->document().albumCount() - 1);
    UpdateScrollRange(*w);
    EnableGridItems(*w);
    QStringList commands;
    w->setCommand(Command::ViewSlide, [&commands] { commands << "slide"; });
    w->setCommand(Command::ViewRandom, [&commands] { commands << "random"; });

    for (int key : keys) {
        if (key == -1) {
            switchButtonOff(*w, Cmd::Slide);
            continue;
        }
        QTest::keyClick(w->surface(), Qt::Key(key & ~Qt::KeyboardModifierMask),
                        Qt::KeyboardModifiers(key & Qt::KeyboardModifierMask));
    }
    QCOMPARE(commands, ran);
    if (selected < 0) {
        QCOMPARE(w->mode(), Mode::Shown);
        QCOMPARE(w->panel(3), QString());
        QVERIFY(!w->action(Command::EditCut)->isEnabled());
        return;
    }
    // As a click on the cell: the mode, the panels, the selection commands.
    QCOMPARE(w->mode(), Mode::Selected);
    QCOMPARE(int(w->document().selectedIndex()), selected);
    QCOMPARE(w->panel(2), QStringLiteral("選択アルバム番号： %1").arg(selected + 1));
    QCOMPARE(w->panel(3), QStringLiteral("選択アルバム名： a%1").arg(selected));
    QVERIFY(w->action(Command::EditCut)->isEnabled());
    // In sight, with its frame drawn on the screen's image.
    QVERIFY(w->layout().firstDrawnIndex <= selected && selected <= w->layout().lastDrawnIndex);
    const AlbumEntry& e = w->document().entry(selected);
    const QPoint corner(pairHigh(e.cellPos) + 2, pairLow(e.cellPos) + 2);
    QCOMPARE(w->surface()->canvas().pixelColor(corner * w->surface()->canvas().devicePixelRatio()),
             colourFromRgbValue(w->settings().selectionColour));
}

QTEST_MAIN(TestGridKeyboard)
#include "tst_gridkeyboard.moc"
