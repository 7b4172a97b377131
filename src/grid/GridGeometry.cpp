#include "grid/GridGeometry.h"

#include "core/BinaryIO.h"
#include "document/AlbumDocument.h"
#include "document/GridLayout.h"
#include "core/TextRules.h"

#include <QCoreApplication>

namespace quorbell {

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(GridGeometry)
};
} // namespace

void resetLayoutCursor(GridLayout& lay)
{
    lay.cursorX = Grid::Left;
    lay.cursorY = Grid::Top;
    lay.cellsInRow = 0;
}

PlaceResult placeNextCell(GridLayout& lay, const AlbumDocument& doc, int clientWidth,
                          int clientHeight)
{
    PlaceResult r;
    lay.cursorX = qint16(lay.cursorX + doc.cellSize() + Grid::Gap);
    lay.cellsInRow = qint16(lay.cellsInRow + 1);
    // Both comparisons are strict: a sum equal to the client size still fits.
    if (lay.cursorX + doc.cellSize() + Grid::RightMargin > clientWidth) {
        r.wrapped = true;
        lay.cursorX = Grid::Left;
        lay.cursorY = qint16(lay.cursorY + doc.cellSize() + doc.comment().stripHeight + Grid::Gap);
        r.newRowFits =
            !(lay.cursorY + doc.cellSize() + doc.comment().stripHeight + Grid::BottomMargin >
              clientHeight);
    }
    return r;
}

QString commentStripText(const QString& comment, int widthLimit)
{
    int width = 0;
    for (qsizetype i = 0; i < comment.size(); ++i) {
        width += halfWidthColumns(comment.at(i));
        if (width >= widthLimit) {
            if (i == comment.size() - 1)
                return comment;
            return comment.left(i) + QLatin1Char('-');
        }
    }
    return QString((widthLimit - width) / 2, QLatin1Char(' ')) + comment;
}

std::optional<int> hitTest(const AlbumDocument& doc, const GridLayout& lay, QPoint p)
{
    const int c = doc.cellSize();
    for (int i = qMax(0, int(lay.firstDrawnIndex)); i < doc.albumCount(); ++i) {
        const AlbumEntry& e = doc.entry(i);
        if (e.isHidden())
            continue;
        const int x = pairHigh(e.cellPos);
        const int y = pairLow(e.cellPos);
        if (x <= p.x() && p.x() < x + c && y <= p.y() && p.y() < y + c)
            return i;
    }
    return std::nullopt;
}

int hiddenBetween(const AlbumDocument& doc, int from, int to)
{
    int n = 0;
    for (int i = qMax(0, from); i < to && i < doc.albumCount(); ++i)
        n += doc.entry(i).isHidden() ? 1 : 0;
    return n;
}

int columnsThatFit(int cellSize, int clientWidth)
{
    // After k cells the cursor is at Left + k * pitch, and the row is full
    // when cursor + cell + RightMargin > width: k is the first count past room.
    const int pitch = cellSize + Grid::Gap;
    const int room = clientWidth - Grid::RightMargin - cellSize - Grid::Left;
    if (pitch <= 0 || room < 0)
        return 1;
    return room / pitch + 1;
}

int rowWidth(const GridLayout& lay)
{
    return qMax(1, int(lay.columnsPerRow));
}

int firstIndexOneRowUp(const AlbumDocument& doc, const GridLayout& lay, int rowWidth)
{
    const int first = qMin<int>(lay.firstDrawnIndex, doc.albumCount());
    const int visibleBefore = first - hiddenBetween(doc, 0, first);
    const int target = qMax(0, visibleBefore - qMax(1, rowWidth));
    // The index just after the target-th visible entry, as scrolling counts rows.
    int index = 0;
    for (int seen = 0; seen < target && index < doc.albumCount(); ++index) {
        if (!doc.entry(index).isHidden())
            ++seen;
    }
    return index;
}

namespace {
int ceilDiv(int a, int b)
{
    return a / b + (a % b != 0 ? 1 : 0);
}
} // namespace

int rowsBelowView(const GridLayout& lay)
{
    return lay.entriesBelow <= 0 ? 0 : ceilDiv(lay.entriesBelow, rowWidth(lay));
}

std::optional<int> scrollMaximum(const AlbumDocument& doc, const GridLayout& lay)
{
    if (lay.entriesBelow == 0 && lay.firstDrawnIndex == 0)
        return std::nullopt;
    const int visibleAbove = lay.firstDrawnIndex - hiddenBetween(doc, 0, lay.firstDrawnIndex);
    return ceilDiv(visibleAbove, rowWidth(lay)) + rowsBelowView(lay);
}

int firstIndexForScrollValue(const AlbumDocument& doc, const GridLayout& lay, int value)
{
    int first = value * rowWidth(lay);
    for (int i = 0; i < first && i < doc.albumCount(); ++i) {
        if (doc.entry(i).isHidden())
            ++first;
    }
    return first;
}

QString shownAlbumsText(const AlbumDocument& doc)
{
    return Tr::tr("表示アルバム数： %1").arg(doc.albumCount() - doc.hiddenCount());
}

QString hiddenAlbumsText(const AlbumDocument& doc)
{
    if (doc.hiddenCount() == 0)
        return QString();
    return Tr::tr("非表示アルバム数： %1").arg(doc.hiddenCount());
}

QString loadingText(const AlbumDocument& doc)
{
    return Tr::tr("読込みアルバム数： %1/%2").arg(doc.loadIndex()).arg(doc.albumCount());
}

QString selectedNumberText(int index)
{
    return Tr::tr("選択アルバム番号： %1").arg(index + 1);
}

QString selectedNameText(const QString& fileName)
{
    return Tr::tr("選択アルバム名： %1").arg(nameBeforeFirstDot(fileName));
}

} // namespace quorbell
