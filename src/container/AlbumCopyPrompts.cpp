#include "container/AlbumCopyPrompts.h"

#include "container/InsertCommand.h"
#include "core/TextRules.h"
#include "core/frmMain.h"
#include "document/CommonMessages.h"

#include <QCoreApplication>

#include <QFileInfo>
#include <QProgressDialog>

namespace quorbell {

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(AlbumCopyPrompts)
};

QString copyProblemText(const container::AlbumCopyResult& result)
{
    switch (result.problem) {
    case container::AlbumCopyProblem::SourceMissing:
        return Tr::tr("ファイルが見つかりません。");
    case container::AlbumCopyProblem::SourceNotAFile:
        return Tr::tr("通常のファイルではありません。");
    case container::AlbumCopyProblem::TargetTaken:
        return Tr::tr("同じ名前のファイルがあります。");
    case container::AlbumCopyProblem::None:
    case container::AlbumCopyProblem::System:
        break;
    }
    return result.reason;
}

} // namespace
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
    QProgressDialog dialog(Tr::tr("アルバムをコピーしています..."), Tr::tr("ｷｬﾝｾﾙ"), 0,
                           kProgressSteps, owner);
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
        prompts().warn(withFilePath(Tr::tr("コピー先に同じ名前のファイルがあるため、"
                                           "アルバムをコピーしませんでした。"),
                                    result.file),
                       title);
        break;
    case container::AlbumCopyStatus::Failed:
        prompts().warn(withFilePath(Tr::tr("アルバムをコピーできませんでした。"
                                           "コピーしたファイルは削除しました。"),
                                    result.file) +
                           QStringLiteral("\r\n") + copyProblemText(result),
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
    question.text = Tr::tr("アルバムのフォルダと「名前をつけて保存」のフォルダが異なります。\r\n"
                           "アルバムのフォルダ：%1\r\n「名前をつけて保存」のフォルダ：%2\r\n\r\n"
                           "スライドショーを行うには、フォルダを一致させる必要があります。\r\n"
                           "このまま保存しますか？")
                        .arg(doc.albumFolder(), containerFolder);
    question.title = title;
    question.icon = MsgIcon::Question;
    question.buttons = MsgButtons::YesNo;
    question.beep = false;
    const MsgAnswer answer = prompts().messageWithExtra(question, Tr::tr(kCopyAlbumsButton));
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

std::optional<AlbumsToInsert> albumsToInsert(frmMain& w, const QString& chosenFolder,
                                             const QStringList& names)
{
    const AlbumDocument& doc = w.document();
    const QString folder = withTrailingSlash(chosenFolder);
    AlbumsToInsert unchanged{folder, names, {}};
    // What the insert refuses on its own is left to it.
    if (w.mode() != Mode::Selected || doc.isGridSource() || names.isEmpty() ||
        firstDuplicateEntry(doc, names) >= 0 || doc.albumCount() + names.size() > kMaxAlbums)
        return unchanged;
    const QString title = Tr::tr("サムネイルの追加");
    // An entry is never added for a file that is not there.
    for (const QString& name : names) {
        if (!QFileInfo(folder + name).isFile()) {
            prompts().warn(withFilePath(Tr::tr("ファイルが見つかりません。"), folder + name),
                           title);
            return std::nullopt;
        }
    }
    const QString home = containerFolderOf(doc);
    if (home.isEmpty() || sameFolder(folder, home))
        return unchanged;
    const QString question = Tr::tr("アルバムのフォルダとコンテナのフォルダが異なります。\r\n"
                                    "アルバムのフォルダ：%1\r\nコンテナのフォルダ：%2\r\n\r\n"
                                    "アルバムはコンテナと同じフォルダにないと表示できません。\r\n"
                                    "アルバムをコンテナのフォルダにコピーして追加しますか？")
                                 .arg(folder, home);
    if (!prompts().askYesNo(question, title, false))
        return std::nullopt;
    std::optional<QStringList> copies =
        copyAlbumsWithProgress(&w, container::planAlbumCopy(folder, home, names), title);
    if (!copies)
        return std::nullopt;
    return AlbumsToInsert{home, names, std::move(*copies)};
}

} // namespace quorbell
