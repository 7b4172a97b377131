#include "grid/GridDrawing.h"

#include "core/BinaryIO.h"
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
    const AlbumDocument& doc = w.document();
    if (w.surface()->coverPicture.isNull())
        return; // no cover was ever prepared: the cell keeps its frame only
    const QSize fitted = fitToCell(w.surface()->coverSize, doc.cellSize());
    const QPoint off = offsetInCell(fitted, doc.cellSize());
    drawThumbnailAt(w.surface()->canvas(), QPoint(x + off.x(), y + off.y()),
                    w.surface()->coverPicture);
}

void DrawCommentStrip(frmMain& w, int index, int x, int y)
{
    const AlbumDocument& doc = w.document();
    const int c = doc.cellSize();
    QPainter p(&w.surface()->canvas());
    p.fillRect(QRect(x, y + c - 1, c, doc.comment().stripHeight + 1), QColor(0xF7, 0xF7, 0xF7));
    p.setFont(commentFont(doc.comment().fontSize));
    p.setPen(w.palette().color(QPalette::WindowText));
    const QString text = commentStripText(doc.entry(index).comment, doc.comment().widthLimit);
    p.drawText(QRect(x + 1, y + c + 1, 4 * c, doc.comment().stripHeight + 8),
               Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

void DrawThumbnailCell(frmMain& w, int index, int x, int y)
{
    AlbumDocument& doc = w.document();
    const AlbumEntry& e = doc.entry(index);
    const int c = doc.cellSize();
    const bool cover = w.isCoverView();
    if (cover) {
        DrawCoverInCell(w, x, y);
    } else if (!e.thumbnail.isNull()) {
        const QSize fitted = fitToCell(QSize(pairHigh(e.thumbSize), pairLow(e.thumbSize)), c);
        const QPoint off = offsetInCell(fitted, c);
        drawThumbnailAt(w.surface()->canvas(), QPoint(x + off.x(), y + off.y()), e.thumbnail);
    }
    if (!cover && w.commentsShown())
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
    doc.recordCellPos(index, packPair(x, y));

    // In a container grid a missing album file shows a cross and a flat dark frame.
    if (!doc.isGridSource() && !QFileInfo::exists(doc.albumPath(index))) {
        QPainter p(&w.surface()->canvas());
        drawLine(p, x, y, x + c, y + c - 1, Qt::black);
        drawLine(p, x, y + c - 1, x + c, y, Qt::black);
        drawLine(p, x, y, x + c, y, dark);
        drawLine(p, x, y, x, y + c, dark);
    }
}

PlaceResult PlaceNextCell(frmMain& w)
{
    return placeNextCell(w.layout(), w.document(), w.clientWidth(), w.clientHeight());
}

namespace {

// The layout of a redraw, with or without painting the cells.
void layOutGrid(frmMain& w, int first, int last, bool paint)
{
    AlbumDocument& doc = w.document();
    GridLayout& lay = w.layout();
    resetLayoutCursor(lay);
    // A row holds what fits the width, also when the redraw shows only a
    // short last row (scrolled to the end, or a view that moved down while
    // loading): the scroll range and values count in full rows.
    lay.columnsPerRow = qint16(columnsThatFit(doc.cellSize(), w.clientWidth()));
    if (paint)
        w.surface()->clearCanvas();
    bool stopped = false;
    for (int index = qMax(0, first); index <= last && index < doc.albumCount(); ++index) {
        if (doc.entry(index).isHidden())
            continue;
        if (paint)
            DrawThumbnailCell(w, index, lay.cursorX, lay.cursorY);
        else
            doc.recordCellPos(index, packPair(lay.cursorX, lay.cursorY));
        lay.lastDrawnIndex = qint16(index);
        const PlaceResult r = PlaceNextCell(w);
        if (!r.wrapped)
            continue;
        if (!r.newRowFits) {
            lay.entriesBelow = qint16(last - index - hiddenBetween(doc, index, last + 1));
            stopped = true;
            break;
        }
        lay.cellsInRow = 0;
    }
    if (!stopped)
        lay.entriesBelow = 0;
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
    const AlbumDocument& doc = w.document();
    const Settings& st = w.settings();
    if (index < 0 || index >= doc.albumCount())
        return;
    const qint32 pos = doc.entry(index).cellPos;
    const int x = pairHigh(pos), y = pairLow(pos), c = doc.cellSize();
    QPainter p(&w.surface()->canvas());
    QPen pen(colourFromRgbValue(st.selectionColour), 3);
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    // The pen is centred on the box from (x + 2, y + 2) to (x + c - 1, y + c - 1).
    p.drawRect(QRectF(x + 2, y + 2, c - 3, c - 3));
    w.surface()->commit();
}

void UpdateScrollRange(frmMain& w)
{
    const AlbumDocument& doc = w.document();
    GridLayout& lay = w.layout();
    const std::optional<int> maximum = scrollMaximum(doc, lay);
    QScrollBar* bar = w.vScroll();
    if (!maximum) {
        bar->hide();
        return;
    }
    lay.rowsBelow = qint16(rowsBelowView(lay));
    QSignalBlocker block(bar); // a new range is not a scroll by the user
    bar->setMaximum(*maximum);
    bar->show();
}

void syncScrollValue(frmMain& w)
{
    const AlbumDocument& doc = w.document();
    const GridLayout& lay = w.layout();
    const int width = rowWidth(lay);
    const int visibleAbove = lay.firstDrawnIndex - hiddenBetween(doc, 0, lay.firstDrawnIndex);
    QSignalBlocker block(w.vScroll());
    w.vScroll()->setValue((visibleAbove + width - 1) / width);
}

void DrawSelectionIfShown(frmMain& w)
{
    const AlbumDocument& doc = w.document();
    const GridLayout& lay = w.layout();
    if (w.mode() == Mode::Selected && doc.selectedIndex() >= lay.firstDrawnIndex &&
        doc.selectedIndex() <= lay.lastDrawnIndex)
        DrawSelectionFrame(w, doc.selectedIndex());
}

void RefreshGrid(frmMain& w, bool updateScrollRange, bool drawSelection)
{
    const AlbumDocument& doc = w.document();
    const GridLayout& lay = w.layout();
    RedrawGrid(w, lay.firstDrawnIndex, doc.albumCount() - 1);
    if (updateScrollRange)
        UpdateScrollRange(w);
    if (drawSelection)
        DrawSelectionIfShown(w);
}

} // namespace quorbell
