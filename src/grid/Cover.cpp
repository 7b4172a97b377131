#include "grid/Cover.h"

#include "document/CommonMessages.h"
#include "document/Prompts.h"
#include "core/ThumbnailFormat.h"
#include "core/frmMain.h"
#include "grid/GridDrawing.h"

#include <QCoreApplication>

#include <QFileInfo>
#include <QImageReader>

namespace quorbell {

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(Cover)
};
} // namespace

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
    AlbumDocument& doc = w.document();
    Settings& st = w.settings();
    const bool exists = QFileInfo(st.coverImagePath).isFile();
    if (!exists) {
        QString text = Tr::tr("アルバムカバーのファイルがありません。");
        if (!st.coverImagePath.isEmpty())
            text = withFilePath(text, st.coverImagePath);
        prompts().warn(
            text + QStringLiteral("\r\n") +
                Tr::tr("「設定」－「カバー設定」で、アルバムカバーを再度選択して下さい。"),
            Tr::tr("アルバムカバー"));
        return false;
    }
    QSize fullSize;
    const QImage cover = loadCoverPicture(st.coverImagePath, doc.cellSize(), &fullSize);
    if (cover.isNull())
        return false;
    w.surface()->coverPicture = cover;
    w.surface()->coverSize = fullSize.boundedTo(QSize(32767, 32767));
    if (st.has(Flag::CoverSetting))
        w.setCoverView(st.has(Flag::CoverFirst));
    return true;
}

void frmMain_mnuViewCover_Click(frmMain& w)
{
    AlbumDocument& doc = w.document();
    GridLayout& lay = w.layout();
    Settings& st = w.settings();
    // With the cover setting off the command can only switch cover view off.
    w.setCoverView(st.has(Flag::CoverSetting) && !w.isCoverView());
    if (w.mode() == Mode::Loading) {
        RedrawGrid(w, lay.firstDrawnIndex, doc.loadIndex() - 1);
    } else if (w.isGridShown()) {
        RefreshGrid(w, false, true);
    }
}

void frmMain_mnuViewComment_Click(frmMain& w)
{
    if (!w.isGridShown())
        return;
    w.setCommentToggle(!w.commentToggle());
    RefreshGrid(w, false, true);
}

} // namespace quorbell
