// Adding thumbnails through the loading loop, on a saved container over real
// album files: the command returns at once with the grid waiting in mode 2
// and the progress bar up; the albums are read as the loop turns; Escape or
// a cancelled password keeps what was read so far as one undo step (nothing
// read: no step), and undoing it gives back the grid as it was. Albums from
// another folder are copied beside the container first; the copies that did
// not become entries are removed again, the albums beside it never are.
#include "container/InsertCommand.h"
#include "core/frmMain.h"
#include "grid/GridInput.h"

#include "AlbumGridSession.h"

#include <QDir>
#include <QProgressBar>
#include <QTest>

using namespace quorbell;

namespace {

enum class Interruption { None, EscapeAtOnce, EscapeDuringPrompt, PromptCancelled };

QStringList namesOf(const AlbumDocument& doc)
{
    QStringList names;
    for (const AlbumEntry& e : doc.entries())
        names << e.fileName;
    return names;
}

QStringList filesIn(const QString& folder)
{
    QStringList names = QDir(folder).entryList(QDir::Files);
    names.sort();
    return names;
}

} // namespace

Q_DECLARE_METATYPE(Interruption)

class TestInsertLoading : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void insertThroughTheLoop_data();
    void insertThroughTheLoop();
};

void TestInsertLoading::insertThroughTheLoop_data()
{
    QTest::addColumn<bool>("copied"); // chosen in another folder, copied beside the container
    QTest::addColumn<Interruption>("interruption");
    QTest::addColumn<QStringList>("kept"); // the new entries in the grid afterwards

    for (const bool copied : {false, true}) {
        const char* from = copied ? "copied" : "beside";
        QTest::addRow("%s, all read", from)
            << copied << Interruption::None << QStringList{"n1.sld", "n2.sld", "n3.sld"};
        QTest::addRow("%s, escape before the first album", from)
            << copied << Interruption::EscapeAtOnce << QStringList{};
        // Escape pressed while the second album asks for its password: that
        // album is read, the third is not.
        QTest::addRow("%s, escape part-way", from)
            << copied << Interruption::EscapeDuringPrompt << QStringList{"n1.sld", "n2.sld"};
        QTest::addRow("%s, password cancelled", from)
            << copied << Interruption::PromptCancelled << QStringList{"n1.sld"};
    }
}

void TestInsertLoading::insertThroughTheLoop()
{
    QFETCH(bool, copied);
    QFETCH(Interruption, interruption);
    QFETCH(QStringList, kept);

    test::AlbumGridSession s(4, 4);
    const QStringList added = {"n1.sld", "n2.sld", "n3.sld"};
    const QString from = copied ? s.path(QStringLiteral("other/")) : s.folder();
    QVERIFY(QDir().mkpath(from));
    for (int k = 0; k < added.size(); ++k) {
        const QString password = k == 1 ? QStringLiteral("pw") : QString();
        QVERIFY(test::writeTestAlbum(from + added.at(k), quint32(11 + k), password));
    }
    // Afterwards the container's folder holds what it held and the copies
    // that became entries; albums that were there already all stay.
    QStringList files = filesIn(s.folder()) + (copied ? kept : QStringList());
    files.sort();
    const QImage opened = s.w->surface()->canvas();
    const QStringList openedNames = namesOf(s.w->document());
    s.select(1);
    const QImage selected = s.w->surface()->canvas();

    s.prompts.answerChooser({{{from, added, false}}});
    if (copied)
        s.prompts.answer(MsgAnswer::Yes); // copy them beside the container
    if (interruption == Interruption::PromptCancelled)
        s.prompts.cancel();
    else
        s.prompts.answerText(QStringLiteral("pw"));
    frmMain_mnuEditInsert_Click(*s.w);
    if (interruption == Interruption::EscapeDuringPrompt)
        s.prompts.onNextQuestion([&s] { frmMain_Form_KeyPress(*s.w, 27); });
    if (interruption == Interruption::EscapeAtOnce)
        frmMain_Form_KeyPress(*s.w, 27);
    else {
        // The command has returned; the loop reads the albums from here on.
        QCOMPARE(s.w->mode(), Mode::Loading);
        QVERIFY(s.w->progressBar()->isVisible());
        QCOMPARE(s.w->progressBar()->maximum(), int(added.size()) + 2);
        QCOMPARE(s.w->surface()->canvas(), selected);
    }
    QVERIFY(s.waitForMode(Mode::Selected));

    QStringList expected = openedNames;
    for (int k = 0; k < kept.size(); ++k)
        expected.insert(1 + k, kept.at(k));
    AlbumDocument& doc = s.w->document();
    QCOMPARE(namesOf(doc), expected);
    QCOMPARE(doc.selectedIndex(), qint16(1 + kept.size()));
    QCOMPARE(s.w->panel(2), QStringLiteral("選択アルバム番号： %1").arg(2 + kept.size()));
    QVERIFY(!s.w->progressBar()->isVisible());
    QCOMPARE(doc.isModified(), !kept.isEmpty());
    for (int k = 0; k < kept.size(); ++k)
        QVERIFY(!doc.entry(1 + k).thumbnail.isNull());
    QCOMPARE(doc.undoStack().count(), kept.isEmpty() ? 0 : 1);
    QCOMPARE(filesIn(s.folder()), files);
    QCOMPARE(filesIn(from), copied ? added : files); // the chosen albums are untouched
    if (kept.isEmpty()) {
        QCOMPARE(s.w->surface()->canvas(), selected);
        return;
    }
    QCOMPARE(doc.undoStack().undoText(), QStringLiteral("追加"));
    s.w->runCommand(Command::EditUndo);
    QCOMPARE(namesOf(doc), openedNames);
    QCOMPARE(s.w->surface()->canvas(), opened);
    QVERIFY(!doc.isModified());
    QCOMPARE(filesIn(s.folder()), files); // undo leaves the files as they are
}

QTEST_MAIN(TestInsertLoading)
#include "tst_insertloading.moc"
