#include "album/AlbumSave.h"

#include "core/FileIO.h"

#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace quorbell::album {

namespace {
// Written in pieces of this many bytes so a big album can report progress.
constexpr qint64 kSaveChunk = 4 * 1024 * 1024;
} // namespace

AlbumSaveResult saveAlbumFile(const QString& path, const AlbumContents& contents,
                              const SaveProgress& progress)
{
    AlbumSaveResult result;
    const std::optional<BuiltAlbum> built = buildAlbum(contents, &result.problem);
    if (!built)
        return result;
    if (QFileInfo(path).isDir()) {
        result.targetIsFolder = true;
        return result;
    }
    const QByteArray& bytes = built->bytes;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        result.writeFailure = file.errorString();
        return result;
    }
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 n = std::min(kSaveChunk, bytes.size() - done);
        if (file.write(bytes.constData() + done, n) != n) {
            result.writeFailure = writeFailureReason(file);
            file.cancelWriting();
            return result;
        }
        done += n;
        if (progress)
            progress(done, bytes.size());
    }
    if (!commitSaveFile(file, &result.writeFailure) && result.writeFailure.isEmpty())
        result.writeFailure = file.errorString();
    return result;
}

} // namespace quorbell::album
