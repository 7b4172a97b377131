#include "core/FileIO.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

bool writeFileAtomically(const QString& path, QByteArrayView bytes, QString* error,
                         AtomicWriteOptions options)
{
    if (options.makeParentFolder)
        QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    file.setDirectWriteFallback(options.directWriteFallback);
    auto fail = [&] {
        if (error)
            *error = file.errorString();
        return false;
    };
    if (!file.open(QIODevice::WriteOnly))
        return fail();
    // A small write only fills the buffer; flushing it is where a full disk
    // shows. commit() would flush too, but it takes the new file even when
    // that flush failed, so the flush is checked here first.
    if (file.write(bytes.data(), bytes.size()) != bytes.size() || !file.flush()) {
        const bool failed = fail();
        file.cancelWriting();
        return failed;
    }
    if (!file.commit())
        return fail();
    return true;
}

} // namespace quorbell
