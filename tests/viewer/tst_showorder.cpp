// The show's order rules: intervals, the next album, the walk over missing
// albums, manual steps over marked photos, random indices and the look-ahead
// of random draws.
#include "viewer/RandomDraws.h"
#include "viewer/ShowOrder.h"

#include <QTest>

using namespace quorbell::viewer;

Q_DECLARE_METATYPE(quorbell::viewer::StepDirection)
Q_DECLARE_METATYPE(quorbell::viewer::ManualStep::Outcome)

class TestShowOrder : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void interval_data();
    void interval();
    void nextAlbum_data();
    void nextAlbum();
    void walk_data();
    void walk();
    void manual_data();
    void manual();
    void showable_data();
    void showable();
    void drawn_data();
    void drawn();
    void peekedDrawsAreTheDrawsTaken();
    void strayDrawsStayInRange();
};

void TestShowOrder::interval_data()
{
    QTest::addColumn<int>("setting");
    QTest::addColumn<int>("ms");
    QTest::newRow("1") << 1 << 500;
    QTest::newRow("3") << 3 << 2500;
    QTest::newRow("6") << 6 << 5500;
    QTest::newRow("0 from an edited file") << 0 << 500;
    QTest::newRow("negative") << -4 << 500;
    QTest::newRow("7") << 7 << 5500;
    QTest::newRow("255") << 255 << 5500;
}

void TestShowOrder::interval()
{
    QFETCH(int, setting);
    QFETCH(int, ms);
    QCOMPARE(photoIntervalMs(setting), ms);
}

void TestShowOrder::nextAlbum_data()
{
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("endless");
    QTest::addColumn<int>("next"); // -1: the show ends
    QTest::newRow("middle") << 2 << 5 << false << 3;
    QTest::newRow("last, once") << 4 << 5 << false << -1;
    QTest::newRow("last, endless") << 4 << 5 << true << 0;
    QTest::newRow("only album, endless") << 0 << 1 << true << 0;
    QTest::newRow("only album, once") << 0 << 1 << false << -1;
    QTest::newRow("no albums") << 0 << 0 << true << -1;
    QTest::newRow("index beyond the grid, endless") << 9 << 5 << true << 0;
}

void TestShowOrder::nextAlbum()
{
    QFETCH(int, current);
    QFETCH(int, count);
    QFETCH(bool, endless);
    QFETCH(int, next);
    QCOMPARE(nextAlbumIndex(current, count, endless).value_or(-1), next);
}

void TestShowOrder::walk_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("endless");
    QTest::addColumn<QList<int>>("albums");
    QTest::newRow("to the end, once") << 2 << 5 << false << QList<int>{2, 3, 4};
    QTest::newRow("round once, endless") << 3 << 5 << true << QList<int>{3, 4, 0, 1, 2};
    QTest::newRow("from the first") << 0 << 3 << false << QList<int>{0, 1, 2};
    QTest::newRow("one album") << 0 << 1 << true << QList<int>{0};
    QTest::newRow("outside the grid") << 5 << 5 << true << QList<int>{};
    QTest::newRow("empty grid") << 0 << 0 << true << QList<int>{};
}

void TestShowOrder::walk()
{
    QFETCH(int, first);
    QFETCH(int, count);
    QFETCH(bool, endless);
    QFETCH(QList<int>, albums);
    QCOMPARE(albumWalk(first, count, endless), albums);
}

void TestShowOrder::manual_data()
{
    using O = ManualStep::Outcome;
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<int>("current");
    QTest::addColumn<StepDirection>("direction");
    QTest::addColumn<bool>("endless");
    QTest::addColumn<O>("outcome");
    QTest::addColumn<int>("index");
    const QStringList mixed{"*a", "b", "*c", "d", "*e"};
    const auto fwd = StepDirection::Forward;
    const auto back = StepDirection::Back;
    QTest::newRow("forward over a marked photo") << mixed << 1 << fwd << false << O::Show << 3;
    QTest::newRow("forward past the end, once") << mixed << 3 << fwd << false << O::Close << -1;
    QTest::newRow("forward past the end, endless") << mixed << 3 << fwd << true << O::Show << 1;
    QTest::newRow("back over a marked photo") << mixed << 3 << back << false << O::Show << 1;
    QTest::newRow("back past the start, once") << mixed << 1 << back << false << O::Close << -1;
    QTest::newRow("back past the start, endless") << mixed << 1 << back << true << O::Show << 3;
    QTest::newRow("from the first photo back, once")
        << QStringList{"a", "b"} << 0 << back << false << O::Close << -1;
    QTest::newRow("from the last photo forward, endless")
        << QStringList{"a", "b"} << 1 << fwd << true << O::Show << 0;
    QTest::newRow("one photo, endless: itself again")
        << QStringList{"a"} << 0 << fwd << true << O::Show << 0;
    QTest::newRow("only the shown photo is unmarked")
        << QStringList{"*a", "b", "*c"} << 1 << back << true << O::Show << 1;
    QTest::newRow("all marked, endless: stays")
        << QStringList{"*a", "*b", "*c"} << 1 << fwd << true << O::Stay << -1;
    QTest::newRow("all marked, once: runs off the end")
        << QStringList{"*a", "*b", "*c"} << 0 << fwd << false << O::Close << -1;
    QTest::newRow("no photos") << QStringList{} << 0 << fwd << true << O::Stay << -1;
    QTest::newRow("index past the end counts as the last")
        << QStringList{"a", "b"} << 2 << fwd << true << O::Show << 0;
    QTest::newRow("negative index counts as the first")
        << QStringList{"a", "b"} << -3 << fwd << false << O::Show << 1;
}

void TestShowOrder::manual()
{
    QFETCH(QStringList, names);
    QFETCH(int, current);
    QFETCH(StepDirection, direction);
    QFETCH(bool, endless);
    QFETCH(ManualStep::Outcome, outcome);
    QFETCH(int, index);
    const ManualStep step = manualStep(names, current, direction, endless);
    QCOMPARE(step.outcome, outcome);
    QCOMPARE(step.index, index);
}

void TestShowOrder::showable_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("first");
    QTest::addColumn<QList<int>>("all");
    QTest::newRow("marked at start, middle and end")
        << QStringList{"*a", "b", "*c", "d", "*e"} << 0 << 1 << QList<int>{1, 3};
    QTest::newRow("from inside") << QStringList{"*a", "b", "*c", "d", "*e"} << 2 << 3
                                 << QList<int>{1, 3};
    QTest::newRow("nothing after") << QStringList{"a", "*b"} << 1 << -1 << QList<int>{0};
    QTest::newRow("from beyond the end") << QStringList{"a"} << 4 << -1 << QList<int>{0};
    QTest::newRow("a star inside a name does not mark it")
        << QStringList{"a*b"} << 0 << 0 << QList<int>{0};
    QTest::newRow("all marked") << QStringList{"*a", "*b"} << 0 << -1 << QList<int>{};
    QTest::newRow("empty") << QStringList{} << 0 << -1 << QList<int>{};
}

void TestShowOrder::showable()
{
    QFETCH(QStringList, names);
    QFETCH(int, from);
    QFETCH(int, first);
    QFETCH(QList<int>, all);
    QCOMPARE(firstShowablePhoto(names, from).value_or(-1), first);
    QCOMPARE(showablePhotos(names), all);
}

void TestShowOrder::drawn_data()
{
    QTest::addColumn<double>("r");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("index");
    QTest::newRow("0") << 0.0 << 7 << 0;
    QTest::newRow("just below a boundary") << (3.0 / 7.0 - 1e-12) << 7 << 2;
    QTest::newRow("on a boundary") << 0.5 << 4 << 2;
    QTest::newRow("largest double below 1") << std::nextafter(1.0, 0.0) << 32767 << 32766;
    QTest::newRow("one element") << 0.99 << 1 << 0;
}

void TestShowOrder::drawn()
{
    QFETCH(double, r);
    QFETCH(int, n);
    QFETCH(int, index);
    QCOMPARE(drawnIndex(r, n), index);
}

void TestShowOrder::peekedDrawsAreTheDrawsTaken()
{
    int calls = 0;
    RandomDraws draws([&calls] { return (++calls % 10) / 10.0; });
    QCOMPARE(draws.peek(1), 0.2);
    QCOMPARE(draws.peek(0), 0.1);
    QCOMPARE(calls, 2);
    QCOMPARE(draws.next(), 0.1);
    QCOMPARE(draws.peek(0), 0.2);
    QCOMPARE(draws.next(), 0.2);
    QCOMPARE(draws.next(), 0.3);
    QCOMPARE(calls, 3);
}

void TestShowOrder::strayDrawsStayInRange()
{
    QList<double> values{1.0, -0.5, 0.25, std::nan("")};
    RandomDraws draws([&values] { return values.takeFirst(); });
    for (int i = 0; i < 4; ++i) {
        const double r = draws.next();
        QVERIFY2(r >= 0.0 && r < 1.0, qPrintable(QString::number(r)));
    }
}

QTEST_GUILESS_MAIN(TestShowOrder)
#include "tst_showorder.moc"
