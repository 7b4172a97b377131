// Writes the demo into a folder: two dozen sample albums of a few photos each
// (some photos hidden, one album protected by the password "demo") and the
// container デモ.cov made from them as New and Save As would make it, with
// nicer comments, one hidden entry, and one album whose file is removed
// afterwards so that the grid shows it crossed out. The same pictures, file
// dates and bytes come out of every run.
#include "AlbumMaker.h"
#include "SamplePhotos.h"

#include "container/ContainerFromAlbums.h"
#include "container/ContainerWriter.h"
#include "core/FileIO.h"
#include "core/PasswordForm.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QCoreApplication>
#include <QTimeZone>
#include <QtConcurrent/QtConcurrentMap>

#include <cstdio>
#include <vector>

using namespace quorbell;

namespace {

struct DemoAlbum
{
    const char* fileName;
    const char* comment;
    int photos;
    bool portrait; // the first photo stands upright
};

// In the order of the grid.
const DemoAlbum kAlbums[] = {
    {"夏の旅行.sld", "夏の旅行 2003", 5, false},
    {"kyoto-2003.sld", "京都 2003年秋", 4, false},
    {"運動会.sld", "運動会", 3, false},
    {"お正月.sld", "お正月", 3, true},
    {"hokkaido-ski.sld", "Hokkaido ski", 4, false},
    {"花見.sld", "上野の花見", 3, false},
    {"家族写真.sld", "家族写真", 4, true},
    {"beach-day.sld", "Beach day", 3, false},
    {"紅葉狩り.sld", "紅葉狩り", 3, false},
    {"誕生日.sld", "誕生日会", 4, false},
    {"old-scans.sld", "古い写真", 3, false}, // the hidden entry
    {"garden.sld", "Garden", 3, true},
    {"nara-deer.sld", "奈良の鹿", 3, false},
    {"雪まつり.sld", "雪まつり", 4, false},
    {"卒業式.sld", "卒業式", 3, true},
    {"tokyo-tower.sld", "Tokyo Tower", 3, true},
    {"花火大会.sld", "花火大会", 4, false},
    {"canoe-trip.sld", "Canoe trip", 3, false},
    {"ペット.sld", "うちの猫", 3, false},
    {"ひみつ.sld", "ひみつ", 3, false}, // protected
    {"sunset.sld", "Sunset", 3, false},
    {"引っ越し.sld", "引っ越し", 3, false}, // its file is removed
    {"遠足.sld", "遠足", 3, false},
    {"mountain-hike.sld", "Mountain hike", 4, false},
    {"クリスマス.sld", "クリスマス", 3, false},
};
constexpr int kCount = int(std::size(kAlbums));
const QString kHidden = QStringLiteral("old-scans.sld");
const QString kProtected = QStringLiteral("ひみつ.sld");
const QString kMissing = QStringLiteral("引っ越し.sld");
const QString kContainerName = QStringLiteral("デモ.cov");
constexpr int kCellSize = 100;

QString nameOf(int i)
{
    return QString::fromUtf8(kAlbums[i].fileName);
}

// A fixed date for each album, about five weeks apart from 2002 on, in UTC
// so that the files carry the same instant on every machine.
QDateTime albumDate(int i)
{
    const QDateTime start(QDate(2002, 3, 10), QTime(9, 30), QTimeZone::utc());
    return start.addDays(qint64(i) * 37).addSecs(qint64(i % 7) * 3571);
}

bool writeAlbum(const QString& folder, int i)
{
    const DemoAlbum& a = kAlbums[i];
    tools::AlbumSpec albumSpec;
    if (nameOf(i) == kProtected)
        albumSpec.password = storedPasswordForm(QStringLiteral("demo"));
    for (int k = 0; k < a.photos; ++k) {
        const bool upright = k == 0 ? a.portrait : (i + k) % 3 == 0;
        const QSize size = upright ? QSize(768, 1024) : QSize(1024, 768);
        const quint32 seed = quint32(1000 + i * 16 + k);
        tools::AlbumPhotoSource photo;
        photo.name = QStringLiteral("IMG_%1.JPG").arg(100 + i * 10 + k, 4, 10, QLatin1Char('0'));
        photo.imageBytes =
            tools::encodePhoto(tools::paintScenePhoto(size, seed), tools::PhotoFormat::Jpeg, 80);
        photo.pixelSize = size;
        // Some albums keep a photo or two out of the slideshow.
        photo.hidden = k > 0 && (i * 5 + k) % 7 == 0;
        albumSpec.photos.append(photo);
    }
    const std::optional<tools::BuiltAlbum> built = tools::buildAlbum(albumSpec);
    const QString path = folder + nameOf(i);
    if (!built || !writeFileAtomically(path, built->bytes))
        return false;
    QFile f(path);
    return f.open(QIODevice::ReadOnly) &&
           f.setFileTime(albumDate(i), QFileDevice::FileModificationTime);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_demo OUTDIR\n");
        return 2;
    }
    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + QLatin1Char('/');
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "make_demo: cannot make %s\n", argv[1]);
        return 1;
    }

    std::vector<int> indices(kCount);
    for (int i = 0; i < kCount; ++i)
        indices[size_t(i)] = i;
    const std::vector<int> written = QtConcurrent::blockingMapped<std::vector<int>>(
        indices, [&folder](int i) { return writeAlbum(folder, i) ? 1 : 0; });
    for (int i = 0; i < kCount; ++i) {
        if (!written[size_t(i)]) {
            std::fprintf(stderr, "make_demo: cannot write %s\n", kAlbums[i].fileName);
            return 1;
        }
    }

    QStringList names;
    for (int i = 0; i < kCount; ++i)
        names << nameOf(i);
    container::ContainerFromAlbums made =
        container::makeContainerFromAlbums(folder, names, kCellSize);
    for (int i = 0; i < kCount; ++i) {
        if (made.outcomes.at(i).failure.error != album::AlbumError::None) {
            std::fprintf(stderr, "make_demo: cannot read back %s\n", kAlbums[i].fileName);
            return 1;
        }
        AlbumEntry& e = made.document.albums[i];
        e.comment = QString::fromUtf8(kAlbums[i].comment);
        if (e.fileName == kHidden)
            e.fileName.prepend(QLatin1Char('*'));
    }
    // The entry stays, with its thumbnail, size and date; only the file goes.
    if (!QFile::remove(folder + kMissing)) {
        std::fprintf(stderr, "make_demo: cannot remove the missing album\n");
        return 1;
    }
    if (std::optional<container::ContainerError> e =
            container::writeContainer(folder + kContainerName, made.document)) {
        std::fprintf(stderr, "make_demo: cannot write the container: %s\n", qPrintable(e->detail));
        return 1;
    }
    return 0;
}
