#include "grid/GridDrawing.h"

#include "core/BinaryIO.h"
#include "core/GlobalState.h"
#include "core/SettingsFile.h"
#include "core/frmMain.h"
#include "grid/ThumbnailBlit.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QPainter>
#include <QScrollBar>

#include <cstdlib>

namespace quorbell {
namespace {

// Plots a line as a pen of width 1 draws it: from the first point up to, not
// including, the last one. Each pixel is a logical 1x1 square, so the line
// stays crisp on a screen with a device pixel ratio of 2.
void drawLine(QPainter& p, int x1, int y1, int x2, int y2, const QColor& colour)
{
    if (y1 == y2) {
        if (x2 != x1)
            p.fillRect(QRect(QPoint(qMin(x1, x2 + 1), y1), QPoint(qMax(x1, x2 - 1), y1)), colour);
        return;
    }
    if (x1 == x2) {
        p.fillRect(QRect(QPoint(x1, qMin(y1, y2 + 1)), QPoint(x1, qMax(y1, y2 - 1))), colour);
        return;
    }
    const int dx = std::abs(x2 - x1), sx = x1 < x2 ? 1 : -1;
    const int dy = -std::abs(y2 - y1), sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    int x = x1, y = y1;
    while (!(x == x2 && y == y2)) {
        p.fillRect(QRect(x, y, 1, 1), colour);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

QString commentFamily()
{
    static const QString family = [] {
        const QStringList candidates = {QStringLiteral("ＭＳ ゴシック"),
                                        QStringLiteral("MS Gothic"), QStringLiteral("IPAGothic"),
                                        QStringLiteral("IPAゴシック"),
                                        QStringLiteral("Noto Sans Mono CJK JP")};
        for (const QString& f : candidates) {
            if (QFontDatabase::hasFamily(f))
                return f;
        }
        return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    }();
    return family;
}

} // namespace

QFont commentFont(int pointSize)
{
    QFont f(commentFamily());
    f.setPointSize(qMax(1, pointSize));
    f.setStyleHint(QFont::Monospace);
    f.setFixedPitch(true);
    f.setKerning(false);
    return f;
}

QColor frameHighlight(const frmMain& w)
{
    return w.palette().color(QPalette::Light);
}

QColor frameShadow(const frmMain& w)
{
    return w.palette().color(QPalette::Shadow);
}

void ClearGridPicture(frmMain& w)
{
    w.surface()->clearCanvas();
    w.surface()->commit();
}

void DrawCoverInCell(frmMain& w, int x, int y)
{
    const GlobalState& g = stdGlobal();
    if (g.coverPicture.isNull())
        return; // no cover was ever prepared: the cell keeps its frame only
    const QSize fitted = fitToCell(QSize(g.coverWidth, g.coverHeight), g.cellSize);
    const QPoint off = offsetInCell(fitted, g.cellSize);
    drawThumbnailAt(w.surface()->canvas(), QPoint(x + off.x(), y + off.y()), g.coverPicture);
}

void DrawCommentStrip(frmMain& w, int index, int x, int y)
{
    const GlobalState& g = stdGlobal();
    const int c = g.cellSize;
    QPainter p(&w.surface()->canvas());
    p.fillRect(QRect(x, y + c - 1, c, g.comment.stripHeight + 1), QColor(0xF7, 0xF7, 0xF7));
    p.setFont(commentFont(g.comment.fontSize));
    p.setPen(w.palette().color(QPalette::WindowText));
    const QString text = commentStripText(g.albums.at(index).comment, g.comment.widthLimit);
    p.drawText(QRect(x + 1, y + c + 1, 4 * c, g.comment.stripHeight + 8),
               Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

void DrawThumbnailCell(frmMain& w, int index, int x, int y)
{
    GlobalState& g = stdGlobal();
    AlbumEntry& e = g.albums[index];
    const int c = g.cellSize;
    const bool cover = g.has(Flag::CoverView);
    if (cover) {
        DrawCoverInCell(w, x, y);
    } else if (!e.thumbnail.isNull()) {
        const QSize fitted = fitToCell(QSize(pairHigh(e.thumbSize), pairLow(e.thumbSize)), c);
        const QPoint off = offsetInCell(fitted, c);
        drawThumbnailAt(w.surface()->canvas(), QPoint(x + off.x(), y + off.y()), e.thumbnail);
    }
    if (!cover && g.commentsShown())
        DrawCommentStrip(w, index, x, y);

    const QColor light = frameHighlight(w);
    const QColor dark = frameShadow(w);
    {
        QPainter p(&w.surface()->canvas());
        drawLine(p, x, y + c - 1, x + c, y + c - 1, dark);
        drawLine(p, x, y, x, y + c, light);
        drawLine(p, x + c - 1, y, x + c - 1, y + c, dark);
        drawLine(p, x, y, x + c, y, light);
    }
    e.cellPos = packPair(x, y);

    // In a container grid a missing album file shows a cross and a flat dark frame.
    if (!g.has(Flag::GridSource) && !QFileInfo::exists(g.albumPath(index))) {
        QPainter p(&w.surface()->canvas());
        drawLine(p, x, y, x + c, y + c - 1, Qt::black);
        drawLine(p, x, y + c - 1, x + c, y, Qt::black);
        drawLine(p, x, y, x + c, y, dark);
        drawLine(p, x, y, x, y + c, dark);
    }
}

PlaceResult PlaceNextCell(frmMain& w)
{
    return placeNextCell(stdGlobal(), w.clientWidth(), w.clientHeight());
}

namespace {

// The layout of a redraw, with or without painting the cells.
void layOutGrid(frmMain& w, int first, int last, bool paint)
{
    GlobalState& g = stdGlobal();
    resetLayoutCursor(g);
    // A row holds what fits the width, also when the redraw shows only a
    // short last row (scrolled to the end, or a view that moved down while
    // loading): the scroll range and values count in full rows.
    g.columnsPerRow = qint16(columnsThatFit(g.cellSize, w.clientWidth()));
    if (paint)
        w.surface()->clearCanvas();
    bool stopped = false;
    for (int index = qMax(0, first); index <= last && index < g.albumCount(); ++index) {
        if (g.albums.at(index).isHidden())
            continue;
        if (paint)
            DrawThumbnailCell(w, index, g.cursorX, g.cursorY);
        else
            g.albums[index].cellPos = packPair(g.cursorX, g.cursorY);
        g.lastDrawnIndex = qint16(index);
        const PlaceResult r = PlaceNextCell(w);
        if (!r.wrapped)
            continue;
        if (!r.newRowFits) {
            g.entriesBelow = qint16(last - index - hiddenBetween(g, index, last + 1));
            stopped = true;
            break;
        }
        g.cellsInRow = 0;
    }
    if (!stopped)
        g.entriesBelow = 0;
    if (paint)
        w.surface()->commit();
}

} // namespace

void RedrawGrid(frmMain& w, int first, int last)
{
    layOutGrid(w, first, last, true);
}

void LayOutGridOnly(frmMain& w, int first, int last)
{
    layOutGrid(w, first, last, false);
}

void DrawSelectionFrame(frmMain& w, int index)
{
    const GlobalState& g = stdGlobal();
    if (index < 0 || index >= g.albumCount())
        return;
    const qint32 pos = g.albums.at(index).cellPos;
    const int x = pairHigh(pos), y = pairLow(pos), c = g.cellSize;
    QPainter p(&w.surface()->canvas());
    QPen pen(colourFromRgbValue(g.selectionColour), 3);
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    // The pen is centred on the box from (x + 2, y + 2) to (x + c - 1, y + c - 1).
    p.drawRect(QRectF(x + 2, y + 2, c - 3, c - 3));
    w.surface()->commit();
}

void UpdateScrollRange(frmMain& w)
{
    GlobalState& g = stdGlobal();
    const std::optional<int> maximum = scrollMaximum(g);
    QScrollBar* bar = w.vScroll();
    if (!maximum) {
        bar->hide();
        return;
    }
    g.rowsBelow = qint16(rowsBelowView(g));
    QSignalBlocker block(bar); // a new range is not a scroll by the user
    bar->setMaximum(*maximum);
    bar->show();
}

void DrawSelectionIfShown(frmMain& w)
{
    const GlobalState& g = stdGlobal();
    if (g.mode == Mode::Selected && g.selectedIndex >= g.firstDrawnIndex &&
        g.selectedIndex <= g.lastDrawnIndex)
        DrawSelectionFrame(w, g.selectedIndex);
}

void RefreshGrid(frmMain& w, bool updateScrollRange, bool drawSelection)
{
    const GlobalState& g = stdGlobal();
    RedrawGrid(w, g.firstDrawnIndex, g.albumCount() - 1);
    if (updateScrollRange)
        UpdateScrollRange(w);
    if (drawSelection)
        DrawSelectionIfShown(w);
}

} // namespace quorbell
