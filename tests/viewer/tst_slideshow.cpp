// The slideshow and the random display run headless over album files made in
// a temporary folder: which photo each timer step shows, the intervals it
// chooses, the name line beside the photo drawn, the password prompt, and
// what every way of closing leaves behind (mode, pointer, window).
//
// The timer is driven by hand: each step stops it and calls the step handler,
// recording the interval the show had chosen for it.
#include "ViewerAlbums.h"

#include "core/Cp932.h"
#include "core/frmMain.h"
#include "core/MainWindowHandlers.h"
#include "core/SettingsFile.h"
#include "core/frmMain.h"
#include "viewer/PhotoPipeline.h"
#include "viewer/Slideshow.h"
#include "viewer/ViewerCommands.h"
#include "viewer/frmPicture.h"

#include "GridFixture.h"
#include "ScriptedPrompts.h"
#include "TestEnvironment.h"

#include <QGuiApplication>
#include <QLabel>
#include <QTemporaryDir>
#include <QSemaphore>
#include <QTest>
#include <QTimer>
#include <QtEndian>

using namespace quorbell;

namespace {

// Records whether the pointer could be seen when each question was asked.
class WatchingPrompts : public test::ScriptedPrompts
{
public:
    QList<bool> pointerVisible;

    MsgAnswer message(const MessageRequest& request) override
    {
        pointerVisible.append(QGuiApplication::overrideCursor() == nullptr);
        return ScriptedPrompts::message(request);
    }
    std::optional<QString> password(const PasswordRequest& request) override
    {
        pointerVisible.append(QGuiApplication::overrideCursor() == nullptr);
        return ScriptedPrompts::password(request);
    }
};

struct Options
{
    bool autoAdvance = true;
    bool endless = false;
    bool range = false;
    int interval = 1;
};

class Show
{
public:
    test::TestEnvironment env;
    WatchingPrompts prompts;
    QTemporaryDir dir;
    std::unique_ptr<frmMain> w;
    QList<QStringList> photoNames; // per album, as stored

    Show()
    {
        w = test::makeWindow(QSize(600, 400));
        frmMain_Form_Load(*w, QString());
        registerViewerCommands(*w);
        w->document().setAlbumFolder(dir.path() + QLatin1Char('/'));
        w->settings().set(Flag::Fit);
        w->settings().viewerOptions = 0;
        w->settings().set(Flag::PhotoName);
        w->settings().nameFontSize = 12;
        w->setMode(Mode::Shown);
        setOptions({});
    }

    ~Show() { setViewerRandomSource({}); }

    void setOptions(const Options& o)
    {
        w->settings().set(Flag::AutoAdvance, o.autoAdvance);
        w->settings().set(Flag::Endless, o.endless);
        w->settings().viewerOptions = o.range ? ViewerOpt::Range : 0;
        w->settings().interval = quint8(o.interval);
    }

    QString fileName(int index) const { return QStringLiteral("album%1.sld").arg(index); }

    // An album of solid photos; returns its index.
    int album(const QStringList& names, const QString& password = QString())
    {
        const int index = int(w->document().albumCount());
        write(index, test::solidAlbumBytes(index, names, password));
        add(fileName(index), names);
        return index;
    }

    int albumOfBytes(const QByteArray& bytes, const QStringList& names)
    {
        const int index = int(w->document().albumCount());
        write(index, bytes);
        add(fileName(index), names);
        return index;
    }

    int missingAlbum() { return add(fileName(int(w->document().albumCount())), {}); }

    // A hidden grid entry; a file of its very name exists, and must not be opened.
    int hiddenAlbum()
    {
        const int index = int(w->document().albumCount());
        const QString name = QLatin1Char('*') + fileName(index);
        test::writeAlbumFile(dir.filePath(name), test::solidAlbumBytes(index, {"P0.JPG"}));
        w->document().setHiddenCount(qint16(w->document().hiddenCount() + 1));
        return add(name, {"P0.JPG"});
    }

    int badHeaderAlbum()
    {
        const int index = int(w->document().albumCount());
        write(index, QByteArrayLiteral("Vintrel? no: a plain text file"));
        return add(fileName(index), {});
    }

    QString path(int index) const { return w->document().albumPath(index); }
    QString comment(int index) const { return QStringLiteral("旅行%1").arg(index); }

    static Command commandNamed(const char* name)
    {
        for (const CommandDef& def : commandTable()) {
            if (qstrcmp(def.name, name) == 0)
                return def.command;
        }
        qFatal("no command %s", name);
    }

    // Runs a start command; the window is up but has not read its album yet.
    frmPicture* launch(const char* command = "mnuViewSlide")
    {
        w->runCommand(commandNamed(command));
        return frmPicture::current();
    }

    // Runs a start command and lets the window's first activation read the album.
    frmPicture* start(const char* command = "mnuViewSlide")
    {
        launch(command);
        QCoreApplication::sendPostedEvents();
        return frmPicture::current();
    }

    // The name line that belongs to a photo.
    QString expectedLine(int album, int photo) const
    {
        QString name = photoNames.value(album).value(photo);
        name = name.section(QLatin1Char('.'), 0, 0);
        return QStringLiteral("%1\uFF1A %2 - %3").arg(album + 1).arg(comment(album), name);
    }

    // What the screen shows: "album/photo" read off the middle of the
    // screen, or "black"; a name line that does not belong to the photo
    // ShowPhoto took up is appended.
    QString onScreen(frmPicture& v) const
    {
        const QImage& c = v.canvas();
        const QRgb mid = c.pixel(c.width() / 2, c.height() / 2);
        const QPair<int, int> seen = test::photoOfColour(mid);
        const ShownPhoto& s = v.lastShown();
        QString text;
        if (seen.first >= 0)
            text = QStringLiteral("%1/%2").arg(seen.first).arg(seen.second);
        else if ((mid & 0xFFFFFF) == 0)
            text = QStringLiteral("black");
        else
            text = QStringLiteral("#%1").arg(mid & 0xFFFFFF, 6, 16);
        if (s.drawn && (seen.first != s.albumIndex || seen.second != s.photoIndex))
            text += QStringLiteral(" !drawn %1/%2").arg(s.albumIndex).arg(s.photoIndex);
        if (w->settings().has(Flag::PhotoName) &&
            v.lblPhotoName()->text() != expectedLine(s.albumIndex, s.photoIndex))
            text += QStringLiteral(" !line ") + v.lblPhotoName()->text();
        return text;
    }

    // Lets the workers finish what they have in hand, as the time a photo
    // stays on the screen does, and then any photo a step or click asked for
    // arrive. The show's timer is held meanwhile: the test runs its steps.
    static void settle(frmPicture& v)
    {
        QPointer<frmPicture> p(&v);
        QPointer<QTimer> timer = v.sldTimer();
        bool running = false;
        const bool settled = QTest::qWaitFor(
            [&] {
                if (timer && timer->isActive()) {
                    running = true; // started (again) by an arriving photo
                    timer->stop();
                }
                return !p || p->unloaded() ||
                       (!p->slideshow().photoPending() && !p->slideshow().pipeline().busy());
            },
            10000);
        if (!settled)
            qFatal("a photo asked for never arrived");
        if (p && !p->unloaded() && timer && running)
            timer->start();
    }

    // One timer step: "interval" or "interval album/photo" when it showed one.
    QString step(frmPicture& v)
    {
        settle(v);
        const int ms = v.sldTimer()->interval();
        const int before = v.photosShown();
        v.sldTimer()->stop();
        frmPicture_sldTimer_Timer(v);
        settle(v);
        QString entry = QString::number(ms);
        if (v.photosShown() != before) {
            entry += QLatin1Char(' ') + onScreen(v);
            if (before > 0 && !v.lastShown().fromPrefetch)
                notPrefetched << entry;
        }
        return entry;
    }

    // Steps until the viewer closes ("closed"), waits for a click
    // ("waiting"), or `maxSteps` steps have run.
    QString run(int maxSteps = 60) { return runSteps(maxSteps).join(QLatin1String(" | ")); }

    QStringList runSteps(int maxSteps = 60)
    {
        QStringList log;
        for (int i = 0; i < maxSteps; ++i) {
            frmPicture* v = frmPicture::current();
            if (!v) {
                log << QStringLiteral("closed");
                return log;
            }
            if (!v->sldTimer()->isActive()) {
                log << QStringLiteral("waiting");
                return log;
            }
            log << step(*v);
        }
        return log;
    }

    QString click(Qt::MouseButton button)
    {
        frmPicture* v = frmPicture::current();
        if (!v)
            return QStringLiteral("no viewer");
        settle(*v);
        const int before = v->photosShown();
        frmPicture_Form_MouseDown(*v, button);
        settle(*v);
        if (!frmPicture::current())
            return QStringLiteral("closed");
        return v->photosShown() == before ? QStringLiteral("nothing") : onScreen(*v);
    }

    QStringList notPrefetched; // steps after the first photo whose image was not ready

private:
    void write(int index, const QByteArray& bytes)
    {
        if (!test::writeAlbumFile(dir.filePath(fileName(index)), bytes))
            qFatal("cannot write a test album");
    }

    int add(const QString& name, const QStringList& names)
    {
        AlbumEntry e;
        e.fileName = name;
        e.comment = comment(int(w->document().albumCount()));
        w->document().insertEntry(w->document().albumCount(), e);
        photoNames.append(names);
        return int(w->document().albumCount()) - 1;
    }
};

QString values(std::initializer_list<const char*> items)
{
    QStringList out;
    for (const char* i : items)
        out << QString::fromUtf8(i);
    return out.join(QLatin1String(" | "));
}

// After every way of closing: the window is gone, the mode is back and the
// pointer can be seen.
#define VERIFY_CLOSED(startMode)                                                                   \
    do {                                                                                           \
        QVERIFY(!frmPicture::current());                                                           \
        QCOMPARE(int(show.w->mode()), int(startMode));                                             \
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);                                     \
    } while (false)

const QStringList kMarkedAround{"*P0.JPG", "P1.JPG", "*P2.JPG", "P3.JPG", "*P4.JPG"};

} // namespace

class TestSlideshow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void automaticOverOneAlbum_data();
    void automaticOverOneAlbum();
    void overTheWholeGrid();
    void passwordPrompt();
    void closing_data();
    void closing();
    void manualSlideshow();
    void doubleClickInManualAdvanceSteps();
    void randomDisplay();
    void randomOverTheGrid();
    void manualRandomDisplay();
    void nothingToShow_data();
    void nothingToShow();
    void manualClicksWithNothingToShow();
    void fileVanished();
    void photoThatCannotBeShown();
    void damagedEntryAffectsOnlyItself_data();
    void damagedEntryAffectsOnlyItself();
    void sameScreenWithoutLookAhead();
    void nameLine();
    void startRefused_data();
    void startRefused();
    void startsFromTheSelectedAlbum();
    void realTimer();
    void keys_data();
    void keys();
    void zoomAndPan();
    void escDuringSlowDecode();
};

void TestSlideshow::automaticOverOneAlbum_data()
{
    QTest::addColumn<bool>("endless");
    QTest::addColumn<int>("interval");
    QTest::addColumn<QString>("log");
    // Marked photos cost one 10 ms step each; a shown photo stays its interval.
    QTest::newRow("once, 1 s") << false << 1
                               << values({"10", "10 0/1", "500", "10 0/3", "500", "10", "closed"});
    QTest::newRow("once, 6 s") << false << 6
                               << values(
                                      {"10", "10 0/1", "5500", "10 0/3", "5500", "10", "closed"});
    QTest::newRow("once, 0 from an edited file")
        << false << 0 << values({"10", "10 0/1", "500", "10 0/3", "500", "10", "closed"});
    QTest::newRow("once, 9 from an edited file")
        << false << 9 << values({"10", "10 0/1", "5500", "10 0/3", "5500", "10", "closed"});
    // Endless: after the last photo the show starts again 10 ms later.
    QTest::newRow("endless") << true << 1
                             << values({"10", "10 0/1", "500", "10 0/3", "500", "10", "10",
                                        "10 0/1", "500", "10 0/3"});
}

void TestSlideshow::automaticOverOneAlbum()
{
    QFETCH(bool, endless);
    QFETCH(int, interval);
    QFETCH(QString, log);
    Show show;
    show.album(kMarkedAround);
    show.setOptions({true, endless, false, interval});
    QVERIFY(show.start());
    QVERIFY(QGuiApplication::overrideCursor() != nullptr);
    QCOMPARE(int(show.w->mode()), 6);
    QCOMPARE(show.run(int(log.count(QLatin1Char('|'))) + 1), log);
    QCOMPARE(show.notPrefetched, QStringList());
    if (!endless)
        VERIFY_CLOSED(Mode::Shown);
    QVERIFY(show.prompts.asked().isEmpty());
}

void TestSlideshow::overTheWholeGrid()
{
    Show show;
    show.w->document().setContainerPassword(storedPasswordForm(QStringLiteral("cpw")));
    show.album({"P0.JPG", "*P1.JPG", "P2.JPG"});   // 0
    show.missingAlbum();                           // 1
    show.hiddenAlbum();                            // 2
    show.album({"P0.JPG"}, QStringLiteral("cpw")); // 3: opened by the container password
    show.album({"*P0.JPG"});                       // 4: nothing to show
    show.album({"P0.JPG"});                        // 5: one photo
    show.album({});                                // 6: no photos at all
    show.setOptions({true, false, true, 2});
    QVERIFY(show.start());
    QCOMPARE(show.run(), values({"10 0/0", "1500", "10 0/2", "1500", "10 3/0", "1500", "10", "10",
                                 "10 5/0", "1500", "10", "closed"}));
    VERIFY_CLOSED(Mode::Shown);
    // Missing and hidden albums are passed over without a word; the
    // container's password opens album 3 without a prompt.
    QVERIFY(show.prompts.asked().isEmpty());
    // The grid's selection is left at the last album the show reached.
    QCOMPARE(show.w->document().selectedIndex(), qint16(6));
    // Every photo after the first, across albums, was ready before its step.
    QCOMPARE(show.notPrefetched, QStringList());
}

void TestSlideshow::passwordPrompt()
{
    Show show;
    show.album({"P0.JPG"});
    show.album({"P0.JPG", "P1.JPG"}, QStringLiteral("pw"));
    show.setOptions({true, false, true, 1});
    show.prompts.answerText(QStringLiteral("wrong"))
        .answer(MsgAnswer::Ok) // the mismatch message
        .answerText(QStringLiteral("pw"));
    QVERIFY(show.start());
    QCOMPARE(show.run(), values({"10 0/0", "500", "10 1/0", "500 1/1", "500", "closed"}));
    const QList<test::Asked>& asked = show.prompts.asked();
    QCOMPARE(asked.size(), 3);
    QCOMPARE(asked.at(0).kind, test::Asked::Kind::Password);
    QCOMPARE(asked.at(0).password.fileName, show.fileName(1));
    QCOMPARE(asked.at(1).message.text,
             QStringLiteral("パスワードが一致しません。\r\n") + show.path(1));
    QCOMPARE(asked.at(2).kind, test::Asked::Kind::Password);
    // The pointer shows while a question is asked, and hides again after.
    QCOMPARE(show.prompts.pointerVisible, (QList<bool>{true, true, true}));
    VERIFY_CLOSED(Mode::Shown);
}

void TestSlideshow::closing_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("autoAdvance");
    QTest::addColumn<int>("startMode");
    QTest::newRow("Esc, automatic") << "esc" << true << 3;
    QTest::newRow("Esc, manual") << "esc" << false << 4;
    QTest::newRow("double click, automatic") << "double click" << true << 4;
    QTest::newRow("end of the show") << "end" << true << 3;
    QTest::newRow("back from the first photo, manual once") << "back" << false << 3;
    QTest::newRow("cancelled prompt at the start") << "cancel at start" << true << 4;
    QTest::newRow("cancelled prompt in the show") << "cancel in show" << true << 3;
    QTest::newRow("wrong header at the start") << "bad header at start" << true << 3;
    QTest::newRow("wrong header in the show") << "bad header in show" << true << 4;
    QTest::newRow("window closed from outside") << "close event" << false << 3;
}

void TestSlideshow::closing()
{
    QFETCH(QString, how);
    QFETCH(bool, autoAdvance);
    QFETCH(int, startMode);
    Show show;
    const bool lockedFirst = how == QLatin1String("cancel at start");
    const bool badFirst = how == QLatin1String("bad header at start");
    if (badFirst)
        show.badHeaderAlbum();
    else
        show.album({"P0.JPG", "P1.JPG"}, lockedFirst ? QStringLiteral("pw") : QString());
    if (how == QLatin1String("cancel in show"))
        show.album({"P0.JPG"}, QStringLiteral("pw"));
    if (how == QLatin1String("bad header in show"))
        show.badHeaderAlbum();
    show.setOptions({autoAdvance, false, true, 1});
    show.w->setMode(qint16(startMode));
    show.w->document().setSelectedIndex(0);

    QPointer<frmPicture> v = show.launch();
    QVERIFY(v);
    QCoreApplication::sendPostedEvents();
    if (lockedFirst || badFirst) {
        // Closed while reading the album, before any step.
        VERIFY_CLOSED(startMode);
        QVERIFY(!v->sldTimer()->isActive());
        QCOMPARE(v->photosShown(), 0);
        if (badFirst) {
            QCOMPARE(show.prompts.messageTexts(),
                     QStringList{QStringLiteral("不正なファイルです。\r\n") + show.path(0)});
            QCOMPARE(show.prompts.messageTitles(),
                     QStringList{QStringLiteral("アルバムファイルの読込み ")});
            QCOMPARE(show.prompts.asked().at(0).message.icon, MsgIcon::Information);
        } else {
            QCOMPARE(show.prompts.asked().size(), 1); // the prompt, no message of its own
        }
        QTRY_VERIFY(!v);
        return;
    }
    QCOMPARE(show.step(*v), QStringLiteral("10 0/0"));
    QVERIFY(QGuiApplication::overrideCursor() != nullptr);
    if (how == QLatin1String("esc")) {
        QTest::keyClick(v, Qt::Key_Escape);
    } else if (how == QLatin1String("double click")) {
        QTest::mouseClick(v, Qt::LeftButton);
        QTest::mouseDClick(v, Qt::LeftButton);
    } else if (how == QLatin1String("back")) {
        QCOMPARE(show.click(Qt::RightButton), QStringLiteral("closed"));
    } else if (how == QLatin1String("close event")) {
        v->close();
    } else {
        // The remaining ways end inside a timer step.
        const int shown = v->photosShown();
        const QStringList log = show.runSteps();
        QCOMPARE(log.last(), QStringLiteral("closed"));
        QVERIFY(v);
        // Nothing was drawn, and the timer was not started again, after closing.
        QVERIFY(!v->sldTimer()->isActive());
        QCOMPARE(v->photosShown(), shown + 1);
        if (how == QLatin1String("bad header in show"))
            QCOMPARE(show.prompts.messageTexts(),
                     QStringList{QStringLiteral("不正なファイルです。\r\n") + show.path(1)});
        if (how == QLatin1String("cancel in show"))
            QCOMPARE(show.prompts.asked().size(), 1);
    }
    VERIFY_CLOSED(startMode);
    QVERIFY(!v || !v->isVisible());
    QTRY_VERIFY(!v);
}

void TestSlideshow::manualSlideshow()
{
    Show show;
    show.album({"P0.JPG", "*P1.JPG", "P2.JPG"});
    show.setOptions({false, true, false, 1});
    QVERIFY(show.start());
    // The first photo comes by itself; then the show waits for clicks.
    QCOMPARE(show.run(), values({"10 0/0", "waiting"}));
    QCOMPARE(show.click(Qt::LeftButton), QStringLiteral("0/2"));
    QCOMPARE(show.click(Qt::LeftButton), QStringLiteral("0/0"));  // round to the first
    QCOMPARE(show.click(Qt::RightButton), QStringLiteral("0/2")); // back round to the last
    QCOMPARE(show.click(Qt::RightButton), QStringLiteral("0/0"));
    QCOMPARE(show.click(Qt::MiddleButton), QStringLiteral("0/2")); // any other button: forward
    QVERIFY(!frmPicture::current()->sldTimer()->isActive());
    QCOMPARE(show.w->viewerState().viewerPhotoIndex, qint16(2));
    // A forward click is prepared ahead.
    QVERIFY(frmPicture::current()->lastShown().fromPrefetch);
    QTest::keyClick(frmPicture::current(), Qt::Key_Escape);
    // Without repeat the last photo is the end. (The show takes its options
    // when it starts.)
    show.setOptions({false, false, false, 1});
    QVERIFY(show.start());
    QCOMPARE(show.run(), values({"10 0/0", "waiting"}));
    QCOMPARE(show.click(Qt::LeftButton), QStringLiteral("0/2"));
    QCOMPARE(show.click(Qt::LeftButton), QStringLiteral("closed"));
    VERIFY_CLOSED(Mode::Shown);
}

void TestSlideshow::doubleClickInManualAdvanceSteps()
{
    Show show;
    show.album({"P0.JPG", "P1.JPG", "P2.JPG", "P3.JPG"});
    show.setOptions({false, false, false, 1});
    QPointer<frmPicture> v = show.start();
    QCOMPARE(show.run(), values({"10 0/0", "waiting"}));
    // Both presses of a double click step; the viewer stays open. (A real
    // double click is a press, a release, then the double-click event.)
    QTest::mouseClick(v, Qt::LeftButton);
    QTest::mouseDClick(v, Qt::LeftButton);
    QVERIFY(frmPicture::current());
    Show::settle(*v); // the photo may still be on its way
    QCOMPARE(show.onScreen(*v), QStringLiteral("0/2"));
    QTest::keyClick(v, Qt::Key_A); // other keys do nothing
    QVERIFY(frmPicture::current());
    QTest::keyClick(v, Qt::Key_Escape);
    VERIFY_CLOSED(Mode::Shown);
}

void TestSlideshow::randomDisplay()
{
    Show show;
    show.album({"P0.JPG", "*P1.JPG", "P2.JPG", "P3.JPG"});
    QList<double> draws{0.3, 0.6, 0.0, 0.99, 0.6};
    setViewerRandomSource([&draws] { return draws.isEmpty() ? 0.0 : draws.takeFirst(); });
    QVERIFY(show.start("mnuViewRandom"));
    QVERIFY(show.w->viewerState().random);
    // 0.3 draws the marked photo 1: a new draw 10 ms later.
    QCOMPARE(show.run(5), values({"10", "10 0/2", "500 0/0", "500 0/3", "500 0/2"}));
    QCOMPARE(show.notPrefetched, QStringList());
    QTest::keyClick(frmPicture::current(), Qt::Key_Escape);
    VERIFY_CLOSED(Mode::Shown);
    // The slideshow clears the random flag again.
    show.start();
    QVERIFY(!show.w->viewerState().random);
}

void TestSlideshow::randomOverTheGrid()
{
    Show show;
    show.album({"P0.JPG"});            // 0
    show.missingAlbum();               // 1
    show.album({"*P0.JPG", "P1.JPG"}); // 2
    show.hiddenAlbum();                // 3
    show.setOptions({true, true, true, 1});
    // Pairs of draws: album, then photo.
    QList<double> draws{0.3, 0.2, // album 1 is missing: album 2, marked photo 0
                        0.0, 0.9, // album 0, photo 0
                        0.6, 0.9, // album 2, photo 1
                        0.8, 0.1, // album 3 is hidden: album 0 (endless), photo 0
                        0.5, 0.5};
    setViewerRandomSource([&draws] { return draws.isEmpty() ? 0.0 : draws.takeFirst(); });
    QVERIFY(show.start("mnuViewRandom"));
    QCOMPARE(show.run(4), values({"10", "10 0/0", "500 2/1", "500 0/0"}));
    QCOMPARE(show.w->document().selectedIndex(), qint16(0));
    QCOMPARE(show.notPrefetched, QStringList());
    QVERIFY(show.prompts.asked().isEmpty());
}

void TestSlideshow::manualRandomDisplay()
{
    Show show;
    show.album({"P0.JPG"});
    show.album({"*P0.JPG", "P1.JPG", "*P2.JPG", "P3.JPG"});
    show.setOptions({false, false, true, 1});
    QList<double> draws{0.7, 0.1, // album 1, marked photo 0
                        0.7, 0.8, // album 1, photo 3
                        0.0, 0.99, 0.4};
    setViewerRandomSource([&draws] { return draws.isEmpty() ? 0.0 : draws.takeFirst(); });
    QVERIFY(show.start("mnuViewRandom"));
    QCOMPARE(show.run(), values({"10", "10 1/3", "waiting"}));
    // Each click draws a photo of the same album that may be shown.
    QCOMPARE(show.click(Qt::LeftButton), QStringLiteral("1/1"));
    QCOMPARE(show.click(Qt::RightButton), QStringLiteral("1/3"));
    QCOMPARE(show.click(Qt::LeftButton), QStringLiteral("1/1"));
    QVERIFY(frmPicture::current()->lastShown().fromPrefetch);
    QCOMPARE(show.w->document().selectedIndex(), qint16(1));
}

void TestSlideshow::nothingToShow_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("range");
    QTest::addColumn<bool>("endless");
    QTest::addColumn<QStringList>("albums"); // "missing", or photo names separated by commas
    QTest::newRow("all marked, once")
        << "mnuViewSlide" << false << false << QStringList{"*P0.JPG,*P1.JPG"};
    QTest::newRow("all marked, endless")
        << "mnuViewSlide" << false << true << QStringList{"*P0.JPG,*P1.JPG"};
    QTest::newRow("no photos, endless") << "mnuViewSlide" << false << true << QStringList{""};
    QTest::newRow("nothing in the whole grid, endless")
        << "mnuViewSlide" << true << true << QStringList{"*P0.JPG", "missing", "", "*P0.JPG"};
    QTest::newRow("random, all marked")
        << "mnuViewRandom" << false << true << QStringList{"*P0.JPG,*P1.JPG"};
    QTest::newRow("random, no photos") << "mnuViewRandom" << false << true << QStringList{""};
    QTest::newRow("random over a grid with nothing, endless")
        << "mnuViewRandom" << true << true << QStringList{"*P0.JPG", "missing", "", "*P0.JPG"};
}

// Nothing can ever be shown: the viewer closes quietly instead of stepping
// over nothing for ever.
void TestSlideshow::nothingToShow()
{
    QFETCH(QString, command);
    QFETCH(bool, range);
    QFETCH(bool, endless);
    QFETCH(QStringList, albums);
    Show show;
    for (const QString& a : albums) {
        if (a == QLatin1String("missing"))
            show.missingAlbum();
        else
            show.album(a.isEmpty() ? QStringList() : a.split(QLatin1Char(',')));
    }
    show.setOptions({true, endless, range, 1});
    int n = 0;
    setViewerRandomSource([&n] { return (n++ % 7) / 7.0; });
    QVERIFY(show.start(command.toLatin1().constData()));
    const QStringList log = show.runSteps(200);
    QCOMPARE(log.last(), QStringLiteral("closed"));
    QVERIFY2(log.size() < 60, qPrintable(log.join(QLatin1Char(','))));
    for (const QString& entry : log)
        QVERIFY2(!entry.contains(QLatin1Char('/')), qPrintable(entry));
    QVERIFY(show.prompts.asked().isEmpty());
    VERIFY_CLOSED(Mode::Shown);
}

void TestSlideshow::manualClicksWithNothingToShow()
{
    Show show;
    show.album({"*P0.JPG", "P1.JPG"});
    show.setOptions({false, true, false, 1});
    QVERIFY(show.start());
    QCOMPARE(show.run(), values({"10", "10 0/1", "waiting"}));
    // The only photo: clicks show it again, whichever way.
    QCOMPARE(show.click(Qt::LeftButton), QStringLiteral("0/1"));
    QCOMPARE(show.click(Qt::RightButton), QStringLiteral("0/1"));
    QVERIFY(frmPicture::current());
}

void TestSlideshow::fileVanished()
{
    Show show;
    show.album({"P0.JPG"});
    show.album({"P0.JPG", "P1.JPG"});
    // Range off: the album was there at the start, gone before it is read.
    show.w->runCommand(Command::ViewSlide);
    QVERIFY(QFile::remove(show.path(0)));
    QCoreApplication::sendPostedEvents();
    VERIFY_CLOSED(Mode::Shown);
    QVERIFY(show.prompts.asked().isEmpty());

    // Range on: an album that goes away during the show is passed over.
    show.album({"P0.JPG"});
    show.w->document().setSelectedIndex(1);
    show.w->setMode(Mode::Selected);
    show.setOptions({true, false, true, 1});
    QVERIFY(show.start());
    QCOMPARE(show.step(*frmPicture::current()), QStringLiteral("10 1/0"));
    QVERIFY(QFile::remove(show.path(2)));
    QCOMPARE(show.run(), values({"500 1/1", "500", "closed"}));
    VERIFY_CLOSED(Mode::Selected);
}

void TestSlideshow::photoThatCannotBeShown()
{
    Show show;
    tools::AlbumSpec albumSpec;
    albumSpec.photos.append(test::solidPhoto(QStringLiteral("P0.JPG"), 0, 0));
    tools::AlbumPhotoSource broken = test::solidPhoto(QStringLiteral("P1.JPG"), 0, 1);
    broken.imageBytes = QByteArrayLiteral("these bytes are no picture");
    albumSpec.photos.append(broken);
    // A size table that disagrees with the photo: placed by the real pixels.
    tools::AlbumPhotoSource lying = test::solidPhoto(QStringLiteral("P2.JPG"), 0, 2);
    lying.pixelSize = QSize(9000, 20);
    albumSpec.photos.append(lying);
    show.albumOfBytes(tools::buildAlbum(albumSpec)->bytes, {"P0.JPG", "P1.JPG", "P2.JPG"});
    QVERIFY(show.start());
    // The photo that fails leaves a black screen named after itself, never
    // the photo before it, and the show goes on.
    QCOMPARE(show.run(), values({"10 0/0", "500 black", "500 0/2", "500", "closed"}));
    VERIFY_CLOSED(Mode::Shown);
}

void TestSlideshow::damagedEntryAffectsOnlyItself_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("log");
    // A photo without readable bytes is passed over as a marked one is; a
    // name that is not code page 932 is shown with U+FFFD.
    const QString passedOver = values({"10 0/0", "500", "10 0/2", "500", "closed"});
    QTest::newRow("position 0") << "position" << passedOver;
    QTest::newRow("no length") << "length" << passedOver;
    QTest::newRow("position past the end") << "far" << passedOver;
    QTest::newRow("name not code page 932")
        << "name" << values({"10 0/0", "500 0/1", "500 0/2", "500", "closed"});
}

void TestSlideshow::damagedEntryAffectsOnlyItself()
{
    QFETCH(QString, damage);
    QFETCH(QString, log);
    Show show;
    const QStringList names{"P0.JPG", "P1.JPG", "P2.JPG"};
    tools::AlbumSpec albumSpec;
    for (int i = 0; i < names.size(); ++i)
        albumSpec.photos.append(test::solidPhoto(names.at(i), 0, i));
    tools::BuiltAlbum built = *tools::buildAlbum(albumSpec);
    QByteArray& b = built.bytes;
    const qint64 secondName = built.layout.namesOffset + 2 + names.at(0).size() + 2;
    const auto put32 = [&b](qint64 at, qint32 v) { qToLittleEndian(v, b.data() + at); };
    QStringList shownNames = names;
    if (damage == "position")
        put32(built.layout.positionsOffset + 4, 0);
    else if (damage == "length")
        put32(built.layout.lengthsOffset + 4, 0);
    else if (damage == "far")
        put32(built.layout.positionsOffset + 4, qint32(b.size() + 10));
    if (damage == "name") {
        b[secondName] = char(0x81); // a lead byte without its trail byte
        b[secondName + 1] = char(0x20);
        shownNames[1] = cp932::decode(b.mid(secondName, names.at(1).size()));
        QVERIFY(shownNames[1].contains(QChar(0xFFFD)));
    }
    show.albumOfBytes(b, shownNames);
    QVERIFY(show.start());
    QCOMPARE(show.run(), log);
    VERIFY_CLOSED(Mode::Shown);
}

void TestSlideshow::sameScreenWithoutLookAhead()
{
    const auto screens = [](bool lookAhead) {
        Show show;
        show.w->settings().viewerOptions = 0;
        for (int a = 0; a < 2; ++a) {
            tools::AlbumSpec albumSpec;
            for (int p = 0; p < 3; ++p) {
                const QSize size = p == 1 ? QSize(120, 90) : QSize(1100 + 37 * p, 900 - 11 * a);
                albumSpec.photos.append(tools::AlbumPhotoSource{
                    QStringLiteral("P%1.JPG").arg(p),
                    tools::makeSamplePhoto(size, quint32(10 * a + p), tools::PhotoFormat::Jpeg),
                    size, false});
            }
            show.albumOfBytes(tools::buildAlbum(albumSpec)->bytes, {"P0.JPG", "P1.JPG", "P2.JPG"});
        }
        show.setOptions({true, false, true, 1});
        show.w->settings().viewerOptions |= ViewerOpt::FullSize; // shrink and enlarge
        QList<QImage> out;
        frmPicture* v = show.start();
        if (!v)
            return out;
        v->slideshow().pipeline().setLookAhead(lookAhead);
        for (int steps = 0; steps < 100 && frmPicture::current(); ++steps) {
            frmPicture* cur = frmPicture::current();
            const int before = cur->photosShown();
            show.step(*cur);
            if (frmPicture::current() && cur->photosShown() != before) {
                out << cur->canvas();
                if (cur->lastShown().fromPrefetch != lookAhead)
                    return QList<QImage>{};
            }
        }
        return out;
    };
    const QList<QImage> ahead = screens(true);
    const QList<QImage> plain = screens(false);
    QCOMPARE(ahead.size(), 6);
    QCOMPARE(plain.size(), 6);
    for (int i = 0; i < 6; ++i)
        QVERIFY2(ahead.at(i) == plain.at(i), qPrintable(QString::number(i)));
}

void TestSlideshow::nameLine()
{
    Show show;
    show.album({"IMG0012.tar.JPG", "noDot"});
    show.w->settings().nameFontSize = 18;
    show.w->settings().nameFontColour = RgbValue::fromRgb(250, 200, 10);
    show.w->settings().fontStyle = FontStyle::Bold | FontStyle::UnderLine;
    QPointer<frmPicture> v = show.start();
    QCOMPARE(show.run(2), values({"10 0/0", "500 0/1"}));
    QLabel* label = v->lblPhotoName();
    QVERIFY(label->isVisible());
    QCOMPARE(label->text(), QStringLiteral("1\uFF1A 旅行0 - noDot"));
    QCOMPARE(label->font().pointSize(), 18);
    QVERIFY(label->font().bold());
    QVERIFY(!label->font().italic());
    QVERIFY(!label->font().strikeOut());
    QVERIFY(label->font().underline());
    QCOMPARE(label->palette().color(QPalette::WindowText), QColor(250, 200, 10));
    // At the bottom edge: font size + 20 pixels high.
    QCOMPARE(label->geometry(), QRect(0, show.w->screenSize().height() - 38, v->width(), 38));
    QTest::keyClick(v, Qt::Key_Escape);

    // Switched off: the label stays as it was.
    show.w->settings().clear(Flag::PhotoName);
    v = show.start();
    QCOMPARE(show.run(1), values({"10 0/0"}));
    QVERIFY(!v->lblPhotoName()->isVisible());
    QVERIFY(v->lblPhotoName()->text().isEmpty());
}

void TestSlideshow::startRefused_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("entry"); // the first album: "missing", "hidden" or "album"
    QTest::addColumn<QString>("title"); // of the message; empty: no message
    QTest::newRow("slideshow, missing file") << "mnuViewSlide" << 3 << "missing"
                                             << "スライドショー";
    QTest::newRow("random, missing file") << "mnuViewRandom" << 4 << "missing"
                                          << "ランダム表示";
    QTest::newRow("hidden first entry") << "mnuViewSlide" << 3 << "hidden"
                                        << "スライドショー";
    QTest::newRow("mode 0") << "mnuViewSlide" << 0 << "album"
                            << "";
    QTest::newRow("mode 2, loading") << "mnuViewRandom" << 2 << "album"
                                     << "";
    QTest::newRow("mode 6, already running") << "mnuViewSlide" << 6 << "album"
                                             << "";
}

void TestSlideshow::startRefused()
{
    QFETCH(QString, command);
    QFETCH(int, mode);
    QFETCH(QString, entry);
    QFETCH(QString, title);
    Show show;
    if (entry == QLatin1String("missing"))
        show.missingAlbum();
    else if (entry == QLatin1String("hidden"))
        show.hiddenAlbum();
    else
        show.album({"P0.JPG"});
    show.w->setMode(qint16(mode));
    show.w->document().setSelectedIndex(0);
    QVERIFY(!show.start(command.toLatin1().constData()));
    QCOMPARE(int(show.w->mode()), mode);
    QVERIFY(QGuiApplication::overrideCursor() == nullptr);
    if (title.isEmpty()) {
        QVERIFY(show.prompts.asked().isEmpty());
        return;
    }
    QCOMPARE(show.prompts.asked().size(), 1);
    const MessageRequest& m = show.prompts.asked().at(0).message;
    // The message names the file, on its own line.
    QCOMPARE(m.text,
             QStringLiteral("ファイルが見つかりません。\r\n") + show.w->document().albumPath(0));
    QCOMPARE(m.title, title);
    QCOMPARE(m.icon, MsgIcon::Warning);
    QCOMPARE(m.buttons, MsgButtons::Ok);
    QVERIFY(m.beep);
}

void TestSlideshow::startsFromTheSelectedAlbum()
{
    Show show;
    show.album({"P0.JPG"});
    show.album({"P0.JPG"});
    show.album({"P0.JPG", "P1.JPG"});
    show.w->setMode(Mode::Selected);
    show.w->document().setSelectedIndex(2);
    show.w->document().setContainerPassword(storedPasswordForm(QStringLiteral("abc")));
    QVERIFY(show.start());
    QCOMPARE(show.w->document().enteredPassword(), show.w->document().containerPassword());
    QCOMPARE(show.w->viewerState().viewerAlbumPath, show.path(2));
    QCOMPARE(show.run(), values({"10 2/0", "500 2/1", "500", "closed"}));
    QCOMPARE(show.w->document().selectedIndex(), qint16(2));
    VERIFY_CLOSED(Mode::Selected);

    // From mode 3 the show begins with the first album, whatever was selected.
    show.w->setMode(Mode::Shown);
    QVERIFY(show.start());
    QCOMPARE(show.run(1), values({"10 0/0"}));
}

// The timer on its own: two photos at the shortest interval, then the end.
void TestSlideshow::realTimer()
{
    Show show;
    show.album({"P0.JPG", "*P1.JPG", "P2.JPG"});
    QVERIFY(show.start());
    QTRY_VERIFY_WITH_TIMEOUT(!frmPicture::current(), 20000);
    VERIFY_CLOSED(Mode::Shown);
    QCOMPARE(show.w->viewerState().viewerPhotoIndex, qint16(3));
}

// Keys and the wheel step as the mouse buttons do in manual advance; in
// automatic advance Space pauses (with its mark) and Right/Left step at once.
void TestSlideshow::keys_data()
{
    QTest::addColumn<bool>("autoAdvance");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("screens");
    QTest::newRow("forward keys") << false << "Right Down Space PageDown wheel+"
                                  << "0/2 0/3 0/1 0/2 0/3";
    QTest::newRow("back keys") << false << "Left Up Backspace PageUp wheel-"
                               << "0/3 0/2 0/1 0/3 0/2";
    QTest::newRow("first and last") << false << "End Home"
                                    << "0/3 0/1";
    QTest::newRow("automatic: step at once, pause") << true << "Right Left Space Right Space"
                                                    << "0/2 0/1 paused 0/2 running";
}

void TestSlideshow::keys()
{
    QFETCH(bool, autoAdvance);
    QFETCH(QString, keys);
    QFETCH(QString, screens);
    Show show;
    show.album({"*P0.JPG", "P1.JPG", "P2.JPG", "P3.JPG"});
    show.setOptions({autoAdvance, true, false, 1});
    QPointer<frmPicture> v = show.start();
    QCOMPARE(show.runSteps(2).last(), QStringLiteral("10 0/1"));
    const QMap<QString, Qt::Key> names{
        {"Right", Qt::Key_Right},         {"Down", Qt::Key_Down},
        {"Space", Qt::Key_Space},         {"PageDown", Qt::Key_PageDown},
        {"Left", Qt::Key_Left},           {"Up", Qt::Key_Up},
        {"Backspace", Qt::Key_Backspace}, {"PageUp", Qt::Key_PageUp},
        {"Home", Qt::Key_Home},           {"End", Qt::Key_End}};
    QStringList seen;
    for (const QString& key : keys.split(' ')) {
        const int before = v->photosShown();
        if (key.startsWith(QLatin1String("wheel"))) {
            const QPoint mid = v->rect().center();
            QWheelEvent wheel(mid, v->mapToGlobal(mid), QPoint(),
                              QPoint(0, key.endsWith('+') ? 120 : -120), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(v, &wheel);
        } else {
            QTest::keyClick(v, names.value(key));
        }
        Show::settle(*v);
        if (key == QLatin1String("Space") && autoAdvance)
            seen << (v->pauseMark()->isVisible() ? "paused" : "running");
        else if (v->photosShown() != before)
            seen << show.onScreen(*v);
    }
    QCOMPARE(seen.join(' '), screens);
    QTest::keyClick(v, Qt::Key_Escape);
    VERIFY_CLOSED(Mode::Shown);
}

// "+" and "-" zoom around the pointer, "1" is one photo pixel per screen
// pixel, "0" the fitted view again, exactly as first drawn; a drag pans.
void TestSlideshow::zoomAndPan()
{
    Show show;
    // Photos that, zoomed, outgrow the screen, so that there is something to pan.
    tools::AlbumSpec albumSpec;
    for (int p = 0; p < 2; ++p)
        albumSpec.photos.append(
            test::solidPhoto(QStringLiteral("P%1.JPG").arg(p), 0, p, QSize(400, 300)));
    show.albumOfBytes(tools::buildAlbum(albumSpec)->bytes, {"P0.JPG", "P1.JPG"});
    show.setOptions({false, true, false, 1});
    QPointer<frmPicture> v = show.start();
    QCOMPARE(show.run(), values({"10 0/0", "waiting"}));
    const QImage fitted = v->canvas();
    QVERIFY(!v->zoom());
    QTest::keyClick(v, Qt::Key_1);
    QVERIFY(v->zoom());
    QCOMPARE(v->zoom()->scale, 1.0);
    QTest::keyClick(v, Qt::Key_Plus);
    QCOMPARE(v->zoom()->scale, 1.25);
    QTest::keyClick(v, Qt::Key_Minus);
    QTest::keyClick(v, Qt::Key_Minus);
    QCOMPARE(v->zoom()->scale, 0.8);
    for (int i = 0; i < 20; ++i)
        QTest::keyClick(v, Qt::Key_Plus);
    QCOMPARE(v->zoom()->scale, 8.0); // the most
    Show::settle(*v);
    QCOMPARE(show.onScreen(*v), QStringLiteral("0/0")); // the same photo, bigger
    // A drag pans the zoomed photo and does not step.
    const QPointF before = v->zoom()->origin;
    const QPoint mid = v->rect().center();
    QTest::mousePress(v, Qt::LeftButton, Qt::NoModifier, mid);
    QTest::mouseMove(v, mid + QPoint(30, 20));
    QTest::mouseRelease(v, Qt::LeftButton, Qt::NoModifier, mid + QPoint(30, 20));
    QVERIFY(v->zoom()->origin != before);
    QCOMPARE(v->lastShown().photoIndex, 0);
    QTest::keyClick(v, Qt::Key_0);
    QVERIFY(!v->zoom());
    QCOMPARE(v->canvas(), fitted);
    // A click on a zoomed photo still steps, and the next photo is fitted.
    QTest::keyClick(v, Qt::Key_Plus);
    QTest::mouseClick(v, Qt::LeftButton, Qt::NoModifier, mid);
    Show::settle(*v);
    QCOMPARE(show.onScreen(*v), QStringLiteral("0/1"));
    QVERIFY(!v->zoom());
    QTest::keyClick(v, Qt::Key_Escape);
    VERIFY_CLOSED(Mode::Shown);
}

// Esc answers while a photo is still being decoded: the window closes at
// once, and the decode finishing later changes nothing.
void TestSlideshow::escDuringSlowDecode()
{
    Show show;
    show.album({"P0.JPG", "P1.JPG"});
    QSemaphore gate;
    viewer::setPhotoJobHook([&gate] { gate.acquire(); });
    QPointer<frmPicture> v = show.start();
    QVERIFY(v);
    v->sldTimer()->stop();
    frmPicture_sldTimer_Timer(*v);
    QVERIFY(v->slideshow().photoPending()); // the decode is held at its start
    QCOMPARE(v->photosShown(), 0);
    QTest::keyClick(v, Qt::Key_Escape);
    VERIFY_CLOSED(Mode::Shown);
    QTRY_VERIFY(!v); // the window is gone while the decode still waits
    gate.release(8);
    viewer::waitForPhotoWorkers();
    viewer::setPhotoJobHook({});
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    // A new show runs as usual.
    QVERIFY(show.start());
    QCOMPARE(show.run(1), values({"10 0/0"}));
}

QTEST_MAIN(TestSlideshow)
#include "tst_slideshow.moc"
