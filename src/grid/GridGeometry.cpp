#include "grid/GridGeometry.h"

#include "core/BinaryIO.h"
#include "core/GlobalState.h"
#include "core/TextRules.h"

namespace quorbell {

void resetLayoutCursor(GlobalState& g)
{
    g.cursorX = Grid::Left;
    g.cursorY = Grid::Top;
    g.cellsInRow = 0;
}

PlaceResult placeNextCell(GlobalState& g, int clientWidth, int clientHeight)
{
    PlaceResult r;
    g.cursorX = qint16(g.cursorX + g.cellSize + Grid::Gap);
    g.cellsInRow = qint16(g.cellsInRow + 1);
    // Both comparisons are strict: a sum equal to the client size still fits.
    if (g.cursorX + g.cellSize + Grid::RightMargin > clientWidth) {
        r.wrapped = true;
        g.cursorX = Grid::Left;
        g.cursorY = qint16(g.cursorY + g.cellSize + g.comment.stripHeight + Grid::Gap);
        r.newRowFits =
            !(g.cursorY + g.cellSize + g.comment.stripHeight + Grid::BottomMargin > clientHeight);
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

std::optional<int> hitTest(const GlobalState& g, QPoint p)
{
    const int c = g.cellSize;
    for (int i = qMax(0, int(g.firstDrawnIndex)); i < g.albumCount(); ++i) {
        const AlbumEntry& e = g.albums.at(i);
        if (e.isHidden())
            continue;
        const int x = pairHigh(e.cellPos);
        const int y = pairLow(e.cellPos);
        if (x <= p.x() && p.x() < x + c && y <= p.y() && p.y() < y + c)
            return i;
    }
    return std::nullopt;
}

int hiddenBetween(const GlobalState& g, int from, int to)
{
    int n = 0;
    for (int i = qMax(0, from); i < to && i < g.albumCount(); ++i)
        n += g.albums.at(i).isHidden() ? 1 : 0;
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

int rowWidth(const GlobalState& g)
{
    return qMax(1, int(g.columnsPerRow));
}

namespace {
int ceilDiv(int a, int b)
{
    return a / b + (a % b != 0 ? 1 : 0);
}
} // namespace

int rowsBelowView(const GlobalState& g)
{
    return g.entriesBelow <= 0 ? 0 : ceilDiv(g.entriesBelow, rowWidth(g));
}

std::optional<int> scrollMaximum(const GlobalState& g)
{
    if (g.entriesBelow == 0 && g.firstDrawnIndex == 0)
        return std::nullopt;
    const int visibleAbove = g.firstDrawnIndex - hiddenBetween(g, 0, g.firstDrawnIndex);
    return ceilDiv(visibleAbove, rowWidth(g)) + rowsBelowView(g);
}

int firstIndexForScrollValue(const GlobalState& g, int value)
{
    int first = value * rowWidth(g);
    for (int i = 0; i < first && i < g.albumCount(); ++i) {
        if (g.albums.at(i).isHidden())
            ++first;
    }
    return first;
}

QString shownAlbumsText(const GlobalState& g)
{
    return QStringLiteral("表示アルバム数： ") + QString::number(g.albumCount() - g.hiddenCount);
}

QString hiddenAlbumsText(const GlobalState& g)
{
    if (g.hiddenCount == 0)
        return QString();
    return QStringLiteral("非表示アルバム数： ") + QString::number(g.hiddenCount);
}

QString loadingText(const GlobalState& g)
{
    return QStringLiteral("読込みアルバム数： ") + QString::number(g.loadIndex) + QLatin1Char('/') +
           QString::number(g.albumCount());
}

QString selectedNumberText(int index)
{
    return QStringLiteral("選択アルバム番号： ") + QString::number(index + 1);
}

QString selectedNameText(const QString& fileName)
{
    return QStringLiteral("選択アルバム名： ") + nameBeforeFirstDot(fileName);
}

} // namespace quorbell
