// The album editor: its steps saved, read back byte for byte against
// quorbell-cli album-edit (or album-make) doing the same steps on a copy of
// the same album; the rename rules; the photo export leaving nothing behind
// when it fails or is stopped; and the window itself, driven offscreen from
// its keys and buttons, saving.
#include "album/AlbumEditModel.h"
#include "album/AlbumFileReader.h"
#include "album/AlbumSave.h"
#include "album/PhotoExport.h"
#include "album/PhotoFile.h"
#include "core/PasswordForm.h"
#include "editor/AlbumEditorWindow.h"
#include "editor/AlbumOpening.h"
#include "editor/PhotoListView.h"

#include "../album/AlbumFixtures.h"
#include "CliRunner.h"
#include "ScriptedPrompts.h"

#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QUrl>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace quorbell;
using quorbell::tools::PhotoFormat;

namespace {

const QString kLockedWith = QStringLiteral("Pass1234");

// Three photos (a JPEG, a BMP stored hidden, a GIF), an unusual header tail
// and unused value, which every save must keep.
QByteArray baseAlbum(bool locked)
{
    tools::AlbumSpec recipe;
    recipe.headerTail = QByteArray("Q\x01\xFE!", 4);
    recipe.unusedValue = -1234;
    if (locked)
        recipe.password = storedPasswordForm(kLockedWith);
    recipe.photos = {
        test::samplePhoto(QStringLiteral("≒.JPG"), QSize(64, 48), 1),
        test::samplePhoto(QStringLiteral("写真.bmp"), QSize(33, 17), 2, PhotoFormat::Bmp),
        test::samplePhoto(QStringLiteral("c.gif"), QSize(20, 30), 3, PhotoFormat::Gif)};
    recipe.photos[1].hidden = true;
    return test::albumBytes(recipe);
}

// Image files to add, by placeholder.
QMap<QString, std::pair<QString, QByteArray>> addable()
{
    return {
        {QStringLiteral("@jpg"),
         {QStringLiteral("new.jpg"), tools::makeSamplePhoto(QSize(40, 30), 4, PhotoFormat::Jpeg)}},
        {QStringLiteral("@bmp"),
         {QStringLiteral("ｱ.bmp"), tools::makeSamplePhoto(QSize(17, 9), 5, PhotoFormat::Bmp)}},
        {QStringLiteral("@gif"),
         {QStringLiteral("n.gif"), tools::makeSamplePhoto(QSize(25, 25), 6, PhotoFormat::Gif)}}};
}

// A folder with the base album as "album.sld" and "twin.sld", and the addable files.
struct Scene
{
    QTemporaryDir dir;
    QString album, twin;

    explicit Scene(bool locked)
        : album(dir.filePath(QStringLiteral("album.sld"))),
          twin(dir.filePath(QStringLiteral("twin.sld")))
    {
        const QByteArray bytes = baseAlbum(locked);
        test::writeBytes(album, bytes);
        test::writeBytes(twin, bytes);
        const auto files = addable();
        for (auto f = files.cbegin(); f != files.cend(); ++f)
            test::writeBytes(dir.filePath(f->first), f->second);
    }
    QString resolve(const QString& token) const
    {
        const auto files = addable();
        return files.contains(token) ? dir.filePath(files.value(token).first) : token;
    }
    // album-edit on the twin; its exit status.
    int editTwin(QStringList args, bool locked) const
    {
        for (QString& a : args)
            a = resolve(a);
        if (locked)
            args << QStringLiteral("--current-password") << kLockedWith;
        return test::runCli(QStringList{QStringLiteral("album-edit"), twin} + args).status;
    }
};

album::AlbumContents readContents(const QString& path)
{
    album::AlbumFileReader reader;
    if (reader.open(path).error != album::AlbumError::None)
        return {};
    album::AlbumResult<album::AlbumContents> read = album::readAlbumContents(reader);
    return read ? std::move(read).value() : album::AlbumContents();
}

// Files dragged in from outside and dropped on the list.
void dropFiles(editor::PhotoListView* list, const QStringList& paths)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& p : paths)
        urls << QUrl::fromLocalFile(p);
    data.setUrls(urls);
    const QPoint at(10, 10);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &drop);
    QVERIFY(drop.isAccepted());
}

QStringList listing(const QString& dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

class TestAlbumEditor : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void stepsMatchAlbumEdit_data();
    void stepsMatchAlbumEdit();
    void renameRules_data();
    void renameRules();
    void exportAllOrNothing_data();
    void exportAllOrNothing();
    void windowSaves_data();
    void windowSaves();
};

void TestAlbumEditor::stepsMatchAlbumEdit_data()
{
    QTest::addColumn<bool>("locked");
    QTest::addColumn<QStringList>("steps"); // "remove N", "add @x", "move F T", "hide N",
                                            // "show N", "password TEXT", "password"
    QTest::addColumn<QStringList>("cli");

    QTest::newRow("remove") << false << QStringList{"remove 1"} << QStringList{"--remove", "1"};
    QTest::newRow("add the three kinds")
        << false << QStringList{"add @jpg", "add @bmp", "add @gif"}
        << QStringList{"--add", "@jpg", "--add", "@bmp", "--add", "@gif"};
    QTest::newRow("moves") << false << QStringList{"move 0 2", "move 0 1"}
                           << QStringList{"--move", "0:2", "--move", "0:1"};
    QTest::newRow("hide and show") << false << QStringList{"hide 0", "show 1", "hide 2"}
                                   << QStringList{"--hide", "0", "--show", "1", "--hide", "2"};
    QTest::newRow("every step") << false << QStringList{"remove 0", "add @jpg", "move 2 0",
                                                        "hide 0",   "show 1",   "password ｱb"}
                                << QStringList{"--remove", "0",   "--add",      "@jpg",
                                               "--move",   "2:0", "--hide",     "0",
                                               "--show",   "1",   "--password", "ｱb"};
    QTest::newRow("locked: change password")
        << true << QStringList{"password new"} << QStringList{"--password", "new"};
    QTest::newRow("locked: remove password")
        << true << QStringList{"password"} << QStringList{"--no-password"};
    QTest::newRow("locked: edit keeps password") << true << QStringList{"remove 2", "add @gif"}
                                                 << QStringList{"--remove", "2", "--add", "@gif"};
}

void TestAlbumEditor::stepsMatchAlbumEdit()
{
    QFETCH(bool, locked);
    QFETCH(QStringList, steps);
    QFETCH(QStringList, cli);
    Scene s(locked);

    album::AlbumEditModel model(readContents(s.album));
    QCOMPARE(model.photoCount(), 3);
    for (const QString& step : std::as_const(steps)) {
        const QStringList w = step.split(QLatin1Char(' '));
        const QString& op = w.at(0);
        if (op == QLatin1String("remove")) {
            QVERIFY(model.removePhoto(w.at(1).toInt()));
        } else if (op == QLatin1String("add")) {
            album::PhotoFileResult read = album::readPhotoFile(s.resolve(w.at(1)));
            QVERIFY(read.entry);
            QVERIFY(model.addPhoto(*read.entry));
        } else if (op == QLatin1String("move")) {
            QVERIFY(model.movePhoto(w.at(1).toInt(), w.at(2).toInt()));
        } else if (op == QLatin1String("hide") || op == QLatin1String("show")) {
            QVERIFY(model.setPhotoHidden(w.at(1).toInt(), op == QLatin1String("hide")));
        } else {
            QVERIFY(model.setPassword(w.size() > 1 ? w.at(1) : QString()));
        }
    }
    QVERIFY(model.isModified());
    QVERIFY(album::saveAlbumFile(s.album, model.contents()).ok());
    QCOMPARE(s.editTwin(cli, locked), 0);

    const QByteArray edited = test::readBytes(s.album);
    QVERIFY(!edited.isEmpty());
    QVERIFY(edited == test::readBytes(s.twin)); // one implementation, the same bytes
    QCOMPARE(listing(s.dir.path()).size(), 5);  // no work file left behind
}

void TestAlbumEditor::renameRules_data()
{
    QTest::addColumn<int>("photo");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("problem"); // album::RenameProblem
    QTest::addColumn<QByteArray>("stored");

    using P = album::RenameProblem;
    QTest::newRow("plain") << 0 << "旅行.jpg" << int(P::None) << QByteArray("\x97\xB7\x8D\x73.jpg");
    QTest::newRow("hidden keeps its mark") << 1 << "b.bmp" << int(P::None) << QByteArray("*b.bmp");
    QTest::newRow("empty") << 0 << "" << int(P::Empty) << QByteArray();
    QTest::newRow("hidden mark typed") << 2 << "*x.gif" << int(P::HiddenMark) << QByteArray();
    QTest::newRow("no code page 932 form") << 2 << "한.gif" << int(P::NotStorable) << QByteArray();
    QTest::newRow("too long") << 2 << QString(70000, QLatin1Char('a')) << int(P::NotStorable)
                              << QByteArray();
}

void TestAlbumEditor::renameRules()
{
    QFETCH(int, photo);
    QFETCH(QString, name);
    QFETCH(int, problem);
    QFETCH(QByteArray, stored);
    Scene s(false);
    album::AlbumEditModel model(readContents(s.album));
    const QByteArray before = model.photo(photo).storedName;

    QCOMPARE(int(model.renamePhoto(photo, name)), problem);
    QCOMPARE(model.photo(photo).storedName, problem == 0 ? stored : before);
    QCOMPARE(model.isModified(), problem == 0);
    if (problem == 0) {
        QCOMPARE(model.displayName(photo), name);
        QVERIFY(album::saveAlbumFile(s.album, model.contents()).ok());
        QCOMPARE(readContents(s.album).entries.at(photo).storedName, stored);
    }
}

void TestAlbumEditor::exportAllOrNothing_data()
{
    QTest::addColumn<QString>("target");   // under the scene's folder
    QTest::addColumn<int>("stopAt");       // the stop check that says stop; 0: none
    QTest::addColumn<int>("error");        // album::PhotoExportError
    QTest::addColumn<QStringList>("made"); // files in the target afterwards

    using E = album::PhotoExportError;
    const QStringList all{"*写真.bmp", "c.gif", "≒.JPG"}; // the hidden mark kept
    QTest::newRow("new nested folders") << "out/a/b" << 0 << int(E::None) << all;
    QTest::newRow("clash gets a number")
        << "clash" << 0 << int(E::None) << QStringList{"*写真.bmp", "c.gif", "c_2.gif", "≒.JPG"};
    QTest::newRow("a file, not a folder")
        << "album.sld" << 0 << int(E::NotAFolder) << QStringList();
    QTest::newRow("stopped while staging") << "out/a" << 2 << int(E::Stopped) << QStringList();
    QTest::newRow("stopped after two moved") << "out/a" << 6 << int(E::Stopped) << QStringList();
    QTest::newRow("stopped at the end, into a folder with a file")
        << "clash" << 7 << int(E::Stopped) << QStringList{"c.gif"};
}

void TestAlbumEditor::exportAllOrNothing()
{
    QFETCH(QString, target);
    QFETCH(int, stopAt);
    QFETCH(int, error);
    QFETCH(QStringList, made);
    Scene s(false);
    QVERIFY(QDir(s.dir.path()).mkdir(QStringLiteral("clash")));
    QVERIFY(test::writeBytes(s.dir.filePath(QStringLiteral("clash/c.gif")), "older"));
    const QStringList sceneBefore = listing(s.dir.path());
    const QString folder = s.dir.filePath(target);

    album::AlbumFileReader reader;
    QCOMPARE(int(reader.open(s.album).error), int(album::AlbumError::None));
    int checks = 0;
    const album::PhotoExportResult r =
        album::exportPhotos(reader, folder, [&] { return ++checks == stopAt; });
    QCOMPARE(int(r.error), error);
    if (error != 0) {
        QVERIFY(r.written.isEmpty());
        QCOMPARE(listing(s.dir.path()), sceneBefore); // no folder made is left
        if (QFileInfo(folder).isDir())
            QCOMPARE(listing(folder), made);
        else
            QVERIFY(made.isEmpty());
        return;
    }
    QCOMPARE(listing(folder), made);
    // The stored bytes, unchanged, under their names.
    const album::AlbumContents contents = readContents(s.album);
    QCOMPARE(r.written.size(), contents.entries.size());
    for (int i = 0; i < r.written.size(); ++i)
        QVERIFY(test::readBytes(r.written.at(i)) == contents.entries.at(i).imageBytes);
    QVERIFY(test::readBytes(s.dir.filePath(QStringLiteral("clash/c.gif"))) == "older");
}

void TestAlbumEditor::windowSaves_data()
{
    QTest::addColumn<bool>("newAlbum");
    QTest::newRow("edit an album") << false;
    QTest::newRow("a new album") << true;
}

// The window offscreen: photos moved with Ctrl+Down, hidden and removed with
// its buttons, added as dropped files arrive, the password typed, then saved
// with its button; the file must equal what quorbell-cli makes of the same steps.
void TestAlbumEditor::windowSaves()
{
    QFETCH(bool, newAlbum);
    Scene s(false);
    test::ScriptedPrompts prompts;
    const QString made = s.dir.filePath(QStringLiteral("made.sld"));
    if (newAlbum) // the missing file's warning, then the file name asked for at the first save
        prompts.answer(MsgAnswer::Ok).answerText(made);
    editor::AlbumEditorWindow w(newAlbum ? QString() : s.album,
                                newAlbum ? album::AlbumContents() : readContents(s.album),
                                QString());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto* list = w.findChild<editor::PhotoListView*>();
    auto* password = w.findChild<QLineEdit*>(QStringLiteral("txtPassword"));
    auto button = [&w](const char* name) {
        return w.findChild<QPushButton*>(QString::fromLatin1(name));
    };
    QVERIFY(list && password && button("btnSave") && button("btnHide") && button("btnRemove"));

    QStringList cli;
    if (newAlbum) {
        QVERIFY(!button("btnSave")->isEnabled()); // nothing to save yet
        w.addPhotoFiles({s.resolve("@jpg"), s.resolve("@bmp"), s.resolve("@gif"),
                         s.dir.filePath(QStringLiteral("missing.jpg"))});
        QCOMPARE(prompts.messageTexts().size(), 1); // the missing file, named
        QVERIFY(prompts.messageTexts().constFirst().contains(QStringLiteral("missing.jpg")));
        cli = QStringList{QStringLiteral("album-make"),
                          s.dir.filePath("made-by-cli.sld"),
                          s.resolve("@bmp"),
                          s.resolve("@jpg"),
                          s.resolve("@gif"),
                          "--hidden",
                          "2",
                          "--password",
                          "xy"};
        list->setCurrentItem(list->topLevelItem(0));
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down, Qt::ControlModifier); // jpg below bmp
        QCOMPARE(list->topLevelItem(1)->text(0), QStringLiteral("new.jpg"));
        list->setCurrentItem(list->topLevelItem(2));
        QTest::mouseClick(button("btnHide"), Qt::LeftButton);
        QCOMPARE(list->topLevelItem(2)->text(editor::PhotoListView::HiddenColumn),
                 QStringLiteral("*"));
    } else {
        cli = QStringList{QStringLiteral("album-edit"),
                          s.twin,
                          "--remove",
                          "2",
                          "--add",
                          s.resolve("@jpg"),
                          "--move",
                          "0:1",
                          "--show",
                          "0",
                          "--password",
                          "xy"};
        list->setCurrentItem(list->topLevelItem(2));
        QTest::mouseClick(button("btnRemove"), Qt::LeftButton);
        dropFiles(list, {s.resolve("@jpg")}); // as a file manager drops them
        QCOMPARE(w.model().photoCount(), 3);
        list->setCurrentItem(list->topLevelItem(0));
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down, Qt::ControlModifier);
        list->setCurrentItem(list->topLevelItem(0)); // the BMP, stored hidden
        QTest::mouseClick(button("btnHide"), Qt::LeftButton);
    }
    password->setFocus();
    QTest::keyClicks(password, QStringLiteral("xy"));
    QVERIFY(w.model().isModified());

    QSignalSpy saved(&w, &editor::AlbumEditorWindow::saved);
    QTest::mouseClick(button("btnSave"), Qt::LeftButton);
    QVERIFY(saved.wait(20000));
    QCOMPARE(saved.constFirst().at(0).toString(), newAlbum ? made : s.album);
    QVERIFY(!w.model().isModified());
    QCOMPARE(w.path(), newAlbum ? made : s.album);

    QCOMPARE(test::runCli(cli).status, 0);
    const QByteArray mine = test::readBytes(newAlbum ? made : s.album);
    const QByteArray theirs =
        test::readBytes(newAlbum ? s.dir.filePath("made-by-cli.sld") : s.twin);
    QVERIFY(!mine.isEmpty());
    QVERIFY(mine == theirs);
    // Saved means closed without a question.
    w.close();
    QVERIFY(!w.isVisible());
}

QTEST_MAIN(TestAlbumEditor)
#include "tst_albumeditor.moc"
