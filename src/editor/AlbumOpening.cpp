#include "editor/AlbumOpening.h"

#include "album/AlbumFileReader.h"
#include "album/PhotoExport.h"
#include "core/Cp932.h"
#include "document/CommonMessages.h"
#include "document/Prompts.h"

#include <QCoreApplication>

#include <QCursor>
#include <QFileInfo>
#include <QGuiApplication>

namespace quorbell::editor {

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(AlbumOpening)
};
} // namespace
namespace {

void tellUnreadable(const QString& path, const album::AlbumFailure& failure, const QString& title)
{
    const QString why = failure.error == album::AlbumError::Missing
                            ? Tr::tr("ファイルが見つかりません。")
                            : Tr::tr("アルバムファイルを読み込めません。");
    prompts().warn(withFilePath(why, path), title);
}

// Opens the album and asks for its password; false (the user told, or the
// prompt cancelled) when it cannot be used.
bool openAndUnlock(album::AlbumFileReader& reader, const QString& path, const UnlockAlbum& unlock,
                   const QString& title)
{
    if (const album::AlbumFailure opened = reader.open(path);
        opened.error != album::AlbumError::None) {
        tellUnreadable(path, opened, title);
        return false;
    }
    const PasswordBytes stored = reader.table().password;
    return !hasPassword(stored) || unlock(stored, path);
}

// The wait cursor while a long step runs on the UI thread.
class WaitCursor
{
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

QString passwordText(const PasswordBytes& stored)
{
    QByteArray codes;
    for (const quint8 b : stored) {
        const char code = char(b ^ 0xFF);
        if (code == 0)
            break;
        codes.append(code);
    }
    return cp932::decode(codes);
}

std::optional<OpenedAlbum> openAlbumForEditing(const QString& path, const UnlockAlbum& unlock)
{
    const QString title = Tr::tr("アルバム編集");
    album::AlbumFileReader reader;
    if (!openAndUnlock(reader, path, unlock, title))
        return std::nullopt;
    const WaitCursor waiting;
    album::AlbumResult<album::AlbumContents> read = album::readAlbumContents(reader);
    if (!read) {
        tellUnreadable(path, read.failure(), title);
        return std::nullopt;
    }
    OpenedAlbum opened{std::move(read).value(), QString()};
    if (hasPassword(opened.contents.password))
        opened.passwordText = passwordText(opened.contents.password);
    return opened;
}

bool exportAlbumPhotos(const QString& path, const UnlockAlbum& unlock)
{
    const QString title = Tr::tr("写真の書き出し");
    album::AlbumFileReader reader;
    if (!openAndUnlock(reader, path, unlock, title))
        return false;
    FileRequest request;
    request.title = Tr::tr("書き出し先のフォルダ");
    request.folder = QFileInfo(path).absolutePath();
    const QString folder = prompts().chooseFolder(request);
    if (folder.isEmpty())
        return false;

    album::PhotoExportResult result;
    {
        const WaitCursor waiting;
        result = album::exportPhotos(reader, folder);
    }
    QString why;
    switch (result.error) {
    case album::PhotoExportError::None:
        prompts().inform(
            withFilePath(Tr::tr("%1 枚の写真を書き出しました。").arg(result.written.size()),
                         folder),
            title);
        return true;
    case album::PhotoExportError::AlbumUnreadable:
        tellUnreadable(path, result.albumFailure, title);
        return false;
    case album::PhotoExportError::NotAFolder:
        why = Tr::tr("フォルダではありません。");
        break;
    case album::PhotoExportError::FolderNotMade:
        why = Tr::tr("フォルダを作成できません。");
        break;
    case album::PhotoExportError::CannotWrite:
    case album::PhotoExportError::Stopped:
        why = Tr::tr("フォルダに書き込めません。") + result.reason;
        break;
    }
    prompts().warn(
        withFilePath(Tr::tr("写真を書き出せませんでした。何も書き出していません。"), folder) +
            QStringLiteral("\r\n") + why,
        title);
    return false;
}

} // namespace quorbell::editor
