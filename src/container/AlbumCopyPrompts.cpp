#include "container/AlbumCopyPrompts.h"

#include "container/InsertCommand.h"
#include "core/TextRules.h"
#include "core/frmMain.h"
#include "document/CommonMessages.h"

#include <QFileInfo>
#include <QProgressDialog>

namespace quorbell {
namespace {

constexpr int kProgressSteps = 1000;

// The folder a container keeps its albums in: its own; for a document not
// yet saved, the album folder.
QString containerFolderOf(const AlbumDocument& doc)
{
    const QString& path = doc.containerPath();
    return path.isEmpty() ? doc.albumFolder() : withTrailingSlash(QFileInfo(path).absolutePath());
}

bool sameFolder(const QString& a, const QString& b)
{
    if (a.compare(b, Qt::CaseInsensitive) == 0)
        return true;
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

QStringList entryNames(const AlbumDocument& doc)
{
    QStringList names;
    names.reserve(doc.albumCount());
    for (const AlbumEntry& e : doc.entries())
        names << e.fileName;
    return names;
}

} // namespace

std::optional<QStringList>
copyAlbumsWithProgress(QWidget* owner, const container::AlbumCopyPlan& plan, const QString& title)
{
    QProgressDialog dialog(QStringLiteral("アルバムをコピーしています..."), QStringLiteral("ｷｬﾝｾﾙ"),
                           0, kProgressSteps, owner);
    dialog.setWindowTitle(title);
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setMinimumDuration(300);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    dialog.setValue(0);
    const container::AlbumCopyResult result =
        container::copyAlbumFiles(plan, [&dialog](qint64 done, qint64 total) {
            if (total > 0)
                dialog.setValue(int(done * kProgressSteps / total));
            return !dialog.wasCanceled();
        });
    dialog.close();
    switch (result.status) {
    case container::AlbumCopyStatus::Copied:
        return result.copied;
    case container::AlbumCopyStatus::Clash:
        prompts().warn(withFilePath(QStringLiteral("コピー先に同じ名前のファイルがあるため、"
                                                   "アルバムをコピーしませんでした。"),
                                    result.file),
                       title);
        break;
    case container::AlbumCopyStatus::Failed:
        prompts().warn(withFilePath(QStringLiteral("アルバムをコピーできませんでした。"
                                                   "コピーしたファイルは削除しました。"),
                                    result.file) +
                           QStringLiteral("\r\n") + result.reason,
                       title);
        break;
    case container::AlbumCopyStatus::Cancelled:
        break;
    }
    return std::nullopt;
}

SaveAsAlbums prepareAlbumsForSaveAs(frmMain& w, const QString& containerFolder,
                                    const QString& title)
{
    const AlbumDocument& doc = w.document();
    SaveAsAlbums out;
    // Albums are looked for beside the container when it is opened again.
    // A document without an album folder has nothing to copy from.
    if (doc.albumFolder().isEmpty() || sameFolder(containerFolder, doc.albumFolder()))
        return out;
    MessageRequest question;
    question.text =
        QStringLiteral("アルバムのフォルダと「名前をつけて保存」のフォルダが異なります。\r\n"
                       "アルバムのフォルダ：") +
        doc.albumFolder() + QStringLiteral("\r\n「名前をつけて保存」のフォルダ：") +
        containerFolder +
        QStringLiteral("\r\n\r\nスライドショーを行うには、フォルダを一致させる必要があります。"
                       "\r\nこのまま保存しますか？");
    question.title = title;
    question.icon = MsgIcon::Question;
    question.buttons = MsgButtons::YesNo;
    question.beep = false;
    const MsgAnswer answer =
        prompts().messageWithExtra(question, QString::fromUtf8(kCopyAlbumsButton));
    if (answer == MsgAnswer::Yes)
        return out;
    if (answer != MsgAnswer::Extra) {
        out.go = false;
        return out;
    }
    const container::AlbumCopyPlan plan =
        container::planAlbumCopy(doc.albumFolder(), containerFolder, entryNames(doc));
    const std::optional<QStringList> copied = copyAlbumsWithProgress(&w, plan, title);
    out.go = copied.has_value();
    if (copied) {
        out.copied = *copied;
        out.albumsMoved = true;
    }
    return out;
}

std::optional<AlbumChoice> albumsToInsert(frmMain& w, const QString& chosenFolder,
                                          const QStringList& names)
{
    const AlbumDocument& doc = w.document();
    const QString folder = withTrailingSlash(chosenFolder);
    AlbumChoice unchanged{folder, names, false};
    // What the insert refuses on its own is left to it.
    if (w.mode() != Mode::Selected || doc.isGridSource() || names.isEmpty() ||
        firstDuplicateEntry(doc, names) >= 0 || doc.albumCount() + names.size() > kMaxAlbums)
        return unchanged;
    const QString title = QStringLiteral("サムネイルの追加");
    // An entry is never added for a file that is not there.
    for (const QString& name : names) {
        if (!QFileInfo(folder + name).isFile()) {
            prompts().warn(
                withFilePath(QStringLiteral("ファイルが見つかりません。"), folder + name), title);
            return std::nullopt;
        }
    }
    const QString home = containerFolderOf(doc);
    if (home.isEmpty() || sameFolder(folder, home))
        return unchanged;
    const QString question =
        QStringLiteral("アルバムのフォルダとコンテナのフォルダが異なります。\r\n"
                       "アルバムのフォルダ：") +
        folder + QStringLiteral("\r\nコンテナのフォルダ：") + home +
        QStringLiteral("\r\n\r\nアルバムはコンテナと同じフォルダにないと表示できません。"
                       "\r\nアルバムをコンテナのフォルダにコピーして追加しますか？");
    if (!prompts().askYesNo(question, title, false))
        return std::nullopt;
    if (!copyAlbumsWithProgress(&w, container::planAlbumCopy(folder, home, names), title))
        return std::nullopt;
    return AlbumChoice{home, names, false};
}

} // namespace quorbell
