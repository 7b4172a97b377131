#include "container/RecoveryStore.h"

#include "container/ContainerWriter.h"
#include "core/TextRules.h"
#include "core/Version.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace quorbell::container {
namespace {

constexpr QFileDevice::Permissions kPrivate =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;

// Makes each missing folder of `path` with the owner's permissions only:
// the kept documents are the user's own thumbnails and names.
bool makePrivateFolder(const QString& path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return true;
    if (info.exists() || !makePrivateFolder(QFileInfo(QDir::cleanPath(path)).path()))
        return false;
    return QDir().mkdir(path, kPrivate) || QFileInfo(path).isDir();
}

} // namespace

QString recoveryFolder()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    // Relative paths are to be ignored, as the XDG rules say.
    if (state.isEmpty() || !QDir::isAbsolutePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return withTrailingSlash(QDir::cleanPath(state + QLatin1Char('/') +
                                             QString::fromLatin1(kProgramName) +
                                             QStringLiteral("/recovery")));
}

ContainerResult<QString> keepForRecovery(const ContainerDocument& doc)
{
    const QString folder = recoveryFolder();
    if (!makePrivateFolder(folder)) {
        ContainerError e;
        e.code = ErrorCode::WriteFailed;
        e.detail = QStringLiteral("cannot make the folder %1").arg(folder);
        return e;
    }
    // The time first, so the names sort by age; the process number keeps two
    // programs ended in the same second apart.
    const QString stem = folder +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")) +
                         QLatin1Char('-') + QString::number(QCoreApplication::applicationPid());
    QString path = stem + QStringLiteral(".cov");
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = stem + QLatin1Char('-') + QString::number(n) + QStringLiteral(".cov");
    if (std::optional<ContainerError> failed = writeContainer(path, doc))
        return *failed;
    return path;
}

QStringList recoveryFiles()
{
    QFileInfoList found =
        QDir(recoveryFolder())
            .entryInfoList({QStringLiteral("*.cov")}, QDir::Files | QDir::NoSymLinks);
    std::sort(found.begin(), found.end(), [](const QFileInfo& a, const QFileInfo& b) {
        if (a.lastModified() != b.lastModified())
            return a.lastModified() > b.lastModified();
        return a.fileName() > b.fileName();
    });
    QStringList paths;
    for (const QFileInfo& f : std::as_const(found))
        paths << f.absoluteFilePath();
    return paths;
}

} // namespace quorbell::container
