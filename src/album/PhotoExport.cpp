#include "album/PhotoExport.h"

#include "album/AlbumFileReader.h"
#include "core/FileIO.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace quorbell::album {
namespace {

// `stem` shortened until stem + tail is at most 255 bytes in UTF-8, the
// longest file name the file systems take.
QString withinNameLimit(QString stem, const QString& tail)
{
    while (!stem.isEmpty() && (stem + tail).toUtf8().size() > 255) {
        stem.chop(1);
        if (!stem.isEmpty() && stem.back().isHighSurrogate())
            stem.chop(1);
    }
    return stem + tail;
}

// A name that does not exist in `dir` yet: the name itself, else
// "stem_2.suffix", "stem_3.suffix", ...
QString freeName(const QDir& dir, const QString& name)
{
    auto taken = [&dir](const QString& n) {
        const QFileInfo info(dir.filePath(n));
        return info.exists() || info.isSymLink();
    };
    if (!taken(name))
        return name;
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const bool hasSuffix = dot > 0 && name.size() - dot <= 16;
    const QString stem = hasSuffix ? name.left(dot) : name;
    const QString suffix = hasSuffix ? name.mid(dot) : QString();
    for (int n = 2;; ++n) {
        QString candidate = withinNameLimit(stem, QLatin1Char('_') + QString::number(n) + suffix);
        if (!taken(candidate))
            return candidate;
    }
}

// The missing folders of `path` made one by one, outermost first; `made`
// lists those made, so that a failure can take them away again.
bool makeFolders(const QString& path, QStringList& made)
{
    QStringList missing;
    for (QString p = QDir::cleanPath(QDir(path).absolutePath()); !QFileInfo::exists(p);
         p = QFileInfo(p).path())
        missing.prepend(p);
    for (const QString& folder : std::as_const(missing)) {
        if (!QDir().mkdir(folder))
            return false;
        made << folder;
    }
    return true;
}

// Every photo is read and written under a private folder in `dir` first;
// only when all of them are there are they moved to their names. The private
// folder goes away on return; `result.written` lists the photos moved so far.
void stageAndMove(AlbumFileReader& reader, const QDir& dir, const ExportStop& stop,
                  const ExportProgress& progress, PhotoExportResult& result)
{
    auto failWrite = [&result](const QString& reason) {
        result.error = PhotoExportError::CannotWrite;
        result.reason = reason;
    };
    auto stopped = [&] {
        if (stop && stop()) {
            result.error = PhotoExportError::Stopped;
            return true;
        }
        return false;
    };
    QTemporaryDir staging(dir.filePath(QStringLiteral(".quorbell-extract-XXXXXX")));
    if (!staging.isValid())
        return failWrite(QString());
    const QList<AlbumPhoto>& photos = reader.table().photos;
    const int n = int(photos.size());
    // Writing is the long part; moving is quick, so it counts as one more step.
    for (int i = 0; i < n; ++i) {
        if (stopped())
            return;
        const AlbumResult<QByteArray> bytes = reader.photoBytes(i);
        if (!bytes) {
            result.error = PhotoExportError::AlbumUnreadable;
            result.albumFailure = bytes.failure();
            return;
        }
        QFile f(staging.filePath(QString::number(i)));
        if (!f.open(QIODevice::WriteOnly))
            return failWrite(f.errorString());
        if (f.write(*bytes) != bytes->size() || !f.flush())
            return failWrite(writeFailureReason(f));
        if (progress)
            progress(i + 1, n + 1);
    }
    for (int i = 0; i < n; ++i) {
        if (stopped())
            return;
        const QString target = dir.filePath(freeName(dir, safePhotoFileName(photos.at(i).name)));
        if (!QFile::rename(staging.filePath(QString::number(i)), target))
            return failWrite(QString());
        result.written << target;
    }
    if (stopped())
        return;
    if (progress)
        progress(n + 1, n + 1);
}

} // namespace

PhotoExportResult exportPhotos(AlbumFileReader& reader, const QString& folder,
                               const ExportStop& stop, const ExportProgress& progress)
{
    PhotoExportResult result;
    const QFileInfo info(folder);
    if (info.exists() && !info.isDir()) {
        result.error = PhotoExportError::NotAFolder;
        return result;
    }
    QStringList madeFolders;
    if (!makeFolders(folder, madeFolders))
        result.error = PhotoExportError::FolderNotMade;
    else
        stageAndMove(reader, QDir(folder), stop, progress, result);
    if (!result.ok()) {
        // A failure or a stop leaves the folder as it was found.
        for (const QString& f : std::as_const(result.written))
            QFile::remove(f);
        result.written.clear();
        for (auto made = madeFolders.crbegin(); made != madeFolders.crend(); ++made)
            QDir().rmdir(*made);
    }
    return result;
}

QString safePhotoFileName(const QString& stored)
{
    QString name;
    for (const QChar c : stored) {
        const bool unsafe = c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 0x20 ||
                            c.unicode() == 0x7F;
        name += unsafe ? QLatin1Char('_') : c;
    }
    // No ".." anywhere, so no name can climb out of the folder or stand for it.
    while (name.contains(QLatin1String("..")))
        name.replace(QLatin1String(".."), QLatin1String("._"));
    if (name.isEmpty() || name == QLatin1String("."))
        name = QStringLiteral("_") + name;
    if (name.toUtf8().size() > 255) {
        const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
        const QString suffix = dot > 0 && name.size() - dot <= 16 ? name.mid(dot) : QString();
        name = withinNameLimit(name.left(name.size() - suffix.size()), suffix);
    }
    return name;
}

} // namespace quorbell::album
