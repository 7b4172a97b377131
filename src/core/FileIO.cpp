#include "core/FileIO.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <unistd.h>

namespace quorbell {

OpenResult openRegularFile(QFile& file, const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return OpenResult::Missing;
    if (!info.isFile())
        return OpenResult::NotAFile;
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return OpenResult::Unreadable;
    // The path may have been swapped for something else since it was looked at.
    if (file.isSequential()) {
        file.close();
        return OpenResult::NotAFile;
    }
    return OpenResult::Opened;
}

QString writeFailureReason(const QIODevice& device)
{
    QString reason = device.errorString();
    // The text a device gives when nothing set a reason, in the same translation.
    if (reason.isEmpty() || reason == QCoreApplication::translate("QIODevice", "Unknown error"))
        return qt_error_string(ENOSPC);
    return reason;
}

bool commitSaveFile(QSaveFile& file, QString* error)
{
    auto fail = [&](const QString& reason) {
        if (error)
            *error = reason;
        file.cancelWriting();
        return false;
    };
    // The commit closes the file without looking at how the last buffered
    // bytes fared, and would put a cut-off file in place: they go out here.
    if (!file.flush())
        return fail(writeFailureReason(file));
    // Some file systems only report a full disk or a failed device once the
    // data is forced out; one that cannot sync a file has nothing to report.
    if (::fdatasync(file.handle()) != 0 && errno != EINVAL && errno != ENOTSUP)
        return fail(qt_error_string(errno));
    if (!file.commit()) {
        if (error)
            *error = writeFailureReason(file);
        return false;
    }
    return true;
}

namespace {

// A new file beside `path` under a name no other file has, made as any new
// file is (the umask applies), written and renamed over `path`.
bool writeAndRename(const QString& path, QByteArrayView bytes, QString* error)
{
    QFile file;
    // A clash with an existing name is unlikely; a few tries make it rarer still.
    for (int attempt = 0; attempt < 4 && !file.isOpen(); ++attempt) {
        const quint32 tag = QRandomGenerator::global()->generate();
        file.setFileName(path + QStringLiteral(".%1.tmp").arg(tag, 8, 16, QLatin1Char('0')));
        file.open(QIODevice::WriteOnly | QIODevice::NewOnly);
    }
    if (!file.isOpen()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    const bool written = file.write(bytes.data(), bytes.size()) == bytes.size() && file.flush();
    if (!written && error)
        *error = writeFailureReason(file);
    file.close();
    // rename() replaces the target in one step; QFile::rename would refuse
    // an existing one.
    if (written && std::rename(QFile::encodeName(file.fileName()).constData(),
                               QFile::encodeName(path).constData()) == 0)
        return true;
    if (written && error)
        *error = QString::fromLocal8Bit(std::strerror(errno));
    file.remove();
    return false;
}

} // namespace

bool writeFileAtomically(const QString& path, QByteArrayView bytes, QString* error,
                         AtomicWriteOptions options)
{
    if (options.makeParentFolder)
        QDir().mkpath(QFileInfo(path).absolutePath());
    if (!options.waitForDisk)
        return writeAndRename(path, bytes, error);
    QSaveFile file(path);
    file.setDirectWriteFallback(options.directWriteFallback);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (file.write(bytes.data(), bytes.size()) != bytes.size()) {
        if (error)
            *error = writeFailureReason(file);
        file.cancelWriting();
        return false;
    }
    return commitSaveFile(file, error);
}

} // namespace quorbell
