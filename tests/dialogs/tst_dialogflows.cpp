// The dialogs on a shown main window, driven through the scripted prompts:
// the settings dialog's OK and Cancel against the settings file byte for
// byte, batch renames on real files, the properties dialog's apply checks,
// the album list and its file, the help window and the version box.
#include "core/BinaryIO.h"
#include "core/CommandState.h"
#include "core/Paths.h"
#include "core/Cp932.h"
#include "core/SettingsFile.h"
#include "core/frmMain.h"
#include "dialogs/AlbumList.h"
#include "dialogs/DialogCommands.h"
#include "dialogs/VersionText.h"
#include "dialogs/frmCondition.h"
#include "dialogs/frmHelp.h"
#include "dialogs/frmInfo.h"
#include "dialogs/frmList.h"
#include "dialogs/frmRename.h"
#include "grid/GridCommands.h"
#include "grid/GridDrawing.h"

#include "GridFixture.h"
#include "ScriptedPrompts.h"
#include "TestEnvironment.h"
#include "Unprivileged.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>

#include <sys/stat.h>
#include <unistd.h>

using namespace quorbell;

namespace {

std::unique_ptr<frmMain> window()
{
    auto w = test::makeWindow(QSize(400, 300));
    registerGridCommands(*w);
    registerDialogCommands(*w);
    return w;
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly), qPrintable(path));
    f.write(bytes);
}

// The settings file as the settings dialog lays it out, written out here.
QByteArray settingsLayout(const QStringList& v)
{
    const QStringList lines = {"[Quorbell]",
                               "",
                               "[基本設定]",
                               "optThumbSize=" + v[0],
                               "optPassword=" + v[1],
                               "optComment=" + v[2],
                               "dlgSelColor=" + v[3],
                               "",
                               "[カバー設定]",
                               "optCover=" + v[4],
                               "optCover1st=" + v[5],
                               "txtFileName=" + v[6],
                               "",
                               "[スライドショー設定]",
                               "optDispAuto=" + v[7],
                               "optInterval=" + v[8],
                               "optDispCont=" + v[9],
                               "optDispName=" + v[10],
                               "optSizeMax=" + v[11],
                               "optRange=" + v[12],
                               v[13],
                               "",
                               "dlgFontName=" + v[14],
                               "dlgFontSize=" + v[15],
                               "dlgFontColor=" + v[16],
                               "dlgFontBold=" + v[17],
                               "dlgFontItalic=" + v[18],
                               "dlgFontStrikeThru=" + v[19],
                               "dlgFontUnderLine=" + v[20],
                               "",
                               "[作業ディレクトリ]",
                               "dlgNew=" + v[21],
                               "dlgAdd=" + v[22],
                               "",
                               "[フォームサイズ]",
                               "frmHeight=" + v[23],
                               "frmWidth=" + v[24]};
    QByteArray out;
    for (const QString& line : lines)
        out += *cp932::encodeExact(line) + "\r\n";
    return out;
}

template <class Dialog> Dialog* openDialog(frmMain& w)
{
    const QList<Dialog*> all = w.findChildren<Dialog*>();
    for (Dialog* d : all) {
        if (d->isVisible())
            return d;
    }
    return nullptr;
}

void click(QWidget* parent, const char* name)
{
    auto* b = parent->findChild<QAbstractButton*>(QString::fromLatin1(name));
    QVERIFY2(b, name);
    b->click();
}

// Album files with distinct contents, so a rename can be followed by content.
QString makeAlbums(const QTemporaryDir& dir, const QStringList& names)
{
    for (const QString& name : names)
        writeFile(dir.filePath(name), "album " + name.toUtf8());
    return dir.path() + QLatin1Char('/');
}

// A shown grid of the given entries over a folder, one of them selected.
void showGrid(frmMain& w, const QStringList& names, const QString& folder, int selected)
{
    test::fillDocument(w.document(), names);
    w.document().setAlbumFolder(folder);
    w.document().setGridSource(true);
    w.setMode(selected >= 0 ? Mode::Selected : Mode::Shown);
    w.document().setSelectedIndex(qint16(qMax(0, selected)));
    RefreshGrid(w, true, true);
}

QStringList filesIn(const QString& folder)
{
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    names.sort();
    return names;
}

QRgb pixel(const frmMain& w, QPoint p)
{
    const QImage& img = w.surface()->canvas();
    const qreal dpr = img.devicePixelRatio();
    return img.pixel(int(p.x() * dpr), int(p.y() * dpr));
}

QPoint cellOf(const frmMain& w, int index)
{
    const qint32 pos = w.document().entry(index).cellPos;
    return QPoint(pairHigh(pos), pairLow(pos));
}

// A point on the left edge of the selection frame of a cell.
QPoint framePoint(const frmMain& w, int index)
{
    return cellOf(w, index) + QPoint(2, w.document().cellSize() / 2);
}

} // namespace

class TestDialogFlows : public QObject
{
    Q_OBJECT
private Q_SLOTS:

    // Settings.
    void settingsShowTheFile();
    void settingsOkWritesEveryGroup();
    void settingsCancelRestoresTheFile();
    void settingsCoverButton_data();
    void settingsCoverButton();
    void selectionColourAtOnceAndCancelled();
    void settingsOneAtATime();
    void settingsFileRemovedMeanwhile();
    void settingsOkKeepsValuesWrittenMeanwhile();
    void settingsRefusedFileLeftAlone_data();
    void settingsRefusedFileLeftAlone();

    // Batch rename.
    void renameSeries_data();
    void renameSeries();
    void renameClash();
    void renameSecondRunStops();
    void renameForbidden_data();
    void renameForbidden();
    void renameMissingAlbum();
    void renameHiddenEntry();
    void renameStopsHalfWay();
    void renameRefusedFolder();
    void renameTargetAppeared();
    void renameCommandModes();
    void renamePreviewFirst_data();
    void renamePreviewFirst();

    // Properties.
    void propertiesApply_data();
    void propertiesApply();
    void propertiesMissingAlbumFile();
    void propertiesNothingSelected();
    void propertiesCancelAndOk();
    void propertiesFollowSelection();

    // Album list.
    void listDialog();
    void listOutsideAShownGrid();
    void listSave();

    // Help and version.
    void helpOpensAtTheIndex();
    void helpLinksResolve_data();
    void helpLinksResolve();
    void versionBox();
};

// --- Settings -------------------------------------------------------------

void TestDialogFlows::settingsShowTheFile()
{
    test::TestEnvironment env;
    test::ScriptedPrompts prompts;
    QDir().mkpath(QFileInfo(env.settingsFile()).absolutePath());
    writeFile(env.settingsFile(),
              settingsLayout({"70",   "True", "False", "255",   "True", "True",  "/c/x.gif",
                              "True", "9",    "True",  "True",  "True", "False", "optFullSize=True",
                              "Sans", "12",   "65280", "False", "True", "False", "True",
                              "/n/",  "/a/",  "9000",  "12000"}));
    auto w = window();
    w->runCommand(Command::OptionCondition);
    auto* d = openDialog<frmCondition>(*w);
    QVERIFY(d);
    QCOMPARE(d->windowTitle(), QStringLiteral("環境設定"));
    QCOMPARE(d->tabs()->count(), 4);
    QCOMPARE(d->tabs()->tabText(0), QStringLiteral("基本設定"));
    QCOMPARE(d->tabs()->tabText(1), QStringLiteral("カバー設定"));
    QCOMPARE(d->tabs()->tabText(2), QStringLiteral("ｽﾗｲﾄﾞｼｮｰ基本設定"));
    QCOMPARE(d->tabs()->tabText(3), QStringLiteral("ｽﾗｲﾄﾞｼｮｰ拡張設定"));
    QCOMPARE(d->optionIndex("optThumbSize"), 1);
    QCOMPARE(d->group("optThumbSize")->button(6)->text(), QStringLiteral(" 120 x 120 ﾋﾟｸｾﾙ"));
    QCOMPARE(d->optionIndex("optPassword"), 1);
    QCOMPARE(d->optionIndex("optComment"), 0);
    QCOMPARE(d->optionIndex("optCover"), 1);
    QCOMPARE(d->optionIndex("optCover1st"), 1);
    QCOMPARE(d->txtFileName()->text(), QStringLiteral("/c/x.gif"));
    QCOMPARE(d->optionIndex("optDispAuto"), 1);
    QCOMPARE(d->optionIndex("optInterval"), -1); // 9 seconds is no choice
    QCOMPARE(d->group("optInterval")->button(5)->text(), QStringLiteral("6秒"));
    QCOMPARE(d->optionIndex("optDispCont"), 1);
    QCOMPARE(d->optionIndex("optDispName"), 1);
    QCOMPARE(d->optionIndex("optSizeMax"), 2);
    QCOMPARE(d->group("optSizeMax")->button(2)->text(), QStringLiteral("拡大縮小ジャストサイズ"));
    QCOMPARE(d->optionIndex("optRange"), 0);
    QCOMPARE(d->group("optRange")->button(1)->text(), QStringLiteral("コンテナ"));
    const FontChoice font{"Sans", 12, QColor(0, 255, 0), false, true, false, true};
    QCOMPARE(d->chosenFont(), font);
}

void TestDialogFlows::settingsOkWritesEveryGroup()
{
    test::TestEnvironment env;
    test::ScriptedPrompts prompts;
    QVERIFY(ensureSettingsFile());
    QVERIFY(updateWorkFolders(QStringLiteral("/home/u/アルバム/"), QStringLiteral("/home/u/cov/")));
    auto w = window();
    w->setCommandState(Cmd::AtStart);
    w->setCoverView(true);
    w->document().setCellSize(80, *commentMetricsFor(80));

    w->runCommand(Command::OptionCondition);
    QPointer<frmCondition> d = openDialog<frmCondition>(*w);
    QVERIFY(d);
    // The defaults, then every group changed.
    QCOMPARE(d->choices(), choicesFromState(w->settings()));
    const QList<QPair<const char*, int>> changes = {
        {"optComment", 0},  {"optThumbSize", 5}, {"optPassword", 1}, {"optCover", 0},
        {"optCover1st", 1}, {"optDispAuto", 0},  {"optInterval", 4}, {"optDispCont", 1},
        {"optDispName", 0}, {"optSizeMax", 2},   {"optRange", 1}};
    for (const auto& [group, index] : changes) {
        QVERIFY2(d->optionIndex(group) != index, group);
        d->group(group)->button(index)->click();
    }
    prompts.answerColour(QColor(0, 128, 255));
    click(d, "btnSelColor");
    prompts.answerFont({"Noto Sans", 20, QColor(10, 20, 30), true, false, true, false});
    click(d, "btnFontChange");
    prompts.answerText(QStringLiteral("/pics/表紙.jpg"));
    click(d, "btnFileSelect");
    QCOMPARE(d->txtFileName()->text(), QStringLiteral("/pics/表紙.jpg"));
    QCOMPARE(prompts.asked().at(2).file.filter,
             QStringLiteral("ビットマップ (*.bmp);;ＪＰＥＧ (*.jpg);;ＧＩＦ (*.gif);;"
                            "すべてのファイル (*.bmp *.jpg *.gif)"));
    click(d, "btnOK");

    const QByteArray expected = settingsLayout({"110",
                                                "True",
                                                "False",
                                                "16744448",
                                                "False",
                                                "True",
                                                "/pics/表紙.jpg",
                                                "False",
                                                "5",
                                                "True",
                                                "False",
                                                "True",
                                                "True",
                                                "optFullSize=True",
                                                "Noto Sans",
                                                "20",
                                                "1971210",
                                                "True",
                                                "False",
                                                "True",
                                                "False",
                                                "/home/u/アルバム/",
                                                "/home/u/cov/",
                                                QString::number(w->height() * 15),
                                                QString::number(w->width() * 15)});
    QCOMPARE(readAll(env.settingsFile()), expected);

    // The state follows; the grid's own cell size waits for the next grid.
    QCOMPARE(w->settings().pendingThumbSize, qint16(110));
    QCOMPARE(w->settings().pendingComment, (CommentMetrics{16, 10, 16}));
    QCOMPARE(w->document().cellSize(), qint16(80));
    QCOMPARE(w->settings().interval, quint8(5));
    QCOMPARE(w->settings().selectionColour, 16744448);
    QCOMPARE(w->settings().nameFontName, QStringLiteral("Noto Sans"));
    QCOMPARE(w->settings().coverImagePath, QStringLiteral("/pics/表紙.jpg"));
    QVERIFY(!w->isCoverView());
    QVERIFY(!w->settings().has(Flag::CoverSetting));
    QVERIFY(!(w->commandState() & Cmd::Cover));
    QVERIFY(!w->button(Command::ViewCover)->isEnabled());
    QCOMPARE(w->buttonImage(Command::ViewCover), QStringLiteral("imgNoCover"));
    QVERIFY(!w->action(Command::ViewCover)->isEnabled());
    QVERIFY(d->isHidden());
    QTRY_VERIFY(d.isNull());
}

void TestDialogFlows::settingsCancelRestoresTheFile()
{
    test::TestEnvironment env;
    test::ScriptedPrompts prompts;
    QVERIFY(ensureSettingsFile());
    QVERIFY(updateWindowSize(400 * 15, 500 * 15));
    const QByteArray before = readAll(env.settingsFile());
    auto w = window();
    QVERIFY(w->size() != QSize(500, 400));

    w->runCommand(Command::OptionCondition);
    QPointer<frmCondition> d = openDialog<frmCondition>(*w);
    QVERIFY(d);
    const ConditionChoices stored = choicesFromState(w->settings());
    const qint32 storedColour = w->settings().selectionColour;
    for (const char* group : {"optComment", "optPassword", "optCover", "optCover1st", "optDispAuto",
                              "optDispCont", "optDispName", "optRange"})
        d->group(group)->button(1 - d->optionIndex(group))->click();
    d->group("optThumbSize")->button(0)->click();
    d->group("optInterval")->button(5)->click();
    d->group("optSizeMax")->button(0)->click();
    prompts.answerColour(QColor(1, 2, 3));
    click(d, "btnSelColor");
    QCOMPARE(w->settings().selectionColour, RgbValue::fromRgb(1, 2, 3));
    prompts.answerFont({"Other", 30, QColor(9, 9, 9), true, true, true, true});
    click(d, "btnFontChange");
    prompts.answerText(QStringLiteral("/x.bmp"));
    click(d, "btnFileSelect");
    QVERIFY(d->choices() != stored);
    click(d, "btnCancel");

    QCOMPARE(readAll(env.settingsFile()), before);
    QCOMPARE(choicesFromState(w->settings()), stored);
    QCOMPARE(w->settings().selectionColour, storedColour);
    QTRY_COMPARE(w->size(), QSize(500, 400));
    QTRY_VERIFY(d.isNull());
}

void TestDialogFlows::settingsCoverButton_data()
{
    QTest::addColumn<QString>("inFile");
    QTest::addColumn<int>("chosen");
    QTest::addColumn<bool>("buttonOn");
    QTest::newRow("on, stays on") << "True" << 1 << true;
    QTest::newRow("on, switched off") << "True" << 0 << false;
    QTest::newRow("off, switched on") << "False" << 1 << true;
    QTest::newRow("off, stays off") << "False" << 0 << false;
}

void TestDialogFlows::settingsCoverButton()
{
    QFETCH(QString, inFile);
    QFETCH(int, chosen);
    QFETCH(bool, buttonOn);
    test::TestEnvironment env;
    test::ScriptedPrompts prompts;
    QVERIFY(ensureSettingsFile());
    writeFile(env.settingsFile(),
              replaceSettingLines(readAll(env.settingsFile()), {{"optCover=", inFile}}));
    auto w = window();
    w->setCommandState(Cmd::AtStart);
    w->runCommand(Command::OptionCondition);
    auto* d = openDialog<frmCondition>(*w);
    QVERIFY(d);
    // Loading reads the file: a cover setting that is off greys the button at once.
    QCOMPARE(w->button(Command::ViewCover)->isEnabled(), inFile == QLatin1String("True"));
    d->group("optCover")->button(chosen)->click();
    click(d, "btnOK");
    QCOMPARE(bool(w->commandState() & Cmd::Cover), buttonOn);
    QCOMPARE(w->button(Command::ViewCover)->isEnabled(), buttonOn);
    QCOMPARE(w->action(Command::ViewCover)->isEnabled(), buttonOn);
    QCOMPARE(w->buttonImage(Command::ViewCover),
             buttonOn ? QStringLiteral("imgCover") : QStringLiteral("imgNoCover"));
}

void TestDialogFlows::selectionColourAtOnceAndCancelled()
{
    test::TestEnvironment env;
    test::ScriptedPrompts prompts;
    QVERIFY(ensureSettingsFile());
    auto w = window();
    QVERIFY(readSettings(w->settings()).coverSwitchedOff == false);
    showGrid(*w, {"a.sld", "b.sld", "c.sld"}, QStringLiteral("/nowhere/"), 1);
    const QRgb stored = colourFromRgbValue(w->settings().selectionColour).rgb();
    QCOMPARE(pixel(*w, framePoint(*w, 1)), stored);
    // The stored window size is the current one, so Cancel does not resize
    // (a resize redraws the grid).
    QVERIFY(updateWindowSize(w->height() * 15, w->width() * 15));

    w->runCommand(Command::OptionCondition);
    auto* d = openDialog<frmCondition>(*w);
    QVERIFY(d);
    prompts.answerColour(QColor(0, 0, 255));
    click(d, "btnSelColor");
    QCOMPARE(pixel(*w, framePoint(*w, 1)), QColor(0, 0, 255).rgb()); // redrawn at once

    // A cancelled colour choice changes nothing.
    prompts.cancel();
    click(d, "btnSelColor");
    QCOMPARE(w->settings().selectionColour, RgbValue::fromRgb(0, 0, 255));

    // Closing the window is a Cancel: the stored colour is back, the frame on
    // screen keeps the new one until the next redraw.
    d->close();
    QCOMPARE(colourFromRgbValue(w->settings().selectionColour).rgb(), stored);
    QCOMPARE(pixel(*w, framePoint(*w, 1)), QColor(0, 0, 255).rgb());
    RefreshGrid(*w, false, true);
    QCOMPARE(pixel(*w, framePoint(*w, 1)), stored);
}

void TestDialogFlows::settingsOneAtATime()
{
    test::TestEnvironment env;
    test::ScriptedPrompts prompts;
    QVERIFY(ensureSettingsFile());
    auto w = window();
    w->runCommand(Command::OptionCondition);
    auto* first = openDialog<frmCondition>(*w);
    w->runCommand(Command::OptionCondition);
    QCOMPARE(openDialog<frmCondition>(*w), first);
    QCOMPARE(w->findChildren<frmCondition*>().size(), 1);
    QVERIFY(!first->isModal());
}

void TestDialogFlows::settingsFileRemovedMeanwhile()
{
    test::TestEnvironment env;
    test::ScriptedPrompts prompts;
    QVERIFY(ensureSettingsFile());
    auto w = window();
    QVERIFY(readSettings(w->settings()).coverSwitchedOff == false);
    w->settings().set(Flag::Endless);
    w->settings().interval = 6;
    const ConditionChoices inMemory = choicesFromState(w->settings());
    QVERIFY(QFile::remove(env.settingsFile()));
    w->runCommand(Command::OptionCondition);
    auto* d = openDialog<frmCondition>(*w);
    QVERIFY(d);
    // The settings in memory survive and the file is there again.
    QCOMPARE(d->choices(), inMemory);
    QCOMPARE(choicesFromState(w->settings()), inMemory);
    QVERIFY(QFile::exists(env.settingsFile()));
}

void TestDialogFlows::settingsOkKeepsValuesWrittenMeanwhile()
{
    test::TestEnvironment env;
    test::ScriptedPrompts prompts;
    QVERIFY(ensureSettingsFile());
    auto w = window();
    w->runCommand(Command::OptionCondition);
    QPointer<frmCondition> d = openDialog<frmCondition>(*w);
    QVERIFY(d);
    const FontChoice shownFont = d->chosenFont();

    // Another window of the program writes the file while the dialog is open.
    writeFile(env.settingsFile(),
              replaceSettingLines(readAll(env.settingsFile()), {{"optThumbSize=", "60"},
                                                                {"optPassword=", "True"},
                                                                {"optInterval=", "6"},
                                                                {"optDispName=", "False"},
                                                                {"dlgSelColor=", "65280"},
                                                                {"dlgFontName=", "Other"},
                                                                {"dlgFontSize=", "20"},
                                                                {"dlgFontBold=", "True"},
                                                                {"dlgNew=", "/other/new/"},
                                                                {"dlgAdd=", "/other/add/"}}));
    // The user changes the thumbnail size (written by both: the user's wins),
    // the range, and of the font only its size.
    d->group("optThumbSize")->button(4)->click();
    d->group("optRange")->button(1)->click();
    FontChoice font = shownFont;
    font.pointSize = 30;
    prompts.answerFont(font);
    click(d, "btnFontChange");
    const QString coverShown = d->txtFileName()->text();
    click(d, "btnOK");

    const QByteArray expected = replaceSettingLines(
        defaultSettingsFile(), {{"optThumbSize=", "100"},
                                {"optPassword=", "True"},
                                {"optInterval=", "6"},
                                {"optDispName=", "False"},
                                {"optRange=", "True"},
                                {"dlgSelColor=", "65280"},
                                {"txtFileName=", coverShown},
                                {"dlgFontName=", "Other"},
                                {"dlgFontSize=", "30"},
                                {"dlgFontBold=", "True"},
                                {"dlgNew=", "/other/new/"},
                                {"dlgAdd=", "/other/add/"},
                                {"frmHeight=", QString::number(w->height() * 15)},
                                {"frmWidth=", QString::number(w->width() * 15)}});
    QCOMPARE(readAll(env.settingsFile()), expected);
    // What was written is what the program now works with.
    QCOMPARE(w->settings().pendingThumbSize, qint16(100));
    QVERIFY(w->settings().has(Flag::PasswordSetting));
    QCOMPARE(w->settings().interval, quint8(6));
    QCOMPARE(w->settings().selectionColour, 65280);
    QCOMPARE(w->settings().nameFontName, QStringLiteral("Other"));
    QCOMPARE(w->settings().chooserFolder, QStringLiteral("/other/new/"));
    QVERIFY(prompts.messageTexts().isEmpty());
}

void TestDialogFlows::settingsRefusedFileLeftAlone_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("pipe") << "pipe";
    QTest::newRow("200 MB file") << "huge";
}

void TestDialogFlows::settingsRefusedFileLeftAlone()
{
    QFETCH(QString, kind);
    test::TestEnvironment env;
    test::ScriptedPrompts prompts;
    QVERIFY(ensureSettingsFile());
    const QString path = env.settingsFile();
    auto w = window();
    w->runCommand(Command::OptionCondition);
    QPointer<frmCondition> d = openDialog<frmCondition>(*w);
    QVERIFY(d);

    // The file turns into something the program does not read while the dialog is open.
    QVERIFY(QFile::remove(path));
    if (kind == QLatin1String("pipe")) {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else {
        writeFile(path, defaultSettingsFile());
        QVERIFY(QFile::resize(path, 200 * 1024 * 1024)); // sparse: no disk taken
    }
    const QFileInfo before(path);
    d->group("optPassword")->button(1)->click();
    click(d, "btnOK");
    // The choice holds for this run; the file is not replaced, and the user hears why.
    QVERIFY(w->settings().has(Flag::PasswordSetting));
    QCOMPARE(prompts.messageTexts(),
             QStringList{QStringLiteral("設定ファイルに書き込めませんでした。\r\n") + path});
    QTRY_VERIFY(d.isNull());

    // Opening the dialog again reads nothing from it and shows the settings in memory.
    w->runCommand(Command::OptionCondition);
    d = openDialog<frmCondition>(*w);
    QVERIFY(d);
    QCOMPARE(d->optionIndex("optPassword"), 1);
    click(d, "btnCancel");
    QVERIFY(w->settings().has(Flag::PasswordSetting));
    const QFileInfo after(path);
    QCOMPARE(after.isFile(), before.isFile());
    QCOMPARE(after.size(), before.size());
    QCOMPARE(after.lastModified(), before.lastModified());
}

// --- Batch rename ---------------------------------------------------------

void TestDialogFlows::renameSeries_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("pattern");
    const int same = int(RenameNumberStyle::SameWidth), grow = int(RenameNumberStyle::Growing);
    QTest::newRow("9 same") << 9 << same << "trip1.sld"
                            << "trip9.sld"
                            << "^trip[1-9]\\.sld$";
    QTest::newRow("9 growing") << 9 << grow << "trip1.sld"
                               << "trip9.sld"
                               << "^trip[1-9]\\.sld$";
    QTest::newRow("12 same") << 12 << same << "trip01.sld"
                             << "trip12.sld"
                             << "^trip\\d\\d\\.sld$";
    QTest::newRow("12 growing") << 12 << grow << "trip1.sld"
                                << "trip12.sld"
                                << "^trip[1-9]\\d?\\.sld$";
    QTest::newRow("100 same") << 100 << same << "trip001.sld"
                              << "trip100.sld"
                              << "^trip\\d\\d\\d\\.sld$";
    QTest::newRow("100 growing") << 100 << grow << "trip1.sld"
                                 << "trip100.sld"
                                 << "^trip[1-9]\\d{0,2}\\.sld$";
}

void TestDialogFlows::renameSeries()
{
    QFETCH(int, count);
    QFETCH(int, style);
    QFETCH(QString, first);
    QFETCH(QString, last);
    QFETCH(QString, pattern);
    test::TestEnvironment env;
    test::ScriptedPrompts prompts;
    QTemporaryDir dir;
    QStringList names;
    for (int i = 0; i < count; ++i)
        names << QStringLiteral("写真%1.sld").arg(count - i); // grid order is not name order
    const QString folder = makeAlbums(dir, names);
    auto w = window();
    showGrid(*w, names, folder, 1);

    const BatchRenameOutcome r = renameAlbums(*w, QStringLiteral("trip"), RenameNumberStyle(style));
    QCOMPARE(r.status, BatchRenameOutcome::Status::Done);
    QCOMPARE(r.renamed, count);
    QVERIFY(prompts.asked().isEmpty());
    QCOMPARE(w->document().entries().first().fileName, first);
    QCOMPARE(w->document().entries().last().fileName, last);
    const QRegularExpression re(pattern);
    QStringList newNames;
    for (int i = 0; i < count; ++i) {
        const QString name = w->document().entry(i).fileName;
        QVERIFY2(re.match(name).hasMatch(), qPrintable(name));
        QCOMPARE(name.mid(4).section('.', 0, 0).toInt(), i + 1);
        // Each file keeps its own album: the contents follow the grid order.
        QCOMPARE(readAll(folder + name), "album " + names.at(i).toUtf8());
        newNames << name;
    }
    newNames.sort();
    QCOMPARE(filesIn(folder), newNames);
    QVERIFY(w->document().isModified());
    QCOMPARE(w->panel(3), QStringLiteral("選択アルバム名： ") + w->document().entry(1).fileName);
}

void TestDialogFlows::renameClash()
{
    test::TestEnvironment env;
    test::ScriptedPrompts prompts;
    QTemporaryDir dir;
    const QStringList names = {"a.sld", "b.sld", "c.sld", "d.sld", "e.sld"};
    const QString folder = makeAlbums(dir, names + QStringList{"trip4.sld"});
    auto w = window();
    showGrid(*w, names, folder, 0);
    w->setPanel(3, QStringLiteral("before"));

    const BatchRenameOutcome r =
        renameAlbums(*w, QStringLiteral("trip"), RenameNumberStyle::SameWidth);
    QCOMPARE(r.status, BatchRenameOutcome::Status::Clash);
    QCOMPARE(
        prompts.messageTexts(),
        QStringList{
            QStringLiteral(
                "フォルダの中に同じファイル名があるため、リネーミングをキャンセルします。\r\n") +
            folder + QStringLiteral("trip4.sld")});
    QCOMPARE(prompts.messageTitles(), QStringList{QStringLiteral("リネーミング")});
    QCOMPARE(prompts.asked().first().message.icon, MsgIcon::Warning);
    // No file changed its name.
    QCOMPARE(filesIn(folder),
             (QStringList{"a.sld", "b.sld", "c.sld", "d.sld", "e.sld", "trip4.sld"}));
    for (int i = 0; i < names.size(); ++i)
        QCOMPARE(w->document().entry(i).fileName, names.at(i));
    QVERIFY(!w->document().isModified());
    QCOMPARE(w->panel(3), QStringLiteral("before"));
}

void TestDialogFlows::renameSecondRunStops()
{
    test::TestEnvironment env;
    test::ScriptedPrompts prompts;
    QTemporaryDir dir;
    const QString folder = makeAlbums(dir, {"x.sld", "y.sld"});
    auto w = window();
    showGrid(*w, {"x.sld", "y.sld"}, folder, -1);
    QCOMPARE(renameAlbums(*w, "trip", RenameNumberStyle::SameWidth).status,
             BatchRenameOutcome::Status::Done);
    w->document().setModified(false);
    // The first album already has its future name.
    QCOMPARE(renameAlbums(*w, "trip", RenameNumberStyle::SameWidth).status,
             BatchRenameOutcome::Status::Clash);
    QCOMPARE(prompts.messageTexts().size(), 1);
    QVERIFY(prompts.messageTexts().first().endsWith(folder + "trip1.sld"));
    QCOMPARE(filesIn(folder), (QStringList{"trip1.sld", "trip2.sld"}));
    QVERIFY(!w->document().isModified());
}

void TestDialogFlows::renameForbidden_data()
{
    QTest::addColumn<QString>("common");
    for (const char* c : {"/", "\\", ":", "\"", "*", "?", "<", ">", "|"})
        QTest::newRow(c) << QStringLiteral("a%1b").arg(QLatin1String(c));
}

void TestDialogFlows::renameForbidden()
{
    QFETCH(QString, common);
    test::TestEnvironment env;
    test::ScriptedPrompts prompts;
    QTemporaryDir dir;
    const QString folder = makeAlbums(dir, {"x.sld"});
    auto w = window();
    showGrid(*w, {"x.sld"}, folder, 0);
    w->runCommand(Command::EditRename);
    auto* d = openDialog<frmRename>(*w);
    QVERIFY(d);
    d->txtFileNameU()->setText(common);
    click(d, "btnOK");
    QCOMPARE(prompts.messageTexts(),
             QStringList{QStringLiteral(
                 "ファイル名共通部に禁止文字が含まれています。\r\n別の名前に変更して下さい。")});
    QCOMPARE(prompts.messageTitles(), QStringList{QStringLiteral("リネーミング")});
    QVERIFY(d->isVisible()); // the user corrects the name
    QCOMPARE(filesIn(folder), QStringList{"x.sld"});
    QVERIFY(!w->document().isModified());

    // Corrected, the same dialog renames and closes.
    QPointer<frmRename> guard(d);
    d->txtFileNameU()->setText(QStringLiteral("ok"));
    prompts.answer(MsgAnswer::Ok); // what the rename will do
    click(d, "btnOK");
    QCOMPARE(filesIn(folder), QStringList{"ok1.sld"});
    QTRY_VERIFY(guard.isNull());
}

void TestDialogFlows::renameMissingAlbum()
{
    test::TestEnvironment env;
    test::ScriptedPrompts prompts;
    QTemporaryDir dir;
    const QString folder = makeAlbums(dir, {"a.sld", "b.sld", "d.sld"});
    auto w = window();
    showGrid(*w, {"a.sld", "b.sld", "gone.sld", "d.sld"}, folder, 2);
    const BatchRenameOutcome r = renameAlbums(*w, "t", RenameNumberStyle::Growing);
    QCOMPARE(r.status, BatchRenameOutcome::Status::Done);
    QCOMPARE(r.renamed, 3);
    QVERIFY(prompts.asked().isEmpty()); // passed over without a message
    QCOMPARE(w->document().entry(0).fileName, QStringLiteral("t1.sld"));
    QCOMPARE(w->document().entry(1).fileName, QStringLiteral("t2.sld"));
    QCOMPARE(w->document().entry(2).fileName, QStringLiteral("gone.sld"));
    QCOMPARE(w->document().entry(3).fileName, QStringLiteral("t4.sld"));
    QCOMPARE(filesIn(folder), (QStringList{"t1.sld", "t2.sld", "t4.sld"}));
    QCOMPARE(w->panel(3), QStringLiteral("選択アルバム名： gone.sld"));
    QVERIFY(w->document().isModified());
}

void TestDialogFlows::renameHiddenEntry()
{
    test::TestEnvironment env;
    test::ScriptedPrompts prompts;
    QTemporaryDir dir;
    // A file really named "*b.sld" is not the hidden entry's file and stays.
    const QString folder = makeAlbums(dir, {"a.sld", "b.sld", "c.sld", "*b.sld"});
    auto w = window();
    showGrid(*w, {"a.sld", "*b.sld", "c.sld"}, folder, 0);
    QCOMPARE(renameAlbums(*w, "trip", RenameNumberStyle::SameWidth).status,
             BatchRenameOutcome::Status::Done);
    QCOMPARE(w->document().entry(1).fileName, QStringLiteral("*trip2.sld"));
    QVERIFY(w->document().entry(1).isHidden());
    QCOMPARE(readAll(folder + "trip2.sld"), QByteArray("album b.sld"));
    QCOMPARE(readAll(folder + "*b.sld"), QByteArray("album *b.sld"));
    QCOMPARE(filesIn(folder), (QStringList{"*b.sld", "trip1.sld", "trip2.sld", "trip3.sld"}));
}

void TestDialogFlows::renameStopsHalfWay()
{
    test::TestEnvironment env;
    test::ScriptedPrompts prompts;
    QTemporaryDir dir;
    // The third album's new name is one byte too long for the file system,
    // which only the rename itself finds out.
    const QString longName = QStringLiteral("c.") + QString(250, 'e');
    const QStringList names = {"a.sld", "b.sld", longName, "d.sld"};
    const QString folder = makeAlbums(dir, names);
    auto w = window();
    showGrid(*w, names, folder, 0);
    const BatchRenameOutcome r = renameAlbums(*w, "trip", RenameNumberStyle::Growing);
    QCOMPARE(r.status, BatchRenameOutcome::Status::Stopped);
    QCOMPARE(r.renamed, 2);
    QCOMPARE(r.stoppedAt, 2);
    const QStringList now = {"trip1.sld", "trip2.sld", longName, "d.sld"};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(w->document().entry(i).fileName, now.at(i));
        QCOMPARE(readAll(folder + now.at(i)), "album " + names.at(i).toUtf8());
    }
    QCOMPARE(filesIn(folder).size(), 4);
    QCOMPARE(prompts.messageTitles(), QStringList{QStringLiteral("リネーミング")});
    const QString text = prompts.messageTexts().first();
    QVERIFY2(text.contains(folder + longName), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("ファイル名が長すぎます。")));
    QVERIFY(w->document().isModified());
    QCOMPARE(w->panel(3), QStringLiteral("選択アルバム名： trip1.sld"));
}

void TestDialogFlows::renameRefusedFolder()
{
    QUORBELL_RUN_AS_NOBODY_WHEN_ROOT();
    test::TestEnvironment env;
    test::ScriptedPrompts prompts;
    QTemporaryDir dir;
    const QString folder = makeAlbums(dir, {"a.sld", "b.sld"});
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    auto w = window();
    showGrid(*w, {"a.sld", "b.sld"}, folder, -1);
    const BatchRenameOutcome r = renameAlbums(*w, "t", RenameNumberStyle::Growing);
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(r.status, BatchRenameOutcome::Status::Stopped);
    QCOMPARE(r.renamed, 0);
    QCOMPARE(prompts.messageTexts().size(), 1);
    QVERIFY(prompts.messageTexts().first().contains(folder + "a.sld"));
    QVERIFY(!w->document().isModified());
    QCOMPARE(filesIn(folder), (QStringList{"a.sld", "b.sld"}));
}

void TestDialogFlows::renameTargetAppeared()
{
    test::TestEnvironment env;
    test::ScriptedPrompts prompts;
    QTemporaryDir dir;
    const QString folder = makeAlbums(dir, {"a.sld", "new.sld"});
    AlbumDocument doc;
    test::fillDocument(doc, {"a.sld"});
    doc.setAlbumFolder(folder);
    QString reason;
    QCOMPARE(RenameAlbumFile(doc, 0, "new.sld", &reason), RenameResult::TargetExists);
    QVERIFY(!reason.isEmpty());
    QCOMPARE(doc.entry(0).fileName, QStringLiteral("a.sld"));
    QCOMPARE(readAll(folder + "new.sld"), QByteArray("album new.sld")); // never replaced
    QCOMPARE(RenameAlbumFile(doc, 0, "other.sld"), RenameResult::Renamed);
    QCOMPARE(doc.entry(0).fileName, QStringLiteral("other.sld"));
    QCOMPARE(RenameAlbumFile(doc, 0, "x.sld"), RenameResult::Renamed);
    QVERIFY(QFile::remove(folder + "x.sld"));
    QCOMPARE(RenameAlbumFile(doc, 0, "y.sld"), RenameResult::SourceMissing);
    QCOMPARE(doc.entry(0).fileName, QStringLiteral("x.sld"));
}

void TestDialogFlows::renameCommandModes()
{
    test::TestEnvironment env;
    test::ScriptedPrompts prompts;
    auto w = window();
    test::fillDocument(w->document(), {"a.sld"});
    for (qint16 mode : {Mode::Empty, Mode::Chosen, Mode::Loading, qint16(6), qint16(7)}) {
        w->setMode(mode);
        w->runCommand(Command::EditRename);
        QVERIFY2(!openDialog<frmRename>(*w), qPrintable(QString::number(mode)));
    }
    w->setMode(Mode::Shown);
    w->runCommand(Command::EditRename);
    auto* d = openDialog<frmRename>(*w);
    QVERIFY(d);
    QCOMPARE(d->windowTitle(), QStringLiteral("リネーミング"));
    QCOMPARE(d->optFileNameL()->checkedId(), 0);
    QCOMPARE(d->optFileNameL()->button(0)->text(),
             QStringLiteral("同一桁数(桁数はファイル数に依存）"));
    QCOMPARE(d->optFileNameL()->button(1)->text(),
             QStringLiteral("数字の大きさに対応して桁数が増加"));
    // Cancel closes without a change.
    QPointer<frmRename> guard(d);
    d->txtFileNameU()->setText("z");
    click(d, "btnCancel");
    QTRY_VERIFY(guard.isNull());
    QCOMPARE(w->document().entry(0).fileName, QStringLiteral("a.sld"));
}

void TestDialogFlows::renamePreviewFirst_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("lines"); // what the confirmation lists
    QTest::newRow("short list, all of it")
        << 3 << QStringList{"a1.sld → trip1.sld", "a2.sld → trip2.sld", "a3.sld → trip3.sld"};
    QStringList eleven;
    for (int i = 1; i <= 11; ++i)
        eleven << QStringLiteral("a%1.sld → trip%2.sld").arg(i).arg(i, 2, 10, QLatin1Char('0'));
    QTest::newRow("eleven: nothing worth leaving out") << 11 << eleven;
    QTest::newRow("long list: both ends")
        << 120
        << QStringList{"a1.sld → trip001.sld",   "a2.sld → trip002.sld",   "a3.sld → trip003.sld",
                       "a4.sld → trip004.sld",   "a5.sld → trip005.sld",   "…",
                       "a116.sld → trip116.sld", "a117.sld → trip117.sld", "a118.sld → trip118.sld",
                       "a119.sld → trip119.sld", "a120.sld → trip120.sld"};
}

void TestDialogFlows::renamePreviewFirst()
{
    QFETCH(int, count);
    QFETCH(QStringList, lines);
    test::TestEnvironment env;
    test::ScriptedPrompts prompts;
    QTemporaryDir dir;
    QStringList names;
    for (int i = 1; i <= count; ++i)
        names << QStringLiteral("a%1.sld").arg(i);
    const QString folder = makeAlbums(dir, names);
    auto w = window();
    showGrid(*w, names, folder, 0);
    w->runCommand(Command::EditRename);
    auto* d = openDialog<frmRename>(*w);
    QVERIFY(d);
    d->txtFileNameU()->setText(QStringLiteral("trip"));

    // Cancel at the confirmation: nothing changes, the dialog stays for another try.
    prompts.answer(MsgAnswer::Cancel);
    click(d, "btnOK");
    QCOMPARE(prompts.asked().size(), 1);
    const MessageRequest m = prompts.asked().at(0).message;
    QCOMPARE(m.text,
             QStringLiteral("次の %1 個のアルバムファイルの名前を変更します。\r\n\r\n").arg(count) +
                 lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n\r\nよろしいですか？"));
    QCOMPARE(m.title, QStringLiteral("リネーミング"));
    QCOMPARE(m.buttons, MsgButtons::OkCancel);
    QCOMPARE(filesIn(folder).size(), count);
    QVERIFY(filesIn(folder).contains(QStringLiteral("a1.sld")));
    QVERIFY(!w->document().isModified());
    QCOMPARE(w->document().undoStack().count(), 0);
    QVERIFY(d->isVisible());

    // OK: the same renames are made.
    QPointer<frmRename> guard(d);
    prompts.answer(MsgAnswer::Ok);
    click(d, "btnOK");
    QCOMPARE(prompts.messageTexts().at(1), m.text);
    QCOMPARE(w->document().entry(count - 1).fileName,
             lines.last().section(QStringLiteral(" → "), 1));
    QVERIFY(!filesIn(folder).contains(QStringLiteral("a1.sld")));
    QVERIFY(w->document().isModified());
    QCOMPARE(w->document().undoStack().count(), 1);
    QTRY_VERIFY(guard.isNull());
}

// --- Properties -----------------------------------------------------------

void TestDialogFlows::propertiesApply_data()
{
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("comment");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("panel");
    const QStringList all = {"Trip.sld", "a.sld", "b.sld", "other.sld"};
    const QString inGrid = QStringLiteral("サムネイルに同じ名前があります。別の名前にして下さい。");
    // %1: the album folder.
    const QString inFolder =
        QStringLiteral("フォルダの中に同じ名前があります。別の名前にして下さい。\r\n%1other.sld");
    const QString forbidden = QStringLiteral(
        "ファイル名共通部に禁止文字が含まれています。\r\n別の名前に変更して下さい。");
    const int applied = int(PropertiesResult::Applied);
    QTest::newRow("new name") << 0 << "新しい"
                              << "a" << applied << "新しい.sld"
                              << ""
                              << "" << true
                              << QStringList{"Trip.sld", "b.sld", "other.sld", "新しい.sld"}
                              << "選択アルバム名： 新しい";
    QTest::newRow("other letter case") << 2 << "TRIP"
                                       << "Trip" << applied << "Trip.sld"
                                       << ""
                                       << "" << false << all << "before";
    QTest::newRow("taken in the grid") << 0 << "B"
                                       << "a" << int(PropertiesResult::NameInGrid) << "a.sld"
                                       << inGrid << "プロパティ" << false << all << "before";
    QTest::newRow("taken in the folder")
        << 0 << "other"
        << "changed too" << int(PropertiesResult::NameInFolder) << "a.sld" << inFolder
        << "プロパティ" << false << all << "before";
    QTest::newRow("forbidden") << 0 << "a/b"
                               << "a" << int(PropertiesResult::Forbidden) << "a.sld" << forbidden
                               << "リネーミング" << false << all << "before";
    QTest::newRow("empty name") << 0 << ""
                                << "a" << int(PropertiesResult::EmptyName) << "a.sld"
                                << "アルバム名がありません。別の名前にして下さい。"
                                << "プロパティ" << false << all << "before";
    // The window follows the changed entry: panel 3 names it again.
    QTest::newRow("comment only") << 1 << "b"
                                  << "新しいコメント" << applied << "b.sld"
                                  << ""
                                  << "" << true << all << "選択アルバム名： b";
}

void TestDialogFlows::propertiesApply()
{
    QFETCH(int, selected);
    QFETCH(QString, name);
    QFETCH(QString, comment);
    QFETCH(int, result);
    QFETCH(QString, fileName);
    QFETCH(QString, message);
    QFETCH(QString, title);
    QFETCH(bool, modified);
    QFETCH(QStringList, files);
    QFETCH(QString, panel);
    test::TestEnvironment env;
    test::ScriptedPrompts prompts;
    QTemporaryDir dir;
    const QString folder = makeAlbums(dir, {"a.sld", "b.sld", "Trip.sld", "other.sld"});
    auto w = window();
    showGrid(*w, {"a.sld", "b.sld", "Trip.sld"}, folder, selected);
    w->settings().set(Flag::CommentDefault);
    w->settings().selectionColour = RgbValue::fromRgb(0, 200, 0);
    RedrawGrid(*w, 0, 2); // the frame is off the screen until the apply draws it
    const QString oldComment = w->document().entry(selected).comment;

    w->runCommand(Command::ContnrInfo);
    auto* d = openDialog<frmInfo>(*w);
    QVERIFY(d);
    QCOMPARE(d->objectName(), QStringLiteral("frmInfo"));
    QCOMPARE(d->txtSfileName()->text(), w->document().entry(selected).fileName.section('.', 0, 0));
    d->txtSfileName()->setText(name);
    d->txtSTitle()->setText(comment);
    const QImage before = w->surface()->canvas().copy();
    w->setPanel(3, QStringLiteral("before"));
    QCOMPARE(int(d->btnTekiyo_Click()), result);

    QCOMPARE(w->document().entry(selected).fileName, fileName);
    if (message.contains(QLatin1String("%1")))
        message = message.arg(folder);
    QCOMPARE(prompts.messageTexts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(prompts.messageTitles(), title.isEmpty() ? QStringList() : QStringList{title});
    QCOMPARE(w->document().isModified(), modified);
    QCOMPARE(filesIn(folder), files);
    QVERIFY(d->isVisible()); // Apply keeps the dialog open
    QCOMPARE(w->panel(3), panel);
    if (result == int(PropertiesResult::Applied)) {
        QCOMPARE(w->document().entry(selected).comment, comment);
        // The grid is drawn again when the entry changed (nothing changes
        // for a name that differs only in letter case).
        if (modified)
            QCOMPARE(pixel(*w, framePoint(*w, selected)), QColor(0, 200, 0).rgb());
        if (comment != oldComment)
            QVERIFY(w->surface()->canvas() != before); // the new caption is drawn
    } else {
        QCOMPARE(w->document().entry(selected).comment, oldComment);
        // Refused names put the stored values back into the fields, but a
        // forbidden character leaves the typing for the user to correct.
        const bool refilled = result == int(PropertiesResult::NameInGrid) ||
                              result == int(PropertiesResult::NameInFolder);
        QCOMPARE(d->txtSfileName()->text(), refilled ? QStringLiteral("a") : name);
    }
}

void TestDialogFlows::propertiesMissingAlbumFile()
{
    test::TestEnvironment env;
    test::ScriptedPrompts prompts;
    QTemporaryDir dir;
    const QString folder = makeAlbums(dir, {"a.sld"});
    auto w = window();
    showGrid(*w, {"a.sld", "gone.sld"}, folder, 1);
    QCOMPARE(applyAlbumProperties(*w, "renamed", "gone"), PropertiesResult::Applied);
    QCOMPARE(w->document().entry(1).fileName, QStringLiteral("gone.sld"));
    QVERIFY(prompts.asked().isEmpty());
    QVERIFY(w->document().isModified());
    QCOMPARE(filesIn(folder), QStringList{"a.sld"});
}

void TestDialogFlows::propertiesNothingSelected()
{
    test::TestEnvironment env;
    test::ScriptedPrompts prompts;
    QTemporaryDir dir;
    const QString folder = makeAlbums(dir, {"a.sld"});
    auto w = window();
    showGrid(*w, {"a.sld"}, folder, -1);
    // The command does nothing without a selection, as its menu items are off.
    w->runCommand(Command::ContnrInfo);
    QVERIFY(!openDialog<frmInfo>(*w));
    QVERIFY(prompts.asked().isEmpty());

    // Open while an album is selected, then the selection goes away: the
    // dialog shows nothing to edit.
    showGrid(*w, {"a.sld"}, folder, 0);
    w->runCommand(Command::ContnrInfo);
    auto* d = openDialog<frmInfo>(*w);
    QVERIFY(d);
    QVERIFY(!d->txtSfileName()->isReadOnly());
    QTest::mouseClick(w->surface(), Qt::LeftButton, {}, QPoint(395, 200));
    QCOMPARE(w->mode(), Mode::Shown);
    d->fillFields();
    for (const char* field : {"dspSPhotoNo", "dspSfileSize", "dspSdateTime", "dspSthumbSize",
                              "dspTfileName", "dspTfileSize", "dspTdateTime"})
        QCOMPARE(d->field(QString::fromLatin1(field)), QStringLiteral("未確定"));
    QCOMPARE(d->txtSfileName()->text(), QString());
    QVERIFY(d->txtSfileName()->isReadOnly());
    QVERIFY(d->txtSTitle()->isReadOnly());
    QVERIFY(!d->pictureShown());
    d->txtSfileName()->setText("x");
    QCOMPARE(d->btnTekiyo_Click(), PropertiesResult::NotApplied);
    QCOMPARE(filesIn(folder), QStringList{"a.sld"});
    QVERIFY(!w->document().isModified());
    QPointer<frmInfo> guard(d);
    click(d, "btnOK");
    QTRY_VERIFY(guard.isNull());
}

void TestDialogFlows::propertiesCancelAndOk()
{
    test::TestEnvironment env;
    test::ScriptedPrompts prompts;
    QTemporaryDir dir;
    const QString folder = makeAlbums(dir, {"a.sld", "b.sld"});
    writeFile(dir.filePath("set.cov"), QByteArray(1024, 'c'));
    auto w = window();
    showGrid(*w, {"a.sld", "b.sld"}, folder, 0);
    w->document().setContainerPath(dir.filePath("set.cov"));

    w->runCommand(Command::ContnrInfo);
    QPointer<frmInfo> d = openDialog<frmInfo>(*w);
    QVERIFY(d);
    QCOMPARE(d->field("dspTfileName"), QStringLiteral("set.cov"));
    QCOMPARE(d->field("dspTfileSize"), QStringLiteral("2KB"));
    QCOMPARE(d->field("dspSthumbSize"), QStringLiteral("80 x 80 ﾋﾟｸｾﾙ"));
    QVERIFY(d->pictureShown());
    // Cancel puts the name back and changes nothing.
    d->txtSfileName()->setText("zzz");
    click(d, "btnCancel");
    QCOMPARE(d->txtSfileName()->text(), QStringLiteral("a"));
    QCOMPARE(filesIn(folder), (QStringList{"a.sld", "b.sld", "set.cov"}));
    QTRY_VERIFY(d.isNull());

    // OK closes even when the apply step refuses the name.
    w->runCommand(Command::ContnrInfo);
    d = openDialog<frmInfo>(*w);
    QVERIFY(d);
    d->txtSfileName()->setText("b");
    click(d, "btnOK");
    QCOMPARE(prompts.messageTexts().size(), 1);
    QTRY_VERIFY(d.isNull());
}

void TestDialogFlows::propertiesFollowSelection()
{
    test::TestEnvironment env;
    test::ScriptedPrompts prompts;
    QTemporaryDir dir;
    const QString folder = makeAlbums(dir, {"a.sld", "b.sld", "c.sld"});
    auto w = window();
    showGrid(*w, {"a.sld", "b.sld", "c.sld"}, folder, 0);
    w->runCommand(Command::ContnrInfo);
    auto* d = openDialog<frmInfo>(*w);
    QVERIFY(d);
    QCOMPARE(d->field("dspSPhotoNo"), QStringLiteral("1"));
    QTest::mouseClick(w->surface(), Qt::LeftButton, {}, cellOf(*w, 2) + QPoint(20, 20));
    QCOMPARE(w->document().selectedIndex(), qint16(2));
    QCOMPARE(d->field("dspSPhotoNo"), QStringLiteral("3"));
    QCOMPARE(d->txtSfileName()->text(), QStringLiteral("c"));
    // A click beside the cells clears the selection and the fields.
    QTest::mouseClick(w->surface(), Qt::LeftButton, {}, QPoint(395, 200));
    QCOMPARE(d->field("dspSPhotoNo"), QStringLiteral("未確定"));
}

// --- Album list -----------------------------------------------------------

void TestDialogFlows::listDialog()
{
    test::TestEnvironment env;
    test::ScriptedPrompts prompts;
    QTemporaryDir dir;
    const QString folder = makeAlbums(dir, {"北海道.sld", "b.sld"});
    auto w = window();
    showGrid(*w, {"北海道.sld", "b.sld", "gone.sld"}, folder, -1);
    test::changeEntry(w->document(), 0, [&](AlbumEntry& edited) { edited.fileSize = 2097152; });
    w->runCommand(Command::ContnrList);
    auto* d = openDialog<frmList>(*w);
    QVERIFY(d);
    QCOMPARE(d->windowTitle(), QStringLiteral("アルバムリスト"));
    QTreeWidget* list = d->lstView();
    QCOMPARE(list->columnCount(), 6);
    const QStringList headers = {" No.", " アルバム名", " コメント",
                                 "種類", "サイズ ",     " 作成日時"};
    const QList<double> divisors = {12.5, 5, 4.5, 9.5, 6.5, 3.5};
    const QList<Qt::Alignment> alignments = {Qt::AlignLeft,    Qt::AlignLeft,  Qt::AlignLeft,
                                             Qt::AlignHCenter, Qt::AlignRight, Qt::AlignLeft};
    for (int c = 0; c < 6; ++c) {
        QCOMPARE(list->headerItem()->text(c), headers.at(c));
        QTRY_COMPARE(list->columnWidth(c), int(list->viewport()->width() / divisors.at(c)));
        QCOMPARE(Qt::Alignment(list->topLevelItem(0)->textAlignment(c)) & Qt::AlignHorizontal_Mask,
                 alignments.at(c));
    }
    QCOMPARE(list->topLevelItemCount(), 3);
    const QTreeWidgetItem* first = list->topLevelItem(0);
    QCOMPARE(first->text(0), QStringLiteral("1"));
    QCOMPARE(first->text(1), QStringLiteral("北海道"));
    QCOMPARE(first->text(3), QStringLiteral("sld"));
    QCOMPARE(first->text(4), QStringLiteral("2,049KB"));
    QCOMPARE(list->topLevelItem(2)->text(1), QStringLiteral("*gone"));
    const QString expected = albumListText(w->document().entries(), folder,
                                           [](const QString& p) { return QFileInfo::exists(p); });
    QCOMPARE(d->reportText(), expected);
    QCOMPARE(d->txtBox()->toPlainText(), QString(expected).replace("\r\n", "\n"));
}

void TestDialogFlows::listOutsideAShownGrid()
{
    test::TestEnvironment env;
    test::ScriptedPrompts prompts;
    auto w = window();
    test::fillDocument(w->document(), {"a.sld", "b.sld"});
    w->setMode(Mode::Empty); // loading abandoned: entries but no grid
    w->runCommand(Command::ContnrList);
    auto* d = openDialog<frmList>(*w);
    QVERIFY(d);
    QCOMPARE(d->lstView()->topLevelItemCount(), 2);
    QCOMPARE(d->reportText(), QString());
    QCOMPARE(d->txtBox()->toPlainText(), QString());
}

void TestDialogFlows::listSave()
{
    test::TestEnvironment env;
    test::ScriptedPrompts prompts;
    QTemporaryDir dir;
    const QString folder = makeAlbums(dir, {"a.sld"});
    auto w = window();
    showGrid(*w, {"a.sld", "Zoë.sld"}, folder, 0);
    test::changeEntry(w->document(), 1,
                      [&](AlbumEntry& edited) { edited.comment = QStringLiteral("北😀"); });
    w->runCommand(Command::ContnrList);
    auto* d = openDialog<frmList>(*w);
    QVERIFY(d);

    // Cancelled: nothing is written.
    prompts.cancel();
    click(d, "btnFileSave");
    QCOMPARE(prompts.asked().size(), 1);
    const FileRequest asked = prompts.asked().first().file;
    QCOMPARE(asked.filter, QStringLiteral("テキストファイル (*.txt);;すべてのファイル (*)"));
    QCOMPARE(asked.defaultSuffix, QStringLiteral("txt"));

    const QString path = dir.filePath(QStringLiteral("リスト.txt"));
    prompts.answerText(path);
    click(d, "btnFileSave");
    const QByteArray bytes = readAll(path);
    QCOMPARE(bytes, cp932::encodeLossy(d->reportText()));
    QVERIFY(bytes.contains("*Zo?    \x96\x6B?    sld"));
    QCOMPARE(bytes.count("\r\n"), 2);
    QCOMPARE(bytes.count('\n'), 2);

    // A file that cannot be written is reported, not passed over.
    prompts.answerText(dir.filePath(QStringLiteral("no/such/folder/x.txt")));
    click(d, "btnFileSave");
    QCOMPARE(prompts.messageTitles(), QStringList{QStringLiteral("アルバムリスト")});
}

// --- Help and version -----------------------------------------------------

void TestDialogFlows::helpOpensAtTheIndex()
{
    test::TestEnvironment env;
    test::ScriptedPrompts prompts;
    auto w = window();
    frmMain_Toolbar_ButtonClick(*w, QStringLiteral("btnIndex"));
    frmHelp* help = helpWindow();
    QVERIFY(help);
    QVERIFY(help->isVisible());
    QCOMPARE(help->currentTopic(), QStringLiteral("index.html"));
    QVERIFY(help->windowTitle().startsWith(QStringLiteral("目次")));
    QVERIFY(help->browser()->toPlainText().contains(QStringLiteral("Quorbell")));

    // Links between pages, back and forward.
    help->browser()->setSource(QUrl(QStringLiteral("grid.html")));
    QCOMPARE(help->currentTopic(), QStringLiteral("grid.html"));
    QCOMPARE(help->browser()->documentTitle(), QStringLiteral("サムネイルグリッド"));
    QVERIFY(help->browser()->toPlainText().contains(QStringLiteral("非表示のアルバム")));
    click(help, "btnBack");
    QCOMPARE(help->currentTopic(), QStringLiteral("index.html"));
    click(help, "btnForward");
    QCOMPARE(help->currentTopic(), QStringLiteral("grid.html"));

    // The menu command (and F1) opens the same window at the contents again.
    w->runCommand(Command::HelpIndex);
    QCOMPARE(helpWindow(), help);
    QCOMPARE(help->currentTopic(), QStringLiteral("index.html"));

    // Escape closes it, from the page as from the window.
    QVERIFY(QTest::qWaitForWindowActive(help));
    QTest::keyClick(help->browser(), Qt::Key_Escape);
    QTRY_VERIFY(!helpWindow() || !helpWindow()->isVisible());
    QCOMPARE(w->action(Command::HelpIndex)->shortcut(), QKeySequence(Qt::Key_F1));
    QVERIFY(prompts.asked().isEmpty());
    help->close();
}

void TestDialogFlows::helpLinksResolve_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("folder");
    // The Japanese pages and the English ones beside them.
    for (const char* lang : {"help/", "help/en/"}) {
        for (const char* page :
             {"index.html", "grid.html", "new.html", "container.html", "edit.html", "list.html",
              "slideshow.html", "settings.html", "cli.html"})
            QTest::addRow("%s%s", lang, page)
                << QString::fromLatin1(page) << dataFolder() + QString::fromLatin1(lang);
    }
}

void TestDialogFlows::helpLinksResolve()
{
    QFETCH(QString, page);
    QFETCH(QString, folder);
    const QString html = QString::fromUtf8(readAll(folder + page));
    QVERIFY2(!html.isEmpty(), qPrintable(folder + page));
    QVERIFY(html.contains(QStringLiteral("<meta charset=\"utf-8\">")));
    QVERIFY(html.contains(QStringLiteral("<title>")));
    // Every link to another page lands on a page and an anchor that exist.
    const QRegularExpression href(QStringLiteral("href=\"([^\"]+)\""));
    for (auto it = href.globalMatch(html); it.hasNext();) {
        const QString target = it.next().captured(1);
        if (target.startsWith(QLatin1String("http")))
            continue;
        const QString file = target.section('#', 0, 0);
        const QString anchor = target.section('#', 1);
        const QString targetHtml =
            QString::fromUtf8(readAll(folder + (file.isEmpty() ? page : file)));
        QVERIFY2(!targetHtml.isEmpty(), qPrintable(page + " -> " + target));
        if (!anchor.isEmpty())
            QVERIFY2(targetHtml.contains("name=\"" + anchor + "\""),
                     qPrintable(page + " -> " + target));
    }
    if (page == QLatin1String("cli.html")) {
        for (const char* command : {"album-info", "album-extract", "album-make", "album-edit",
                                    "container-info", "container-make", "container-verify",
                                    "thumbnail-export", "thumbnail [-s SIZE]", "list FILE.cov"})
            QVERIFY2(html.contains(QLatin1String(command)), command);
        for (int status = 0; status <= 4; ++status)
            QVERIFY(html.contains(QStringLiteral("<td>%1</td>").arg(status)));
    }
    if (page == QLatin1String("list.html"))
        QVERIFY((html.contains(QStringLiteral("コードページ 932")) &&
                 html.contains(QStringLiteral("「?」"))) ||
                (html.contains(QStringLiteral("code page 932")) &&
                 html.contains(QStringLiteral("\"?\""))));
}

void TestDialogFlows::versionBox()
{
    test::TestEnvironment env;
    test::ScriptedPrompts prompts;
    auto w = window();
    w->runCommand(Command::HelpVersion);
    QCOMPARE(prompts.asked().size(), 1);
    const MessageRequest r = prompts.asked().first().message;
    QCOMPARE(r.title, QStringLiteral("バージョン情報"));
    QCOMPARE(r.icon, MsgIcon::Information);
    QCOMPARE(r.buttons, MsgButtons::Ok);
    QVERIFY(
        r.text.startsWith(QStringLiteral("       Quorbell Version 2.50       \r\n\r\n       ")));
    QCOMPARE(r.text, versionBoxText());
}

QTEST_MAIN(TestDialogFlows)
#include "tst_dialogflows.moc"
