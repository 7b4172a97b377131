// The desktop thumbnailer as a file manager runs it: `quorbell-thumbnailer`
// (and, for comparison, `quorbell-cli thumbnail`) started as a whole process
// (fork, exec, library loading, the work, exit), 20 runs each, min and median of the wall time and
// of the process's CPU time (user and system; a busy machine inflates it less). The runs are
// interleaved: each round runs every command once, so that a change in the
// machine's load hits all of them alike. In the same run, for scale:
// `quorbell-cli --version` (the start-up of a program that loads Qt Gui) and,
// when installed, the
// desktop's generic JPEG thumbnailer on the same 12 MP photo.
//
//   build/bin/bench_thumbnailer [--keep DIR] [EXTRA.sld|EXTRA.cov ...]
//
// Made by the generators in a temporary folder, or in DIR, where they are
// left for profiling: a 12 MP album (4000 x 3000 JPEG at quality 90) without
// an embedded thumbnail, the same photo as a camera writes it with a 160 x 120
// EXIF thumbnail (large enough for -s 128; -s 256 decodes the photo), and a
// container of 20 albums. Files named on the command line are timed as well.
#include "AlbumMaker.h"
#include "ContainerMaker.h"
#include "SamplePhotos.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char** environ;

using namespace quorbell;

namespace {

constexpr int kRuns = 20;

// Runs the program once and waits for it; false when it did not exit with 0.
// `cpuMs` gets the CPU time (user and system) the process used.
bool runOnce(const QStringList& command, double* cpuMs)
{
    std::vector<QByteArray> bytes;
    for (const QString& a : command)
        bytes.push_back(QFile::encodeName(a));
    std::vector<char*> argv;
    for (QByteArray& b : bytes)
        argv.push_back(b.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int started = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (started != 0)
        return false;
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    *cpuMs = (double(usage.ru_utime.tv_sec) + double(usage.ru_stime.tv_sec)) * 1e3 +
             (double(usage.ru_utime.tv_usec) + double(usage.ru_stime.tv_usec)) / 1e3;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

struct Timed
{
    QByteArray name;
    QStringList command;
    std::vector<double> ms;
    std::vector<double> cpu;
    bool failed = false;
};

// Each round runs every command once; a command that fails once is reported
// as failed and not run again.
void timeInterleaved(std::vector<Timed>& all)
{
    for (int round = 0; round < kRuns; ++round) {
        for (Timed& t : all) {
            if (t.failed)
                continue;
            double cpuMs = 0;
            const auto t0 = std::chrono::steady_clock::now();
            t.failed = !runOnce(t.command, &cpuMs);
            const auto t1 = std::chrono::steady_clock::now();
            t.ms.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
            t.cpu.push_back(cpuMs);
        }
    }
}

void report(Timed& t)
{
    if (t.failed) {
        std::printf("%-48s failed: %s\n", t.name.constData(),
                    qPrintable(t.command.join(QLatin1Char(' '))));
        return;
    }
    std::sort(t.ms.begin(), t.ms.end());
    std::sort(t.cpu.begin(), t.cpu.end());
    std::printf("%-48s wall min %6.2f median %6.2f ms; cpu min %6.2f median %6.2f ms\n",
                t.name.constData(), t.ms.front(), t.ms[t.ms.size() / 2], t.cpu.front(),
                t.cpu[t.cpu.size() / 2]);
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QString cli = QCoreApplication::applicationDirPath() + QStringLiteral("/quorbell-cli");
    const QString thumbnailer =
        QCoreApplication::applicationDirPath() + QStringLiteral("/quorbell-thumbnailer");
    for (const QString& program : {cli, thumbnailer}) {
        if (!QFileInfo(program).isExecutable()) {
            std::fprintf(stderr, "not found beside this program: %s\n", qPrintable(program));
            return 1;
        }
    }
    QStringList extras = QCoreApplication::arguments().mid(1);
    QTemporaryDir temporary;
    QDir dir(temporary.path());
    if (extras.size() >= 2 && extras.first() == QLatin1String("--keep")) {
        dir = QDir(extras.at(1));
        dir.mkpath(QStringLiteral("."));
        extras = extras.mid(2);
    }
    const QString jpegPath = dir.filePath(QStringLiteral("photo12mp.jpg"));
    const QString albumPath = dir.filePath(QStringLiteral("photo12mp.sld"));
    const QString exifAlbumPath = dir.filePath(QStringLiteral("photo12mp-exif.sld"));
    const QString containerPath = dir.filePath(QStringLiteral("albums.cov"));
    const QString out = dir.filePath(QStringLiteral("out.png"));

    const QSize photoSize(4000, 3000);
    const QImage picture = tools::paintSamplePhoto(photoSize, 12);
    const QByteArray jpeg = tools::encodePhoto(picture, tools::PhotoFormat::Jpeg, 90);
    const QByteArray cameraJpeg = tools::encodeCameraJpeg(picture, 1, 160, 90);
    auto albumOf = [&photoSize](const QByteArray& photo) {
        tools::AlbumSpec albumSpec;
        albumSpec.photos.append({QStringLiteral("IMG_0001.JPG"), photo, photoSize, false});
        return tools::buildAlbum(albumSpec);
    };
    const std::optional<tools::BuiltAlbum> album = albumOf(jpeg);
    const std::optional<tools::BuiltAlbum> exifAlbum = albumOf(cameraJpeg);
    tools::SampleOptions containerOptions;
    containerOptions.count = 20;
    if (!album || !exifAlbum || !writeFile(jpegPath, jpeg) || !writeFile(albumPath, album->bytes) ||
        !writeFile(exifAlbumPath, exifAlbum->bytes) ||
        !writeFile(containerPath,
                   tools::assembleContainer(tools::sampleContainer(containerOptions)))) {
        std::fprintf(stderr, "cannot write the sample files in %s\n", qPrintable(dir.path()));
        return 1;
    }
    std::printf("12 MP JPEG: %lld bytes; album %s\n", qint64(jpeg.size()), qPrintable(albumPath));

    const QString thumbnail = QStringLiteral("thumbnail");
    const QString sizeOption = QStringLiteral("-s");
    std::vector<Timed> all;
    auto add = [&all](QByteArray name, QStringList command) {
        Timed t;
        t.name = std::move(name);
        t.command = std::move(command);
        all.push_back(std::move(t));
    };
    add("quorbell-cli --version", {cli, QStringLiteral("--version")});
    // As the desktop entry runs it.
    add("quorbell-thumbnailer -s 256, 12 MP album", {thumbnailer, albumPath, out});
    add("quorbell-thumbnailer -s 128, 12 MP album",
        {thumbnailer, sizeOption, QStringLiteral("128"), albumPath, out});
    add("quorbell-thumbnailer -s 128, EXIF thumbnail",
        {thumbnailer, sizeOption, QStringLiteral("128"), exifAlbumPath, out});
    add("quorbell-thumbnailer -s 256, EXIF too small", {thumbnailer, exifAlbumPath, out});
    add("quorbell-thumbnailer -s 256, container of 20", {thumbnailer, containerPath, out});
    for (const QString& extra : extras)
        add("quorbell-thumbnailer -s 256, " + QFileInfo(extra).fileName().toUtf8(),
            {thumbnailer, extra, out});
    // The same work in quorbell-cli, which loads Qt Gui.
    add("quorbell-cli thumbnail -s 256, 12 MP album", {cli, thumbnail, albumPath, out});
    add("quorbell-cli thumbnail -s 128, EXIF thumbnail",
        {cli, thumbnail, sizeOption, QStringLiteral("128"), exifAlbumPath, out});
    const QString pixbuf = QStandardPaths::findExecutable(QStringLiteral("gdk-pixbuf-thumbnailer"));
    if (!pixbuf.isEmpty())
        add("gdk-pixbuf-thumbnailer -s 128, 12 MP JPEG",
            {pixbuf, sizeOption, QStringLiteral("128"), jpegPath, out});
    timeInterleaved(all);
    for (Timed& t : all)
        report(t);
    if (pixbuf.isEmpty())
        std::printf("gdk-pixbuf-thumbnailer not installed: not compared\n");
    return 0;
}
