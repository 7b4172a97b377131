#include "core/RecentContainers.h"

#include "core/FileIO.h"
#include "core/RecentlyUsedXbel.h"
#include "core/Version.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSet>

namespace quorbell {
namespace {

constexpr qint64 kMostBytesRead = 64 * 1024;

bool isStorablePath(const QString& path)
{
    if (path.isEmpty() || !QDir::isAbsolutePath(path))
        return false;
    for (const QChar c : path) {
        if (c.unicode() < 0x20 || c == QChar(0x7F))
            return false;
    }
    return true;
}

QString homeRelative(const char* variable, const char* fallback)
{
    QString set = qEnvironmentVariable(variable);
    if (!set.isEmpty() && QDir::isAbsolutePath(set))
        return set;
    return QDir::homePath() + QLatin1Char('/') + QLatin1String(fallback);
}

} // namespace

QString recentContainersFile()
{
    return homeRelative("XDG_STATE_HOME", ".local/state") +
           QStringLiteral("/Quorbell/recent-containers");
}

QStringList readRecentContainers(const QString& file)
{
    QFile f;
    if (openRegularFile(f, file) != OpenResult::Opened)
        return {};
    const QByteArray bytes = f.read(kMostBytesRead);
    QStringList paths;
    QSet<QString> seen;
    for (const QByteArray& line : bytes.split('\n')) {
        const QString path = QString::fromUtf8(line);
        if (!isStorablePath(path) || seen.contains(path))
            continue;
        seen.insert(path);
        paths.append(path);
        if (paths.size() == kMaxRecentContainers)
            break;
    }
    return paths;
}

bool writeRecentContainers(const QString& file, const QStringList& paths)
{
    QByteArray bytes;
    for (const QString& path : paths) {
        if (isStorablePath(path))
            bytes += path.toUtf8() + '\n';
    }
    AtomicWriteOptions options;
    options.makeParentFolder = true;
    return writeFileAtomically(file, bytes, nullptr, options);
}

QStringList withRecentContainer(QStringList paths, const QString& path)
{
    paths.removeAll(path);
    paths.prepend(path);
    while (paths.size() > kMaxRecentContainers)
        paths.removeLast();
    return paths;
}

void rememberRecentContainer(const QString& path)
{
    if (!isStorablePath(path))
        return;
    const QString file = recentContainersFile();
    writeRecentContainers(file, withRecentContainer(readRecentContainers(file), path));
    RecentlyUsedEntry entry;
    entry.filePath = path;
    entry.mimeType = QStringLiteral("application/x-quorbell-container");
    entry.application = QString::fromLatin1(kProgramName);
    entry.exec = QStringLiteral("'quorbell %u'");
    entry.when = QDateTime::currentDateTimeUtc();
    recordRecentlyUsed(recentlyUsedFile(), entry);
}

void forgetRecentContainer(const QString& path)
{
    const QString file = recentContainersFile();
    QStringList paths = readRecentContainers(file);
    if (paths.removeAll(path) > 0)
        writeRecentContainers(file, paths);
}

QString recentlyUsedFile()
{
    return homeRelative("XDG_DATA_HOME", ".local/share") + QStringLiteral("/recently-used.xbel");
}

} // namespace quorbell
