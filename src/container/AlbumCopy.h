// Copying album files into another folder so that a container saved or
// filled there finds its albums beside it. Every target is checked before
// the first byte is copied, no file is ever replaced, and a copy that fails
// or is cancelled part-way removes every file it made.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace quorbell::container {

struct AlbumCopyItem
{
    QString source;
    QString target;
};

struct AlbumCopyPlan
{
    QList<AlbumCopyItem> items; // one per file, each source once
    QStringList missing;        // sources not found: nothing to copy for them
    qint64 totalBytes = 0;
};

// The copies that put the album files `names` of `fromFolder` into
// `toFolder` (both ending in "/"). A hidden mark in front of a name is not
// part of the file's name. A name given twice is copied once; a file that is
// already the very file at the target (the same folder under another
// spelling) needs no copy.
AlbumCopyPlan planAlbumCopy(const QString& fromFolder, const QString& toFolder,
                            const QStringList& names);

enum class AlbumCopyStatus {
    Copied,    // every file of the plan is in place
    Clash,     // a target name is taken: nothing was copied
    Failed,    // a copy failed: the copies made were removed
    Cancelled, // the caller stopped it: the copies made were removed
};

// What stopped a copy that failed: the words for it are the caller's.
enum class AlbumCopyProblem {
    None,
    SourceMissing,
    SourceNotAFile,
    TargetTaken, // a file appeared at the target while it was copied
    System,      // `reason` holds the system's words
};

struct AlbumCopyResult
{
    AlbumCopyStatus status = AlbumCopyStatus::Copied;
    QString file; // the clashing target, or the source whose copy failed
    AlbumCopyProblem problem = AlbumCopyProblem::None;
    QString reason;     // the system's words, for AlbumCopyProblem::System
    QStringList copied; // the targets made (only when Copied)
};

// Told the bytes copied so far and the total; false stops the copy.
using AlbumCopyProgress = std::function<bool(qint64 done, qint64 total)>;

// Carries out `plan`. Each file goes through a temporary file beside its
// target, forced to the disk and renamed into place, and keeps the source's
// modification time.
AlbumCopyResult copyAlbumFiles(const AlbumCopyPlan& plan, const AlbumCopyProgress& progress = {});

// Removes copies that `copyAlbumFiles` made (its `copied`, or a part of it).
// Every target was free before the copy, so no other file is touched.
void removeAlbumCopies(const QStringList& copies);

} // namespace quorbell::container
