#include "container/AlbumCopy.h"

#include "core/FileIO.h"
#include "core/TextRules.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>

namespace quorbell::container {

namespace {

// A dangling link still takes the name.
bool nameTaken(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

bool sameFile(const QString& a, const QString& b)
{
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

// Copies one file; false with `problem` (and for a system error `reason`)
// set when it could not be done.
bool copyOne(const AlbumCopyItem& item, qint64& done, qint64 total,
             const AlbumCopyProgress& progress, bool& cancelled, AlbumCopyProblem& problem,
             QString& reason)
{
    QFile in;
    switch (openRegularFile(in, item.source)) {
    case OpenResult::Opened:
        break;
    case OpenResult::Missing:
        problem = AlbumCopyProblem::SourceMissing;
        return false;
    case OpenResult::NotAFile:
        problem = AlbumCopyProblem::SourceNotAFile;
        return false;
    case OpenResult::Unreadable:
        reason = in.errorString();
        return false;
    }
    const QDateTime modified = QFileInfo(item.source).lastModified();
    QSaveFile out(item.target);
    if (!out.open(QIODevice::WriteOnly)) {
        reason = out.errorString();
        return false;
    }
    constexpr qint64 kChunk = qint64(1) << 20;
    QByteArray buffer(kChunk, Qt::Uninitialized);
    for (;;) {
        const qint64 n = in.read(buffer.data(), kChunk);
        if (n < 0) {
            reason = in.errorString();
            out.cancelWriting();
            return false;
        }
        if (n == 0)
            break;
        if (out.write(buffer.constData(), n) != n) {
            reason = writeFailureReason(out);
            out.cancelWriting();
            return false;
        }
        done += n;
        if (progress && !progress(done, total)) {
            cancelled = true;
            out.cancelWriting();
            return false;
        }
    }
    // The copy keeps the album's date, which the container stores too.
    if (!out.flush()) {
        reason = writeFailureReason(out);
        out.cancelWriting();
        return false;
    }
    if (modified.isValid())
        out.setFileTime(modified, QFileDevice::FileModificationTime);
    // The last look before the rename: a file that appeared meanwhile is
    // never replaced.
    if (nameTaken(item.target)) {
        problem = AlbumCopyProblem::TargetTaken;
        out.cancelWriting();
        return false;
    }
    return commitSaveFile(out, &reason);
}

} // namespace

AlbumCopyPlan planAlbumCopy(const QString& fromFolder, const QString& toFolder,
                            const QStringList& names)
{
    AlbumCopyPlan plan;
    QSet<QString> seen;
    for (const QString& name : names) {
        const QString file = withoutHiddenMark(name);
        if (file.isEmpty() || seen.contains(file))
            continue;
        seen.insert(file);
        const QString source = fromFolder + file;
        const QString target = toFolder + file;
        const QFileInfo info(source);
        if (!info.isFile()) {
            plan.missing << source;
            continue;
        }
        if (sameFile(source, target))
            continue;
        plan.items.append({source, target});
        plan.totalBytes += info.size();
    }
    return plan;
}

AlbumCopyResult copyAlbumFiles(const AlbumCopyPlan& plan, const AlbumCopyProgress& progress)
{
    AlbumCopyResult result;
    for (const AlbumCopyItem& item : plan.items) {
        if (nameTaken(item.target)) {
            result.status = AlbumCopyStatus::Clash;
            result.file = item.target;
            return result;
        }
    }
    qint64 done = 0;
    QStringList made;
    for (const AlbumCopyItem& item : plan.items) {
        bool cancelled = false;
        AlbumCopyProblem problem = AlbumCopyProblem::System;
        QString reason;
        if (copyOne(item, done, plan.totalBytes, progress, cancelled, problem, reason)) {
            made << item.target;
            continue;
        }
        removeAlbumCopies(made);
        result.status = cancelled ? AlbumCopyStatus::Cancelled : AlbumCopyStatus::Failed;
        result.file = item.source;
        result.problem = problem;
        result.reason = reason;
        return result;
    }
    result.copied = made;
    return result;
}

void removeAlbumCopies(const QStringList& copies)
{
    for (const QString& copy : copies)
        QFile::remove(copy);
}

} // namespace quorbell::container
