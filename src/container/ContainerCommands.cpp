#include "container/ContainerCommands.h"

#include "album/AlbumTable.h"
#include "container/AlbumCopyPrompts.h"
#include "container/ClipboardCommands.h"
#include "container/ContainerFile.h"
#include "container/ContainerLoadingSource.h"
#include "container/ContainerWriter.h"
#include "container/InsertCommand.h"
#include "container/MainWindowDrops.h"
#include "container/RecentContainersMenu.h"
#include "container/RecoveryCommands.h"
#include "document/CommonMessages.h"
#include "core/CommandState.h"
#include "core/FileIO.h"
#include "document/Prompts.h"
#include "core/RecentContainers.h"
#include "core/SettingsFile.h"
#include "core/TextRules.h"
#include "core/SaveAsFolder.h"
#include "core/Trash.h"
#include "core/Version.h"
#include "core/frmMain.h"
#include "grid/Cover.h"
#include "grid/DocumentEdits.h"
#include "grid/GridDrawing.h"
#include "grid/LoadingLoop.h"
#include "grid/NewCommand.h"

#include <QCoreApplication>

#include <QFile>
#include <QFileInfo>
#include <QProgressBar>
#include <QScrollBar>

namespace quorbell {

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(ContainerCommands)
};
} // namespace
namespace {

using container::ContainerError;
using container::ErrorCode;
using container::Section;

// The folder of a path, ending in "/".
QString folderOf(const QString& path)
{
    return path.left(path.lastIndexOf(QLatin1Char('/')) + 1);
}

void showReadError(const ContainerError& e, const QString& path)
{
    const QString title = Tr::tr("開く");
    if (e.isInvalidFile()) {
        informInvalidFile(path, title);
    } else if (e.code == ErrorCode::FileMissing) {
        prompts().warn(withFilePath(Tr::tr("ファイルが見つかりません。"), path), title);
    } else {
        QString text = withFilePath(Tr::tr("ファイルを読み込めませんでした。"), path);
        if (!e.detail.isEmpty())
            text += QStringLiteral("\r\n") + e.detail;
        prompts().warn(text, title);
    }
}

// Paste becomes unavailable whatever its recorded state: after a paste the
// button is still enabled although its bit is clear.
void makePasteUnavailable(frmMain& w)
{
    w.setCommandState(w.commandState() | Cmd::Paste);
    switchButtonOff(w, Cmd::Paste);
}

} // namespace

container::ContainerDocument documentForWriting(const AlbumDocument& ad,
                                                const PasswordBytes& password)
{
    container::ContainerDocument doc;
    doc.password = password;
    doc.cellSize = ad.cellSize();
    doc.albums = ad.entries();
    doc.albumFolder = ad.albumFolder();
    return doc;
}

namespace {

// Why a document cannot be stored, naming the entry concerned.
QString unsavableText(const ContainerError& e, const container::ContainerDocument& doc)
{
    QString part;
    switch (e.section) {
    case Section::Names:
        part = Tr::tr("ファイル名");
        break;
    case Section::Comments:
        part = Tr::tr("コメント");
        break;
    case Section::FileDates:
        part = Tr::tr("日付");
        break;
    default:
        break;
    }
    QString text;
    switch (e.code) {
    case ErrorCode::UnencodableText:
        text = Tr::tr("%1に保存できない文字「%2」があります。").arg(part, e.detail);
        break;
    case ErrorCode::TextTooLong:
        text = Tr::tr("%1が長すぎて保存できません。").arg(part);
        break;
    case ErrorCode::BadName:
        text = Tr::tr("ファイル名に使えない文字があります。");
        break;
    case ErrorCode::TooManyAlbums:
        text = Tr::tr("サムネイルが多すぎます。保存できるのは %1 個までです。").arg(kMaxAlbums);
        break;
    case ErrorCode::ThumbnailTooLarge:
        text = Tr::tr("サムネイルが大きすぎて保存できません。");
        break;
    default:
        text = Tr::tr("保存できない内容があります。");
        break;
    }
    if (e.index >= 0 && e.index < doc.albums.size()) {
        const AlbumEntry& a = doc.albums.at(e.index);
        text += QStringLiteral("\r\n") + Tr::tr("アルバム番号： %1").arg(e.index + 1) +
                QStringLiteral("\r\n") + Tr::tr("ファイル名： %1").arg(a.fileName);
        if (e.section == Section::Comments)
            text += QStringLiteral("\r\n") + Tr::tr("コメント： %1").arg(a.comment);
    }
    return text;
}

void showProgress(frmMain& w, int maximum)
{
    QProgressBar* bar = w.progressBar();
    bar->setRange(0, maximum);
    bar->setValue(0);
    bar->show();
}

// The folders the file dialogs and the chooser start in, kept in the settings file.
void storeWorkFolders(frmMain& w)
{
    const AlbumDocument& ad = w.document();
    Settings& st = w.settings();
    st.containerFolder = folderOf(ad.containerPath());
    updateWorkFolders(st.chooserFolder, st.containerFolder);
}

bool startsWithAlbumMagic(const QString& path)
{
    // Only a regular file is read: a pipe or a device would block.
    QFile file;
    if (openRegularFile(file, path) != OpenResult::Opened)
        return false;
    const qsizetype n = qsizetype(sizeof album::kAlbumMagic) - 1;
    return file.read(n) == QByteArrayView(album::kAlbumMagic, n);
}

} // namespace

std::optional<QString> frmPassword_Show(AlbumDocument& ad, bool masked)
{
    std::optional<QString> typed = prompts().password({PasswordKind::Container, QString(), masked});
    if (!typed)
        return std::nullopt;
    ad.setEnteredPassword(storedPasswordForm(*typed));
    return typed;
}

bool ReadContainer(frmMain& w, const QString& requestedPath)
{
    AlbumDocument& ad = w.document();
    Settings& st = w.settings();
    const QString title = Tr::tr("開く");
    const QString path = QFileInfo(requestedPath).absoluteFilePath();

    // The whole file is checked before anything of the open document changes.
    container::ContainerResult<std::shared_ptr<container::ContainerFile>> opened =
        container::ContainerFile::open(path);
    if (!opened) {
        showReadError(opened.error(), path);
        return false;
    }
    const std::shared_ptr<container::ContainerFile> file = std::move(*opened);
    const container::ContainerDocument& doc = file->document();

    if (hasPassword(doc.password)) {
        for (;;) {
            if (!frmPassword_Show(ad, true))
                return false;
            if (passwordMatches(doc.password, ad.enteredPassword()))
                break;
            prompts().warn(withFilePath(Tr::tr("パスワードが一致しません。"), path), title);
        }
    }

    // From here on the container replaces the open document; a load still
    // running for the old one ends first.
    abortLoading();
    w.setMode(Mode::Empty);
    ad.setAlbumFolder(folderOf(path));
    ad.setContainerPath(path);
    st.containerFolder = ad.albumFolder();
    ad.setContainerPassword(doc.password);

    makePasteUnavailable(w);

    // A cell size the reader accepted always has its strip measures.
    ad.setCellSize(doc.cellSize, commentMetricsFor(doc.cellSize).value_or(ad.comment()));
    // A cover that cannot be prepared keeps the previous one; the open goes on.
    PrepareCover(w);

    ad.setEntries(doc.albums);
    ad.setSelectedIndex(0);
    ad.setGridSource(false);
    ad.setModified(false);
    ad.startNewHistory(true);
    startLoading(w, std::make_unique<ContainerLoadingSource>(file));
    makeSaveAvailable(w);
    return true;
}

bool WriteContainer(frmMain& w, const QString& path, const QString& title,
                    const PasswordBytes& password)
{
    const container::ContainerDocument doc = documentForWriting(w.document(), password);
    QProgressBar* bar = w.progressBar();
    const int base = bar->value();
    // The writer checks the whole document before it writes anything.
    const std::optional<ContainerError> failed = container::writeContainer(
        path, doc, [bar, base](int written, int) { bar->setValue(base + written + 1); });
    if (failed && failed->code != ErrorCode::WriteFailed) {
        prompts().warn(unsavableText(*failed, doc), title);
        return false;
    }
    if (failed) {
        QString text = withFilePath(Tr::tr("ファイルを保存できませんでした。"), path);
        if (!failed->detail.isEmpty())
            text += QStringLiteral("\r\n") + failed->detail;
        prompts().warn(text, title);
        return false;
    }
    w.document().setModified(false);
    w.document().markSaved();
    if (w.mode() == Mode::Selected)
        switchButtonOn(w, Cmd::Insert);
    switchButtonOn(w, Cmd::Rename);
    return true;
}

void frmMain_mnuContnrOpen_Click(frmMain& w)
{
    AlbumDocument& ad = w.document();
    Settings& st = w.settings();
    const QString title = Tr::tr("開く");
    if (ad.isModified() && askSaveChanges(title)) {
        // The changes stay flagged until the save has written them; the
        // user chooses Open again afterwards.
        saveDocumentBeforeExit(w);
        return;
    }
    for (;;) {
        FileRequest request;
        request.title = title;
        request.folder = st.containerFolder;
        request.filter = Tr::tr(kContainerFilter);
        const QString path = prompts().openFile(request);
        if (path.isEmpty())
            return;
        if (ReadContainer(w, path)) {
            rememberRecentContainer(ad.containerPath());
            return;
        }
    }
}

bool frmMain_mnuContnrSave_Click(frmMain& w)
{
    AlbumDocument& ad = w.document();
    const QString title = Tr::tr("上書き保存");
    if (!w.isGridShown()) {
        prompts().warn(Tr::tr("保存の対象がありません。"), title);
        return false;
    }
    if (ad.containerPath().isEmpty()) {
        prompts().inform(Tr::tr("名前をつけて保存して下さい。"), title);
        return false;
    }
    showProgress(w, ad.albumCount() + 1);
    const bool written = WriteContainer(w, ad.containerPath(), title, ad.containerPassword());
    if (written) {
        storeWorkFolders(w);
        rememberRecentContainer(ad.containerPath());
    }
    w.progressBar()->hide();
    return written;
}

bool frmMain_mnuContnrAdd_Click(frmMain& w)
{
    AlbumDocument& ad = w.document();
    Settings& st = w.settings();
    const QString title = Tr::tr("名前をつけて保存");
    if (!w.isGridShown()) {
        prompts().warn(Tr::tr("保存の対象がありません。"), title);
        return false;
    }
    // A text that cannot be stored is reported before the user is asked anything.
    {
        const container::ContainerDocument doc = documentForWriting(ad, ad.containerPassword());
        if (const std::optional<ContainerError> problem = container::checkContainer(doc)) {
            prompts().warn(unsavableText(*problem, doc), title);
            return false;
        }
    }

    // The new password takes effect only with the file written.
    PasswordBytes password = kNoPassword;
    if (st.has(Flag::PasswordSetting)) {
        for (;;) {
            const std::optional<QString> typed = frmPassword_Show(ad, false);
            if (!typed)
                return false;
            if (!typed->isEmpty()) {
                password = ad.enteredPassword();
                break;
            }
            prompts().inform(Tr::tr("パスワードを指定してください。"), title);
        }
    }

    FileRequest request;
    request.title = title;
    request.folder = saveAsStartFolder(ad.containerPath(), ad.albumFolder());
    request.filter = Tr::tr(kContainerFilter);
    request.defaultSuffix = QStringLiteral("cov");
    const QString chosen = prompts().saveFile(request);
    if (chosen.isEmpty())
        return false;
    const QString path = QFileInfo(chosen).absoluteFilePath();

    const SaveAsAlbums albums = prepareAlbumsForSaveAs(w, folderOf(path), title);
    if (!albums.go)
        return false;

    showProgress(w, ad.albumCount() + 1);
    if (!WriteContainer(w, path, title, password)) {
        // Copies made for a container that was not written are not kept.
        for (const QString& copy : albums.copied)
            QFile::remove(copy);
        w.progressBar()->hide();
        return false;
    }
    if (albums.albumsMoved)
        ad.setAlbumFolder(folderOf(path));
    ad.setContainerPath(path);
    ad.setContainerPassword(password);
    storeWorkFolders(w);
    rememberRecentContainer(path);
    makeSaveAvailable(w);
    ad.setModified(false);
    ad.setGridSource(false);
    ad.startNewHistory(true);
    w.progressBar()->hide();
    return true;
}

void frmMain_mnuContnrDelete_Click(frmMain& w)
{
    AlbumDocument& ad = w.document();
    const QString title = Tr::tr("コンテナファイル削除");
    if (!w.isGridShown()) {
        prompts().inform(Tr::tr("削除するコンテナファイルを表示して下さい。"), title);
        return;
    }
    if (ad.containerPath().isEmpty()) {
        prompts().warn(Tr::tr("コンテナファイルがありません。"), title);
        return;
    }
    if (prompts().message({Tr::tr("コンテナファイルを削除します。"), title, MsgIcon::Warning,
                           MsgButtons::OkCancel, false}) != MsgAnswer::Ok)
        return;
    if (!moveFileToTrash(ad.containerPath())) {
        prompts().warn(
            withFilePath(Tr::tr("コンテナファイルを削除できませんでした。"), ad.containerPath()),
            title);
        return;
    }
    // The document stays in memory with its path: Save writes the file again.
    ClearGridPicture(w);
    w.setWindowTitle(QString::fromLatin1(kProgramName));
    w.setPanel(1, QString());
}

void frmMain_mnuAlbumDelete_Click(frmMain& w)
{
    AlbumDocument& ad = w.document();
    const QString title = Tr::tr("アルバムファイル削除");
    if (!ad.isGridSource()) {
        prompts().inform(Tr::tr("アルバムファイルの削除には「新規作成」の実行が必要です。\r\n"
                                "「新規作成」でサムネイルを表示後、再実行して下さい。"),
                         title);
        return;
    }
    if (w.mode() != Mode::Selected) {
        prompts().warn(Tr::tr("アルバムファイルを選択して下さい。"), title);
        return;
    }
    const QString name = ad.entry(ad.selectedIndex()).fileName;
    const QString path = ad.albumPath(ad.selectedIndex());
    const QFileInfo info(path);
    if (info.isFile() || info.isSymLink()) {
        if (prompts().message({Tr::tr("サムネイルとアルバムファイル %1 を削除します。").arg(name),
                               title, MsgIcon::Warning, MsgButtons::OkCancel, true}) !=
            MsgAnswer::Ok)
            return;
        if (!moveFileToTrash(path)) {
            prompts().warn(withFilePath(Tr::tr("アルバムファイルを削除できませんでした。"), path),
                           title);
            return;
        }
    } else if (prompts().message(
                   {withFilePath(Tr::tr("アルバムファイルはありません。サムネイルのみ削除します。"),
                                 path),
                    title, MsgIcon::Warning, MsgButtons::OkCancel, true}) != MsgAnswer::Ok) {
        return;
    }
    frmMain_mnuEditDelete_Click(w);
    forgetDeletedAlbum(w, name);
}

bool saveDocumentBeforeExit(frmMain& w)
{
    return w.document().containerPath().isEmpty() ? frmMain_mnuContnrAdd_Click(w)
                                                  : frmMain_mnuContnrSave_Click(w);
}

void openPathAtStart(frmMain& w, const QString& commandLinePath)
{
    // A copy: the caller may pass the container path itself, which is
    // cleared here because nothing is open until the file has been read.
    const QString path = commandLinePath; // NOLINT(performance-unnecessary-copy-initialization)
    w.document().setContainerPath(QString());
    if (startsWithAlbumMagic(path)) {
        const QFileInfo info(path);
        AlbumChoice choice;
        choice.folder = withTrailingSlash(info.absolutePath());
        choice.names = QStringList{info.fileName()};
        if (acceptNewDocument(w, choice))
            frmMain_Form_Activate(w);
        return;
    }
    if (ReadContainer(w, path))
        rememberRecentContainer(w.document().containerPath());
}

void registerContainerCommands(frmMain& w)
{
    frmMain* win = &w;
    w.setCommand(Command::ContnrOpen, [win] { frmMain_mnuContnrOpen_Click(*win); });
    w.setCommand(Command::ContnrSave, [win] { frmMain_mnuContnrSave_Click(*win); });
    w.setCommand(Command::ContnrAdd, [win] { frmMain_mnuContnrAdd_Click(*win); });
    w.setCommand(Command::ContnrDelete, [win] { frmMain_mnuContnrDelete_Click(*win); });
    w.setCommand(Command::AlbumDelete, [win] { frmMain_mnuAlbumDelete_Click(*win); });
    // The edits of the grid are steps of the undo history; deleting an album
    // file (above) is not.
    w.setCommand(Command::EditCut, [win] {
        recordEdit(*win, Tr::tr("切り取り"), [win] { frmMain_mnuEditCut_Click(*win); });
    });
    w.setCommand(Command::EditCopy, [win] { frmMain_mnuEditCopy_Click(*win); });
    w.setCommand(Command::EditPut, [win] {
        recordEdit(*win, Tr::tr("貼り付け"), [win] { frmMain_mnuEditPut_Click(*win); });
    });
    w.setCommand(Command::EditDelete, [win] {
        recordEdit(*win, Tr::tr("削除"), [win] { frmMain_mnuEditDelete_Click(*win); });
    });
    w.setCommand(Command::EditInsert, [win] { frmMain_mnuEditInsert_Click(*win); });
    w.saveBeforeExit = [win] { return saveDocumentBeforeExit(*win); };
    w.keepForRecovery = [win] { return keepDocumentForRecovery(*win); };
    w.openContainerAtStart = [win](const QString& path) { openPathAtStart(*win, path); };
    addRecentContainersMenu(w);
    acceptDropsOn(w);
}

} // namespace quorbell
