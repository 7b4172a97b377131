// The folder each file dialog and the chooser start in: Save As beside the
// open container, or else in the albums' folder (where a new container must
// go for its albums to be found again); Open in the last container folder;
// the chooser in its own last folder.
#include "container/ContainerCommands.h"
#include "core/frmMain.h"
#include "core/MainWindowHandlers.h"
#include "core/frmMain.h"
#include "grid/GridCommands.h"
#include "grid/GridDrawing.h"

#include "GridFixture.h"
#include "ScriptedPrompts.h"
#include "TestEnvironment.h"

#include <QTest>

using namespace quorbell;

class TestDialogFolders : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void startFolders_data();
    void startFolders();
};

void TestDialogFolders::startFolders_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("containerPath");
    QTest::addColumn<QString>("folder");
    QTest::newRow("save as, new grid: the albums' folder")
        << int(Command::ContnrAdd) << QString() << "/albums/";
    QTest::newRow("save as, open container: its folder")
        << int(Command::ContnrAdd) << "/boxes/x.cov"
        << "/boxes/";
    QTest::newRow("open: the last container folder (dlgAdd)")
        << int(Command::ContnrOpen) << "/boxes/x.cov"
        << "/last-container/";
    QTest::newRow("new: the chooser's last folder (dlgNew)")
        << int(Command::ContnrNew) << QString() << "/last-chooser/";
}

void TestDialogFolders::startFolders()
{
    QFETCH(int, command);
    QFETCH(QString, containerPath);
    QFETCH(QString, folder);
    test::TestEnvironment env;
    test::ScriptedPrompts prompts;
    frmMain w;
    registerGridCommands(w);
    registerContainerCommands(w);
    frmMain_Form_Load(w, QString());
    test::fillDocument(w.document(), {"a.sld", "b.sld"});
    w.setMode(Mode::Shown);
    w.document().setAlbumFolder(QStringLiteral("/albums/"));
    w.document().setContainerPath(containerPath);
    w.settings().containerFolder = QStringLiteral("/last-container/");
    w.settings().chooserFolder = QStringLiteral("/last-chooser/");

    w.runCommand(Command(command));
    QCOMPARE(prompts.asked().size(), 1); // the dialog, cancelled
    const test::Asked& asked = prompts.asked().first();
    QCOMPARE(asked.kind == test::Asked::Kind::Chooser ? asked.chooser.startFolder
                                                      : asked.file.folder,
             folder);
}

QTEST_MAIN(TestDialogFolders)
#include "tst_dialogfolders.moc"
