// The show's rules run without any window: a Slideshow over album files in a
// temporary folder, driven step by step and by the user's actions, records
// the photos it hands out and when it asks to close. Also the key and wheel
// map and the zoom arithmetic, from tables.
#include "ViewerAlbums.h"

#include "viewer/PhotoZoom.h"
#include "viewer/SlideInput.h"
#include "viewer/Slideshow.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace quorbell;
using namespace quorbell::viewer;

Q_DECLARE_METATYPE(quorbell::viewer::SlideAction)
Q_DECLARE_METATYPE(quorbell::viewer::ZoomView)
Q_DECLARE_METATYPE(quorbell::viewer::SlideOptions)

namespace {

// Runs a show over albums of solid photos; each album is a list of names,
// "" for an album whose file is missing.
class Run
{
public:
    QTemporaryDir dir;
    SlideshowSetup setup;
    QStringList log;

    Run(const QList<QStringList>& albums, SlideOptions options)
    {
        for (int a = 0; a < albums.size(); ++a) {
            SlideAlbum album;
            album.fileName = QStringLiteral("a%1.sld").arg(a);
            album.path = dir.filePath(album.fileName);
            if (!albums.at(a).isEmpty())
                test::writeAlbumFile(album.path, test::solidAlbumBytes(a, albums.at(a)));
            setup.albums.append(album);
        }
        setup.options = options;
        setup.screen = QSize(320, 240);
    }

    // Events: "s" a timer step, "f"/"b" a click forward/back, "<"/">" a step
    // at once in automatic advance, "home"/"end", "pause", "esc".
    // Called with the show after the last event.
    std::function<void(Slideshow&)> inspect;

    QString play(const QStringList& events, std::function<double()> random = {})
    {
        Slideshow show(setup, random ? RandomDraws(random) : RandomDraws());
        QObject::connect(&show, &Slideshow::photoReady, [this](const SlidePhoto& p) {
            const QPair<int, int> seen = test::photoOfColour(p.prepared.image.pixel(
                p.prepared.image.width() / 2, p.prepared.image.height() / 2));
            log << QStringLiteral("%1/%2").arg(seen.first).arg(seen.second);
        });
        QObject::connect(&show, &Slideshow::closeRequested, [this] { log << "closed"; });
        show.begin();
        for (const QString& e : events) {
            if (show.closed())
                break;
            settle(show);
            if (e == "s")
                show.step();
            else if (e == "f" || e == "b")
                show.press(e == "f" ? StepDirection::Forward : StepDirection::Back);
            else if (e == ">" || e == "<")
                show.stepNow(e == ">" ? StepDirection::Forward : StepDirection::Back);
            else if (e == "home" || e == "end")
                show.jumpToEnd(e == "home" ? StepDirection::Back : StepDirection::Forward);
            else if (e == "pause") {
                show.togglePause();
                log << (show.paused() ? "paused" : "running");
            } else if (e == "esc")
                show.close();
            settle(show);
        }
        if (inspect)
            inspect(show);
        return log.join(' ');
    }

    static void settle(Slideshow& show)
    {
        if (!QTest::qWaitFor([&] { return !show.photoPending(); }, 10000))
            qFatal("a photo asked for never arrived");
    }
};

QStringList ev(const char* events)
{
    return QString::fromLatin1(events).split(' ', Qt::SkipEmptyParts);
}

SlideOptions opts(bool autoAdvance, bool endless, bool range, bool random = false)
{
    SlideOptions o;
    o.autoAdvance = autoAdvance;
    o.endless = endless;
    o.range = range;
    o.random = random;
    return o;
}

} // namespace

class TestSlideshowObject : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void order_data();
    void order();
    void lookAhead_data();
    void lookAhead();
    void keys_data();
    void keys();
    void zoom_data();
    void zoom();
};

void TestSlideshowObject::order_data()
{
    QTest::addColumn<QList<QStringList>>("albums");
    QTest::addColumn<SlideOptions>("options");
    QTest::addColumn<QString>("events");
    QTest::addColumn<QString>("log");
    const QStringList three{"P0", "*P1", "P2"};
    QTest::newRow("auto once over one album, marked passed")
        << QList<QStringList>{three} << opts(true, false, false) << "s s s s s"
        << "0/0 0/2 closed";
    QTest::newRow("auto endless rounds again")
        << QList<QStringList>{three} << opts(true, true, false) << "s s s s s s"
        << "0/0 0/2 0/0";
    QTest::newRow("range: next album, missing one passed")
        << QList<QStringList>{{"P0"}, {}, {"P0", "P1"}} << opts(true, false, true)
        << "s s s s s s s s"
        << "0/0 2/0 2/1 closed";
    QTest::newRow("manual clicks, back from the first closes")
        << QList<QStringList>{three} << opts(false, false, false) << "s f b b"
        << "0/0 0/2 0/0 closed";
    QTest::newRow("manual home and end") << QList<QStringList>{{"*P0", "P1", "P2", "P3", "*P4"}}
                                         << opts(false, false, false) << "s s end home end"
                                         << "0/1 0/3 0/1 0/3";
    QTest::newRow("auto step back and forward at once")
        << QList<QStringList>{{"P0", "P1", "P2"}} << opts(true, false, false) << "s s < > >"
        << "0/0 0/1 0/0 0/1 0/2";
    QTest::newRow("auto pause holds the timer, steps still go")
        << QList<QStringList>{{"P0", "P1", "P2"}} << opts(true, false, false) << "s pause > pause"
        << "0/0 paused 0/1 running";
    QTest::newRow("esc ends the show: no step after it")
        << QList<QStringList>{{"P0", "P1"}} << opts(true, false, false) << "s esc s"
        << "0/0 closed";
    QTest::newRow("random: the draws pick album then photo")
        << QList<QStringList>{{"P0", "P1"}, {"P0", "P1"}} << opts(true, true, true, true) << "s s"
        << "1/1 0/0";
}

void TestSlideshowObject::order()
{
    QFETCH(QList<QStringList>, albums);
    QFETCH(SlideOptions, options);
    QFETCH(QString, events);
    QFETCH(QString, log);
    Run run(albums, options);
    // Draws alternate: album 0.9 -> 1, photo 0.6 -> 1; then 0.1 -> 0 twice.
    const QList<double> draws{0.9, 0.6, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1};
    int next = 0;
    QCOMPARE(run.play(ev(qPrintable(events)), [&] { return draws.value(next++, 0.0); }), log);
}

// What is kept ready after the events: "P<photo>" of the album in hand,
// "W<album>" a walk that starts at that album.
void TestSlideshowObject::lookAhead_data()
{
    QTest::addColumn<QList<QStringList>>("albums");
    QTest::addColumn<SlideOptions>("options");
    QTest::addColumn<QString>("events");
    QTest::addColumn<QString>("ahead");
    const QStringList four{"P0", "P1", "P2", "P3"};
    QTest::newRow("manual: the next and the previous photo")
        << QList<QStringList>{four} << opts(false, false, false) << "s f"
        << "P2 P0";
    QTest::newRow("manual, marked photos passed")
        << QList<QStringList>{{"P0", "*P1", "P2", "*P3", "P4"}} << opts(false, false, false)
        << "s f"
        << "P4 P0";
    QTest::newRow("manual at the first photo, once: only the next")
        << QList<QStringList>{four} << opts(false, false, false) << "s"
        << "P1";
    QTest::newRow("manual at the last photo, endless: round both ways")
        << QList<QStringList>{four} << opts(false, true, false) << "s end"
        << "P0 P2";
    QTest::newRow("automatic: the next two photos")
        << QList<QStringList>{four} << opts(true, false, false) << "s"
        << "P1 P2";
    QTest::newRow("automatic near the end, endless: round again")
        << QList<QStringList>{four} << opts(true, true, false) << "s s s"
        << "P3 P0";
    QTest::newRow("automatic near the end over the grid: the next album")
        << QList<QStringList>{four, {"P0"}} << opts(true, false, true) << "s s s"
        << "P3 W1";
}

void TestSlideshowObject::lookAhead()
{
    QFETCH(QList<QStringList>, albums);
    QFETCH(SlideOptions, options);
    QFETCH(QString, events);
    QFETCH(QString, ahead);
    Run run(albums, options);
    QStringList kept;
    run.inspect = [&kept](Slideshow& show) {
        for (const PrefetchPlan& plan : show.pipeline().aheadPlans()) {
            if (plan.kind == PrefetchPlan::Kind::Photo)
                kept << QStringLiteral("P%1").arg(plan.photoIndex);
            else if (plan.kind == PrefetchPlan::Kind::Walk)
                kept << QStringLiteral("W%1").arg(plan.albums.value(0).index);
        }
    };
    run.play(ev(qPrintable(events)));
    QCOMPARE(kept.join(' '), ahead);
}

void TestSlideshowObject::keys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<SlideAction>("manual");
    QTest::addColumn<SlideAction>("automatic");
    using A = SlideAction;
    const int none = Qt::NoModifier;
    QTest::newRow("Esc") << int(Qt::Key_Escape) << none << A::Close << A::Close;
    QTest::newRow("Right") << int(Qt::Key_Right) << none << A::Next << A::StepForward;
    QTest::newRow("Down") << int(Qt::Key_Down) << none << A::Next << A::None;
    QTest::newRow("Space") << int(Qt::Key_Space) << none << A::Next << A::Pause;
    QTest::newRow("PageDown") << int(Qt::Key_PageDown) << none << A::Next << A::None;
    QTest::newRow("Left") << int(Qt::Key_Left) << none << A::Previous << A::StepBack;
    QTest::newRow("Up") << int(Qt::Key_Up) << none << A::Previous << A::None;
    QTest::newRow("Backspace") << int(Qt::Key_Backspace) << none << A::Previous << A::None;
    QTest::newRow("PageUp") << int(Qt::Key_PageUp) << none << A::Previous << A::None;
    QTest::newRow("Home") << int(Qt::Key_Home) << none << A::First << A::None;
    QTest::newRow("End") << int(Qt::Key_End) << none << A::Last << A::None;
    QTest::newRow("+") << int(Qt::Key_Plus) << int(Qt::ShiftModifier) << A::ZoomIn << A::ZoomIn;
    QTest::newRow("-") << int(Qt::Key_Minus) << none << A::ZoomOut << A::ZoomOut;
    QTest::newRow("1") << int(Qt::Key_1) << none << A::ZoomActual << A::ZoomActual;
    QTest::newRow("0") << int(Qt::Key_0) << none << A::ZoomFit << A::ZoomFit;
    QTest::newRow("A") << int(Qt::Key_A) << none << A::None << A::None;
    // The wheel, one notch: 120 forward, -120 back.
    QTest::newRow("wheel forward") << 120 << none << A::Next << A::None;
    QTest::newRow("wheel back") << -120 << none << A::Previous << A::None;
    QTest::newRow("Ctrl+wheel forward")
        << 120 << int(Qt::ControlModifier) << A::ZoomIn << A::ZoomIn;
    QTest::newRow("Ctrl+wheel back")
        << -120 << int(Qt::ControlModifier) << A::ZoomOut << A::ZoomOut;
}

void TestSlideshowObject::keys()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(SlideAction, manual);
    QFETCH(SlideAction, automatic);
    const auto mods = Qt::KeyboardModifiers(modifiers);
    const bool wheel = QByteArray(QTest::currentDataTag()).contains("wheel");
    for (bool autoAdvance : {false, true}) {
        const SlideAction got =
            wheel ? wheelAction(key, mods, autoAdvance) : keyAction(key, mods, autoAdvance);
        QCOMPARE(got, autoAdvance ? automatic : manual);
    }
}

void TestSlideshowObject::zoom_data()
{
    QTest::addColumn<ZoomView>("from");
    QTest::addColumn<double>("scale");
    QTest::addColumn<QPointF>("anchor");
    QTest::addColumn<QPointF>("pan");
    QTest::addColumn<ZoomView>("expected");
    // A 1000x500 photo on a 400x300 screen.
    const ZoomView fitted{0.4, QPointF(0, 50)};
    QTest::newRow("in around the centre: the centre stays")
        << fitted << 0.8 << QPointF(200, 150) << QPointF() << ZoomView{0.8, QPointF(-200, -50)};
    QTest::newRow("in around a corner point: it stays, kept in bounds")
        << fitted << 0.8 << QPointF(0, 50) << QPointF() << ZoomView{0.8, QPointF(0, 0)};
    QTest::newRow("beyond 8x is 8x") << fitted << 100.0 << QPointF(200, 150) << QPointF()
                                     << ZoomView{8.0, QPointF(-3800, -1850)};
    QTest::newRow("below 1/8 is 1/8, centred")
        << fitted << 0.01 << QPointF(0, 0) << QPointF() << ZoomView{0.125, QPointF(137.5, 118.75)};
    QTest::newRow("pan stops at the photo's edge")
        << ZoomView{1.0, QPointF(-300, -100)} << 1.0 << QPointF() << QPointF(500, -900)
        << ZoomView{1.0, QPointF(0, -200)};
    QTest::newRow("pan inside the photo") << ZoomView{1.0, QPointF(-300, -100)} << 1.0 << QPointF()
                                          << QPointF(20, 30) << ZoomView{1.0, QPointF(-280, -70)};
}

void TestSlideshowObject::zoom()
{
    QFETCH(ZoomView, from);
    QFETCH(double, scale);
    QFETCH(QPointF, anchor);
    QFETCH(QPointF, pan);
    QFETCH(ZoomView, expected);
    const QSize photo(1000, 500);
    const QSize screen(400, 300);
    const ZoomView got = pan.isNull() ? zoomAround(from, scale, anchor, photo, screen)
                                      : panBy(from, pan, photo, screen);
    QCOMPARE(got.scale, expected.scale);
    QCOMPARE(got.origin, expected.origin);
}

QTEST_MAIN(TestSlideshowObject)
#include "tst_slideshowobject.moc"
