// How a picture fits a square thumbnail cell: reduced, keeping its
// proportions, until its longer side fills the cell's edge less 2; never
// enlarged; ties go to the height. Exact integer arithmetic, truncating.
#pragma once

#include <QPoint>
#include <QSize>

namespace quorbell {

constexpr QSize fitToCell(QSize picture, int cellSize)
{
    const qint64 w = picture.width();
    const qint64 h = picture.height();
    const qint64 s = cellSize - 2;
    if (w > h)
        return w > s ? QSize(int(s), int(h * s / w)) : picture;
    return h > s && h > 0 ? QSize(int(w * s / h), int(s)) : picture;
}

// Where a fitted picture goes inside the cell: centred, truncating.
constexpr QPoint offsetInCell(QSize fitted, int cellSize)
{
    return QPoint((cellSize - fitted.width()) / 2, (cellSize - fitted.height()) / 2);
}

} // namespace quorbell
