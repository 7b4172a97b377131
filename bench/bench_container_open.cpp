// Opening a container through the program's own command path (the checked
// read of the tables, the password-free open, the bulk thumbnail decoding and
// the loading loop drawing into the main window): time to the first screen of
// thumbnails and to the finished grid (mode 3), and the longest step the loop
// kept the UI thread. Beside it, the floor of reading one record per 10 ms tick.
// Then the resident memory once the 10,000-album container is shown, measured
// in fresh processes: thumbnails held in the 24-bit thumbnail format, and the
// same grid with every thumbnail turned into a 32-bit picture as soon as it is
// loaded (how they were once held).
#include "BenchTiming.h"

#include "ContainerMaker.h"
#include "container/ContainerCommands.h"
#include "container/ContainerFile.h"
#include "document/AlbumDocument.h"
#include "core/MainWindowHandlers.h"
#include "core/frmMain.h"
#include "grid/GridCommands.h"
#include "grid/GridGeometry.h"

#include "ScriptedPrompts.h"

#include <QApplication>
#include <QProcess>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <vector>

#include <malloc.h>

using namespace quorbell;

namespace {

// Cells on the first screen of a client area of this size.
int firstScreenCells(QSize client, int cellSize, int stripHeight)
{
    const int columns =
        (client.width() - Grid::Left - Grid::RightMargin + Grid::Gap) / (cellSize + Grid::Gap);
    int rows = 0;
    for (int y = Grid::Top; y + cellSize + stripHeight + Grid::BottomMargin <= client.height();
         y += cellSize + stripHeight + Grid::Gap)
        ++rows;
    return qMax(1, columns) * qMax(1, rows + 1); // the loop draws the row that does not fit too
}

// A "kB" line of /proc/self/status, in MB.
double statusMb(const char* key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(qstrlen(key)).trimmed().split(' ').at(0).toDouble() / 1024.0;
    }
    return -1;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // "--memory 24|32 FILE": open FILE once and print the process's memory.
    const bool memoryRun = argc == 4 && qstrcmp(argv[1], "--memory") == 0;
    const bool as32 = memoryRun && qstrcmp(argv[2], "32") == 0;
    const int runs = memoryRun ? 1 : argc > 1 ? qMax(1, atoi(argv[1])) : 5;
    QTemporaryDir config, dir;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());

    test::ScriptedPrompts prompts;
    frmMain w;
    w.show();
    w.resize(1280, 800);
    QElapsedTimer stepClock;
    double longestStepMs = 0;
    QObject::connect(w.intTimer(), &QTimer::timeout, &w, [&] { stepClock.start(); });
    registerGridCommands(w);
    registerContainerCommands(w);
    // Runs after each loading step, in the event loop the program itself uses.
    QEventLoop waiting;
    QElapsedTimer clock;
    int firstScreen = 0;
    double firstMs = -1;
    int converted = 0;
    QObject::connect(w.intTimer(), &QTimer::timeout, &w, [&] {
        longestStepMs = qMax(longestStepMs, stepClock.nsecsElapsed() / 1e6);
        AlbumDocument& doc = w.document();
        for (; as32 && converted < doc.loadIndex() && converted < doc.albumCount(); ++converted) {
            AlbumEntry e = doc.entry(converted);
            e.thumbnail = e.thumbnail.convertToFormat(QImage::Format_RGB32);
            doc.setEntry(converted, std::move(e));
        }
        if (firstMs < 0 && doc.loadIndex() >= firstScreen)
            firstMs = clock.nsecsElapsed() / 1e6;
        if (w.mode() == Mode::Shown)
            waiting.quit();
    });
    frmMain_Form_Load(w, QString());
    QCoreApplication::processEvents();

    if (memoryRun) {
        const double before = statusMb("VmRSS:");
        if (!ReadContainer(w, QString::fromLocal8Bit(argv[3])))
            return 1;
        waiting.exec();
        // Freed pictures (the 24-bit ones the "32" run replaced) go back to
        // the system in both runs, so that only what is held is counted.
        malloc_trim(0);
        qint64 pixels = 0;
        for (const AlbumEntry& a : w.document().entries())
            pixels += a.thumbnail.sizeInBytes();
        std::printf("%.1f %.1f %.1f %.1f\n", before, statusMb("VmRSS:"), statusMb("VmHWM:"),
                    pixels / 1e6);
        return 0;
    }

    for (const int count : {1000, 10000}) {
        tools::SampleOptions options;
        options.count = count;
        options.cellSize = 80;
        const QByteArray bytes = tools::assembleContainer(tools::sampleContainer(options));
        const QString path = dir.filePath(QStringLiteral("bench%1.cov").arg(count));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            return 1;
        f.close();
        firstScreen = qMin(
            count, firstScreenCells(w.surface()->size(), 80, commentMetricsFor(80)->stripHeight));
        const bench::Timing tables = bench::timeRuns(runs, [&] {
            if (!container::ContainerFile::open(path))
                std::exit(1);
        });

        std::vector<double> first, shown, longest;
        for (int run = 0; run < runs; ++run) {
            longestStepMs = 0;
            firstMs = -1;
            clock.start();
            if (!ReadContainer(w, path))
                return 1;
            waiting.exec();
            const double shownMs = clock.nsecsElapsed() / 1e6;
            for (const AlbumEntry& a : w.document().entries()) {
                if (a.thumbnail.isNull())
                    return 2; // every sample record holds a picture
            }
            first.push_back(firstMs < 0 ? shownMs : firstMs);
            shown.push_back(shownMs);
            longest.push_back(longestStepMs);
        }
        std::printf("%5d albums (%.1f MB, %d cells on the first screen), median of %d runs:\n",
                    count, bytes.size() / 1e6, firstScreen, runs);
        std::printf("  tables read and checked     %8.1f ms\n", tables.medianMs);
        std::printf("  first screen of thumbnails  %8.1f ms\n", median(first));
        std::printf("  whole grid shown (mode 3)   %8.1f ms\n", median(shown));
        std::printf("  longest UI step             %8.1f ms\n", median(longest));
        std::printf("  one record per 10 ms tick   %8.1f ms (ticks alone)\n", count * 10.0);
    }

    std::printf("10000 albums shown, memory of a fresh process (MB):\n");
    std::printf("  %-34s %9s %9s %9s %12s\n", "", "at start", "VmRSS", "VmHWM", "thumbnails");
    for (const char* variant : {"32", "24"}) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--memory"), QString::fromLatin1(variant),
                     dir.filePath(QStringLiteral("bench10000.cov"))});
        if (!child.waitForFinished(600000) || child.exitCode() != 0)
            return 3;
        const QList<QByteArray> v = child.readAllStandardOutput().trimmed().split(' ');
        if (v.size() != 4)
            return 3;
        std::printf("  %-34s %9s %9s %9s %12s\n",
                    qstrcmp(variant, "32") == 0 ? "32-bit thumbnails (as before)"
                                                : "24-bit thumbnail format (now)",
                    v[0].constData(), v[1].constData(), v[2].constData(), v[3].constData());
    }
    return 0;
}
