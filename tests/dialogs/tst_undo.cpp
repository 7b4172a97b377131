// Undo and redo of every edit of the document, on a real main window over a
// saved container and its album files: each edit is undone back to the state
// as saved (entries, grid pixels, modified flag, album files on disk) and
// redone. Also the rules around the history: a rename that cannot be undone,
// a save that moves the saved state, and deleting an album file.
#include "container/ContainerCommands.h"
#include "core/FileIO.h"
#include "core/MainWindowHandlers.h"
#include "core/frmMain.h"
#include "dialogs/DialogCommands.h"
#include "dialogs/frmInfo.h"
#include "dialogs/frmRename.h"
#include "grid/GridCommands.h"
#include "grid/GridInput.h"
#include "grid/LoadingLoop.h"
#include "grid/NewCommand.h"

#include "AlbumGridSession.h"

#include <QAction>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace quorbell;

namespace {

// What an undo must bring back.
struct Seen
{
    QStringList names;
    QStringList comments;
    QStringList files; // the album folder's album files
    QImage grid;
    bool modified = false;
    friend bool operator==(const Seen&, const Seen&) = default;
};

// A main window over a container saved from four albums, with a fifth album
// in the folder that is not in the grid.
class Session : public test::AlbumGridSession
{
public:
    // Without `save`, the grid stays as New made it: not saved, from album files.
    explicit Session(bool save = true) : AlbumGridSession(4, 5, save) {}

    Seen seen() const
    {
        Seen s;
        for (const AlbumEntry& e : w->document().entries()) {
            s.names << e.fileName;
            s.comments << e.comment;
        }
        s.files = QDir(dir.path()).entryList({QStringLiteral("*.sld")}, QDir::Files, QDir::Name);
        s.grid = w->surface()->canvas();
        s.modified = w->document().isModified();
        return s;
    }
};

} // namespace

class TestUndo : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void undoAndRedoEachEdit_data();
    void undoAndRedoEachEdit();
    void renameBackRefusedWhileANameIsTaken();
    void saveMovesTheSavedState();
    void albumFileDeleteIsNotUndone();
};

void TestUndo::undoAndRedoEachEdit_data()
{
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QString>("stepName");
    QTest::addColumn<QStringList>("namesAfter");
    QTest::newRow("delete") << "delete"
                            << "削除" << QStringList{"a.sld", "c.sld", "d.sld"};
    QTest::newRow("cut") << "cut"
                         << "切り取り" << QStringList{"a.sld", "c.sld", "d.sld"};
    QTest::newRow("paste") << "paste"
                           << "貼り付け"
                           << QStringList{"a.sld", "b.sld", "b.sld", "c.sld", "d.sld"};
    QTest::newRow("sort") << "sort"
                          << "ソート" << QStringList{"d.sld", "c.sld", "b.sld", "a.sld"};
    QTest::newRow("comment") << "comment"
                             << "プロパティ" << QStringList{"a.sld", "b.sld", "c.sld", "d.sld"};
    QTest::newRow("name") << "name"
                          << "プロパティ" << QStringList{"a.sld", "z.sld", "c.sld", "d.sld"};
    QTest::newRow("rename") << "rename"
                            << "一括リネーミング"
                            << QStringList{"p1.sld", "p2.sld", "p3.sld", "p4.sld"};
    QTest::newRow("insert") << "insert"
                            << "追加" << QStringList{"a.sld", "e.sld", "b.sld", "c.sld", "d.sld"};
}

void TestUndo::undoAndRedoEachEdit()
{
    QFETCH(QString, edit);
    QFETCH(QString, stepName);
    QFETCH(QStringList, namesAfter);
    Session s;
    QAction* undo = s.w->action(Command::EditUndo);
    QAction* redo = s.w->action(Command::EditRedo);
    const Seen saved = s.seen();
    QVERIFY(!saved.modified);
    QVERIFY(!undo->isEnabled());
    QVERIFY(!redo->isEnabled());

    s.select(1);
    if (edit == QLatin1String("delete")) {
        s.w->runCommand(Command::EditDelete);
    } else if (edit == QLatin1String("cut")) {
        s.w->runCommand(Command::EditCut);
    } else if (edit == QLatin1String("paste")) {
        s.w->runCommand(Command::EditCopy);
        s.w->runCommand(Command::EditPut);
    } else if (edit == QLatin1String("sort")) {
        s.w->runCommand(Command::SortFileL);
    } else if (edit == QLatin1String("comment")) {
        QCOMPARE(applyAlbumProperties(*s.w, QStringLiteral("b"), QStringLiteral("海")),
                 PropertiesResult::Applied);
    } else if (edit == QLatin1String("name")) {
        QCOMPARE(applyAlbumProperties(*s.w, QStringLiteral("z"), QStringLiteral("b")),
                 PropertiesResult::Applied);
    } else if (edit == QLatin1String("rename")) {
        renameAlbums(*s.w, QStringLiteral("p"), RenameNumberStyle::SameWidth);
    } else if (edit == QLatin1String("insert")) {
        s.prompts.answerChooser({{{s.folder(), {"e.sld"}, false}}});
        s.w->runCommand(Command::EditInsert);
        // The loading loop reads the album after the command has returned.
        QVERIFY(QTest::qWaitFor([&s] { return s.w->mode() == Mode::Selected; }, 20000));
    }
    const Seen edited = s.seen();
    QCOMPARE(edited.names, namesAfter);
    QVERIFY(edited.modified);
    QVERIFY(undo->isEnabled());
    QVERIFY(!redo->isEnabled());
    QCOMPARE(undo->text(), QStringLiteral("元に戻す: ") + stepName + QStringLiteral("(&U)"));

    s.w->runCommand(Command::EditUndo);
    const Seen undone = s.seen();
    QCOMPARE(undone.names, saved.names);
    QCOMPARE(undone.comments, saved.comments);
    QCOMPARE(undone.files, saved.files);
    QVERIFY(!undone.modified);
    QVERIFY(undone.grid == saved.grid); // pixel for pixel as saved
    QVERIFY(!undo->isEnabled());
    QCOMPARE(redo->text(), QStringLiteral("やり直し: ") + stepName + QStringLiteral("(&R)"));

    s.w->runCommand(Command::EditRedo);
    const Seen redone = s.seen();
    QCOMPARE(redone.names, edited.names);
    QCOMPARE(redone.comments, edited.comments);
    QCOMPARE(redone.files, edited.files);
    QVERIFY(redone.modified);
    QVERIFY(s.prompts.messageTexts().isEmpty());
}

void TestUndo::renameBackRefusedWhileANameIsTaken()
{
    Session s;
    renameAlbums(*s.w, QStringLiteral("p"), RenameNumberStyle::SameWidth);
    const Seen renamed = s.seen();
    QCOMPARE(renamed.files, (QStringList{"e.sld", "p1.sld", "p2.sld", "p3.sld", "p4.sld"}));
    // A new file takes one of the old names: the files cannot all go back.
    QVERIFY(test::writeTestAlbum(s.path(QStringLiteral("c.sld")), 9));
    s.w->runCommand(Command::EditUndo);
    QCOMPARE(s.prompts.messageTitles(), QStringList{QStringLiteral("元に戻す")});
    QVERIFY(s.prompts.messageTexts().first().endsWith(s.path(QStringLiteral("c.sld"))));
    Seen now = s.seen();
    QCOMPARE(now.names, renamed.names);
    QCOMPARE(now.files, (QStringList{"c.sld", "e.sld", "p1.sld", "p2.sld", "p3.sld", "p4.sld"}));
    QVERIFY(now.modified);
    QVERIFY(s.w->action(Command::EditUndo)->isEnabled());

    // Once the name is free again the rename goes back, in reverse order.
    QVERIFY(QFile::remove(s.path(QStringLiteral("c.sld"))));
    s.w->runCommand(Command::EditUndo);
    now = s.seen();
    QCOMPARE(now.names, (QStringList{"a.sld", "b.sld", "c.sld", "d.sld"}));
    QCOMPARE(now.files, (QStringList{"a.sld", "b.sld", "c.sld", "d.sld", "e.sld"}));
    QVERIFY(!now.modified);
}

void TestUndo::saveMovesTheSavedState()
{
    Session s;
    s.select(0);
    s.w->runCommand(Command::EditDelete);
    QVERIFY(s.w->document().isModified());
    s.w->runCommand(Command::ContnrSave);
    QVERIFY(!s.w->document().isModified());
    // Undo leaves the saved state, redo comes back to it.
    s.w->runCommand(Command::EditUndo);
    QVERIFY(s.w->document().isModified());
    QCOMPARE(s.seen().names.size(), 4);
    s.w->runCommand(Command::EditRedo);
    QVERIFY(!s.w->document().isModified());

    // Opening starts a new history.
    QVERIFY(ReadContainer(*s.w, s.path(QStringLiteral("x.cov"))));
    QVERIFY(!s.w->action(Command::EditUndo)->isEnabled());
    QVERIFY(!s.w->action(Command::EditRedo)->isEnabled());
}

void TestUndo::albumFileDeleteIsNotUndone()
{
    Session s(false); // deleting album files is offered for a grid made by New
    s.select(2);
    s.w->runCommand(Command::EditDelete); // a step: c.sld's thumbnail
    s.select(0);
    s.prompts.answer(MsgAnswer::Ok);
    s.w->runCommand(Command::AlbumDelete); // a.sld goes, file and all: no step
    QVERIFY(!QFile::exists(s.path(QStringLiteral("a.sld"))));
    QCOMPARE(s.seen().names, (QStringList{"b.sld", "d.sld"}));
    QCOMPARE(s.w->action(Command::EditUndo)->text(), QStringLiteral("元に戻す: 削除(&U)"));
    // Undoing the earlier step brings back c.sld, never the deleted album.
    s.w->runCommand(Command::EditUndo);
    QCOMPARE(s.seen().names, (QStringList{"b.sld", "c.sld", "d.sld"}));
    QVERIFY(s.w->document().isModified()); // a new grid is never in a saved state
    s.w->runCommand(Command::EditRedo);
    QCOMPARE(s.seen().names, (QStringList{"b.sld", "d.sld"}));
}

QTEST_MAIN(TestUndo)
#include "tst_undo.moc"
