#include "container/DropPlan.h"

#include "album/AlbumTable.h"
#include "container/ContainerDocument.h"
#include "core/FileIO.h"
#include "core/AlbumEntry.h"
#include "core/TextRules.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace quorbell {
namespace {

enum class FileKind { Other, Container, Album };

FileKind kindOf(const QString& path)
{
    // Only a regular file is read: a pipe or a device would block.
    QFile file;
    if (openRegularFile(file, path) != OpenResult::Opened)
        return FileKind::Other;
    const QByteArray head = file.read(16);
    if (head.startsWith(QByteArrayView(container::kMagicTag)))
        return FileKind::Container;
    if (head.startsWith(QByteArrayView(album::kAlbumMagic, album::kAlbumMagicLength)))
        return FileKind::Album;
    return FileKind::Other;
}

} // namespace

DropPlan planDrop(const QList<QUrl>& urls, const DropTargetState& state)
{
    DropPlan plan;
    if (urls.isEmpty() || urls.size() > kMaxAlbums)
        return plan;
    QStringList paths;
    for (const QUrl& url : urls) {
        if (!url.isLocalFile())
            return plan;
        paths.append(QFileInfo(url.toLocalFile()).absoluteFilePath());
    }

    if (paths.size() == 1 && kindOf(paths.first()) == FileKind::Container) {
        plan.kind = DropKind::OpenContainer;
        plan.container = paths.first();
        return plan;
    }

    // A grid knows its albums by name within one folder.
    const QString folder = withTrailingSlash(QFileInfo(paths.first()).absolutePath());
    QStringList names;
    QSet<QString> seen;
    for (const QString& path : paths) {
        const QFileInfo info(path);
        if (withTrailingSlash(info.absolutePath()) != folder || seen.contains(info.fileName()) ||
            kindOf(path) != FileKind::Album)
            return plan;
        names.append(info.fileName());
        seen.insert(info.fileName());
    }
    if (!state.documentOpen)
        plan.kind = DropKind::NewGrid;
    else if (state.insertAvailable)
        plan.kind = DropKind::InsertAlbums;
    else
        return plan;
    plan.folder = folder;
    plan.names = names;
    return plan;
}

} // namespace quorbell
