// The editor commands on the main window: after the editor saves, the grid
// entry of the edited album has its new thumbnail, size word and file size,
// and a new album joins a container grid of its folder before the selection,
// and no other grid.
#include "core/BinaryIO.h"
#include "core/CellFit.h"
#include "core/frmMain.h"
#include "core/TextRules.h"
#include "core/frmMain.h"
#include "core/MainWindowHandlers.h"
#include "editor/AlbumEditorWindow.h"
#include "editor/EditorBinding.h"
#include "editor/PhotoListView.h"
#include "grid/GridDrawing.h"
#include "grid/GridGeometry.h"

#include "../album/AlbumFixtures.h"
#include "GridFixture.h"
#include "ScriptedPrompts.h"
#include "TestEnvironment.h"

#include <QApplication>
#include <QFileInfo>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace quorbell;
using quorbell::tools::PhotoFormat;

namespace {

// Runs `steps` in the editor once its modal loop shows it, saves, and closes it.
void driveEditor(const std::function<void(editor::AlbumEditorWindow&)>& steps)
{
    QTimer::singleShot(0, [steps] {
        auto* e = qobject_cast<editor::AlbumEditorWindow*>(QApplication::activeModalWidget());
        QVERIFY(e);
        QVERIFY(QTest::qWaitForWindowActive(e)); // its keys reach it
        steps(*e);
        QSignalSpy saved(e, &editor::AlbumEditorWindow::saved);
        if (e->save())
            saved.wait(20000);
        e->close();
    });
}

} // namespace

class TestEditorBinding : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void gridEntryAfterSave_data();
    void gridEntryAfterSave();
};

void TestEditorBinding::gridEntryAfterSave_data()
{
    QTest::addColumn<QString>("command");   // "edit" the selection, or "make"
    QTest::addColumn<QString>("saveTo");    // a new album's folder: "grid" or "other"
    QTest::addColumn<bool>("fromAlbums");   // a grid built from album files, not a container
    QTest::addColumn<QStringList>("names"); // the grid afterwards
    QTest::addColumn<int>("entry");         // the entry that must show the saved album; -1 none

    const QStringList three{"a.sld", "b.sld", "c.sld"};
    QTest::newRow("edit the selected album") << "edit"
                                             << "" << false << three << 1;
    QTest::newRow("edit in a grid from album files") << "edit"
                                                     << "" << true << three << 1;
    QTest::newRow("new album joins the container grid")
        << "make"
        << "grid" << false << QStringList{"a.sld", "new.sld", "b.sld", "c.sld"} << 1;
    QTest::newRow("new album elsewhere") << "make"
                                         << "other" << false << three << -1;
    QTest::newRow("new album, grid from album files") << "make"
                                                      << "grid" << true << three << -1;
}

void TestEditorBinding::gridEntryAfterSave()
{
    QFETCH(QString, command);
    QFETCH(QString, saveTo);
    QFETCH(bool, fromAlbums);
    QFETCH(QStringList, names);
    QFETCH(int, entry);

    test::TestEnvironment env;
    test::ScriptedPrompts prompts;
    QTemporaryDir dir, other;
    for (int i = 0; i < 3; ++i) {
        tools::AlbumSpec recipe;
        recipe.photos = {test::samplePhoto(QStringLiteral("p.jpg"), QSize(90, 60), quint32(i))};
        QVERIFY(test::writeBytes(dir.filePath(QStringList{"a.sld", "b.sld", "c.sld"}.at(i)),
                                 test::albumBytes(recipe)));
    }
    const QString photo = dir.filePath(QStringLiteral("tall.bmp"));
    QVERIFY(test::writeBytes(photo, tools::makeSamplePhoto(QSize(30, 70), 9, PhotoFormat::Bmp)));

    std::unique_ptr<frmMain> w = test::makeWindow(QSize(600, 400));
    frmMain_Form_Load(*w, QString());
    test::fillDocument(w->document(), {"a.sld", "b.sld", "c.sld"});
    w->document().setAlbumFolder(withTrailingSlash(dir.path()));
    w->document().setGridSource(fromAlbums);
    w->document().setModified(false);
    w->setMode(Mode::Selected);
    w->document().setSelectedIndex(1);
    RedrawGrid(*w, 0, w->document().albumCount() - 1);

    const QString saved = command == QLatin1String("edit")  ? dir.filePath("b.sld")
                          : saveTo == QLatin1String("grid") ? dir.filePath("new.sld")
                                                            : other.filePath("new.sld");
    if (command == QLatin1String("make"))
        prompts.answerText(saved);
    // The tall photo first: the album's thumbnail becomes that photo.
    driveEditor([&photo](editor::AlbumEditorWindow& e) {
        e.addPhotoFiles({photo});
        auto* list = e.findChild<editor::PhotoListView*>();
        list->setCurrentItem(list->topLevelItem(list->topLevelItemCount() - 1));
        while (list->currentIndex().row() > 0)
            QTest::keyClick(list, Qt::Key_Up, Qt::ControlModifier);
    });
    if (command == QLatin1String("edit"))
        frmMain_mnuAlbumEdit_Click(*w);
    else
        frmMain_mnuAlbumMake_Click(*w);

    QVERIFY(QFileInfo::exists(saved));
    QStringList now;
    for (const AlbumEntry& e : std::as_const(w->document().entries()))
        now << e.fileName;
    QCOMPARE(now, names);
    QCOMPARE(w->document().isModified(), entry >= 0);
    if (entry < 0)
        return;
    const AlbumEntry& e = w->document().entry(entry);
    QCOMPARE(e.thumbSize, packPair(30, 70));
    QCOMPARE(qint64(e.fileSize), QFileInfo(saved).size());
    QCOMPARE(e.fileDate, DateVariant::fromDateTime(QFileInfo(saved).lastModified()));
    QCOMPARE(e.thumbnail.size(), fitToCell(QSize(30, 70), w->document().cellSize()));
    // The selection stays on the album that was selected, and the status bar says where.
    QCOMPARE(w->document().entry(w->document().selectedIndex()).fileName, QStringLiteral("b.sld"));
    QCOMPARE(w->panel(2), selectedNumberText(w->document().selectedIndex()));
}

QTEST_MAIN(TestEditorBinding)
#include "tst_editorbinding.moc"
