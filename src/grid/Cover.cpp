#include "grid/Cover.h"

#include "core/GlobalState.h"
#include "core/Prompts.h"
#include "core/ThumbnailFormat.h"
#include "core/frmMain.h"
#include "grid/GridDrawing.h"

#include <QFileInfo>
#include <QImageReader>

namespace quorbell {

QImage loadCoverPicture(const QString& path, int cellSize, QSize* fullSize)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QImage full = reader.read();
    if (full.isNull())
        return QImage();
    if (fullSize)
        *fullSize = full.size();
    const QSize fitted = fitToCell(full.size(), cellSize);
    if (fitted.isEmpty())
        return QImage();
    return toThumbnailFormat(full.scaled(fitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

bool PrepareCover(frmMain& w)
{
    Q_UNUSED(w);
    GlobalState& g = stdGlobal();
    const bool exists = QFileInfo(g.coverImagePath).isFile();
    if (!exists) {
        prompts().warn(
            QStringLiteral("アルバムカバーのファイルがありません。\r\n"
                           "「設定」－「カバー設定」で、アルバムカバーを再度選択して下さい。"),
            QStringLiteral("アルバムカバー"));
        return false;
    }
    QSize fullSize;
    const QImage cover = loadCoverPicture(g.coverImagePath, g.cellSize, &fullSize);
    if (cover.isNull())
        return false;
    g.coverPicture = cover;
    g.coverWidth = qint16(qMin(fullSize.width(), 32767));
    g.coverHeight = qint16(qMin(fullSize.height(), 32767));
    if (g.has(Flag::CoverSetting))
        g.set(Flag::CoverView, g.has(Flag::CoverFirst));
    return true;
}

void frmMain_mnuViewCover_Click(frmMain& w)
{
    GlobalState& g = stdGlobal();
    // With the cover setting off the command can only switch cover view off.
    g.set(Flag::CoverView, g.has(Flag::CoverSetting) && !g.has(Flag::CoverView));
    if (g.mode == Mode::Loading) {
        RedrawGrid(w, g.firstDrawnIndex, g.loadIndex - 1);
    } else if (g.isGridShown()) {
        RefreshGrid(w, false, true);
    }
}

void frmMain_mnuViewComment_Click(frmMain& w)
{
    GlobalState& g = stdGlobal();
    if (!g.isGridShown())
        return;
    g.set(Flag::CommentToggle, !g.has(Flag::CommentToggle));
    RefreshGrid(w, false, true);
}

} // namespace quorbell
