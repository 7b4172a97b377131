// The batch rename's check and rename passes.
#include "dialogs/BatchRename.h"

#include "document/AlbumDocument.h"
#include "document/Prompts.h"
#include "core/TextRules.h"

#include <QCoreApplication>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace quorbell {

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(BatchRename)
};
} // namespace
namespace {

const QString kBreak = QStringLiteral("\r\n");

QString reasonFor(int error)
{
    switch (error) {
    case EEXIST:
    case ENOTEMPTY:
        return Tr::tr("同じ名前のファイルがあります。");
    case EACCES:
    case EPERM:
        return Tr::tr("ファイルの名前を変更する権限がありません。");
    case EROFS:
        return Tr::tr("読み取り専用の場所にあります。");
    case ENOENT:
        return Tr::tr("ファイルが見つかりません。");
    case ENAMETOOLONG:
        return Tr::tr("ファイル名が長すぎます。");
    case ENOSPC:
        return Tr::tr("ディスクに空きがありません。");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

bool fileExists(const QString& path)
{
    // A dangling link still takes the name.
    return QFileInfo::exists(path) || QFileInfo(path).isSymLink();
}

// The renames the rename pass will make: the albums whose files are there.
QList<RenamePair> plannedRenames(const AlbumDocument& doc, const QString& common,
                                 RenameNumberStyle style)
{
    QList<RenamePair> renames;
    const int count = doc.albumCount();
    for (int i = 0; i < count; ++i) {
        const QString oldName = withoutHiddenMark(doc.entry(i).fileName);
        if (fileExists(doc.albumFolder() + oldName))
            renames.append(
                {oldName, renameTargetName(common, i, count, style, doc.entry(i).fileName)});
    }
    return renames;
}

} // namespace

bool renameFileNoReplace(const QString& from, const QString& to, QString* error)
{
    const QByteArray src = QFile::encodeName(from);
    const QByteArray dst = QFile::encodeName(to);
    int rc = ::renameat2(AT_FDCWD, src.constData(), AT_FDCWD, dst.constData(), RENAME_NOREPLACE);
    if (rc != 0 && (errno == EINVAL || errno == ENOSYS)) {
        // File systems without the no-replace flag: a hard link refuses a taken
        // name too; without hard links, test first and rename.
        rc = ::link(src.constData(), dst.constData());
        if (rc == 0) {
            if (::unlink(src.constData()) != 0) {
                const int e = errno;
                ::unlink(dst.constData());
                errno = e;
                rc = -1;
            }
        } else if (errno == EPERM || errno == EOPNOTSUPP) {
            if (fileExists(to)) {
                errno = EEXIST;
                rc = -1;
            } else {
                rc = ::rename(src.constData(), dst.constData());
            }
        }
    }
    if (rc != 0 && error)
        *error = reasonFor(errno);
    return rc == 0;
}

QString renameTitle()
{
    return Tr::tr(kRenameTitle);
}

QString forbiddenNameMessage()
{
    return Tr::tr("ファイル名共通部に禁止文字が含まれています。\r\n別の名前に変更して下さい。");
}

bool CheckRenameTarget(const AlbumDocument& doc, const QString& newName)
{
    const QString path = doc.albumFolder() + newName;
    if (fileExists(path)) {
        prompts().warn(
            Tr::tr("フォルダの中に同じファイル名があるため、リネーミングをキャンセルします。") +
                kBreak + QDir::toNativeSeparators(path),
            renameTitle());
        return false;
    }
    return true;
}

RenameResult RenameAlbumFile(AlbumDocument& doc, int index, const QString& newName, QString* error)
{
    AlbumEntry entry = doc.entry(index);
    const QString oldPath = doc.albumFolder() + withoutHiddenMark(entry.fileName);
    const QString newPath = doc.albumFolder() + newName;
    if (fileExists(newPath)) {
        if (error)
            *error = reasonFor(EEXIST);
        return RenameResult::TargetExists;
    }
    if (!fileExists(oldPath))
        return RenameResult::SourceMissing;
    QString reason;
    if (!renameFileNoReplace(oldPath, newPath, &reason)) {
        if (error)
            *error = reason;
        return fileExists(newPath) ? RenameResult::TargetExists : RenameResult::Failed;
    }
    entry.fileName = entry.isHidden() ? QStringLiteral("*") + newName : newName;
    doc.setEntry(index, std::move(entry));
    return RenameResult::Renamed;
}

BatchRenameOutcome runBatchRename(AlbumDocument& doc, bool gridShown, const QString& common,
                                  RenameNumberStyle style, const RenameConfirmation& confirm)
{
    BatchRenameOutcome outcome;
    if (!gridShown)
        return outcome;
    const QString title = renameTitle();

    if (containsForbiddenFileChar(common)) {
        prompts().warn(forbiddenNameMessage(), title);
        outcome.status = BatchRenameOutcome::Status::Forbidden;
        return outcome;
    }

    const int count = doc.albumCount();
    for (int i = 0; i < count; ++i) {
        if (!CheckRenameTarget(doc,
                               renameTargetName(common, i, count, style, doc.entry(i).fileName))) {
            outcome.status = BatchRenameOutcome::Status::Clash;
            return outcome;
        }
    }

    if (confirm && !confirm(plannedRenames(doc, common, style))) {
        outcome.status = BatchRenameOutcome::Status::Declined;
        return outcome;
    }

    outcome.status = BatchRenameOutcome::Status::Done;
    for (int i = 0; i < count; ++i) {
        const QString oldPath = doc.albumFolder() + withoutHiddenMark(doc.entry(i).fileName);
        const QString newName = renameTargetName(common, i, count, style, doc.entry(i).fileName);
        QString reason;
        const RenameResult r = RenameAlbumFile(doc, i, newName, &reason);
        if (r == RenameResult::Renamed) {
            ++outcome.renamed;
            outcome.renames.append({oldPath, doc.albumFolder() + newName});
            continue;
        }
        if (r == RenameResult::SourceMissing)
            continue;
        // Something changed in the folder since the check, or the system
        // refused: stop here, so every entry keeps the name its file has.
        outcome.status = BatchRenameOutcome::Status::Stopped;
        outcome.stoppedAt = i;
        QString text =
            Tr::tr("次のアルバムファイルの名前を変更できなかったため、リネーミングを中止しました。"
                   "\r\n%1\r\n新しい名前： %2\r\n%3")
                .arg(QDir::toNativeSeparators(oldPath), newName, reason);
        if (outcome.renamed > 0)
            text += kBreak + Tr::tr("それより前のアルバムファイルは新しい名前になっています。");
        prompts().warn(text, title);
        break;
    }
    if (outcome.status == BatchRenameOutcome::Status::Done || outcome.renamed > 0)
        doc.setModified(true);
    return outcome;
}

} // namespace quorbell
