// Sorting 10,000 albums by name and by date with the grid's stable sort,
// beside the literal procedure (for each position, find the first strictly
// best entry of the rest and move it there) in the same run; and making
// containers of 1,000 and 10,000 albums from album files the way
// container-make does: reading the albums with their thumbnails, then writing
// the file.
#include "BenchTiming.h"

#include "AlbumMaker.h"
#include "SamplePhotos.h"

#include "container/ContainerFromAlbums.h"
#include "container/ContainerWriter.h"
#include "core/AlbumEntry.h"
#include "grid/Sort.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using namespace quorbell;

namespace {

// Names with runs of equal ones, Japanese and Latin, and dates with equal
// ones, in all three stored forms.
QList<AlbumEntry> sampleEntries(int count)
{
    QRandomGenerator rng(20030102);
    const QStringList stems = {QStringLiteral("夏の旅行"), QStringLiteral("kyoto"),
                               QStringLiteral("運動会"), QStringLiteral("Beach"),
                               QStringLiteral("album")};
    const QImage picture(78, 58, QImage::Format_RGB32);
    QList<AlbumEntry> v;
    v.reserve(count);
    for (int i = 0; i < count; ++i) {
        AlbumEntry e;
        e.fileName = stems.at(int(rng.bounded(stems.size()))) +
                     QString::number(rng.bounded(count / 2)) + QStringLiteral(".sld");
        e.comment = QString::number(i);
        e.thumbnail = picture;
        const int day = 36526 + int(rng.bounded(3000));
        switch (i % 10) {
        case 0:
            e.fileDate = DateVariant::fromText(
                fromOleDate(day).toString(QStringLiteral("yy/MM/dd 0:00:00")));
            break;
        case 1:
            break; // empty
        default:
            e.fileDate = DateVariant::fromDate(day + rng.bounded(86400) / 86400.0);
        }
        v.append(e);
    }
    return v;
}

// The literal procedure. The date of each entry is turned into seconds once
// and moved along with the entry, as a date value would be, so that the
// figure is the procedure's and not the parsing of date texts.
void literalSort(QList<AlbumEntry>& v, SortKey key)
{
    QList<qint64> seconds;
    seconds.reserve(v.size());
    for (const AlbumEntry& e : std::as_const(v))
        seconds.append(dateSortSeconds(e));
    const auto before = [&](qsizetype a, qsizetype b) {
        switch (key) {
        case SortKey::DateAscending:
            return seconds.at(a) < seconds.at(b);
        case SortKey::DateDescending:
            return seconds.at(a) > seconds.at(b);
        case SortKey::NameAscending:
            return QString::compare(v.at(a).fileName, v.at(b).fileName) < 0;
        case SortKey::NameDescending:
            return QString::compare(v.at(a).fileName, v.at(b).fileName) > 0;
        }
        return false;
    };
    for (qsizetype i = 0; i + 1 < v.size(); ++i) {
        qsizetype best = i;
        for (qsizetype k = i + 1; k < v.size(); ++k) {
            if (before(k, best))
                best = k;
        }
        v.move(best, i);
        seconds.move(best, i);
    }
}

double msSince(std::chrono::steady_clock::time_point t0)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

void benchSort(int count, int runs, bool withLiteral)
{
    const QList<AlbumEntry> entries = sampleEntries(count);
    const struct
    {
        SortKey key;
        const char* name;
    } keys[] = {{SortKey::NameAscending, "name, ascending"},
                {SortKey::NameDescending, "name, descending"},
                {SortKey::DateAscending, "date, oldest first"},
                {SortKey::DateDescending, "date, newest first"}};
    for (const auto& k : keys) {
        std::vector<double> ms;
        QList<AlbumEntry> ours;
        for (int r = 0; r < runs; ++r) {
            ours = entries; // copied outside the timing
            ours.detach();
            const auto t0 = std::chrono::steady_clock::now();
            sortAlbums(ours, k.key);
            ms.push_back(msSince(t0));
        }
        std::sort(ms.begin(), ms.end());
        char label[96];
        std::snprintf(label, sizeof label, "sort %d albums by %s", count, k.name);
        bench::report(label, {ms[ms.size() / 2], ms.front()});
        if (!withLiteral)
            continue;
        QList<AlbumEntry> literal = entries;
        literal.detach();
        const auto t0 = std::chrono::steady_clock::now();
        literalSort(literal, k.key);
        const double literalMs = msSince(t0);
        bool same = true;
        for (qsizetype i = 0; i < literal.size(); ++i)
            same = same && literal.at(i).comment == ours.at(i).comment;
        std::snprintf(label, sizeof label, "  literal selection sort%s",
                      same ? "" : " (ORDER DIFFERS)");
        bench::report(label, {literalMs, literalMs});
    }
}

// `count` album files of one small photo each in `folder`.
QStringList makeAlbums(const QString& folder, int count)
{
    tools::AlbumSpec albumSpec;
    tools::AlbumPhotoSource photo;
    photo.name = QStringLiteral("IMG_0001.JPG");
    photo.pixelSize = QSize(320, 240);
    photo.imageBytes = tools::makeSamplePhoto(photo.pixelSize, 5, tools::PhotoFormat::Jpeg, 85);
    albumSpec.photos.append(photo);
    const QByteArray bytes = tools::buildAlbum(albumSpec)->bytes;
    QStringList names;
    for (int i = 0; i < count; ++i) {
        const QString name = QStringLiteral("アルバム%1.sld").arg(i, 5, 10, QLatin1Char('0'));
        QFile f(folder + name);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(f.fileName()));
        names << name;
    }
    return names;
}

void benchMake(int count, int runs)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    const QStringList names = makeAlbums(folder, count);
    container::ContainerFromAlbums made;
    char label[96];
    std::snprintf(label, sizeof label, "make %d albums' entries (read + thumbnails)", count);
    bench::report(label, bench::timeRuns(runs, [&] {
                      made = container::makeContainerFromAlbums(folder, names, 80);
                  }));
    const QString out = folder + QStringLiteral("bench.cov");
    std::snprintf(label, sizeof label, "write a container of %d albums", count);
    bench::report(label, bench::timeRuns(runs, [&] {
                      if (container::writeContainer(out, made.document))
                          qFatal("write failed");
                  }));
    std::printf("%-48s %9.1f MB\n", "  container size", QFileInfo(out).size() / 1048576.0);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    benchSort(1000, 21, true);
    benchSort(10000, 11, true);
    benchMake(1000, 5);
    benchMake(10000, 3);
    return 0;
}
