// Adding thumbnails through the loading loop, on a saved container over real
// album files: the command returns at once with the grid waiting in mode 2
// and the progress bar up; the albums are read as the loop turns; Escape or
// a cancelled password keeps what was read so far as one undo step (nothing
// read: no step), and undoing it gives back the grid as it was.
#include "container/InsertCommand.h"
#include "core/frmMain.h"
#include "grid/GridInput.h"

#include "AlbumGridSession.h"

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
    QTest::addColumn<Interruption>("interruption");
    QTest::addColumn<QStringList>("kept"); // the new entries in the grid afterwards

    QTest::newRow("all read") << Interruption::None << QStringList{"n1.sld", "n2.sld", "n3.sld"};
    QTest::newRow("escape before the first album") << Interruption::EscapeAtOnce << QStringList{};
    // Escape pressed while the second album asks for its password: that
    // album is read, the third is not.
    QTest::newRow("escape part-way")
        << Interruption::EscapeDuringPrompt << QStringList{"n1.sld", "n2.sld"};
    QTest::newRow("password cancelled") << Interruption::PromptCancelled << QStringList{"n1.sld"};
}

void TestInsertLoading::insertThroughTheLoop()
{
    QFETCH(Interruption, interruption);
    QFETCH(QStringList, kept);

    test::AlbumGridSession s(4, 4);
    const QStringList added = {"n1.sld", "n2.sld", "n3.sld"};
    for (int k = 0; k < added.size(); ++k) {
        const QString password = k == 1 ? QStringLiteral("pw") : QString();
        QVERIFY(test::writeTestAlbum(s.path(added.at(k)), quint32(11 + k), password));
    }
    const QImage opened = s.w->surface()->canvas();
    const QStringList openedNames = namesOf(s.w->document());
    s.select(1);
    const QImage selected = s.w->surface()->canvas();

    s.prompts.answerChooser({{{s.folder(), added, false}}});
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
    if (kept.isEmpty()) {
        QCOMPARE(s.w->surface()->canvas(), selected);
        return;
    }
    QCOMPARE(doc.undoStack().undoText(), QStringLiteral("追加"));
    s.w->runCommand(Command::EditUndo);
    QCOMPARE(namesOf(doc), openedNames);
    QCOMPARE(s.w->surface()->canvas(), opened);
    QVERIFY(!doc.isModified());
}

QTEST_MAIN(TestInsertLoading)
#include "tst_insertloading.moc"
