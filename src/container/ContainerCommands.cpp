#include "container/ContainerCommands.h"

#include "album/AlbumTable.h"
#include "container/ClipboardCommands.h"
#include "container/ContainerFile.h"
#include "container/ContainerLoadingSource.h"
#include "container/ContainerWriter.h"
#include "container/InsertCommand.h"
#include "container/MainWindowDrops.h"
#include "container/RecentContainersMenu.h"
#include "container/RecoveryCommands.h"
#include "core/CommonMessages.h"
#include "core/CommandState.h"
#include "core/FileIO.h"
#include "core/GlobalState.h"
#include "core/Prompts.h"
#include "core/RecentContainers.h"
#include "core/SettingsFile.h"
#include "core/TextRules.h"
#include "core/SaveAsFolder.h"
#include "core/Trash.h"
#include "core/Version.h"
#include "core/frmMain.h"
#include "grid/Cover.h"
#include "grid/GridDrawing.h"
#include "grid/LoadingLoop.h"
#include "grid/NewCommand.h"

#include <QFile>
#include <QFileInfo>
#include <QProgressBar>
#include <QScrollBar>

namespace quorbell {
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
    const QString title = QStringLiteral("開く");
    if (e.isInvalidFile()) {
        informInvalidFile(path, title);
    } else if (e.code == ErrorCode::FileMissing) {
        prompts().warn(QStringLiteral("ファイルが見つかりません。\r\n") + path, title);
    } else {
        QString text = QStringLiteral("ファイルを読み込めませんでした。\r\n") + path;
        if (!e.detail.isEmpty())
            text += QStringLiteral("\r\n") + e.detail;
        prompts().warn(text, title);
    }
}

// Paste becomes unavailable whatever its recorded state: after a paste the
// button is still enabled although its bit is clear.
void makePasteUnavailable(frmMain& w)
{
    stdGlobal().commandState |= Cmd::Paste;
    switchButtonOff(w, Cmd::Paste);
}

} // namespace

container::ContainerDocument documentForWriting(const PasswordBytes& password)
{
    const GlobalState& g = stdGlobal();
    container::ContainerDocument doc;
    doc.password = password;
    doc.cellSize = g.cellSize;
    doc.albums = g.albums;
    doc.albumFolder = g.albumFolder;
    return doc;
}

namespace {

// Why a document cannot be stored, naming the entry concerned.
QString unsavableText(const ContainerError& e, const container::ContainerDocument& doc)
{
    QString part;
    switch (e.section) {
    case Section::Names:
        part = QStringLiteral("ファイル名");
        break;
    case Section::Comments:
        part = QStringLiteral("コメント");
        break;
    case Section::FileDates:
        part = QStringLiteral("日付");
        break;
    default:
        break;
    }
    QString text;
    switch (e.code) {
    case ErrorCode::UnencodableText:
        text = part + QStringLiteral("に保存できない文字「") + e.detail +
               QStringLiteral("」があります。");
        break;
    case ErrorCode::TextTooLong:
        text = part + QStringLiteral("が長すぎて保存できません。");
        break;
    case ErrorCode::BadName:
        text = QStringLiteral("ファイル名に使えない文字があります。");
        break;
    case ErrorCode::TooManyAlbums:
        text = QStringLiteral("サムネイルが多すぎます。保存できるのは %1 個までです。")
                   .arg(kMaxAlbums);
        break;
    case ErrorCode::ThumbnailTooLarge:
        text = QStringLiteral("サムネイルが大きすぎて保存できません。");
        break;
    default:
        text = QStringLiteral("保存できない内容があります。");
        break;
    }
    if (e.index >= 0 && e.index < doc.albums.size()) {
        const AlbumEntry& a = doc.albums.at(e.index);
        text += QStringLiteral("\r\nアルバム番号： ") + QString::number(e.index + 1) +
                QStringLiteral("\r\nファイル名： ") + a.fileName;
        if (e.section == Section::Comments)
            text += QStringLiteral("\r\nコメント： ") + a.comment;
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
void storeWorkFolders()
{
    GlobalState& g = stdGlobal();
    g.containerFolder = folderOf(g.containerPath);
    updateWorkFolders(g.chooserFolder, g.containerFolder);
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

QString containerCaption(const QString& path)
{
    return QFileInfo(path).fileName() + QStringLiteral(" - ") + QString::fromLatin1(kProgramName);
}

std::optional<QString> frmPassword_Show(bool masked)
{
    GlobalState& g = stdGlobal();
    std::optional<QString> typed = prompts().password({PasswordKind::Container, QString(), masked});
    if (!typed) {
        g.clear(Flag::DialogOK);
        return std::nullopt;
    }
    g.enteredPassword = storedPasswordForm(*typed);
    g.set(Flag::DialogOK);
    return typed;
}

bool ReadContainer(frmMain& w, const QString& requestedPath)
{
    GlobalState& g = stdGlobal();
    const QString title = QStringLiteral("開く");
    const QString path = QFileInfo(requestedPath).absoluteFilePath();
    g.clear(Flag::DialogOK);

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
            if (!frmPassword_Show(true))
                return false;
            if (passwordMatches(doc.password, g.enteredPassword))
                break;
            prompts().warn(QStringLiteral("パスワードが一致しません。"), title);
        }
    }

    // From here on the container replaces the open document; a load still
    // running for the old one ends first.
    abortLoading();
    w.setPanel(2, QString());
    w.setPanel(3, QString());
    w.setWindowTitle(containerCaption(path));
    g.albumFolder = folderOf(path);
    g.containerPath = path;
    g.containerFolder = g.albumFolder;
    g.containerPassword = doc.password;

    DisableSelectionItems(w);
    DisableGridItems(w);
    makePasteUnavailable(w);

    g.cellSize = doc.cellSize;
    if (const std::optional<CommentMetrics> metrics = commentMetricsFor(doc.cellSize))
        g.comment = *metrics;
    // A cover that cannot be prepared keeps the previous one; the open goes on.
    PrepareCover(w);

    g.albums = doc.albums;
    g.selectedIndex = 0;
    ClearGridPicture(w);
    w.vScroll()->hide();
    g.clear(Flag::GridSource);
    g.clear(Flag::Modified);
    makeSaveAvailable(w);
    startLoading(w, std::make_unique<ContainerLoadingSource>(file));
    g.set(Flag::DialogOK);
    return true;
}

bool WriteContainer(frmMain& w, const QString& path, const QString& title,
                    const PasswordBytes& password)
{
    GlobalState& g = stdGlobal();
    const container::ContainerDocument doc = documentForWriting(password);
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
        QString text = QStringLiteral("ファイルを保存できませんでした。\r\n") + path;
        if (!failed->detail.isEmpty())
            text += QStringLiteral("\r\n") + failed->detail;
        prompts().warn(text, title);
        return false;
    }
    g.clear(Flag::Modified);
    if (g.mode == Mode::Selected)
        switchButtonOn(w, Cmd::Insert);
    switchButtonOn(w, Cmd::Rename);
    return true;
}

void frmMain_mnuContnrOpen_Click(frmMain& w)
{
    GlobalState& g = stdGlobal();
    const QString title = QStringLiteral("開く");
    if (g.has(Flag::Modified) && askSaveChanges(title)) {
        // The changes stay flagged until the save has written them; the
        // user chooses Open again afterwards.
        saveDocumentBeforeExit(w);
        return;
    }
    for (;;) {
        FileRequest request;
        request.title = title;
        request.folder = g.containerFolder;
        request.filter = QString::fromUtf8(kContainerFilter);
        const QString path = prompts().openFile(request);
        if (path.isEmpty())
            return;
        if (ReadContainer(w, path)) {
            rememberRecentContainer(g.containerPath);
            return;
        }
    }
}

bool frmMain_mnuContnrSave_Click(frmMain& w)
{
    GlobalState& g = stdGlobal();
    const QString title = QStringLiteral("上書き保存");
    if (!g.isGridShown()) {
        prompts().warn(QStringLiteral("保存の対象がありません。"), title);
        return false;
    }
    if (g.containerPath.isEmpty()) {
        prompts().inform(QStringLiteral("名前をつけて保存して下さい。"), title);
        return false;
    }
    showProgress(w, g.albumCount() + 1);
    const bool written = WriteContainer(w, g.containerPath, title, g.containerPassword);
    if (written) {
        storeWorkFolders();
        rememberRecentContainer(g.containerPath);
    }
    w.progressBar()->hide();
    return written;
}

bool frmMain_mnuContnrAdd_Click(frmMain& w)
{
    GlobalState& g = stdGlobal();
    const QString title = QStringLiteral("名前をつけて保存");
    if (!g.isGridShown()) {
        prompts().warn(QStringLiteral("保存の対象がありません。"), title);
        return false;
    }
    // A text that cannot be stored is reported before the user is asked anything.
    {
        const container::ContainerDocument doc = documentForWriting(g.containerPassword);
        if (const std::optional<ContainerError> problem = container::checkContainer(doc)) {
            prompts().warn(unsavableText(*problem, doc), title);
            return false;
        }
    }

    // The new password takes effect only with the file written.
    PasswordBytes password = kNoPassword;
    if (g.has(Flag::PasswordSetting)) {
        for (;;) {
            const std::optional<QString> typed = frmPassword_Show(false);
            if (!typed)
                return false;
            if (!typed->isEmpty()) {
                password = g.enteredPassword;
                break;
            }
            prompts().inform(QStringLiteral("パスワードを指定してください。"), title);
        }
    }

    FileRequest request;
    request.title = title;
    request.folder = saveAsStartFolder(g.containerPath, g.albumFolder);
    request.filter = QString::fromUtf8(kContainerFilter);
    request.defaultSuffix = QStringLiteral("cov");
    const QString chosen = prompts().saveFile(request);
    if (chosen.isEmpty())
        return false;
    const QString path = QFileInfo(chosen).absoluteFilePath();

    // Albums are looked for beside the container when it is opened again.
    if (g.has(Flag::GridSource)) {
        const QString folder = folderOf(path);
        if (folder.compare(g.albumFolder, Qt::CaseInsensitive) != 0) {
            const QString text =
                QStringLiteral(
                    "アルバムのフォルダと「名前をつけて保存」のフォルダが異なります。\r\n"
                    "アルバムのフォルダ：") +
                g.albumFolder + QStringLiteral("\r\n「名前をつけて保存」のフォルダ：") + folder +
                QStringLiteral(
                    "\r\n\r\nスライドショーを行うには、フォルダを一致させる必要があります。"
                    "\r\nこのまま保存しますか？");
            if (!prompts().askYesNo(text, title, false))
                return false;
        }
    }

    showProgress(w, g.albumCount() + 1);
    if (!WriteContainer(w, path, title, password)) {
        w.progressBar()->hide();
        return false;
    }
    g.containerPath = path;
    g.containerPassword = password;
    w.setWindowTitle(containerCaption(path));
    storeWorkFolders();
    rememberRecentContainer(path);
    makeSaveAvailable(w);
    g.clear(Flag::Modified);
    g.clear(Flag::GridSource);
    w.progressBar()->hide();
    return true;
}

void frmMain_mnuContnrDelete_Click(frmMain& w)
{
    GlobalState& g = stdGlobal();
    const QString title = QStringLiteral("コンテナファイル削除");
    if (!g.isGridShown()) {
        prompts().inform(QStringLiteral("削除するコンテナファイルを表示して下さい。"), title);
        return;
    }
    if (g.containerPath.isEmpty()) {
        prompts().warn(QStringLiteral("コンテナファイルがありません。"), title);
        return;
    }
    if (prompts().message({QStringLiteral("コンテナファイルを削除します。"), title,
                           MsgIcon::Warning, MsgButtons::OkCancel, false}) != MsgAnswer::Ok)
        return;
    if (!moveFileToTrash(g.containerPath)) {
        prompts().warn(QStringLiteral("コンテナファイルを削除できませんでした。\r\n") +
                           g.containerPath,
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
    GlobalState& g = stdGlobal();
    const QString title = QStringLiteral("アルバムファイル削除");
    if (!g.has(Flag::GridSource)) {
        prompts().inform(
            QStringLiteral("アルバムファイルの削除には「新規作成」の実行が必要です。\r\n"
                           "「新規作成」でサムネイルを表示後、再実行して下さい。"),
            title);
        return;
    }
    if (g.mode != Mode::Selected) {
        prompts().warn(QStringLiteral("アルバムファイルを選択して下さい。"), title);
        return;
    }
    const QString name = g.albums.at(g.selectedIndex).fileName;
    const QString path = g.albumPath(g.selectedIndex);
    const QFileInfo info(path);
    if (info.isFile() || info.isSymLink()) {
        if (prompts().message({QStringLiteral("サムネイルとアルバムファイル ") + name +
                                   QStringLiteral(" を削除します。"),
                               title, MsgIcon::Warning, MsgButtons::OkCancel, true}) !=
            MsgAnswer::Ok)
            return;
        if (!moveFileToTrash(path)) {
            prompts().warn(QStringLiteral("アルバムファイルを削除できませんでした。\r\n") + path,
                           title);
            return;
        }
    } else if (prompts().message(
                   {QStringLiteral("アルバムファイルはありません。サムネイルのみ削除します。"),
                    title, MsgIcon::Warning, MsgButtons::OkCancel, true}) != MsgAnswer::Ok) {
        return;
    }
    frmMain_mnuEditDelete_Click(w);
}

bool saveDocumentBeforeExit(frmMain& w)
{
    return stdGlobal().containerPath.isEmpty() ? frmMain_mnuContnrAdd_Click(w)
                                               : frmMain_mnuContnrSave_Click(w);
}

void openPathAtStart(frmMain& w, const QString& commandLinePath)
{
    // A copy: the caller may pass the container path itself, which is
    // cleared here because nothing is open until the file has been read.
    const QString path = commandLinePath; // NOLINT(performance-unnecessary-copy-initialization)
    stdGlobal().containerPath.clear();
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
        rememberRecentContainer(stdGlobal().containerPath);
}

void registerContainerCommands(frmMain& w)
{
    frmMain* win = &w;
    w.setCommand(Command::ContnrOpen, [win] { frmMain_mnuContnrOpen_Click(*win); });
    w.setCommand(Command::ContnrSave, [win] { frmMain_mnuContnrSave_Click(*win); });
    w.setCommand(Command::ContnrAdd, [win] { frmMain_mnuContnrAdd_Click(*win); });
    w.setCommand(Command::ContnrDelete, [win] { frmMain_mnuContnrDelete_Click(*win); });
    w.setCommand(Command::AlbumDelete, [win] { frmMain_mnuAlbumDelete_Click(*win); });
    w.setCommand(Command::EditCut, [win] { frmMain_mnuEditCut_Click(*win); });
    w.setCommand(Command::EditCopy, [win] { frmMain_mnuEditCopy_Click(*win); });
    w.setCommand(Command::EditPut, [win] { frmMain_mnuEditPut_Click(*win); });
    w.setCommand(Command::EditDelete, [win] { frmMain_mnuEditDelete_Click(*win); });
    w.setCommand(Command::EditInsert, [win] { frmMain_mnuEditInsert_Click(*win); });
    w.saveBeforeExit = [win] { return saveDocumentBeforeExit(*win); };
    w.keepForRecovery = [] { return keepDocumentForRecovery(); };
    w.openContainerAtStart = [win](const QString& path) { openPathAtStart(*win, path); };
    addRecentContainersMenu(w);
    acceptDropsOn(w);
}

} // namespace quorbell
