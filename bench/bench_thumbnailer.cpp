// The desktop thumbnailer as a file manager runs it: `quorbell-cli thumbnail`
// started as a whole process (fork, exec, library loading, the work, exit),
// 20 runs each, min and median of the wall time and of the process's CPU time
// (user and system; a busy machine inflates it less). In the same run, for scale:
// `quorbell-cli --version` (the start-up floor) and, when installed, the
// desktop's generic JPEG thumbnailer on the same 12 MP photo.
//
//   build/bin/bench_thumbnailer [--keep DIR] [EXTRA.sld|EXTRA.cov ...]
//
// The 12 MP album (4000 x 3000 JPEG at quality 90, no embedded thumbnail) and
// a container of 20 albums are made by the generators in a temporary folder,
// or in DIR, where they are left for profiling; files named on the command
// line are timed as well.
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

void timeCommand(const char* name, const QStringList& command)
{
    std::vector<double> ms;
    std::vector<double> cpu;
    for (int i = 0; i < kRuns; ++i) {
        double cpuMs = 0;
        const auto t0 = std::chrono::steady_clock::now();
        const bool ok = runOnce(command, &cpuMs);
        const auto t1 = std::chrono::steady_clock::now();
        if (!ok) {
            std::printf("%-44s failed: %s\n", name, qPrintable(command.join(QLatin1Char(' '))));
            return;
        }
        ms.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
        cpu.push_back(cpuMs);
    }
    std::sort(ms.begin(), ms.end());
    std::sort(cpu.begin(), cpu.end());
    std::printf("%-40s wall min %6.2f median %6.2f ms; cpu min %6.2f median %6.2f ms\n", name,
                ms.front(), ms[ms.size() / 2], cpu.front(), cpu[cpu.size() / 2]);
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
    if (!QFileInfo(cli).isExecutable()) {
        std::fprintf(stderr, "quorbell-cli not found beside this program: %s\n", qPrintable(cli));
        return 1;
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
    const QString containerPath = dir.filePath(QStringLiteral("albums.cov"));
    const QString out = dir.filePath(QStringLiteral("out.png"));

    const QByteArray jpeg =
        tools::makeSamplePhoto(QSize(4000, 3000), 12, tools::PhotoFormat::Jpeg, 90);
    tools::AlbumSpec albumSpec;
    albumSpec.photos.append({QStringLiteral("IMG_0001.JPG"), jpeg, QSize(4000, 3000), false});
    const std::optional<tools::BuiltAlbum> album = tools::buildAlbum(albumSpec);
    tools::SampleOptions containerOptions;
    containerOptions.count = 20;
    if (!album || !writeFile(jpegPath, jpeg) || !writeFile(albumPath, album->bytes) ||
        !writeFile(containerPath,
                   tools::assembleContainer(tools::sampleContainer(containerOptions)))) {
        std::fprintf(stderr, "cannot write the sample files in %s\n", qPrintable(dir.path()));
        return 1;
    }
    std::printf("12 MP JPEG: %lld bytes; album %s\n", qint64(jpeg.size()), qPrintable(albumPath));

    timeCommand("quorbell-cli --version", {cli, QStringLiteral("--version")});
    timeCommand("thumbnail -s 256, 12 MP album",
                {cli, QStringLiteral("thumbnail"), albumPath, out});
    timeCommand("thumbnail -s 128, 12 MP album",
                {cli, QStringLiteral("thumbnail"), QStringLiteral("-s"), QStringLiteral("128"),
                 albumPath, out});
    timeCommand("thumbnail -s 256, container of 20",
                {cli, QStringLiteral("thumbnail"), containerPath, out});
    for (const QString& extra : extras) {
        const QByteArray name = "thumbnail -s 256, " + QFileInfo(extra).fileName().toUtf8();
        timeCommand(name.constData(), {cli, QStringLiteral("thumbnail"), extra, out});
    }
    const QString pixbuf = QStandardPaths::findExecutable(QStringLiteral("gdk-pixbuf-thumbnailer"));
    if (!pixbuf.isEmpty())
        timeCommand("gdk-pixbuf-thumbnailer -s 128, 12 MP JPEG",
                    {pixbuf, QStringLiteral("-s"), QStringLiteral("128"), jpegPath, out});
    else
        std::printf("gdk-pixbuf-thumbnailer not installed: not compared\n");
    return 0;
}
