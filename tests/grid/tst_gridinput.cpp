// Clicks, keys and the status bar: hit testing through the real handlers,
// the shortcut menu, the Delete key, Escape while loading.
#include "core/CommandState.h"
#include "core/MainWindowHandlers.h"
#include "core/frmMain.h"
#include "grid/GridDrawing.h"
#include "grid/GridInput.h"
#include "grid/LoadingLoop.h"

#include "GridFixture.h"
#include "ScriptedPrompts.h"
#include "TestEnvironment.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>

using namespace quorbell;

class TestGridInput : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void clicks_data();
    void clicks();
    void rightClickOpensTheMenuOnlyOnACell();
    void keysActOnlyInTheirModes();
    void escapeAbortsLoading();
    void clicksOutsideModesThreeAndFourDoNothing();
};

namespace {

struct GridUnderTest
{
    test::TestEnvironment env;
    test::ScriptedPrompts prompts;
    std::unique_ptr<frmMain> w;

    GridUnderTest()
    {
        w = test::makeWindow(QSize(600, 400));
        frmMain_Form_Load(*w, QString());
        test::fillDocument(w->document(), {"a.sld", "*hidden.sld", "c.d.sld", "e.sld"});
        w->document().setGridSource(true);
        w->setMode(Mode::Shown);
        RedrawGrid(*w, 0, w->document().albumCount() - 1);
    }
};

} // namespace

void TestGridInput::clicks_data()
{
    QTest::addColumn<QPoint>("click");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("panels");
    // Cells of 80 at x 10, 93, 176 (entry 1 is hidden).
    QTest::newRow("first cell") << QPoint(10, 33) << 4
                                << QStringList{"表示アルバム数： 3", "選択アルバム番号： 1",
                                               "選択アルバム名： a"};
    QTest::newRow("number counts the hidden entry")
        << QPoint(100, 50) << 4
        << QStringList{"表示アルバム数： 3", "選択アルバム番号： 3", "選択アルバム名： c"};
    QTest::newRow("one right of the first cell")
        << QPoint(90, 50) << 3 << QStringList{"表示アルバム数： 3", "非表示アルバム数： 1", ""};
    QTest::newRow("on a comment strip")
        << QPoint(20, 113) << 3 << QStringList{"表示アルバム数： 3", "非表示アルバム数： 1", ""};
}

void TestGridInput::clicks()
{
    QFETCH(QPoint, click);
    QFETCH(int, mode);
    QFETCH(QStringList, panels);
    GridUnderTest grid;
    frmMain& w = *grid.w;
    frmMain_Form_MouseDown(w, Qt::LeftButton, click.x(), click.y());
    QCOMPARE(int(grid.w->mode()), mode);
    QCOMPARE((QStringList{w.panel(1), w.panel(2), w.panel(3)}), panels);
    QCOMPARE(w.button(Command::EditCut)->isEnabled(), mode == 4);
    QCOMPARE(w.button(Command::EditDelete)->isEnabled(), mode == 4);
    QVERIFY(
        !w.button(Command::EditInsert)->isEnabled()); // a grid from album files never offers Insert
    QCOMPARE(w.action(Command::AlbumDelete)->isEnabled(), mode == 4);
    for (Command c : {Command::AlbumEdit, Command::PhotoExport}) {
        QCOMPARE(w.action(c)->isEnabled(), mode == 4);
        QCOMPARE(w.shortcutItem(c)->isEnabled(), mode == 4);
    }
}

void TestGridInput::rightClickOpensTheMenuOnlyOnACell()
{
    GridUnderTest grid;
    frmMain& w = *grid.w;
    frmMain_Form_MouseDown(w, Qt::RightButton, 300, 300);
    QVERIFY(!w.shortcutMenu()->isVisible());
    QCOMPARE(grid.w->mode(), Mode::Shown);
    frmMain_Form_MouseDown(w, Qt::RightButton, 20, 40);
    QTRY_VERIFY(w.shortcutMenu()->isVisible());
    QCOMPARE(grid.w->mode(), Mode::Selected);
    QCOMPARE(grid.w->document().selectedIndex(), qint16(0));
    w.shortcutMenu()->hide();
}

void TestGridInput::keysActOnlyInTheirModes()
{
    GridUnderTest grid;
    frmMain& w = *grid.w;
    QStringList ran;
    w.setCommand(Command::EditDelete, [&ran] { ran << "delete"; });
    w.setCommand(Command::ViewSlide, [&ran] { ran << "slide"; });
    frmMain_Form_KeyDown(w, Qt::Key_Delete); // mode 3: nothing selected
    frmMain_Form_DblClick(w);
    QVERIFY(ran.isEmpty());
    frmMain_Form_MouseDown(w, Qt::LeftButton, 20, 40);
    frmMain_Form_KeyDown(w, Qt::Key_Delete);
    frmMain_Form_KeyDown(w, Qt::Key_A);
    frmMain_Form_DblClick(w);
    QCOMPARE(ran, (QStringList{"delete", "slide"}));
    frmMain_Form_KeyPress(w, 27); // Escape does nothing outside loading
    QCOMPARE(grid.w->mode(), Mode::Selected);
    QVERIFY(grid.prompts.asked().isEmpty());
}

void TestGridInput::escapeAbortsLoading()
{
    GridUnderTest grid;
    frmMain& w = *grid.w;
    // A load whose next entry is never ready: Escape must drop it.
    struct WaitingSource : LoadingSource
    {
        bool* dropped;
        explicit WaitingSource(bool* d) : dropped(d) {}
        void prefetch(int) override {}
        bool isReady(int) const override { return false; }
        void whenReady(int, std::function<void()>) override {}
        Outcome load(frmMain&, int) override { return Outcome::Stop; }
        void cancel() override { *dropped = true; }
    };
    bool dropped = false;
    startLoading(w, std::make_unique<WaitingSource>(&dropped));
    QCOMPARE(grid.w->mode(), Mode::Loading);
    w.action(Command::ViewComment)->setEnabled(true);
    frmMain_Form_KeyPress(w, 27);
    QCOMPARE(grid.w->mode(), Mode::Empty);
    QVERIFY(!w.intTimer()->isActive());
    QVERIFY(dropped);
    QVERIFY(!w.action(Command::ViewComment)->isEnabled());
    QCOMPARE(grid.prompts.messageTexts(), QStringList{"中止しました。表示サムネイルは無効です。"});
    QCOMPARE(grid.prompts.messageTitles(), QStringList{"アボート処理"});
    QCOMPARE(grid.prompts.asked().first().message.icon, MsgIcon::Information);
    // Mode 0 ignores clicks.
    frmMain_Form_MouseDown(w, Qt::LeftButton, 20, 40);
    QCOMPARE(grid.w->mode(), Mode::Empty);
}

void TestGridInput::clicksOutsideModesThreeAndFourDoNothing()
{
    GridUnderTest grid;
    frmMain& w = *grid.w;
    QGuiApplication::setOverrideCursor(Qt::BlankCursor);
    grid.w->setMode(Mode::Selected + Mode::ViewerOffset);
    const QString panel2 = w.panel(2);
    frmMain_Form_MouseDown(w, Qt::LeftButton, 20, 40);
    QCOMPARE(grid.w->mode(), qint16(7));
    QCOMPARE(w.panel(2), panel2);
    QVERIFY(!QGuiApplication::overrideCursor()); // but the pointer shows again
}

QTEST_MAIN(TestGridInput)
#include "tst_gridinput.moc"
