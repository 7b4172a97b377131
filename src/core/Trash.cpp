#include "core/Trash.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace quorbell {
namespace {

constexpr QFile::Permissions kUserOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;

// Makes `path` and any missing folder above it, each created open to the user only.
bool makePrivateFolder(const QString& path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return true;
    if (info.exists() || info.isSymLink())
        return false; // a file or a link to nothing is in the way
    const QString parent = info.absolutePath();
    if (parent == info.absoluteFilePath() || !makePrivateFolder(parent))
        return false;
    // Another process may make the same folder at the same moment.
    return QDir().mkdir(path, kUserOnly) || QFileInfo(path).isDir();
}

} // namespace

QString homeTrashFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Trash");
}

bool ensureHomeTrash()
{
    const QString trash = homeTrashFolder();
    return makePrivateFolder(trash + QStringLiteral("/files")) &&
           makePrivateFolder(trash + QStringLiteral("/info"));
}

bool moveFileToTrash(const QString& path)
{
    // Where the home trash cannot be made, Qt's trash move takes the working
    // folder for it and "succeeds" by moving the file there: it only runs
    // once the home trash is in place.
    if (ensureHomeTrash() && QFile::moveToTrash(path))
        return true;
    // No trash serves this file (another file system without one of its own,
    // or no home trash at all): it is deleted, as a desktop without a trash would.
    if (QFile::remove(path))
        return true;
    const QFileInfo info(path);
    return !info.exists() && !info.isSymLink();
}

} // namespace quorbell
